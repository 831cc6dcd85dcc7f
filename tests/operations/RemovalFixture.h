// A simulator installation and Quorvane's base folder in one temporary folder, with the catalogue
// loaded from it, for whole removals on real folder trees.
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

#ifndef _WIN32
#include <unistd.h>

#include "platform/Text.h"
#endif

namespace qv::test {

using Tree = std::vector<std::string>;

class RemovalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        values.base_dir = tmp.at("base");
        values.temp_path_dir = tmp.at("base\\Temp_Path");
        values.unused_gauges_dir = tmp.at("base\\Unused Gauges");
        values.fs_main_dir = tmp.at("FS");
        values.fs_aircraft_dir = tmp.at("FS\\Aircraft");
        values.fs_gauges_dir = tmp.at("FS\\Gauges");
        tmp.mkdir("base\\Temp_Path");
        tmp.mkdir("base\\Unused Gauges");
        tmp.mkdir("FS\\Aircraft");
        tmp.mkdir("FS\\Gauges");
    }

    // Loads the catalogue, answering No to the sweep, and forgets the load's events.
    void Load() {
        ui.answer({false});
        LoadCatalogue(tmp.fs(), values, ui, catalogue);
        ui.events.clear();
    }

    // The list position of the n-th entry with this title.
    std::ptrdiff_t Position(const std::string& title, int nth = 0) {
        for (std::size_t i = 0; i < catalogue.list_records.size(); ++i)
            if (catalogue.aircraft_table[catalogue.list_records[i]].title == title && nth-- == 0)
                return static_cast<std::ptrdiff_t>(i);
        ADD_FAILURE() << "no list entry " << title;
        return -1;
    }

    // Removes with the given answers (confirmation, then the gauge question when one is
    // expected); the reload's sweep question is answered No.
    RemovalOutcome Remove(const std::string& title, std::initializer_list<bool> answers,
                          int nth = 0) {
        const std::ptrdiff_t pos = Position(title, nth);
        ui.answer(answers);
        ui.answer({false});
        return RemoveAircraft(fs(), values, ui, catalogue, pos);
    }

    virtual FileSystem& fs() { return tmp.fs(); }

    // The events up to the removal's closing message (the reload's events follow it).
    std::vector<std::string> RemovalEvents() const {
        std::vector<std::string> out;
        for (const auto& e : ui.events) {
            out.push_back(e);
            if (e.starts_with("notice: ") || e.starts_with("warning: ")) break;
        }
        return out;
    }

    std::vector<std::string> ListTitles() const {
        std::vector<std::string> out;
        for (std::size_t i : catalogue.list_records)
            out.push_back(catalogue.aircraft_table[i].title);
        return out;
    }

    // Every file and folder below `rel`, relative to it.
    Tree TreeOf(const std::string& rel) {
        Tree out;
        const std::string prefix = rel + "\\";
        for (const auto& p : tmp.tree())
            if (p.starts_with(prefix) && p.size() > prefix.size())
                out.push_back(p.substr(prefix.size()));
        return out;
    }

#ifndef _WIN32
    // Wine can't make links; tests make them from the Linux side.
    void MakeLink(const std::string& target_rel, const std::string& link_rel) {
        auto native = [&](const std::string& rel) {
            std::string p = cp1252_to_utf8(tmp.at(rel));
            for (char& c : p)
                if (c == '\\') c = '/';
            return p;
        };
        ASSERT_EQ(::symlink(native(target_rel).c_str(), native(link_rel).c_str()), 0);
    }
#endif

    TempFolder tmp;
    SharedValues values;
    RecordingUi ui;
    Catalogue catalogue;
};

}  // namespace qv::test
