#include "platform/FileSystem.h"

#include <cstdio>

#include "platform/Path.h"

namespace qv {

void FileDigest::add(std::string_view bytes) {
    std::uint64_t h = hash;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    hash = h;
    size += bytes.size();
}

std::string FileDigest::text() const {
    char out[48];
    std::snprintf(out, sizeof out, "%llu-%016llx", static_cast<unsigned long long>(size),
                  static_cast<unsigned long long>(hash));
    return out;
}

std::optional<FileDigest> FileDigest::parse(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 20 || text.size() != dash + 17)
        return std::nullopt;
    FileDigest d;
    d.size = 0;
    for (char c : text.substr(0, dash)) {
        if (c < '0' || c > '9') return std::nullopt;
        d.size = d.size * 10 + static_cast<std::uint64_t>(c - '0');
    }
    d.hash = 0;
    for (char c : text.substr(dash + 1)) {
        const int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (v < 0) return std::nullopt;
        d.hash = d.hash * 16 + static_cast<std::uint64_t>(v);
    }
    return d;
}

FileDigest digest_of(std::string_view bytes) {
    FileDigest d;
    d.add(bytes);
    return d;
}

bool is_temporary_name(std::string_view name) {
    const std::size_t at = name.rfind(kTemporaryMark);
    return at != std::string_view::npos && at > 0 && at + kTemporaryMark.size() < name.size();
}

void remove_temporary_files(FileSystem& fs, const std::string& folder) {
    std::vector<std::string> names;
    if (!fs.list(path::join(folder, "*.*"), ListFilter::everything, names).ok()) return;
    for (const auto& name : names) {
        if (!is_temporary_name(name)) continue;
        const std::string p = path::join(folder, name);
        Attributes a;
        if (fs.attributes(p, a).ok() && !a.directory && !a.link) delete_any(fs, p);
    }
}

bool same_file_bytes(FileSystem& fs, const std::string& a, const std::string& b) {
    FileDigest x, y;
    return fs.digest_file(a, x).ok() && fs.digest_file(b, y).ok() && x == y;
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

FsStatus delete_any(FileSystem& fs, const std::string& path) {
    Attributes a;
    if (fs.attributes(path, a).ok() && a.read_only) {
        const FsStatus st = fs.set_attributes(path, Attributes{});
        if (!st.ok()) return st;
    }
    return fs.delete_file(path);
}

}  // namespace qv
