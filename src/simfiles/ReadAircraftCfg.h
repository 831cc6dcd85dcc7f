// The aircraft.cfg reader: one catalogue record per aircraft section.
#pragma once

#include <string>
#include <string_view>

#include "core/UiPort.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

// Reads `folder` & "\" & `file_name` and appends one AircraftRecord per "[fltsim" section to
// the catalogue, in file order; each record with a title also becomes the aircraft list's next
// entry. Throws OperationError naming the file when it can't be read (nothing is added then).
void ReadAircraftCfg(FileSystem& fs, UiPort& ui, Catalogue& catalogue, const std::string& folder,
                     const std::string& file_name);

// The same for a file whose whole text is already at hand.
void AddAircraftSections(UiPort& ui, Catalogue& catalogue, const std::string& folder,
                         std::string_view whole_text);

}  // namespace qv
