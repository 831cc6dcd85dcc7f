// Control and menu identifiers of the windows, named for their role. The GUI tests' helper uses
// them too, to find a control and to send the command a menu item sends.
#pragma once

namespace qv::ui::ids {

// Resources.
inline constexpr int kProgramIcon = 1;
inline constexpr int kSplashPicture = 2;

// Menu items (numbers above IDOK, IDCANCEL and the other dialogue results).
inline constexpr int kMenuEmptyTempPath = 201;
inline constexpr int kMenuEmptyUnusedGauges = 202;
inline constexpr int kMenuAboutFromMain = 203;
inline constexpr int kMenuAboutFromSettings = 204;
inline constexpr int kMenuChangeSimFolder = 205;
inline constexpr int kMenuRestoreRemoved = 206;
inline constexpr int kMenuReload = 207;
inline constexpr int kMenuCheckCollection = 208;

// Controls, one range per window.
inline constexpr int kSettingsNextStep = 301;
inline constexpr int kSettingsExit = 302;
inline constexpr int kSettingsVersionGroup = 303;
inline constexpr int kSettingsFolderGroup = 304;
inline constexpr int kSettingsFs98 = 305;  // the version choices, in the order of their numbers
inline constexpr int kSettingsFs2000 = 306;
inline constexpr int kSettingsFs2002 = 307;
inline constexpr int kSettingsCfs2 = 308;
inline constexpr int kSettingsDriveList = 309;
inline constexpr int kSettingsFolderList = 310;
inline constexpr int kSettingsCurrentFolderLabel = 311;
inline constexpr int kSettingsFolderBox = 312;  // the folder that NEXT STEP saves
inline constexpr int kSettingsExample = 313;

inline constexpr int kMainRemove = 401;
inline constexpr int kMainInstruction = 402;
inline constexpr int kMainListGroup = 403;
inline constexpr int kMainList = 404;
inline constexpr int kMainFindLabel = 405;
inline constexpr int kMainFilter = 406;
inline constexpr int kMainFolder = 407;   // the selected aircraft's folder
inline constexpr int kMainSummary = 408;  // what removing it would do
inline constexpr int kMainStatus = 409;   // the status bar
// The frame around the list; kMainListGroup is its caption.
inline constexpr int kMainListFrame = 410;

inline constexpr int kProgressBar = 501;
inline constexpr int kProgressHeading = 502;
inline constexpr int kProgressStatusLabel = 503;
inline constexpr int kProgressStatus = 504;
inline constexpr int kProgressStop = 505;

inline constexpr int kAboutOk = 601;
inline constexpr int kAboutBanner = 602;
inline constexpr int kAboutCredits = 603;
inline constexpr int kAboutAuthor = 604;
inline constexpr int kAboutCallSign = 605;
inline constexpr int kAboutContact = 606;
inline constexpr int kAboutOrigin = 607;

inline constexpr int kRestoreList = 701;
inline constexpr int kRestoreSelectBatch = 704;
inline constexpr int kRestoreButton = 702;
inline constexpr int kRestoreInstruction = 703;

inline constexpr int kCheckInstruction = 801;
inline constexpr int kCheckSkipped = 802;  // what the load could not read, when anything
inline constexpr int kCheckGroups = 803;   // the tabs, one a group of findings
inline constexpr int kCheckList = 804;
inline constexpr int kCheckShowInList = 805;
inline constexpr int kCheckHold = 806;

}  // namespace qv::ui::ids
