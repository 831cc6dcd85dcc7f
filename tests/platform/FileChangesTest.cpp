// Changes to the disk through the backend of this build: read-only protection, folder creation
// and removal, copying, replacing and writing files, and "not found" told apart from "failed".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> all_entries(test::TempFolder& tmp, const std::string& rel = "") {
    std::vector<std::string> names;
    const std::string pattern = rel.empty() ? tmp.at("*.*") : tmp.at(rel + "\\*.*");
    EXPECT_TRUE(tmp.fs().list(pattern, ListFilter::entries_and_directories, names).ok());
    return names;
}

TEST(ReadOnlyProtection, FileCannotBeChangedUntilSetToNormal) {
    test::TempFolder tmp;
    tmp.write("ro.txt", "original");
    tmp.write("other.txt", "other");
    tmp.make_read_only("ro.txt");
    FileSystem& fs = tmp.fs();
    const std::string ro = tmp.at("ro.txt");

    struct Change {
        const char* name;
        std::function<FsStatus()> run;
    };
    const std::vector<Change> changes = {
        {"delete", [&] { return fs.delete_file(ro); }},
        {"replace", [&] { return fs.replace_file(ro, "new"); }},
        {"write", [&] { return fs.write_file(ro, "new"); }},
        {"copy onto", [&] { return fs.copy_file(tmp.at("other.txt"), ro); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        const FsStatus st = c.run();
        EXPECT_EQ(st.error, FsError::failed);
        EXPECT_THAT(st.message, HasSubstr(ro));
        EXPECT_EQ(tmp.read("ro.txt"), "original");
    }
    EXPECT_THAT(all_entries(tmp), ElementsAre("other.txt", "ro.txt"));

    ASSERT_TRUE(fs.set_normal(ro).ok());
    ASSERT_TRUE(fs.replace_file(ro, "replaced").ok());
    EXPECT_EQ(tmp.read("ro.txt"), "replaced");
    ASSERT_TRUE(fs.delete_file(ro).ok());
    EXPECT_FALSE(tmp.exists("ro.txt"));
}

TEST(Folders, OneLevelCreationNeedsItsParent) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    EXPECT_TRUE(fs.create_folder(tmp.at("a\\b")).not_found());
    EXPECT_FALSE(tmp.exists("a"));

    ASSERT_TRUE(fs.create_folder(tmp.at("a")).ok());
    EXPECT_EQ(fs.create_folder(tmp.at("A")).error, FsError::failed);
    ASSERT_TRUE(fs.create_folder(tmp.at("a\\b")).ok());
    EXPECT_EQ(tmp.tree(), (std::vector<std::string>{"a\\", "a\\b\\"}));
}

TEST(Folders, CreationWithParentsMakesEveryLevelOnce) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    ASSERT_TRUE(fs.create_folders(tmp.at("x\\y\\z")).ok());
    ASSERT_TRUE(fs.create_folders(tmp.at("X\\Y\\z\\w\\")).ok());
    EXPECT_EQ(tmp.tree(), (std::vector<std::string>{"x\\", "x\\y\\", "x\\y\\z\\", "x\\y\\z\\w\\"}));

    tmp.write("file", "");
    EXPECT_EQ(fs.create_folders(tmp.at("file\\sub")).error, FsError::failed);
}

TEST(Folders, OnlyAnEmptyFolderIsRemoved) {
    test::TempFolder tmp;
    tmp.write("full\\inside.txt", "x");
    tmp.mkdir("empty");
    FileSystem& fs = tmp.fs();

    EXPECT_EQ(fs.remove_folder(tmp.at("full")).error, FsError::failed);
    EXPECT_EQ(tmp.read("full\\inside.txt"), "x");
    EXPECT_EQ(fs.remove_folder(tmp.at("full\\inside.txt")).error, FsError::failed);
    EXPECT_TRUE(fs.remove_folder(tmp.at("missing")).not_found());
    ASSERT_TRUE(fs.remove_folder(tmp.at("EMPTY")).ok());
    EXPECT_THAT(all_entries(tmp), ElementsAre("full"));
}

