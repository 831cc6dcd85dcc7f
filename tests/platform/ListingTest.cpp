// Listings on the backend of this build: the attribute filters, names found without regard to case
// and returned as spelled on disk, the one listing order, and what a listing leaves out.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Names = std::vector<std::string>;

Names listing(test::TempFolder& tmp, const std::string& rel, ListFilter filter) {
    Names names{"left over from before"};
    const FsStatus st = tmp.fs().list(tmp.at(rel), filter, names);
    EXPECT_TRUE(st.ok()) << st.message;
    return names;
}

// The attributes as letters: directory, hidden, system, read-only, link.
std::string attribute_flags(FileSystem& fs, const std::string& path) {
    Attributes a;
    if (!fs.attributes(path, a).ok()) return "missing";
    return std::string(a.directory ? "d" : "") + (a.hidden ? "h" : "") + (a.system ? "s" : "") +
           (a.read_only ? "r" : "") + (a.link ? "l" : "");
}

// Creates a file straight through the system, under a name the backend may not make.
void create_raw(test::TempFolder& tmp, const char8_t* name) {
    ASSERT_TRUE(std::ofstream(tmp.native("") / name));
}

// A scan's subfolders as "name" or "name (link)".
std::vector<std::string> subfolders(const FolderScan& scan) {
    std::vector<std::string> out;
    for (const auto& f : scan.subfolders) out.push_back(f.name + (f.link ? " (link)" : ""));
    return out;
}

TEST(Filters, EachFilterAndLookupReturnsExactlyItsEntriesAsSpelled) {
    test::TempFolder tmp;
    // One entry of every kind the filters tell apart, in listing order, made with these
    // attributes: directory, hidden, system, read-only.
    const std::pair<const char*, std::string_view> entries[] = {
        {"Dir", "d"},       {"hidden.txt", "h"}, {"HidDir", "dh"}, {"hidsys.txt", "hs"},
        {"normal.txt", ""}, {"ro.txt", "r"},     {"SysDir", "ds"}, {"system.txt", "s"}};
    for (const auto& [name, flags] : entries) {
        auto has = [&](char c) { return flags.find(c) != std::string::npos; };
        has('d') ? tmp.mkdir(name) : tmp.write(name, name);
        const Attributes a{.hidden = has('h'), .system = has('s'), .read_only = has('r')};
        ASSERT_TRUE(tmp.fs().set_attributes(tmp.at(name), a).ok()) << name;
    }
    tmp.write("Dir\\Panel.CFG", "[Window Titles]");

    // Each filter leaves out the entries with any of these attributes, in a listing of the
    // folder and in a lookup of one name (found without regard to case, returned as spelled).
    const std::pair<ListFilter, std::string_view> filters[] = {
        {ListFilter::normal_files, "dhs"},
        {ListFilter::normal_and_hidden_files, "ds"},
        {ListFilter::entries_and_directories, "hs"},
        {ListFilter::everything, ""}};
    for (const auto& [filter, left_out] : filters) {
        SCOPED_TRACE(left_out);
        Names listed;
        for (const auto& [name, flags] : entries) {
            const bool in = flags.find_first_of(left_out) == std::string::npos;
            if (in) listed.push_back(name);
            EXPECT_EQ(listing(tmp, to_lower(name), filter), in ? Names{name} : Names{}) << name;
        }
        EXPECT_EQ(listing(tmp, "*.*", filter), listed);
    }
    const std::pair<const char*, Names> lookups[] = {
        {"DIR\\*.*", {"Panel.CFG"}},
        {"dir\\panel.cfg", {"Panel.CFG"}},
        // Only "*.*" lists a folder; "?" stands for a character with no single-byte form and
        // must not pick some other file.
        {"n?rmal.txt", {}},
        {"missing\\*.*", {}},
        {"normal.txt\\*.*", {}},
    };
    for (const auto& [pattern, expected] : lookups)
        EXPECT_EQ(listing(tmp, pattern, ListFilter::entries_and_directories), expected) << pattern;
    EXPECT_EQ(tmp.read("dIR\\PANEL.cfg"), "[Window Titles]");

    const Names wanted = {"NORMAL.TXT", "hidden.txt", "system.txt", "dir", "missing", "Ro.Txt"};
    FolderScan scan;
    ASSERT_TRUE(tmp.fs().scan_folder(tmp.path(), wanted, scan).ok());
    EXPECT_EQ(subfolders(scan), Names{"Dir"});
    EXPECT_EQ(scan.matches, (Names{"normal.txt", "", "", "", "", "ro.txt"}));
    EXPECT_TRUE(tmp.fs().scan_folder(tmp.at("missing"), wanted, scan).not_found());

    for (const auto& [name, flags] : entries) {
        SCOPED_TRACE(name);
        EXPECT_EQ(attribute_flags(tmp.fs(), tmp.at(name)), flags);
        ASSERT_TRUE(tmp.fs().set_attributes(tmp.at(name), {}).ok());
        EXPECT_EQ(attribute_flags(tmp.fs(), tmp.at(name)), flags.starts_with('d') ? "d" : "");
    }
}

