#include "operations/Removal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/HeldRemovals.h"
#include "operations/InstallationFixture.h"
#include "operations/RemovalPlan.h"
#include "operations/RemovalRecord.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using RemovalTest = InstallationTest;
using Result = RemovalOutcome::Result;

const std::string kGaugeQ = std::string("question: ") + msg::kGaugeQuestion;
const std::string kDone = "close\nnotice: Remove process completed.\n";

// A single-section aircraft as real packages come: keys aligned with tabs and blanks, a checklist
// named with a blank after its "=", files no value names (a read-me, a paint kit, a hidden and a
// read-only file, a sub-folder inside the texture folder), and a second aircraft.
void write_solo(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Cessna/aircraft.cfg",
              "[General]\r\natc_type=CESSNA\r\n\r\n[fltsim.0]\r\ntitle\t= Cessna Solo \r\n"
              "//sim=old\r\nsim = c172\r\nmodel=\r\npanel=\r\nsound=\r\ntexture=\r\n"
              "checklist=c172_check\r\nkb_checklists= c172_kb\r\nkb_reference=c172_ref\r\n");
    write_files(
        tmp, "FS\\Aircraft\\Cessna",
        {"c172.air", "c172_check.cfg", "c172_kb.txt", "c172_ref.txt", "readme.txt",
         "Paint Kit\\layers.psd", "model\\c172.mdl", "model\\parts\\wheel.mdl", "sound\\sound.cfg",
         "texture\\t.bmp", "texture\\thumbs\\a.bmp", "desktop.ini", "licence.txt"});
    tmp.make_system("FS/Aircraft/Cessna/desktop.ini");
    tmp.make_read_only("FS/Aircraft/Cessna/licence.txt");
    tmp.write("FS/Aircraft/Cessna/panel/panel.cfg",
              "[Window00]\r\ngauge00\t= cessna!Airspeed, 1, 2\r\ngauge01=shared!x, 1, 2\r\n");
    tmp.write("FS/Aircraft/Other/aircraft.cfg", "[fltsim.0]\r\ntitle=Other\r\n");
    tmp.write("FS/Aircraft/Other/panel/panel.cfg", "gauge00=SHARED!y, 1, 2\r\n");
    tmp.write("FS/Gauges/cessna.gau", "c");
    tmp.write("FS/Gauges/shared.gau", "s");
}

// Three sections in LF lines after two empty lines; Trio B has its own model, panel, texture
// (spelled differently on disk) and checklist; all three share the sim file and the plain model.
const char* const kTrioCfg =
    "\n\n[General]\natc=x\n[fltsim.0]\ntitle=Trio A\nsim=trio\nmodel=\ntexture=a\n\n[fltsim.1]\n"
    "title=Trio B\nsim=trio\nmodel=b\ntexture=Blue\npanel=b\nchecklist=b_check\n[fltsim.2]\n"
    "title=Trio C\nsim=trio\nmodel=\ntexture=c\n[WEIGHT_AND_BALANCE]\nempty_weight=1\n";

void write_trio(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Trio/aircraft.cfg", kTrioCfg);
    write_files(
        tmp, "FS\\Aircraft\\Trio",
        {"trio.air", "b_check.cfg", "model\\shared.mdl", "model.b\\b.mdl", "model.b\\inner\\x.mdl",
         "TEXTURE.BLUE\\b.bmp", "texture.a\\a.bmp", "texture.c\\c.bmp"});
    tmp.write("FS/Aircraft/Trio/panel.b/panel.cfg", "gauge00=bg!x, 1, 2\r\n");
    tmp.write("FS/Gauges/bg.gau", "b");
}

// The held files of a holding folder, the removal's record aside.
Tree held(TempFolder& tmp, const std::string& holding) {
    Tree out;
    for (const auto& entry : tmp.tree(holding))
        if (!entry.starts_with("removal-")) out.push_back(entry);
    return out;
}

