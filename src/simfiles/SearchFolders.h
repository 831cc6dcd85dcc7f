// The walk over the simulator's aircraft tree.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/UiPort.h"
#include "platform/FileSystem.h"

namespace qv {

// Called for each folder that holds at least one of the wanted files: the folder's path without
// its trailing separator, and for each wanted name the matching file's name as spelled on disk
// ("" when that file is not there).
using FolderVisitor =
    std::function<void(const std::string& folder, const std::vector<std::string>& found)>;

// Walks `folder` and every folder below it, depth-first and pre-order, subfolders in listing
// order; hidden and system folders (and hidden or system files) are left out. The start folder
// is searched too. Yields to the UI once per folder visited.
//
// Links to folders are followed, but a folder already on the current path (the same file
// identity) is not entered again, so a link loop can't send the walk round forever.
//
// `folder` is in/out: a trailing separator it had is gone afterwards (C:\FS\ becomes C:\FS),
// otherwise it is unchanged. Throws OperationError naming the folder when a listing fails, and
// passes on whatever `visit` throws.
void SearchFolders(FileSystem& fs, UiPort& ui, std::string& folder,
                   std::span<const std::string> file_names, const FolderVisitor& visit);

}  // namespace qv
