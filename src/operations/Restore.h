// Putting a removal back from its record: every held file to the place it came from, the section
// back into its aircraft.cfg, its gauge files back into the gauges folder. A held file is put back
// only when it still holds what the record says it held.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/Ending.h"
#include "operations/HeldRemovals.h"
#include "platform/FileSystem.h"

namespace qv {

struct RestoreOutcome {
    using Result = Ending;  // nothing_to_do: no held removal has that id
    Result result = Result::nothing_to_do;
    bool reload = false;               // the catalogue no longer matches the disk
    std::vector<std::string> touched;  // the aircraft folders put back (see update_catalogue)
};

// Asks, then puts the removal `id` back. A record that can't be trusted, a place now taken by
// another file, a file where a folder must go, a held aircraft.cfg copy that is gone or changed,
// the section already in its aircraft.cfg, or a record made for another simulator folder stops it
// before anything moves. Nothing is ever overwritten. The record and the held files leave the
// holding folder once everything is back; a restore that could not put back everything keeps its
// record, so that it can be tried again.
RestoreOutcome restore_removal(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const std::string& id);

// The same for several removals in one go: one question naming how many, one progress window,
// one closing message. A removal that can't be put back is passed over, the others are put back;
// the closing warning names each one passed over or put back in part. An id that no held removal
// has changes nothing (nothing_to_do).
RestoreOutcome restore_removals(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                std::span<const std::string> ids);

// Finishes a restore that a killed command left half done; true when the record was one.
bool finish_interrupted_restore(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                const std::string& record_path, const RemovalRecord& record);

}  // namespace qv
