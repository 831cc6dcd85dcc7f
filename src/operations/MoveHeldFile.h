// The removal's move: copy into the holding folder, then delete the original only when the copy
// succeeded. Never through a link, never over one.
#pragma once

#include <string>

#include "operations/LeftOver.h"
#include "platform/FileSystem.h"

namespace qv {

enum class MoveResult {
    moved,
    missing,  // no such file: a value that names no file is not a failure
    left,     // something failed; `left` says what
};

// Moves `source` to `destination`, whose folder must exist. A source that is a link or a folder,
// a destination that is a link or a folder, a failed copy (the original stays, unheld) and a
// failed delete (the copy is held, the original stays) go into `left`.
MoveResult MoveHeldFile(FileSystem& fs, const std::string& source, const std::string& destination,
                        LeftOver& left);

}  // namespace qv
