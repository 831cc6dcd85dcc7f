// The warnings of the removal and the emptying that say what failed and where. Paths are shown
// as the program uses them.
#pragma once

#include <string>

namespace qv::removal_msg {

inline std::string aircraft_changed(const std::string& cfg_path) {
    return "The file " + cfg_path +
           " has changed since the aircraft list was loaded, so the selected aircraft may no "
           "longer be the one shown. Nothing was removed. The aircraft list will be reloaded.";
}

inline std::string cfg_unreadable(const std::string& cfg_path, const std::string& why) {
    return "The file " + cfg_path + " could not be read (" + why + "). Nothing was removed.";
}

inline std::string aircraft_folder_is_link(const std::string& folder) {
    return "The aircraft folder " + folder +
           " is a link to another folder. Quorvane does not move or delete anything through a "
           "link. Nothing was removed.";
}

inline std::string holding_folder_failed(const std::string& why) {
    return "The holding folder for this aircraft could not be made: " + why +
           ". Nothing was removed.";
}

inline std::string backup_failed(const std::string& cfg_path, const std::string& why) {
    return "The file " + cfg_path + " could not be copied into the holding folder (" + why +
           "), so no file of this aircraft was moved and nothing was deleted.";
}

inline std::string rewrite_failed(const std::string& cfg_path, const std::string& why) {
    return "The file " + cfg_path + " could not be rewritten without the removed aircraft (" + why +
           "). It was left as it was, and no other file of this aircraft was moved. A copy of "
           "it is in the holding folder.";
}

inline std::string folder_kept_protected(const std::string& folder, const std::string& what) {
    return "The aircraft folder " + folder + " was not deleted because it holds " + what +
           ". Only the files of the removed aircraft were moved.";
}

inline std::string folder_kept_unheld(const std::string& folder) {
    return "The aircraft folder " + folder +
           " was not deleted because some of its files could not be copied into the holding "
           "folder.";
}

inline std::string folder_not_removed(const std::string& folder, const std::string& why) {
    return "The aircraft folder " + folder + " could not be deleted completely (" + why + ").";
}

inline std::string removal_left_over(const std::string& details) {
    return "The aircraft was removed, but not everything could be moved or deleted.\r\n" + details;
}

inline std::string empty_left_over(const std::string& folder, const std::string& details) {
    return "The folder " + folder + " could not be emptied completely.\r\n" + details;
}

}  // namespace qv::removal_msg
