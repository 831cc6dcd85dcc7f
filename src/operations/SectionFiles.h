// The files an aircraft section names, held during its removal: the aircraft.cfg (rewritten
// without the section when other sections remain), then the section's unshared files.
#pragma once

#include <string>

#include "operations/LeftOver.h"
#include "operations/Sharing.h"
#include "platform/FileSystem.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/Catalogue.h"

namespace qv {

struct RemovalPlace {
    const AircraftRecord& aircraft;
    std::string cfg_path;     // the aircraft.cfg as spelled on disk
    std::string holding_dir;  // exists, and is no link
};

struct CfgHold {
    enum class Result {
        held,            // copied into the holding folder (and rewritten, or deleted)
        copy_failed,     // no copy in the holding folder: the file was not touched
        rewrite_failed,  // copied, but the file could not be replaced: it stays exactly as it was
    };
    Result result = Result::held;
    std::string failure;  // why, unless held
};

// Copies the unchanged aircraft.cfg into the holding folder. When `other_sections`, the file is
// then replaced in one step by `cfg_text` without `section`'s lines, headers renumbered;
// otherwise the original is deleted. Unless the result is `held`, no other file of the removal
// may move.
CfgHold hold_aircraft_cfg(FileSystem& fs, const RemovalPlace& place, const std::string& cfg_text,
                          SectionSpan section, bool other_sections, LeftOver& left);

// Moves the sim file, the files of the model, panel, sound and texture folders and the three
// checklist files, each when no other section shares it. A value leading outside the aircraft
// folder (or its destination outside the holding folder) is skipped like a missing file; a
// folder entry that is a link is left as it is.
void hold_section_files(FileSystem& fs, const RemovalPlace& place, const Sharing& shared,
                        LeftOver& left);

}  // namespace qv
