// Listings on the backend of this build: the attribute filters, names found without regard to case
// and returned as spelled on disk, the one listing order, and what a listing leaves out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> listing(FileSystem& fs, const std::string& pattern, ListFilter filter) {
    std::vector<std::string> names{"left over from before"};
    const FsStatus st = fs.list(pattern, filter, names);
    EXPECT_TRUE(st.ok()) << st.message;
    return names;
}

void set_attrs(test::TempFolder& tmp, const std::string& rel, bool hidden, bool system) {
    Attributes a;
    a.hidden = hidden;
    a.system = system;
    const FsStatus st = tmp.fs().set_attributes(tmp.at(rel), a);
    ASSERT_TRUE(st.ok()) << st.message;
}

// A folder with one entry of every kind the filters tell apart.
class FilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tmp.write("normal.txt", "n");
        tmp.write("ro.txt", "r");
        tmp.make_read_only("ro.txt");
        tmp.write("hidden.txt", "h");
        set_attrs(tmp, "hidden.txt", true, false);
        tmp.write("system.txt", "s");
        set_attrs(tmp, "system.txt", false, true);
        tmp.write("hidsys.txt", "hs");
        set_attrs(tmp, "hidsys.txt", true, true);
        tmp.mkdir("Dir");
        tmp.mkdir("HidDir");
        set_attrs(tmp, "HidDir", true, false);
        tmp.mkdir("SysDir");
        set_attrs(tmp, "SysDir", false, true);
    }
    void TearDown() override { tmp.fs().set_normal(tmp.at("ro.txt")); }

    test::TempFolder tmp;
};

TEST_F(FilterTest, EachFilterReturnsExactlyItsEntries) {
    const std::string all = tmp.at("*.*");
    EXPECT_THAT(listing(tmp.fs(), all, ListFilter::normal_files),
                ElementsAre("normal.txt", "ro.txt"));
    EXPECT_THAT(listing(tmp.fs(), all, ListFilter::normal_and_hidden_files),
                ElementsAre("hidden.txt", "normal.txt", "ro.txt"));
    EXPECT_THAT(listing(tmp.fs(), all, ListFilter::entries_and_directories),
                ElementsAre("Dir", "normal.txt", "ro.txt"));
}

TEST_F(FilterTest, OneNamePatternAppliesTheSameFilters) {
    struct Case {
        const char* name;
        ListFilter filter;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"NORMAL.TXT", ListFilter::normal_files, {"normal.txt"}},
        {"ro.txt", ListFilter::normal_files, {"ro.txt"}},
        {"hidden.txt", ListFilter::normal_files, {}},
        {"hidden.txt", ListFilter::normal_and_hidden_files, {"hidden.txt"}},
        {"system.txt", ListFilter::normal_and_hidden_files, {}},
        {"hidsys.txt", ListFilter::normal_and_hidden_files, {}},
        {"dir", ListFilter::normal_files, {}},
        {"dir", ListFilter::entries_and_directories, {"Dir"}},
        {"hiddir", ListFilter::entries_and_directories, {}},
        {"sysdir", ListFilter::entries_and_directories, {}},
        {"missing.txt", ListFilter::entries_and_directories, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(listing(tmp.fs(), tmp.at(c.name), c.filter), c.expected);
    }
}

