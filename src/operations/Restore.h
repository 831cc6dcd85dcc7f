// Putting a removal back from its record: every held file to the place it came from, the section
// back into its aircraft.cfg, its gauge files back into the gauges folder.
#pragma once

#include <string>
#include <vector>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

// A removal still held in Temp_Path, as its record tells it.
struct HeldRemoval {
    std::string id;
    std::string when;
    std::string title;
    std::string aircraft_folder;  // where it came from, as the record names it
    std::string record_path;
};

// The removals held in Temp_Path, newest first. Records of removals under way are left out.
std::vector<HeldRemoval> list_held(FileSystem& fs, const Workspace& workspace);

struct RestoreOutcome {
    enum class Result {
        not_held,   // no held removal has that id
        declined,   // the question was answered No
        completed,  // put back whole
        left_over,  // put back, but something could not be (a warning named it)
        stopped,    // nothing was put back (a warning said why)
    };
    Result result = Result::not_held;
    bool reload = false;  // the catalogue no longer matches the disk
};

// Asks, then puts the removal `id` back. A place now taken by another file, the section already
// in its aircraft.cfg, or a record made for another simulator folder stops it before anything
// moves. Nothing is ever overwritten. The record and the held files leave the holding folder.
RestoreOutcome restore_removal(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const std::string& id);

// Finishes a restore that a killed command left half done; true when the record was one.
bool finish_interrupted_restore(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                const std::string& record_path);

}  // namespace qv
