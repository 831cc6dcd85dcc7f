#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/SweepUnusedGauges.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

struct SweepFixture : testing::Test {
    SweepFixture() {
        values.fs_gauges_dir = tmp.at("FS/Gauges");
        values.unused_gauges_dir = tmp.at("base/Unused Gauges");
        tmp.mkdir("base/Unused Gauges");
        tmp.mkdir("FS/Gauges");
    }
    void Panel(std::string gauges, bool alias = false) {
        catalogue.panel_table.push_back({"x", std::move(gauges), alias});
    }
    test::TempFolder tmp;
    SharedValues values;
    Catalogue catalogue;
    test::RecordingUi ui;
};

TEST_F(SweepFixture, MovesExactlyTheGaugeFilesNoPanelNames) {
    for (const char* name :
         {"CESSNA172.GAU", "cessna172.zip", "Cessna172.cab", "Compass.gau", "ssna.gau",
          "Unused.gau", "x.GAU", "Comp.cab", "readme.txt", "gauges.dll", "Sub/Deep.gau"})
        tmp.write(std::string("FS/Gauges/") + name, name);
    tmp.write("FS/Gauges/Hidden.gau", "h");
    tmp.hide("FS/Gauges/Hidden.gau");
    tmp.write("base/Unused Gauges/Unused.gau", "old copy");
    Panel("Cessna172!\r\nCessna!\r\ncompass,\r\n-end of list-");
    // An alias panel protects its own entries, like any other; one without gauges, nothing.
    Panel("Compass!\r\n-end of list-", true);
    Panel("", true);
    ui.answer({true});

    SweepUnusedGauges(tmp.fs(), values, ui, catalogue);

    EXPECT_EQ(ui.events,
              std::vector<std::string>({std::string("question: ") + msg::kSweepQuestion,
                                        std::string("status: ") + msg::kStatusSweeping}));
    EXPECT_EQ(tmp.tree(),
              std::vector<std::string>(
                  {"base\\", "base\\Unused Gauges\\", "base\\Unused Gauges\\Comp.cab",
                   "base\\Unused Gauges\\Unused.gau", "base\\Unused Gauges\\x.GAU", "FS\\",
                   "FS\\Gauges\\", "FS\\Gauges\\Cessna172.cab", "FS\\Gauges\\CESSNA172.GAU",
                   "FS\\Gauges\\cessna172.zip", "FS\\Gauges\\Compass.gau", "FS\\Gauges\\gauges.dll",
                   "FS\\Gauges\\Hidden.gau", "FS\\Gauges\\readme.txt", "FS\\Gauges\\ssna.gau",
                   "FS\\Gauges\\Sub\\", "FS\\Gauges\\Sub\\Deep.gau"}));
    EXPECT_EQ(tmp.read("base/Unused Gauges/Unused.gau"), "Unused.gau");  // the held copy replaced
}

TEST_F(SweepFixture, AFileThatCantBeDeletedStaysWithItsCopyHeld) {
    tmp.write("FS/Gauges/Locked.gau", "l");
    tmp.make_read_only("FS/Gauges/Locked.gau");
    tmp.write("FS/Gauges/NoCopy.gau", "n");
    tmp.write("FS/Gauges/Free.gau", "f");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::copy_file, "NoCopy");
    ui.answer({true});

    SweepUnusedGauges(fs, values, ui, catalogue);

    EXPECT_TRUE(tmp.exists("FS/Gauges/Locked.gau"));
    EXPECT_TRUE(tmp.exists("base/Unused Gauges/Locked.gau"));
    EXPECT_TRUE(tmp.exists("FS/Gauges/NoCopy.gau"));
    EXPECT_FALSE(tmp.exists("base/Unused Gauges/NoCopy.gau"));
    EXPECT_FALSE(tmp.exists("FS/Gauges/Free.gau"));
    EXPECT_TRUE(tmp.exists("base/Unused Gauges/Free.gau"));
}

TEST_F(SweepFixture, NoAnswerOrNoGaugesFolderMovesNothing) {
    tmp.write("FS/Gauges/Unused.gau", "u");
    tmp.write("FS/Stray.gau", "s");
    ui.answer({false, true});
    SweepUnusedGauges(tmp.fs(), values, ui, catalogue);
    // Without a gauges folder the path is the main folder with a separator after it.
    values.fs_gauges_dir = tmp.at("FS") + "\\";
    SweepUnusedGauges(tmp.fs(), values, ui, catalogue);

    EXPECT_EQ(ui.only("status: ").size(), 1u);
    EXPECT_TRUE(tmp.exists("FS/Gauges/Unused.gau"));
    EXPECT_TRUE(tmp.exists("FS/Stray.gau"));
}

}  // namespace
}  // namespace qv
