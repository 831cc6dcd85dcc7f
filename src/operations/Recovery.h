// A removal or a restore killed halfway (the program closed by force, the machine off) is
// finished by the next command that changes the disk in the same working folder, from the record
// it was writing: the simulator's tree is then either as before or as after, every file
// accounted for. The temporary files a killed copy left are taken away on the way.
#pragma once

#include <string>
#include <vector>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

// The ids of the removals and restores under way that a killed command left.
std::vector<std::string> interrupted_removals(FileSystem& fs, const Workspace& workspace);

// Finishes every interrupted removal (or, when its plan can no longer be carried out, gives it
// up: nothing of it had moved) and every interrupted restore, and says so in a notice naming the
// aircraft. A record that can't be trusted, or one made for another simulator folder, stays
// unfinished with a warning. Run with the working folder's lock.
void finish_interrupted(FileSystem& fs, const Workspace& workspace, UiPort& ui);

}  // namespace qv
