// Where the program keeps its own files and which simulator it looks after: set at start-up (or
// by the settings window), read by every operation.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

struct Workspace {
    std::string base_dir;           // current directory at start-up, one trailing separator removed
    std::string temp_path_dir;      // base_dir\Temp_Path: held files of removed aircraft
    std::string unused_gauges_dir;  // base_dir\Unused Gauges: held unused gauge files
    std::string sim_main_dir;       // the simulator's main folder (settings line 1)
    std::uint8_t sim_version = 1;   // 1 FS98, 2 FS2000, 3 FS2002, 4 CFS2 (settings line 2)
    // The folder's path below sim_main_dir, its name as spelled on disk; sim_main_dir with a "\"
    // after it when the simulator has no such folder.
    std::string sim_gauges_dir;
    std::string sim_aircraft_dir;
};

inline constexpr const char* kSettingsFileName = "quorva_set.cfg";

}  // namespace qv
