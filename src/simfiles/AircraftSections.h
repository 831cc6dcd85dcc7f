// Where the aircraft sections of an aircraft.cfg lie in its whole text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace qv {

// One aircraft section: its text runs from the first character of its "[fltsim" header line up
// to the character before the next header line (of any section), or to the end of the text.
struct SectionSpan {
    std::size_t start = 0;   // 0-based position in the whole text
    std::size_t length = 0;
};

// The aircraft sections of `whole_text`, in text order. Each section is cut at its own header
// line, so two sections with the same header text are still cut apart correctly.
std::vector<SectionSpan> FindAircraftSections(std::string_view whole_text);

}  // namespace qv
