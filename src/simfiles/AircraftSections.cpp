#include "simfiles/AircraftSections.h"

#include <cstring>

#include "simfiles/SectionHeaders.h"

namespace qv {

std::vector<SectionSpan> FindAircraftSections(std::string_view whole_text) {
    std::vector<SectionSpan> sections;
    // Start of the aircraft section still waiting for its end, if any.
    bool open = false;
    std::size_t open_start = 0;
    const char* const base = whole_text.data();
    const std::size_t n = whole_text.size();
    std::size_t line_start = 0;
    while (line_start <= n) {
        // Lines of a whole text are separated by CR LF; a CR without LF belongs to its line.
        std::size_t line_end = n;
        std::size_t from = line_start;
        while (from < n) {
            const void* cr = std::memchr(base + from, '\r', n - from);
            if (cr == nullptr) break;
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            if (at + 1 < n && base[at + 1] == '\n') {
                line_end = at;
                break;
            }
            from = at + 1;
        }
        const std::string_view line = whole_text.substr(line_start, line_end - line_start);
        if (IsSectionHeaderLine(line)) {
            // Every header line ends the aircraft section before it, whatever section it opens.
            if (open) sections.push_back({open_start, line_start - open_start});
            open = FindIgnoringCase(line, kAircraftHeaderMark) != line.npos;
            open_start = line_start;
        }
        if (line_end == n) break;
        line_start = line_end + 2;
    }
    if (open) sections.push_back({open_start, n - open_start});
    return sections;
}

}  // namespace qv
