#include "simfiles/WriteAircraftCfg.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// WriteAircraftCfg adds the backend's replace to this; the removal tests check written files.
TEST(RenumberAircraftSections, GivesEveryAircraftHeaderItsOwnNumberInTextOrder) {
    const struct {
        const char* name;
        std::string before, after;
    } cases[] = {
        {"gap after a cut", "[fltsim.0]\r\na=1\r\n[fltsim.2]\r\nb=2\r\n[fltsim.3]\r\nc=3",
         "[fltsim.0]\r\na=1\r\n[fltsim.1]\r\nb=2\r\n[fltsim.2]\r\nc=3"},
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

}  // namespace
}  // namespace qv
