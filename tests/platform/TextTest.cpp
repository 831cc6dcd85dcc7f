// The single-byte code page the core keeps its strings in: conversion to and from UTF-8, case
// folding, and the listing order, which are pure functions and checked on every name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ListingOrder.h"
#include "platform/Text.h"

namespace qv {
namespace {

TEST(Cp1252, DecodesToUtf8) {
    struct Case {
        std::string cp1252, utf8;
    };
    const std::vector<Case> cases = {
        {"Cessna 172", "Cessna 172"},
        {"\x80", "\xE2\x82\xAC"},                      // €
        {"\x8A\x9A\x9F", "\xC5\xA0\xC5\xA1\xC5\xB8"},  // Š š Ÿ
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},            // été
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        // The five bytes the code page leaves undefined keep their own code points.
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.cp1252));
        EXPECT_EQ(cp1252_to_utf8(c.cp1252), c.utf8);
        bool lossless = false;
        EXPECT_EQ(utf8_to_cp1252(c.utf8, &lossless), c.cp1252);
        EXPECT_TRUE(lossless);
    }
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    bool lossless = false;
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all), &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(Cp1252, UnmappableAndMalformedTextBecomesQuestionMarks) {
    struct Case {
        std::string utf8, cp1252;
    };
    const std::vector<Case> cases = {
        {"\xC4\x80", "?"},  // Ā: no single-byte form, and no best fit to A
        {"a\xF0\x9F\x98\x80"
         "b",
         "a?b"},                             // one character outside the BMP
        {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},  // 日本
        {"x\xFFy", "x?y"},                   // not UTF-8 at all
        {"\xC3", "?"},                       // cut short
        {"\xED\xA0\x80", "???"},             // a surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        bool lossless = true;
        EXPECT_EQ(utf8_to_cp1252(c.utf8, &lossless), c.cp1252);
        EXPECT_FALSE(lossless);
    }
    // An overlong "/" must never turn into a path separator.
    const std::string overlong = utf8_to_cp1252(
        "..\xC0\xAF"
        "x");
    EXPECT_EQ(overlong.find('/'), std::string::npos);
    EXPECT_EQ(overlong.find('\\'), std::string::npos);
}

TEST(CaseFolding, FoldsAsciiAndCodePageLetters) {
    EXPECT_EQ(to_lower("AIRCRAFT.CFG [FltSim.0]"), "aircraft.cfg [fltsim.0]");
    EXPECT_EQ(to_lower("\xC0\xC9\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xFE\x9A\x9C\x9E\xFF");
    // × and ÷, ß and the symbols between the letters are not letters to fold.
    EXPECT_EQ(to_lower("\xD7\xDF\x80\x9A@[_"), "\xD7\xDF\x80\x9A@[_");

    EXPECT_TRUE(iequals("Panel.CFG", "panel.cfg"));
    EXPECT_TRUE(iequals("\xC9T\xC9", "\xE9t\xE9"));
    EXPECT_FALSE(iequals("\xD7", "\xF7"));
    EXPECT_FALSE(iequals("panel", "panel.cfg"));
    EXPECT_FALSE(iequals("a_b", "a-b"));
}

TEST(ListingOrderFunction, SortsByUpperCaseThenExactName) {
    const std::vector<std::string> expected = {"Ab", "aB", "ab", "a_b", "z", "Z0", "[x", "_u"};
    std::vector<std::string> names(expected.rbegin(), expected.rend());
    std::rotate(names.begin(), names.begin() + 3, names.end());
    sort_listing(names);
    EXPECT_EQ(names, expected);

    struct Case {
        const char* a;
        const char* b;
    };
    const Case ordered[] = {
        {"Ab", "aB"},     {"a", "A_"},          {"Z", "\xE9"},  // Z before é (as É)
        {"\xC9", "\xE9"}, {"\xFF", "\x9E"},  // ÿ (as Ÿ U+0178) before ž (as Ž U+017D)
        {"\x9A", "\x80"}, {"panel", "panel.1"}, {"Panel", "panel"},  // š (as Š) before €
    };
    for (const auto& c : ordered) {
        SCOPED_TRACE(std::string(c.a) + " < " + c.b);
        EXPECT_TRUE(listing_less(c.a, c.b));
        EXPECT_FALSE(listing_less(c.b, c.a));
    }
    EXPECT_FALSE(listing_less("same", "same"));
}

}  // namespace
}  // namespace qv
