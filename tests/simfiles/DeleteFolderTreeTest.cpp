#include "simfiles/DeleteFolderTree.h"

#include <gtest/gtest.h>

#include "support/FailingFileSystem.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <unistd.h>

#include "platform/Text.h"
#endif

namespace qv {
namespace {

using Tree = std::vector<std::string>;

TEST(DeleteFolderTree, EmptiesEveryLevelAndKeepsTheFolder) {
    for (const char* suffix : {"", "\\"}) {
        SCOPED_TRACE(std::string("path ending in '") + suffix + "'");
        test::TempFolder tmp;
        tmp.write("x\\ro.txt", "r");
        tmp.make_read_only("x\\ro.txt");
        tmp.write("x\\hid.txt", "h");
        tmp.hide("x\\hid.txt");
        tmp.write("x\\a\\b\\c\\deep.bin", "d");
        tmp.write("x\\a\\one.txt", "1");
        const TreeDeletion r = DeleteFolderTree(tmp.fs(), tmp.at("x") + suffix);
        EXPECT_TRUE(r.complete()) << r.failure.message;
        EXPECT_EQ(tmp.tree(), Tree{"x\\"});
    }
}

TEST(DeleteFolderTree, AMissingOrEmptyFolderIsNoFailure) {
    test::TempFolder tmp;
    tmp.mkdir("empty");
    EXPECT_TRUE(DeleteFolderTree(tmp.fs(), tmp.at("empty")).complete());
    EXPECT_TRUE(DeleteFolderTree(tmp.fs(), tmp.at("missing")).complete());
    EXPECT_EQ(tmp.tree(), Tree{"empty\\"});
}

TEST(DeleteFolderTree, LeavesHiddenFoldersAndSystemFilesAndStopsAtTheFirstFailure) {
    test::TempFolder tmp;
    tmp.write("x\\.hidden\\keep.txt", "k");
    tmp.write("x\\sys.dat", "s");
    tmp.make_system("x\\sys.dat");
    // "a" can't be removed (its system file stays), which ends the deletion before "b".
    tmp.write("x\\a\\sys.dat", "s");
    tmp.make_system("x\\a\\sys.dat");
    tmp.write("x\\a\\gone.txt", "g");
    tmp.write("x\\b\\stays.txt", "t");
    const TreeDeletion r = DeleteFolderTree(tmp.fs(), tmp.at("x"));
    EXPECT_FALSE(r.failure.ok());
    EXPECT_EQ(tmp.tree(), (Tree{"x\\", "x\\.hidden\\", "x\\.hidden\\keep.txt", "x\\a\\",
                                "x\\a\\sys.dat", "x\\b\\", "x\\b\\stays.txt", "x\\sys.dat"}));
}

TEST(DeleteFolderTree, AFailingDeleteEndsTheDeletionWithItsError) {
    test::TempFolder tmp;
    tmp.write("x\\a\\locked.txt", "l");
    tmp.write("x\\b\\later.txt", "t");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::delete_file, "locked.txt");
    const TreeDeletion r = DeleteFolderTree(fs, tmp.at("x"));
    EXPECT_NE(r.failure.message.find("locked.txt"), std::string::npos) << r.failure.message;
    EXPECT_EQ(tmp.tree(), (Tree{"x\\", "x\\a\\", "x\\a\\locked.txt", "x\\b\\", "x\\b\\later.txt"}));
}

#ifndef _WIN32
// Wine can't make links; they are made from the Linux side.
void MakeLink(test::TempFolder& tmp, const std::string& target_rel, const std::string& link_rel) {
    auto native = [&](const std::string& rel) {
        std::string p = cp1252_to_utf8(tmp.at(rel));
        for (char& c : p)
            if (c == '\\') c = '/';
        return p;
    };
    ASSERT_EQ(::symlink(native(target_rel).c_str(), native(link_rel).c_str()), 0);
}

TEST(DeleteFolderTree, NeverEntersOrRemovesALink) {
    test::TempFolder tmp;
    tmp.write("outside\\precious.txt", "p");
    tmp.mkdir("outside_empty");
    tmp.write("x\\own.txt", "o");
    tmp.mkdir("x\\sub");
    MakeLink(tmp, "outside", "x\\sub\\to_outside");
    MakeLink(tmp, "outside_empty", "x\\to_empty");
    MakeLink(tmp, "outside\\precious.txt", "x\\file_link.txt");
    const TreeDeletion r = DeleteFolderTree(tmp.fs(), tmp.at("x"));
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(tmp.read("outside\\precious.txt"), "p");
    EXPECT_TRUE(tmp.exists("outside_empty"));
    EXPECT_TRUE(tmp.exists("x\\sub\\to_outside"));
    EXPECT_TRUE(tmp.exists("x\\to_empty"));
    EXPECT_TRUE(tmp.exists("x\\file_link.txt"));
    EXPECT_FALSE(tmp.exists("x\\own.txt"));

    const TreeDeletion self = DeleteFolderTree(tmp.fs(), tmp.at("x\\to_empty"));
    EXPECT_EQ(self.links, Tree{tmp.at("x\\to_empty")});
    EXPECT_TRUE(tmp.exists("outside_empty"));
}
#endif

}  // namespace
}  // namespace qv
