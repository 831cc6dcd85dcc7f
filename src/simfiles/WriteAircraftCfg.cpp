#include "simfiles/WriteAircraftCfg.h"

#include <string_view>

#include "platform/Text.h"

namespace qv {
namespace {

// The rule the reader uses: "[...]" once leading and trailing spaces are gone, its first "]" last.
bool IsSectionHeaderLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || line[first] != '[') return false;
    return line.find(']', first) == line.find_last_not_of(' ');
}

std::size_t FindAircraftMark(std::string_view line) {
    static constexpr std::string_view kMark = "[fltsim.";
    for (std::size_t i = 0; i + kMark.size() <= line.size(); ++i) {
        std::size_t j = 0;
        while (j < kMark.size() && lower_char(line[i + j]) == kMark[j]) ++j;
        if (j == kMark.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace

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
        const std::size_t mark = IsSectionHeaderLine(line) ? FindAircraftMark(line) : line.npos;
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
