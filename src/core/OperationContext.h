// What every operation works with, the same for the windows and for quorvane-cli: the file
// system, the workspace, the UI port that talks to the user, and the clock records are stamped by.
#pragma once

#include "core/Clock.h"
#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

struct OperationContext {
    FileSystem& fs;
    Workspace& workspace;
    UiPort& ui;
    const Clock& clock = system_clock();
};

}  // namespace qv
