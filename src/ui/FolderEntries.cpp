#include "ui/FolderEntries.h"

#include <cwctype>

namespace qv::ui {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// Length of the root part: "C:\" (3), "C:" (2), "\\server\share\" or "\" (1).
std::size_t RootLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') {
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t position = 2;
        for (int part = 0; part < 2 && position < path.size(); ++part) {
            while (position < path.size() && !IsSeparator(path[position])) ++position;
            if (position < path.size()) ++position;
        }
        return position;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

std::wstring JoinFolder(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
    return folder + L'\\' + name;
}

}  // namespace

std::vector<std::wstring> SplitFolderPath(const std::wstring& path) {
    std::vector<std::wstring> parts;
    const std::size_t root_length = RootLength(path);
    std::wstring root = path.substr(0, root_length);
    if (root.size() == 2 && root[1] == L':') root += L'\\';
    if (!root.empty()) parts.push_back(root);

    std::wstring part;
    for (std::size_t i = root_length; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += path[i];
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

std::vector<FolderEntry> BuildFolderEntries(const std::wstring& current,
                                            const std::vector<std::wstring>& subfolders) {
    std::vector<FolderEntry> entries;
    std::wstring path;
    int level = 0;
    for (const std::wstring& part : SplitFolderPath(current)) {
        path = path.empty() ? part : JoinFolder(path, part);
        entries.push_back({part, path, level++, true});
    }
    for (const std::wstring& name : subfolders) {
        entries.push_back({name, JoinFolder(path, name), level, false});
    }
    return entries;
}

std::size_t CurrentEntryIndex(const std::vector<FolderEntry>& entries) {
    std::size_t current = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].open) current = i;
    }
    return current;
}

std::wstring TrimRoot(std::wstring text) {
    if (text.size() != 3) return text;
    std::erase(text, L'\\');
    std::erase(text, L'/');
    return text;
}

std::wstring DriveListText(wchar_t letter, const std::wstring& label) {
    std::wstring text{static_cast<wchar_t>(std::towlower(static_cast<wint_t>(letter))), L':'};
    if (!label.empty()) text += L" [" + label + L"]";
    return text;
}

}  // namespace qv::ui
