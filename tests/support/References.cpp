#include "support/References.h"

#include "platform/Text.h"

namespace qv::test {
namespace {

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(std::string_view text, const char* what) {
    const std::size_t first = text.find_first_not_of(what);
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(what) - first + 1));
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
    return text;
}

bool is_aircraft_header(const std::string& line) {
    return plain_is_header(line) && to_lower(line).find("[fltsim") != std::string::npos;
}

// Where the "=" after `key` at `pos` of `lower` stands, blanks between allowed; npos when none.
std::size_t equals_after(const std::string& lower, std::size_t pos, const std::string& key) {
    std::size_t at = pos + key.size();
    while (at < lower.size() && blank(lower[at])) ++at;
    return at < lower.size() && lower[at] == '=' ? at : std::string::npos;
}

}  // namespace

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
         start = end + 2)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    return lines;
}

std::string plain_whole_text(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string unix_text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            unix_text += bytes[i];
        } else if (i + 1 == bytes.size() || bytes[i + 1] != '\n') {
            unix_text += '\n';
        }
    }
    if (unix_text.ends_with('\n')) unix_text.pop_back();
    std::vector<std::string> lines(1);
    for (const char c : unix_text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    return joined({lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()});
}

bool plain_is_header(std::string_view line) {
    const std::string inner = trimmed(line, " ");
    return inner.starts_with('[') && inner.find(']') == inner.size() - 1;
}

std::vector<std::string> plain_aircraft_sections(std::string_view whole_text) {
    const std::vector<std::string> lines = split_lines(whole_text);
    std::vector<std::string> sections;
    bool open = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (plain_is_header(lines[i])) {
            open = is_aircraft_header(lines[i]);
            if (open) sections.emplace_back();
        }
        if (!open) continue;
        sections.back() += lines[i];
        if (i + 1 < lines.size()) sections.back() += "\r\n";
    }
    return sections;
}

std::string plain_value(std::string_view section, std::string_view lower_key) {
    for (const std::string& line : split_lines(section)) {
        const std::string text = trimmed(line, " \t");
        if (text.starts_with(";") || text.starts_with("//")) continue;
        const std::size_t eq = text.find('=');
        if (eq == std::string::npos) continue;
        if (to_lower(trimmed(text.substr(0, eq), " \t")) == lower_key)
            return trimmed(text.substr(eq + 1), " \t");
    }
    return "";
}

std::string plain_renumbered(std::string_view text) {
    std::vector<std::string> lines = split_lines(text);
    std::size_t number = 0;
    for (std::string& line : lines) {
        if (!plain_is_header(line)) continue;
        const std::size_t mark = to_lower(line).find("[fltsim.");
        if (mark == std::string::npos) continue;
        const std::size_t close = line.find(']', mark);
        line = line.substr(0, mark) + "[fltsim." + std::to_string(number++) + line.substr(close);
    }
    return joined(lines);
}

std::string plain_cut_renumbered(std::string_view whole_text, std::size_t index) {
    std::vector<std::string> kept;
    std::size_t aircraft_headers = 0;
    bool cut = false;
    for (std::string& line : split_lines(whole_text)) {
        if (plain_is_header(line)) cut = is_aircraft_header(line) && aircraft_headers++ == index;
        if (!cut) kept.push_back(std::move(line));
    }
    return plain_renumbered(joined(kept));
}

std::string plain_gauge_entries(std::string_view text) {
    const std::string lower = to_lower(text);
    std::string list;
    for (int n = 0; n <= 100; ++n) {
        const std::string key = (n < 10 ? "gauge0" : "gauge") + std::to_string(n);
        for (auto pos = lower.find(key); pos != std::string::npos; pos = lower.find(key, pos + 1)) {
            std::size_t value = equals_after(lower, pos, key);
            if (value == std::string::npos) continue;
            ++value;
            while (value < text.size() && blank(text[value])) ++value;
            std::string entry(text.substr(value, lower.find('\r', value) - value));
            std::size_t d = entry.find('!');
            if (d == std::string::npos) d = entry.find(',');
            if (d != std::string::npos) {
                entry.resize(d + 1);
            } else {
                while (!entry.empty() && blank(entry.back())) entry.pop_back();
                if (entry.empty()) continue;
                entry += ',';
            }
            list += entry + "\r\n";
        }
    }
    return list.empty() ? list : list + "-end of list-";
}

bool plain_alias(std::string_view text) {
    const std::string lower = to_lower(text);
    for (auto pos = lower.find("alias"); pos != std::string::npos;
         pos = lower.find("alias", pos + 1))
        if (equals_after(lower, pos, "alias") != std::string::npos) return true;
    return false;
}

std::vector<bool> plain_used(std::span<const std::string> gauge_lists,
                             std::span<const std::string> stems) {
    std::vector<std::string> lists;
    for (const std::string& gauges : gauge_lists) lists.push_back(to_lower(gauges));
    std::vector<bool> used;
    for (const std::string& stem : stems) {
        const std::string s = to_lower(stem);
        used.push_back(false);
        for (const std::string& list : lists)
            if (list.find(s + "!") != std::string::npos || list.find(s + ",") != std::string::npos)
                used.back() = true;
    }
    return used;
}

}  // namespace qv::test
