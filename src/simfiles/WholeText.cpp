#include "simfiles/WholeText.h"

#include "simfiles/FsFailure.h"

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

std::string ReadWholeText(FileSystem& fs, const std::string& folder, const std::string& file_name) {
    const std::string path = join_path(folder, file_name);
    std::string bytes;
    const FsStatus st = fs.read_file(path, bytes);
    if (!st.ok()) ThrowFsFailure(st, "Can't read", path);
    return JoinWholeText(bytes);
}

}  // namespace qv
