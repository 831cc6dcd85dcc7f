#include "platform/Path.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CleanRelative, KeepsValuesInsideTheirFolderAndRefusesTheRest) {
    EXPECT_EQ(path::clean_relative("plane.air"), "plane.air");
    EXPECT_EQ(path::clean_relative("sub/plane.air"), "sub\\plane.air");
    EXPECT_EQ(path::clean_relative("a\\.\\b\\..\\c.txt"), "a\\c.txt");
    // Windows drops trailing dots and spaces: "texture.Blue." is the folder texture.Blue.
    EXPECT_EQ(path::clean_relative("texture.Blue. \\a.bmp.."), "texture.Blue\\a.bmp");
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

TEST(PathParts, RootsOfEveryWindowsFormAndTheirComponents) {
    const struct {
        const char* path;
        std::size_t root;
        const char* parent;
        const char* last;
    } cases[] = {
        {"C:\\FS\\Aircraft", 3, "C:\\FS", "Aircraft"},
        {"C:", 2, "", "C:"},
        {"\\\\server\\share\\FS\\x", 15, "\\\\server\\share\\FS", "x"},
        {"\\\\?\\C:\\FS", 7, "\\\\?\\C:", "FS"},
        {"\\\\?\\UNC\\srv\\sh\\a", 15, "\\\\?\\UNC\\srv\\sh", "a"},
        {"/home/u/FS\\Aircraft", 1, "/home/u/FS", "Aircraft"},
        {"model\\a.mdl", 0, "model", "a.mdl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(path::root_length(std::string_view(c.path)), c.root);
        EXPECT_EQ(path::parent(c.path), c.parent);
        EXPECT_EQ(path::last_part(c.path), c.last);
    }
    EXPECT_EQ(path::join("C:\\", "FS"), "C:\\FS");
    EXPECT_EQ(path::join("C:\\FS", "x"), "C:\\FS\\x");
    EXPECT_EQ(path::without_trailing_separator("C:\\FS\\\\"), "C:\\FS");
    EXPECT_EQ(path::without_trailing_separator("C:\\"), "C:\\");
    EXPECT_EQ(path::parts("C:\\a\\\\b\\"), (std::vector<std::string_view>{"a", "b"}));
}

TEST(LongForm, NormalisesAsWindowsWouldBeforeThePrefixTurnsThatOff) {
    const struct {
        const wchar_t* given;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\FS\\Aircraft\\Cessna", L"\\\\?\\C:\\FS\\Aircraft\\Cessna"},
        {L"C:/FS//Aircraft/./x/../Cessna", L"\\\\?\\C:\\FS\\Aircraft\\Cessna"},
        {L"C:\\..\\..\\FS", L"\\\\?\\C:\\FS"},
        // Trailing dots and spaces go from the last name; a folder loses one trailing period.
        {L"C:\\FS\\texture.Blue.\\a.bmp. .", L"\\\\?\\C:\\FS\\texture.Blue\\a.bmp"},
        {L"C:\\FS\\Three...\\a", L"\\\\?\\C:\\FS\\Three...\\a"},
        {L"C:\\FS\\Aircraft\\", L"\\\\?\\C:\\FS\\Aircraft\\"},
        {L"C:\\FS\\a\\*", L"\\\\?\\C:\\FS\\a\\*"},
        {L"\\\\server\\share\\FS\\..\\..\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {L"//server/share/FS", L"\\\\?\\UNC\\server\\share\\FS"},
        {L"\\\\?\\C:\\FS\\a.", L"\\\\?\\C:\\FS\\a."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(path::long_form(c.given), std::wstring(c.expected)) << &c - cases;
    for (const wchar_t* relative : {L"FS\\x", L"\\FS\\x", L"C:FS", L"\\\\server", L""})
        EXPECT_FALSE(path::long_form(relative).has_value());
}

}  // namespace
}  // namespace qv
