// The main window's remembered place: its file's text both ways, and what a damaged file gives.
#include <gtest/gtest.h>

#include "ui/WindowPlacement.h"

namespace qv::ui {
namespace {

TEST(WindowPlacement, ComesBackAsItWasKeptAndADamagedFileGivesNothing) {
    const WindowPlacement kept{-8, 40, 640, 512, true, {300, 120}};
    const auto back = parse_placement(format_placement(kept));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->left, -8);
    EXPECT_EQ(back->height, 512);
    EXPECT_TRUE(back->maximized);
    EXPECT_EQ(back->columns, (std::vector<int>{300, 120}));

    // Edited by hand: blanks and LF line ends are read; anything else gives the default place.
    const auto edited = parse_placement("left = 5\ntop=6\n width=700\nheight=\t500\ncolumns=\n");
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->width, 700);
    EXPECT_TRUE(edited->columns.empty());
    for (const char* damaged :
         {"", "left=1\r\ntop=2\r\nwidth=3\r\n", "left=1\r\ntop=2\r\nwidth=x\r\nheight=4",
          "left=1\r\ntop=2\r\nwidth=-3\r\nheight=4", "left=1\r\ntop=2\r\nwidth=99999\r\nheight=4",
          "left=1\r\ntop=2\r\nwidth=3\r\nheight=4\r\ncolumns=10,,20"})
        EXPECT_FALSE(parse_placement(damaged).has_value()) << damaged;
}

}  // namespace
}  // namespace qv::ui
