// Moves gauge files that no panel names from the simulator's gauges folder into Unused Gauges.
#pragma once

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// Asks, and on Yes moves every unused .gau, .zip and .cab file. Failing copies and deletes are
// skipped: the file stays where it is. Throws OperationError when the gauges folder can't be
// listed.
void sweep_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                         const Catalogue& catalogue);

}  // namespace qv
