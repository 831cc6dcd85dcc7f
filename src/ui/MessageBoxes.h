// The program's message boxes: one common title, one text, the standard styles.
#pragma once

#include <windows.h>

#include <string>

namespace qv::ui {

// Shows a box modal to the whole program (every window of it is disabled meanwhile) and
// returns the button pressed (IDOK, IDYES, IDNO).
int show_message(const std::string& text, UINT style);

// Yes and No, Yes the default, no icon; true only on Yes.
bool ask_question(const std::string& text);
void show_notice(const std::string& text);   // OK, information icon
void show_warning(const std::string& text);  // OK, exclamation icon

// For a failure that stops the program: the box names the file and the failure.
void show_stop_error(const std::string& message);

}  // namespace qv::ui
