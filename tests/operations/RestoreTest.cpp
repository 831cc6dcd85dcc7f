#include "operations/Restore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/Emptying.h"
#include "operations/InstallationFixture.h"
#include "operations/Recovery.h"
#include "operations/UnusedGaugeSweep.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/WholeText.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

using ::testing::HasSubstr;
using Files = std::map<std::string, std::string>;
using Result = RestoreOutcome::Result;

// The tree as a restore must give it back: every file byte for byte, but each aircraft.cfg as
// the texts of its sections (a rewrite renumbers them and joins lines with CR LF).
Files comparable(const Files& files) {
    Files out;
    for (const auto& [name, bytes] : files) {
        if (!name.ends_with("aircraft.cfg")) {
            out[name] = bytes;
            continue;
        }
        std::vector<AircraftRecord> sections;
        read_aircraft_sections("", join_whole_text(bytes), sections);
        std::string texts;
        for (auto& s : sections) {
            renumber_aircraft_sections(s.section_text);
            if (s.section_text.ends_with("\r\n")) s.section_text.resize(s.section_text.size() - 2);
            texts += s.section_text + "\n--\n";
        }
        out[name] = texts;
    }
    return out;
}

void write_family(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Fam/aircraft.cfg",
              "[General]\natc_type=FAM\n[fltsim.0]\ntitle=Fam A\nsim=fam\ntexture=a\n"
              "[fltsim.1]\ntitle=Fam B\nsim=fam\ntexture=b\npanel=b\n"
              "[fltsim.2]\ntitle=Fam C\nsim=fam\ntexture=c\n[Views]\neyepoint=1\n");
    write_files(tmp, "FS\\Aircraft\\Fam",
                {"fam.air", "texture.a\\a.bmp", "texture.b\\b.bmp", "texture.b\\thumbs\\t.bmp",
                 "texture.c\\c.bmp", "readme.txt"});
    tmp.write("FS/Aircraft/Fam/panel.b/panel.cfg", "gauge00\t= famgauge!x, 1, 2\r\n");
    tmp.write("FS/Gauges/famgauge.gau", "famgauge");
    tmp.write("FS/Aircraft/Solo/aircraft.cfg", "\xEF\xBB\xBF[fltsim.0]\ntitle=Solo\nsim=solo\n");
    write_files(tmp, "FS\\Aircraft\\Solo",
                {"solo.air", "Kit\\layers.psd", "model\\solo.mdl", "texture\\s.bmp"});
    tmp.mkdir("FS/Aircraft/Solo/Empty");
    tmp.hide("FS/Aircraft/Solo/Kit/layers.psd");
}

// Replaces `what` by `with` in the one record below Temp_Path, as a person editing it would.
void edit_record(TempFolder& t, const std::string& what, const std::string& with) {
    for (const auto& [name, bytes] : t.files("base/Temp_Path")) {
        if (name.find("removal-") == std::string::npos) continue;
        const std::size_t at = bytes.find(what);
        ASSERT_NE(at, std::string::npos) << what;
        std::string edited = bytes;
        edited.replace(at, what.size(), with);
        t.write("base/Temp_Path/" + name, edited);
    }
}

struct RestoreFixture : InstallationTest {
    void SetUp() override {
        InstallationTest::SetUp();
        write_family(tmp);
        load();
        original = comparable(tmp.files("FS"));
    }

    std::vector<HeldRemoval> held_removals() { return list_held(tmp.fs(), workspace).removals; }

    Result restore(const std::string& id, FileSystem* fs = nullptr) {
        ui.answer({true});
        const RestoreOutcome outcome = restore_removal(fs ? *fs : tmp.fs(), workspace, ui, id);
        ui.drop_answers();
        if (outcome.reload) {
            ui.answer({false});
            load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
            ui.drop_answers();
        }
        return outcome.result;
    }

    Files original;
};

