#include "operations/SweepUnusedGauges.h"

// Placeholder until the implementation lands.
namespace qv {
void SweepUnusedGauges(FileSystem&, const SharedValues&, UiPort&, const Catalogue&) {}
}  // namespace qv
