// The parts of the windows that are plain logic: layout scaling and what the settings window's
// folder list, folder box and drive list show.
#include <gtest/gtest.h>

#include "ui/Dpi.h"
#include "ui/FolderEntries.h"
#include "ui/WideText.h"

namespace qv::ui {
namespace {

TEST(TwipScaling, RectanglesFollowTheDpi) {
    // The main window's button: 2520, 3600, 2775, 495 twips.
    const TwipRect button{2520, 3600, 2775, 495};
    const RECT at96 = TwipsToPixels(button, 96);
    EXPECT_EQ(at96.left, 168);
    EXPECT_EQ(at96.top, 240);
    EXPECT_EQ(at96.right - at96.left, 185);
    EXPECT_EQ(at96.bottom - at96.top, 33);
    const RECT at144 = TwipsToPixels(button, 144);
    EXPECT_EQ(at144.left, 252);
    EXPECT_EQ(at144.right - at144.left, 278);  // 277.5, rounded to the nearest by MulDiv
    // Inside a frame, rectangles are measured from the frame's corner.
    const TwipRect list = Inside({120, 600, 5175, 2775}, {120, 240, 4935, 2400});
    EXPECT_EQ(TwipsToPixels(list, 96).left, 16);
    EXPECT_EQ(TwipsToPixels(list, 96).top, 56);
}

TEST(TwipScaling, FontHeightsFromPointSizes) {
    EXPECT_EQ(PointsToFontHeight(825, 96), -11);
    EXPECT_EQ(PointsToFontHeight(1350, 96), -18);
    EXPECT_EQ(PointsToFontHeight(1800, 96), -24);
    EXPECT_EQ(PointsToFontHeight(1200, 120), -20);
}

TEST(TwipScaling, DpiOverrideAcceptsOnlyPlausibleNumbers) {
    EXPECT_EQ(ParseDpiOverride("144"), 144);
    EXPECT_EQ(ParseDpiOverride("48"), 48);
    for (const char* bad : {"", "abc", "96dpi", "-96", "47", "481", " 96"}) {
        EXPECT_FALSE(ParseDpiOverride(bad).has_value()) << bad;
    }
}

TEST(FolderBox, RootTrimmingDropsTheSeparatorOfADriveRootOnly) {
    const struct {
        const wchar_t* text;
        const wchar_t* shown;
    } cases[] = {
        {L"C:\\", L"C:"},     {L"D:/", L"D:"},  {L"C:\\Games", L"C:\\Games"},
        {L"C:\\a", L"C:\\a"}, {L"\\\\\\", L""}, {L"C:", L"C:"},
        {L"ab\\", L"ab"},     {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimRoot(c.text), c.shown) << c.text;
}

TEST(FolderList, PathComponentsFromTheRootDown) {
    using Parts = std::vector<std::wstring>;
    EXPECT_EQ(SplitFolderPath(L"C:\\Games\\FS2002"), (Parts{L"C:\\", L"Games", L"FS2002"}));
    EXPECT_EQ(SplitFolderPath(L"C:\\"), (Parts{L"C:\\"}));
    EXPECT_EQ(SplitFolderPath(L"C:"), (Parts{L"C:\\"}));
    EXPECT_EQ(SplitFolderPath(L"z:/tmp//demo/"), (Parts{L"z:/", L"tmp", L"demo"}));
    EXPECT_EQ(SplitFolderPath(L"\\\\server\\share\\fs"), (Parts{L"\\\\server\\share\\", L"fs"}));
}

TEST(FolderList, EntriesOpenTheCurrentPathAndListItsSubfolders) {
    const auto entries = BuildFolderEntries(L"C:\\Games", {L"CFS2", L"FS2002"});
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, L"C:\\");
    EXPECT_EQ(entries[0].path, L"C:\\");
    EXPECT_TRUE(entries[0].open);
    EXPECT_EQ(entries[1].name, L"Games");
    EXPECT_EQ(entries[1].path, L"C:\\Games");
    EXPECT_EQ(entries[1].level, 1);
    EXPECT_EQ(entries[3].path, L"C:\\Games\\FS2002");
    EXPECT_EQ(entries[3].level, 2);
    EXPECT_FALSE(entries[3].open);
    EXPECT_EQ(CurrentEntryIndex(entries), 1u);

    // At a root the subfolders join without a doubled separator.
    const auto root = BuildFolderEntries(L"D:\\", {L"FS98"});
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root[1].path, L"D:\\FS98");
    EXPECT_EQ(CurrentEntryIndex(root), 0u);
}

TEST(DriveList, DrivesShowAsADriveListShowsThem) {
    EXPECT_EQ(DriveListText(L'C', L"SYSTEM"), L"c: [SYSTEM]");
    EXPECT_EQ(DriveListText(L'A', L""), L"a:");
    EXPECT_EQ(DriveListText(L'N', L"\\\\server\\games"), L"n: [\\\\server\\games]");
}

TEST(WideText, FolderNamesOutsideTheCodePageAreFlagged) {
    bool lossless = true;
    EXPECT_EQ(Narrow(L"C:\\Jeux\u00e9", &lossless), "C:\\Jeux\xe9");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Narrow(L"C:\\\u98db\u884c", &lossless), "C:\\??");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Widen("Caf\xe9 \x80"), L"Caf\u00e9 \u20ac");
}

}  // namespace
}  // namespace qv::ui
