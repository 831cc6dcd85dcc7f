#include "platform/ListingOrder.h"

#include <algorithm>

#include "platform/Text.h"

namespace qv {

bool listing_less(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        // Characters compare as the upper-case UTF-16 names of NTFS and Wine compare.
        const char32_t ua = cp1252_code_point(upper_char(a[i]));
        const char32_t ub = cp1252_code_point(upper_char(b[i]));
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void sort_listing(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& x, const std::string& y) { return listing_less(x, y); });
}

bool is_suffix_pattern(std::string_view wanted) {
    return wanted.size() > 1 && wanted.front() == '*';
}

bool matches_suffix(std::string_view name, std::string_view pattern) {
    const std::string_view suffix = pattern.substr(1);
    return name.size() > suffix.size() && iequals(name.substr(name.size() - suffix.size()), suffix);
}

bool better_match(std::string_view candidate, std::string_view current, std::string_view wanted) {
    if (current.empty() || candidate == wanted) return true;
    return current != wanted && listing_less(candidate, current);
}

}  // namespace qv