TEST_F(RestoreFixture, RemoveThenRestoreGivesTheTreeBackInEitherOrder) {
    const struct {
        const char* name;
        std::vector<std::string> removed;   // in order
        std::vector<std::size_t> restored;  // positions in list_held (newest first)
    } cases[] = {
        {"a single section, its folder made again", {"Solo"}, {0}},
        {"the middle of three, with its gauges", {"Fam B"}, {0}},
        {"a section and then its later sibling, restored newest first", {"Fam B", "Fam C"}, {0, 0}},
        {"a section and then its later sibling, restored oldest first", {"Fam B", "Fam C"}, {1, 0}},
        {"every section of a file, the last with the folder",
         {"Fam A", "Fam C", "Fam B"},
         {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        SetUp();
        for (const auto& title : c.removed)
            ASSERT_EQ(remove(title, {true, true}), RemovalOutcome::Result::completed) << said();
        ASSERT_EQ(held_removals().size(), c.removed.size());
        EXPECT_NE(comparable(tmp.files("FS")), original);
        for (std::size_t position : c.restored) {
            const auto held = held_removals();
            ASSERT_LT(position, held.size());
            ui.events.clear();
            EXPECT_EQ(restore(held[position].id), Result::completed) << ui.transcript();
        }
        EXPECT_EQ(comparable(tmp.files("FS")), original);
        EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{});
        EXPECT_TRUE(tmp.exists("FS/Aircraft/Solo/Empty"));
        EXPECT_EQ(ui.list, (Tree{"Fam A", "Fam B", "Fam C", "Solo"}));
    }
}

TEST_F(RestoreFixture, SeveralRemovalsComeBackInOneGoAndOneThatCantIsPassedOver) {
    for (const char* title : {"Fam A", "Fam B", "Solo"})
        ASSERT_EQ(remove(title, {true, true}), RemovalOutcome::Result::completed) << said();
    std::vector<std::string> ids;
    for (const HeldRemoval& h : held_removals()) ids.push_back(h.id);
    ASSERT_EQ(ids.size(), 3u);

    // An id no removal has, among good ones: nothing moves and nothing is asked.
    const Files before = tmp.files("base/Temp_Path");
    ui.events.clear();
    EXPECT_EQ(restore_removals(tmp.fs(), workspace, ui,
                               std::vector<std::string>{ids[0], "20010101-000000-000"})
                  .result,
              Result::nothing_to_do);
    EXPECT_EQ(ui.events, std::vector<std::string>{});
    EXPECT_EQ(tmp.files("base/Temp_Path"), before);

    // Solo's place taken: Fam A and Fam B come back, Solo is named and stays held.
    tmp.write("FS/Aircraft/Solo/solo.air", "another");
    ui.events.clear();
    ui.answer({true});
    const RestoreOutcome outcome = restore_removals(tmp.fs(), workspace, ui, ids);
    EXPECT_EQ(outcome.result, Result::left_over);
    EXPECT_EQ(
        ui.only("question: "),
        std::vector<std::string>{"question: Do you want to put the 3 selected removals back?"});
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "show"), 1);
    const auto warnings = ui.only("warning: ");
    ASSERT_EQ(warnings.size(), 1u) << ui.transcript();
    EXPECT_THAT(warnings[0], HasSubstr("2 of the 3 removals were put back whole"));
    EXPECT_THAT(warnings[0], HasSubstr("Solo: The place"));
    EXPECT_THAT(ui.transcript(), HasSubstr("status: Putting back 1 of 3: "));
    EXPECT_EQ(outcome.touched.size(), 2u);
    ASSERT_EQ(held_removals().size(), 1u);
    EXPECT_EQ(held_removals()[0].title, "Solo");

    // Mended, the last comes back alone with the single removal's own question and message.
    std::filesystem::remove_all(tmp.native("FS/Aircraft/Solo"));
    ui.events.clear();
    EXPECT_EQ(restore(held_removals()[0].id), Result::completed) << ui.transcript();
    EXPECT_EQ(ui.only("question: ").front(), std::string("question: ") + msg::kRestoreQuestion);
    EXPECT_EQ(comparable(tmp.files("FS")), original);
    EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{});
}