TEST_F(RemovalTest, ASingleSectionAircraftIsHeldWholeAndItsFolderGoes) {
    write_solo(tmp);
    const auto before = tmp.files("FS");
    const std::string cfg = tmp.read("FS/Aircraft/Cessna/aircraft.cfg");
    load();
    EXPECT_EQ(ui.list, (Tree{"Cessna Solo", "Other"}));
    EXPECT_EQ(remove("Cessna Solo", {true, true}), Result::completed);

    EXPECT_THAT(
        ui.transcript(),
        StartsWith(std::string("question: ") + msg::kRemoveQuestion +
                   "\nshow\nrange 7\nstatus: Gathering Information\nstep 1\n"
                   "status: Creating Temp Folders\nstep 2\nstatus: Getting Aircraft's Data\n"
                   "step 3\nstatus: Searching Shared Files\nstep 4\n"
                   "status: Deleting Gauges Files\n" +
                   kGaugeQ + "\nstep 5\nstatus: Deleting Aircraft's Files\nstep 6\n" +
                   "status: Deleting Aircraft's Folder\nstep 7\n" + kDone));
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Cessna"));
    EXPECT_EQ(held(tmp, "base/Temp_Path/cessna"), (Tree{"aircraft.cfg",
                                                        "c172.air",
                                                        "c172_check.cfg",
                                                        "c172_kb.txt",
                                                        "c172_ref.txt",
                                                        "desktop.ini",
                                                        "Gauges\\",
                                                        "Gauges\\cessna.gau",
                                                        "licence.txt",
                                                        "model\\",
                                                        "model\\c172.mdl",
                                                        "model\\parts\\",
                                                        "model\\parts\\wheel.mdl",
                                                        "Paint Kit\\",
                                                        "Paint Kit\\layers.psd",
                                                        "panel\\",
                                                        "panel\\panel.cfg",
                                                        "readme.txt",
                                                        "sound\\",
                                                        "sound\\sound.cfg",
                                                        "texture\\",
                                                        "texture\\t.bmp",
                                                        "texture\\thumbs\\",
                                                        "texture\\thumbs\\a.bmp"}));
    EXPECT_EQ(tmp.read("base/Temp_Path/cessna/aircraft.cfg"), cfg);
    EXPECT_EQ(unaccounted(before), Tree{});
    Attributes a;
    ASSERT_TRUE(tmp.fs().attributes(tmp.at("base/Temp_Path/cessna/licence.txt"), a).ok());
    EXPECT_TRUE(a.read_only);
    EXPECT_EQ(tmp.tree("FS/Gauges"), Tree{"shared.gau"});
    EXPECT_EQ(ui.list, Tree{"Other"});
}

TEST_F(RemovalTest, TheMiddleOfThreeSectionsIsCutAndLaterRemovalsNeverReplaceWhatIsHeld) {
    write_trio(tmp);
    load();
    EXPECT_EQ(remove("Trio B", {true, false}), Result::completed);
    EXPECT_THAT(ui.transcript(),
                HasSubstr("step 5\nstatus: Deleting Aircraft's Files\nstep 6\n" + kDone));
    const std::string two =
        "[General]\r\natc=x\r\n[fltsim.0]\r\ntitle=Trio A\r\nsim=trio\r\nmodel=\r\ntexture=a\r\n"
        "\r\n[fltsim.1]\r\ntitle=Trio C\r\nsim=trio\r\nmodel=\r\ntexture=c\r\n"
        "[WEIGHT_AND_BALANCE]\r\nempty_weight=1";
    EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"), two);
    EXPECT_EQ(tmp.tree("FS/Aircraft/Trio"),
              (Tree{"aircraft.cfg", "model\\", "model\\shared.mdl", "model.b\\", "model.b\\inner\\",
                    "model.b\\inner\\x.mdl", "texture.a\\", "texture.a\\a.bmp", "texture.c\\",
                    "texture.c\\c.bmp", "trio.air"}));
    EXPECT_EQ(held(tmp, "base/Temp_Path/trio"),
              (Tree{"aircraft.cfg", "b_check.cfg", "Gauges\\", "model.b\\", "model.b\\b.mdl",
                    "panel.b\\", "panel.b\\panel.cfg", "texture.Blue\\", "texture.Blue\\b.bmp"}));
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/aircraft.cfg"), kTrioCfg);
    EXPECT_TRUE(tmp.exists("FS/Gauges/bg.gau"));
    EXPECT_EQ(ui.list, (Tree{"Trio A", "Trio C"}));

    // The same aircraft installed again and removed again: every held name taken gets the next.
    tmp.write("FS/Aircraft/Trio/aircraft.cfg", kTrioCfg);
    write_files(tmp, "FS\\Aircraft\\Trio", {"b_check.cfg", "TEXTURE.BLUE\\b.bmp"});
    tmp.write("FS/Aircraft/Trio/TEXTURE.BLUE/b.bmp", "second b.bmp");
    tmp.write("FS/Aircraft/Trio/b_check.cfg", "second check");
    load();
    EXPECT_EQ(remove("Trio B", {true}), Result::completed);
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/texture.Blue/b.bmp"), "TEXTURE.BLUE\\b.bmp");
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/texture.Blue/b.bmp.2"), "second b.bmp");
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/b_check.cfg.2"), "second check");
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/aircraft.cfg.2"), kTrioCfg);
    EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"), two);
}

