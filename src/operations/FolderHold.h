// Holding what the collection check finds wasted: an unused model, texture, panel or sound folder
// of an aircraft, or a folder below Aircraft without any aircraft, moved whole into Temp_Path
// with a record, as a removal holds files, so that it is listed with the held removals and a
// restore puts it back.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/Ending.h"
#include "operations/RemovalPlan.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// One folder to hold, checked and planned.
struct FolderHoldPlan {
    std::string folder;  // below Aircraft, "\"-joined, as the check reports it
    RemovalPlan plan;    // no aircraft.cfg: every file is a "rest" move, the folder goes
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

// The folders that may be held, each checked again from the disk as it stands, and those
// refused, each with the warning naming it.
struct FolderHoldPlans {
    std::vector<FolderHoldPlan> plans;
    std::vector<std::string> refused;
};

// `folders` are paths below the simulator's Aircraft folder, as the check prints them. A folder
// is refused when the check of `catalogue` does not report it as unused or without aircraft, when
// a section of its aircraft.cfg as it now stands on the disk names it, when it holds an
// aircraft.cfg, when a link or junction is on the way or inside it, or when it lies outside
// Aircraft. Nothing on the disk changes.
FolderHoldPlans plan_folder_holds(FileSystem& fs, const Workspace& workspace,
                                  const Catalogue& catalogue, std::span<const std::string> folders);

struct FolderHoldOutcome {
    Ending result = Ending::nothing_to_do;
    bool reload = false;
    std::vector<std::string> touched;  // folders whose content changed (see update_catalogue)
};

// Holds `folders` (see plan_folder_holds): one confirmation naming how many and their size, one
// progress window, then each folder in turn with its record, stamped by `clock` (several make a
// batch). A refused folder is named in the closing warning and stays; when any is refused the
// result is `stopped` if nothing was held.
FolderHoldOutcome hold_folders(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::span<const std::string> folders,
                               const Clock& clock = system_clock());

// "12.5": a size in megabytes, as the hold's question gives it.
std::string megabytes(std::uint64_t bytes);

}  // namespace qv
