// The key matcher of the configuration files: which key stands before an "=". Both readers find
// their keys this way, at each "=" of a file's text; each keeps its own rule of where a key may
// stand.
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

// Where the key before the "=" at `eq` of `text` ends: the key stands right before its "=".
std::size_t key_end(std::string_view text, std::size_t eq);

// Where the key `lower_key` (lower case) starts when it ends just before the "=" at `eq` of
// `text`, compared without regard to case; npos when it doesn't stand there.
std::size_t key_start(std::string_view text, std::size_t eq, std::string_view lower_key);

}  // namespace qv
