// Every file-system call of whole removals, sweeps, loads and emptyings made to fail, once or from
// then on, and every call of whole removals made the last before a kill. After each: nothing that
// left its place is lost, aircraft.cfg is whole, and no ending claims more than was done.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iostream>

#include "operations/Emptying.h"
#include "operations/InstallationFixture.h"
#include "operations/Recovery.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

using Files = std::map<std::string, std::string>;
using Result = RemovalOutcome::Result;

// One removal to drive: a tree, the entry to remove and its answers.
struct Scenario {
    const char* name;
    void (*write)(TempFolder&);
    std::size_t entry;  // list position
    std::string cfg;    // the aircraft.cfg, below FS
};

void write_single(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Solo/aircraft.cfg",
              "[fltsim.0]\r\ntitle\t= Solo\r\nsim=solo\r\ntexture=red\r\nkb_checklists= notes\r\n");
    write_files(tmp, "FS\\Aircraft\\Solo",
                {"solo.air", "notes.txt", "readme.txt", "model\\solo.mdl", "model\\lod\\l1.mdl",
                 "texture.red\\a.bmp", "texture.red\\b.bmp", "Kit\\layers.psd"});
    tmp.hide("FS/Aircraft/Solo/readme.txt");
    tmp.make_read_only("FS/Aircraft/Solo/notes.txt");
    tmp.write("FS/Aircraft/Solo/panel/panel.cfg", "gauge00\t= solo!a, 1, 2\r\n");
    tmp.write("FS/Gauges/solo.gau", "g");
}

void write_middle(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Trio/aircraft.cfg",
              "[fltsim.0]\r\ntitle=A\r\ntexture=a\r\n[fltsim.1]\r\ntitle=B\r\ntexture=b\r\n"
              "panel=b\r\nmodel=b\r\n[fltsim.2]\r\ntitle=C\r\ntexture=c\r\n");
    write_files(tmp, "FS\\Aircraft\\Trio",
                {"texture.a\\a.bmp", "texture.b\\b1.bmp", "texture.b\\b2.bmp", "model.b\\b.mdl",
                 "texture.c\\c.bmp"});
    tmp.write("FS/Aircraft/Trio/panel.b/panel.cfg", "gauge00=mid!x, 1, 2\r\n");
    tmp.write("FS/Gauges/mid.gau", "m");
}

const Scenario kScenarios[] = {
    {"single section with leftovers", write_single, 0, "Aircraft\\Solo\\aircraft.cfg"},
    {"middle of three with gauges", write_middle, 1, "Aircraft\\Trio\\aircraft.cfg"},
};

struct FaultTest : InstallationTest {
    // A fresh tree and catalogue for the scenario.
    void prepare(const Scenario& s) {
        reset();
        s.write(tmp);
        load();
    }

    // Removes the scenario's entry through `fs`, answering Yes to everything asked.
    RemovalOutcome remove_through(FileSystem& fs, const Scenario& s, bool gauges = true) {
        ui.answer({true, gauges});
        const RemovalOutcome outcome =
            remove_aircraft(fs, workspace, ui, catalogue, static_cast<std::ptrdiff_t>(s.entry));
        ui.drop_answers();
        return outcome;
    }

    Files sim() const { return tmp.files("FS"); }

    // The scenario removed whole once, through a counting file system: the tree before and
    // after, and what the removal did (its calls, the bytes it wrote).
    struct Whole {
        Files before, after;
        std::size_t calls = 0, written = 0;
    };
    Whole remove_whole(const Scenario& s) {
        prepare(s);
        Whole w;
        w.before = sim();
        FailingFileSystem counting(tmp.fs());
        EXPECT_EQ(remove_through(counting, s).result, Result::completed);
        w.after = sim();
        w.calls = counting.calls();
        w.written = counting.written();
        return w;
    }

    // What a removal may leave behind in any case.
    void check_nothing_lost(const Files& before, const std::string& cfg_rel) {
        EXPECT_EQ(unaccounted(before), Tree{});
        for (const auto& entry : tmp.tree(""))
            EXPECT_EQ(entry.find(".qvtmp-"), std::string::npos) << entry;
        const auto now = sim();
        const auto it = now.find(cfg_rel);
        if (it != now.end()) {
            // The original text or the whole rewrite, never a part of either.
            EXPECT_TRUE(it->second == before.at(cfg_rel) || it->second.starts_with("[fltsim.0]"))
                << it->second;
        }
    }
};

