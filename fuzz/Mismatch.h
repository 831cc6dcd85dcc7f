// What a fuzz target does when the program's code and the plain rule part ways: it says where and
// how, then aborts, so libFuzzer reports a crash and keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace qv::fuzz {

// `text` with its control and non-ASCII bytes as \xNN, so a mismatch reads on one line.
inline std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "mismatch: %s\n", what);
    std::abort();
}

inline void require_equal(std::string_view program, std::string_view plain, const char* what) {
    if (program == plain) return;
    std::fprintf(stderr, "mismatch: %s\n  program: \"%s\"\n  plain:   \"%s\"\n", what,
                 printable(program).c_str(), printable(plain).c_str());
    std::abort();
}

inline std::string_view bytes_of(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace qv::fuzz
