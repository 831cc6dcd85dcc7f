// The main window's load: the aircraft list and both tables rebuilt from the disk, then the offer
// to sweep unused gauges, under the progress window.
#pragma once

#include <string>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// The aircraft list as the load builds it, for a window that shows it filling during the walk.
class AircraftListSink {
  public:
    virtual ~AircraftListSink() = default;
    virtual void clear() = 0;
    virtual void add(const std::string& title) = 0;
};

// A configuration file or folder that can't be read is passed over; the load ends with one
// warning naming what it passed over.
void load_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                    AircraftListSink* list = nullptr);

}  // namespace qv
