#include "ui/FolderEntries.h"

#include <cwctype>

#include "platform/Path.h"

namespace qv::ui {

std::vector<std::wstring> split_folder_path(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::wstring root = path.substr(0, path::root_length(path));
    // Repeated separators after a root count once; a drive alone stands for its root folder.
    while (root.size() > 2 && path::is_separator(root.back()) &&
           path::is_separator(root[root.size() - 2]))
        root.pop_back();
    if (root.size() == 2 && root[1] == L':') root += L'\\';
    if (!root.empty()) parts.push_back(root);
    for (std::wstring_view part : path::parts(std::wstring_view(path))) parts.emplace_back(part);
    return parts;
}

std::vector<FolderEntry> build_folder_entries(const std::wstring& current,
                                              const std::vector<std::wstring>& subfolders) {
    std::vector<FolderEntry> entries;
    std::wstring path;
    int level = 0;
    for (const std::wstring& part : split_folder_path(current)) {
        path = path.empty() ? part : path::join(path, part);
        entries.push_back({part, path, level++, true});
    }
    for (const std::wstring& name : subfolders) {
        entries.push_back({name, path::join(path, name), level, false});
    }
    return entries;
}

std::size_t current_entry_index(const std::vector<FolderEntry>& entries) {
    std::size_t current = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].open) current = i;
    }
    return current;
}

std::wstring trim_root(std::wstring text) {
    if (text.size() != 3) return text;
    std::erase(text, L'\\');
    std::erase(text, L'/');
    return text;
}

std::wstring drive_list_text(wchar_t letter, const std::wstring& label) {
    std::wstring text{static_cast<wchar_t>(std::towlower(static_cast<wint_t>(letter))), L':'};
    if (!label.empty()) text += L" [" + label + L"]";
    return text;
}

}  // namespace qv::ui
