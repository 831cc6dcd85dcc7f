// The gauge matching on any bytes. Up to the first NUL they are the panels' text: cut at each
// \x01 into gauge lists, and read as a panel.cfg for one more list as a load makes it. Each piece
// after a NUL is a stem. More stems come from the text itself: pieces that end just before a
// "!" or "," (named) or one character earlier (mostly not), some of them upper-cased, some
// reaching across line breaks. Every stem is decided as the plain substring rule decides it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Mismatch.h"
#include "operations/GaugeIndex.h"
#include "platform/Text.h"
#include "simfiles/PanelCfg.h"
#include "support/References.h"

namespace {

// Enough stems to fill the index's table past its first size, few enough to keep the plain
// search, one pass over all lists per stem, quick.
constexpr std::size_t kMostStems = 256;

std::vector<std::string> split(std::string_view text, char at) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == at) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::vector<std::string> stems_from(std::string_view text) {
    std::vector<std::string> stems;
    std::size_t delimiters = 0;
    for (std::size_t q = 0; q < text.size() && stems.size() < kMostStems; ++q) {
        if (text[q] != '!' && text[q] != ',') continue;
        const std::size_t d = delimiters++;
        const std::size_t end = d % 3 == 2 ? q - 1 : q;
        if (end == 0 || end > q) continue;
        const std::size_t length =
            std::min(end, 1 + (static_cast<unsigned char>(text[end - 1]) + d) % 8);
        std::string stem(text.substr(end - length, length));
        if (d % 2 == 1)
            for (char& c : stem) c = qv::upper_char(c);
        stems.push_back(std::move(stem));
    }
    return stems;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = split(qv::fuzz::bytes_of(data, size), '\0');
    std::vector<std::string> lists = split(parts[0], '\x01');
    lists.push_back(qv::gauge_entries(parts[0]));
    std::vector<std::string> stems(parts.begin() + 1, parts.end());
    if (stems.size() > kMostStems) stems.resize(kMostStems);
    for (std::string& stem : stems_from(parts[0])) stems.push_back(std::move(stem));

    const std::vector<std::string_view> list_views(lists.begin(), lists.end());
    const std::vector<std::string_view> stem_views(stems.begin(), stems.end());
    const std::vector<bool> used = qv::find_used_gauges(list_views, stem_views);
    const std::vector<bool> plain = qv::test::plain_used(lists, stems);
    qv::fuzz::require(used.size() == stems.size(), "one answer per stem");
    for (std::size_t i = 0; i < stems.size(); ++i) {
        if (used[i] == plain[i]) continue;
        std::fprintf(stderr, "stem \"%s\" (%s by the program)\n",
                     qv::fuzz::printable(stems[i]).c_str(), used[i] ? "named" : "not named");
        qv::fuzz::require(false, "gauge named or not");
    }
    return 0;
}
