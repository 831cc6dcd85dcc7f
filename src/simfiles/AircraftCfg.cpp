#include "simfiles/AircraftCfg.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/ConfigKey.h"

namespace qv {
namespace {

// The keys a record takes from its section, in the order of the record's fields.
constexpr std::array<std::string_view, 9> kKeys = {
    "title",   "sim",       "model",         "panel",        "sound",
    "texture", "checklist", "kb_checklists", "kb_reference",
};

}  // namespace

bool is_section_header(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || line[first] != '[') return false;
    return line.find(']', first) == line.find_last_not_of(' ');
}

std::vector<SectionSpan> find_aircraft_sections(std::string_view whole_text) {
    std::vector<SectionSpan> sections;
    // Start of the aircraft section still waiting for its end, if any.
    bool open = false;
    std::size_t open_start = 0;
    const char* const base = whole_text.data();
    const std::size_t n = whole_text.size();
    std::size_t line_start = 0;
    while (line_start <= n) {
        // Lines of a whole text are separated by CR LF; a CR without LF belongs to its line.
        std::size_t line_end = n;
        std::size_t from = line_start;
        while (from < n) {
            const void* cr = std::memchr(base + from, '\r', n - from);
            if (cr == nullptr) break;
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            if (at + 1 < n && base[at + 1] == '\n') {
                line_end = at;
                break;
            }
            from = at + 1;
        }
        const std::string_view line = whole_text.substr(line_start, line_end - line_start);
        if (is_section_header(line)) {
            // Every header line ends the aircraft section before it, whatever section it opens.
            if (open) sections.push_back({open_start, line_start - open_start});
            open = find_ignoring_case(line, kAircraftHeaderMark) != line.npos;
            open_start = line_start;
        }
        if (line_end == n) break;
        line_start = line_end + 2;
    }
    if (open) sections.push_back({open_start, n - open_start});
    return sections;
}

void find_section_values(std::string_view section, std::span<const std::string_view> keys,
                         std::span<std::string_view> values) {
    for (auto& v : values) v = {};
    std::size_t missing = keys.size();
    std::vector<bool> found(keys.size(), false);
    std::size_t start = 0;
    while (missing > 0 && start <= section.size()) {
        std::size_t end = section.find("\r\n", start);
        if (end == std::string_view::npos) end = section.size();
        std::string_view line = section.substr(start, end - start);
        start = end + 2;
        while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
        if (line.starts_with(';') || line.starts_with("//")) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, key_end(line, eq));
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (found[k] || !iequals(key, keys[k])) continue;
            found[k] = true;
            --missing;
            values[k] = trim_blanks(line.substr(eq + 1));
        }
    }
}

void read_aircraft_sections(const std::string& folder, std::string_view whole_text,
                            std::vector<AircraftRecord>& records) {
    const std::vector<SectionSpan> sections = find_aircraft_sections(whole_text);
    std::array<std::string_view, kKeys.size()> values;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const std::string_view section = whole_text.substr(sections[k].start, sections[k].length);
        find_section_values(section, kKeys, values);
        AircraftRecord& record = records.emplace_back();
        record.folder = folder;
        record.title = values[0];
        record.sim = values[1];
        record.model = values[2];
        record.panel = values[3];
        record.sound = values[4];
        record.texture = values[5];
        record.checklist = values[6];
        record.kb_checklists = values[7];
        record.kb_reference = values[8];
        record.section_text = section;
        record.section_index = k;
    }
}

std::string cut_section(std::string_view whole_text, SectionSpan section) {
    std::string text(whole_text);
    std::size_t start = section.start;
    // The last section takes the line break before it along, so no CR LF is left at the end.
    if (section.start + section.length == text.size() && start >= 2 &&
        text.compare(start - 2, 2, "\r\n") == 0)
        start -= 2;
    text.erase(start, section.start + section.length - start);
    return text;
}

void renumber_aircraft_sections(std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    std::size_t number = 0;
    std::size_t start = 0;
    while (true) {
        // Lines of a whole text are separated by CR LF.
        const std::size_t end = text.find("\r\n", start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        const std::string_view line(text.data() + start, stop - start);
        // Only numbered headers are renumbered: "[fltsim]" has no number to give.
        const std::size_t mark =
            is_section_header(line) ? find_ignoring_case(line, "[fltsim.") : line.npos;
        if (mark == line.npos) {
            out += line;
        } else {
            // The header's first "]" is its last non-space character, so it follows the mark.
            const std::size_t close = line.find(']', mark);
            out += line.substr(0, mark);
            out += "[fltsim.";
            out += std::to_string(number++);
            out += line.substr(close);
        }
        if (end == std::string::npos) break;
        out += "\r\n";
        start = end + 2;
    }
    text = std::move(out);
}

bool same_section(std::string_view a, std::string_view b) {
    // The empty lines at a section's end aren't its own: a cut last section takes the line end
    // before it along, and the file's last line end starts no line when it is read again.
    const auto normal = [](std::string_view text) {
        while (text.ends_with("\r\n")) text.remove_suffix(2);
        std::string out(text);
        renumber_aircraft_sections(out);
        return out;
    };
    return normal(a) == normal(b);
}

FsStatus write_aircraft_cfg(FileSystem& fs, const std::string& path, std::string& text) {
    renumber_aircraft_sections(text);
    return fs.replace_file(path, text);
}

std::optional<std::string> named_kind_folder(const char* word, const std::string& value) {
    const std::string name = value.empty() ? std::string(word) : std::string(word) + "." + value;
    const auto clean = path::clean_relative(name);
    if (!clean || clean->find('\\') != std::string::npos) return std::nullopt;
    return clean;
}

bool is_kind_variant(std::string_view name) {
    return std::any_of(std::begin(kKindWords), std::end(kKindWords), [&](const char* w) {
        const std::size_t n = std::string_view(w).size();
        return name.size() > n + 1 && name[n] == '.' && iequals(name.substr(0, n), w);
    });
}

bool section_names(const AircraftRecord& a, std::string_view name) {
    const std::string* values[] = {&a.model, &a.texture, &a.panel, &a.sound};
    for (std::size_t w = 0; w < std::size(kKindWords); ++w)
        if (const auto named = named_kind_folder(kKindWords[w], *values[w]);
            named && iequals(*named, name))
            return true;
    return false;
}

}  // namespace qv
