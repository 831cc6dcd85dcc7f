// The captions and fixed texts of the windows (Windows-1252 bytes, widened to draw). An "&"
// marks the access key of a menu, menu item, button or label (Alt and that letter).
#pragma once

namespace qv::ui::texts {

inline constexpr const char* kBanner = "QUORVANE VERSION 4.0 FOR FS2002/FS2000/CFS2/FS98";

inline constexpr const char* kSplashCaption = "Quorvane v4.0";
inline constexpr const char* kSplashLoading = "Loading...";

inline constexpr const char* kSettingsCaption = "Settings";
inline constexpr const char* kVersionGroup =
    "Select the version of your Microsoft Flight Simulator";
inline constexpr const char* kVersionChoices[4] = {
    "Microsoft Flight Simulator &98",
    "Microsoft Flight Simulator 2&000",
    "Microsoft Flight Simulator 200&2",
    "Microsoft &Combat Flight Simulator 2",
};
inline constexpr const char* kFolderGroup = "Select the main folder of your Flight Simulator";
inline constexpr const char* kCurrentDirectory = "Current Directory:";
inline constexpr const char* kFolderNone = "-None-";
inline constexpr const char* kFolderExample =
    "Example: \"C:\\Program Files\\Microsoft Games\\FS2002\"";
inline constexpr const char* kNextStep = "&NEXT STEP";
inline constexpr const char* kExit = "E&XIT";
inline constexpr const char* kDriveNotReady =
    "The drive you chose is not ready. Insert a disk into it or choose another drive; the "
    "folder stays as it was.";
inline constexpr const char* kFolderNotOpened =
    "The folder you chose can't be opened. Choose another folder; the folder stays as it was.";
// After the problem with the saved folder, when the settings window opens at start.
inline constexpr const char* kChooseSimFolderAgain =
    "Choose the simulator's main folder again: the folder that holds its Aircraft folder.";
// "%1" stands for the folder.
inline constexpr const char* kUseFolderWithoutAircraft =
    "The folder %1 holds no Aircraft folder, so no aircraft would be found in it. Use it as the "
    "simulator's main folder anyway?";

inline constexpr const char* kMainCaption = "Selecting Aircraft";
inline constexpr const char* kMainInstruction =
    "From the following list, select the aircraft you want to remove from your Microsoft Flight "
    "Simulator folder.";
inline constexpr const char* kAircraftList = "Aircraft List";
inline constexpr const char* kFind = "F&ind:";
inline constexpr const char* kTitleColumn = "Title";
inline constexpr const char* kFolderColumn = "Folder";
inline constexpr const char* kRemoveSelected = "&REMOVE SELECTED AIRCRAFT";
inline constexpr const char* kTempFolderMenu = "&Temporaly_Folder";
inline constexpr const char* kUnusedGaugesMenu = "&Unused_Gauges_Folder";
inline constexpr const char* kEmptyFolderItem = "&Empty Folder";
inline constexpr const char* kRestoreRemovedItem = "&Restore Removed Aircraft...";
inline constexpr const char* kSettingsMenu = "&Settings";
inline constexpr const char* kChangeSimFolderItem = "&Change Simulator Folder";
inline constexpr const char* kReloadItem = "Re&load Aircraft List\tF5";
inline constexpr const char* kCollectionMenu = "&Collection";
inline constexpr const char* kCheckCollectionItem = "&Check Collection...";
inline constexpr const char* kAboutMenu = "&About";
inline constexpr const char* kAboutItem = "&About Quorvane v4.0";

inline constexpr const char* kProgressCaption = "Processing...";
inline constexpr const char* kProgressHeading = "PROCESSING PLEASE WAIT.....";
inline constexpr const char* kProgressStatusLabel = "STATUS:";
inline constexpr const char* kProgressNoStatus = "-None-";
inline constexpr const char* kStop = "&Stop";
// The status once Stop is pressed, until the removal under way has ended.
inline constexpr const char* kStopping = "Stopping after this aircraft...";

inline constexpr const char* kRestoreCaption = "Restore Removed Aircraft";
inline constexpr const char* kRestoreInstruction =
    "The removed aircraft still held in the Temporaly Folder, newest first. Select the ones to "
    "put back; Select Batch adds the rest of their batch.";
inline constexpr const char* kRestore = "&RESTORE";
inline constexpr const char* kSelectBatch = "Select &Batch";
inline constexpr const char* kRemovedColumn = "Removed";
inline constexpr const char* kFilesColumn = "Files";

inline constexpr const char* kCheckCaption = "Check Collection";
inline constexpr const char* kCheckInstruction =
    "What in the collection is broken or wasted, as the aircraft list was loaded. Ctrl+Tab "
    "goes to the next group. Held folders come back from Restore Removed Aircraft.";
// "%1" stands for how many places the load could not read.
inline constexpr const char* kCheckSkipped =
    "The load could not read %1 places; nothing here is drawn from them.";
// Each group's tab; "%1" stands for how many findings it holds.
inline constexpr const char* kCheckGroupTabs[6] = {
    "Won't Load (%1)",     "Missing Gauges (%1)",   "Same Title (%1)",
    "Unused Folders (%1)", "Without Aircraft (%1)", "Holding (%1)",
};
inline constexpr const char* kShowInList = "&Show in List";
inline constexpr const char* kHoldSelected = "&Hold Selected Folders";
inline constexpr const char* kWhatIsMissingColumn = "What Is Missing";
inline constexpr const char* kPanelColumn = "Panel";
inline constexpr const char* kGaugesColumn = "Gauges";
inline constexpr const char* kUsedByColumn = "Used By";
inline constexpr const char* kFoldersColumn = "Folders";
inline constexpr const char* kCountColumn = "Count";
inline constexpr const char* kSizeColumn = "Size";

inline constexpr const char* kAboutCaption = "About Quorvane v4.0";
inline constexpr const char* kCredits = "Credits";
inline constexpr const char* kAuthorLine = "Author: Quorvane team";
inline constexpr const char* kCallSignLine = "Callsign: QRV-40";
inline constexpr const char* kContactLine =
    "Comments, suggestions and fault reports are welcome by e-mail: "
    "quorvane@users.noreply.example";
inline constexpr const char* kOriginLine = "Made in Norway";
inline constexpr const char* kOk = "&OK";

}  // namespace qv::ui::texts
