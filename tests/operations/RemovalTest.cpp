#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/InstallationFixture.h"
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

// One aircraft.cfg with a single section, its files, some other files and a second aircraft.
void WriteSolo(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Cessna/aircraft.cfg",
              "[General]\r\natc_type=CESSNA\r\n\r\n[fltsim.0]\r\ntitle=Cessna Solo\r\nsim=c172\r\n"
              "model=\r\npanel=\r\nsound=\r\ntexture=\r\nchecklist=c172_check\r\n"
              "kb_checklists=c172_kb\r\nkb_reference=c172_ref\r\n");
    WriteFiles(
        tmp, "FS\\Aircraft\\Cessna",
        {"c172.air", "c172_check.cfg", "c172_kb.txt", "c172_ref.txt", "readme.txt",
         "model\\c172.mdl", "model\\parts\\wheel.mdl", "sound\\sound.cfg", "texture\\t.bmp"});
    tmp.write("FS/Aircraft/Cessna/panel/panel.cfg",
              "[Window00]\r\ngauge00=cessna!Airspeed, 1, 2\r\ngauge01=shared!x, 1, 2\r\n");
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

void WriteTrio(TempFolder& tmp) {
    tmp.write("FS/Aircraft/Trio/aircraft.cfg", kTrioCfg);
    WriteFiles(
        tmp, "FS\\Aircraft\\Trio",
        {"trio.air", "b_check.cfg", "model\\shared.mdl", "model.b\\b.mdl", "model.b\\inner\\x.mdl",
         "TEXTURE.BLUE\\b.bmp", "texture.a\\a.bmp", "texture.c\\c.bmp"});
    tmp.write("FS/Aircraft/Trio/panel.b/panel.cfg", "gauge00=bg!x, 1, 2\r\n");
    tmp.write("FS/Gauges/bg.gau", "b");
}

TEST_F(RemovalTest, ASingleSectionAircraftIsHeldAndItsFolderDeleted) {
    WriteSolo(tmp);
    const std::string cfg = tmp.read("FS/Aircraft/Cessna/aircraft.cfg");
    Load();
    EXPECT_EQ(Remove("Cessna Solo", {true, true}), Result::completed);

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
    EXPECT_EQ(
        tmp.tree("base/Temp_Path/cessna"),
        (Tree{"aircraft.cfg", "c172.air", "c172_check.cfg", "c172_kb.txt", "c172_ref.txt",
              "Gauges\\", "Gauges\\cessna.gau", "model\\", "model\\c172.mdl", "panel\\",
              "panel\\panel.cfg", "sound\\", "sound\\sound.cfg", "texture\\", "texture\\t.bmp"}));
    EXPECT_EQ(tmp.read("base/Temp_Path/cessna/aircraft.cfg"), cfg);
    EXPECT_EQ(tmp.tree("FS/Gauges"), Tree{"shared.gau"});
    EXPECT_EQ(ui.list, Tree{"Other"});
}

TEST_F(RemovalTest, TheMiddleOfThreeSectionsIsCutAndASecondRemovalKeepsBothBackups) {
    WriteTrio(tmp);
    Load();
    EXPECT_EQ(Remove("Trio B", {true, false}), Result::completed);
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
    EXPECT_EQ(tmp.tree("base/Temp_Path/trio"),
              (Tree{"aircraft.cfg", "b_check.cfg", "Gauges\\", "model.b\\", "model.b\\b.mdl",
                    "panel.b\\", "panel.b\\panel.cfg", "texture.Blue\\", "texture.Blue\\b.bmp"}));
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/aircraft.cfg"), kTrioCfg);
    EXPECT_TRUE(tmp.exists("FS/Gauges/bg.gau"));
    EXPECT_EQ(ui.list, (Tree{"Trio A", "Trio C"}));

    EXPECT_EQ(Remove("Trio A", {true}), Result::completed);
    EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"),
              "[General]\r\natc=x\r\n[fltsim.0]\r\ntitle=Trio C\r\nsim=trio\r\nmodel=\r\n"
              "texture=c\r\n[WEIGHT_AND_BALANCE]\r\nempty_weight=1");
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/aircraft.cfg"), kTrioCfg);
    EXPECT_EQ(tmp.read("base/Temp_Path/trio/aircraft.cfg.2"), two);
    EXPECT_TRUE(tmp.exists("base/Temp_Path/trio/texture.a/a.bmp"));
}