TEST_F(RemovalTest, EachRemovalLeavesARecordOfEveryMoveItMade) {
    write_trio(tmp);
    load();
    EXPECT_EQ(remove("Trio B", {true, true}), Result::completed);
    Tree records;
    for (const auto& entry : tmp.tree("base/Temp_Path/trio"))
        if (entry.starts_with("removal-")) records.push_back(entry);
    ASSERT_EQ(records.size(), 1u);
    RemovalRecord record;
    std::string error;
    ASSERT_TRUE(parse_record(tmp.read("base/Temp_Path/trio/" + records[0]), record, error))
        << error;
    EXPECT_EQ(record.title, "Trio B");
    EXPECT_EQ(record.aircraft, "Aircraft\\Trio");
    EXPECT_EQ(record.holding, "Temp_Path\\trio");
    EXPECT_EQ(record.cfg_copy, "Temp_Path\\trio\\aircraft.cfg");
    EXPECT_EQ(record.section_index, 1u);
    EXPECT_EQ(record.section_count, 3u);
    EXPECT_THAT(record.section_text, StartsWith("[fltsim.1]\r\ntitle=Trio B\r\n"));
    EXPECT_TRUE(record.rewrite);
    ASSERT_EQ(record.moves.size(), 5u);
    EXPECT_EQ(record.moves[0].source, "Gauges\\bg.gau");
    EXPECT_EQ(record.moves[0].kind, MoveKind::gauge);
    EXPECT_TRUE(record.gauges_moved);
    EXPECT_EQ(record.moves[3].held, "Temp_Path\\trio\\texture.Blue\\b.bmp");
    EXPECT_TRUE(record.finished);
    EXPECT_EQ(record.moved, std::vector<bool>(5, true));
    // The record round-trips, and the dry run's plan is the moves the removal made.
    RemovalRecord again;
    ASSERT_TRUE(parse_record(format_record(record), again, error));
    EXPECT_EQ(again.moves.size(), record.moves.size());
    EXPECT_EQ(again.section_text, record.section_text);
}

TEST_F(RemovalTest, TheDryRunPlanIsWhatTheRemovalThenDoes) {
    write_solo(tmp);
    load();
    const auto before = tmp.files("");
    const AircraftRecord& target = catalogue.aircraft_table[catalogue.list_records[0]];
    const PlanOutcome planned = plan_removal(tmp.fs(), workspace, catalogue, target);
    ASSERT_EQ(planned.result, PlanOutcome::Result::planned);
    EXPECT_EQ(tmp.files(""), before);
    EXPECT_EQ(summarise(planned.plan),
              "moves 5 folders and 15 files; 1 gauge file if asked; folder removed");
    EXPECT_EQ(remove("Cessna Solo", {true, true}), Result::completed);
    Tree planned_moves, made;
    for (const auto* moves : {&planned.plan.gauges, &planned.plan.moves, &planned.plan.rest})
        for (const auto& m : *moves) planned_moves.push_back(m.source + " > " + m.held);
    for (const auto& entry : tmp.tree("base/Temp_Path/cessna")) {
        if (!entry.starts_with("removal-")) continue;
        RemovalRecord record;
        std::string error;
        ASSERT_TRUE(parse_record(tmp.read("base/Temp_Path/cessna/" + entry), record, error));
        for (const auto& m : record.moves)
            made.push_back(in_simulator(workspace, m.source) + " > " +
                           in_working_folder(workspace, m.held));
    }
    EXPECT_EQ(made, planned_moves);
}

