// Key values of an aircraft.cfg section.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qv {

// The value of `key` in `block` (a section's text, lines joined by CR LF): the rest of the line
// after the first occurrence of `key` & "=" anywhere in the block, compared without regard to
// case, so "my_sim=" also holds "sim=". The value is untrimmed and keeps its case and any comment
// after it; "" when the key is absent.
std::string GetCfgValue(std::string_view block, std::string_view key);

// GetCfgValue for several keys at once, in one pass over the block: `values[i]` receives the
// value of `keys[i]` (a view into `block`). `keys` must be lower case.
void FindCfgValues(std::string_view block, std::span<const std::string_view> keys,
                   std::span<std::string_view> values);

}  // namespace qv
