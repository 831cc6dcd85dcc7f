#include <gtest/gtest.h>

#include "simfiles/SearchFolders.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qv {
namespace {

const std::string kWanted[] = {"aircraft.cfg", "panel.cfg"};

// Each hit as "folder below the root: found names".
std::vector<std::string> Walk(test::TempFolder& tmp, std::string& root, test::RecordingUi& ui) {
    std::vector<std::string> hits;
    SearchFolders(
        tmp.fs(), ui, root, kWanted,
        [&](const std::string& folder, const std::vector<std::string>& found) {
            hits.push_back(folder.substr(tmp.path().size()) + ": " + found[0] + "|" + found[1]);
        });
    return hits;
}

TEST(SearchFolders, VisitsDepthFirstInListingOrderAndSkipsHiddenEntries) {
    test::TempFolder tmp;
    for (const char* file :
         {"A/aircraft.cfg", "A/B/AIRCRAFT.CFG", "A/B/panel/Panel.cfg", "a_c/panel.cfg",
          "C/aircraft.cfg", "C/D/readme.txt", "Hidden/aircraft.cfg", "System/aircraft.cfg",
          "aircraft.cfg.bak", "panel.cfg"})
        tmp.write(file, "x");
    tmp.hide("C/aircraft.cfg");
    tmp.hide("Hidden");
    tmp.make_system("System");

    test::RecordingUi ui;
    std::string root = tmp.path() + "\\";
    EXPECT_EQ(
        Walk(tmp, root, ui),
        std::vector<std::string>({": |panel.cfg", "\\A: aircraft.cfg|", "\\A\\B: AIRCRAFT.CFG|",
                                  "\\A\\B\\panel: |Panel.cfg", "\\a_c: |panel.cfg"}));
    EXPECT_EQ(ui.yields, 7);  // the root, A, A\B, A\B\panel, a_c, C and C\D
    // The trailing separator is gone after the walk; without one the folder stays as it was.
    EXPECT_EQ(root, tmp.path());
    Walk(tmp, root, ui);
    EXPECT_EQ(root, tmp.path());
}

#ifndef _WIN32
// Links are made from the Linux side: Wine can't create them through the Win32 API.
TEST(SearchFolders, FollowsLinksButNeverRoundALoop) {
    test::TempFolder tmp;
    tmp.write("A/aircraft.cfg", "x");
    tmp.write("Other/panel.cfg", "x");
    tmp.mkdir("Z");
    std::string native = tmp.path();
    for (char& c : native)
        if (c == '\\') c = '/';
    ASSERT_EQ(::symlink((native + "/Other").c_str(), (native + "/A/Shared").c_str()), 0);
    ASSERT_EQ(::symlink(native.c_str(), (native + "/A/Loop").c_str()), 0);
    ASSERT_EQ(::symlink((native + "/gone").c_str(), (native + "/Z/Dangling").c_str()), 0);

    test::RecordingUi ui;
    std::string root = tmp.path();
    EXPECT_EQ(Walk(tmp, root, ui),
              std::vector<std::string>(
                  {"\\A: aircraft.cfg|", "\\A\\Shared: |panel.cfg", "\\Other: |panel.cfg"}));
}
#endif

}  // namespace
}  // namespace qv
