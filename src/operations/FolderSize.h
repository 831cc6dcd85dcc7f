// How much a folder holds on the disk: its files and their bytes, everything below it counted.
// Links are neither followed nor counted: what they lead to lies elsewhere.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace qv {

struct FolderSize {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
    bool complete = true;  // false: a folder below could not be listed
};

// A folder that does not exist holds nothing (and is complete).
FolderSize measure_folder(FileSystem& fs, const std::string& folder);

}  // namespace qv
