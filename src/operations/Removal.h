// "REMOVE SELECTED AIRCRAFT": one aircraft section out, its unshared files held under Temp_Path.
#pragma once

#include <cstddef>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

struct RemovalOutcome {
    enum class Result {
        nothing_selected,  // no list entry: nothing shown, nothing done
        declined,          // the confirmation was answered No
        completed,         // removed
        left_over,         // removed, but something could not be moved or deleted (a warning said)
        stopped,           // stopped before anything moved (a warning said why)
    };
    Result result = Result::nothing_selected;
    // The catalogue no longer matches the disk: the caller loads it again.
    bool reload = false;
};

// `list_position` is the selected entry of the aircraft list, or -1 for none. The catalogue is
// left as it was; the caller reloads it when the outcome says so.
RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::ptrdiff_t list_position);

}  // namespace qv
