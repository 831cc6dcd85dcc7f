#include "operations/PathContainment.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CleanRelativePath, KeepsValuesInsideTheirFolderAndRefusesTheRest) {
    EXPECT_EQ(CleanRelativePath("plane.air"), "plane.air");
    EXPECT_EQ(CleanRelativePath("sub/plane.air"), "sub\\plane.air");
    EXPECT_EQ(CleanRelativePath("a\\.\\b\\..\\c.txt"), "a\\c.txt");
    for (const char* rel :
         {"..\\..\\x.air", "\\..\\..\\Gauges", "sub\\..\\..\\x.air", "C:\\boot.cfg",
          "file.txt:stream", "...\\x", ". .", "*.gau", "", "sub\\.."})
        EXPECT_EQ(CleanRelativePath(rel), std::nullopt) << rel;
}

TEST(IsInside, ComparesWholeComponentsWithoutRegardToCase) {
    EXPECT_TRUE(IsInside("C:\\FS\\Aircraft\\A\\B", "c:\\fs\\aircraft\\a"));
    EXPECT_TRUE(IsInside("/home/u/FS\\Aircraft\\A", "/home/u/fs/Aircraft/"));
    EXPECT_FALSE(IsInside("C:\\FS\\Aircraft\\AB", "C:\\FS\\Aircraft\\A"));
    EXPECT_FALSE(IsInside("C:\\FS\\Aircraft\\A", "C:\\FS\\Aircraft\\A\\"));
    EXPECT_TRUE(IsSameOrInside("C:\\FS\\Aircraft\\A", "C:\\FS\\Aircraft\\A\\"));
    EXPECT_FALSE(IsInside("C:\\FS\\Aircraft\\A\\..\\..\\Gauges", "C:\\FS\\Aircraft"));
    EXPECT_FALSE(IsInside("\\FS\\x", "FS"));
}

}  // namespace
}  // namespace qv