TEST_F(RemovalTest, TheGaugeQuestionComesOnlyForTheSectionsOwnPanelWithoutAlias) {
    const struct {
        const char* name;
        const char* other_panel;  // the other section's panel line (the removed one's is x)
        const char* panel_cfg;    // the removed section's panel.cfg, or null for none
        bool asked, answer;
    } cases[] = {
        {"alias", "panel=y", "alias=Other\\panel\r\ngauge00=g!a", false, false},
        {"shared panel", "panel=x", "gauge00=g!a", false, false},
        {"answered no", "panel=y", "gauge00=g!a", true, false},
        {"answered yes", "panel=y", "gauge00=g!a", true, true},
        {"no panel record", "panel=y", nullptr, false, false},
        {"no gauges", "panel=y", "[Window00]\r\nsize_mm=1", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        tmp.write(
            "FS/Aircraft/A/aircraft.cfg",
            std::string("[fltsim.0]\r\ntitle=Gone\r\npanel=x\r\n[fltsim.1]\r\ntitle=Kept\r\n") +
                c.other_panel);
        if (c.panel_cfg) tmp.write("FS/Aircraft/A/panel.x/panel.cfg", c.panel_cfg);
        tmp.write("FS/Gauges/g.gau", "g");
        Load();
        Remove("Gone", {true, c.answer});  // an answer not asked for goes to the reload, No
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
    // another section's own panel does.
    tmp.write("FS/Aircraft/Other1/panel/panel.cfg", "gauge00=G1, 3, 4\r\n");
    tmp.write("FS/Aircraft/Aliased/panel/panel.cfg", "alias=x\r\ngauge00=g3!a\r\n");
    tmp.write("FS/Aircraft/Other2/panel/panel.cfg", "gauge00=xg4!a\r\n");
    tmp.write("FS/Aircraft/Main/panel.two/panel.cfg", "gauge00=g5!a\r\n");
    WriteFiles(tmp, "FS/Gauges", {"g1.gau", "g2.gau", "g3.gau", "g4.gau", "g5.gau", "g6.gau"});
    Load();
    EXPECT_EQ(Remove("Main One", {true, true}), Result::completed);
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
    Load();
    EXPECT_EQ(Remove("Twin", {true}, 0), Result::completed);
    EXPECT_FALSE(tmp.exists("FS/Aircraft/First"));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Second/aircraft.cfg"));

    EXPECT_EQ(Remove("Same", {true}, 1), Result::completed);
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
    Load();
    EXPECT_EQ(Remove("Escape", {true, true}), Result::completed);
    for (const auto& f : outside) EXPECT_EQ(tmp.read(f), f);
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Esc"));
    EXPECT_EQ(tmp.tree("base/Temp_Path/esc"), (Tree{"aircraft.cfg", "Gauges\\", "model\\",
                                                    "panel\\", "panel\\panel.cfg", "sound\\"}));
}

// An aircraft.cfg changed since the load, or a backup, a rewrite, a holding folder or a read that
// fails, leaves every file of the aircraft where it was (CI runs as root, so the failures are
// injected).
TEST_F(RemovalTest, AChangedFileOrAFailingBackupRewriteHoldingFolderOrReadMovesNothing) {
    const std::string data = "Data\nclose\n", files = "Files\nstep 6\nclose\n";
    using O = Result;
    const struct {
        Op op;
        const char* path_part;  // null: Trio B is renamed on disk instead
        O outcome;
        std::string ending;  // of the removal's transcript, before its warning
        const char* said;    // in the warning
        bool backup_held;
    } cases[] = {
        {Op::read_file, nullptr, O::stopped, data, "has changed", false},
        {Op::copy_file, "path\\trio\\aircraft.cfg", O::left_over, files, "not be copied", false},
        {Op::replace_file, "trio\\aircraft.cfg", O::left_over, files, "not be rewritten", true},
        {Op::create_folder, "Gauges", O::stopped, "Folders\nclose\n", "not be made", false},
        {Op::read_file, "trio\\aircraft.cfg", O::stopped, data, "could not be read", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        Reset();
        WriteTrio(tmp);
        Load();
        std::string cfg = kTrioCfg;
        if (!c.path_part)
            tmp.write("FS/Aircraft/Trio/aircraft.cfg",
                      cfg.replace(cfg.find("Trio B"), 6, "Trio X"));
        const Tree before = tmp.tree("FS");
        FailingFileSystem failing(tmp.fs());
        if (c.path_part) failing.fail(c.op, c.path_part);
        EXPECT_EQ(Remove("Trio B", {true}, 0, &failing), c.outcome);
        EXPECT_EQ(tmp.tree("FS"), before);
        EXPECT_EQ(tmp.read("FS/Aircraft/Trio/aircraft.cfg"), cfg);
        const Tree backup = {"trio\\", "trio\\aircraft.cfg", "trio\\Gauges\\"};
        EXPECT_EQ(tmp.tree("base/Temp_Path"), c.backup_held ? backup : Tree{});
        EXPECT_THAT(ui.transcript(), HasSubstr(c.ending + Said()));
        EXPECT_THAT(Said(), HasSubstr(c.said));
        EXPECT_THAT(Said(), Not(HasSubstr("The aircraft was removed")));
        EXPECT_TRUE(ui.only(kGaugeQ).empty());
        EXPECT_EQ(ui.list, (Tree{"Trio A", c.path_part ? "Trio B" : "Trio X", "Trio C"}));
    }
}

TEST_F(RemovalTest, AFileThatCanNotBeHeldKeepsTheAircraftFolder) {
    WriteSolo(tmp);
    Load();
    FailingFileSystem failing(tmp.fs());
    failing.fail(Op::copy_file, "c172.mdl");
    EXPECT_EQ(Remove("Cessna Solo", {true, false}, 0, &failing), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Aircraft/Cessna"), (Tree{"model\\", "model\\c172.mdl", "model\\parts\\",
                                                    "model\\parts\\wheel.mdl", "readme.txt"}));
    EXPECT_THAT(Said(), HasSubstr("was not deleted"));
    EXPECT_THAT(Said(), HasSubstr("c172.mdl"));
}

TEST_F(RemovalTest, AFolderHoldingAnotherAircraftOrTheAircraftFolderIsNotDeleted) {
    tmp.write("FS/Aircraft/A/aircraft.cfg", "[fltsim.0]\r\ntitle=Outer\r\n");
    tmp.write("FS/Aircraft/A/readme.txt", "r");
    tmp.write("FS/Aircraft/A/B/aircraft.cfg", "[fltsim.0]\r\ntitle=Inner\r\n");
    tmp.write("FS/Aircraft/aircraft.cfg", "[fltsim.0]\r\ntitle=Root\r\n");
    Load();
    EXPECT_EQ(Remove("Outer", {true}), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Aircraft/A"), (Tree{"B\\", "B\\aircraft.cfg", "readme.txt"}));
    EXPECT_THAT(Said(), HasSubstr("holds the folder of another aircraft"));
    EXPECT_TRUE(tmp.exists("base/Temp_Path/a/aircraft.cfg"));

    EXPECT_EQ(Remove("Root", {true}), Result::left_over);
    EXPECT_TRUE(tmp.exists("FS/Aircraft/A/B/aircraft.cfg"));
    EXPECT_TRUE(tmp.exists("base/Temp_Path/aircraft/aircraft.cfg"));
    EXPECT_EQ(ui.list, Tree{"Inner"});
}

#ifndef _WIN32
TEST_F(RemovalTest, LinksInTheAircraftOrHoldingFolderAreLeftAsTheyAre) {
    WriteSolo(tmp);
    tmp.write("FS/Outside/models/m.mdl", "m");
    tmp.mkdir("FS/Outside/sink");
    // The section's model folder is a link; its texture folder's place in the holding folder is
    // a link too.
    tmp.write("FS/Aircraft/Cessna/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Cessna Solo\r\nmodel=ext\r\ntexture=\r\n");
    tmp.link("FS/Outside/models", "FS/Aircraft/Cessna/model.ext");
    tmp.mkdir("base/Temp_Path/cessna");
    tmp.link("FS/Outside/sink", "base/Temp_Path/cessna/texture");
    Load();
    EXPECT_EQ(Remove("Cessna Solo", {true, false}), Result::left_over);
    EXPECT_EQ(tmp.tree("FS/Outside"), (Tree{"models\\", "models\\m.mdl", "sink\\"}));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Cessna/model.ext/m.mdl"));
    EXPECT_TRUE(tmp.exists("FS/Aircraft/Cessna/texture/t.bmp"));
    EXPECT_THAT(Said(), HasSubstr("link"));
}
#endif

}  // namespace
}  // namespace qv::test
