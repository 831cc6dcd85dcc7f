// Turning a failed file-system call into the error that stops an operation.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace qv {

// Throws OperationError with the status's own text (it names the path and the reason), or with
// `action` & " " & `path` when the backend gave none.
[[noreturn]] void ThrowFsFailure(const FsStatus& status, const std::string& action,
                                 const std::string& path);

}  // namespace qv
