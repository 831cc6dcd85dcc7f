// The removal's optional step: the gauge files the removed section's panel lists and no other
// panel lists move from the simulator's gauges folder into the holding folder's Gauges folder.
#pragma once

#include <string>
#include <vector>

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "operations/FindSharedFiles.h"
#include "operations/LeftOver.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

// The record of the section's own panel folder ("panel" or "panel." & its value, compared
// without regard to case), the last one when several match; null when there is none.
const PanelRecord* FindSectionPanel(const Catalogue& catalogue, const AircraftRecord& aircraft);

// The names of a gauge list's entries (each entry without its "!" or ","), in list order, up to
// the "-end of list-" line.
std::vector<std::string> GaugeEntryNames(const std::string& gauges);

// For each name, whether some other panel protects it: a panel of another folder (exact
// comparison) without an alias whose lower-case gauge list holds the name followed by "!" or ","
// anywhere. One pass over the panel table for all names.
std::vector<bool> FindSharedGauges(const Catalogue& catalogue, const PanelRecord& panel,
                                   const std::vector<std::string>& names);

// Asks the gauge question when the panel is the section's own (no other section uses it), has
// no alias and lists gauges; on Yes moves each unshared gauge's ".gau" file into
// `holding_dir`\Gauges. A gauge name that would reach outside the gauges folder is skipped.
void RemoveGaugeFiles(FileSystem& fs, const SharedValues& values, UiPort& ui,
                      const Catalogue& catalogue, const PanelRecord* panel,
                      const SharingFlags& flags, const std::string& holding_dir, LeftOver& left);

}  // namespace qv
