#include "platform/FileSystem.h"

#include "platform/Text.h"

namespace qv {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

std::string join_path(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || !is_separator(out.back())) out += '\\';
    out += name;
    return out;
}

std::string_view last_component(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && is_separator(path[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && !is_separator(path[start - 1])) --start;
    return path.substr(start, end - start);
}

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

FsStatus FileSystem::scan_folder(const std::string& folder, std::span<const std::string> wanted,
                                 FolderScan& out) {
    out.subfolders.clear();
    out.matches.assign(wanted.size(), std::string());
    std::vector<std::string> names;
    FsStatus st = list(join_path(folder, "*.*"), ListFilter::entries_and_directories, names);
    if (!st.ok()) return st;
    for (const auto& name : names) {
        Attributes a;
        st = attributes(join_path(folder, name), a);
        if (!st.ok()) return st;
        if (a.directory) out.subfolders.push_back(name);
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        st = list(join_path(folder, wanted[i]), ListFilter::normal_files, names);
        if (!st.ok()) return st;
        if (!names.empty()) out.matches[i] = names.front();
    }
    return st;
}

}  // namespace qv