TEST_F(RemovalTest, TheGaugeQuestionComesOnlyForTheSectionsOwnPanelWithoutAlias) {
    const struct {
        const char* name;
        const char* other_panel;  // the other section's panel line (the removed one's is x)
        const char* panel_cfg;    // the removed section's panel.cfg, or null for none
        bool asked, answer;
    } cases[] = {
        {"alias", "panel=y", "Alias\t= Other\\panel\r\ngauge00=g!a", false, false},
        {"shared panel", "panel=x", "gauge00=g!a", false, false},
        {"answered no", "panel=y", "gauge00=g!a", true, false},
        {"answered yes", "panel=y", "gauge00\t=\tg!a", true, true},
        {"no panel record", "panel=y", nullptr, false, false},
        {"no gauges", "panel=y", "[Window00]\r\nsize_mm=1", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        tmp.write(
            "FS/Aircraft/A/aircraft.cfg",
            std::string("[fltsim.0]\r\ntitle=Gone\r\npanel=x\r\n[fltsim.1]\r\ntitle=Kept\r\n") +
                c.other_panel);
        if (c.panel_cfg) tmp.write("FS/Aircraft/A/panel.x/panel.cfg", c.panel_cfg);
        tmp.write("FS/Gauges/g.gau", "g");
        load();
        remove("Gone", {true, c.answer});  // an answer not asked for goes to the reload, No
        EXPECT_EQ(ui.only(kGaugeQ).size(), c.asked ? 1u : 0u);
        EXPECT_EQ(tmp.exists("FS/Gauges/g.gau"), !c.answer);
    }
}

TEST_F(RemovalTest, GaugesListedByOtherPanelsStay) {
    tmp.write("FS/Aircraft/Main/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Main One\r\n[fltsim.1]\r\ntitle=Main Two\r\npanel=two\r\n");
    tmp.write("FS/Aircraft/Main/panel/panel.cfg",
              "gauge00=g1!a\r\ngauge01=g2, 1, 2\r\ngauge02=g3!a\r\ngauge03=g4!a\r\ngauge04=g5!a\r\n"
              "gauge05=g6!a\r\ngauge06=g6!b\r\n");
    // Another delimiter still protects; an alias panel does not; the end of a longer name does;
    // another section's own panel does; a tab-aligned line does.
    tmp.write("FS/Aircraft/Other1/panel/panel.cfg", "gauge00=G1, 3, 4\r\n");
    tmp.write("FS/Aircraft/Aliased/panel/panel.cfg", "alias=x\r\ngauge00=g3!a\r\n");
    tmp.write("FS/Aircraft/Other2/panel/panel.cfg", "gauge00=xg4!a\r\n");
    tmp.write("FS/Aircraft/Main/panel.two/panel.cfg", "gauge00\t= g5!a\r\n");
    write_files(tmp, "FS/Gauges", {"g1.gau", "g2.gau", "g3.gau", "g4.gau", "g5.gau", "g6.gau"});
    load();
    EXPECT_EQ(remove("Main One", {true, true}), Result::completed);
    EXPECT_EQ(tmp.tree("FS/Gauges"), (Tree{"g1.gau", "g4.gau", "g5.gau"}));
    EXPECT_EQ(tmp.tree("base/Temp_Path/main/Gauges"), (Tree{"g2.gau", "g3.gau", "g6.gau"}));
}

TEST_F(RemovalTest, TheChosenEntryIsRemovedEvenWhenAnotherHasTheSameTitleOrText) {
    tmp.write("FS/Aircraft/First/aircraft.cfg", "[fltsim.0]\r\ntitle=Twin\r\n");
    tmp.write("FS/Aircraft/Second/aircraft.cfg", "[fltsim.0]\r\ntitle=Twin\r\n");
    const std::string twins =
        "[fltsim.0]\r\ntitle=Same\r\ntexture=t\r\n[fltsim.0]\r\ntitle=Same\r\ntexture=t";
    tmp.write("FS/Aircraft/Twins/aircraft.cfg", twins);
    tmp.write("FS/Aircraft/Twins/texture.t/t.bmp", "t");
    load();
    EXPECT_EQ(remove("Twin", {true}, 0), Result::completed);
    EXPECT_FALSE(tmp.exists("FS/Aircraft/First"));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Second/aircraft.cfg"));

    EXPECT_EQ(remove("Same", {true}, 1), Result::completed);
    EXPECT_EQ(tmp.read("FS/Aircraft/Twins/aircraft.cfg"), "[fltsim.0]\r\ntitle=Same\r\ntexture=t");
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Twins/texture.t/t.bmp"));
    EXPECT_EQ(tmp.read("base/Temp_Path/twins/aircraft.cfg"), twins);
    EXPECT_EQ(ui.list, (Tree{"Twin", "Same"}));
}

TEST_F(RemovalTest, ValuesThatLeadOutOfTheirFolderAreSkipped) {
    tmp.write("FS/Aircraft/Esc/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Escape\r\nsim=..\\..\\Outside\\victim\r\n"
              "texture=\\..\\..\\Gauges\r\nchecklist=C:\\boot\r\nkb_checklists=..\\Esc2\\notes\r\n"
              "kb_reference=sub\\..\\..\\..\\Outside\\ref\r\n");
    tmp.write("FS/Aircraft/Esc/panel/panel.cfg",
              "gauge00=..\\evil!a\r\ngauge01=..\\Outside\\v2!b\r\n");
    const Tree outside = {"FS/Outside/victim.air",      "FS/Outside/ref.txt",
                          "FS/Outside/v2.gau",          "FS/evil.gau",
                          "FS/Aircraft/Esc2/notes.txt", "FS/Gauges/keep.gau"};
    for (const auto& f : outside) tmp.write(f, f);
    load();
    EXPECT_EQ(remove("Escape", {true, true}), Result::completed);
    for (const auto& f : outside) EXPECT_EQ(tmp.read(f), f);
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Esc"));
    EXPECT_EQ(held(tmp, "base/Temp_Path/esc"),
              (Tree{"aircraft.cfg", "Gauges\\", "panel\\", "panel\\panel.cfg"}));
}

TEST_F(RemovalTest, AFileWrittenWithAByteOrderMarkKeepsItsFirstSectionAndTheMark) {
    tmp.write("FS/Aircraft/Bom/aircraft.cfg",
              "\xEF\xBB\xBF[fltsim.0]\r\ntitle=First\r\n[fltsim.1]\r\ntitle=Second\r\n");
    load();
    EXPECT_EQ(ui.list, (Tree{"First", "Second"}));
    EXPECT_EQ(remove("Second", {true}), Result::completed);
    EXPECT_EQ(tmp.read("FS/Aircraft/Bom/aircraft.cfg"), "\xEF\xBB\xBF[fltsim.0]\r\ntitle=First");
}

// An aircraft.cfg changed since the load, or a copy, a rewrite, a holding folder, a record or a
// read that fails, leaves every file of the aircraft where it was and removes nothing (CI runs
// as root, so the failures are injected).
TEST_F(RemovalTest, AChangedFileOrAFailingStepBeforeTheFirstMoveRemovesNothing) {
    const std::string data = "Data\nclose\n", gauges = "Gauges Files\nclose\n";
    const struct {
        Op op;
        const char* path_part;  // null: Trio B is renamed on disk instead
        std::string ending;     // of the removal's transcript, before its warning
        const char* said;       // in the warning
        bool reloaded;
    } cases[] = {
        {Op::read_file, nullptr, data, "has changed", true},
        {Op::copy_file, "trio\\aircraft.cfg", gauges, "not be copied", false},
        {Op::replace_file, "trio\\aircraft.cfg", gauges, "not be rewritten", false},
        {Op::create_folder, "Gauges", "Folders\nclose\n", "not be made", false},
        {Op::write_new_file, "removal-", gauges, "record", false},
        {Op::read_file, "trio\\aircraft.cfg", data, "could not be read", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        reset();
        write_trio(tmp);
        load();
        std::string cfg = kTrioCfg;
        if (!c.path_part)
            tmp.write("FS/Aircraft/Trio/aircraft.cfg",
                      cfg.replace(cfg.find("Trio B"), 6, "Trio X"));
        const Tree before = tmp.tree("FS");
        FailingFileSystem failing(tmp.fs());
        if (c.path_part) failing.fail(c.op, c.path_part);
        ui.answer({true});
        const RemovalOutcome outcome = remove_aircraft(failing, workspace, ui, catalogue, 1);
        EXPECT_EQ(outcome.result, Result::stopped);
        EXPECT_EQ(outcome.reload, c.reloaded);
        EXPECT_EQ(tmp.tree("FS"), before);
        EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"), cfg);
        EXPECT_EQ(tmp.tree("base/Temp_Path"), Tree{});
        EXPECT_THAT(ui.transcript(), HasSubstr(c.ending + said()));
        EXPECT_THAT(said(), HasSubstr(c.said));
        EXPECT_THAT(said(), Not(HasSubstr("removed, but")));
        EXPECT_TRUE(ui.only(kGaugeQ).empty());
    }
}

TEST_F(RemovalTest, AFileThatCanNotBeHeldStaysAndKeepsTheAircraftFolder) {
    write_solo(tmp);
    const auto before = tmp.files("FS");
    load();
    FailingFileSystem failing(tmp.fs());
    failing.fail(Op::copy_file, "c172.mdl");
    EXPECT_EQ(remove("Cessna Solo", {true, false}, 0, &failing), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Aircraft/Cessna"), (Tree{"model\\", "model\\c172.mdl"}));
    EXPECT_THAT(said(), HasSubstr("could not be deleted completely"));
    EXPECT_THAT(said(), HasSubstr("c172.mdl"));
    EXPECT_EQ(unaccounted(before), Tree{});
}

TEST_F(RemovalTest, AFolderHoldingAnotherAircraftOrTheAircraftFolderIsNotDeleted) {
    tmp.write("FS/Aircraft/A/aircraft.cfg", "[fltsim.0]\r\ntitle=Outer\r\n");
    tmp.write("FS/Aircraft/A/readme.txt", "r");
    tmp.write("FS/Aircraft/A/B/aircraft.cfg", "[fltsim.0]\r\ntitle=Inner\r\n");
    tmp.write("FS/Aircraft/aircraft.cfg", "[fltsim.0]\r\ntitle=Root\r\n");
    load();
    EXPECT_EQ(remove("Outer", {true}), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Aircraft/A"), (Tree{"B\\", "B\\aircraft.cfg", "readme.txt"}));
    EXPECT_THAT(said(), HasSubstr("holds the folder of another aircraft"));
    EXPECT_TRUE(tmp.exists("base/Temp_Path/a/aircraft.cfg"));

    EXPECT_EQ(remove("Root", {true}), Result::left_over);
    EXPECT_TRUE(tmp.exists("FS/Aircraft/A/B/aircraft.cfg"));
    EXPECT_TRUE(tmp.exists("base/Temp_Path/aircraft/aircraft.cfg"));
    EXPECT_EQ(ui.list, Tree{"Inner"});
}

TEST_F(RemovalTest, SeveralAircraftGoInOneBatchEachJudgedByItsFileAsItThenStands) {
    write_trio(tmp);
    write_solo(tmp);
    const auto before = tmp.files("FS");
    load();
    ASSERT_EQ(ui.list, (Tree{"Cessna Solo", "Other", "Trio A", "Trio B", "Trio C"}));
    tmp.write("FS/Aircraft/Other/aircraft.cfg", "[fltsim.0]\r\ntitle=Changed\r\n");
    ui.answer({true, false});
    const std::size_t chosen[] = {4, 1, 2, 3};
    const RemovalOutcome outcome = remove_aircraft(tmp.fs(), workspace, ui, catalogue, chosen);
    EXPECT_EQ(outcome.result, Result::left_over);
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(ui.only("question: ").size(), 2u);  // the confirmation and the gauges, once
    EXPECT_EQ(ui.only("question: ")[0],
              "question: Confirm to delete the files of the 4 selected aircraft?");
    // All three sections of the file went, the last as a single section: the folder is gone.
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Trio"));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Other/aircraft.cfg"));
    EXPECT_THAT(said(), HasSubstr("3 of the 4 selected aircraft were removed"));
    EXPECT_THAT(said(), HasSubstr("Other: not removed"));
    EXPECT_EQ(unaccounted(before), Tree{});
    Tree records;
    for (const auto& entry : tmp.tree("base/Temp_Path/trio"))
        if (entry.starts_with("removal-")) records.push_back(entry);
    EXPECT_EQ(records.size(), 3u);  // each can be put back alone
}

TEST_F(RemovalTest, ABatchNamesItselfInItsRecordsAndAStopEndsItAfterTheRemovalUnderWay) {
    write_trio(tmp);
    write_solo(tmp);
    load();
    const auto before = tmp.files("FS");
    ui.answer({true, false});
    ui.stop_after = 3;  // looked at before each removal: the third look stops it
    const std::size_t chosen[] = {0, 2, 3, 4};
    const RemovalOutcome outcome = remove_aircraft(tmp.fs(), workspace, ui, catalogue, chosen);
    EXPECT_EQ(outcome.result, Result::left_over);
    const auto statuses = ui.only("status: ");
    EXPECT_EQ(statuses, (std::vector<std::string>{"status: Removing 1 of 4: Cessna Solo",
                                                  "status: Removing 2 of 4: Trio A"}));
    EXPECT_THAT(said(), HasSubstr("You stopped the removal. 2 of the 4 selected aircraft were "
                                  "removed"));
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "stop offered"), 1);
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Trio/aircraft.cfg"));
    EXPECT_EQ(unaccounted(before), Tree{});
    // Both records name the batch by its first record's id.
    const HeldList held = list_held(tmp.fs(), workspace);
    ASSERT_EQ(held.removals.size(), 2u);
    EXPECT_EQ(held.removals[0].batch, held.removals[1].batch);
    EXPECT_EQ(held.removals[1].batch, held.removals[1].id);

    // A removal on its own names none.
    reset();
    write_solo(tmp);
    load();
    ASSERT_EQ(remove("Cessna Solo", {true, false}), Result::completed) << said();
    EXPECT_EQ(list_held(tmp.fs(), workspace).removals.at(0).batch, "");
}

