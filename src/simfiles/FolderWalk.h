// The walk over the simulator's aircraft tree.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/UiPort.h"
#include "platform/FileSystem.h"

namespace qv {

// Called for each folder that holds at least one of the wanted files: the folder's path without
// its trailing separator, and for each wanted name the matching file's name as spelled on disk
// ("" when that file is not there). A status that is not ok ends the walk with it.
using FolderVisitor =
    std::function<FsStatus(const std::string& folder, const std::vector<std::string>& found)>;

// Walks `root` and every folder below it, depth-first and pre-order, subfolders in listing
// order; hidden and system folders (and hidden or system files) are left out. The start folder
// is searched too. Yields to the UI once per folder visited.
//
// Links to folders are followed, but a folder already on the current path (the same file
// identity) is not entered again, so a link loop can't send the walk round forever.
//
// Returns the failure of a listing that could not be read, or the first failure `visit` gave.
FsStatus walk_folders(FileSystem& fs, UiPort& ui, std::string_view root,
                      std::span<const std::string> file_names, const FolderVisitor& visit);

}  // namespace qv
