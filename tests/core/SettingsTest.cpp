// The settings file and the working folders: the file is read by every start and its bytes are
// the program's only memory of which simulator it looks after.
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/Messages.h"
#include "core/OperationError.h"
#include "platform/Path.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingUi.h"
#include "support/TempFolder.h"

namespace qv {
namespace {

using test::RecordingUi;
using test::TempFolder;

Workspace workspace_in(TempFolder& t) {
    Workspace v;
    v.base_dir = t.path();
    v.temp_path_dir = t.path() + "\\Temp_Path";
    v.unused_gauges_dir = t.path() + "\\Unused Gauges";
    return v;
}

// A backend whose current folder is whatever the test says.
class CurrentDirectoryFs : public test::FailingFileSystem {
  public:
    CurrentDirectoryFs(FileSystem& inner, std::string cwd)
        : FailingFileSystem(inner), cwd_(std::move(cwd)) {}
    FsStatus current_directory(std::string& out) override {
        out = cwd_;
        return FsStatus::success();
    }

  private:
    std::string cwd_;
};

TEST(BaseFolder, LosesExactlyOneTrailingSeparator) {
    TempFolder t;
    const struct {
        const char* cwd;
        const char* base;
    } cases[] = {{"C:\\", "C:"},
                 {"D:\\Games\\", "D:\\Games"},
                 {"/home/pilot/", "/home/pilot"},
                 {"D:\\Games\\\\", "D:\\Games\\"},
                 {"D:\\Games", "D:\\Games"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cwd);
        CurrentDirectoryFs fs(t.fs(), c.cwd);
        Workspace v;
        set_base_dir(fs, v);
        EXPECT_EQ(v.base_dir, c.base);
        EXPECT_EQ(v.temp_path_dir, std::string(c.base) + "\\Temp_Path");
        EXPECT_EQ(v.unused_gauges_dir, std::string(c.base) + "\\Unused Gauges");
    }
}

TEST(HoldingFolders, AreCreatedWhenMissingAndAnythingInTheWayIsLeftAlone) {
    TempFolder t;
    Workspace v = workspace_in(t);
    t.write("Temp_Path", "a plain file of that name");
    create_holding_folders(t.fs(), v);
    EXPECT_EQ(t.read("Temp_Path"), "a plain file of that name");
    Attributes a;
    ASSERT_TRUE(t.fs().attributes(v.unused_gauges_dir, a).ok());
    EXPECT_TRUE(a.directory);
    create_holding_folders(t.fs(), v);  // a second start finds them and changes nothing
    EXPECT_EQ(t.tree(), (std::vector<std::string>{"Temp_Path", "Unused Gauges\\"}));
}

TEST(HoldingFolders, ThatCantBeCreatedStopTheStartNamingTheFolder) {
    TempFolder t;
    test::FailingFileSystem fs(t.fs());
    fs.fail(test::Op::create_folder, "Unused Gauges");
    Workspace v = workspace_in(t);
    try {
        create_holding_folders(fs, v);
        FAIL() << "no error";
    } catch (const OperationError& e) {
        EXPECT_NE(std::string(e.what()).find("Unused Gauges"), std::string::npos) << e.what();
    }
}

TEST(SettingsFile, IsWrittenByteForByteAndReadBack) {
    TempFolder t;
    Workspace v = workspace_in(t);
    RecordingUi ui;
    v.sim_main_dir = "D:\\FS2002";
    v.sim_version = 3;
    ASSERT_TRUE(write_settings_file(t.fs(), v, "D:\\FS2002", ui));
    EXPECT_EQ(t.read("quorva_set.cfg"), "D:\\FS2002\r\n3");
    EXPECT_EQ(ui.events, (std::vector<std::string>{"notice: Settings file created successfully!"}));

    // Versions and folders survive the round trip, and a rewrite replaces the whole file.
    v.sim_main_dir = t.path() + "\\Sim \xC9t\xE9";  // Windows-1252 accents
    v.sim_version = 4;
    ASSERT_TRUE(write_settings_file(t.fs(), v, v.sim_main_dir, ui));
    Workspace back = workspace_in(t);
    ASSERT_TRUE(settings_file_exists(t.fs(), back));
    read_settings_file(t.fs(), back);
    EXPECT_EQ(back.sim_main_dir, v.sim_main_dir);
    EXPECT_EQ(back.sim_version, 4);
}

TEST(SettingsFile, RefusesAnEmptyOrUnstorableFolderAndWritesNothing) {
    TempFolder t;
    Workspace v = workspace_in(t);
    RecordingUi ui;
    EXPECT_FALSE(write_settings_file(t.fs(), v, "", ui));
    EXPECT_FALSE(write_settings_file(t.fs(), v, "C:\\?", ui, false));
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{std::string("warning: ") + msg::kFolderRefused,
                                        std::string("warning: ") + msg::kFolderNotStorable}));
    EXPECT_FALSE(t.exists("quorva_set.cfg"));
}

TEST(SettingsFile, ThatCantBeWrittenIsReportedAndLeavesNoFile) {
    TempFolder t;
    test::FailingFileSystem fs(t.fs());
    fs.fail(test::Op::replace_file, "quorva_set.cfg");
    Workspace v = workspace_in(t);
    v.sim_main_dir = "C:\\FS";
    RecordingUi ui;
    EXPECT_FALSE(write_settings_file(fs, v, "C:\\FS", ui));
    ASSERT_EQ(ui.only("warning: ").size(), 1u);
    EXPECT_TRUE(ui.only("notice: ").empty());
    EXPECT_FALSE(t.exists("quorva_set.cfg"));
}

