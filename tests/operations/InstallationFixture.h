// A simulator installation and Quorvane's base folder in one temporary folder, for the operations
// on real folder trees: the load, the sweep, the removal and the emptying.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "operations/CatalogueLoad.h"
#include "operations/Removal.h"
#include "simfiles/Catalogue.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv::test {

using Tree = std::vector<std::string>;

// Writes each file below `dir`, with its own name as its text.
inline void write_files(TempFolder& tmp, const std::string& dir,
                        std::initializer_list<const char*> files) {
    for (const char* f : files) tmp.write(dir + "\\" + f, f);
}

class InstallationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.base_dir = tmp.at("base");
        workspace.temp_path_dir = tmp.at("base\\Temp_Path");
        workspace.unused_gauges_dir = tmp.at("base\\Unused Gauges");
        workspace.sim_main_dir = tmp.at("FS");
        workspace.sim_aircraft_dir = tmp.at("FS\\Aircraft");
        workspace.sim_gauges_dir = tmp.at("FS\\Gauges");
        for (const char* dir :
             {"base\\Temp_Path", "base\\Unused Gauges", "FS\\Aircraft", "FS\\Gauges"})
            tmp.mkdir(dir);
    }

    // Starts again from an empty installation, for the next case of a table.
    void reset() {
        tmp.clear();
        ui = RecordingUi();
        SetUp();
    }

    // Loads the catalogue, answering No to the sweep, and forgets the load's events.
    void load() {
        ui.answer({false});
        load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
        ui.events.clear();
    }

    // Removes the nth list entry with this title, with the given answers (confirmation, then the
    // gauge question when one is expected) and reloads as a front end does.
    RemovalOutcome::Result remove(const std::string& title, std::initializer_list<bool> answers,
                                  int nth = 0, FileSystem* fs = nullptr) {
        std::ptrdiff_t pos = 0;
        while (pos < std::ssize(ui.list) && (ui.list[pos] != title || nth-- > 0)) ++pos;
        EXPECT_LT(pos, std::ssize(ui.list)) << "no list entry " << title;
        ui.answer(answers);
        const RemovalOutcome outcome =
            remove_aircraft(fs ? *fs : tmp.fs(), workspace, ui, catalogue, pos);
        // An answer not asked for is dropped; the reload's sweep question is answered No.
        ui.drop_answers();
        ui.answer({false});
        if (outcome.reload) load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
        ui.drop_answers();
        return outcome.result;
    }

    // Every file the simulator's tree lost since `before` (or whose bytes changed, aircraft.cfg
    // files aside) is held, byte for byte: nothing removed is destroyed. Returns the files not
    // accounted for.
    std::vector<std::string> unaccounted(const std::map<std::string, std::string>& before) const {
        const auto after = tmp.files("FS");
        std::multiset<std::string> held;
        for (const auto& [name, bytes] : tmp.files("base\\Temp_Path")) held.insert(bytes);
        for (const auto& [name, bytes] : tmp.files("base\\Unused Gauges")) held.insert(bytes);
        std::vector<std::string> lost;
        for (const auto& [name, bytes] : before) {
            const auto it = after.find(name);
            if (it != after.end() && (it->second == bytes || name.ends_with("aircraft.cfg")))
                continue;
            const auto h = held.find(bytes);
            if (h == held.end())
                lost.push_back(name);
            else
                held.erase(h);
        }
        return lost;
    }

    // The removal's closing message: the first notice or warning after the load.
    std::string said() const {
        for (const auto& e : ui.events)
            if (e.starts_with("notice: ") || e.starts_with("warning: ")) return e;
        return {};
    }

    TempFolder tmp;
    Workspace workspace;
    RecordingUi ui;
    Catalogue catalogue;
};

}  // namespace qv::test
