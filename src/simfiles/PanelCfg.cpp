#include "simfiles/PanelCfg.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/Text.h"
#include "simfiles/ConfigKey.h"

namespace qv {
namespace {

constexpr int kLastGaugeNumber = 100;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The gauge number whose key ends with the "=" at `eq`, or -1. The keys are "gauge" followed by
// exactly two digits (00 to 99) or by "100"; at most one of them can end at a given "=".
int gauge_number_ending_at(std::string_view text, std::size_t eq) {
    eq = key_end(text, eq);
    if (eq >= 2 && is_digit(text[eq - 2]) && is_digit(text[eq - 1]) &&
        word_ends_at(text, eq - 2, "gauge"))
        return (text[eq - 2] - '0') * 10 + (text[eq - 1] - '0');
    if (eq >= 3 && text.substr(eq - 3, 3) == "100" && word_ends_at(text, eq - 3, "gauge"))
        return kLastGaugeNumber;
    return -1;
}

// One entry of the list: a view into the text, plus a "," to append for a line that has no
// delimiter of its own.
struct Entry {
    std::string_view text;
    bool add_comma = false;
};

// The entry of the gauge line whose key ends at the "=" at `eq`; false when it names nothing.
bool cut_entry(std::string_view text, std::size_t eq, Entry& entry) {
    std::size_t value = eq + 1;
    while (value < text.size() && is_blank(text[value])) ++value;
    std::size_t eol = text.find('\r', value);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view rest = text.substr(value, eol - value);
    std::size_t delimiter = rest.find('!');
    if (delimiter == std::string_view::npos) delimiter = rest.find(',');
    if (delimiter != std::string_view::npos) {
        entry = {rest.substr(0, delimiter + 1), false};
        return true;
    }
    // A line such as "gauge05=Clock" names its gauge without any parameter. The entry then is the
    // name with trailing blanks removed and a "," appended, as if it had been cut at a comma, so
    // the sweep keeps that file and a removal finds it. A key with nothing after it names nothing.
    const std::size_t last = rest.find_last_not_of(" \t");
    if (last == std::string_view::npos) return false;
    entry = {rest.substr(0, last + 1), true};
    return true;
}

}  // namespace

std::string gauge_entries(std::string_view text) {
    // Every key ends at an "=", so one pass over the "=" signs finds all occurrences of all 101
    // keys in file order; a stable counting sort by number then gives the list's order.
    std::vector<Entry> found;
    std::vector<int> numbers;
    std::array<std::size_t, kLastGaugeNumber + 2> first_of{};
    std::size_t total = 0;
    const char* const base = text.data();
    std::size_t from = 0;
    while (from < text.size()) {
        const void* hit = std::memchr(base + from, '=', text.size() - from);
        if (hit == nullptr) break;
        const std::size_t eq = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        from = eq + 1;
        const int number = gauge_number_ending_at(text, eq);
        if (number < 0) continue;
        Entry entry;
        if (!cut_entry(text, eq, entry)) continue;
        found.push_back(entry);
        numbers.push_back(number);
        ++first_of[static_cast<std::size_t>(number) + 1];
        total += entry.text.size() + (entry.add_comma ? 1 : 0);
    }
    std::string list;
    if (found.empty()) return list;
    for (std::size_t n = 1; n < first_of.size(); ++n) first_of[n] += first_of[n - 1];
    std::vector<const Entry*> ordered(found.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        ordered[first_of[static_cast<std::size_t>(numbers[i])]++] = &found[i];

    const std::string_view end_mark = kEndOfGaugeList;
    list.reserve(total + 2 * found.size() + end_mark.size());
    for (const Entry* entry : ordered) {
        list += entry->text;
        if (entry->add_comma) list += ',';
        list += "\r\n";
    }
    list += end_mark;
    return list;
}

bool has_alias(std::string_view text) {
    const char* const base = text.data();
    std::size_t from = 0;
    while (from < text.size()) {
        const void* hit = std::memchr(base + from, '=', text.size() - from);
        if (hit == nullptr) return false;
        const std::size_t eq = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        if (key_start(text, eq, "alias") != std::string_view::npos) return true;
        from = eq + 1;
    }
    return false;
}

std::string alias_value(std::string_view text) {
    const char* const base = text.data();
    std::size_t from = 0;
    while (from < text.size()) {
        const void* hit = std::memchr(base + from, '=', text.size() - from);
        if (hit == nullptr) return {};
        const std::size_t eq = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        if (key_start(text, eq, "alias") != std::string_view::npos) {
            const std::size_t end = text.find_first_of("\r\n", eq + 1);
            return std::string(trim_blanks(text.substr(
                eq + 1, end == std::string_view::npos ? std::string_view::npos : end - eq - 1)));
        }
        from = eq + 1;
    }
    return {};
}

PanelRecord read_panel(const std::string& folder, std::string_view whole_text) {
    PanelRecord record;
    record.folder = folder;
    record.has_alias = has_alias(whole_text);
    if (record.has_alias) record.alias = alias_value(whole_text);
    record.gauges = gauge_entries(whole_text);
    return record;
}

std::vector<std::string> gauge_entry_names(std::string_view gauges) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < gauges.size()) {
        const std::string_view rest = gauges.substr(start);
        if (rest.starts_with(kEndOfGaugeList)) break;
        const std::size_t end = rest.find("\r\n");
        const std::string_view entry = rest.substr(0, end);
        if (!entry.empty()) names.emplace_back(entry.substr(0, entry.size() - 1));
        if (end == std::string_view::npos) break;
        start += end + 2;
    }
    return names;
}

}  // namespace qv
