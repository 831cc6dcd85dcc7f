// Changes to the disk through the backend of this build: read-only protection, folder creation
// and removal, copying and replacing files, and "not found" told apart from "failed".
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Tree = std::vector<std::string>;
using Call = std::function<FsStatus(const std::string&)>;

TEST(Folders, AreMadeOneLevelAtATimeAndRemovedOnlyWhenEmpty) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    EXPECT_TRUE(fs.create_folder(tmp.at("a\\b")).not_found());
    EXPECT_FALSE(tmp.exists("a"));
    ASSERT_TRUE(fs.create_folder(tmp.at("a")).ok());
    EXPECT_EQ(fs.create_folder(tmp.at("A")).error, FsError::failed);
    for (const char* level : {"A\\b", "a\\B\\c", "a\\b\\C\\d\\"})
        ASSERT_TRUE(fs.create_folder(tmp.at(level)).ok()) << level;
    tmp.write("file", "");
    EXPECT_NE(fs.create_folder(tmp.at("file\\sub")).error, FsError::none);

    EXPECT_EQ(fs.remove_folder(tmp.at("a\\b\\c")).error, FsError::failed);
    EXPECT_TRUE(fs.remove_folder(tmp.at("missing")).not_found());
    ASSERT_TRUE(fs.remove_folder(tmp.at("A\\B\\C\\D")).ok());
    EXPECT_EQ(tmp.tree(), (Tree{"a\\", "a\\b\\", "a\\b\\c\\", "file"}));
}

TEST(Errors, NotFoundIsToldApartFromFailedAndAReadOnlyFileStaysUntilSetToNormal) {
    test::TempFolder tmp;
    tmp.write("file.txt", "x");
    tmp.write("ro.txt", "original");
    tmp.make_read_only("ro.txt");
    tmp.mkdir("dir");
    FileSystem& fs = tmp.fs();
    std::string bytes;
    Attributes attrs;
    FileIdentity id;
    const Call read = [&](const std::string& p) { return fs.read_file(p, bytes); };
    const Call remove = [&](const std::string& p) { return fs.delete_file(p); };
    const Call copy_to = [&](const std::string& p) { return fs.copy_file(tmp.at("file.txt"), p); };
    const Call replace = [&](const std::string& p) { return fs.replace_file(p, "new"); };
    using E = FsError;
    const struct {
        const char* what;
        Call run;
        const char* rel;  // the path the message must name
        FsError expected;
    } cases[] = {
        {"read", read, "no.txt", E::not_found},
        {"read", read, "file.txt\\x", E::not_found},
        {"read", read, "dir", E::failed},
        {"attributes", [&](auto& p) { return fs.attributes(p, attrs); }, "no", E::not_found},
        {"set attributes", [&](auto& p) { return fs.set_attributes(p, {}); }, "no", E::not_found},
        {"identity", [&](auto& p) { return fs.identity(p, id); }, "no", E::not_found},
        {"copy from", [&](auto& p) { return fs.copy_file(p, tmp.at("c")); }, "no.txt",
         E::not_found},
        {"copy to", copy_to, "no\\c.txt", E::not_found},
        {"copy to", copy_to, "dir", E::failed},
        {"copy to", copy_to, "ro.txt", E::failed},
        {"delete", remove, "no.txt", E::not_found},
        {"delete", remove, "dir", E::failed},
        {"delete", remove, "ro.txt", E::failed},
        {"replace", replace, "no\\r.txt", E::not_found},
        {"replace", replace, "dir", E::failed},
        {"replace", replace, "ro.txt", E::failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " " + c.rel);
        const FsStatus st = c.run(tmp.at(c.rel));
        EXPECT_EQ(st.error, c.expected) << st.message;
        EXPECT_NE(st.message.find(tmp.at(c.rel)), std::string::npos) << st.message;
    }
    // Nothing changed, and no temporary file was left beside.
    EXPECT_EQ(tmp.read("ro.txt"), "original");
    EXPECT_EQ(tmp.tree(), (Tree{"dir\\", "file.txt", "ro.txt"}));

    ASSERT_TRUE(fs.set_attributes(tmp.at("ro.txt"), Attributes{}).ok());
    ASSERT_TRUE(fs.replace_file(tmp.at("ro.txt"), "replaced").ok());
    EXPECT_EQ(tmp.read("ro.txt"), "replaced");
    ASSERT_TRUE(fs.delete_file(tmp.at("ro.txt")).ok());
    EXPECT_FALSE(tmp.exists("ro.txt"));
}

