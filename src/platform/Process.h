// The few things a command-line front end needs from the process: its working folder and how its
// arguments are encoded.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Changes the working folder to `native_path`, an argument exactly as the process received it.
bool set_current_directory(const std::string& native_path);

// Makes standard output and error pass bytes through unchanged, so "\n" stays LF on Windows too.
void use_binary_standard_streams();

// A command-line argument in the core's single-byte code page. Arguments arrive as UTF-8 on
// Linux and in the ANSI code page on Windows. `lossless` tells whether every character fitted.
std::string argument_to_single_byte(std::string_view arg, bool* lossless = nullptr);

}  // namespace qv
