// The collection check on a tree planted with one case of every finding and the near misses that
// must not be findings.
#include "operations/CollectionCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "operations/FolderHold.h"
#include "operations/HeldRemovals.h"
#include "operations/InstallationFixture.h"
#include "operations/Recovery.h"
#include "operations/Restore.h"
#include "support/FailingFileSystem.h"

namespace qv::test {
namespace {

using Names = std::vector<std::string>;

struct CollectionCheckTest : InstallationTest {
    void plant() {
        // Will not load: a model folder gone, one without a .mdl, a flight model gone; loads
        // incomplete: a paint and a panel folder gone.
        tmp.write("FS/Aircraft/Broken/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=No Model\r\nsim=broken\r\nmodel=gone\r\n"
                  "[fltsim.1]\r\ntitle=Empty Model\r\nsim=broken\r\nmodel=empty\r\n"
                  "[fltsim.2]\r\ntitle=No Air\r\nsim=nothere\r\nmodel=\r\n"
                  "[fltsim.3]\r\ntitle=No Paint\r\nsim=broken\r\ntexture=red\r\npanel=gone\r\n");
        write_files(tmp, "FS\\Aircraft\\Broken",
                    {"broken.air", "model\\x.mdl", "model.empty\\readme.txt"});
        // Panel and sound aliases to folders that are gone.
        tmp.write("FS/Aircraft/Aliased/aircraft.cfg",
                  "\xEF\xBB\xBF[FLTSIM.0]\ntitle\t= Alias Panel\nsim=a\nmodel=\npanel=\nsound=\n");
        write_files(tmp, "FS\\Aircraft\\Aliased", {"A.AIR", "MODEL\\A.MDL"});
        tmp.write("FS/Aircraft/Aliased/panel/panel.cfg", "[fltsim]\r\nalias=Nowhere\\panel\r\n");
        tmp.write("FS/Aircraft/Aliased/sound/sound.cfg", "[fltsim]\r\nalias = Gone\\sound\r\n");
        // Near misses: AI traffic without panel or sound, an empty texture= over a plain folder.
        tmp.write("FS/Aircraft/AI/aircraft.cfg",
                  "[fltsim.0]\ntitle=AI Traffic\nsim=ai\nmodel=\npanel=\nsound=\ntexture=\n");
        write_files(tmp, "FS\\Aircraft\\AI", {"ai.air", "model\\ai.mdl", "texture\\t.bmp"});
        // Gauges in Gauges, in its sub-folder, packed, in the panel's own folder; one nowhere.
        // Titles differing in case and blanks; a texture folder only the second section names;
        // an unused texture folder; a plain texture folder and a folder that only starts like
        // one (neither is a finding); a panel folder another aircraft's alias uses.
        tmp.write("FS/Aircraft/Good/aircraft.cfg",
                  "[fltsim.0]\r\ntitle=Good One\r\nsim=good\r\nmodel=\r\npanel=\r\ntexture=blue\r\n"
                  "[fltsim.1]\r\ntitle=  good ONE \r\nsim=good\r\nmodel=\r\ntexture=second\r\n");
        write_files(tmp, "FS\\Aircraft\\Good",
                    {"good.air", "model\\g.mdl", "texture.blue\\b.bmp", "texture.second\\s.bmp",
                     "texture.old\\o1.bmp", "texture.old\\o2.bmp", "texture\\p.bmp",
                     "textures_old\\x.bmp", "panel.alt\\panel.cfg", "panel\\Own.cab"});
        tmp.write("FS/Aircraft/Good/panel/panel.cfg",
                  "[Window00]\r\ngauge00=InGauges!x, 1\r\ngauge01=Own!y, 2\r\n"
                  "gauge02=Sub\\Deep!z, 3\r\ngauge03=Packed!w, 4\r\ngauge04=Lost!q, 5\r\n");
        write_files(tmp, "FS\\Gauges", {"InGauges.gau", "Sub\\Deep.gau", "Packed.CAB"});
        tmp.write("FS/Aircraft/AliasOk/aircraft.cfg",
                  "[fltsim.0]\ntitle=Alias Ok\nsim=ok\nmodel=\npanel=\n");
        write_files(tmp, "FS\\Aircraft\\AliasOk", {"ok.air", "model\\ok.mdl"});
        tmp.write("FS/Aircraft/AliasOk/panel/panel.cfg", "alias=Good\\panel.alt\r\n");
        // An aircraft.cfg without a section tells nothing of its folders.
        tmp.write("FS/Aircraft/Odd/aircraft.cfg", "[General]\r\natc_type=ODD\r\n");
        write_files(tmp, "FS\\Aircraft\\Odd", {"texture.any\\t.bmp"});
        // A folder of a kit with no aircraft.cfg below it.
        write_files(tmp, "FS\\Aircraft\\Paint Kit", {"readme.txt", "Layers\\kit.psd"});
#ifndef _WIN32
        // A folder reached through a link as well: judged once, at its own place.
        tmp.link("FS/Aircraft/Good/texture.old", "FS/Aircraft/AliasOk/texture.linked");
#endif
        write_files(tmp, "base\\Unused Gauges", {"old.gau"});
    }
};

TEST_F(CollectionCheckTest, FindsEachPlantedCaseAndNoneOfTheNearMisses) {
    plant();
    load();
    const CollectionReport r = check_collection(tmp.fs(), workspace, catalogue);

    std::vector<std::string> broken;
    for (const auto& b : r.broken) {
        std::string line = b.title + " (" + b.folder + "):";
        for (const auto& p : b.will_not_load) line += " x " + p;
        for (const auto& p : b.incomplete) line += " ~ " + p;
        broken.push_back(line);
    }
    EXPECT_EQ(broken, (Names{"Alias Panel (Aliased): ~ Nowhere\\panel ~ Gone\\sound",
                             "No Model (Broken): x Broken\\model.gone",
                             "Empty Model (Broken): x Broken\\model.empty",
                             "No Air (Broken): x Broken\\nothere.air",
                             "No Paint (Broken): ~ Broken\\texture.red ~ Broken\\panel.gone"}));

    ASSERT_EQ(r.missing_gauges.size(), 1u);
    EXPECT_EQ(r.missing_gauges[0].panel, "Good\\panel");
    EXPECT_EQ(r.missing_gauges[0].gauges, Names{"Lost"});
    // Both sections use the plain panel folder.
    EXPECT_EQ(r.missing_gauges[0].titles, (Names{"Good One", "good ONE"}));

    ASSERT_EQ(r.duplicate_titles.size(), 1u);
    EXPECT_EQ(r.duplicate_titles[0].folders, (Names{"Good", "Good"}));

    ASSERT_EQ(r.unused_folders.size(), 1u);
    EXPECT_EQ(r.unused_folders[0].folder, "Good\\texture.old");
    EXPECT_EQ(r.unused_folders[0].files, 2u);
    EXPECT_EQ(r.unused_folders[0].bytes, std::string("texture.old\\o1.bmp").size() * 2);

    ASSERT_EQ(r.without_aircraft.size(), 1u);
    EXPECT_EQ(r.without_aircraft[0].folder, "Paint Kit");
    EXPECT_EQ(r.without_aircraft[0].files, 2u);

    EXPECT_EQ(r.unused_gauges.files, 1u);
    EXPECT_EQ(r.temp_path.files, 0u);
    EXPECT_EQ(r.held_removals, 0u);
    EXPECT_TRUE(r.skipped.empty());
}

TEST_F(CollectionCheckTest, AnUnusedFolderCountedByTheWalkHasTheSizeAListingGives) {
    // What the walk counts as it lists the folder must be what listing it again would give:
    // a subfolder, a hidden file, and a hidden subfolder the walk does not enter.
    for (const bool hidden_folder : {false, true}) {
        SCOPED_TRACE(hidden_folder ? "with a hidden subfolder" : "without");
        reset();
        plant();
        write_files(tmp, "FS\\Aircraft\\Good\\texture.old",
                    {"Deeper\\d.bmp", "thumbs.db", "Kept\\k.bmp"});
        tmp.hide("FS/Aircraft/Good/texture.old/thumbs.db");
        if (hidden_folder) tmp.hide("FS/Aircraft/Good/texture.old/Kept");
        load();
        const CollectionReport r = check_collection(tmp.fs(), workspace, catalogue);
        ASSERT_EQ(r.unused_folders.size(), 1u);
        const FolderSize listed = measure_folder(tmp.fs(), tmp.at("FS/Aircraft/Good/texture.old"));
        EXPECT_EQ(r.unused_folders[0].files, listed.files);
        EXPECT_EQ(r.unused_folders[0].bytes, listed.bytes);
        EXPECT_EQ(listed.files, 5u);
    }
}

TEST_F(CollectionCheckTest, FollowsTheListAfterARemovalAndCountsWhatIsHeld) {
    plant();
    load();
    ASSERT_EQ(remove("No Paint", {true, false}), RemovalOutcome::Result::completed) << said();
    const CollectionReport r = check_collection(tmp.fs(), workspace, catalogue);
    for (const auto& b : r.broken) EXPECT_NE(b.title, "No Paint");
    EXPECT_EQ(r.held_removals, 1u);
    EXPECT_GT(r.temp_path.files, 0u);
}

// The two wasted folders of the planted tree: an unused texture folder and a kit folder, named
// in another case than on the disk (they are held, and come back, under the disk's names).
const std::vector<std::string> kWasted = {"good\\TEXTURE.OLD", "paint kit"};

TEST_F(CollectionCheckTest, HeldFoldersAreListedAndComeBackByteForByte) {
    plant();
    write_files(tmp, "FS\\Aircraft\\Paint Kit", {"Layers\\Deep\\notes.txt"});
    tmp.hide("FS/Aircraft/Paint Kit/readme.txt");
    load();
    const auto before = tmp.files("FS");
    ui.answer({true});
    const FolderHoldOutcome held = hold_folders(tmp.fs(), workspace, ui, catalogue, kWasted);
    ASSERT_EQ(held.result, Ending::completed) << ui.transcript();
    EXPECT_EQ(ui.only("question: ").at(0),
              "question: Move the 2 selected folders (0.1 MB) to the Temporaly Folder?");
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Good/texture.old"));
    EXPECT_FALSE(tmp.exists("FS/Aircraft/Paint Kit"));
    EXPECT_TRUE(unaccounted(before).empty());

    // The update the window makes shows the folders gone, as a walk would.
    ui.answer({false});
    refresh_catalogue(tmp.fs(), workspace, ui, catalogue, held.touched);
    const CollectionReport after = check_collection(tmp.fs(), workspace, catalogue);
    EXPECT_TRUE(after.unused_folders.empty());
    EXPECT_TRUE(after.without_aircraft.empty());
    EXPECT_EQ(after.held_removals, 2u);

    const HeldList list = list_held(tmp.fs(), workspace);
    ASSERT_EQ(list.removals.size(), 2u);
    EXPECT_EQ(list.removals[0].batch, list.removals[1].id);
    std::vector<std::string> ids;
    for (const auto& r : list.removals) ids.push_back(r.id);
    ui.answer({true});
    ASSERT_EQ(restore_removals(tmp.fs(), workspace, ui, ids).result, Ending::completed)
        << ui.transcript();
    EXPECT_EQ(tmp.files("FS"), before);
    EXPECT_TRUE(tmp.files("base/Temp_Path").empty());
}

TEST_F(CollectionCheckTest, AHoldIsRefusedForWhatIsUsedLinkedOrOutside) {
    struct Case {
        const char* name;
        std::string folder;
        std::function<void(TempFolder&)> after_load;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"a plain texture folder", "Good\\texture", nullptr, "does not find it unused"},
        {"a folder that only starts like one", "Good\\textures_old", nullptr,
         "does not find it unused"},
        {"a panel folder an alias uses", "Good\\panel.alt", nullptr, "does not find it unused"},
        {"outside Aircraft", "..\\Gauges", nullptr, "outside the simulator's Aircraft folder"},
        {"named again since the load", "Good\\texture.old",
         [](TempFolder& t) {
             t.write("FS/Aircraft/Good/aircraft.cfg",
                     "[fltsim.0]\r\ntitle=Good One\r\nsim=good\r\ntexture=OLD\r\n");
         },
         "names it"},
        {"given an aircraft.cfg since the load", "Paint Kit",
         [](TempFolder& t) {
             t.write("FS/Aircraft/Paint Kit/Layers/aircraft.cfg", "[fltsim.0]\r\ntitle=K\r\n");
         },
         "holds an aircraft"},
        {"gone since the load", "Paint Kit",
         [](TempFolder& t) { std::filesystem::remove_all(t.native("FS/Aircraft/Paint Kit")); },
         "not there"},
#ifndef _WIN32
        {"a link since the load", "Paint Kit",
         [](TempFolder& t) {
             std::filesystem::rename(t.native("FS/Aircraft/Paint Kit"), t.native("Kit"));
             t.link("Kit", "FS/Aircraft/Paint Kit");
         },
         "is a link"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        plant();
        load();
        if (c.after_load) c.after_load(tmp);
        const auto before = tmp.files("FS");
        const std::vector<std::string> folders = {c.folder};
        const FolderHoldOutcome held = hold_folders(tmp.fs(), workspace, ui, catalogue, folders);
        EXPECT_EQ(held.result, Ending::stopped);
        ASSERT_EQ(ui.only("warning: ").size(), 1u) << ui.transcript();
        EXPECT_THAT(ui.only("warning: ")[0], ::testing::HasSubstr(c.folder));
        EXPECT_THAT(ui.only("warning: ")[0], ::testing::HasSubstr(c.why));
        EXPECT_EQ(tmp.files("FS"), before);
        EXPECT_TRUE(list_held(tmp.fs(), workspace).removals.empty());
    }
}

TEST_F(CollectionCheckTest, AHeldFolderWhoseRecordWasEditedToLeaveItsPlaceIsNotPutBack) {
    plant();
    load();
    ui.answer({true});
    const std::vector<std::string> one = {"Paint Kit"};
    ASSERT_EQ(hold_folders(tmp.fs(), workspace, ui, catalogue, one).result, Ending::completed);
    const HeldList list = list_held(tmp.fs(), workspace);
    ASSERT_EQ(list.removals.size(), 1u);
    const std::string record = list.removals[0].record_path;
    std::string text;
    ASSERT_TRUE(tmp.fs().read_file(record, text).ok());
    // The whole Aircraft folder, and an aircraft.cfg the hold never took.
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"aircraft: Aircraft\\Paint Kit", "aircraft: Aircraft"},
             {"change: hold", "change: hold\r\naircraft.cfg: Aircraft\\Paint Kit\\aircraft.cfg"}}) {
        SCOPED_TRACE(to);
        std::string edited = text;
        const auto at = edited.find(from);
        ASSERT_NE(at, std::string::npos) << text;
        edited.replace(at, from.size(), to);
        ASSERT_TRUE(tmp.fs().replace_file(record, edited).ok());
        const auto before = tmp.files("");
        ui.events.clear();
        ui.answer({true});
        EXPECT_NE(restore_removal(tmp.fs(), workspace, ui, list.removals[0].id).result,
                  Ending::completed);
        ui.drop_answers();
        EXPECT_EQ(tmp.files(""), before);
    }
}

