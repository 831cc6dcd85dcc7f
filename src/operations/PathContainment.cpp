#include "operations/PathContainment.h"

#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace qv {
namespace {

std::vector<std::string_view> SplitComponents(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || is_separator(path[i])) {
            if (i > start) parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Components of an absolute or relative path with "." and ".." resolved. A path that starts with
// a separator keeps an empty first component, so "\x" never equals "x". A ".." with nothing left
// to go up to stays as it is: such a path is never inside anything but itself.
std::vector<std::string_view> Normalise(std::string_view path) {
    std::vector<std::string_view> out;
    if (!path.empty() && is_separator(path.front())) out.push_back({});
    for (std::string_view part : SplitComponents(path)) {
        if (part == ".") continue;
        if (part == ".." && !out.empty() && out.back() != ".." && !out.back().empty()) {
            out.pop_back();
            continue;
        }
        out.push_back(part);
    }
    return out;
}

bool PrefixOf(std::string_view path, std::string_view folder, bool strictly) {
    const auto p = Normalise(path);
    const auto f = Normalise(folder);
    if (p.size() < f.size() || (strictly && p.size() == f.size())) return false;
    for (std::size_t i = 0; i < f.size(); ++i)
        if (!iequals(p[i], f[i])) return false;
    return true;
}

bool OnlyDotsAndSpaces(std::string_view part) {
    return part.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

std::optional<std::string> CleanRelativePath(std::string_view rel) {
    std::vector<std::string_view> kept;
    for (std::string_view part : SplitComponents(rel)) {
        if (part.find_first_of(":*?") != std::string_view::npos) return std::nullopt;
        if (part == ".") continue;
        if (part == "..") {
            if (kept.empty()) return std::nullopt;
            kept.pop_back();
            continue;
        }
        if (OnlyDotsAndSpaces(part)) return std::nullopt;
        kept.push_back(part);
    }
    if (kept.empty()) return std::nullopt;
    std::string out;
    for (std::string_view part : kept) {
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

bool IsSameOrInside(std::string_view path, std::string_view folder) {
    return PrefixOf(path, folder, false);
}

bool IsInside(std::string_view path, std::string_view folder) {
    return PrefixOf(path, folder, true);
}

std::string_view ParentPath(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !is_separator(path[end - 1])) --end;
    while (end > 0 && is_separator(path[end - 1])) --end;
    return path.substr(0, end);
}

}  // namespace qv
