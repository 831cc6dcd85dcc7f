// Every fixed text the program shows in a message box or the progress window, and the questions
// it asks, each known by name so that a front end answers a question without reading its text.
#pragma once

namespace qv {

enum class Question {
    sweep_unused_gauges,  // offered by every catalogue load
    confirm_removal,
    confirm_batch_removal,  // several aircraft at once; its text names how many
    remove_gauges,          // asked during a removal, for the panel's own gauges
    empty_temp_path,
    empty_unused_gauges,
    confirm_restore,
    confirm_hold,  // folders the collection check found wasted; its text names how many
};

// The one title every message box carries.
inline constexpr const char* kMessageTitle = "Quorvane v4.0 - Message";

namespace msg {

// Settings.
inline constexpr const char* kFolderRefused =
    "The directory or path that you selected is not your currently FS main folder, because this "
    "program didn't found the *.EXE file (example: FS98.exe, FS2000.exe or FS2002.exe) of your FS "
    "game. Please try again.";
inline constexpr const char* kFolderNotStorable =
    "The folder name holds characters that can't be stored in the settings file. Please choose a "
    "folder whose name uses only the characters of this system's code page.";
inline constexpr const char* kSettingsSaved = "Settings file created successfully!";

// Catalogue load and unused gauge sweep.
inline constexpr const char* kStatusGettingAircrafts = "Getting Aircrafts";
inline constexpr const char* kStatusGettingPanels = "Getting Panels";
inline constexpr const char* kSweepQuestion =
    "Do you want to remove the unused gauges files?. (NOTE: The unused gauges files that were "
    "removed will going to be saved in the UNUSED GAUGES folder.)";
inline constexpr const char* kStatusSweeping = "Searching and Removing Unused Gauges Files";

// Aircraft removal.
inline constexpr const char* kRemoveQuestion = "Confirm to delete the selected aircraft's files?";
inline constexpr const char* kRemoveCanceled = "The process was canceled by user.";
// "%1" stands for the number of aircraft selected.
inline constexpr const char* kBatchRemoveQuestion =
    "Confirm to delete the files of the %1 selected aircraft?";
inline constexpr const char* kGaugeQuestion =
    "Do you want to remove also all the gauges files used by the panel of the selected "
    "aircraft?. Note: This program will not delete any shared gauges files. Also if the "
    "panel.cfg file of the selected aircraft uses the ALIAS command, this program will not "
    "delete any gauges files.";
inline constexpr const char* kRemoveCompleted = "Remove process completed.";
inline constexpr const char* kStatusGathering = "Gathering Information";
inline constexpr const char* kStatusCreatingTemp = "Creating Temp Folders";
inline constexpr const char* kStatusGettingData = "Getting Aircraft's Data";
inline constexpr const char* kStatusSharedFiles = "Searching Shared Files";
inline constexpr const char* kStatusDeletingGauges = "Deleting Gauges Files";
inline constexpr const char* kStatusDeletingFiles = "Deleting Aircraft's Files";
inline constexpr const char* kStatusDeletingFolder = "Deleting Aircraft's Folder";
// Each removal of a batch: %1 of %2 and the title %3.
inline constexpr const char* kStatusRemovingOneOf = "Removing %1 of %2: %3";

// Putting a removal back.
inline constexpr const char* kRestoreQuestion = "Do you want to put the removed aircraft back?";
inline constexpr const char* kRestoreCompleted = "Restore process completed.";
inline constexpr const char* kStatusRestoreChecking = "Checking Held Files";
inline constexpr const char* kStatusRestoreFiles = "Putting Back Aircraft's Files";
inline constexpr const char* kStatusRestoreSection = "Putting Back Aircraft's Section";
// Several removals at once: %1 how many; the status line %1 of %2 and the title %3.
inline constexpr const char* kRestoreSeveralQuestion =
    "Do you want to put the %1 selected removals back?";
inline constexpr const char* kStatusRestoringOneOf = "Putting back %1 of %2: %3";

// Holding the folders the collection check found wasted: %1 how many, %2 their megabytes; the
// status line %1 of %2 and the folder %3.
inline constexpr const char* kHoldQuestion =
    "Move the %1 selected folders (%2 MB) to the Temporaly Folder?";
inline constexpr const char* kHoldCanceled = "No folder was moved.";
inline constexpr const char* kHoldCompleted = "Hold process completed.";
inline constexpr const char* kStatusHoldingOneOf = "Holding %1 of %2: %3";

// Holding folder emptying.
inline constexpr const char* kEmptyTempQuestion =
    "Do you want to delete permanently all the subdirectories and files of the TEMP_PATH "
    "(Temporaly Folder).";
inline constexpr const char* kEmptyTempStatus = "Cleanning Temporaly Folder";
inline constexpr const char* kEmptyTempDone = "The Temporaly Folder is now empty";
inline constexpr const char* kEmptyUnusedQuestion =
    "Do you want to delete permanently all the files of the UNUSED GAUGES (Unused Gauges Folder).";
inline constexpr const char* kEmptyUnusedStatus = "Cleanning Unused Gauges Folder";
inline constexpr const char* kEmptyUnusedDone = "The Unused Gauges Folder is now empty";

}  // namespace msg

// Whether Yes to the question destroys or takes away much at once: such a question warns, and
// its default answer is No.
constexpr bool is_destructive(Question question) {
    return question == Question::empty_temp_path || question == Question::empty_unused_gauges ||
           question == Question::confirm_batch_removal;
}

constexpr const char* question_text(Question question) {
    switch (question) {
        case Question::sweep_unused_gauges:
            return msg::kSweepQuestion;
        case Question::confirm_removal:
            return msg::kRemoveQuestion;
        case Question::confirm_batch_removal:
            return msg::kBatchRemoveQuestion;
        case Question::remove_gauges:
            return msg::kGaugeQuestion;
        case Question::empty_temp_path:
            return msg::kEmptyTempQuestion;
        case Question::empty_unused_gauges:
            return msg::kEmptyUnusedQuestion;
        case Question::confirm_restore:
            return msg::kRestoreQuestion;
        case Question::confirm_hold:
            return msg::kHoldQuestion;
    }
    return "";
}

}  // namespace qv