TEST_F(RemovalTest, ABatchTakesTheLastSectionThenTheOneAboveItsBlankLine) {
    // The cut of the last section takes the line end before it, and the rewritten file's last
    // line end starts no line, so the section above is read back shorter by its empty lines:
    // it is still that section.
    tmp.write(
        "FS/Aircraft/Duo/aircraft.cfg",
        "[fltsim.0]\r\ntitle=Duo A\r\nsim=duo\r\n\r\n\r\n[fltsim.1]\r\ntitle=Duo B\r\nsim=duo\r\n");
    tmp.write("FS/Aircraft/Duo/duo.air", "air");
    const auto before = tmp.files("FS");
    load();
    ASSERT_EQ(ui.list, (Tree{"Duo A", "Duo B"}));
    ui.answer({true});
    const std::size_t chosen[] = {1, 0};
    EXPECT_EQ(remove_aircraft(tmp.fs(), workspace, ui, catalogue, chosen).result,
              Result::completed);
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Duo"));
    EXPECT_EQ(unaccounted(before), Tree{});
}

TEST_F(RemovalTest, AnotherCommandAtWorkInTheFolderStopsTheRemoval) {
    write_trio(tmp);
    load();
    auto other = make_native_file_system();
    std::unique_ptr<FileLock> held;
    ASSERT_TRUE(other->lock_file(path::join(workspace.base_dir, kLockFileName), held).ok());
    ui.answer({true});
    EXPECT_EQ(remove_aircraft(tmp.fs(), workspace, ui, catalogue, 1).result, Result::stopped);
    EXPECT_THAT(said(), HasSubstr("Another Quorvane command is at work"));
    EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"), kTrioCfg);
}

