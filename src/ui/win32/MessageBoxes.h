// The program's message boxes: one common title, one text, the standard styles. Each box is
// owned by the window it comes from, which takes the focus back when it closes; a box without an
// owner is modal to every window of the program.
#pragma once

#include <windows.h>

#include <string>

namespace qv::ui {

// Returns the button pressed (IDOK, IDYES, IDNO).
int show_message(HWND owner, const std::string& text, UINT style);

// Yes and No, no icon and Yes the default; true only on Yes. A question whose Yes destroys
// (`destructive`) shows the warning icon and has No as the default, so Enter never confirms it.
bool ask_question(HWND owner, const std::string& text, bool destructive = false);
void show_notice(HWND owner, const std::string& text);   // OK, information icon
void show_warning(HWND owner, const std::string& text);  // OK, exclamation icon

// For a failure that stops the program: the box names the file and the failure.
void show_stop_error(const std::string& message);

}  // namespace qv::ui
