#include <gtest/gtest.h>

#include <random>

#include "platform/Text.h"
#include "simfiles/GetCfgValue.h"

namespace qv {
namespace {

// The key lookup done the plain way: the block with a line end added, lower-cased and searched.
std::string PlainCfgValue(const std::string& block, const std::string& key) {
    const std::string b = block + "\r\n";
    const std::size_t i = to_lower(b).find(to_lower(key) + "=");
    if (i == std::string::npos) return "";
    const std::size_t s = i + key.size() + 1;
    return b.substr(s, b.find("\r\n", s) - s);
}

TEST(GetCfgValue, FindsTheFirstOccurrenceAnywhereWithoutRegardToCase) {
    struct Case {
        const char* block;
        const char* key;
        const char* value;
    } cases[] = {
        {"[fltsim.0]\r\nTITLE=Cessna \xC9t\xE9 // comment\r\nx=1", "title",
         "Cessna \xC9t\xE9 // comment"},
        {"my_sim=A\r\nsim=B", "sim", "A"},
        {"sim =A\r\nsim=B", "sim", "B"},
        {"title=", "title", ""},
        {"title=last line", "title", "last line"},
        {"model=x", "title", ""},
        {"kb_checklists=K\r\nchecklist=C", "checklist", "C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(GetCfgValue(c.block, c.key), c.value);
    }
}

TEST(GetCfgValue, ManyKeysAtOnceEqualThePlainLookupOnRandomText) {
    std::mt19937 rng(7);
    const std::string alphabet = "ab=AB\r\n_ ";
    const std::vector<std::string> keys = {"a", "ab", "b_a", "ba", "", "aab"};
    std::vector<std::string_view> key_views(keys.begin(), keys.end());
    for (int round = 0; round < 3000; ++round) {
        std::string block;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) block += alphabet[rng() % alphabet.size()];
        std::vector<std::string_view> values(keys.size());
        FindCfgValues(block, key_views, values);
        for (std::size_t k = 0; k < keys.size(); ++k)
            ASSERT_EQ(std::string(values[k]), PlainCfgValue(block, keys[k]))
                << "block " << testing::PrintToString(block) << " key " << keys[k];
    }
}

}  // namespace
}  // namespace qv
