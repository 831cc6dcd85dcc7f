// The two "Empty Folder" menu commands: everything inside a holding folder deleted for good.
#pragma once

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

enum class EmptyOutcome {
    declined,   // the question was answered No: nothing deleted
    emptied,    // the folder is empty (or missing)
    left_over,  // something could not be deleted; a warning named it
    stopped,    // another command was at work: nothing deleted
};

EmptyOutcome empty_temp_path(FileSystem& fs, const Workspace& workspace, UiPort& ui);
EmptyOutcome empty_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui);

}  // namespace qv