#ifndef _WIN32
TEST_F(RemovalTest, NothingIsMovedThroughALink) {
    write_solo(tmp);
    tmp.write("FS/Outside/models/m.mdl", "m");
    tmp.mkdir("FS/Outside/sink");
    tmp.write("Elsewhere/lurk/aircraft.cfg", "[fltsim.0]\r\ntitle=Lurker\r\n");
    tmp.write("Elsewhere/lurk/lurk.air", "l");
    tmp.link("Elsewhere", "FS/Aircraft/Other/ext");
    // The section's model folder is a link; its texture folder's place in the holding folder is
    // a link too.
    tmp.write("FS/Aircraft/Cessna/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Cessna Solo\r\nmodel=ext\r\ntexture=\r\n");
    tmp.link("FS/Outside/models", "FS/Aircraft/Cessna/model.ext");
    tmp.mkdir("base/Temp_Path/cessna");
    tmp.link("FS/Outside/sink", "base/Temp_Path/cessna/texture");
    load();
    EXPECT_EQ(ui.list, (Tree{"Cessna Solo", "Other", "Lurker"}));
    // An aircraft found only through a link is listed, and can't be removed.
    EXPECT_EQ(remove("Lurker", {true}), Result::stopped);
    EXPECT_THAT(said(), HasSubstr("reached through the link"));
    EXPECT_EQ(tmp.tree("Elsewhere"), (Tree{"lurk\\", "lurk\\aircraft.cfg", "lurk\\lurk.air"}));

    EXPECT_EQ(remove("Cessna Solo", {true, false}), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Outside"), (Tree{"models\\", "models\\m.mdl", "sink\\"}));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Cessna/model.ext/m.mdl"));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Cessna/texture/t.bmp"));
    EXPECT_THAT(said(), HasSubstr("link"));
}

