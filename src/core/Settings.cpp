#include "core/Settings.h"

#include "core/Messages.h"
#include "core/OperationError.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "platform/WinePath.h"

namespace qv {
namespace {

std::string trim_spaces(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

// The name a directory listing gives for `name` directly under `folder`, spelled as on disk, or
// "" when nothing of that name exists.
std::string listed_name(FileSystem& fs, const std::string& folder, const std::string& name) {
    std::vector<std::string> names;
    const FsStatus st =
        fs.list(path::join(folder, name), ListFilter::entries_and_directories, names);
    if (!st.ok() || names.empty()) return {};
    return names.front();
}

}  // namespace

std::string settings_file_path(const Workspace& workspace) {
    return workspace.base_dir + "\\" + kSettingsFileName;
}

void set_base_dir(FileSystem& fs, Workspace& workspace) {
    std::string dir;
    const FsStatus st = fs.current_directory(dir);
    if (!st.ok()) throw OperationError("Can't read the current folder: " + st.message);
    // Only one separator is removed: a drive root C:\ becomes C:.
    if (!dir.empty() && path::is_separator(dir.back())) dir.pop_back();
    workspace.base_dir = dir;
    workspace.temp_path_dir = dir + "\\Temp_Path";
    workspace.unused_gauges_dir = dir + "\\Unused Gauges";
}

void create_holding_folders(FileSystem& fs, const Workspace& workspace) {
    for (const std::string* folder : {&workspace.temp_path_dir, &workspace.unused_gauges_dir}) {
        std::vector<std::string> names;
        FsStatus st = fs.list(*folder, ListFilter::entries_and_directories, names);
        if (!st.ok()) throw OperationError(st.message);
        // Anything of that name (a folder, or even a plain file) is left as it is.
        if (!names.empty()) continue;
        st = fs.create_folder(*folder);
        if (!st.ok()) throw OperationError("The holding folder can't be created. " + st.message);
    }
}

bool settings_file_exists(FileSystem& fs, const Workspace& workspace) {
    std::vector<std::string> names;
    const FsStatus st = fs.list(settings_file_path(workspace), ListFilter::normal_files, names);
    return st.ok() && !names.empty();
}

void derive_sim_folders(FileSystem& fs, Workspace& workspace) {
    workspace.sim_gauges_dir =
        workspace.sim_main_dir + "\\" + listed_name(fs, workspace.sim_main_dir, "Gauges");
    workspace.sim_aircraft_dir =
        workspace.sim_main_dir + "\\" + listed_name(fs, workspace.sim_main_dir, "Aircraft");
}

void read_settings_file(FileSystem& fs, Workspace& workspace) {
    const std::string path = settings_file_path(workspace);
    std::vector<std::string> lines;
    const FsStatus st = read_lines(fs, path, lines);
    if (!st.ok()) throw OperationError("The settings file can't be read. " + st.message);
    if (lines.size() < 2)
        throw OperationError("The settings file " + path +
                             " is incomplete: it needs the simulator's main folder on its first "
                             "line and the simulator version on its second. Delete it and start "
                             "the program again to choose the folder anew.");
    const std::string version = trim_spaces(lines[1]);
    bool number = !version.empty() && version.size() <= 3;
    unsigned value = 0;
    for (char c : version) {
        if (c < '0' || c > '9') number = false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (!number || value > 255)
        throw OperationError("The settings file " + path + " is damaged: its second line, \"" +
                             version +
                             "\", is not a version number from 0 to 255. Delete it and start the "
                             "program again to choose the folder anew.");
    workspace.sim_main_dir = sim_folder_here(trim_spaces(lines[0]));
    derive_sim_folders(fs, workspace);
    workspace.sim_version = static_cast<std::uint8_t>(value);
}

bool write_settings_file(FileSystem& fs, Workspace& workspace, const std::string& folder_text,
                         UiPort& ui, bool lossless) {
    if (folder_text.empty()) {
        ui.warning(msg::kFolderRefused);
        return false;
    }
    if (!lossless) {
        ui.warning(msg::kFolderNotStorable);
        return false;
    }
    const std::string text =
        workspace.sim_main_dir + "\r\n" + std::to_string(workspace.sim_version);
    // Written beside and then put in place, so a failed save leaves no half-written file.
    const FsStatus st = fs.replace_file(settings_file_path(workspace), text);
    if (!st.ok()) {
        ui.warning("The settings file can't be written. " + st.message);
        return false;
    }
    derive_sim_folders(fs, workspace);
    ui.notice(msg::kSettingsSaved);
    return true;
}

std::string sim_folder_here(const std::string& saved) {
#ifdef _WIN32
    return saved;
#else
    std::string here;
    const FsStatus st = wine_folder_to_linux(saved, wine_prefix_folder(), here);
    if (!st.ok()) throw OperationError(st.message);
    return here;
#endif
}

SimFolderState check_sim_folder(FileSystem& fs, const std::string& sim_main_dir) {
    Attributes main{};
    if (sim_main_dir.empty() || !fs.attributes(sim_main_dir, main).ok() || !main.directory)
        return SimFolderState::missing;
    const std::string aircraft = listed_name(fs, sim_main_dir, "Aircraft");
    Attributes found{};
    if (aircraft.empty() || !fs.attributes(path::join(sim_main_dir, aircraft), found).ok() ||
        !found.directory)
        return SimFolderState::without_aircraft;
    return SimFolderState::usable;
}

std::string sim_folder_problem(SimFolderState state, const std::string& sim_main_dir) {
    switch (state) {
        case SimFolderState::usable:
            return {};
        case SimFolderState::missing:
            if (sim_main_dir.empty()) return "The settings file names no simulator folder.";
            return "The simulator folder " + sim_main_dir +
                   " does not exist: it may have been moved, renamed or uninstalled.";
        case SimFolderState::without_aircraft:
            return "The simulator folder " + sim_main_dir +
                   " holds no Aircraft folder, so there are no aircraft to list in it.";
    }
    return {};
}

}  // namespace qv
