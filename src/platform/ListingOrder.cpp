#include "platform/ListingOrder.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qv {
namespace {

// Windows-1252 byte to the Unicode code point of its upper-case form, so that characters compare
// as the UTF-16 names of NTFS and Wine compare.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0160, 0x203A, 0x0152, 0x009D, 0x017D, 0x0178};

std::uint32_t upper_code(unsigned char b) {
    if (b >= 'a' && b <= 'z') return b - 32u;
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80];  // š œ ž already folded in the table
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return b - 32u;
    if (b == 0xFF) return 0x0178;  // ÿ -> Ÿ
    return b;
}

}  // namespace

bool listing_less(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ua = upper_code(static_cast<unsigned char>(a[i]));
        const auto ub = upper_code(static_cast<unsigned char>(b[i]));
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

void sort_listing(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& x, const std::string& y) { return listing_less(x, y); });
}

}  // namespace qv
