// Stores an aircraft.cfg that lost one of its aircraft sections: the remaining aircraft headers
// renumbered in text order, the text put in place of the old file in one step.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace qv {

// Gives every aircraft header line its own number in text order: [fltsim.0], [fltsim.1], ...
// An aircraft header line is a section header line (first non-space character "[", its first "]"
// its last non-space character) holding "[fltsim." in any case; what stands from that "[fltsim."
// to the "]" becomes "[fltsim.N]", the rest of the line (indentation, a prefix) stays. A
// "[fltsim." in a comment or a value, a "[fltsim]" header and a line without "]" stay as they are.
void RenumberAircraftSections(std::string& text);

// Renumbers `text` (the caller sees the renumbered text) and puts it in place of the file at
// `path` in one step, byte for byte, with no line end added. When anything fails the old file
// stays exactly as it was and the failure is returned.
FsStatus WriteAircraftCfg(FileSystem& fs, const std::string& path, std::string& text);

}  // namespace qv
