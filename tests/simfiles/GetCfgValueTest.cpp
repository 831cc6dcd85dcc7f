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

TEST(GetCfgValue, ManyKeysAtOnceEqualThePlainLookupOnRandomText) {
    std::mt19937 rng(7);
    const std::string alphabet = "ab=AB\r\n_ \xC9\xE9";
    const std::vector<std::string> keys = {"a", "ab", "b_a", "ba", "", "aab", "\xE9"};
    const std::vector<std::string_view> key_views(keys.begin(), keys.end());
    std::vector<std::string_view> values(keys.size());
    for (int round = 0; round < 3000; ++round) {
        std::string block;
        for (auto i = rng() % 40; i > 0; --i) block += alphabet[rng() % alphabet.size()];
        FindCfgValues(block, key_views, values);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            ASSERT_EQ(values[k], PlainCfgValue(block, keys[k]))
                << testing::PrintToString(block) << " key " << keys[k];
            ASSERT_EQ(GetCfgValue(block, keys[k]), values[k]);
        }
    }
}

}  // namespace
}  // namespace qv
