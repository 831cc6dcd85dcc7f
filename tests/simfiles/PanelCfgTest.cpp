#include <gtest/gtest.h>

#include <random>

#include "platform/Text.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// The gauge list built the plain way: each of the 101 keys searched through the whole text in
// turn.
std::string PlainGaugeEntries(const std::string& text) {
    const std::string lower = to_lower(text);
    std::string list;
    for (int n = 0; n <= 100; ++n) {
        const std::string key = (n < 10 ? "gauge0" : "gauge") + std::to_string(n) + "=";
        for (auto pos = lower.find(key); pos != std::string::npos; pos = lower.find(key, pos + 1)) {
            std::string entry =
                text.substr(pos + key.size(), lower.find('\r', pos) - pos - key.size());
            std::size_t d = entry.find('!');
            if (d == std::string::npos) d = entry.find(',');
            if (d != std::string::npos) {
                entry.resize(d + 1);
            } else {  // no delimiter: the name without trailing spaces, and a comma, if any
                entry.erase(entry.find_last_not_of(' ') + 1);
                if (entry.empty()) continue;
                entry += ',';
            }
            list += entry + "\r\n";
        }
    }
    return list.empty() ? list : list + "-end of list-";
}

TEST(GaugeEntries, OrdersByNumberThenFilePosition) {
    const std::string text = join_whole_text(
        "[Window00]\ngauge01=first!One, 1, 2\nGAUGE00=Sample!Airspeed, 10, 20\n"
        "gauge1=skipped!x\ngauge101=skipped!x\n[Window01]\nGauge01=compass, 120, 20\n"
        "gauge00=sample!Airspeed, 10, 20\n//gauge100= Clock  \ngauge05=a,b!c\ngauge06=\n");
    EXPECT_EQ(gauge_entries(text),
              "Sample!\r\nsample!\r\nfirst!\r\ncompass,\r\na,b!\r\n Clock,\r\n-end of list-");
    EXPECT_EQ(gauge_entries("[Window00]\r\nsize=1,2"), "");
}

TEST(GaugeEntries, EqualsThePlainSearchOnRandomText) {
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"gauge", "GAUGE0", "gauge10", "gauge100", "0",
                                             "5",     "=",      "!",       ",",        "\r\n",
                                             "x",     "gau",    "ge",      "alias=",   " "};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (auto i = rng() % 30; i > 0; --i) text += pieces[rng() % pieces.size()];
        ASSERT_EQ(gauge_entries(text), PlainGaugeEntries(text)) << testing::PrintToString(text);
        ASSERT_EQ(has_alias(text), to_lower(text).find("alias=") != std::string::npos);
    }
}

}  // namespace
}  // namespace qv
