// Where a removed aircraft's files are held: one folder per aircraft below Temp_Path, the folder
// chains made inside it, never through a link, and the names the held files take.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/Workspace.h"
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

// The names held files take, so that no held file ever replaces another: a name already taken in
// its folder (without regard to case) gets the next free one, "readme.txt.2", "readme.txt.3", ...
// Each folder is listed once, when the first name is claimed in it.
class HeldNames {
  public:
    explicit HeldNames(FileSystem& fs) : fs_(fs) {}
    // The path under which the file `name` is held in `folder`, claimed for it.
    std::string claim(const std::string& folder, std::string_view name);

  private:
    FileSystem& fs_;
    std::map<std::string, std::set<std::string>> taken_;  // lower-case folder -> lower-case names
};

}  // namespace qv
