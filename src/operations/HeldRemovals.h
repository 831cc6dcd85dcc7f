// The removals held in Temp_Path, found through their records: what the restore window and
// `quorvane-cli held` list, and the held panels whose gauges no sweep or removal may take.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "operations/RemovalRecord.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// Every record file below Temp_Path, in listing order; links are not followed.
std::vector<std::string> find_record_files(FileSystem& fs, const Workspace& workspace);

// Reads the record at `path`; false with `why` when it can't be read or is no record.
bool read_record(FileSystem& fs, const std::string& path, RemovalRecord& record, std::string& why);

// A removal still held in Temp_Path, as its record tells it.
struct HeldRemoval {
    std::string id;
    std::string when;
    std::string batch;  // see RemovalRecord::batch
    std::string title;
    std::string aircraft_folder;  // where it came from, as the record names it
    std::string record_path;
    std::size_t files = 0;         // files still held: the aircraft.cfg's copy, moved files
    bool partly_put_back = false;  // a restore put back only part of it
};

struct HeldList {
    std::vector<HeldRemoval> removals;  // newest first
    // Each record that can't be read, or whose removal or restore is unfinished, with why.
    std::vector<std::string> problems;
};

HeldList list_held(FileSystem& fs, const Workspace& workspace);

// The panel.cfg files of held removals, as panel records of their held places: their gauges stay
// in the simulator's gauges folder until the removal is emptied. A held panel that can't be read
// is named in the catalogue's `skipped`, and no gauge file can be judged unused.
void read_held_panels(FileSystem& fs, const Workspace& workspace, Catalogue& catalogue);

}  // namespace qv
