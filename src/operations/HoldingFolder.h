// Where a removed aircraft's files are held: one folder per aircraft below Temp_Path, the folder
// chains made inside it, never through a link, and the move of one file into it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Workspace.h"
#include "operations/LeftOver.h"
#include "platform/FileSystem.h"

namespace qv {

// The aircraft folder's path below the simulator's aircraft folder, in lower case, "\"-joined.
// For an aircraft.cfg lying directly in the aircraft folder, or in a folder outside it, the
// aircraft folder's own name in lower case: the result is never empty, so the holding folder is
// always a folder inside Temp_Path.
std::string aircraft_rel_path(const Workspace& workspace, std::string_view aircraft_folder);

// Makes every missing level of `rel` below `base`, one level at a time. An existing level must be
// a folder and not a link (a link would carry held files out of the holding folder). Each folder
// made is appended to `created` when given.
FsStatus make_folder_chain(FileSystem& fs, const std::string& base, std::string_view rel,
                           std::vector<std::string>* created = nullptr);

// The name the next copy of aircraft.cfg takes in the holding folder: "aircraft.cfg", else the
// first free of "aircraft.cfg.2", "aircraft.cfg.3", ... An earlier copy is never replaced.
// Empty when no name is free.
std::string next_backup_name(FileSystem& fs, const std::string& holding_dir);

// The removal's move: copies `source` to `destination` (whose folder must exist), then deletes
// the original only when the copy succeeded. A missing source is no failure. A source or
// destination that is a link or a folder, a failed copy (the original stays, unheld) and a failed
// delete (the copy is held, the original stays) go into `left`.
void hold_file(FileSystem& fs, const std::string& source, const std::string& destination,
               LeftOver& left);

}  // namespace qv
