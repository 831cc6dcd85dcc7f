// Carries out a removal's record step by step, marking each step done in the record as it
// completes, so that an interrupted removal can be finished from where it stopped: the removal
// runs it on a new record, the next start on an unfinished one. Every step can be run again:
// a move whose original is gone and whose copy is held is done; a held copy that differs from its
// original is an interrupted copy and is made again.
#pragma once

#include <string>

#include "core/Workspace.h"
#include "operations/LeftOver.h"
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
    // Marks the record undone: the removal could not be carried out and nothing stayed moved.
    void give_up();

  private:
    void journal(const std::string& line);
    bool same_bytes(const std::string& a, const std::string& b);

    FileSystem& fs_;
    const Workspace& workspace_;
    RemovalRecord& record_;
    LeftOver& left_;
    std::string record_path_;
};

// The rewritten aircraft.cfg for a record: its held copy without the section, renumbered.
std::string rewritten_cfg(std::string_view held_bytes, std::size_t section_index);

// Writes a new record and the marker of a removal under way, both on the disk before anything
// else changes.
FsStatus start_record(FileSystem& fs, const Workspace& workspace, const RemovalRecord& record);

}  // namespace qv
