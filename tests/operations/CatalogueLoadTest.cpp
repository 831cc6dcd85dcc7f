#include <gtest/gtest.h>

#include "core/Messages.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Events = std::vector<std::string>;
const std::string kQuestion = std::string("question: ") + msg::kSweepQuestion;
const std::string kAircrafts = std::string("status: ") + msg::kStatusGettingAircrafts;
const std::string kPanels = std::string("status: ") + msg::kStatusGettingPanels;
const std::string kSweeping = std::string("status: ") + msg::kStatusSweeping;

struct LoadFixture : testing::Test {
    LoadFixture() {
        tmp.write("FS/Aircraft/A/aircraft.cfg",
                  "[fltsim.0]\ntitle=Alpha\n[fltsim.1]\nsim=untitled\n[fltsim.2]\ntitle=Alpha");
        tmp.write("FS/Aircraft/A/panel/panel.cfg", "gauge00=Used!x\n");
        // Files saved by other editors: upper-case names, lines ending in a lone CR.
        tmp.write("FS/Aircraft/B/Aircraft.cfg", "[fltsim.0]\rtitle=Br\xE4vo\rsim=b\r");
        tmp.write("FS/Aircraft/B/panel/PANEL.CFG", "Alias=A\\panel\rgauge00=Other,1\r");
        tmp.write("FS/Aircraft/C/aircraft.cfg", "[fltsim.0]\ntitle=Charlie");
        tmp.write("FS/Gauges/Used.gau", "u");
        tmp.write("FS/Gauges/Unused.gau", "n");
        tmp.mkdir("base/Unused Gauges");
        values.fs_aircraft_dir = tmp.at("FS/Aircraft");
        values.fs_gauges_dir = tmp.at("FS/Gauges");
        values.unused_gauges_dir = tmp.at("base/Unused Gauges");
    }
    test::TempFolder tmp;
    SharedValues values;
    Catalogue catalogue;
    test::RecordingUi ui;
};

TEST_F(LoadFixture, FillsTablesAndListInWalkOrderUnderTheProgressWindow) {
    catalogue.aircraft_table.push_back({});  // an earlier load's records do not survive
    ui.answer({true});
    LoadCatalogue(tmp.fs(), values, ui, catalogue);

    EXPECT_EQ(ui.events, Events({"show", "range 3", kAircrafts, "step 1", kPanels, "step 2",
                                 kQuestion, kSweeping, "step 3", "close"}));
    EXPECT_EQ(ui.list, Events({"Alpha", "Alpha", "Br\xE4vo", "Charlie"}));
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
    EXPECT_TRUE(tmp.exists("FS/Gauges/Used.gau"));
    EXPECT_TRUE(tmp.exists("base/Unused Gauges/Unused.gau"));
}

// One walk serves both tables, yet a failure leaves what two walks in a row would leave.
TEST_F(LoadFixture, FailuresLeaveWhatTheTwoWalksWouldLeave) {
    struct Case {
        test::Op op;
        const char* path_part;
        std::size_t aircraft;
        std::size_t panels;
        Events events;
    } cases[] = {
        // A panel.cfg that can't be read stops the panels, after every aircraft was read.
        {test::Op::read_file,
         "A\\panel\\",
         5,
         0,
         {"show", "range 3", kAircrafts, "step 1", kPanels, "close"}},
        {test::Op::read_file,
         "B\\panel\\",
         5,
         1,
         {"show", "range 3", kAircrafts, "step 1", kPanels, "close"}},
        // An aircraft.cfg or a listing failing ends the load before any panel is kept.
        {test::Op::read_file, "B\\Aircraft.cfg", 3, 0, {"show", "range 3", kAircrafts, "close"}},
        {test::Op::identity, "\\B", 3, 0, {"show", "range 3", kAircrafts, "close"}},
        {test::Op::scan_folder, "\\C", 4, 0, {"show", "range 3", kAircrafts, "close"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path_part);
        test::FailingFileSystem fs(tmp.fs());
        fs.fail(c.op, c.path_part);
        test::RecordingUi recording;
        try {
            LoadCatalogue(fs, values, recording, catalogue);
            ADD_FAILURE() << "no error";
        } catch (const OperationError& e) {
            EXPECT_NE(std::string(e.what()).find(c.path_part), std::string::npos) << e.what();
        }
        EXPECT_EQ(recording.events, c.events);
        EXPECT_EQ(catalogue.aircraft_table.size(), c.aircraft);
        EXPECT_EQ(catalogue.panel_table.size(), c.panels);
    }
}

}  // namespace
}  // namespace qv