TEST_F(FaultTest, AFailingCallAnywhereInARemovalLosesNothingAndIsNamed) {
    std::size_t points = 0, lost = 0;
    for (const auto& s : kScenarios) {
        SCOPED_TRACE(s.name);
        const auto [before, after, calls, written] = remove_whole(s);
        for (bool from_then_on : {false, true}) {
            for (std::size_t k = 0; k < calls; k += kPointStride) {
                SCOPED_TRACE("call " + std::to_string(k) + (from_then_on ? " on" : " once"));
                prepare(s);
                FailingFileSystem failing(tmp.fs());
                failing.fail_call(k, from_then_on);
                const RemovalOutcome outcome = remove_through(failing, s);
                ++points;
                const std::size_t lost_before = unaccounted(before).size();
                lost += lost_before;
                check_nothing_lost(before, s.cfg);
                switch (outcome.result) {
                    case Result::completed:
                        EXPECT_EQ(sim(), after);
                        EXPECT_THAT(ui.events.back(), ::testing::StartsWith("notice: "));
                        break;
                    case Result::stopped:
                        EXPECT_EQ(sim(), before);
                        break;
                    case Result::left_over: {
                        const Files now = sim();
                        const auto cfg = now.find(s.cfg);
                        EXPECT_TRUE(cfg == now.end() || cfg->second != before.at(s.cfg))
                            << "said removed, but the section is still there";
                        EXPECT_THAT(ui.events.back(), ::testing::StartsWith("warning: "));
                        break;
                    }
                    default:
                        ADD_FAILURE() << "outcome " << static_cast<int>(outcome.result);
                }
                if (outcome.result != Result::completed) {
                    EXPECT_THAT(ui.events.back(), ::testing::StartsWith("warning: "));
                }
            }
        }
    }
    std::cout << "removal fault points driven: " << points << ", files lost: " << lost << "\n";
    EXPECT_GE(points, 150u / kPointStride);
}

TEST_F(FaultTest, ARemovalStoppedAtAnyCallIsFinishedOrUndoneByTheNextCommand) {
    std::size_t points = 0;
    for (const auto& s : kScenarios) {
        SCOPED_TRACE(s.name);
        prepare(s);
        const Files before = sim();
        remove_through(tmp.fs(), s, false);
        const Files without_gauges = sim();
        prepare(s);
        FailingFileSystem counting(tmp.fs());
        remove_through(counting, s);
        const Files after = sim();
        const std::size_t calls = counting.calls();
        for (std::size_t k = 0; k < calls; k += kPointStride) {
            SCOPED_TRACE("stopped at call " + std::to_string(k));
            prepare(s);
            FailingFileSystem killed(tmp.fs());
            killed.stop_at(k);
            EXPECT_THROW(remove_through(killed, s), Interrupted);
            ++points;
            finish_interrupted(tmp.fs(), workspace, ui);
            const Files now = sim();
            EXPECT_TRUE(now == before || now == after || now == without_gauges);
            check_nothing_lost(before, s.cfg);
            EXPECT_TRUE(interrupted_removals(tmp.fs(), workspace).empty());
        }
    }
    std::cout << "removal interruptions at a call: " << points << ", unfinished after: 0\n";
}

TEST_F(FaultTest, AFullDiskAtAnyByteIsNeverTakenAsWrittenAndTheNextCommandFinishes) {
    std::size_t points = 0;
    for (const auto& s : kScenarios) {
        SCOPED_TRACE(s.name);
        const auto [before, after, calls, total] = remove_whole(s);
        const std::size_t stride = std::max<std::size_t>(1, total / (40 / kPointStride));
        for (std::size_t room = 0; room <= total; room += stride) {
            SCOPED_TRACE("room for " + std::to_string(room) + " of " + std::to_string(total));
            prepare(s);
            FailingFileSystem full(tmp.fs());
            full.fill_disk_after(room);
            const RemovalOutcome outcome = remove_through(full, s);
            ++points;
            check_nothing_lost(before, s.cfg);
            if (outcome.result == Result::completed) {
                EXPECT_EQ(sim(), after);
            } else {
                EXPECT_THAT(ui.events.back(), ::testing::StartsWith("warning: "));
            }
            if (outcome.result == Result::stopped) {
                EXPECT_EQ(sim(), before);
            }
            // A removal whose record could not be written whole is left to the next command.
            if (!interrupted_removals(tmp.fs(), workspace).empty()) {
                EXPECT_EQ(outcome.result, Result::left_over);
            }
            finish_interrupted(tmp.fs(), workspace, ui);
            check_nothing_lost(before, s.cfg);
            EXPECT_TRUE(interrupted_removals(tmp.fs(), workspace).empty());
        }
    }
    std::cout << "removals with a full disk: " << points << ", files lost: 0\n";
}

