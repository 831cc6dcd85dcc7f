// The collection check: what in the collection is broken or wasted, drawn from the catalogue of
// one load (no second walk) and read-only. Paths are relative to the simulator's Aircraft folder,
// written with "\"; lists come in the catalogue's order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Workspace.h"
#include "operations/FolderSize.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// A titled section the simulator can't load (`will_not_load`: its model folder is missing or
// holds no ".mdl" file, its flight model file is missing) or loads without its paint, panel or
// sound (`incomplete`: a named folder is missing, or the panel's or sound's alias leads nowhere).
struct BrokenAircraft {
    std::size_t position = 0;  // in the aircraft list
    std::string title;
    std::string folder;
    std::vector<std::string> will_not_load;
    std::vector<std::string> incomplete;
};

// A panel whose gauge entries name gauges found neither in Gauges nor in the panel's folder.
struct MissingGauges {
    std::string panel;  // the panel's folder
    std::vector<std::string> gauges;
    std::vector<std::string> titles;  // the sections using that panel
};

struct DuplicateTitle {
    std::string title;
    std::vector<std::string> folders;
};

// A folder that takes room and serves no aircraft, and what it holds.
struct WastedFolder {
    std::string folder;
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

struct CollectionReport {
    std::vector<BrokenAircraft> broken;
    std::vector<MissingGauges> missing_gauges;
    std::vector<DuplicateTitle> duplicate_titles;
    // model.x, texture.x, panel.x and sound.x folders no section of their aircraft.cfg names and
    // no alias points at.
    std::vector<WastedFolder> unused_folders;
    // Folders directly below Aircraft with no aircraft.cfg anywhere below them.
    std::vector<WastedFolder> without_aircraft;
    FolderSize temp_path;
    std::size_t held_removals = 0;
    FolderSize unused_gauges;
    // What the load could not read: no finding is drawn from it.
    std::vector<std::string> skipped;
};

CollectionReport check_collection(FileSystem& fs, const Workspace& workspace,
                                  const Catalogue& catalogue);

// A finding's names one after another, "a, b, c", as the report and the window list them.
std::string listed(const std::vector<std::string>& items);
// What a broken aircraft lacks: "will not load: A, B; incomplete: C" (paths with "\").
std::string what_is_missing(const BrokenAircraft& broken);

}  // namespace qv
