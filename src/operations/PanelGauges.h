// The removal's optional step: the gauge files the removed section's panel lists and no other
// panel lists move from the simulator's gauges folder into the holding folder's Gauges folder.
#pragma once

#include <string>
#include <vector>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/LeftOver.h"
#include "operations/Sharing.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// The record of the section's own panel folder ("panel", or "panel." followed by its value,
// compared without regard to case), the last one when several match; null when there is none.
const PanelRecord* find_section_panel(const Catalogue& catalogue, const AircraftRecord& aircraft);

// For each name, whether some other panel names it: a panel of another folder (exact comparison)
// without an alias.
std::vector<bool> find_shared_gauges(const Catalogue& catalogue, const PanelRecord& panel,
                                     const std::vector<std::string>& names);

// Asks the gauge question when the panel is the section's own (no other section uses it), has
// no alias and lists gauges; on Yes moves each unshared gauge's ".gau" file into
// `holding_dir`\Gauges. A gauge name that would reach outside the gauges folder is skipped.
void hold_panel_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                       const Catalogue& catalogue, const PanelRecord* panel, const Sharing& shared,
                       const std::string& holding_dir, LeftOver& left);

}  // namespace qv
