// The simulator folder, checked before a command works on it. list, dump and remove need it to
// exist; a folder without an Aircraft folder is named in a warning and the command goes on. The
// settings command only warns: a script may prepare a settings file for another machine.
#pragma once

#include <string>

#include "cli/TranscriptUi.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv::cli {

// kExitDone when the command may go on, else its exit status (the error has been written).
int check_simulator(FileSystem& fs, const Workspace& workspace, TranscriptUi& ui);

// Warns when `folder`, about to be saved, is no simulator folder on this system.
void warn_unless_simulator_here(FileSystem& fs, const std::string& folder, TranscriptUi& ui);

}  // namespace qv::cli
