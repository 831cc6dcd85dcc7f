#include <gtest/gtest.h>

#include "core/Messages.h"
#include "operations/RemovalFixture.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

const std::string kGaugeQ = std::string("question: ") + msg::kGaugeQuestion;

// One aircraft.cfg with a single section, its files, some other files and a second aircraft.
void WriteSolo(TempFolder& tmp) {
    tmp.write("FS\\Aircraft\\Cessna\\aircraft.cfg",
              "[General]\r\natc_type=CESSNA\r\n\r\n[fltsim.0]\r\ntitle=Cessna Solo\r\nsim=c172\r\n"
              "model=\r\npanel=\r\nsound=\r\ntexture=\r\nchecklist=c172_check\r\n"
              "kb_checklists=c172_kb\r\nkb_reference=c172_ref\r\n");
    for (const char* f :
         {"c172.air", "c172_check.cfg", "c172_kb.txt", "c172_ref.txt", "readme.txt",
          "model\\c172.mdl", "model\\parts\\wheel.mdl", "sound\\sound.cfg", "texture\\t.bmp"})
        tmp.write(std::string("FS\\Aircraft\\Cessna\\") + f, f);
    tmp.write("FS\\Aircraft\\Cessna\\panel\\panel.cfg",
              "[Window00]\r\ngauge00=cessna!Airspeed, 1, 2\r\ngauge01=shared!x, 1, 2\r\n");
    tmp.write("FS\\Aircraft\\Other\\aircraft.cfg", "[fltsim.0]\r\ntitle=Other\r\n");
    tmp.write("FS\\Aircraft\\Other\\panel\\panel.cfg", "gauge00=SHARED!y, 1, 2\r\n");
    tmp.write("FS\\Gauges\\cessna.gau", "c");
    tmp.write("FS\\Gauges\\shared.gau", "s");
}

// Three sections in LF lines after two empty lines; Trio B has its own model, panel, texture
// (spelled differently on disk) and checklist; all three share the sim file and the plain model.
const char* const kTrioCfg =
    "\n\n[General]\natc=x\n[fltsim.0]\ntitle=Trio A\nsim=trio\nmodel=\ntexture=a\n\n[fltsim.1]\n"
    "title=Trio B\nsim=trio\nmodel=b\ntexture=Blue\npanel=b\nchecklist=b_check\n[fltsim.2]\n"
    "title=Trio C\nsim=trio\nmodel=\ntexture=c\n[WEIGHT_AND_BALANCE]\nempty_weight=1\n";

void WriteTrio(TempFolder& tmp) {
    tmp.write("FS\\Aircraft\\Trio\\aircraft.cfg", kTrioCfg);
    for (const char* f :
         {"trio.air", "b_check.cfg", "model\\shared.mdl", "model.b\\b.mdl", "model.b\\inner\\x.mdl",
          "TEXTURE.BLUE\\b.bmp", "texture.a\\a.bmp", "texture.c\\c.bmp"})
        tmp.write(std::string("FS\\Aircraft\\Trio\\") + f, f);
    tmp.write("FS\\Aircraft\\Trio\\panel.b\\panel.cfg", "gauge00=bg!x, 1, 2\r\n");
    tmp.write("FS\\Gauges\\bg.gau", "b");
}

