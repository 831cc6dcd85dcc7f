#include "platform/Path.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CleanRelativePath, KeepsValuesInsideTheirFolderAndRefusesTheRest) {
    EXPECT_EQ(path::clean_relative("plane.air"), "plane.air");
    EXPECT_EQ(path::clean_relative("sub/plane.air"), "sub\\plane.air");
    EXPECT_EQ(path::clean_relative("a\\.\\b\\..\\c.txt"), "a\\c.txt");
    for (const char* rel :
         {"..\\..\\x.air", "\\..\\..\\Gauges", "sub\\..\\..\\x.air", "C:\\boot.cfg",
          "file.txt:stream", "...\\x", ". .", "*.gau", "", "sub\\.."})
        EXPECT_EQ(path::clean_relative(rel), std::nullopt) << rel;
}

TEST(IsInside, ComparesWholeComponentsWithoutRegardToCase) {
    EXPECT_TRUE(path::is_inside("C:\\FS\\Aircraft\\A\\B", "c:\\fs\\aircraft\\a"));
    EXPECT_TRUE(path::is_inside("/home/u/FS\\Aircraft\\A", "/home/u/fs/Aircraft/"));
    EXPECT_FALSE(path::is_inside("C:\\FS\\Aircraft\\AB", "C:\\FS\\Aircraft\\A"));
    EXPECT_FALSE(path::is_inside("C:\\FS\\Aircraft\\A", "C:\\FS\\Aircraft\\A\\"));
    EXPECT_TRUE(path::is_same_or_inside("C:\\FS\\Aircraft\\A", "C:\\FS\\Aircraft\\A\\"));
    EXPECT_FALSE(path::is_inside("C:\\FS\\Aircraft\\A\\..\\..\\Gauges", "C:\\FS\\Aircraft"));
    EXPECT_FALSE(path::is_inside("\\FS\\x", "FS"));
}

}  // namespace
}  // namespace qv
