// The splash picture: a JPEG in the program's resources, decoded for drawing.
#pragma once

#include "ui/win32/Handles.h"

namespace qv::ui {

// A 32-bit bitmap of the picture, or an empty handle when it can't be decoded (the window is
// then drawn without it).
UniqueBitmap load_splash_picture();

// `picture` scaled, its proportions kept, to `width` pixels: the splash window is laid out in
// pixels at 96 DPI, so the picture that fills it at 96 DPI is drawn as large as the window at any
// DPI. At
// its own width it comes back as it is; an empty picture stays empty.
UniqueBitmap scale_to_width(UniqueBitmap picture, int width);

}  // namespace qv::ui
