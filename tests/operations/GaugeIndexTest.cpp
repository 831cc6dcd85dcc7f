#include "operations/GaugeIndex.h"

#include <gtest/gtest.h>

#include <random>

#include "support/References.h"

namespace qv {
namespace {

TEST(GaugeIndex, MatchesTheSubstringRuleOnRandomLists) {
    std::mt19937 rng(3);
    // Few letters, so stems often hit; line breaks and delimiters anywhere, including in stems.
    auto random_text = [&](std::string_view chars, unsigned max_length) {
        std::string s;
        for (auto n = rng() % (max_length + 1); n > 0; --n) s += chars[rng() % chars.size()];
        return s;
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> lists(rng() % 4);
        for (auto& gauges : lists) gauges = random_text("aAb!,\r\n\xC9\xE9", 25);
        const std::vector<std::string_view> list_views(lists.begin(), lists.end());
        std::vector<std::string> stems;
        for (int q = 0; q < 40; ++q) stems.push_back(random_text("aAb!,\r\n\xC9", 6));
        const std::vector<std::string_view> views(stems.begin(), stems.end());
        const std::vector<bool> used = find_used_gauges(list_views, views);
        const std::vector<bool> plain = test::plain_used(lists, stems);
        for (std::size_t q = 0; q < stems.size(); ++q)
            ASSERT_EQ(used[q], plain[q])
                << "stem " << testing::PrintToString(stems[q]) << " in round " << round;
    }
}

}  // namespace
}  // namespace qv
