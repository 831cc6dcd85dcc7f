// What makes a line of aircraft.cfg a section header, and an aircraft section's header.
#pragma once

#include <string_view>

namespace qv {

// "[...]" once leading and trailing spaces are gone, with its first "]" as its last character.
// Only spaces are trimmed: a tab before the "[" leaves the line an ordinary one.
bool IsSectionHeaderLine(std::string_view line);

// Position of the first occurrence of `lower_mark` (lower case) in `text`, compared without
// regard to case; npos when there is none.
std::size_t FindIgnoringCase(std::string_view text, std::string_view lower_mark);

// "[fltsim" in any case: the header of an aircraft section ([fltsim.0], [FLTSIM.12], [fltsim]).
inline constexpr std::string_view kAircraftHeaderMark = "[fltsim";

}  // namespace qv