TEST(Errors, NotFoundIsToldApartFromFailed) {
    test::TempFolder tmp;
    tmp.write("file.txt", "x");
    tmp.mkdir("dir");
    FileSystem& fs = tmp.fs();
    std::string bytes;
    Attributes attrs;
    FileIdentity id;

    struct Case {
        const char* name;
        std::function<FsStatus()> run;
        FsError expected;
        std::string path_in_message;
    };
    const std::vector<Case> cases = {
        {"read missing", [&] { return fs.read_file(tmp.at("no.txt"), bytes); }, FsError::not_found,
         tmp.at("no.txt")},
        {"read in missing folder", [&] { return fs.read_file(tmp.at("no\\file.txt"), bytes); },
         FsError::not_found, tmp.at("no\\file.txt")},
        {"read below a file", [&] { return fs.read_file(tmp.at("file.txt\\x"), bytes); },
         FsError::not_found, tmp.at("file.txt\\x")},
        {"read a folder", [&] { return fs.read_file(tmp.at("dir"), bytes); }, FsError::failed,
         tmp.at("dir")},
        {"attributes of missing", [&] { return fs.attributes(tmp.at("no"), attrs); },
         FsError::not_found, tmp.at("no")},
        {"set attributes of missing", [&] { return fs.set_normal(tmp.at("no")); },
         FsError::not_found, tmp.at("no")},
        {"delete missing", [&] { return fs.delete_file(tmp.at("no.txt")); }, FsError::not_found,
         tmp.at("no.txt")},
        {"delete a folder", [&] { return fs.delete_file(tmp.at("dir")); }, FsError::failed,
         tmp.at("dir")},
        {"copy from missing", [&] { return fs.copy_file(tmp.at("no.txt"), tmp.at("c.txt")); },
         FsError::not_found, tmp.at("no.txt")},
        {"copy into missing folder",
         [&] { return fs.copy_file(tmp.at("file.txt"), tmp.at("no\\c.txt")); }, FsError::not_found,
         tmp.at("no\\c.txt")},
        {"copy onto a folder", [&] { return fs.copy_file(tmp.at("file.txt"), tmp.at("dir")); },
         FsError::failed, tmp.at("dir")},
        {"write into missing folder", [&] { return fs.write_file(tmp.at("no\\w.txt"), "x"); },
         FsError::not_found, tmp.at("no\\w.txt")},
        {"replace in missing folder", [&] { return fs.replace_file(tmp.at("no\\r.txt"), "x"); },
         FsError::not_found, tmp.at("no\\r.txt")},
        {"identity of missing", [&] { return fs.identity(tmp.at("no"), id); }, FsError::not_found,
         tmp.at("no")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FsStatus st = c.run();
        EXPECT_EQ(st.error, c.expected) << st.message;
        EXPECT_THAT(st.message, HasSubstr(c.path_in_message));
    }
    EXPECT_EQ(tmp.tree(), (std::vector<std::string>{"dir\\", "file.txt"}));
}

TEST(CopyFile, ReplacesTheTargetKeepingItsSpelling) {
    test::TempFolder tmp;
    tmp.write("a.txt", "old and longer");
    tmp.write("b.txt", "new");
    FileSystem& fs = tmp.fs();

    ASSERT_TRUE(fs.copy_file(tmp.at("B.TXT"), tmp.at("A.TXT")).ok());
    EXPECT_EQ(tmp.read("a.txt"), "new");
    EXPECT_EQ(tmp.read("b.txt"), "new");
    EXPECT_THAT(all_entries(tmp), ElementsAre("a.txt", "b.txt"));

    ASSERT_TRUE(fs.copy_file(tmp.at("b.txt"), tmp.at("c.txt")).ok());
    EXPECT_EQ(tmp.read("c.txt"), "new");

    // Hidden and system targets are replaced too, and take the source's attributes.
    tmp.write("hidsys.txt", "old");
    tmp.make_system("hidsys.txt");
    ASSERT_TRUE(fs.copy_file(tmp.at("b.txt"), tmp.at("hidsys.txt")).ok());
    EXPECT_EQ(tmp.read("hidsys.txt"), "new");
    Attributes a;
    ASSERT_TRUE(fs.attributes(tmp.at("hidsys.txt"), a).ok());
    EXPECT_FALSE(a.hidden || a.system);
}

TEST(ReplaceFile, SwapsInTheNewTextAndLeavesNothingBeside) {
    test::TempFolder tmp;
    tmp.write("Aircraft.cfg", "old text that is longer");
    FileSystem& fs = tmp.fs();

    ASSERT_TRUE(fs.replace_file(tmp.at("aircraft.cfg"), "new").ok());
    EXPECT_EQ(tmp.read("Aircraft.cfg"), "new");
    ASSERT_TRUE(fs.replace_file(tmp.at("fresh.cfg"), "made").ok());
    EXPECT_EQ(tmp.read("fresh.cfg"), "made");
    EXPECT_EQ(tmp.tree(), (std::vector<std::string>{"Aircraft.cfg", "fresh.cfg"}));
}

TEST(ReplaceFile, FailureLeavesTheOldFileIntact) {
    test::TempFolder tmp;
    tmp.write("ro.cfg", "old");
    tmp.make_read_only("ro.cfg");
    tmp.write("dir\\keep.txt", "k");
    FileSystem& fs = tmp.fs();

    EXPECT_EQ(fs.replace_file(tmp.at("ro.cfg"), "new").error, FsError::failed);
    EXPECT_EQ(fs.replace_file(tmp.at("dir"), "new").error, FsError::failed);
    EXPECT_EQ(tmp.read("ro.cfg"), "old");
    EXPECT_EQ(tmp.tree(), (std::vector<std::string>{"dir\\", "dir\\keep.txt", "ro.cfg"}));
    fs.set_normal(tmp.at("ro.cfg"));
}

TEST(WriteFile, TruncatesAndKeepsBytesAsTheyAre) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    const std::string bytes("line\r\n\0\xFF\x81 end", 13);
    ASSERT_TRUE(fs.write_file(tmp.at("f.bin"), "a much longer first content").ok());
    ASSERT_TRUE(fs.write_file(tmp.at("F.BIN"), bytes).ok());
    EXPECT_EQ(tmp.read("f.bin"), bytes);
    ASSERT_TRUE(fs.write_file(tmp.at("f.bin"), "").ok());
    EXPECT_EQ(tmp.read("f.bin"), "");
    EXPECT_THAT(all_entries(tmp), ElementsAre("f.bin"));
}

