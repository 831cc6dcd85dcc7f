// The panel.cfg reader: one catalogue record per panel.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "simfiles/Records.h"

namespace qv {

// Reads `folder` & "\" & `file_name` and appends its PanelRecord to the catalogue. Throws
// OperationError naming the file when it can't be read (nothing is added then).
void ReadPanelCfg(FileSystem& fs, Catalogue& catalogue, const std::string& folder,
                  const std::string& file_name);

// The record of a panel.cfg whose whole text is at hand.
PanelRecord MakePanelRecord(const std::string& folder, std::string_view whole_text);

}  // namespace qv