TEST(SettingsFile, ReadTrimsSpacesIgnoresExtraLinesAndAcceptsAnyLineEnd) {
    TempFolder t;
    // A folder without a drive letter: the Linux build takes a drive through the Wine prefix.
    const char* files[] = {"  \\FS2002  \r\n 2 \r\nextra", "  \\FS2002  \n 2 ",
                           "  \\FS2002  \r 2 \r"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        t.write("quorva_set.cfg", bytes);
        Workspace v = workspace_in(t);
        read_settings_file(t.fs(), v);
        EXPECT_EQ(v.sim_main_dir, "\\FS2002");
        EXPECT_EQ(v.sim_version, 2);
    }
}

TEST(SettingsFile, ThatIsDamagedStopsWithAMessageNamingTheFile) {
    TempFolder t;
    const char* files[] = {"",
                           "C:\\FS only one line",
                           "C:\\FS\r\n",
                           "C:\\FS\r\n256",
                           "C:\\FS\r\nthree",
                           "C:\\FS\r\n-1"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        t.write("quorva_set.cfg", bytes);
        Workspace v = workspace_in(t);
        try {
            read_settings_file(t.fs(), v);
            ADD_FAILURE() << "no error";
        } catch (const OperationError& e) {
            EXPECT_NE(std::string(e.what()).find("quorva_set.cfg"), std::string::npos) << e.what();
        }
    }
}

TEST(SettingsFile, HiddenCountsAsAbsent) {
    TempFolder t;
    Workspace v = workspace_in(t);
    EXPECT_FALSE(settings_file_exists(t.fs(), v));
    t.write("quorva_set.cfg", "C:\\FS\r\n1");
    EXPECT_TRUE(settings_file_exists(t.fs(), v));
    t.hide("quorva_set.cfg");
    EXPECT_FALSE(settings_file_exists(t.fs(), v));
}

TEST(SimulatorFolders, AreSpelledAsOnDiskOrEndInTheSeparatorWhenMissing) {
    TempFolder t;
    t.mkdir("FS\\AIRCRAFT");
    Workspace v = workspace_in(t);
    v.sim_main_dir = t.at("FS");
    derive_sim_folders(t.fs(), v);
    EXPECT_EQ(v.sim_aircraft_dir, t.at("FS") + "\\AIRCRAFT");
    EXPECT_EQ(v.sim_gauges_dir, t.at("FS") + "\\");
}

TEST(SimulatorFolder, IsUsableOnlyWhenItExistsAndHoldsAnAircraftFolder) {
    TempFolder t;
    t.mkdir("Good\\aircraft");
    t.mkdir("Deep\\Aircraft\\Cessna");
    t.write("FileInstead\\Aircraft", "not a folder");
    t.write("a file", "x");
    const struct {
        std::string folder;
        SimFolderState state;
    } cases[] = {
        {t.at("Good"), SimFolderState::usable},
        // One level too deep: the Aircraft folder itself holds aircraft, not an Aircraft folder.
        {t.at("Deep\\Aircraft"), SimFolderState::without_aircraft},
        {t.at("FileInstead"), SimFolderState::without_aircraft},
        {t.at("Gone"), SimFolderState::missing},
        {t.at("a file"), SimFolderState::missing},
        {"", SimFolderState::missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(check_sim_folder(t.fs(), c.folder), c.state);
        const std::string problem = sim_folder_problem(c.state, c.folder);
        EXPECT_EQ(problem.empty(), c.state == SimFolderState::usable);
        if (!c.folder.empty() && !problem.empty()) {
            EXPECT_NE(problem.find(c.folder), std::string::npos) << problem;
        }
    }
}

#ifndef _WIN32
TEST(SettingsFile, SavedByTheProgramUnderWineIsReadAtItsLinuxPath) {
    TempFolder t;
    t.mkdir("FS2002\\Aircraft");
    // What the program under Wine saves for this folder: Z: and the Linux path with "\".
    std::string saved = "Z:" + t.at("FS2002");
    std::replace(saved.begin(), saved.end(), '/', '\\');
    t.write("quorva_set.cfg", saved + "\r\n3");
    Workspace v = workspace_in(t);
    read_settings_file(t.fs(), v);
    EXPECT_EQ(path::with_native_separators(v.sim_main_dir),
              path::with_native_separators(t.at("FS2002")));
    EXPECT_EQ(check_sim_folder(t.fs(), v.sim_main_dir), SimFolderState::usable);
    EXPECT_EQ(path::last_part(v.sim_aircraft_dir), "Aircraft");

    // A drive the prefix doesn't map stops the read, naming the drive.
    t.write("quorva_set.cfg", "Q:\\FS2002\r\n3");
    setenv("WINEPREFIX", t.at("no-prefix").c_str(), 1);
    try {
        read_settings_file(t.fs(), v);
        ADD_FAILURE() << "no error";
    } catch (const OperationError& e) {
        EXPECT_NE(std::string(e.what()).find("drive Q:"), std::string::npos) << e.what();
    }
    unsetenv("WINEPREFIX");
}
#endif

}  // namespace
}  // namespace qv
