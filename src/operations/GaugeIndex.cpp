#include "operations/GaugeIndex.h"

#include <algorithm>

#include "platform/Text.h"

namespace qv {
namespace {

bool IsDelimiter(char c) {
    return c == '!' || c == ',';
}
bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

GaugeIndex::GaugeIndex(std::span<const PanelRecord> panels, std::size_t max_stem_length)
    : panels_(panels), max_length_(max_stem_length) {
    // Panels share most of their gauges, so each distinct line is indexed once.
    std::unordered_set<std::string_view> seen;
    for (const PanelRecord& panel : panels) {
        const std::string_view list = panel.gauges;
        std::size_t start = 0;
        while (start < list.size()) {
            std::size_t end = start;
            bool delimited = false;
            while (end < list.size() && !IsLineBreak(list[end])) {
                delimited = delimited || IsDelimiter(list[end]);
                ++end;
            }
            if (delimited && seen.insert(list.substr(start, end - start)).second) {
                const std::string& line =
                    lines_.emplace_back(to_lower(list.substr(start, end - start)));
                const std::string_view lower = line;
                for (std::size_t d = 0; d < lower.size(); ++d) {
                    if (!IsDelimiter(lower[d])) continue;
                    const std::size_t shortest_start = d > max_length_ ? d - max_length_ : 0;
                    for (std::size_t s = shortest_start; s <= d; ++s)
                        pieces_.insert(lower.substr(s, d - s));
                }
            }
            start = end + 1;
        }
    }
}

bool GaugeIndex::used(std::string_view stem) const {
    const std::string lower = to_lower(stem);
    if (lower.size() > max_length_ ||
        std::any_of(lower.begin(), lower.end(), [](char c) { return IsLineBreak(c); }))
        return used_by_search(lower);
    return pieces_.contains(lower);
}

bool GaugeIndex::used_by_search(const std::string& lower_stem) const {
    const std::string bang = lower_stem + "!";
    const std::string comma = lower_stem + ",";
    for (const PanelRecord& panel : panels_) {
        const std::string list = to_lower(panel.gauges);
        if (list.find(bang) != std::string::npos || list.find(comma) != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace qv
