// Where a removed aircraft's files are held: one folder per aircraft below Temp_Path, and the
// folder chains made inside it, never through a link.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/SharedValues.h"
#include "platform/FileSystem.h"

namespace qv {

// The aircraft folder's path below the simulator's aircraft folder, in lower case, "\"-joined.
// For an aircraft.cfg lying directly in the aircraft folder, or in a folder outside it, the
// aircraft folder's own name in lower case: the result is never empty, so the holding folder is
// always a folder inside Temp_Path.
std::string AircraftRelPath(const SharedValues& values, std::string_view aircraft_folder);

// Makes every missing level of `rel` below `base`, one level at a time. An existing level must be
// a folder and not a link (a link would carry held files out of the holding folder). Each folder
// made is appended to `created` when given.
FsStatus MakeFolderChain(FileSystem& fs, const std::string& base, std::string_view rel,
                         std::vector<std::string>* created = nullptr);

}  // namespace qv
