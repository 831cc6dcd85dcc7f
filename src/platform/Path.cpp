#include "platform/Path.h"

#include <algorithm>

#include "platform/Text.h"

namespace qv::path {
namespace {

template <typename Char>
std::size_t skip_components(std::basic_string_view<Char> path, std::size_t i, int count) {
    for (int c = 0; c < count; ++c) {
        while (i < path.size() && !is_separator(path[i])) ++i;
        while (i < path.size() && is_separator(path[i])) ++i;
    }
    return i;
}

template <typename Char>
std::size_t root_length_of(std::basic_string_view<Char> path) {
    std::size_t i = 0;
    const auto starts = [&](std::size_t at, std::string_view text) {
        if (path.size() < at + text.size()) return false;
        for (std::size_t k = 0; k < text.size(); ++k)
            if (path[at + k] != Char(text[k])) return false;
        return true;
    };
    if (starts(0, "\\\\?\\")) {
        i = 4;
        if (starts(i, "UNC\\")) return skip_components(path, i + 4, 2);
    } else if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
        return skip_components(path, 2, 2);
    }
    if (path.size() >= i + 2 && path[i + 1] == Char(':')) i += 2;
    while (i < path.size() && is_separator(path[i])) ++i;
    return i;
}

template <typename Char>
std::basic_string<Char> join_of(std::basic_string_view<Char> folder,
                                std::basic_string_view<Char> name) {
    std::basic_string<Char> out(folder);
    if (out.empty() || !is_separator(out.back())) out += Char('\\');
    out += name;
    return out;
}

template <typename Char>
std::vector<std::basic_string_view<Char>> parts_of(std::basic_string_view<Char> path) {
    std::vector<std::basic_string_view<Char>> out;
    std::size_t start = root_length_of(path);
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && !is_separator(path[i])) continue;
        if (i > start) out.push_back(path.substr(start, i - start));
        start = i + 1;
    }
    return out;
}

// The components of `path` with "." and ".." resolved, after its root (kept as the first
// component, so "\x" never equals "x"). A ".." with nothing left to go up to stays as it is.
std::vector<std::string_view> normalised(std::string_view path) {
    std::vector<std::string_view> out;
    const std::size_t root = root_length_of(path);
    if (root > 0) out.push_back(path.substr(0, root));
    for (std::string_view part : parts_of(path)) {
        if (part == ".") continue;
        if (part == ".." && out.size() > (root > 0 ? 1u : 0u) && out.back() != "..") {
            out.pop_back();
            continue;
        }
        out.push_back(part);
    }
    return out;
}

// Roots compare by their names ("C:", "server", "share"), whatever separators stand between.
bool same_root(std::string_view a, std::string_view b) {
    if (is_separator(a.front()) != is_separator(b.front())) return false;
    const auto split = [](std::string_view root) {
        std::vector<std::string_view> names;
        for (std::size_t i = 0, start = 0; i <= root.size(); ++i) {
            if (i < root.size() && !is_separator(root[i])) continue;
            if (i > start) names.push_back(root.substr(start, i - start));
            start = i + 1;
        }
        return names;
    };
    const auto x = split(a);
    const auto y = split(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!iequals(x[i], y[i])) return false;
    return true;
}

bool prefix_of(std::string_view path, std::string_view folder, bool strictly) {
    const auto p = normalised(path);
    const auto f = normalised(folder);
    if (p.size() < f.size() || (strictly && p.size() == f.size())) return false;
    const bool p_rooted = root_length_of(path) > 0;
    const bool f_rooted = root_length_of(folder) > 0;
    if (p_rooted != f_rooted) return false;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const bool equal = (i == 0 && p_rooted) ? same_root(p[i], f[i]) : iequals(p[i], f[i]);
        if (!equal) return false;
    }
    return true;
}

