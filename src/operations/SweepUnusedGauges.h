// Moves gauge files that no panel names from the simulator's gauges folder into Unused Gauges.
#pragma once

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

// Asks, and on Yes moves every unused .gau, .zip and .cab file. Failing copies and deletes are
// skipped: the file stays where it is.
void SweepUnusedGauges(FileSystem& fs, const SharedValues& values, UiPort& ui,
                       const Catalogue& catalogue);

}  // namespace qv
