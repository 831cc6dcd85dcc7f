#include "operations/CatalogueLoad.h"

#include "core/Settings.h"

// Placeholder until the implementation lands.
namespace qv {
void LoadCatalogue(FileSystem&, SharedValues&, UiPort&, Catalogue&) {
    throw OperationError("The catalogue load is not built yet.");
}
}  // namespace qv
