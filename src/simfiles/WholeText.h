// A configuration file's whole text: its lines joined by CR LF, leading empty lines dropped, no
// CR LF at the end. Section texts are cut from it, and a rewritten aircraft.cfg is built from it.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qv {

// From the file's bytes (lines end at CR LF, a lone CR or a lone LF).
std::string JoinWholeText(std::string_view bytes);

// Reads the file `folder`\`file_name` into its whole text. Throws OperationError naming the file
// when it can't be read.
std::string ReadWholeText(FileSystem& fs, const std::string& folder, const std::string& file_name);

}  // namespace qv
