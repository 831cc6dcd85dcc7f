#include "simfiles/FolderWalk.h"

#include <gtest/gtest.h>

#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Hits = std::vector<std::string>;

// Each hit as "folder below the root: found names", and " via LINK" when a link was crossed.
Hits walk(test::TempFolder& tmp, FileSystem& fs, const std::string& root, test::RecordingUi& ui,
          WalkGaps& gaps) {
    const std::string wanted[] = {"aircraft.cfg", "panel.cfg"};
    Hits hits;
    walk_folders(
        fs, ui, root, wanted,
        [&](const FoundFolder& found) {
            if (found.files[0].empty() && found.files[1].empty()) return;
            std::string hit =
                found.path.substr(tmp.path().size()) + ": " + found.files[0] + "|" + found.files[1];
            if (!found.through_link.empty())
                hit += " via " + found.through_link.substr(tmp.path().size());
            hits.push_back(hit);
        },
        gaps);
    return hits;
}

Hits walk(test::TempFolder& tmp, const std::string& root, test::RecordingUi& ui) {
    WalkGaps gaps;
    Hits hits = walk(tmp, tmp.fs(), root, ui, gaps);
    EXPECT_TRUE(gaps.unlisted.empty() && gaps.unreachable.empty());
    return hits;
}

TEST(FolderWalk, VisitsDepthFirstInListingOrderAndSkipsHiddenEntries) {
    test::TempFolder tmp;
    for (const char* file :
         {"A/aircraft.cfg", "A/B/AIRCRAFT.CFG", "A/B/panel/Panel.cfg", "a_c/panel.cfg",
          "C/aircraft.cfg", "C/D/readme.txt", "Hidden/aircraft.cfg", "System/aircraft.cfg",
          "aircraft.cfg.bak", "panel.cfg"})
        tmp.write(file, "x");
    tmp.hide("C/aircraft.cfg");
    tmp.hide("Hidden");
    tmp.make_system("System");
    // The root may be given with a separator at its end or without.
    for (const std::string& root : {tmp.path() + "\\", tmp.path()}) {
        test::RecordingUi ui;
        EXPECT_EQ(walk(tmp, root, ui),
                  (Hits{": |panel.cfg", "\\A: aircraft.cfg|", "\\A\\B: AIRCRAFT.CFG|",
                        "\\A\\B\\panel: |Panel.cfg", "\\a_c: |panel.cfg"}));
        EXPECT_EQ(ui.yields, 7);  // the root, A, A\B, A\B\panel, a_c, C and C\D
    }
}

TEST(FolderWalk, AFolderThatCantBeListedIsNamedAndTheWalkGoesOn) {
    test::TempFolder tmp;
    for (const char* file : {"A/aircraft.cfg", "B/aircraft.cfg", "C/aircraft.cfg"})
        tmp.write(file, "x");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::scan_folder, "\\B");
    test::RecordingUi ui;
    WalkGaps gaps;
    EXPECT_EQ(walk(tmp, fs, tmp.path(), ui, gaps),
              (Hits{"\\A: aircraft.cfg|", "\\C: aircraft.cfg|"}));
    ASSERT_EQ(gaps.unlisted.size(), 1u);
    EXPECT_NE(gaps.unlisted[0].find("\\B"), std::string::npos);
}

#ifndef _WIN32
TEST(FolderWalk, FollowsLinksOnceEachFolderAtItsLinkFreePlace) {
    test::TempFolder tmp;
    tmp.write("Aircraft/A/aircraft.cfg", "x");
    tmp.write("Aircraft/Z/aircraft.cfg", "x");
    tmp.write("Outside/lurk/aircraft.cfg", "x");
    tmp.write("Outside/panel/panel.cfg", "x");
    // A link met before the folder it leads to, a link out of the tree, a loop, a dangling one.
    tmp.link("Aircraft/Z", "Aircraft/A/zz");
    tmp.link("Outside", "Aircraft/A/ext");
    tmp.link("Aircraft", "Aircraft/Z/loop");
    tmp.link("gone", "Aircraft/Z/dangling");
    test::RecordingUi ui;
    EXPECT_EQ(walk(tmp, tmp.at("Aircraft"), ui),
              (Hits{"\\Aircraft\\A: aircraft.cfg|", "\\Aircraft\\Z: aircraft.cfg|",
                    "\\Aircraft\\A\\ext\\lurk: aircraft.cfg| via \\Aircraft\\A\\ext",
                    "\\Aircraft\\A\\ext\\panel: |panel.cfg via \\Aircraft\\A\\ext"}));
}

TEST(FolderWalk, FoldersThatLinkToEachOtherAreWalkedOnce) {
    test::TempFolder tmp;
    constexpr int kFolders = 8;
    for (int i = 0; i < kFolders; ++i) {
        tmp.write("F" + std::to_string(i) + "/aircraft.cfg", "x");
        for (int j = 0; j < kFolders; ++j)
            if (i != j)
                tmp.link("F" + std::to_string(j),
                         "F" + std::to_string(i) + "/to" + std::to_string(j));
    }
    test::RecordingUi ui;
    EXPECT_EQ(walk(tmp, tmp.path(), ui).size(), static_cast<std::size_t>(kFolders));
    EXPECT_EQ(ui.yields, kFolders + 1);
}
#endif

}  // namespace
}  // namespace qv
