// The program's message boxes: one common title, one literal prompt, the standard style codes.
#pragma once

#include <string>

namespace qv::ui {

inline constexpr unsigned kQuestionStyle = 4;  // Yes and No, Yes the default, no icon
inline constexpr unsigned kNoticeStyle = 64;   // OK, information icon
inline constexpr unsigned kWarningStyle = 48;  // OK, exclamation icon
inline constexpr int kYesResult = 6;

// Shows a box modal to the whole program (every window of it is disabled meanwhile) and
// returns the standard result code.
int ShowMessage(const std::string& prompt, unsigned style);

bool AskQuestion(const std::string& prompt);

// For a failure that stops the program: the box names the file and the failure.
void ShowStopError(const std::string& message);

}  // namespace qv::ui
