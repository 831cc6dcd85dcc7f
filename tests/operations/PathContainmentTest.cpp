#include "operations/PathContainment.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CleanRelativePath, KeepsValuesInsideTheirFolderAndRefusesTheRest) {
    const struct {
        const char* rel;
        const char* clean;  // null: refused
    } cases[] = {
        {"plane.air", "plane.air"},
        {"sub/plane.air", "sub\\plane.air"},
        {"a\\.\\b\\..\\c.txt", "a\\c.txt"},
        {"..\\..\\x.air", nullptr},
        {"\\..\\..\\Gauges", nullptr},
        {"sub\\..\\..\\x.air", nullptr},
        {"C:\\boot.cfg", nullptr},
        {"file.txt:stream", nullptr},
        {"...\\x", nullptr},
        {". .", nullptr},
        {"*.gau", nullptr},
        {"", nullptr},
        {"sub\\..", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rel);
        const auto clean = CleanRelativePath(c.rel);
        ASSERT_EQ(clean.has_value(), c.clean != nullptr);
        if (clean) {
            EXPECT_EQ(*clean, c.clean);
        }
    }
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
