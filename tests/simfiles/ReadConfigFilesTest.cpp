#include <gtest/gtest.h>

#include "core/Settings.h"
#include "simfiles/ReadAircraftCfg.h"
#include "simfiles/ReadPanelCfg.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

TEST(ReadConfigFiles, ReadTheFileByItsOwnSpellingWithAnyLineEnds) {
    test::TempFolder tmp;
    tmp.write("a/AIRCRAFT.CFG", "[fltsim.0]\rtitle=\xC9t\xE9\rsim=S\n\n[fltsim.1]\r\ntitle=B");
    tmp.write("a/PANEL.CFG", "[Window00]\rAlias=other\\panel\rgauge00=x!y\n");
    Catalogue catalogue;
    test::RecordingUi ui;
    const std::string folder = tmp.at("a");
    ReadAircraftCfg(tmp.fs(), ui, catalogue, folder, "AIRCRAFT.CFG");
    ReadPanelCfg(tmp.fs(), catalogue, folder, "PANEL.CFG");

    ASSERT_EQ(catalogue.aircraft_table.size(), 2u);
    EXPECT_EQ(catalogue.aircraft_table[0].folder, folder);
    EXPECT_EQ(catalogue.aircraft_table[0].section_text,
              "[fltsim.0]\r\ntitle=\xC9t\xE9\r\nsim=S\r\n\r\n");
    EXPECT_EQ(catalogue.aircraft_table[0].sim, "S");
    EXPECT_EQ(ui.list, std::vector<std::string>({"\xC9t\xE9", "B"}));
    ASSERT_EQ(catalogue.panel_table.size(), 1u);
    EXPECT_EQ(catalogue.panel_table[0].folder, folder);
    EXPECT_EQ(catalogue.panel_table[0].gauges, "x!\r\n-end of list-");
    EXPECT_TRUE(catalogue.panel_table[0].has_alias);
}

TEST(ReadConfigFiles, AnUnreadableFileAddsNothingAndNamesItself) {
    test::TempFolder tmp;
    tmp.write("a/aircraft.cfg", "[fltsim.0]\ntitle=A");
    tmp.write("a/panel.cfg", "gauge00=x!");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::read_file, "");
    Catalogue catalogue;
    test::RecordingUi ui;
    const std::string folder = tmp.at("a");
    try {
        ReadAircraftCfg(fs, ui, catalogue, folder, "aircraft.cfg");
        FAIL() << "no error";
    } catch (const OperationError& e) {
        EXPECT_NE(std::string(e.what()).find(folder + "\\aircraft.cfg"), std::string::npos);
    }
    EXPECT_THROW(ReadPanelCfg(fs, catalogue, folder, "panel.cfg"), OperationError);
    EXPECT_TRUE(catalogue.aircraft_table.empty());
    EXPECT_TRUE(catalogue.panel_table.empty());
    EXPECT_TRUE(ui.list.empty());
}

}  // namespace
}  // namespace qv