TEST_F(FilterTest, AttributesAreReadAsSet) {
    struct Case {
        const char* name;
        bool directory, hidden, system, read_only;
    };
    const Case cases[] = {
        {"normal.txt", false, false, false, false}, {"ro.txt", false, false, false, true},
        {"hidden.txt", false, true, false, false},  {"system.txt", false, false, true, false},
        {"hidsys.txt", false, true, true, false},   {"Dir", true, false, false, false},
        {"HidDir", true, true, false, false},       {"SysDir", true, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Attributes a;
        ASSERT_TRUE(tmp.fs().attributes(tmp.at(c.name), a).ok());
        EXPECT_EQ(a.directory, c.directory);
        EXPECT_EQ(a.hidden, c.hidden);
        EXPECT_EQ(a.system, c.system);
        EXPECT_EQ(a.read_only, c.read_only);
        EXPECT_FALSE(a.link);
    }
}

TEST_F(FilterTest, SetNormalClearsHiddenSystemAndReadOnly) {
    for (const char* name : {"ro.txt", "hidsys.txt", "HidDir"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(tmp.fs().set_normal(tmp.at(name)).ok());
        Attributes a;
        ASSERT_TRUE(tmp.fs().attributes(tmp.at(name), a).ok());
        EXPECT_FALSE(a.hidden || a.system || a.read_only);
    }
    EXPECT_THAT(listing(tmp.fs(), tmp.at("*.*"), ListFilter::entries_and_directories),
                ElementsAre("Dir", "HidDir", "hidsys.txt", "normal.txt", "ro.txt"));
}

TEST_F(FilterTest, ScanFolderAgreesWithTheListings) {
    const std::vector<std::string> wanted = {"NORMAL.TXT", "hidden.txt", "system.txt",
                                             "dir",        "missing",    "Ro.Txt"};
    FolderScan scan;
    const FsStatus st = tmp.fs().scan_folder(tmp.path(), wanted, scan);
    ASSERT_TRUE(st.ok()) << st.message;
    EXPECT_THAT(scan.subfolders, ElementsAre("Dir"));
    EXPECT_THAT(scan.matches, ElementsAre("normal.txt", "", "", "", "", "ro.txt"));
}

TEST(CaseInsensitiveLookup, FindsUpperCaseNamesAndReturnsTheirSpelling) {
    test::TempFolder tmp;
    tmp.write("Sub\\PANEL\\Panel.CFG", "[Window Titles]");
    tmp.write("AIRCRAFT.CFG", "[fltsim.0]");
    FileSystem& fs = tmp.fs();

    EXPECT_THAT(listing(fs, tmp.at("aircraft.cfg"), ListFilter::normal_files),
                ElementsAre("AIRCRAFT.CFG"));
    EXPECT_THAT(listing(fs, tmp.at("sub\\panel\\panel.cfg"), ListFilter::normal_files),
                ElementsAre("Panel.CFG"));
    EXPECT_THAT(listing(fs, tmp.at("SUB\\*.*"), ListFilter::entries_and_directories),
                ElementsAre("PANEL"));

    std::string bytes;
    ASSERT_TRUE(fs.read_file(tmp.at("sub\\panel\\panel.cfg"), bytes).ok());
    EXPECT_EQ(bytes, "[Window Titles]");
    Attributes a;
    ASSERT_TRUE(fs.attributes(tmp.at("sub\\Panel"), a).ok());
    EXPECT_TRUE(a.directory);
}

TEST(CaseInsensitiveLookup, WildcardsAndMissingFoldersMatchNothing) {
    test::TempFolder tmp;
    tmp.write("a1.txt", "x");
    FileSystem& fs = tmp.fs();
    // Only "*.*" lists a folder; "?" in a plain name stands for a character with no single-byte
    // form and must not pick some other file.
    EXPECT_THAT(listing(fs, tmp.at("a?.txt"), ListFilter::normal_files), IsEmpty());
    EXPECT_THAT(listing(fs, tmp.at("missing\\*.*"), ListFilter::normal_files), IsEmpty());
    EXPECT_THAT(listing(fs, tmp.at("missing\\a1.txt"), ListFilter::normal_files), IsEmpty());
    EXPECT_THAT(listing(fs, tmp.at("a1.txt\\*.*"), ListFilter::normal_files), IsEmpty());

    FolderScan scan;
    const std::vector<std::string> wanted = {"a1.txt"};
    EXPECT_TRUE(fs.scan_folder(tmp.at("missing"), wanted, scan).not_found());
}

// Creates a file directly through the system, under a name the backend may not be able to make.
void create_raw(const test::TempFolder& tmp, const char* utf8_name) {
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8_name, -1, nullptr, 0);
    std::wstring name(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8_name, -1, name.data(), n);
    name.resize(static_cast<std::size_t>(n - 1));
    const std::string folder = tmp.path();
    std::wstring path(folder.begin(), folder.end());  // an ASCII temporary folder
    path += L"\\" + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << utf8_name;
    CloseHandle(h);
#else
    const std::string path = tmp.path() + "/" + utf8_name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0) << utf8_name;
    ::close(fd);
#endif
}

