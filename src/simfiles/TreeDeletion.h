// Empties a folder for good: its files, hidden ones included, and every subfolder below it,
// depth first in listing order. The folder itself stays.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

struct TreeDeletion {
    // The operation that ended the deletion (everything deleted before it stays deleted, the rest
    // stays in place), or success.
    FsStatus failure;
    // Links and junctions met on the way. They are never entered, emptied or removed: removing a
    // link to an empty folder deletes the target folder under Wine 8.
    std::vector<std::string> links;

    bool complete() const { return failure.ok() && links.empty(); }
};

// System files are never listed and so never deleted, and hidden or system subfolders are never
// entered; a subfolder still holding such an entry can't be removed, and that failure ends the
// whole deletion. A missing folder is already empty.
TreeDeletion delete_folder_tree(FileSystem& fs, const std::string& folder);

}  // namespace qv
