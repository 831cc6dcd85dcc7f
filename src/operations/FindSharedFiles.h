// Which of a removed section's files another section of the same aircraft.cfg still uses.
#pragma once

#include <cstddef>

#include "simfiles/Records.h"

namespace qv {

// Each flag is true when the file (or folder) of that kind is free to move.
struct SharingFlags {
    bool cfg_unshared = true;  // no other section of the same aircraft.cfg exists
    bool sim_unshared = true;
    bool model_unshared = true;
    bool panel_unshared = true;
    bool sound_unshared = true;
    bool texture_unshared = true;
    bool checklist_unshared = true;
    bool kb_checklists_unshared = true;
    bool kb_reference_unshared = true;
};

// Another section is every other record of the same folder (compared without regard to case)
// with a non-empty title: records are told apart by their index, not their title, so a twin with
// the same title still keeps the files it shares. Values are compared without regard to case.
SharingFlags FindSharedFiles(const Catalogue& catalogue, std::size_t target);

}  // namespace qv