TEST_F(RestoreFixture, AHeldPanelKeepsItsGaugesThroughSweepsEmptyingsAndOtherRemovals) {
    // Removed without its gauges, Fam B's panel is held: no sweep and no emptying of Unused
    // Gauges may take the gauges it names, nor the removal of another aircraft naming them too.
    tmp.write("FS/Aircraft/Twin/aircraft.cfg", "[fltsim.0]\ntitle=Twin\nsim=twin\n");
    tmp.write("FS/Aircraft/Twin/panel/panel.cfg", "gauge00=famgauge!x\r\ngauge01=twin!y\r\n");
    tmp.write("FS/Gauges/twin.gau", "twin");
    load();
    original = comparable(tmp.files("FS"));
    ASSERT_EQ(remove("Fam B", {true, false}), RemovalOutcome::Result::completed);
    ASSERT_EQ(remove("Twin", {true, true}), RemovalOutcome::Result::completed);
    EXPECT_TRUE(tmp.exists("base/Temp_Path/twin/Gauges/twin.gau"));
    ui.answer({true});
    load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
    ui.answer({true});
    empty_unused_gauges(tmp.fs(), workspace, ui);
    EXPECT_EQ(tmp.read("FS/Gauges/famgauge.gau"), "famgauge");
    for (const auto& h : held_removals())
        EXPECT_EQ(restore(h.id), Result::completed) << ui.transcript();
    EXPECT_EQ(comparable(tmp.files("FS")), original);

    // A held panel that can't be read keeps the sweep from being offered.
    ASSERT_EQ(remove("Fam B", {true, false}), RemovalOutcome::Result::completed);
    tmp.write("base/Temp_Path/fam/panel.b/panel.cfg", "");
    std::filesystem::remove(tmp.native("base/Temp_Path/fam/panel.b/panel.cfg"));
    ui.events.clear();
    ui.answer({true});
    load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
    ui.drop_answers();
    EXPECT_TRUE(ui.only("question: ").empty()) << ui.transcript();
    EXPECT_THAT(ui.only("warning: ").at(0), HasSubstr("panel.cfg"));
}

TEST_F(RestoreFixture, GaugesASweepMovedBeforeComeBackToo) {
    ASSERT_EQ(remove("Fam B", {true, false}), RemovalOutcome::Result::completed);
    // As a sweep that did not know held panels left it.
    tmp.write("base/Unused Gauges/famgauge.gau", "famgauge");
    std::filesystem::remove(tmp.native("FS/Gauges/famgauge.gau"));
    ASSERT_EQ(restore(held_removals()[0].id), Result::completed) << ui.transcript();
    EXPECT_EQ(tmp.read("FS/Gauges/famgauge.gau"), "famgauge");
    EXPECT_FALSE(tmp.exists("base/Unused Gauges/famgauge.gau"));
    EXPECT_EQ(comparable(tmp.files("FS")), original);
}

TEST_F(RestoreFixture, AnUnchangedFileGetsItsExactBytesBack) {
    const std::string before = tmp.read("FS/Aircraft/Fam/aircraft.cfg");
    ASSERT_EQ(remove("Fam B", {true, true}), RemovalOutcome::Result::completed);
    ASSERT_EQ(remove("Fam C", {true, true}), RemovalOutcome::Result::completed);
    for (const auto& h : held_removals()) ASSERT_EQ(restore(h.id), Result::completed);
    EXPECT_EQ(tmp.read("FS/Aircraft/Fam/aircraft.cfg"), before);
}

TEST_F(RestoreFixture, WhatCantBeBroughtBackIsNamedAndTheRecordStaysForAnotherTry) {
    ASSERT_EQ(remove("Fam B", {true, true}), RemovalOutcome::Result::completed);
    const std::string id = held_removals()[0].id;
    tmp.write("base/Temp_Path/fam/texture.b/b.bmp", "tex");  // cut short
    std::filesystem::remove(tmp.native("base/Temp_Path/fam/Gauges/famgauge.gau"));
    ui.events.clear();
    EXPECT_EQ(restore(id), Result::left_over);
    const std::string said = ui.only("warning: ").at(0);
    EXPECT_THAT(said, HasSubstr("b.bmp (it has changed since it was held"));
    EXPECT_THAT(said, HasSubstr("famgauge.gau (it is no longer in the holding folder"));
    EXPECT_THAT(said, HasSubstr("famgauge (named by the panel, but found neither"));
    EXPECT_EQ(ui.only("notice: "), Tree{});
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Fam/texture.b/b.bmp"));
    // The damaged file stays held; mended, it comes back at the next try.
    ASSERT_EQ(held_removals().size(), 1u);
    EXPECT_TRUE(held_removals()[0].partly_put_back);
    tmp.write("base/Temp_Path/fam/texture.b/b.bmp", "texture.b\\b.bmp");
    ui.events.clear();
    EXPECT_EQ(restore(id), Result::left_over);
    EXPECT_EQ(tmp.read("FS/Aircraft/Fam/texture.b/b.bmp"), "texture.b\\b.bmp");
}

