// The walk over the simulator's aircraft tree.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/UiPort.h"
#include "platform/FileSystem.h"

namespace qv {

// One folder the walk entered.
struct FoundFolder {
    std::string path;  // as reached, without a trailing separator
    // For each wanted name the matching file's name as spelled on disk, "" when it is not there
    // (a wanted "*.ext" pattern matches nothing here: its files are in `suffixed`).
    const std::vector<std::string>& files;
    // The first link or junction crossed on the way from the root, "" when none was.
    const std::string& through_link;
    // Its visible subfolders, and its files matching the wanted "*.ext" patterns.
    const std::vector<ScannedFolder>& subfolders;
    const std::vector<std::string>& suffixed;
    // When the walk was asked to count this folder's files (see walk_folders): how many, their
    // bytes, and whether something escaped the count.
    bool sized;
    std::uint64_t file_count;
    std::uint64_t bytes;
    bool size_partial;
};
using FolderVisitor = std::function<void(const FoundFolder& found)>;
// Whether the walk should count the files of the folder it is about to list.
using SizeWanted = std::function<bool(std::string_view folder)>;

// What the walk could not look into.
struct WalkGaps {
    std::vector<std::string> unlisted;     // folders whose listing failed, with the reason
    std::vector<std::string> unreachable;  // entries whose names have no single-byte form
};

// Walks `root` and every folder below it, depth-first and pre-order, subfolders in listing
// order; hidden and system folders (and hidden or system files) are left out. The start folder
// is searched too. Yields to the UI once per folder visited. A folder that can't be listed is
// passed over and named in `gaps`; the walk goes on.
//
// Links to folders are followed, so every panel is seen, but only once the folders reached
// without a link have all been walked, and each real folder is entered at most once in the whole
// walk: a folder reachable both through a link and without one is visited at its link-free
// place, and links can't make the walk go round or multiply it. Identities are taken only where
// a link is met (its target resolved and compared with the folders walked), so plain folders cost
// no extra call.
//
// Folders of `skip` (and everything below them) are not walked: the program's own holding
// folders, when its working folder lies inside the tree.
//
// `sized` (when given) is asked of each folder reached without a link before it is listed; the
// listing then counts its files too (see FolderScan::sized).
void walk_folders(FileSystem& fs, UiPort& ui, std::string_view root,
                  std::span<const std::string> file_names, const FolderVisitor& visit,
                  WalkGaps& gaps, std::span<const std::string> skip = {},
                  const SizeWanted& sized = {});

}  // namespace qv
