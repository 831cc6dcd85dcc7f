#include <gtest/gtest.h>

#include <random>

#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"
#include "support/References.h"

namespace qv {
namespace {

TEST(GaugeEntries, OrdersByNumberThenFilePosition) {
    const std::string text = join_whole_text(
        "[Window00]\ngauge01=first!One, 1, 2\nGAUGE00=Sample!Airspeed, 10, 20\n"
        "gauge1=skipped!x\ngauge101=skipped!x\n[Window01]\nGauge01=compass, 120, 20\n"
        "gauge00=sample!Airspeed, 10, 20\n//gauge100= Clock  \ngauge05=a,b!c\ngauge06=\n"
        // A panel aligned with tabs names its gauges too.
        "gauge02\t= C337!Tablet, 0,0,100\ngauge03 \t=\tFolder\\Name!x\n");
    EXPECT_EQ(gauge_entries(text),
              "Sample!\r\nsample!\r\nfirst!\r\ncompass,\r\nC337!\r\nFolder\\Name!\r\na,b!\r\n"
              "Clock,\r\n-end of list-");
    EXPECT_EQ(gauge_entries("[Window00]\r\nsize=1,2"), "");
    EXPECT_TRUE(has_alias("[Window00]\r\nAlias\t= Other\\panel"));
}

TEST(GaugeEntries, EqualThePlainSearchOnRandomText) {
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"gauge", "GAUGE0", "gauge10", "gauge100", "0", "5",
                                             "=",     "!",      ",",       "\r\n",     "x", "gau",
                                             "ge",    "alias",  " ",       "\t"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (auto i = rng() % 30; i > 0; --i) text += pieces[rng() % pieces.size()];
        ASSERT_EQ(gauge_entries(text), test::plain_gauge_entries(text))
            << testing::PrintToString(text);
        ASSERT_EQ(has_alias(text), test::plain_alias(text)) << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace qv
