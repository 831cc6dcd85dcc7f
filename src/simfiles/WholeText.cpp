#include "simfiles/WholeText.h"

namespace qv {

std::string JoinWholeText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    std::size_t i = 0;
    auto add_line = [&](std::string_view line) {
        // While the text is empty a line replaces it, so leading empty lines are dropped.
        if (text.empty()) {
            text.assign(line);
        } else {
            text += "\r\n";
            text += line;
        }
    };
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            add_line(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) add_line(bytes.substr(start));
    return text;
}

}  // namespace qv
