#include <gtest/gtest.h>

#include <random>

#include "platform/Text.h"
#include "simfiles/ParseGaugeEntries.h"
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
        for (std::size_t pos = lower.find(key); pos != std::string::npos;
             pos = lower.find(key, pos + key.size())) {
            const std::size_t eol = std::min(lower.find('\r', pos), lower.size());
            const std::string line = text.substr(pos, eol - pos);
            std::size_t d = line.find('!', key.size());
            if (d == std::string::npos) d = line.find(',', key.size());
            std::string entry = line.substr(key.size(), d - key.size() + 1);
            if (d == std::string::npos) {
                // No delimiter: the name with trailing spaces removed and a comma, if any.
                entry = line.substr(key.size());
                entry.erase(entry.find_last_not_of(' ') + 1);
                if (entry.empty()) continue;
                entry += ',';
            }
            if (!list.empty()) list += "\r\n";
            list += entry;
        }
    }
    return list.empty() ? list : list + "\r\n-end of list-";
}

TEST(ParseGaugeEntries, OrdersByNumberThenFilePosition) {
    const std::string text = JoinWholeText(
        "[Window00]\n"
        "gauge01=first!One, 1, 2\n"
        "GAUGE00=Sample!Airspeed, 10, 20\n"
        "gauge1=skipped!x\n"
        "gauge101=skipped!x\n"
        "[Window01]\n"
        "Gauge01=compass, 120, 20\n"
        "gauge00=sample!Airspeed, 10, 20\n"
        "//gauge100= Clock  \n"
        "gauge05=a,b!c\n"
        "gauge06=\n");
    EXPECT_EQ(ParseGaugeEntries(text),
              "Sample!\r\nsample!\r\nfirst!\r\ncompass,\r\na,b!\r\n Clock,\r\n-end of list-");
    EXPECT_EQ(ParseGaugeEntries("[Window00]\r\nsize=1,2"), "");
}

TEST(ParseGaugeEntries, EqualsThePlainSearchOnRandomText) {
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"gauge", "GAUGE0", "gauge10", "gauge100", "0",
                                             "5",     "=",      "!",       ",",        "\r\n",
                                             "x",     "gau",    "ge",      "alias=",   " "};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 30);
        for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
        ASSERT_EQ(ParseGaugeEntries(text), PlainGaugeEntries(text)) << testing::PrintToString(text);
        ASSERT_EQ(HasPanelAlias(text), to_lower(text).find("alias=") != std::string::npos);
    }
}

}  // namespace
}  // namespace qv
