#include "operations/Emptying.h"

#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/InstallationFixture.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

using EmptyTest = InstallationTest;

TEST_F(EmptyTest, EmptiesEverythingWhateverItsAttributesAndKeepsTheFolder) {
    tmp.write("base\\Temp_Path\\a\\b\\deep.air", "d");
    tmp.write("base\\Temp_Path\\a\\ro.cfg", "r");
    tmp.make_read_only("base\\Temp_Path\\a\\ro.cfg");
    tmp.write("base\\Temp_Path\\hid.txt", "h");
    tmp.hide("base\\Temp_Path\\hid.txt");
    // Held from an aircraft folder: a system file and a hidden folder go too.
    tmp.write("base\\Temp_Path\\a\\desktop.ini", "s");
    tmp.make_system("base\\Temp_Path\\a\\desktop.ini");
    tmp.write("base\\Temp_Path\\a\\.thumbs\\t.db", "t");
    tmp.write("base\\Unused Gauges\\x.gau", "x");
    ui.answer({true});
    EXPECT_EQ(empty_temp_path(tmp.fs(), workspace, ui), Ending::completed);
    EXPECT_EQ(ui.transcript(), std::string("question: ") + msg::kEmptyTempQuestion +
                                   "\nshow\nstatus: Cleanning Temporaly Folder\nclose\n"
                                   "notice: The Temporaly Folder is now empty\n");
    EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{});
    EXPECT_EQ(tmp.tree("base/Unused Gauges"), Tree{"x.gau"});

    // No deletes nothing; a missing folder counts as empty.
    ui.events.clear();
    ui.answer({false, true});
    EXPECT_EQ(empty_unused_gauges(tmp.fs(), workspace, ui), Ending::declined);
    EXPECT_EQ(ui.transcript(), std::string("question: ") + msg::kEmptyUnusedQuestion + "\n");
    EXPECT_TRUE(tmp.exists("base\\Unused Gauges\\x.gau"));
    tmp.write("base\\Temp_Path\\keep.txt", "k");
    workspace.unused_gauges_dir = tmp.at("gone");
    EXPECT_EQ(empty_unused_gauges(tmp.fs(), workspace, ui), Ending::completed);
    EXPECT_EQ(ui.events.back(), "notice: The Unused Gauges Folder is now empty");
    EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{"keep.txt"});
    EXPECT_EQ(tmp.tree("base/Unused Gauges"), Tree{"x.gau"});
}

TEST_F(EmptyTest, WhatStaysIsNamedInsteadOfTheNotice) {
    tmp.write("base\\Temp_Path\\a\\locked.air", "x");
    tmp.write("base\\Temp_Path\\z\\later.txt", "l");
    FailingFileSystem fs(tmp.fs());
    fs.fail(Op::delete_file, "locked.air");
    ui.answer({true});
    EXPECT_EQ(empty_temp_path(fs, workspace, ui), Ending::left_over);
    const std::string& warning = ui.events.back();
    EXPECT_TRUE(warning.starts_with("warning: ")) << warning;
    EXPECT_NE(warning.find("locked.air"), std::string::npos) << warning;
    // The rest went.
    EXPECT_EQ(tmp.tree("base/Temp_Path"), (Tree{"a\\", "a\\locked.air"}));
}

}  // namespace
}  // namespace qv::test
