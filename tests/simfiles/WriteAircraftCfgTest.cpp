#include "simfiles/WriteAircraftCfg.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace qv {
namespace {

struct RenumberCase {
    const char* name;
    std::string before;
    std::string after;
};

TEST(RenumberAircraftSections, GivesEveryAircraftHeaderItsOwnNumberInTextOrder) {
    const RenumberCase cases[] = {
        {"gap after a cut", "[fltsim.0]\r\na=1\r\n[fltsim.2]\r\nb=2\r\n[fltsim.3]\r\nc=3",
         "[fltsim.0]\r\na=1\r\n[fltsim.1]\r\nb=2\r\n[fltsim.2]\r\nc=3"},
        {"already in order", "[fltsim.0]\r\n[fltsim.1]\r\n[fltsim.2]",
         "[fltsim.0]\r\n[fltsim.1]\r\n[fltsim.2]"},
        {"no aircraft header", "[General]\r\natc_type=x\r\n", "[General]\r\natc_type=x\r\n"},
        {"upper case", "[General]\r\n[FLTSIM.7]\r\ntitle=T", "[General]\r\n[fltsim.0]\r\ntitle=T"},
        {"twin headers", "[fltsim.1]\r\nx\r\n[fltsim.1]\r\nx",
         "[fltsim.0]\r\nx\r\n[fltsim.1]\r\nx"},
        {"descending", "[fltsim.1]\r\n[fltsim.0]", "[fltsim.0]\r\n[fltsim.1]"},
        {"not headers", "; see [fltsim.3]\r\nx=[fltsim.4]\r\n[fltsim.5\r\n[fltsim.9]",
         "; see [fltsim.3]\r\nx=[fltsim.4]\r\n[fltsim.5\r\n[fltsim.0]"},
        {"indented, spaces kept", "  [fltsim.x]  \r\n[fltsim]", "  [fltsim.0]  \r\n[fltsim]"},
        {"empty", "", ""},
        {"empty lines kept", "\r\n[fltsim.3]\r\n\r\n", "\r\n[fltsim.0]\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.before;
        RenumberAircraftSections(text);
        EXPECT_EQ(text, c.after);
    }
}

TEST(WriteAircraftCfg, ReplacesTheFileWithExactlyTheRenumberedText) {
    test::TempFolder tmp;
    tmp.write("aircraft.cfg",
              "[fltsim.0]\r\ntitle=A long old text that is longer than the new one");
    std::string text = "[fltsim.4]\r\ntitle=\xC9t\xE9";
    const FsStatus st = WriteAircraftCfg(tmp.fs(), tmp.at("aircraft.cfg"), text);
    ASSERT_TRUE(st.ok()) << st.message;
    EXPECT_EQ(text, "[fltsim.0]\r\ntitle=\xC9t\xE9");
    EXPECT_EQ(tmp.read("aircraft.cfg"), "[fltsim.0]\r\ntitle=\xC9t\xE9");

    std::string empty;
    ASSERT_TRUE(WriteAircraftCfg(tmp.fs(), tmp.at("aircraft.cfg"), empty).ok());
    EXPECT_TRUE(tmp.exists("aircraft.cfg"));
    EXPECT_EQ(tmp.read("aircraft.cfg"), "");
}

TEST(WriteAircraftCfg, LeavesAReadOnlyFileExactlyAsItWas) {
    test::TempFolder tmp;
    tmp.write("aircraft.cfg", "[fltsim.0]\r\ntitle=Old\r\n[fltsim.1]\r\ntitle=Other");
    tmp.make_read_only("aircraft.cfg");
    std::string text = "[fltsim.1]\r\ntitle=Other";
    EXPECT_FALSE(WriteAircraftCfg(tmp.fs(), tmp.at("aircraft.cfg"), text).ok());
    EXPECT_EQ(tmp.read("aircraft.cfg"), "[fltsim.0]\r\ntitle=Old\r\n[fltsim.1]\r\ntitle=Other");
}

}  // namespace
}  // namespace qv