TEST(Names, ComeInTheOneListingOrderAndUnmappableOnesAsMissingFiles) {
    test::TempFolder tmp;
    // Made in reverse and past the backend, whose lookup without regard to case would open "Ab"
    // for "aB". U+0100 has no Windows-1252 form, and its best fit "A" must not be used.
    for (const char8_t* name :
         {u8"\u20AC", u8"\u017E", u8"\u00FF", u8"\u0161", u8"\u00FE", u8"\u00E9t\u00E9", u8"_u",
          u8"[x", u8"Z0", u8"z", u8"a_b", u8"ab", u8"aB", u8"Ab", u8"A.txt", u8"\u0100.txt"})
        create_raw(tmp, name);
    // Names sort by their upper-case form: é, þ, š, ÿ, ž, € as C9, DE, U+0160, U+0178, U+017D, €.
    Names expected = {"?.txt", "A.txt", "Ab",        "aB",   "ab",   "a_b",  "z",    "Z0",
                      "[x",    "_u",    "\xE9t\xE9", "\xFE", "\x9A", "\xFF", "\x9E", "\x80"};
#ifdef _WIN32
    // Ab, aB and ab are one name on Windows: the first one made stays.
    expected.erase(expected.begin() + 2, expected.begin() + 4);
#endif
    EXPECT_EQ(listing(tmp, "*.*", ListFilter::normal_files), expected);
    std::string bytes;
    EXPECT_TRUE(tmp.fs().read_file(tmp.at("?.txt"), bytes).not_found());
    FolderScan scan;
    const Names wanted = {"?.txt", "a.txt"};
    ASSERT_TRUE(tmp.fs().scan_folder(tmp.path(), wanted, scan).ok());
    EXPECT_EQ(scan.matches, (Names{"", "A.txt"}));
    // The walk names what no path can reach.
    EXPECT_EQ(scan.unreachable, Names{"?.txt"});
}

#ifndef _WIN32
TEST(Links, DanglingLinksAreLeftOutAndFolderLinksReported) {
    test::TempFolder tmp;
    tmp.write("Dir\\file.txt", "x");
    tmp.link("Dir", "LinkDir");
    tmp.link("nowhere", "Dangling");
    tmp.link("Dir\\file.txt", "link.txt");
    FileSystem& fs = tmp.fs();

    EXPECT_EQ(listing(tmp, "*.*", ListFilter::entries_and_directories),
              (Names{"Dir", "link.txt", "LinkDir"}));
    EXPECT_EQ(listing(tmp, "dangling", ListFilter::entries_and_directories), Names{});
    EXPECT_EQ(attribute_flags(fs, tmp.at("linkdir")), "dl");
    EXPECT_EQ(attribute_flags(fs, tmp.at("Dangling")), "missing");
    FolderScan scan;
    ASSERT_TRUE(fs.scan_folder(tmp.path(), {}, scan).ok());
    EXPECT_EQ(subfolders(scan), (Names{"Dir", "LinkDir (link)"}));
    std::string real;
    ASSERT_TRUE(fs.real_path(tmp.at("linkdir"), real).ok());
    std::string dir;
    ASSERT_TRUE(fs.real_path(tmp.at("Dir"), dir).ok());
    EXPECT_EQ(real, dir);
    // A link is never removed as if it were its folder.
    EXPECT_FALSE(fs.remove_folder(tmp.at("LinkDir")).ok());
    EXPECT_EQ(tmp.read("Dir\\file.txt"), "x");
}
#endif

}  // namespace
}  // namespace qv
