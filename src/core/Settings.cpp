#include "core/Settings.h"

#include "core/Messages.h"
#include "platform/Text.h"

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
        fs.list(join_path(folder, name), ListFilter::entries_and_directories, names);
    if (!st.ok() || names.empty()) return {};
    return names.front();
}

}  // namespace

std::string SettingsFilePath(const SharedValues& values) {
    return values.base_dir + "\\" + kSettingsFileName;
}

void SetBaseDir(FileSystem& fs, SharedValues& values) {
    std::string dir;
    const FsStatus st = fs.current_directory(dir);
    if (!st.ok()) throw OperationError("Can't read the current folder: " + st.message);
    // Only one separator is removed: a drive root C:\ becomes C:.
    if (!dir.empty() && is_separator(dir.back())) dir.pop_back();
    values.base_dir = dir;
    values.temp_path_dir = dir + "\\Temp_Path";
    values.unused_gauges_dir = dir + "\\Unused Gauges";
}

void CreateHoldingFolders(FileSystem& fs, const SharedValues& values) {
    for (const std::string* folder : {&values.temp_path_dir, &values.unused_gauges_dir}) {
        std::vector<std::string> names;
        FsStatus st = fs.list(*folder, ListFilter::entries_and_directories, names);
        if (!st.ok()) throw OperationError(st.message);
        // Anything of that name (a folder, or even a plain file) is left as it is.
        if (!names.empty()) continue;
        st = fs.create_folder(*folder);
        if (!st.ok()) throw OperationError("The holding folder can't be created. " + st.message);
    }
}

bool SettingsFileExists(FileSystem& fs, const SharedValues& values) {
    std::vector<std::string> names;
    const FsStatus st = fs.list(SettingsFilePath(values), ListFilter::normal_files, names);
    return st.ok() && !names.empty();
}

void DeriveSimFolders(FileSystem& fs, SharedValues& values) {
    values.fs_gauges_dir =
        values.fs_main_dir + "\\" + listed_name(fs, values.fs_main_dir, "Gauges");
    values.fs_aircraft_dir =
        values.fs_main_dir + "\\" + listed_name(fs, values.fs_main_dir, "Aircraft");
}

void ReadSettingsFile(FileSystem& fs, SharedValues& values) {
    const std::string path = SettingsFilePath(values);
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
    values.fs_main_dir = trim_spaces(lines[0]);
    DeriveSimFolders(fs, values);
    values.fs_version = static_cast<std::uint8_t>(value);
}

bool WriteSettingsFile(FileSystem& fs, SharedValues& values, const std::string& folder_text,
                       UiPort& ui, bool lossless) {
    if (folder_text.empty()) {
        ui.warning(msg::kFolderRefused);
        return false;
    }
    if (!lossless) {
        ui.warning(msg::kFolderNotStorable);
        return false;
    }
    const std::string text = values.fs_main_dir + "\r\n" + std::to_string(values.fs_version);
    // Written beside and then put in place, so a failed save leaves no half-written file.
    const FsStatus st = fs.replace_file(SettingsFilePath(values), text);
    if (!st.ok()) {
        ui.warning("The settings file can't be written. " + st.message);
        return false;
    }
    DeriveSimFolders(fs, values);
    ui.notice(msg::kSettingsSaved);
    return true;
}

}  // namespace qv