TEST(CopyAndReplace, LeaveExactlyTheNewBytesUnderTheOldSpelling) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    const std::string bytes("line\r\n\0\xFF\x81 end", 13);
    for (const char* name : {"Aircraft.cfg", "copy.txt", "hidsys.txt"})
        tmp.write(name, "old text, longer than the new one");
    tmp.write("f.bin", bytes);
    tmp.make_system("hidsys.txt");
    ASSERT_TRUE(fs.replace_file(tmp.at("aircraft.cfg"), bytes).ok());
    ASSERT_TRUE(fs.replace_file(tmp.at("fresh.cfg"), "made").ok());
    ASSERT_TRUE(fs.replace_file(tmp.at("empty.bin"), "").ok());
    // A copy replaces its target, hidden and system ones too, which take the source's attributes.
    for (const char* target : {"COPY.TXT", "new.txt", "hidsys.txt"})
        ASSERT_TRUE(fs.copy_file(tmp.at("F.bin"), tmp.at(target)).ok()) << target;
    for (const char* name : {"Aircraft.cfg", "copy.txt", "f.bin", "hidsys.txt", "new.txt"})
        EXPECT_EQ(tmp.read(name), bytes) << name;
    EXPECT_EQ(tmp.read("fresh.cfg"), "made");
    EXPECT_EQ(tmp.tree(), (Tree{"Aircraft.cfg", "copy.txt", "empty.bin", "f.bin", "fresh.cfg",
                                "hidsys.txt", "new.txt"}));
    Attributes a;
    ASSERT_TRUE(fs.attributes(tmp.at("hidsys.txt"), a).ok());
    EXPECT_FALSE(a.hidden || a.system);
}

TEST(LongPaths, WorkPastTheOldPathLimitAndKeepTheirIdentityWhateverTheSpelling) {
    test::TempFolder tmp;
    FileSystem& fs = tmp.fs();
    std::string folder = tmp.path();
    for (char c = 'A'; c < 'M'; ++c) {
        folder += "\\" + std::string(30, c);
        ASSERT_TRUE(fs.create_folder(folder).ok()) << folder;
    }
    const std::string file = path::join(folder, "Aircraft.cfg");
    const std::string copy = path::join(folder, "copy.cfg");
    ASSERT_TRUE(fs.replace_file(file, "long").ok());
    ASSERT_TRUE(fs.copy_file(to_lower(file), copy).ok());
    ASSERT_TRUE(fs.replace_file(file, "again").ok());
    std::vector<std::string> names;
    ASSERT_TRUE(fs.list(path::join(folder, "*.*"), ListFilter::normal_files, names).ok());
    EXPECT_EQ(names, (Tree{"Aircraft.cfg", "copy.cfg"}));
    std::string bytes;
    ASSERT_TRUE(fs.read_file(file, bytes).ok());
    EXPECT_EQ(bytes, "again");
    FileIdentity a, b, c;
    ASSERT_TRUE(fs.identity(folder, a).ok());
    ASSERT_TRUE(fs.identity(to_lower(folder), b).ok());
    ASSERT_TRUE(fs.identity(file, c).ok());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    ASSERT_TRUE(fs.delete_file(file).ok());
    ASSERT_TRUE(fs.delete_file(copy).ok());
    // Every level goes here: the fixture's own clean-up stops at the old limit under Wine.
    for (; folder.size() > tmp.path().size(); folder.resize(folder.find_last_of('\\')))
        ASSERT_TRUE(fs.remove_folder(folder).ok()) << folder;
}

TEST(LineInput, EveryLineEndSplitsTheSameWay) {
    test::TempFolder tmp;
    const Tree cfg = {"[fltsim.0]", "title=Cub", "", "model="};
    const std::pair<std::string, Tree> cases[] = {
        {"[fltsim.0]\r\ntitle=Cub\r\n\r\nmodel=\r\n", cfg},
        {"[fltsim.0]\rtitle=Cub\r\rmodel=\r", cfg},
        {"[fltsim.0]\ntitle=Cub\n\nmodel=\n", cfg},
        {"", {}},
        {"no end", {"no end"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n\nx", {"", "", "x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.first));
        tmp.write("aircraft.cfg", c.first);
        Tree lines{"stale"};
        ASSERT_TRUE(read_lines(tmp.fs(), tmp.at("aircraft.cfg"), lines).ok());
        EXPECT_EQ(lines, c.second);
    }
}

}  // namespace
}  // namespace qv