TEST(Identity, SameEntryWhateverTheSpelling) {
    test::TempFolder tmp;
    tmp.write("Dir\\one.txt", "1");
    tmp.write("Dir\\two.txt", "2");
    FileSystem& fs = tmp.fs();
    FileIdentity a, b, c, d;
    ASSERT_TRUE(fs.identity(tmp.at("Dir\\one.txt"), a).ok());
    ASSERT_TRUE(fs.identity(tmp.at("dir\\ONE.TXT"), b).ok());
    ASSERT_TRUE(fs.identity(tmp.at("Dir\\two.txt"), c).ok());
    ASSERT_TRUE(fs.identity(tmp.at("DIR"), d).ok());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(a, d);
}

TEST(LongPaths, WorkPastTheOldPathLimit) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    std::string rel;
    for (int i = 0; i < 12; ++i)
        rel += (rel.empty() ? "" : "\\") + std::string(30, static_cast<char>('a' + i));
    const std::string folder = tmp.at(rel);
    ASSERT_GT(folder.size(), 300u);
    ASSERT_TRUE(fs.create_folders(folder).ok());
    const std::string file = join_path(folder, "Aircraft.cfg");
    ASSERT_TRUE(fs.write_file(file, "long").ok());

    std::string bytes;
    ASSERT_TRUE(fs.read_file(to_lower(file), bytes).ok());
    EXPECT_EQ(bytes, "long");
    std::vector<std::string> names;
    ASSERT_TRUE(fs.list(join_path(folder, "*.*"), ListFilter::normal_files, names).ok());
    EXPECT_THAT(names, ElementsAre("Aircraft.cfg"));
    ASSERT_TRUE(fs.copy_file(file, join_path(folder, "copy.cfg")).ok());
    ASSERT_TRUE(fs.replace_file(file, "again").ok());
    ASSERT_TRUE(fs.read_file(file, bytes).ok());
    EXPECT_EQ(bytes, "again");
    ASSERT_TRUE(fs.delete_file(file).ok());
    ASSERT_TRUE(fs.delete_file(join_path(folder, "copy.cfg")).ok());
    ASSERT_TRUE(fs.remove_folder(folder).ok());
}

TEST(LineInput, EveryLineEndSplitsTheSameWay) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    const std::vector<std::string> expected = {"[fltsim.0]", "title=Cub", "", "model="};
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(eol)));
        std::string text;
        for (const auto& line : expected) text += line + eol;
        tmp.write("aircraft.cfg", text);
        std::vector<std::string> lines;
        ASSERT_TRUE(read_lines(fs, tmp.at("aircraft.cfg"), lines).ok());
        EXPECT_EQ(lines, expected);
    }

    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"no end", {"no end"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb\r\n", {"a", "", "b"}},
        {"\r\n\r\nx", {"", "", "x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        tmp.write("mixed.cfg", c.bytes);
        std::vector<std::string> lines{"stale"};
        ASSERT_TRUE(read_lines(fs, tmp.at("mixed.cfg"), lines).ok());
        EXPECT_EQ(lines, c.lines);
    }
    std::vector<std::string> lines;
    EXPECT_TRUE(read_lines(fs, tmp.at("missing.cfg"), lines).not_found());
}

}  // namespace
}  // namespace qv
