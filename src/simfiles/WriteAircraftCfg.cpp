#include "simfiles/WriteAircraftCfg.h"

#include <string_view>

#include "simfiles/SectionHeaders.h"

namespace qv {
void RenumberAircraftSections(std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    std::size_t number = 0;
    std::size_t start = 0;
    while (true) {
        // Lines of a whole text are separated by CR LF.
        const std::size_t end = text.find("\r\n", start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        const std::string_view line(text.data() + start, stop - start);
        // Only numbered headers are renumbered: "[fltsim]" has no number to give.
        const std::size_t mark =
            IsSectionHeaderLine(line) ? FindIgnoringCase(line, "[fltsim.") : line.npos;
        if (mark == line.npos) {
            out += line;
        } else {
            // The header's first "]" is its last non-space character, so it follows the mark.
            const std::size_t close = line.find(']', mark);
            out += line.substr(0, mark);
            out += "[fltsim.";
            out += std::to_string(number++);
            out += line.substr(close);
        }
        if (end == std::string::npos) break;
        out += "\r\n";
        start = end + 2;
    }
    text = std::move(out);
}

FsStatus WriteAircraftCfg(FileSystem& fs, const std::string& path, std::string& text) {
    RenumberAircraftSections(text);
    return fs.replace_file(path, text);
}

}  // namespace qv
