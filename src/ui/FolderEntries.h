// What the settings window's drive list and folder list show, worked out apart from the controls
// so it can be tested: the folder list holds the current folder's path from the root down (open
// folders) and then its subfolders (closed folders), one indentation level deeper each.
#pragma once

#include <string>
#include <vector>

namespace qv::ui {

struct FolderEntry {
    std::wstring name;  // as shown: "C:\" for the root, else the folder's own name
    std::wstring path;  // the full path that opening the entry moves to
    int level = 0;      // indentation
    bool open = false;  // part of the current path (drawn as an open folder)
};

// "C:\Games\FS2002" -> {"C:\", "Games", "FS2002"}; "C:\" -> {"C:\"}; a UNC path keeps
// "\\server\share\" as its root. Separators may be "\" or "/"; repeated ones count once.
std::vector<std::wstring> split_folder_path(const std::wstring& path);

// The entries for `current` (a full path) and its subfolder names. The current folder is the
// entry at index current_entry_index().
std::vector<FolderEntry> build_folder_entries(const std::wstring& current,
                                              const std::vector<std::wstring>& subfolders);
std::size_t current_entry_index(const std::vector<FolderEntry>& entries);

// The folder box's root trimming: a text of exactly three characters loses every "\" and then
// every "/", so a drive root C:\ becomes C: and the folders joined to it get one separator.
std::wstring trim_root(std::wstring text);

// A drive as a drive list shows it: "c:", and " [LABEL]" when the volume has a label (or
// " [\\server\share]" for a network drive).
std::wstring drive_list_text(wchar_t letter, const std::wstring& label);

}  // namespace qv::ui
