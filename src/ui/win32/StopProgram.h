// The end of the program after a failure that stops it.
#pragma once

#include <string>

namespace qv::ui {

// Shows `message` (it names the file and the failure) and ends the process.
[[noreturn]] void stop_program(const std::string& message);

}  // namespace qv::ui
