#include "operations/UnusedGaugeSweep.h"

#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/InstallationFixture.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

struct SweepTest : InstallationTest {
    void panel(std::string gauges, bool alias = false) {
        catalogue.panel_table.push_back({"x", std::move(gauges), alias, {}, {}});
    }
};

TEST_F(SweepTest, MovesExactlyTheGaugeFilesNoPanelNames) {
    write_files(
        tmp, "FS/Gauges",
        {"CESSNA172.GAU", "cessna172.zip", "Cessna172.cab", "Compass.gau", "ssna.gau", "Unused.gau",
         "x.GAU", "Comp.cab", "readme.txt", "gauges.dll", "Sub/Deep.gau", "Hidden.gau"});
    tmp.hide("FS/Gauges/Hidden.gau");
    tmp.write("base/Unused Gauges/Unused.gau", "old copy");
    panel("Cessna172!\r\nCessna!\r\ncompass,\r\n-end of list-");
    // An alias panel protects its own entries, like any other; one without gauges, nothing.
    panel("Compass!\r\n-end of list-", true);
    panel("", true);
    ui.answer({true});

    sweep_unused_gauges(tmp.fs(), workspace, ui, catalogue);

    EXPECT_EQ(ui.transcript(), std::string("question: ") + msg::kSweepQuestion +
                                   "\nstatus: " + msg::kStatusSweeping + "\n");
    EXPECT_EQ(tmp.tree("base/Unused Gauges"),
              (Tree{"Comp.cab", "Unused.gau", "Unused.gau.2", "x.GAU"}));
    EXPECT_EQ(tmp.tree("FS/Gauges"),
              (Tree{"Cessna172.cab", "CESSNA172.GAU", "cessna172.zip", "Compass.gau", "gauges.dll",
                    "Hidden.gau", "readme.txt", "ssna.gau", "Sub\\", "Sub\\Deep.gau"}));
    // A held file is never replaced: the second one takes the next free name.
    EXPECT_EQ(tmp.read("base/Unused Gauges/Unused.gau"), "old copy");
    EXPECT_EQ(tmp.read("base/Unused Gauges/Unused.gau.2"), "Unused.gau");
}

TEST_F(SweepTest, AFileThatCantBeMovedStaysAndIsNamed) {
    write_files(tmp, "FS/Gauges", {"Locked.gau", "NoCopy.gau", "Free.gau"});
    tmp.make_read_only("FS/Gauges/Locked.gau");
    FailingFileSystem fs(tmp.fs());
    fs.fail(Op::copy_file, "NoCopy");
    ui.answer({true});
    sweep_unused_gauges(fs, workspace, ui, catalogue);
    EXPECT_EQ(tmp.tree("FS/Gauges"), (Tree{"Locked.gau", "NoCopy.gau"}));
    EXPECT_EQ(tmp.tree("base/Unused Gauges"), (Tree{"Free.gau", "Locked.gau"}));
    const auto warnings = ui.only("warning: ");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("NoCopy.gau"), std::string::npos);
    EXPECT_NE(warnings[0].find("Locked.gau (copied into the holding folder, but not deleted"),
              std::string::npos);
}

TEST_F(SweepTest, NoAnswerOrNoGaugesFolderMovesNothing) {
    write_files(tmp, "FS", {"Gauges/Unused.gau", "Stray.gau"});
    ui.answer({false, true});
    sweep_unused_gauges(tmp.fs(), workspace, ui, catalogue);
    // Without a gauges folder the path is the main folder with a separator after it.
    workspace.sim_gauges_dir = tmp.at("FS") + "\\";
    sweep_unused_gauges(tmp.fs(), workspace, ui, catalogue);
    EXPECT_EQ(ui.only("status: ").size(), 1u);
    EXPECT_EQ(tmp.tree("base/Unused Gauges"), Tree{});
    EXPECT_EQ(tmp.tree("FS"), (Tree{"Aircraft\\", "Gauges\\", "Gauges\\Unused.gau", "Stray.gau"}));
}

}  // namespace
}  // namespace qv::test