TEST_F(RemovalTest, ASingleSectionAircraftIsHeldAndItsFolderDeleted) {
    WriteSolo(tmp);
    const std::string cfg = tmp.read("FS\\Aircraft\\Cessna\\aircraft.cfg");
    Load();
    EXPECT_EQ(Remove("Cessna Solo", {true, true}), RemovalOutcome::completed);

    EXPECT_EQ(RemovalEvents(), (Tree{std::string("question: ") + msg::kRemoveQuestion,
                                     "show",
                                     "range 7",
                                     "status: Gathering Information",
                                     "step 1",
                                     "status: Creating Temp Folders",
                                     "step 2",
                                     "status: Getting Aircraft's Data",
                                     "step 3",
                                     "status: Searching Shared Files",
                                     "step 4",
                                     "status: Deleting Gauges Files",
                                     kGaugeQ,
                                     "step 5",
                                     "status: Deleting Aircraft's Files",
                                     "step 6",
                                     "status: Deleting Aircraft's Folder",
                                     "step 7",
                                     "close",
                                     "notice: Remove process completed."}));
    EXPECT_FALSE(tmp.exists("FS\\Aircraft\\Cessna"));
    EXPECT_EQ(
        TreeOf("base\\Temp_Path"),
        (Tree{"cessna\\", "cessna\\aircraft.cfg", "cessna\\c172.air", "cessna\\c172_check.cfg",
              "cessna\\c172_kb.txt", "cessna\\c172_ref.txt", "cessna\\Gauges\\",
              "cessna\\Gauges\\cessna.gau", "cessna\\model\\", "cessna\\model\\c172.mdl",
              "cessna\\panel\\", "cessna\\panel\\panel.cfg", "cessna\\sound\\",
              "cessna\\sound\\sound.cfg", "cessna\\texture\\", "cessna\\texture\\t.bmp"}));
    EXPECT_EQ(tmp.read("base\\Temp_Path\\cessna\\aircraft.cfg"), cfg);
    EXPECT_EQ(TreeOf("FS\\Gauges"), Tree{"shared.gau"});
    EXPECT_EQ(ListTitles(), Tree{"Other"});
}

TEST_F(RemovalTest, TheMiddleOfThreeSectionsIsCutAndASecondRemovalKeepsBothBackups) {
    WriteTrio(tmp);
    Load();
    EXPECT_EQ(Remove("Trio B", {true, false}), RemovalOutcome::completed);

    const Tree events = RemovalEvents();
    EXPECT_EQ(Tree(events.end() - 5, events.end()),
              (Tree{"step 5", "status: Deleting Aircraft's Files", "step 6", "close",
                    "notice: Remove process completed."}));
    const std::string two =
        "[General]\r\natc=x\r\n[fltsim.0]\r\ntitle=Trio A\r\nsim=trio\r\nmodel=\r\ntexture=a\r\n"
        "\r\n[fltsim.1]\r\ntitle=Trio C\r\nsim=trio\r\nmodel=\r\ntexture=c\r\n"
        "[WEIGHT_AND_BALANCE]\r\nempty_weight=1";
    EXPECT_EQ(tmp.read("FS\\Aircraft\\Trio\\aircraft.cfg"), two);
    EXPECT_EQ(TreeOf("FS\\Aircraft\\Trio"),
              (Tree{"aircraft.cfg", "model\\", "model\\shared.mdl", "model.b\\", "model.b\\inner\\",
                    "model.b\\inner\\x.mdl", "texture.a\\", "texture.a\\a.bmp", "texture.c\\",
                    "texture.c\\c.bmp", "trio.air"}));
    EXPECT_EQ(TreeOf("base\\Temp_Path\\trio"),
              (Tree{"aircraft.cfg", "b_check.cfg", "Gauges\\", "model.b\\", "model.b\\b.mdl",
                    "panel.b\\", "panel.b\\panel.cfg", "texture.Blue\\", "texture.Blue\\b.bmp"}));
    EXPECT_EQ(tmp.read("base\\Temp_Path\\trio\\aircraft.cfg"), kTrioCfg);
    EXPECT_TRUE(tmp.exists("FS\\Gauges\\bg.gau"));
    EXPECT_EQ(ListTitles(), (Tree{"Trio A", "Trio C"}));

    EXPECT_EQ(Remove("Trio A", {true}), RemovalOutcome::completed);
    EXPECT_EQ(tmp.read("FS\\Aircraft\\Trio\\aircraft.cfg"),
              "[General]\r\natc=x\r\n[fltsim.0]\r\ntitle=Trio C\r\nsim=trio\r\nmodel=\r\n"
              "texture=c\r\n[WEIGHT_AND_BALANCE]\r\nempty_weight=1");
    EXPECT_EQ(tmp.read("base\\Temp_Path\\trio\\aircraft.cfg"), kTrioCfg);
    EXPECT_EQ(tmp.read("base\\Temp_Path\\trio\\aircraft.cfg.2"), two);
    EXPECT_TRUE(tmp.exists("base\\Temp_Path\\trio\\texture.a\\a.bmp"));
}

