#include "operations/RemoveAircraft.h"

// Placeholder until the implementation lands.
namespace qv {
RemovalOutcome RemoveAircraft(FileSystem&, SharedValues&, UiPort&, Catalogue&, std::ptrdiff_t) {
    return RemovalOutcome::stopped;
}
}  // namespace qv
