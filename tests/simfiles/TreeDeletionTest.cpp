#include "simfiles/TreeDeletion.h"

#include <gtest/gtest.h>

#include "support/FailingFileSystem.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Tree = std::vector<std::string>;

TEST(TreeDeletion, EmptiesEveryLevelWhateverTheAttributesAndKeepsTheFolder) {
    test::TempFolder tmp;
    tmp.mkdir("empty");
    EXPECT_TRUE(delete_folder_tree(tmp.fs(), tmp.at("empty")).complete());
    EXPECT_TRUE(delete_folder_tree(tmp.fs(), tmp.at("missing")).complete());
    for (const char* suffix : {"", "\\"}) {
        SCOPED_TRACE(std::string("path ending in '") + suffix + "'");
        tmp.write("x\\ro.txt", "r");
        tmp.make_read_only("x\\ro.txt");
        tmp.write("x\\hid.txt", "h");
        tmp.hide("x\\hid.txt");
        tmp.write("x\\sys.dat", "s");
        tmp.make_system("x\\sys.dat");
        tmp.write("x\\.hidden\\keep.txt", "k");
        tmp.write("x\\a\\b\\c\\deep.bin", "d");
        tmp.write("x\\a\\one.txt", "1");
        const TreeDeletion r = delete_folder_tree(tmp.fs(), tmp.at("x") + suffix);
        EXPECT_TRUE(r.complete());
        EXPECT_EQ(tmp.tree(), (Tree{"empty\\", "x\\"}));
    }
}

TEST(TreeDeletion, AFailureLeavesItsItemAndTheRestGoes) {
    test::TempFolder tmp;
    tmp.write("x\\a\\stays.txt", "s");
    tmp.write("x\\a\\gone.txt", "g");
    tmp.write("x\\b\\gone.txt", "g");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::delete_file, "stays.txt");
    const TreeDeletion r = delete_folder_tree(fs, tmp.at("x"));
    ASSERT_EQ(r.failures.size(), 2u);  // the file, then its folder
    EXPECT_EQ(tmp.tree(), (Tree{"x\\", "x\\a\\", "x\\a\\stays.txt"}));
}

#ifndef _WIN32
TEST(TreeDeletion, NeverEntersOrRemovesALink) {
    test::TempFolder tmp;
    tmp.write("outside\\precious.txt", "p");
    tmp.mkdir("outside_empty");
    tmp.write("x\\own.txt", "o");
    tmp.mkdir("x\\sub");
    tmp.link("outside", "x\\sub\\to_outside");
    tmp.link("outside_empty", "x\\to_empty");
    tmp.link("outside\\precious.txt", "x\\file_link.txt");
    EXPECT_FALSE(delete_folder_tree(tmp.fs(), tmp.at("x")).complete());
    EXPECT_EQ(tmp.tree(),
              (Tree{"outside\\", "outside\\precious.txt", "outside_empty\\", "x\\",
                    "x\\file_link.txt", "x\\sub\\", "x\\sub\\to_outside", "x\\to_empty"}));

    const TreeDeletion self = delete_folder_tree(tmp.fs(), tmp.at("x\\to_empty"));
    EXPECT_EQ(self.links, Tree{tmp.at("x\\to_empty")});
    EXPECT_TRUE(tmp.exists("outside_empty"));
}
#endif

}  // namespace
}  // namespace qv
