#include "cli/Commands.h"

// Placeholder until the implementation lands.
namespace qv::cli {
int RunRemove(Context&, const std::vector<std::string>&, const std::optional<std::string>&) {
    return kExitError;
}
int RunEmpty(Context&, const std::vector<std::string>&) { return kExitError; }
}  // namespace qv::cli
