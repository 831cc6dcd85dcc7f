// The working folders and the two-line settings file quorva_set.cfg.
#pragma once

#include <string>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

// Throws OperationError when the current directory can't be read.
void set_base_dir(FileSystem& fs, Workspace& workspace);
// Creates Temp_Path, then Unused Gauges, each only when nothing of that name exists.
// Throws OperationError naming the folder when one can't be created.
void create_holding_folders(FileSystem& fs, const Workspace& workspace);
bool settings_file_exists(FileSystem& fs, const Workspace& workspace);
// Throws OperationError (naming the file) when it can't be read, has fewer than two lines or its
// second line is not a number from 0 to 255.
void read_settings_file(FileSystem& fs, Workspace& workspace);
// Saves sim_main_dir and sim_version. Refuses an empty `folder_text` (and a folder name that has
// no single-byte form, which arrives here as a text with "?" and `lossless` false) with a
// warning; a file that can't be written is reported by a warning too. Returns whether it was
// saved.
bool write_settings_file(FileSystem& fs, Workspace& workspace, const std::string& folder_text,
                         UiPort& ui, bool lossless = true);
// Looks up the simulator's Gauges and Aircraft folders below sim_main_dir.
void derive_sim_folders(FileSystem& fs, Workspace& workspace);

// The simulator folder a settings file names (its first line, spaces trimmed), as this system
// reaches it. On Linux a folder the program saved under Wine is taken to its Linux path
// (Z:\home\pilot\FS2002 is /home/pilot/FS2002); OperationError names a drive that can't be.
std::string sim_folder_here(const std::string& saved);

// Whether a simulator folder can be worked on: it exists, and holds an Aircraft folder (spelled
// in any case). A moved or reinstalled simulator is missing; a folder chosen one level too deep
// (...\FS2002\Aircraft) or an unrelated one has no Aircraft folder.
enum class SimFolderState { usable, missing, without_aircraft };
SimFolderState check_sim_folder(FileSystem& fs, const std::string& sim_main_dir);
// What is wrong with the folder, naming it; empty for a usable one.
std::string sim_folder_problem(SimFolderState state, const std::string& sim_main_dir);

std::string settings_file_path(const Workspace& workspace);

}  // namespace qv
