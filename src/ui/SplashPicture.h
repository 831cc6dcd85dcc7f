// The splash picture: a JPEG in the program's resources, decoded for drawing.
#pragma once

#include "ui/Handles.h"

namespace qv::ui {

// A 32-bit bitmap of the picture, or an empty handle when it can't be decoded (the window is
// then drawn without it).
UniqueBitmap load_splash_picture();

}  // namespace qv::ui