TEST_F(FaultTest, AnUnfinishedRemovalWaitsForTheSimulatorItWasMadeFor) {
    const Scenario& s = kScenarios[0];
    prepare(s);
    const Files before = sim();
    // Killed once the aircraft.cfg is held and rewritten, before the files moved.
    FailingFileSystem counting(tmp.fs());
    remove_through(counting, s);
    std::size_t stop = 0;
    for (std::size_t k = 0; k < counting.log().size(); ++k)
        if (counting.log()[k] == Op::copy_file) stop = k + 2;  // after the second copy
    prepare(s);
    FailingFileSystem killed(tmp.fs());
    killed.stop_at(stop);
    EXPECT_THROW(remove_through(killed, s), Interrupted);
    ASSERT_FALSE(interrupted_removals(tmp.fs(), workspace).empty());

    // Another simulator in the settings: the removal waits, nothing moves.
    const Files stopped = sim();
    Workspace elsewhere = workspace;
    elsewhere.sim_main_dir = tmp.at("Elsewhere");
    ui.events.clear();
    finish_interrupted(tmp.fs(), elsewhere, ui);
    EXPECT_THAT(ui.only("warning: ").at(0), ::testing::HasSubstr("stays unfinished"));
    EXPECT_EQ(sim(), stopped);
    EXPECT_FALSE(interrupted_removals(tmp.fs(), workspace).empty());

    // Back on its simulator it is finished.
    finish_interrupted(tmp.fs(), workspace, ui);
    EXPECT_TRUE(interrupted_removals(tmp.fs(), workspace).empty());
    check_nothing_lost(before, s.cfg);
}

TEST_F(FaultTest, ASweepOrALoadWithAFailingCallMovesOnlyWhatItHolds) {
    write_single(tmp);
    write_files(tmp, "FS/Gauges", {"unused1.gau", "unused2.zip", "old.cab"});
    const Files before = sim();
    FailingFileSystem counting(tmp.fs());
    ui.answer({true});
    load_catalogue(counting, workspace, ui, catalogue);
    const std::size_t calls = counting.calls();
    for (bool from_then_on : {false, true}) {
        for (std::size_t k = 0; k < calls; k += kPointStride) {
            SCOPED_TRACE("call " + std::to_string(k));
            reset();
            write_single(tmp);
            write_files(tmp, "FS/Gauges", {"unused1.gau", "unused2.zip", "old.cab"});
            FailingFileSystem failing(tmp.fs());
            failing.fail_call(k, from_then_on);
            ui.answer({true});
            load_catalogue(failing, workspace, ui, catalogue, &ui);
            ui.drop_answers();
            EXPECT_EQ(unaccounted(before), Tree{});
            // A list that lacks an aircraft says so.
            if (ui.list != Tree{"Solo"}) {
                EXPECT_FALSE(ui.only("warning: ").empty());
            }
        }
    }
    std::cout << "sweep and load fault points driven: "
              << 2 * ((calls + kPointStride - 1) / kPointStride)
              << ", files lost: " << (HasFailure() ? "some" : "0") << "\n";
}

TEST_F(FaultTest, AnEmptyingWithAFailingCallNeverSaysEmptyWhenItIsNot) {
    const auto fill = [&] {
        write_files(tmp, "base/Temp_Path", {"a\\x.air", "a\\b\\y.mdl", "z.txt"});
        tmp.hide("base/Temp_Path/z.txt");
    };
    fill();
    FailingFileSystem counting(tmp.fs());
    ui.answer({true});
    ASSERT_EQ(empty_temp_path(counting, workspace, ui), Ending::completed);
    const std::size_t calls = counting.calls();
    for (std::size_t k = 0; k < calls; k += kPointStride) {
        SCOPED_TRACE("call " + std::to_string(k));
        reset();
        fill();
        FailingFileSystem failing(tmp.fs());
        failing.fail_call(k);
        ui.answer({true});
        if (empty_temp_path(failing, workspace, ui) == Ending::completed) {
            EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{});
        } else {
            EXPECT_THAT(ui.events.back(), ::testing::StartsWith("warning: "));
        }
    }
    std::cout << "emptying fault points driven: " << (calls + kPointStride - 1) / kPointStride
              << "\n";
}

}  // namespace
}  // namespace qv::test
