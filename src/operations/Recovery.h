// A removal killed halfway (the program closed by force, the machine off) is finished by the next
// command that changes the disk in the same working folder, from the record it was writing: the
// simulator's tree is then either as before the removal or as after it, every file accounted for.
#pragma once

#include <vector>

#include "core/UiPort.h"
#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

// The ids of the removals under way that a killed command left.
std::vector<std::string> interrupted_removals(FileSystem& fs, const Workspace& workspace);

// Finishes every interrupted removal (or, when its plan can no longer be carried out, puts back
// what it moved) and says so in a notice naming the aircraft. Run with the working folder's lock.
void finish_interrupted(FileSystem& fs, const Workspace& workspace, UiPort& ui);

}  // namespace qv
