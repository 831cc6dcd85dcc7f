// The main window's load: the aircraft list and both tables rebuilt from the disk, then the offer
// to sweep unused gauges, under the progress window.
#pragma once

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

// Throws OperationError when a listing or a configuration file can't be read; the progress
// window is closed first. Records read before the failure stay in `catalogue`.
void LoadCatalogue(FileSystem& fs, SharedValues& values, UiPort& ui, Catalogue& catalogue);

}  // namespace qv
