// Putting a removal back from its record: every held file to the place it came from, the section
// back into its aircraft.cfg, its gauge files back into the gauges folder. A held file is put back
// only when it still holds what the record says it held.
#pragma once

#include <string>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/HeldRemovals.h"
#include "platform/FileSystem.h"

namespace qv {

struct RestoreOutcome {
    enum class Result {
        not_held,   // no held removal has that id
        declined,   // the question was answered No
        completed,  // put back whole
        left_over,  // put back, but something could not be (a warning named each)
        stopped,    // nothing was put back (a warning said why)
    };
    Result result = Result::not_held;
    bool reload = false;  // the catalogue no longer matches the disk
};

// Asks, then puts the removal `id` back. A record that can't be trusted, a place now taken by
// another file, a file where a folder must go, a held aircraft.cfg copy that is gone or changed,
// the section already in its aircraft.cfg, or a record made for another simulator folder stops it
// before anything moves. Nothing is ever overwritten. The record and the held files leave the
// holding folder once everything is back; a restore that could not put back everything keeps its
// record, so that it can be tried again.
RestoreOutcome restore_removal(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const std::string& id);

// Finishes a restore that a killed command left half done; true when the record was one.
bool finish_interrupted_restore(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                const std::string& record_path, const RemovalRecord& record);

}  // namespace qv
