#include <gtest/gtest.h>

#include "core/Settings.h"
#include "simfiles/SearchFolders.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qv {
namespace {

const std::string kWanted[] = {"aircraft.cfg", "panel.cfg"};

// Each hit as "folder relative to the root: found names".
std::vector<std::string> Walk(FileSystem& fs, std::string& root, test::RecordingUi& ui) {
    const std::string base = root.substr(0, root.find_last_not_of("\\/") + 1);
    std::vector<std::string> hits;
    SearchFolders(fs, ui, root, kWanted,
                  [&](const std::string& folder, const std::vector<std::string>& found) {
                      hits.push_back(folder.substr(base.size()) + ": " + found[0] + "|" + found[1]);
                  });
    return hits;
}

TEST(SearchFolders, VisitsDepthFirstInListingOrderAndSkipsHiddenEntries) {
    test::TempFolder tmp;
    tmp.write("A/aircraft.cfg", "x");
    tmp.write("A/B/AIRCRAFT.CFG", "x");
    tmp.write("A/B/panel/Panel.cfg", "x");
    tmp.write("a_c/panel.cfg", "x");
    tmp.write("C/aircraft.cfg", "x");
    tmp.hide("C/aircraft.cfg");
    tmp.write("C/D/readme.txt", "x");
    tmp.write("Hidden/aircraft.cfg", "x");
    tmp.hide("Hidden");
    tmp.write("System/aircraft.cfg", "x");
    tmp.make_system("System");
    tmp.write("aircraft.cfg.bak", "x");
    tmp.write("panel.cfg", "x");

    test::RecordingUi ui;
    std::string root = tmp.path() + "\\";
    EXPECT_EQ(
        Walk(tmp.fs(), root, ui),
        std::vector<std::string>({": |panel.cfg", "\\A: aircraft.cfg|", "\\A\\B: AIRCRAFT.CFG|",
                                  "\\A\\B\\panel: |Panel.cfg", "\\a_c: |panel.cfg"}));
    // Root, A, A\B, A\B\panel, a_c, C, C\D: one yield each.
    EXPECT_EQ(ui.yields, 7);
    // The trailing separator is gone after the walk; without one the folder stays as it was.
    EXPECT_EQ(root, tmp.path());
    Walk(tmp.fs(), root, ui);
    EXPECT_EQ(root, tmp.path());
}

TEST(SearchFolders, AFailingListingEndsTheWalkNamingTheFolder) {
    test::TempFolder tmp;
    tmp.write("A/aircraft.cfg", "x");
    tmp.write("B/aircraft.cfg", "x");
    tmp.write("C/aircraft.cfg", "x");
    test::FailingFileSystem fs(tmp.fs());
    fs.fail(test::Op::scan_folder, "\\B");
    test::RecordingUi ui;
    std::string root = tmp.path();
    std::vector<std::string> hits;
    try {
        hits = Walk(fs, root, ui);
        FAIL() << "no error";
    } catch (const OperationError& e) {
        EXPECT_NE(std::string(e.what()).find(tmp.path() + "\\B"), std::string::npos) << e.what();
    }
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
    EXPECT_EQ(Walk(tmp.fs(), root, ui),
              std::vector<std::string>(
                  {"\\A: aircraft.cfg|", "\\A\\Shared: |panel.cfg", "\\Other: |panel.cfg"}));
}
#endif

}  // namespace
}  // namespace qv
