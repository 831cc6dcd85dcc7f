#include "simfiles/FolderWalk.h"

#include <gtest/gtest.h>

#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using Hits = std::vector<std::string>;

// Each hit as "folder below the root: found names".
Hits Walk(test::TempFolder& tmp, const std::string& root, test::RecordingUi& ui) {
    const std::string wanted[] = {"aircraft.cfg", "panel.cfg"};
    Hits hits;
    const FsStatus st =
        walk_folders(tmp.fs(), ui, root, wanted, [&](const std::string& folder, const Hits& found) {
            hits.push_back(folder.substr(tmp.path().size()) + ": " + found[0] + "|" + found[1]);
            return FsStatus::success();
        });
    EXPECT_TRUE(st.ok()) << st.message;
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
        EXPECT_EQ(Walk(tmp, root, ui),
                  (Hits{": |panel.cfg", "\\A: aircraft.cfg|", "\\A\\B: AIRCRAFT.CFG|",
                        "\\A\\B\\panel: |Panel.cfg", "\\a_c: |panel.cfg"}));
        EXPECT_EQ(ui.yields, 7);  // the root, A, A\B, A\B\panel, a_c, C and C\D
    }
}

#ifndef _WIN32
TEST(FolderWalk, FollowsLinksButNeverRoundALoop) {
    test::TempFolder tmp;
    tmp.write("A/aircraft.cfg", "x");
    tmp.write("Other/panel.cfg", "x");
    tmp.link("Other", "A/Shared");
    tmp.link("", "A/Loop");
    tmp.mkdir("Z");
    tmp.link("gone", "Z/Dangling");
    test::RecordingUi ui;
    EXPECT_EQ(Walk(tmp, tmp.path(), ui),
              (Hits{"\\A: aircraft.cfg|", "\\A\\Shared: |panel.cfg", "\\Other: |panel.cfg"}));
}
#endif

}  // namespace
}  // namespace qv
