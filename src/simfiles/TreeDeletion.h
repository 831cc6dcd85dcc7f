// Empties a folder for good: every file in it, whatever its attributes, and every subfolder below
// it, depth first in listing order. The folder itself stays. Only the emptying of a holding folder
// destroys files this way, after its question.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

struct TreeDeletion {
    // Each operation that failed (what it concerned stays in place); the deletion went on.
    std::vector<FsStatus> failures;
    // Links and junctions met on the way. They are never entered, emptied or removed: removing a
    // link to an empty folder deletes the target folder under Wine 8.
    std::vector<std::string> links;

    bool complete() const { return failures.empty() && links.empty(); }
};

// Read-only, hidden and system files are set to normal and deleted, hidden and system folders
// entered. A missing folder is already empty.
TreeDeletion delete_folder_tree(FileSystem& fs, const std::string& folder);

}  // namespace qv