bool only_dots_and_spaces(std::string_view part) {
    return part.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

std::size_t root_length(std::string_view path) {
    return root_length_of(path);
}
std::size_t root_length(std::wstring_view path) {
    return root_length_of(path);
}

std::string join(std::string_view folder, std::string_view name) {
    return join_of(folder, name);
}
std::wstring join(std::wstring_view folder, std::wstring_view name) {
    return join_of(folder, name);
}

std::string_view last_part(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && is_separator(path[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && !is_separator(path[start - 1])) --start;
    return path.substr(start, end - start);
}

std::string_view parent(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !is_separator(path[end - 1])) --end;
    while (end > 0 && is_separator(path[end - 1])) --end;
    return path.substr(0, end);
}

std::string_view without_trailing_separator(std::string_view path) {
    const std::size_t keep = std::max<std::size_t>(1, root_length(path));
    while (path.size() > keep && is_separator(path.back())) path.remove_suffix(1);
    return path;
}

std::string with_trailing_separator(std::string_view path) {
    std::string out(path);
    if (!out.empty() && !is_separator(out.back()) && out.back() != ':') out += '\\';
    return out;
}

std::vector<std::string_view> parts(std::string_view path) {
    return parts_of(path);
}
std::vector<std::wstring_view> parts(std::wstring_view path) {
    return parts_of(path);
}

bool is_same_or_inside(std::string_view path, std::string_view folder) {
    return prefix_of(path, folder, false);
}

bool is_inside(std::string_view path, std::string_view folder) {
    return prefix_of(path, folder, true);
}

std::optional<std::string> below(std::string_view path, std::string_view folder) {
    const std::string_view base = without_trailing_separator(folder);
    // Most paths were joined from the folder as given: told apart without normalising either.
    const bool joined =
        path.size() > base.size() + 1 && path.starts_with(base) && is_separator(path[base.size()]);
    if (!joined && !is_inside(path, folder)) return std::nullopt;
    std::string_view rest = path.substr(std::min(path.size(), base.size()));
    while (!rest.empty() && is_separator(rest.front())) rest.remove_prefix(1);
    std::string out(rest);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::optional<std::wstring> long_form(std::wstring_view absolute) {
    if (absolute.starts_with(L"\\\\?\\")) return std::wstring(absolute);
    std::wstring out;
    std::size_t rest = 0;
    const bool drive = absolute.size() >= 3 && absolute[1] == L':' && is_separator(absolute[2]) &&
                       ((absolute[0] >= L'A' && absolute[0] <= L'Z') ||
                        (absolute[0] >= L'a' && absolute[0] <= L'z'));
    if (drive) {
        out = std::wstring(L"\\\\?\\") + absolute[0] + L":";
        rest = 3;
    } else if (absolute.size() > 2 && is_separator(absolute[0]) && is_separator(absolute[1])) {
        // The server and share are the root: ".." never climbs out of them.
        const auto names = parts_of(absolute.substr(2, skip_components(absolute, 2, 2) - 2));
        if (names.size() != 2) return std::nullopt;
        out = L"\\\\?\\UNC\\" + std::wstring(names[0]) + L"\\" + std::wstring(names[1]);
        rest = skip_components(absolute, 2, 2);
    } else {
        return std::nullopt;
    }
    std::vector<std::wstring> kept;
    for (std::size_t i = rest, start = rest; i <= absolute.size(); ++i) {
        if (i < absolute.size() && !is_separator(absolute[i])) continue;
        const std::wstring_view part = absolute.substr(start, i - start);
        start = i + 1;
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.emplace_back(part);
    }
    const bool folder_form = !absolute.empty() && is_separator(absolute.back());
    for (std::size_t k = 0; k < kept.size(); ++k) {
        std::wstring& part = kept[k];
        if (k + 1 == kept.size() && !folder_form) {
            part.erase(part.find_last_not_of(L". ") + 1);
        } else if (part.size() >= 2 && part.back() == L'.' && part[part.size() - 2] != L'.') {
            part.pop_back();
        }
    }
    if (!kept.empty() && kept.back().empty()) kept.pop_back();
    for (const std::wstring& part : kept) out += L"\\" + part;
    if (kept.empty() || folder_form) out += L'\\';
    return out;
}

std::optional<std::string> clean_relative(std::string_view rel) {
    std::vector<std::string_view> kept;
    // A root ("\x", "C:x") leads out of the folder: its first part is checked like any other.
    for (std::size_t i = 0, start = 0; i <= rel.size(); ++i) {
        if (i < rel.size() && !is_separator(rel[i])) continue;
        const std::string_view part = rel.substr(start, i - start);
        start = i + 1;
        if (part.empty()) continue;
        if (part.find_first_of(":*?") != std::string_view::npos) return std::nullopt;
        if (part == ".") continue;
        if (part == "..") {
            if (kept.empty()) return std::nullopt;
            kept.pop_back();
            continue;
        }
        if (only_dots_and_spaces(part)) return std::nullopt;
        // Windows drops a name's trailing dots and spaces ("Blue." opens "Blue"); so does Wine.
        kept.push_back(part.substr(0, part.find_last_not_of(". ") + 1));
    }
    if (kept.empty()) return std::nullopt;
    std::string out;
    for (std::string_view part : kept) {
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

std::string with_native_separators(std::string_view text) {
    std::string out(text);
#ifndef _WIN32
    std::replace(out.begin(), out.end(), '\\', '/');
#endif
    return out;
}

bool is_plain_relative(std::string_view rel) {
    if (rel.empty() || root_length(rel) > 0) return false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rel.size(); ++i) {
        if (i < rel.size() && !is_separator(rel[i])) continue;
        const std::string_view part = rel.substr(start, i - start);
        start = i + 1;
        if (part.empty() || part.find_first_not_of(". ") == std::string_view::npos) return false;
        if (part.find_first_of(":*?\"<>|") != std::string_view::npos) return false;
        for (char c : part)
            if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

}  // namespace qv::path
