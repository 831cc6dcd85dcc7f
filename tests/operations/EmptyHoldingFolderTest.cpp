#include "operations/EmptyHoldingFolder.h"

#include <gtest/gtest.h>

#include "core/Messages.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv::test {
namespace {

using Tree = std::vector<std::string>;

class EmptyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        values.base_dir = tmp.path();
        values.temp_path_dir = tmp.at("Temp_Path");
        values.unused_gauges_dir = tmp.at("Unused Gauges");
        tmp.mkdir("Temp_Path");
        tmp.mkdir("Unused Gauges");
    }
    TempFolder tmp;
    SharedValues values;
    RecordingUi ui;
};

TEST_F(EmptyTest, EmptiesNestedFoldersReadOnlyAndHiddenFilesAndKeepsTheFolder) {
    tmp.write("Temp_Path\\a\\b\\deep.air", "d");
    tmp.write("Temp_Path\\a\\ro.cfg", "r");
    tmp.make_read_only("Temp_Path\\a\\ro.cfg");
    tmp.write("Temp_Path\\hid.txt", "h");
    tmp.hide("Temp_Path\\hid.txt");
    tmp.write("Unused Gauges\\x.gau", "x");
    ui.answer({true});
    EXPECT_EQ(EmptyTempPath(tmp.fs(), values, ui), EmptyOutcome::emptied);
    EXPECT_EQ(ui.events, (Tree{std::string("question: ") + msg::kEmptyTempQuestion, "show",
                               "status: Cleanning Temporaly Folder", "close",
                               "notice: The Temporaly Folder is now empty"}));
    EXPECT_EQ(tmp.tree(), (Tree{"Temp_Path\\", "Unused Gauges\\", "Unused Gauges\\x.gau"}));
}

TEST_F(EmptyTest, NoDeletesNothingAndAMissingFolderCountsAsEmpty) {
    tmp.write("Unused Gauges\\sub\\x.gau", "x");
    ui.answer({false});
    EXPECT_EQ(EmptyUnusedGauges(tmp.fs(), values, ui), EmptyOutcome::declined);
    EXPECT_EQ(ui.events, Tree{std::string("question: ") + msg::kEmptyUnusedQuestion});
    EXPECT_TRUE(tmp.exists("Unused Gauges\\sub\\x.gau"));

    ui.answer({true});
    EXPECT_EQ(EmptyUnusedGauges(tmp.fs(), values, ui), EmptyOutcome::emptied);
    EXPECT_EQ(ui.events.back(), "notice: The Unused Gauges Folder is now empty");
    EXPECT_EQ(tmp.tree(), (Tree{"Temp_Path\\", "Unused Gauges\\"}));

    values.temp_path_dir = tmp.at("gone");
    ui.answer({true});
    EXPECT_EQ(EmptyTempPath(tmp.fs(), values, ui), EmptyOutcome::emptied);
    EXPECT_FALSE(tmp.exists("gone"));
}

TEST_F(EmptyTest, WhatStaysIsNamedInsteadOfTheNotice) {
    struct Case {
        const char* name;
        const char* file;
        bool system;
        const char* named;  // a path the warning must name
    };
    const Case cases[] = {
        {"system file in a subfolder", "Temp_Path\\a\\sys.dat", true, "Temp_Path\\a"},
        {"file that can't be deleted", "Temp_Path\\a\\locked.air", false, "locked.air"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tmp.write(c.file, "x");
        tmp.write("Temp_Path\\z\\later.txt", "l");
        if (c.system) tmp.make_system(c.file);
        FailingFileSystem fs(tmp.fs());
        fs.fail(Op::delete_file, "locked.air");
        ui.answer({true});
        EXPECT_EQ(EmptyTempPath(fs, values, ui), EmptyOutcome::left_over);
        const std::string& warning = ui.events.back();
        EXPECT_TRUE(warning.starts_with("warning: ")) << warning;
        EXPECT_NE(warning.find(c.named), std::string::npos) << warning;
        EXPECT_TRUE(tmp.exists(c.file));
        // Clear the system attribute, so the next case starts from an empty folder.
        Attributes normal;
        ASSERT_TRUE(tmp.fs().set_attributes(tmp.at(c.file), normal).ok());
        ASSERT_TRUE(tmp.fs().delete_file(tmp.at(c.file)).ok());
    }
}

}  // namespace
}  // namespace qv::test
