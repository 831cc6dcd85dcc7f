// Moves gauge files that no panel names from the simulator's gauges folder into Unused Gauges.
#pragma once

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// Asks, and on Yes moves every unused .gau, .zip and .cab file. A held name already taken gets
// the next free one; nothing held is replaced. A file that can't be moved stays where it is, and
// a warning names it.
void sweep_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                         const Catalogue& catalogue);

}  // namespace qv
