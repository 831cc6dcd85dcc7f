// The main window's load: the aircraft list and both tables rebuilt from the disk, then the offer
// to sweep unused gauges, under the progress window.
#pragma once

#include <span>
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
    virtual void add(const AircraftRecord& titled) = 0;
};

// A configuration file or folder that can't be read is passed over; the load ends with one
// warning naming what it passed over.
void load_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                    AircraftListSink* list = nullptr);

// Brings the catalogue up to date after the program's own change to the aircraft folders
// `touched` (each below the simulator's Aircraft folder), re-reading only what lies below them,
// under the progress window and with the sweep's offer, as a load. The tables keep the order a
// whole walk gives. False, with nothing changed, when only a whole walk can tell: a folder can't
// be read, a link is on the way, or the last load passed something over.
bool update_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                      std::span<const std::string> touched, AircraftListSink* list = nullptr);

// The update, or the whole load when the update can't be made.
void refresh_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                       std::span<const std::string> touched, AircraftListSink* list = nullptr);

}  // namespace qv
