// The single-byte code page the core keeps its strings in: conversion to and from UTF-8, and case
// folding, pure functions checked on every name. (The listing order is checked on disk.)
#include <gtest/gtest.h>

#include <string>

#include "platform/Text.h"

namespace qv {
namespace {

TEST(Cp1252, ConvertsToAndFromUtf8) {
    const struct {
        std::string cp1252, utf8;
        bool lossless;
    } cases[] = {
        {"Cessna 172", "Cessna 172", true},
        {"\x80\x8A\x9A\x9F", "\xE2\x82\xAC\xC5\xA0\xC5\xA1\xC5\xB8", true},  // € Š š Ÿ
        {"\xE9t\xE9\xA0\xFF", "\xC3\xA9t\xC3\xA9\xC2\xA0\xC3\xBF", true},    // été, nbsp, ÿ
        // The five bytes the code page leaves undefined keep their own code points.
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", true},
        // What has no single-byte form, or is no UTF-8, becomes "?" (no best fit: Ā is not A).
        {"a?z???", "a\xC4\x80z\xF0\x9F\x98\x80\xE6\x97\xA5\xE6\x9C\xAC", false},  // Ā, 😀, 日本
        {"x?y?", "x\xFFy\xC3", false},   // no UTF-8 at all, or cut short
        {"???", "\xED\xA0\x80", false},  // a surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        bool lossless = !c.lossless;
        EXPECT_EQ(utf8_to_cp1252(c.utf8, &lossless), c.cp1252);
        EXPECT_EQ(lossless, c.lossless);
        if (c.lossless) {
            EXPECT_EQ(cp1252_to_utf8(c.cp1252), c.utf8);
        }
    }
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    bool lossless = false;
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all), &lossless), all);
    EXPECT_TRUE(lossless);
    // An overlong "/" must never turn into a path separator.
    EXPECT_EQ(utf8_to_cp1252("..\xC0\xAFx").find_first_of("/\\"), std::string::npos);
}

TEST(CaseFolding, FoldsAsciiAndCodePageLetters) {
    EXPECT_EQ(to_lower("AIRCRAFT.CFG [FltSim.0]"), "aircraft.cfg [fltsim.0]");
    EXPECT_EQ(to_lower("\xC0\xC9\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xFE\x9A\x9C\x9E\xFF");
    // × and ÷, ß and the symbols between the letters are not letters to fold.
    EXPECT_EQ(to_lower("\xD7\xDF\x80\x9A@[_"), "\xD7\xDF\x80\x9A@[_");
    EXPECT_TRUE(iequals("Panel.CFG \xC9T\xC9", "panel.cfg \xE9t\xE9"));
    EXPECT_FALSE(iequals("\xD7", "\xF7"));
    EXPECT_FALSE(iequals("panel", "panel.cfg"));
}

TEST(Counts, ReadAsAPersonReadsThem) {
    const struct {
        std::uint64_t n;
        const char* thousands;
        const char* size;
    } cases[] = {
        {0, "0", "0 bytes"},
        {1, "1", "1 byte"},
        {999, "999", "999 bytes"},
        {1023, "1,023", "1023 bytes"},
        {1024, "1,024", "1.0 KB"},
        {20700, "20,700", "20.2 KB"},
        {1048575, "1,048,575", "1.0 MB"},
        {1288490189, "1,288,490,189", "1.2 GB"},
        {5ull << 40, "5,497,558,138,880", "5.0 TB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_thousands(c.n), c.thousands);
        EXPECT_EQ(human_size(c.n), c.size) << c.n;
    }
    EXPECT_EQ(one_of("Removing %1 of %2: %3", 37, 502, "Cessna %1 100%"),
              "Removing 37 of 502: Cessna %1 100%");
}

}  // namespace
}  // namespace qv