TEST(ListingOrder, NamesComeInTheOneOrderOnDisk) {
    test::TempFolder tmp;
    // Created in reverse, so an order kept from creation would show.
    for (const char* name : {"_u", "[x", "Z0", "z", "a_b", "ab", "aB", "Ab"}) {
#ifdef _WIN32
        // Ab, aB and ab are one name on Windows: the later ones open the file "ab".
        tmp.write(name, "");
#else
        create_raw(tmp, name);
#endif
    }
#ifdef _WIN32
    const std::vector<std::string> expected = {"ab", "a_b", "z", "Z0", "[x", "_u"};
#else
    const std::vector<std::string> expected = {"Ab", "aB", "ab", "a_b", "z", "Z0", "[x", "_u"};
#endif
    EXPECT_EQ(listing(tmp.fs(), tmp.at("*.*"), ListFilter::normal_files), expected);
}

TEST(ListingOrder, SingleByteNamesSortByTheirUpperCaseForm) {
    test::TempFolder tmp;
    // é sorts as É (C9), after Z; ÿ as Ÿ (U+0178), which comes before ž as Ž (U+017D).
    for (const char* name : {"\xFE", "\xE9t\xE9", "Z", "\x9E", "\xFF", "Ea"}) tmp.write(name, "");
    EXPECT_THAT(listing(tmp.fs(), tmp.at("*.*"), ListFilter::normal_files),
                ElementsAre("Ea", "Z", "\xE9t\xE9", "\xFE", "\xFF", "\x9E"));
}

TEST(UnmappableNames, ComeBackWithQuestionMarksAndActLikeMissingFiles) {
    test::TempFolder tmp;
    tmp.write("A.txt", "keep");
    create_raw(tmp, "\xC4\x80.txt");  // U+0100, no Windows-1252 form (a best fit would be "A")
    FileSystem& fs = tmp.fs();

    EXPECT_THAT(listing(fs, tmp.at("*.*"), ListFilter::normal_files),
                ElementsAre("?.txt", "A.txt"));
    Attributes a;
    EXPECT_TRUE(fs.attributes(tmp.at("?.txt"), a).not_found());
    std::string bytes;
    EXPECT_TRUE(fs.read_file(tmp.at("?.txt"), bytes).not_found());
    EXPECT_TRUE(fs.delete_file(tmp.at("?.txt")).not_found());
    EXPECT_EQ(tmp.read("A.txt"), "keep");

    FolderScan scan;
    const std::vector<std::string> wanted = {"?.txt", "a.txt"};
    ASSERT_TRUE(fs.scan_folder(tmp.path(), wanted, scan).ok());
    EXPECT_THAT(scan.matches, ElementsAre("", "A.txt"));
}

#ifndef _WIN32
// Wine can't create links through the Windows API, so these come from the Linux side only.
TEST(Links, DanglingLinksAreLeftOutAndFolderLinksReported) {
    test::TempFolder tmp;
    tmp.write("Dir\\file.txt", "x");
    ASSERT_EQ(::symlink("Dir", (tmp.path() + "/LinkDir").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (tmp.path() + "/Dangling").c_str()), 0);
    ASSERT_EQ(::symlink("Dir/file.txt", (tmp.path() + "/link.txt").c_str()), 0);
    FileSystem& fs = tmp.fs();

    EXPECT_THAT(listing(fs, tmp.at("*.*"), ListFilter::entries_and_directories),
                ElementsAre("Dir", "link.txt", "LinkDir"));
    EXPECT_THAT(listing(fs, tmp.at("dangling"), ListFilter::entries_and_directories), IsEmpty());

    Attributes a;
    ASSERT_TRUE(fs.attributes(tmp.at("linkdir"), a).ok());
    EXPECT_TRUE(a.link);
    EXPECT_TRUE(a.directory);
    ASSERT_TRUE(fs.attributes(tmp.at("Dir"), a).ok());
    EXPECT_FALSE(a.link);
    EXPECT_TRUE(fs.attributes(tmp.at("Dangling"), a).not_found());

    FolderScan scan;
    ASSERT_TRUE(fs.scan_folder(tmp.path(), {}, scan).ok());
    EXPECT_THAT(scan.subfolders, ElementsAre("Dir", "LinkDir"));

    // A link is never removed as if it were its folder.
    EXPECT_FALSE(fs.remove_folder(tmp.at("LinkDir")).ok());
    EXPECT_EQ(tmp.read("Dir\\file.txt"), "x");
}
#endif

}  // namespace
}  // namespace qv
