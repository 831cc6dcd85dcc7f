// Control and menu identifiers of the windows. The GUI tests' helper uses them too, to find a
// control and to send the command a menu item sends.
#pragma once

namespace qv::ui::ids {

// Resources.
inline constexpr int kProgramIcon = 1;
inline constexpr int kSplashPicture = 2;

// Menu items (numbers above IDOK, IDCANCEL and the other dialogue results).
inline constexpr int kMenuEmptyTempPath = 201;      // Form3 empty_dir
inline constexpr int kMenuEmptyUnusedGauges = 202;  // Form3 empty_unused_fol1
inline constexpr int kMenuAboutFromMain = 203;      // Form3 abot_quorva3
inline constexpr int kMenuAboutFromSettings = 204;  // Form2 abot_quorva_3

// Controls, one range per window.
inline constexpr int kSettingsNextStep = 301;  // Form2 Command1
inline constexpr int kSettingsExit = 302;      // Form2 Command2
inline constexpr int kSettingsFrame1 = 303;
inline constexpr int kSettingsFrame2 = 304;
inline constexpr int kSettingsOption1 = 305;
inline constexpr int kSettingsOption2 = 306;
inline constexpr int kSettingsOption3 = 307;
inline constexpr int kSettingsOption4 = 308;
inline constexpr int kSettingsDrive = 309;
inline constexpr int kSettingsFolder = 310;
inline constexpr int kSettingsLabel1 = 311;
inline constexpr int kSettingsText1 = 312;
inline constexpr int kSettingsLabel2 = 313;

inline constexpr int kMainRemove = 401;  // Form3 Command1
inline constexpr int kMainLabel1 = 402;
inline constexpr int kMainFrame1 = 403;
inline constexpr int kMainList = 404;

inline constexpr int kProgressBar = 501;
inline constexpr int kProgressLabel1 = 502;
inline constexpr int kProgressLabel2 = 503;
inline constexpr int kProgressStatus = 504;  // Form4 Label3

inline constexpr int kAboutOk = 601;
inline constexpr int kAboutLabel1 = 602;
inline constexpr int kAboutFrame1 = 603;
inline constexpr int kAboutLabel2 = 604;
inline constexpr int kAboutLabel3 = 605;
inline constexpr int kAboutLabel4 = 606;
inline constexpr int kAboutLabel5 = 607;

}  // namespace qv::ui::ids
