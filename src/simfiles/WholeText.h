// A configuration file's whole text: its lines joined by CR LF, leading empty lines dropped, no
// CR LF at the end. Section texts are cut from it, and a rewritten aircraft.cfg is built from it.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// From the file's bytes (lines end at CR LF, a lone CR or a lone LF).
std::string JoinWholeText(std::string_view bytes);

}  // namespace qv
