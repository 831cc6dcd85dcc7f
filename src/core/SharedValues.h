// The program's persistent facts: where it keeps its own files, and which simulator it looks
// after. Set at start-up (or by the settings window on a first run), read by every operation.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

struct SharedValues {
    std::string base_dir;           // current directory at start-up, one trailing separator removed
    std::string temp_path_dir;      // base_dir\Temp_Path: held files of removed aircraft
    std::string unused_gauges_dir;  // base_dir\Unused Gauges: held unused gauge files
    std::string fs_main_dir;        // the simulator's main folder (settings line 1)
    std::uint8_t fs_version = 1;    // 1 FS98, 2 FS2000, 3 FS2002, 4 CFS2 (settings line 2)
    // fs_main_dir & "\" & the folder's name as spelled on disk; just fs_main_dir & "\" when the
    // simulator has no such folder.
    std::string fs_gauges_dir;
    std::string fs_aircraft_dir;
};

inline constexpr const char* kSettingsFileName = "quorva_set.cfg";

}  // namespace qv
