// The key matcher of the configuration files: which key stands before an "=". Both readers find
// their keys this way, at each "=" of a file's text; each keeps its own rule of where a key may
// stand.
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

// Where the key before the "=" at `eq` of `text` ends: files aligned by hand or by tools put
// spaces or tabs between a key and its "=" ("title<TAB>= Name"), and the simulator reads past them.
std::size_t key_end(std::string_view text, std::size_t eq);

// Spaces and tabs, which stand around keys and values.
bool is_blank(char c);
// `text` without the spaces and tabs at both ends.
std::string_view trim_blanks(std::string_view text);

// Where the key `lower_key` (lower case) starts when it ends just before the "=" at `eq` of
// `text`, compared without regard to case; npos when it doesn't stand there.
std::size_t key_start(std::string_view text, std::size_t eq, std::string_view lower_key);

}  // namespace qv