TEST_F(RemovalTest, TheGaugeQuestionComesOnlyForTheSectionsOwnPanelWithoutAlias) {
    struct Case {
        const char* name;
        const char* removed_panel;  // the removed section's panel line
        const char* other_panel;    // the other section's panel line
        const char* panel_cfg;      // the removed section's panel.cfg, or null for none
        bool answer;
        bool asked;
        bool moved;
    };
    const Case cases[] = {
        {"alias", "panel=x", "panel=y", "alias=Other\\panel\r\ngauge00=g0!a", true, false, false},
        {"shared panel", "panel=x", "panel=x", "gauge00=g1!a", true, false, false},
        {"answered no", "panel=x", "panel=y", "gauge00=g2!a", false, true, false},
        {"answered yes", "panel=x", "panel=y", "gauge00=g3!a", true, true, true},
        {"no panel record", "panel=x", "panel=y", nullptr, true, false, false},
        {"no gauges", "panel=x", "panel=y", "[Window00]\r\nsize_mm=1", true, false, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case has its own gauge: the panels of earlier cases stay on disk.
        const std::string gauge = "FS\\Gauges\\g" + std::to_string(n++) + ".gau";
        const std::string dir = std::string("FS\\Aircraft\\") + c.name;
        tmp.write(dir + "\\aircraft.cfg", std::string("[fltsim.0]\r\ntitle=Gone ") + c.name +
                                              "\r\n" + c.removed_panel + "\r\n[fltsim.1]\r\n" +
                                              "title=Kept\r\n" + c.other_panel);
        if (c.panel_cfg) tmp.write(dir + "\\panel.x\\panel.cfg", c.panel_cfg);
        tmp.write(gauge, "g");
        Load();
        ui.events.clear();
        if (c.asked)
            Remove(std::string("Gone ") + c.name, {true, c.answer});
        else
            Remove(std::string("Gone ") + c.name, {true});
        EXPECT_EQ(ui.only(kGaugeQ).size(), c.asked ? 1u : 0u);
        EXPECT_EQ(tmp.exists(gauge), !c.moved);
    }
}

TEST_F(RemovalTest, GaugesListedByOtherPanelsStay) {
    tmp.write("FS\\Aircraft\\Main\\aircraft.cfg",
              "[fltsim.0]\r\ntitle=Main One\r\n[fltsim.1]\r\ntitle=Main Two\r\npanel=two\r\n");
    tmp.write("FS\\Aircraft\\Main\\panel\\panel.cfg",
              "gauge00=g1!a\r\ngauge01=g2, 1, 2\r\ngauge02=g3!a\r\ngauge03=g4!a\r\ngauge04=g5!a\r\n"
              "gauge05=g6!a\r\ngauge06=g6!b\r\n");
    // Another delimiter still protects; an alias panel does not; the end of a longer name does;
    // another section's own panel does.
    tmp.write("FS\\Aircraft\\Other1\\panel\\panel.cfg", "gauge00=G1, 3, 4\r\n");
    tmp.write("FS\\Aircraft\\Aliased\\panel\\panel.cfg", "alias=x\r\ngauge00=g3!a\r\n");
    tmp.write("FS\\Aircraft\\Other2\\panel\\panel.cfg", "gauge00=xg4!a\r\n");
    tmp.write("FS\\Aircraft\\Main\\panel.two\\panel.cfg", "gauge00=g5!a\r\n");
    for (const char* g : {"g1", "g2", "g3", "g4", "g5", "g6"})
        tmp.write(std::string("FS\\Gauges\\") + g + ".gau", g);
    Load();
    EXPECT_EQ(Remove("Main One", {true, true}), RemovalOutcome::completed);
    EXPECT_EQ(TreeOf("FS\\Gauges"), (Tree{"g1.gau", "g4.gau", "g5.gau"}));
    EXPECT_EQ(TreeOf("base\\Temp_Path\\main\\Gauges"), (Tree{"g2.gau", "g3.gau", "g6.gau"}));
}

TEST_F(RemovalTest, TheChosenEntryIsRemovedEvenWhenAnotherHasTheSameTitleOrText) {
    tmp.write("FS\\Aircraft\\First\\aircraft.cfg", "[fltsim.0]\r\ntitle=Twin\r\n");
    tmp.write("FS\\Aircraft\\Second\\aircraft.cfg", "[fltsim.0]\r\ntitle=Twin\r\n");
    const std::string twins =
        "[fltsim.0]\r\ntitle=Same\r\ntexture=t\r\n[fltsim.0]\r\ntitle=Same\r\ntexture=t";
    tmp.write("FS\\Aircraft\\Twins\\aircraft.cfg", twins);
    tmp.write("FS\\Aircraft\\Twins\\texture.t\\t.bmp", "t");
    Load();
    EXPECT_EQ(Remove("Twin", {true}, 0), RemovalOutcome::completed);
    EXPECT_FALSE(tmp.exists("FS\\Aircraft\\First"));
    EXPECT_TRUE(tmp.exists("FS\\Aircraft\\Second\\aircraft.cfg"));

    EXPECT_EQ(Remove("Same", {true}, 1), RemovalOutcome::completed);
    EXPECT_EQ(tmp.read("FS\\Aircraft\\Twins\\aircraft.cfg"),
              "[fltsim.0]\r\ntitle=Same\r\ntexture=t");
    EXPECT_TRUE(tmp.exists("FS\\Aircraft\\Twins\\texture.t\\t.bmp"));
    EXPECT_EQ(tmp.read("base\\Temp_Path\\twins\\aircraft.cfg"), twins);
    EXPECT_EQ(ListTitles(), (Tree{"Twin", "Same"}));
}

TEST_F(RemovalTest, AnAircraftCfgChangedSinceTheLoadStopsTheRemovalAndReloads) {
    WriteTrio(tmp);
    Load();
    const std::string changed =
        std::string(kTrioCfg).replace(std::string(kTrioCfg).find("Trio B"), 6, "Trio X");
    tmp.write("FS\\Aircraft\\Trio\\aircraft.cfg", changed);
    const Tree before = tmp.tree();
    EXPECT_EQ(Remove("Trio B", {true}), RemovalOutcome::stopped);
    const Tree events = RemovalEvents();
    EXPECT_EQ(Tree(events.end() - 3, events.end() - 1),
              (Tree{"status: Getting Aircraft's Data", "close"}));
    EXPECT_NE(events.back().find("has changed since the aircraft list was loaded"),
              std::string::npos);
    EXPECT_EQ(tmp.tree(), before);
    EXPECT_EQ(ListTitles(), (Tree{"Trio A", "Trio X", "Trio C"}));
}

TEST_F(RemovalTest, ValuesThatLeadOutOfTheirFolderAreSkipped) {
    tmp.write("FS\\Aircraft\\Esc\\aircraft.cfg",
              "[fltsim.0]\r\ntitle=Escape\r\nsim=..\\..\\Outside\\victim\r\n"
              "texture=\\..\\..\\Gauges\r\nchecklist=C:\\boot\r\nkb_checklists=..\\Esc2\\notes\r\n"
              "kb_reference=sub\\..\\..\\..\\Outside\\ref\r\n");
    tmp.write("FS\\Aircraft\\Esc\\panel\\panel.cfg",
              "gauge00=..\\evil!a\r\ngauge01=..\\Outside\\v2!b\r\n");
    const Tree outside = {"FS\\Outside\\victim.air",       "FS\\Outside\\ref.txt",
                          "FS\\Outside\\v2.gau",           "FS\\evil.gau",
                          "FS\\Aircraft\\Esc2\\notes.txt", "FS\\Gauges\\keep.gau"};
    for (const auto& f : outside) tmp.write(f, f);
    Load();
    EXPECT_EQ(Remove("Escape", {true, true}), RemovalOutcome::completed);
    for (const auto& f : outside) EXPECT_EQ(tmp.read(f), f);
    EXPECT_FALSE(tmp.exists("FS\\Aircraft\\Esc"));
    EXPECT_EQ(TreeOf("base\\Temp_Path"),
              (Tree{"esc\\", "esc\\aircraft.cfg", "esc\\Gauges\\", "esc\\model\\", "esc\\panel\\",
                    "esc\\panel\\panel.cfg", "esc\\sound\\"}));
}

class FailingRemovalTest : public RemovalTest {
  protected:
    FileSystem& fs() override { return failing; }
    FailingFileSystem failing{tmp.fs()};
};

TEST_F(FailingRemovalTest, NothingMovesWhenTheBackupFails) {
    WriteTrio(tmp);
    failing.fail(Op::copy_file, "temp_path\\trio\\aircraft.cfg");
    Load();
    const Tree before = TreeOf("FS");
    EXPECT_EQ(Remove("Trio B", {true}), RemovalOutcome::left_over);
    EXPECT_EQ(TreeOf("FS"), before);
    EXPECT_NE(RemovalEvents().back().find("could not be copied"), std::string::npos);
    EXPECT_TRUE(ui.only(kGaugeQ).empty());
    EXPECT_EQ(TreeOf("base\\Temp_Path"), Tree{});
}

TEST_F(FailingRemovalTest, NothingMovesWhenTheRewriteFails) {
    WriteTrio(tmp);
    failing.fail(Op::replace_file, "trio\\aircraft.cfg");
    Load();
    const Tree before = TreeOf("FS");
    EXPECT_EQ(Remove("Trio B", {true}), RemovalOutcome::left_over);
    EXPECT_EQ(TreeOf("FS"), before);
    EXPECT_EQ(tmp.read("FS\\Aircraft\\Trio\\aircraft.cfg"), kTrioCfg);
    EXPECT_NE(RemovalEvents().back().find("could not be rewritten"), std::string::npos);
    EXPECT_EQ(TreeOf("base\\Temp_Path"), (Tree{"trio\\", "trio\\aircraft.cfg", "trio\\Gauges\\"}));
}

TEST_F(FailingRemovalTest, AHoldingFolderThatCanNotBeMadeStopsBeforeAnythingChanges) {
    WriteSolo(tmp);
    Load();
    const Tree before = tmp.tree();
    failing.fail(Op::create_folder, "Gauges");
    EXPECT_EQ(Remove("Cessna Solo", {true}), RemovalOutcome::stopped);
    const Tree events = RemovalEvents();
    EXPECT_EQ(Tree(events.end() - 3, events.end() - 1),
              (Tree{"status: Creating Temp Folders", "close"}));
    EXPECT_NE(events.back().find("could not be made"), std::string::npos);
    EXPECT_EQ(tmp.tree(), before);
}

TEST_F(FailingRemovalTest, AnUnreadableAircraftCfgStopsBeforeAnythingChanges) {
    WriteSolo(tmp);
    Load();
    const Tree before = tmp.tree();
    failing.fail(Op::read_file, "cessna\\aircraft.cfg");
    EXPECT_EQ(Remove("Cessna Solo", {true}), RemovalOutcome::stopped);
    EXPECT_NE(RemovalEvents().back().find("could not be read"), std::string::npos);
    EXPECT_EQ(tmp.tree(), before);
}

TEST_F(FailingRemovalTest, AFileThatCanNotBeHeldKeepsTheAircraftFolder) {
    WriteSolo(tmp);
    failing.fail(Op::copy_file, "c172.mdl");
    Load();
    EXPECT_EQ(Remove("Cessna Solo", {true, false}), RemovalOutcome::left_over);
    EXPECT_EQ(TreeOf("FS\\Aircraft\\Cessna"), (Tree{"model\\", "model\\c172.mdl", "model\\parts\\",
                                                    "model\\parts\\wheel.mdl", "readme.txt"}));
    const std::string warning = RemovalEvents().back();
    EXPECT_NE(warning.find("was not deleted"), std::string::npos) << warning;
    EXPECT_NE(warning.find("c172.mdl"), std::string::npos) << warning;
}

TEST_F(RemovalTest, AFolderHoldingAnotherAircraftOrTheAircraftFolderIsNotDeleted) {
    tmp.write("FS\\Aircraft\\A\\aircraft.cfg", "[fltsim.0]\r\ntitle=Outer\r\n");
    tmp.write("FS\\Aircraft\\A\\readme.txt", "r");
    tmp.write("FS\\Aircraft\\A\\B\\aircraft.cfg", "[fltsim.0]\r\ntitle=Inner\r\n");
    tmp.write("FS\\Aircraft\\aircraft.cfg", "[fltsim.0]\r\ntitle=Root\r\n");
    Load();
    EXPECT_EQ(Remove("Outer", {true}), RemovalOutcome::left_over);
    EXPECT_EQ(TreeOf("FS\\Aircraft\\A"), (Tree{"B\\", "B\\aircraft.cfg", "readme.txt"}));
    EXPECT_NE(RemovalEvents().back().find("holds the folder of another aircraft"),
              std::string::npos);
    EXPECT_TRUE(tmp.exists("base\\Temp_Path\\a\\aircraft.cfg"));

    EXPECT_EQ(Remove("Root", {true}), RemovalOutcome::left_over);
    EXPECT_TRUE(tmp.exists("FS\\Aircraft\\A\\B\\aircraft.cfg"));
    EXPECT_TRUE(tmp.exists("base\\Temp_Path\\aircraft\\aircraft.cfg"));
    EXPECT_EQ(ListTitles(), Tree{"Inner"});
}

#ifndef _WIN32
TEST_F(RemovalTest, LinksInTheAircraftOrHoldingFolderAreLeftAsTheyAre) {
    WriteSolo(tmp);
    tmp.write("FS\\Outside\\models\\m.mdl", "m");
    tmp.mkdir("FS\\Outside\\sink");
    // The section's model folder is a link; its texture folder's place in the holding folder is
    // a link too.
    tmp.write("FS\\Aircraft\\Cessna\\aircraft.cfg",
              "[fltsim.0]\r\ntitle=Cessna Solo\r\nmodel=ext\r\ntexture=\r\n");
    MakeLink("FS\\Outside\\models", "FS\\Aircraft\\Cessna\\model.ext");
    tmp.mkdir("base\\Temp_Path\\cessna");
    MakeLink("FS\\Outside\\sink", "base\\Temp_Path\\cessna\\texture");
    Load();
    EXPECT_EQ(Remove("Cessna Solo", {true, false}), RemovalOutcome::left_over);
    EXPECT_EQ(TreeOf("FS\\Outside"), (Tree{"models\\", "models\\m.mdl", "sink\\"}));
    EXPECT_TRUE(tmp.exists("FS\\Aircraft\\Cessna\\model.ext\\m.mdl"));
    EXPECT_TRUE(tmp.exists("FS\\Aircraft\\Cessna\\texture\\t.bmp"));
    EXPECT_NE(RemovalEvents().back().find("link"), std::string::npos);
}
#endif

}  // namespace
}  // namespace qv::test
