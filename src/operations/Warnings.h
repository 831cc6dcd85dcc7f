// The warnings of the operations that say what failed and where, and what stayed. Paths are
// shown as the program uses them.
#pragma once

#include <string>
#include <vector>

namespace qv::warn {

inline std::string aircraft_changed(const std::string& cfg_path) {
    return "The file " + cfg_path +
           " has changed since the aircraft list was loaded, so the selected aircraft may no "
           "longer be the one shown. Nothing was removed. The aircraft list will be reloaded.";
}

inline std::string cfg_unreadable(const std::string& cfg_path, const std::string& why) {
    return "The file " + cfg_path + " could not be read (" + why + "). Nothing was removed.";
}

inline std::string through_link(const std::string& folder, const std::string& link) {
    if (folder == link)
        return "The aircraft folder " + folder +
               " is a link to another folder. Quorvane does not move or delete anything through "
               "a link. Nothing was removed.";
    return "The aircraft folder " + folder + " is reached through the link " + link +
           ", which leads to another folder. Quorvane does not move or delete anything through a "
           "link. Nothing was removed.";
}

inline std::string folder_unreadable(const std::string& folder, const std::string& why) {
    return "The folder " + folder + " could not be looked at (" + why +
           "), so it may be a link. Nothing was removed.";
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
    return "The file " + cfg_path + " could not be rewritten without the selected aircraft (" +
           why + "). It was left as it was, and no file of this aircraft was moved.";
}

inline std::string cfg_not_deleted(const std::string& cfg_path, const std::string& why) {
    return "The file " + cfg_path + " could not be taken away (" + why +
           "). It was left as it was, and no file of this aircraft was moved.";
}

inline std::string record_failed(const std::string& why) {
    return "The record of this removal could not be written into the holding folder (" + why +
           "). Nothing was removed.";
}

inline constexpr const char* kBatchStoppedByUser = "You stopped the removal.";

inline std::string batch_stopped(const std::string& title, const std::string& why) {
    return title + ": not removed. " + why;
}

inline std::string folder_kept_protected(const std::string& folder, const std::string& what) {
    return "The aircraft folder " + folder + " was not deleted because it holds " + what +
           ". Only the files of the removed aircraft were moved.";
}

inline std::string folder_not_removed(const std::string& folder, const std::string& why) {
    return "The aircraft folder " + folder + " could not be deleted completely (" + why + ").";
}

inline std::string removal_left_over(const std::string& details) {
    return "The aircraft was removed, but not everything could be moved or deleted.\r\n" + details;
}

// The load's closing warning: what it passed over, the first few named.
inline std::string load_skipped(const std::vector<std::string>& skipped, bool gauges_incomplete) {
    constexpr std::size_t kShown = 5;
    std::string text = std::to_string(skipped.size()) +
                       (skipped.size() == 1 ? " file or folder" : " files or folders") +
                       " could not be read, so the aircraft list may be incomplete:";
    for (std::size_t i = 0; i < skipped.size() && i < kShown; ++i) text += "\r\n" + skipped[i];
    if (skipped.size() > kShown)
        text += "\r\n... and " + std::to_string(skipped.size() - kShown) + " more.";
    if (gauges_incomplete)
        text +=
            "\r\nA panel may be among them, so no gauge file can be judged unused: the unused "
            "gauges are not offered to be moved, and a removal keeps every gauge file.";
    return text;
}

inline std::string sweep_unlisted(const std::string& why) {
    return "The gauges folder could not be listed (" + why + "). No gauge file was moved.";
}

inline std::string holding_is_link(const std::string& folder) {
    return "The holding folder " + folder +
           " is a link to another folder. Quorvane keeps held files only in its own folders, so "
           "nothing was moved.";
}

inline std::string sweep_left_over(const std::string& details) {
    return "Not every unused gauge file could be moved into the holding folder.\r\n" + details;
}

inline std::string another_command(const std::string& folder, const std::string& why) {
    if (why.find("another program holds it") != std::string::npos)
        return "Another Quorvane command is at work in the folder " + folder +
               ". Nothing was changed; try again when it has finished.";
    return "The working folder " + folder + " could not be locked for this command (" + why +
           "). Nothing was changed.";
}

inline std::string removal_in_progress(const std::string& folder) {
    return "A removal or a restore is in progress in the folder " + folder +
           ": what is shown is the disk as it stands now.";
}

inline std::string interrupted_finished(const std::string& title) {
    return "The removal of " + title +
           " was interrupted before it ended. It has now been finished: what it takes is held in "
           "the holding folder.";
}

inline std::string journal_failed(const std::string& title, const std::string& why) {
    return "The record of the removal of " + title + " could not be written whole (" + why +
           "), so the removal stopped where it was. What it moved is held; the next command "
           "that changes the disk finishes it once the record can be written.";
}

inline std::string restore_journal_failed(const std::string& title, const std::string& why) {
    return "The record of " + title + " could not be written whole (" + why +
           "), so putting it back stopped where it was. The next command that changes the disk "
           "finishes it once the record can be written.";
}

inline std::string record_refused(const std::string& record, const std::string& why) {
    return "The record " + record + " can't be trusted: " + why + ". Nothing of it was moved.";
}

inline std::string interrupted_elsewhere(const std::string& title, const std::string& recorded,
                                         const std::string& current) {
    return "The removal of " + title +
           " was interrupted before it ended. It was made for the "
           "simulator in " +
           recorded + ", not for the one in " + current +
           ", so it stays unfinished until the settings name that simulator again.";
}

inline std::string name_clash(const std::string& folder, const std::string& a,
                              const std::string& b) {
    return "The folder " + folder + " holds both " + a + " and " + b +
           ", names Windows takes for one. Rename one of them first. Nothing was removed.";
}

inline std::string interrupted_undone(const std::string& title) {
    return "The removal of " + title +
           " was interrupted before it ended, and its aircraft.cfg has changed since. Nothing of "
           "it was removed.";
}

inline std::string restore_other_simulator(const std::string& title, const std::string& recorded,
                                           const std::string& current) {
    return "The removal of " + title + " was made for the simulator in " + recorded +
           ", not for the one in " + current + ". Nothing was put back.";
}

inline std::string restore_place_taken(const std::string& place) {
    return "The place " + place +
           " is taken by another file now. Nothing was put back, and nothing was overwritten.";
}

inline std::string restore_copy_missing(const std::string& copy, const std::string& why) {
    return "The held copy " + copy + " of the aircraft.cfg can't be used (" + why +
           "). Nothing was put back.";
}

inline std::string restore_section_present(const std::string& title, const std::string& cfg) {
    return "The section of " + title + " is in " + cfg +
           " already. Nothing was put back, and nothing was overwritten.";
}

inline std::string restore_left_over(const std::string& details) {
    return "The aircraft was put back, but not everything could be.\r\n" + details;
}

inline std::string restored_some(std::size_t whole, std::size_t of) {
    return std::to_string(whole) + " of the " + std::to_string(of) +
           " removals were put back whole. What could not be:";
}

inline std::string interrupted_restore_finished(const std::string& title) {
    return "Putting back " + title + " was interrupted before it ended. It has now been finished.";
}

inline std::string record_kept(const std::string& record, const std::string& why) {
    return "The record " + record + " could not be deleted (" + why +
           "), so nothing it holds was deleted.";
}

inline std::string hold_refused(const std::string& folder, const std::string& why) {
    return "The folder " + folder + " was not held: " + why + ".";
}

inline constexpr const char* kHoldStoppedByUser = "You stopped the hold.";

inline std::string held_some(std::size_t held, std::size_t of) {
    return std::to_string(held) + " of the " + std::to_string(of) +
           " selected folders were moved to the holding folder; they stay there until it is "
           "emptied.";
}

inline std::string empty_left_over(const std::string& folder, const std::string& details) {
    return "The folder " + folder + " could not be emptied completely.\r\n" + details;
}

}  // namespace qv::warn
