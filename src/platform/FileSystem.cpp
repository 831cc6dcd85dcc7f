#include "platform/FileSystem.h"

namespace qv {

void split_lines(std::string_view bytes, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(bytes.substr(start));
}

FsStatus read_lines(FileSystem& fs, const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    FsStatus st = fs.read_file(path, bytes);
    if (!st.ok()) return st;
    split_lines(bytes, lines);
    return st;
}

FsStatus delete_any(FileSystem& fs, const std::string& path) {
    Attributes a;
    if (fs.attributes(path, a).ok() && a.read_only) {
        const FsStatus st = fs.set_attributes(path, Attributes{});
        if (!st.ok()) return st;
    }
    return fs.delete_file(path);
}

}  // namespace qv
