#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "core/OperationError.h"
#include "operations/CatalogueLoad.h"
#include "operations/InstallationFixture.h"
#include "support/FailingFileSystem.h"

namespace qv {
namespace {

const std::string kAircrafts =
    std::string("show\nrange 3\nstatus: ") + msg::kStatusGettingAircrafts + "\n";
const std::string kPanels = std::string("step 1\nstatus: ") + msg::kStatusGettingPanels + "\n";

struct LoadFixture : test::InstallationTest {
    void SetUp() override {
        InstallationTest::SetUp();
        tmp.write("FS/Aircraft/A/aircraft.cfg",
                  "[fltsim.0]\ntitle=Alpha\n[fltsim.1]\nsim=untitled\n[fltsim.2]\ntitle=Alpha");
        tmp.write("FS/Aircraft/A/panel/panel.cfg", "gauge00=Used!x\n");
        // Files saved by other editors: upper-case names, lines ending in a lone CR.
        tmp.write("FS/Aircraft/B/Aircraft.cfg", "[fltsim.0]\rtitle=Br\xE4vo\rsim=b\r");
        tmp.write("FS/Aircraft/B/panel/PANEL.CFG", "Alias=A\\panel\rgauge00=Other,1\r");
        tmp.write("FS/Aircraft/C/aircraft.cfg", "[fltsim.0]\ntitle=Charlie");
        test::write_files(tmp, "FS/Gauges", {"Used.gau", "Unused.gau"});
    }
};

TEST_F(LoadFixture, FillsTablesAndListInWalkOrderUnderTheProgressWindow) {
    catalogue.aircraft_table.push_back({});  // an earlier load's records do not survive
    ui.answer({true});
    load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);

    EXPECT_EQ(ui.transcript(), kAircrafts + kPanels + "step 2\nquestion: " + msg::kSweepQuestion +
                                   "\nstatus: " + msg::kStatusSweeping + "\nstep 3\nclose\n");
    EXPECT_EQ(ui.list, std::vector<std::string>({"Alpha", "Alpha", "Br\xE4vo", "Charlie"}));
    EXPECT_EQ(catalogue.list_records, std::vector<std::size_t>({0, 2, 3, 4}));
    ASSERT_EQ(catalogue.aircraft_table.size(), 5u);
    EXPECT_EQ(catalogue.aircraft_table[1].sim, "untitled");
    EXPECT_EQ(catalogue.aircraft_table[3].folder, tmp.at("FS/Aircraft/B"));
    EXPECT_EQ(catalogue.aircraft_table[3].section_text, "[fltsim.0]\r\ntitle=Br\xE4vo\r\nsim=b");
    ASSERT_EQ(catalogue.panel_table.size(), 2u);
    EXPECT_EQ(catalogue.panel_table[1].folder, tmp.at("FS/Aircraft/B/panel"));
    EXPECT_EQ(catalogue.panel_table[1].gauges, "Other,\r\n-end of list-");
    EXPECT_TRUE(catalogue.panel_table[1].has_alias);
    EXPECT_FALSE(catalogue.panel_table[0].has_alias);
    EXPECT_EQ(tmp.tree("FS/Gauges"), std::vector<std::string>{"Used.gau"});
    EXPECT_EQ(tmp.tree("base/Unused Gauges"), std::vector<std::string>{"Unused.gau"});
}

// One file or folder that can't be read is passed over and named; a panel passed over keeps the
// sweep from judging any gauge unused.
TEST_F(LoadFixture, WhatCantBeReadIsPassedOverAndNamed) {
    const std::string walked = kAircrafts + kPanels + "step 2\n";
    const std::string sweep = std::string("question: ") + msg::kSweepQuestion + "\n";
    const struct {
        test::Op op;
        const char* path_part;
        std::size_t aircraft, panels;
        bool swept;
    } cases[] = {
        {test::Op::read_file, "A\\panel\\", 5, 1, false},
        {test::Op::read_file, "B\\Aircraft.cfg", 4, 2, true},
        {test::Op::scan_folder, "\\C", 4, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path_part);
        reset();
        test::FailingFileSystem fs(tmp.fs());
        fs.fail(c.op, c.path_part);
        test::RecordingUi recording;
        if (c.swept) recording.answer({false});
        load_catalogue(fs, workspace, recording, catalogue, &recording);
        const std::string transcript = recording.transcript();
        EXPECT_THAT(transcript, ::testing::StartsWith(
                                    walked + (c.swept ? sweep : "") +
                                    "step 3\nclose\nwarning: 1 file or folder could not be read"));
        EXPECT_THAT(transcript, ::testing::HasSubstr(c.path_part));
        EXPECT_EQ(catalogue.aircraft_table.size(), c.aircraft);
        EXPECT_EQ(catalogue.panel_table.size(), c.panels);
        EXPECT_EQ(catalogue.gauges_incomplete, !c.swept);
    }
}

}  // namespace
}  // namespace qv
