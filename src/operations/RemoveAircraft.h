// "REMOVE SELECTED AIRCRAFT": one aircraft section out, its unshared files held under Temp_Path,
// then the catalogue reloaded.
#pragma once

#include <cstddef>
#include <string>

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

enum class RemovalOutcome {
    nothing_selected,  // no list entry: nothing shown, nothing done
    declined,          // the confirmation was answered No
    completed,         // removed and reloaded
    left_over,         // removed and reloaded, but something could not be moved or deleted
    stopped,           // stopped before anything moved (a warning said why)
    reload_failed,     // removed, but the reload afterwards failed (an error was shown)
};

// `list_position` is the selected entry of the aircraft list, or -1 for none.
RemovalOutcome RemoveAircraft(FileSystem& fs, SharedValues& values, UiPort& ui,
                              Catalogue& catalogue, std::ptrdiff_t list_position);
// The same, for a front end that reports a failed reload its own way: the error text goes to
// `reload_error` instead of a warning.
RemovalOutcome RemoveAircraft(FileSystem& fs, SharedValues& values, UiPort& ui,
                              Catalogue& catalogue, std::ptrdiff_t list_position,
                              std::string& reload_error);

}  // namespace qv
