// Folders that the program wrote under Wine, as the Linux side reaches them. Wine shows the Linux
// root as drive Z:, so the program saves Z:\home\pilot\FS2002 for /home/pilot/FS2002; every other
// drive letter is a link in the Wine prefix's dosdevices folder (c: -> ../drive_c). Linux only:
// on Windows a saved folder is used as it is.
#pragma once

#ifndef _WIN32

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qv {

// The Wine prefix the program runs in: $WINEPREFIX, else ~/.wine (as the environment spells it).
std::string wine_prefix_folder();

// `folder` (single-byte, as saved) with its drive letter taken to the Linux folder behind it:
// "Z:\x\y" is "/x/y", "C:\x" is the target of `prefix`/dosdevices/c: followed by "/x". The rest
// of the path keeps its names, "/"-separated. A folder without a drive letter is a Linux folder
// already and comes back as it is. Fails, naming the drive, when the prefix has no link for it.
FsStatus wine_folder_to_linux(std::string_view folder, const std::string& prefix, std::string& out);

}  // namespace qv

#endif
