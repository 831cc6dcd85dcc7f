// A configuration file's whole text: its lines joined by CR LF, leading empty lines dropped, no
// CR LF at the end. Section texts are cut from it, and a rewritten aircraft.cfg is built from it.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qv {

// The UTF-8 byte-order mark some editors put at the start of a file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
bool starts_with_bom(std::string_view bytes);

// From the file's bytes (lines end at CR LF, a lone CR or a lone LF; a byte-order mark at the
// start is left out).
std::string join_whole_text(std::string_view bytes);

// Reads the file at `path` into its whole text; the status names the file when it can't be read.
FsStatus read_whole_text(FileSystem& fs, const std::string& path, std::string& text);

}  // namespace qv
