// "REMOVE SELECTED AIRCRAFT": aircraft sections out, everything they take held under Temp_Path
// until that folder is emptied, each removal with its record.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/Ending.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

struct RemovalOutcome {
    using Result = Ending;  // nothing_to_do: no list entry selected
    Result result = Result::nothing_to_do;
    // The catalogue no longer matches the disk: the caller brings it up to date, re-reading the
    // aircraft folders of `touched` (see update_catalogue).
    bool reload = false;
    std::vector<std::string> touched;
};

// Removes the list entries at `positions` (positions in the aircraft list): one confirmation,
// one progress window, the gauge question at most once, then each removal in turn, each reading
// its aircraft.cfg as earlier removals of the batch left it. One closing message for all. The
// catalogue is left as it was; the caller reloads it when the outcome says so.
// Each removal's record is stamped by `clock`.
RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::span<const std::size_t> positions,
                               const Clock& clock = system_clock());

// The list entry at `position`, or -1 for none selected.
RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::ptrdiff_t position,
                               const Clock& clock = system_clock());

}  // namespace qv