TEST_F(CollectionCheckTest, AHoldKilledAtAnyCallIsFinishedByTheNextCommandAndComesBack) {
    const auto run = [&](FileSystem& fs) {
        ui.answer({true});
        return hold_folders(fs, workspace, ui, catalogue, kWasted);
    };
    plant();
    load();
    const auto before = tmp.files("FS");
    FailingFileSystem counting(tmp.fs());
    run(counting);
    const std::size_t calls = counting.calls();
    for (std::size_t k = 0; k < calls; k += 2 * kPointStride) {
        SCOPED_TRACE("stopped at call " + std::to_string(k));
        reset();
        plant();
        load();
        FailingFileSystem killed(tmp.fs());
        killed.stop_at(k);
        EXPECT_THROW(run(killed), Interrupted);
        finish_interrupted(tmp.fs(), workspace, ui);
        EXPECT_TRUE(interrupted_removals(tmp.fs(), workspace).empty());
        EXPECT_TRUE(unaccounted(before).empty());
        // Whatever was held comes back whole.
        std::vector<std::string> ids;
        for (const auto& r : list_held(tmp.fs(), workspace).removals) ids.push_back(r.id);
        if (!ids.empty()) {
            ui.answer({true});
            restore_removals(tmp.fs(), workspace, ui, ids);
        }
        EXPECT_EQ(tmp.files("FS"), before);
    }
}

}  // namespace
}  // namespace qv::test
