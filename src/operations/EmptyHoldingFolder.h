// The two "Empty Folder" menu commands: everything inside a holding folder deleted for good.
#pragma once

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "platform/FileSystem.h"

namespace qv {

enum class EmptyOutcome {
    declined,   // the question was answered No: nothing deleted
    emptied,    // the folder is empty (or missing)
    left_over,  // something could not be deleted; a warning named it
};

EmptyOutcome EmptyTempPath(FileSystem& fs, const SharedValues& values, UiPort& ui);
EmptyOutcome EmptyUnusedGauges(FileSystem& fs, const SharedValues& values, UiPort& ui);

}  // namespace qv
