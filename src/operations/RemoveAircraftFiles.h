// The removal's step "Deleting Aircraft's Files": the aircraft.cfg held and, when other sections
// remain, rewritten without the section; then the section's unshared files moved into the
// holding folder.
#pragma once

#include <string>

#include "operations/FindSharedFiles.h"
#include "operations/LeftOver.h"
#include "platform/FileSystem.h"
#include "simfiles/AircraftSections.h"
#include "simfiles/Records.h"

namespace qv {

struct RemovalPlace {
    const AircraftRecord& aircraft;
    std::string cfg_path;     // the aircraft.cfg as spelled on disk
    std::string holding_dir;  // exists, and is no link
};

// The name the next copy of aircraft.cfg takes in the holding folder: "aircraft.cfg", else the
// first free of "aircraft.cfg.2", "aircraft.cfg.3", ... An earlier copy is never replaced.
// Empty when no name is free.
std::string NextBackupName(FileSystem& fs, const std::string& holding_dir);

enum class CfgHold {
    held,            // copied into the holding folder (and rewritten, or deleted)
    copy_failed,     // no copy in the holding folder: the file was not touched
    rewrite_failed,  // copied, but the file could not be replaced: it stays exactly as it was
};

// Copies the unchanged aircraft.cfg into the holding folder. When other sections remain, the
// file is then replaced in one step by `cfg_text` without `section`'s lines, headers renumbered;
// otherwise the original is deleted. Unless the result is `held`, `failure` says why, and no
// other file of the removal may move.
CfgHold HoldAircraftCfg(FileSystem& fs, const RemovalPlace& place, const std::string& cfg_text,
                        SectionSpan section, bool other_sections, LeftOver& left,
                        std::string& failure);

// Moves the sim file, the files of the model, panel, sound and texture folders and the three
// checklist files, each when no other section shares it. A value leading outside the aircraft
// folder (or its destination outside the holding folder) is skipped like a missing file; a
// folder entry that is a link is left as it is.
void RemoveAircraftFiles(FileSystem& fs, const RemovalPlace& place, const SharingFlags& flags,
                         LeftOver& left);

}  // namespace qv
