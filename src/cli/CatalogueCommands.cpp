#include "cli/Commands.h"

// Placeholder until the implementation lands.
namespace qv::cli {
int RunDump(Context&) { return kExitError; }
int RunList(Context&) { return kExitError; }
}  // namespace qv::cli
