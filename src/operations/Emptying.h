// The two "Empty Folder" menu commands: everything inside a holding folder deleted for good.
#pragma once

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "operations/Ending.h"
#include "platform/FileSystem.h"

namespace qv {

// completed: the folder is empty (or missing); left_over: something could not be deleted, and a
// warning named it; stopped: another command was at work, nothing was deleted.
Ending empty_temp_path(FileSystem& fs, const Workspace& workspace, UiPort& ui);
Ending empty_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui);

}  // namespace qv
