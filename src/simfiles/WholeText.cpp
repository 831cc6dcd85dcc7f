#include "simfiles/WholeText.h"

#include <cstring>

namespace qv {

bool starts_with_bom(std::string_view bytes) {
    return bytes.starts_with(kUtf8Bom);
}

std::string join_whole_text(std::string_view bytes) {
    // A byte-order mark is no part of the first line.
    if (starts_with_bom(bytes)) bytes.remove_prefix(kUtf8Bom.size());
    std::string text;
    text.reserve(bytes.size());
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    auto add_line = [&](std::string_view line) {
        // While the text is empty a line replaces it, so leading empty lines are dropped.
        if (text.empty()) {
            text.assign(line);
        } else {
            text += "\r\n";
            text += line;
        }
    };
    // Line ends are found with memchr, one search for CR and one for LF, each resumed only once
    // the walk has passed its last hit: the files are large and their lines short.
    const char* const base = bytes.data();
    auto next = [&](char c, std::size_t from) {
        const void* hit = from < n ? std::memchr(base + from, c, n - from) : nullptr;
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : n;
    };
    std::size_t cr = next('\r', 0);
    std::size_t lf = next('\n', 0);
    while (true) {
        const std::size_t brk = cr < lf ? cr : lf;
        if (brk == n) break;
        add_line(bytes.substr(start, brk - start));
        start = brk + ((brk == cr && brk + 1 == lf) ? 2 : 1);
        if (cr < start) cr = next('\r', start);
        if (lf < start) lf = next('\n', start);
    }
    if (start < n) add_line(bytes.substr(start));
    return text;
}

FsStatus read_whole_text(FileSystem& fs, const std::string& path, std::string& text) {
    std::string bytes;
    const FsStatus st = fs.read_file(path, bytes);
    text = st.ok() ? join_whole_text(bytes) : std::string();
    return st;
}

}  // namespace qv