TEST_F(RemovalTest, LinksInASectionsFolderAndAHoldingFolderThatIsALinkAreLeftAlone) {
    write_solo(tmp);
    tmp.write("Outside/keep.bmp", "outside");
    tmp.link("Outside/keep.bmp", "FS/Aircraft/Cessna/texture/linked.bmp");
    tmp.link("Outside", "FS/Aircraft/Cessna/texture/linked");
    load();
    EXPECT_EQ(remove("Cessna Solo", {true, false}), Result::left_over);
    EXPECT_THAT(said(), HasSubstr("linked.bmp (a link, left as it is)"));
    EXPECT_EQ(tmp.files("Outside"), (std::map<std::string, std::string>{{"keep.bmp", "outside"}}));
    EXPECT_FALSE(tmp.exists("base/Temp_Path/cessna/texture/linked.bmp"));

    // Unused Gauges a link: the sweep moves nothing into it.
    std::filesystem::remove_all(tmp.native("base/Unused Gauges"));
    tmp.link("Outside", "base/Unused Gauges");
    tmp.write("FS/Gauges/orphan.gau", "o");
    ui.events.clear();
    ui.answer({true});
    load_catalogue(tmp.fs(), workspace, ui, catalogue, &ui);
    EXPECT_TRUE(tmp.exists("FS/Gauges/orphan.gau"));
    EXPECT_THAT(ui.only("warning: ").at(0), HasSubstr("is a link to another folder"));
    EXPECT_EQ(tmp.files("Outside"), (std::map<std::string, std::string>{{"keep.bmp", "outside"}}));
}

