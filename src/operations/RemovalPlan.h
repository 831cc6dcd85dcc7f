// What one removal will do, decided before anything on the disk changes. The removal carries the
// plan out, its record keeps it, `quorvane-cli remove --dry-run` and the main window's summary
// line show it, and a restore undoes it.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "operations/LeftOver.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// One file the removal moves: from its place in the simulator to its place in the holding folder.
struct PlannedMove {
    std::string source;
    std::string held;
};

// What a move is for: the section's own files, a gauge file, or what else the aircraft folder
// holds when it goes.
enum class MoveKind { section, gauge, rest };

struct RemovalPlan {
    std::string title;
    std::string aircraft_folder;    // as listed, without a trailing separator
    std::string cfg_path;           // the aircraft.cfg, spelled as on disk
    std::string cfg_bytes;          // as read: it is replaced only while it still holds these bytes
    std::size_t section_index = 0;  // among the file's aircraft sections, from 0
    std::size_t section_count = 0;
    std::string section_text;
    // Other sections stay: the file is rewritten without this one. Otherwise it goes, and with it
    // the aircraft folder, unless something in it must stay.
    bool rewrite = false;
    std::string new_cfg_bytes;  // the rewrite
    std::string holding_dir;
    std::string cfg_copy;  // where the unchanged aircraft.cfg is held
    // The section's own files.
    std::vector<PlannedMove> moves;
    // When the folder goes, everything else in it: files of any attribute, sub-folders of any name.
    std::vector<PlannedMove> rest;
    // The panel's gauge files that no other panel names; they move only when the user says so.
    std::vector<PlannedMove> gauges;
    bool gauge_question = false;  // the section's own panel, without an alias, lists gauges
    // Folders the removal empties, deepest first; each is removed only once it is empty. The
    // aircraft folder is the last when it goes.
    std::vector<std::string> folders_to_remove;
    bool folder_goes = false;
    std::string panel_cfg;  // the held place of the section's panel.cfg, "" when the panel stays
    // What another section still names, so it stays ("texture"), and how many sections those are.
    std::vector<std::string> shared;
    std::size_t other_sections = 0;
    // What will stay and why, known before anything moves.
    LeftOver stays;
};

struct PlanOutcome {
    enum class Result {
        planned,
        unreadable,  // the aircraft.cfg can't be read
        changed,     // the section is not where the catalogue saw it
        refused,     // the files can't be held as they are (see `why`): nothing may move
    };
    Result result = Result::planned;
    RemovalPlan plan;
    std::string why;  // the warning, unless planned
};

// Why the target's files can't be reached without a link: the warning naming the first link or
// junction on the way from the simulator's aircraft folder to the target's folder (the folder
// itself included), "" when there is none. Nothing is moved through a link.
std::string why_not_through(FileSystem& fs, const Workspace& workspace,
                            const AircraftRecord& target);

// Plans the removal of `target`. `earlier` counts the sections an earlier removal of the same
// batch already cut out of the same aircraft.cfg before the target's.
PlanOutcome plan_removal(FileSystem& fs, const Workspace& workspace, const Catalogue& catalogue,
                         const AircraftRecord& target, std::size_t earlier = 0);

// "moves 2 folders and 14 files; texture shared with 3 other aircraft; folder removed"
std::string summarise(const RemovalPlan& plan);

// Every step of the plan, one a line, for a person to read before removing.
std::string describe(const RemovalPlan& plan);

}  // namespace qv
