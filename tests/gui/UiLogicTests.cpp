// The parts of the windows that are plain logic: the DPI override, what the settings window's
// folder list, folder box and drive list show, and which working folder a program claims.
#include <gtest/gtest.h>

#include "ui/FolderEntries.h"
#include "ui/RunningInstance.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/WideText.h"

namespace qv::ui {
namespace {

TEST(DpiOverride, AcceptsOnlyPlausibleNumbers) {
    EXPECT_EQ(parse_dpi_override("144"), 144);
    EXPECT_EQ(parse_dpi_override("48"), 48);
    for (const char* bad : {"", "abc", "96dpi", "-96", "47", "481", " 96"}) {
        EXPECT_FALSE(parse_dpi_override(bad).has_value()) << bad;
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
    for (const auto& c : cases) EXPECT_EQ(trim_root(c.text), c.shown) << c.text;
}

TEST(FolderList, PathComponentsFromTheRootDown) {
    using Parts = std::vector<std::wstring>;
    EXPECT_EQ(split_folder_path(L"C:\\Games\\FS2002"), (Parts{L"C:\\", L"Games", L"FS2002"}));
    EXPECT_EQ(split_folder_path(L"C:\\"), (Parts{L"C:\\"}));
    EXPECT_EQ(split_folder_path(L"C:"), (Parts{L"C:\\"}));
    EXPECT_EQ(split_folder_path(L"z:/tmp//demo/"), (Parts{L"z:/", L"tmp", L"demo"}));
    EXPECT_EQ(split_folder_path(L"\\\\server\\share\\fs"), (Parts{L"\\\\server\\share\\", L"fs"}));
}

TEST(FolderList, EntriesOpenTheCurrentPathAndListItsSubfolders) {
    const auto entries = build_folder_entries(L"C:\\Games", {L"CFS2", L"FS2002"});
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
    EXPECT_EQ(current_entry_index(entries), 1u);

    // At a root the subfolders join without a doubled separator.
    const auto root = build_folder_entries(L"D:\\", {L"FS98"});
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root[1].path, L"D:\\FS98");
    EXPECT_EQ(current_entry_index(root), 0u);
}

TEST(DriveList, DrivesShowAsADriveListShowsThem) {
    EXPECT_EQ(drive_list_text(L'C', L"SYSTEM"), L"c: [SYSTEM]");
    EXPECT_EQ(drive_list_text(L'A', L""), L"a:");
    EXPECT_EQ(drive_list_text(L'N', L"\\\\server\\games"), L"n: [\\\\server\\games]");
}

TEST(WideText, FolderNamesOutsideTheCodePageAreFlagged) {
    bool lossless = true;
    EXPECT_EQ(narrow(L"C:\\Jeux\u00e9", &lossless), "C:\\Jeux\xe9");
    EXPECT_TRUE(lossless);
    EXPECT_EQ(narrow(L"C:\\\u98db\u884c", &lossless), "C:\\??");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(widen("Caf\xe9 \x80"), L"Caf\u00e9 \u20ac");
}

TEST(RunningInstance, EverySpellingOfAFolderIsOneProgramAndOtherFoldersAreOthers) {
    const std::wstring key = instance_key(L"C:\\Games\\FS2002");
    for (const wchar_t* same : {L"c:\\games\\fs2002", L"C:/Games/FS2002", L"C:\\Games\\FS2002\\",
                                L"C:\\GAMES\\FS2002\\\\"}) {
        EXPECT_EQ(instance_key(same), key) << same;
    }
    for (const wchar_t* other : {L"C:\\Games", L"C:\\Games\\FS2002\\Aircraft", L"D:\\Games\\FS2002",
                                 L"C:\\Games\\FS2002b"}) {
        EXPECT_NE(instance_key(other), key) << other;
    }
    // A drive root keeps its separator: "C:" alone is the drive's current folder.
    EXPECT_EQ(instance_key(L"C:\\"), L"c:\\");
    EXPECT_NE(instance_key(L"C:\\"), instance_key(L"C:"));
}

}  // namespace
}  // namespace qv::ui