TEST_F(RemovalTest, ALockFileThatIsALinkIsRefused) {
    tmp.write("Outside/target", "");
    tmp.link("Outside/target", "base/quorvane.lock");
    std::string why;
    EXPECT_EQ(WorkingFolderLock::take(tmp.fs(), workspace, why), nullptr);
    EXPECT_THAT(why, HasSubstr("link"));
}
#endif

TEST_F(RemovalTest, RecordsAreStampedByTheClockGivenEachLaterThanTheOneBefore) {
    struct FixedClock final : Clock {
        std::int64_t now_ms() const override { return 1765000000998; }
    } clock;
    write_trio(tmp);
    load();
    ui.answer({true, true, false});
    const std::vector<std::size_t> all{0, 1, 2};
    EXPECT_EQ(remove_aircraft(tmp.fs(), workspace, ui, catalogue, all, clock).result,
              Result::completed)
        << ui.transcript();
    std::vector<std::string> ids;
    for (const auto& h : list_held(tmp.fs(), workspace).removals) ids.push_back(h.id);
    ASSERT_EQ(ids.size(), 3u);
    // Newest first: the same clock reading gives each removal of the batch the next millisecond.
    EXPECT_TRUE(ids[0].ends_with("-000") && ids[1].ends_with("-999") && ids[2].ends_with("-998"))
        << ids[0] << " " << ids[1] << " " << ids[2];
}

TEST_F(RemovalTest, AWorkingFolderInsideTheAircraftFolderIsNotWalked) {
    write_solo(tmp);
    workspace.base_dir = tmp.at("FS/Aircraft/Quorvane");
    workspace.temp_path_dir = tmp.at("FS/Aircraft/Quorvane/Temp_Path");
    workspace.unused_gauges_dir = tmp.at("FS/Aircraft/Quorvane/Unused Gauges");
    tmp.mkdir("FS/Aircraft/Quorvane/Temp_Path");
    tmp.mkdir("FS/Aircraft/Quorvane/Unused Gauges");
    load();
    EXPECT_EQ(remove("Cessna Solo", {true, false}), Result::completed) << said();
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Quorvane/Temp_Path/cessna/aircraft.cfg"));
    EXPECT_EQ(ui.list, Tree{"Other"});
}

TEST_F(RemovalTest, NamesWindowsTakesForOneStopTheRemovalBeforeAnythingMoves) {
    write_solo(tmp);
    const struct {
        const char* a;
        const char* b;
    } clashes[] = {{"Read.txt", "read.txt"}, {"texture/t.bmp", "texture/T.BMP"}};
    for (const auto& c : clashes) {
        SCOPED_TRACE(c.b);
        reset();
        write_solo(tmp);
        tmp.write(std::string("FS/Aircraft/Cessna/") + c.a, "one");
        tmp.write(std::string("FS/Aircraft/Cessna/") + c.b, "two");
        if (tmp.read(std::string("FS/Aircraft/Cessna/") + c.a) != "one") continue;  // one name
        load();
        const auto before = tmp.files("FS");
        EXPECT_EQ(remove("Cessna Solo", {true, false}), Result::stopped);
        EXPECT_THAT(said(), HasSubstr("names Windows takes for one"));
        EXPECT_EQ(tmp.files("FS"), before);
    }
}

#ifndef _WIN32
TEST_F(RemovalTest, FoldersDifferingOnlyInCaseAreTwoAircraft) {
    tmp.write("FS/Aircraft/Cub/aircraft.cfg", "[fltsim.0]\r\ntitle=Cub\r\n");
    tmp.write("FS/Aircraft/CUB/aircraft.cfg", "[fltsim.0]\r\ntitle=Big Cub\r\n");
    load();
    EXPECT_EQ(remove("Cub", {true}), Result::completed) << said();
    EXPECT_TRUE(tmp.exists("FS/Aircraft/CUB/aircraft.cfg"));
    EXPECT_EQ(ui.list, Tree{"Big Cub"});
}
#endif

}  // namespace
}  // namespace qv::test
