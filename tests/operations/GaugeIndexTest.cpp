#include <gtest/gtest.h>

#include <random>

#include "operations/GaugeIndex.h"
#include "platform/Text.h"

namespace qv {
namespace {

// The rule itself: some list, lower-cased, holds lower(stem) & "!" or lower(stem) & ",".
bool PlainUsed(const std::vector<PanelRecord>& panels, const std::string& stem) {
    const std::string s = to_lower(stem);
    for (const auto& p : panels) {
        const std::string list = to_lower(p.gauges);
        if (list.find(s + "!") != std::string::npos || list.find(s + ",") != std::string::npos)
            return true;
    }
    return false;
}

std::string RandomText(std::mt19937& rng, const std::string& alphabet, int max_length) {
    std::string s;
    const int n = static_cast<int>(rng() % static_cast<unsigned>(max_length + 1));
    for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
}

TEST(FindUsedGauges, MatchesTheSubstringRuleOnRandomLists) {
    std::mt19937 rng(3);
    // Few letters, so stems often hit; line breaks and delimiters anywhere, including in stems.
    const std::string list_chars = "aAb!,\r\n\xC9\xE9";
    const std::string stem_chars = "aAb!,\r\n\xC9";
    for (int round = 0; round < 400; ++round) {
        std::vector<PanelRecord> panels(rng() % 4);
        for (auto& p : panels) p.gauges = RandomText(rng, list_chars, 25);
        std::vector<std::string> stems;
        for (int q = 0; q < 40; ++q) stems.push_back(RandomText(rng, stem_chars, 6));
        const std::vector<std::string_view> views(stems.begin(), stems.end());
        const std::vector<bool> used = FindUsedGauges(panels, views);
        for (std::size_t q = 0; q < stems.size(); ++q)
            ASSERT_EQ(used[q], PlainUsed(panels, stems[q]))
                << "stem " << testing::PrintToString(stems[q]) << " in round " << round;
    }
}

}  // namespace
}  // namespace qv
