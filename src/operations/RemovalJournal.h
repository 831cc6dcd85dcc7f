// The journal of a removal record: one line per step done, appended to the record as each step
// completes, by the removal, the restore and the hold. Every step's line is written and read here
// and nowhere else. A line counts only once it is whole, with its line end: a write cut short (a
// kill, a full disk) is no step done.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

struct RemovalRecord;

namespace journal {

std::string copy_held();         // the aircraft.cfg is held unchanged
std::string cfg_changed();       // the aircraft.cfg is rewritten without the section, or gone
std::string gauges(bool moved);  // the user's answer to the gauge question
std::string moves_done(std::size_t first, std::size_t last);   // moves first..last (from 0)
std::string held(std::size_t move, const FileDigest& digest);  // what a held copy holds
std::string folders_done();
std::string finished();
std::string restore_begun();
std::string restore_moves(std::size_t first, std::size_t last);
std::string restore_cfg();

// `digits` (1 to 9 of them, nothing else) as a number; false when it is not one.
bool parse_count(std::string_view digits, std::size_t& out);

// Applies one whole journal line to `record` (whose moves are known); false for a line that is
// no step.
bool apply(std::string_view line, RemovalRecord& record);

}  // namespace journal

// Appends journal lines to one record, each group in one write. Once a write has failed (a full
// disk leaves a line cut short) nothing more is written: the caller stops and the next command
// finishes from what the record shows.
class JournalWriter {
  public:
    JournalWriter(FileSystem& fs, std::string record_path)
        : fs_(fs), record_path_(std::move(record_path)) {}

    bool write(const std::vector<std::string>& lines);
    bool write(const std::string& line) { return write(std::vector<std::string>{line}); }
    bool failed() const { return !failure_.ok(); }
    const FsStatus& failure() const { return failure_; }
    const std::string& record_path() const { return record_path_; }

  private:
    FileSystem& fs_;
    std::string record_path_;
    FsStatus failure_;
};

}  // namespace qv