TEST_F(RestoreFixture, AConflictStopsTheRestoreBeforeAnythingMoves) {
    const struct {
        const char* name;
        void (*conflict)(TempFolder&, Workspace&);
        const char* said;
    } cases[] = {
        {"a place taken by another file",
         [](TempFolder& t, Workspace&) { t.write("FS/Aircraft/Fam/texture.b/b.bmp", "new"); },
         "is taken by another file"},
        {"the section already in the file",
         [](TempFolder& t, Workspace&) {
             t.write("FS/Aircraft/Fam/aircraft.cfg",
                     "[fltsim.0]\r\ntitle=Fam B\r\nsim=fam\r\ntexture=b\r\npanel=b\r\n");
         },
         "is in"},
        {"another simulator folder",
         [](TempFolder& t, Workspace& w) { w.sim_main_dir = t.at("Elsewhere"); },
         "was made for the simulator in"},
        {"a file where a folder must go",
         [](TempFolder& t, Workspace&) {
             std::filesystem::remove_all(t.native("FS/Aircraft/Fam/texture.b"));
             t.write("FS/Aircraft/Fam/texture.b", "a file");
         },
         "is taken by another file"},
        {"the held copy of the aircraft.cfg gone",
         [](TempFolder& t, Workspace&) {
             std::filesystem::remove(t.native("base/Temp_Path/fam/aircraft.cfg"));
         },
         "can't be used"},
        {"a record leading out of its place",
         [](TempFolder& t, Workspace&) { edit_record(t, "texture.b\\b.bmp >", "..\\..\\b.bmp >"); },
         "can't be trusted"},
        {"a record naming an absolute place",
         [](TempFolder& t, Workspace&) {
             edit_record(t, "> Temp_Path\\fam\\texture.b\\b.bmp", "> C:\\b.bmp");
         },
         "can't be trusted"},
#ifndef _WIN32  // links are made from the Linux side
        {"a link inside the holding folder",
         [](TempFolder& t, Workspace&) {
             std::filesystem::rename(t.native("base/Temp_Path/fam/texture.b"),
                                     t.native("base/elsewhere"));
             t.link("base/elsewhere", "base/Temp_Path/fam/texture.b");
         },
         "is a link"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        SetUp();
        ASSERT_EQ(remove("Fam B", {true, true}), RemovalOutcome::Result::completed);
        c.conflict(tmp, workspace);
        const Files sim = tmp.files("FS");
        const Files held = tmp.files("base/Temp_Path");
        ui.events.clear();
        ui.answer({true});
        EXPECT_EQ(restore_removal(tmp.fs(), workspace, ui, held_removals()[0].id).result,
                  Result::stopped);
        EXPECT_THAT(ui.events.back(), HasSubstr(c.said));
        EXPECT_EQ(tmp.files("FS"), sim);
        EXPECT_EQ(tmp.files("base/Temp_Path"), held);
    }
}

TEST_F(RestoreFixture, ARestoreStoppedAtAnyCallIsFinishedByTheNextCommand) {
    ASSERT_EQ(remove("Fam B", {true, true}), RemovalOutcome::Result::completed);
    ASSERT_EQ(remove("Solo", {true}), RemovalOutcome::Result::completed);
    const Files removed = tmp.files("");
    FailingFileSystem counting(tmp.fs());
    const std::string id = held_removals()[0].id;
    ASSERT_EQ(restore(id, &counting), Result::completed);
    const std::size_t calls = counting.calls();
    const Files restored = comparable(tmp.files("FS"));
    for (std::size_t k = 0; k < calls; k += 3 * kPointStride) {
        SCOPED_TRACE("stopped at call " + std::to_string(k));
        reset();
        SetUp();
        ASSERT_EQ(remove("Fam B", {true, true}), RemovalOutcome::Result::completed);
        ASSERT_EQ(remove("Solo", {true}), RemovalOutcome::Result::completed);
        FailingFileSystem killed(tmp.fs());
        killed.stop_at(k);
        ui.answer({true});
        EXPECT_THROW(restore_removal(killed, workspace, ui, held_removals()[0].id), Interrupted);
        ui.drop_answers();
        finish_interrupted(tmp.fs(), workspace, ui);
        // Either nothing was begun, or the restore is whole; no file is lost either way.
        if (comparable(tmp.files("FS")) != restored) {
            EXPECT_EQ(held_removals().size(), 2u);
        }
        std::multiset<std::string> now;
        for (const char* where : {"FS", "base/Temp_Path"})
            for (const auto& [name, bytes] : tmp.files(where)) now.insert(bytes);
        for (const auto& [name, bytes] : removed) {
            if (name.ends_with("aircraft.cfg") || name.find("removal-") != std::string::npos ||
                name.find("quorvane.lock") != std::string::npos)
                continue;
            EXPECT_TRUE(now.contains(bytes)) << name;
        }
    }
}

}  // namespace
}  // namespace qv::test
