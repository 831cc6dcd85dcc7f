#include "simfiles/FsFailure.h"

#include "core/Settings.h"

namespace qv {

void ThrowFsFailure(const FsStatus& status, const std::string& action, const std::string& path) {
    if (!status.message.empty()) throw OperationError(status.message);
    throw OperationError(action + " " + path);
}

}  // namespace qv
