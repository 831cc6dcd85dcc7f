// A simulator installation and Quorvane's base folder in one temporary folder, for the operations
// on real folder trees: the load, the sweep, the removal and the emptying.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SharedValues.h"
#include "operations/CatalogueLoad.h"
#include "operations/RemoveAircraft.h"
#include "simfiles/Records.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv::test {

using Tree = std::vector<std::string>;

// Writes each file below `dir`, with its own name as its text.
inline void WriteFiles(TempFolder& tmp, const std::string& dir,
                       std::initializer_list<const char*> files) {
    for (const char* f : files) tmp.write(dir + "\\" + f, f);
}

class InstallationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        values.base_dir = tmp.at("base");
        values.temp_path_dir = tmp.at("base\\Temp_Path");
        values.unused_gauges_dir = tmp.at("base\\Unused Gauges");
        values.fs_main_dir = tmp.at("FS");
        values.fs_aircraft_dir = tmp.at("FS\\Aircraft");
        values.fs_gauges_dir = tmp.at("FS\\Gauges");
        for (const char* dir :
             {"base\\Temp_Path", "base\\Unused Gauges", "FS\\Aircraft", "FS\\Gauges"})
            tmp.mkdir(dir);
    }

    // Starts again from an empty installation, for the next case of a table.
    void Reset() {
        tmp.clear();
        ui = RecordingUi();
        SetUp();
    }

    // Loads the catalogue, answering No to the sweep, and forgets the load's events.
    void Load() {
        ui.answer({false});
        LoadCatalogue(tmp.fs(), values, ui, catalogue);
        ui.events.clear();
    }

    // Removes the nth list entry with this title, with the given answers (confirmation, then the
    // gauge question when one is expected); the reload's sweep question is answered No.
    RemovalOutcome Remove(const std::string& title, std::initializer_list<bool> answers,
                          int nth = 0, FileSystem* fs = nullptr) {
        std::ptrdiff_t pos = 0;
        while (pos < std::ssize(ui.list) && (ui.list[pos] != title || nth-- > 0)) ++pos;
        EXPECT_LT(pos, std::ssize(ui.list)) << "no list entry " << title;
        ui.answer(answers);
        ui.answer({false});
        return RemoveAircraft(fs ? *fs : tmp.fs(), values, ui, catalogue, pos);
    }

    // The removal's closing message: the first notice or warning after the load.
    std::string Said() const {
        for (const auto& e : ui.events)
            if (e.starts_with("notice: ") || e.starts_with("warning: ")) return e;
        return {};
    }

    TempFolder tmp;
    SharedValues values;
    RecordingUi ui;
    Catalogue catalogue;
};

}  // namespace qv::test
