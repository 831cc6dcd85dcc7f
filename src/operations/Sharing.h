// Which of a section's files another section of the same aircraft.cfg still names.
#pragma once

#include <cstddef>

#include "simfiles/Catalogue.h"

namespace qv {

// Each flag is true when another section names the same file (or folder), which then stays.
struct Sharing {
    bool other_sections = false;  // the aircraft.cfg holds another section with a title
    bool sim = false;
    bool model = false;
    bool panel = false;
    bool sound = false;
    bool texture = false;
    bool checklist = false;
    bool kb_checklists = false;
    bool kb_reference = false;
};

// Another section is every other record of the same folder (compared without regard to case)
// with a non-empty title: records are told apart by their index, not their title, so a twin with
// the same title still keeps the files it shares. Values are compared without regard to case.
Sharing find_sharing(const Catalogue& catalogue, std::size_t target);

}  // namespace qv
