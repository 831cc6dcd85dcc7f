// Folders the program saved under Wine, read on the Linux side: the settings file of the program
// names its simulator as Wine shows it, and the Linux tool must reach the same folder.
#include "platform/WinePath.h"

#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TempFolder.h"

namespace qv {
namespace {

using test::TempFolder;

std::string mapped(std::string_view folder, const std::string& prefix) {
    std::string out;
    const FsStatus st = wine_folder_to_linux(folder, prefix, out);
    EXPECT_TRUE(st.ok()) << folder << ": " << st.message;
    return out;
}

TEST(WineFolder, DriveZIsTheLinuxRootAndLinuxFoldersStayAsTheyAre) {
    const std::string no_prefix = "/nonexistent-wine-prefix";
    EXPECT_EQ(mapped("Z:\\home\\pilot\\FS2002", no_prefix), "/home/pilot/FS2002");
    EXPECT_EQ(mapped("z:/home/pilot/Flight Sim \xC9t\xE9", no_prefix),
              "/home/pilot/Flight Sim \xC9t\xE9");
    EXPECT_EQ(mapped("Z:", no_prefix), "/");
    EXPECT_EQ(mapped("Z:\\", no_prefix), "/");
    EXPECT_EQ(mapped("/home/pilot/FS2002", no_prefix), "/home/pilot/FS2002");
    EXPECT_EQ(mapped("Sims\\FS2002", no_prefix), "Sims\\FS2002");
}

TEST(WineFolder, OtherDrivesGoThroughThePrefixLinksAndAnUnmappedOneIsNamed) {
    TempFolder t;
    t.mkdir("prefix/drive_c/Games/FS2002");
    t.mkdir("elsewhere/FS98");
    t.mkdir("prefix/dosdevices");
    t.link("prefix/drive_c", "prefix/dosdevices/c:");
    t.link_absolute(t.native("elsewhere").string(), "prefix/dosdevices/e:");
    const std::string prefix = t.native("prefix").string();
    const std::string real_prefix = std::filesystem::canonical(prefix).string();

    EXPECT_EQ(mapped("C:\\Games\\FS2002", prefix), real_prefix + "/drive_c/Games/FS2002");
    EXPECT_EQ(mapped("c:", prefix), real_prefix + "/drive_c");
    EXPECT_EQ(mapped("E:\\FS98", prefix),
              std::filesystem::canonical(t.native("elsewhere")).string() + "/FS98");

    std::string out;
    const FsStatus st = wine_folder_to_linux("D:\\FS2002", prefix, out);
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message.find("drive D:"), std::string::npos) << st.message;
    EXPECT_NE(st.message.find(prefix), std::string::npos) << st.message;
}

TEST(WineFolder, ThePrefixIsWineprefixElseTheHomeFoldersDotWine) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("WINEPREFIX", "/srv/wine/fs", 1);
    EXPECT_EQ(wine_prefix_folder(), "/srv/wine/fs");
    unsetenv("WINEPREFIX");
    if (const char* home = std::getenv("HOME")) {
        EXPECT_EQ(wine_prefix_folder(), std::string(home) + "/.wine");
    }
    if (saved != nullptr) setenv("WINEPREFIX", restore.c_str(), 1);
}

}  // namespace
}  // namespace qv

#endif
