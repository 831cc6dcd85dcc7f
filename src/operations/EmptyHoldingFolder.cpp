#include "operations/EmptyHoldingFolder.h"

// Placeholder until the implementation lands.
namespace qv {
EmptyOutcome EmptyTempPath(FileSystem&, const SharedValues&, UiPort&) { return EmptyOutcome::declined; }
EmptyOutcome EmptyUnusedGauges(FileSystem&, const SharedValues&, UiPort&) {
    return EmptyOutcome::declined;
}
}  // namespace qv
