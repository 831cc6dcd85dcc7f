// The record a removal leaves in its holding folder: a plain text a person can read and the
// program can parse. It is written, and put on the disk, before the removal's first change; each
// step adds a line when it is done. From it an interrupted removal is finished at the next start,
// `quorvane-cli held` lists what is held, and a removal is put back.
//
// Paths in the record are relative to the simulator's main folder (what the removal took) and to
// the working folder (where it is held), so the Linux tool and the program under Wine read each
// other's records.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Clock.h"
#include "core/Workspace.h"
#include "operations/RemovalPlan.h"
#include "platform/FileSystem.h"

namespace qv {

struct RecordedMove {
    std::string source;  // relative to the simulator's main folder
    std::string held;    // relative to the working folder
    MoveKind kind = MoveKind::section;
};

struct RemovalRecord {
    std::string id;     // "20261207-104512-123": when, to the millisecond (see is_record_id)
    std::string when;   // "2026-12-07 10:45:12", local time
    std::string batch;  // the id of the batch's first record, "" for a removal on its own
    std::string title;
    std::string simulator;  // the simulator's main folder, as the settings file names it
    std::string aircraft;   // the aircraft folder
    std::string holding;    // the holding folder
    // A folder held whole ("change: hold"): a folder that no section used, with no aircraft.cfg
    // of its own to change. Its cfg steps count as done from the start.
    bool holds_folder = false;
    std::string cfg;              // the aircraft.cfg ("" when a folder is held)
    std::string cfg_copy;         // its held copy
    std::string fingerprint;      // of the aircraft.cfg's bytes before the removal
    bool rewrite = false;         // the aircraft.cfg was rewritten, not taken away
    std::string new_fingerprint;  // of the rewritten aircraft.cfg
    std::size_t section_index = 0;
    std::size_t section_count = 0;
    std::string section_text;
    std::string panel_cfg;  // the section's held panel.cfg, "" when the panel stayed
    std::vector<RecordedMove> moves;
    std::vector<std::string> folders;  // the folders the removal empties, deepest first
    bool folder_goes = false;

    // The journal: what has been done.
    bool copy_done = false;
    bool cfg_done = false;
    // The user's answer to the gauge question, asked once the aircraft.cfg is held: the gauge
    // moves are carried out only when it was Yes.
    bool gauges_decided = false;
    bool gauges_moved = false;
    std::vector<bool> moved;  // one per move
    // What each held copy holds, written when it was held (none for a move not held yet, or for
    // records written before digests were kept).
    std::vector<std::optional<FileDigest>> held_digests;
    bool folders_done = false;
    bool finished = false;
    // A restore's own journal: begun, then each step put back.
    bool restore_begun = false;
    std::vector<bool> put_back;  // one per move
    bool cfg_put_back = false;
};

// The file names of records, and of the markers of removals under way.
inline constexpr std::string_view kRecordPrefix = "removal-";
inline constexpr std::string_view kRecordSuffix = ".txt";
inline constexpr std::string_view kPendingPrefix = "pending-";

// The identifiers and times of new records, from a clock: each id later than the one before, as
// a batch removes several aircraft a second and the newest is listed first.
class RecordStamps {
  public:
    explicit RecordStamps(const Clock& clock) : clock_(clock) {}
    struct Stamp {
        std::string id;    // "YYYYMMDD-HHMMSS-mmm", local time
        std::string when;  // "YYYY-MM-DD HH:MM:SS", local time
    };
    Stamp next();

  private:
    const Clock& clock_;
    std::int64_t last_ = 0;
};
// Whether `id` has the one form identifiers have: "YYYYMMDD-HHMMSS-mmm", digits only.
bool is_record_id(std::string_view id);

// A short fingerprint of a file's bytes, to tell whether it is still the file that was read.
std::string fingerprint(std::string_view bytes);

// The record of `plan`, paths made relative. Its gauge moves wait for the user's answer. A plan
// without an aircraft.cfg holds a folder whole (see RemovalRecord::holds_folder).
RemovalRecord make_record(const Workspace& workspace, const RemovalPlan& plan, std::string id,
                          std::string when);

std::string format_record(const RemovalRecord& record);
// Reads a record and its journal (see RemovalJournal.h); false (with `error`) when the text is
// not a record.
bool parse_record(std::string_view text, RemovalRecord& record, std::string& error);

// A record is a text anyone can edit: it is acted on only when every path in it is relative, plain
// (no ".", "..", drive or root) and lies where its kind of path belongs (what was taken inside the
// aircraft folder below the simulator's Aircraft folder, or directly in its gauges folder; what
// is held inside the holding folder below Temp_Path). The reason it is not, "" when it is.
std::string out_of_bounds(const Workspace& workspace, const RemovalRecord& record);
// The same on the disk as it stands: no link or junction on the way to any of its places, in the
// simulator or in the holding folder. The reason, "" when there is none.
std::string link_on_the_way(FileSystem& fs, const Workspace& workspace,
                            const RemovalRecord& record);

// Whether two simulator folders are one, as the settings file under Wine ("Z:\home\me\FS2002")
// and the Linux tool ("/home/me/FS2002") each write it.
bool same_simulator(std::string_view a, std::string_view b);

// Absolute paths of a record's relative ones.
std::string in_simulator(const Workspace& workspace, const std::string& rel);
std::string in_working_folder(const Workspace& workspace, const std::string& rel);

std::string record_path(const Workspace& workspace, const RemovalRecord& record);
std::string pending_marker_path(const Workspace& workspace, const std::string& id);

}  // namespace qv
