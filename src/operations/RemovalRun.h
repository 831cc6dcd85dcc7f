// Carries out a removal's record step by step, marking each step done in the record as it
// completes, so that an interrupted removal can be finished from where it stopped: the removal
// runs it on a new record, the next command on an unfinished one. Every step can be run again:
// a move whose original is gone and whose copy is held is done. A held copy is never deleted or
// replaced: every copy is whole once it has its name, and a copy that differs from its original
// leaves both in place.
#pragma once

#include <string>

#include "core/Workspace.h"
#include "operations/LeftOver.h"
#include "operations/RemovalJournal.h"
#include "operations/RemovalRecord.h"
#include "platform/FileSystem.h"

namespace qv {

class RemovalRun {
  public:
    RemovalRun(FileSystem& fs, const Workspace& workspace, RemovalRecord& record, LeftOver& left);

    enum class CfgStep {
        done,     // the section is out of the aircraft.cfg, which is held unchanged
        changed,  // the file is not the one the plan read: nothing was changed
        failed,   // it could not be held or rewritten (`left` says why): nothing was changed
    };
    // Holds the aircraft.cfg as it is and then rewrites it without the section, or deletes it.
    CfgStep hold_cfg();
    // Notes the user's answer to the gauge question.
    void decide_gauges(bool move);
    // The moves of that kind that are not done yet; gauge files only when the user said so.
    void move(MoveKind kind);
    // Removes the emptied folders; what stays is named when the aircraft folder was to go.
    void empty_folders();
    // Marks the record finished and takes the marker of a removal under way away.
    void finish();
    // Nothing of the aircraft moved: the record, its marker and the held copy of the
    // aircraft.cfg this run made go again.
    void give_up();
    // A journal line could not be written whole (a full disk): the run did nothing after it, the
    // record shows what was done, and the marker stays so that the next command finishes it.
    bool stopped() const { return journal_.failed(); }
    // The warning that says so.
    std::string stop_warning() const;

  private:
    FileSystem& fs_;
    const Workspace& workspace_;
    RemovalRecord& record_;
    LeftOver& left_;
    JournalWriter journal_;
    bool made_copy_ = false;
};

// The rewritten aircraft.cfg for a record: its held copy without the section, renumbered.
std::string rewritten_cfg(std::string_view held_bytes, std::size_t section_index);

// Writes a new record and the marker of a removal under way, both on the disk before anything
// else changes.
FsStatus start_record(FileSystem& fs, const Workspace& workspace, const RemovalRecord& record);

// The ranges of consecutive indices in `done` (ascending), as journal lines of `line`.
template <typename Line>
std::vector<std::string> range_lines(const std::vector<std::size_t>& done, Line line) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < done.size();) {
        std::size_t j = i;
        while (j + 1 < done.size() && done[j + 1] == done[j] + 1) ++j;
        out.push_back(line(done[i], done[j]));
        i = j + 1;
    }
    return out;
}

}  // namespace qv
