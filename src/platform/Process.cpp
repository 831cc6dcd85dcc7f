#include "platform/Process.h"

#include "platform/Text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

namespace qv {

#ifdef _WIN32

bool set_current_directory(const std::string& native_path) {
    return SetCurrentDirectoryA(native_path.c_str()) != 0;
}

void use_binary_standard_streams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string argument_to_single_byte(std::string_view arg, bool* lossless) {
    // The C runtime already hands the arguments over in the ANSI code page.
    if (lossless) *lossless = true;
    return std::string(arg);
}

#else

bool set_current_directory(const std::string& native_path) {
    return chdir(native_path.c_str()) == 0;
}

void use_binary_standard_streams() {}

std::string argument_to_single_byte(std::string_view arg, bool* lossless) {
    return utf8_to_cp1252(arg, lossless);
}

#endif

}  // namespace qv
