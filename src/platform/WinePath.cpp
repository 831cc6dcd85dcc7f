#include "platform/WinePath.h"

#ifndef _WIN32

#include <climits>
#include <cstdlib>

#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {

std::string wine_prefix_folder() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0')
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.wine";
}

FsStatus wine_folder_to_linux(std::string_view folder, const std::string& prefix,
                              std::string& out) {
    const bool has_drive =
        folder.size() >= 2 && folder[1] == ':' &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    if (!has_drive) {
        out = std::string(folder);
        return FsStatus::success();
    }
    const char letter = lower_char(folder[0]);
    std::string rest = path::with_native_separators(folder.substr(2));
    if (rest.empty() || rest.front() != '/') rest.insert(rest.begin(), '/');

    // Z: is the Linux root in every prefix Wine makes.
    if (letter == 'z') {
        out = rest;
        return FsStatus::success();
    }
    const std::string link = prefix + "/dosdevices/" + letter + ":";
    char target[PATH_MAX];
    if (::realpath(link.c_str(), target) == nullptr) {
        const std::string drive{static_cast<char>(upper_char(letter)), ':'};
        return {FsError::not_found,
                "The settings file names a folder on drive " + drive + ", which the Wine prefix " +
                    utf8_to_cp1252(prefix) +
                    " does not lead to any Linux folder (it has no link dosdevices/" + letter +
                    ":). Set WINEPREFIX to the prefix the program runs in."};
    }
    std::string base = utf8_to_cp1252(target);
    if (base == "/") base.clear();
    // The drive's root is the link's target itself.
    out = rest == "/" && !base.empty() ? base : base + rest;
    return FsStatus::success();
}

}  // namespace qv

#endif
