// Controls that show their whole text. The layout gives each control a size for the windows'
// font, but a font's width does not scale with the DPI as the layout does (Wine draws
// MS Sans Serif with another face, and every face rounds its glyphs at each size), so a text
// that fits at 96 DPI may wrap or be cut at 144. A control that is too small for its text grows;
// its place (left and top) stays.
#pragma once

#include <windows.h>

namespace qv::ui {

// The control's rectangle in its parent's client coordinates.
RECT placed_rect(HWND control);

// Grows `control` (a label, push button or radio button with its font set) to fit its text: a
// label laid out for one line grows wider, a label of several lines grows taller, a button or
// option grows wider. A control that fits keeps its size.
void fit_to_text(HWND control);

// Grows `window` so that its client area holds every one of its controls with a margin of
// `margin` pixels to the right and below, when a control has grown past it.
void fit_client_to_controls(HWND window, int margin);

}  // namespace qv::ui
