#include "ui/DiskQueries.h"

#include <windows.h>

#include <algorithm>

#include "platform/Win32Handle.h"

namespace qv::ui {

namespace {

bool is_folder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<DriveInfo> list_drives() {
    std::vector<DriveInfo> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (1u << i)) == 0) continue;
        DriveInfo drive;
        drive.letter = static_cast<wchar_t>(L'A' + i);
        const std::wstring root{drive.letter, L':', L'\\'};
        const UINT type = GetDriveTypeW(root.c_str());
        wchar_t text[MAX_PATH + 1] = {};
        if (type == DRIVE_REMOTE) {
            DWORD size = MAX_PATH;
            const std::wstring local{drive.letter, L':'};
            if (WNetGetConnectionW(local.c_str(), text, &size) == NO_ERROR) drive.label = text;
        } else if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
            // Removable and optical drives are not asked: with no disk in them the question
            // waits on the hardware, and the list would open slowly.
            if (GetVolumeInformationW(root.c_str(), text, MAX_PATH, nullptr, nullptr, nullptr,
                                      nullptr, 0)) {
                drive.label = text;
            }
        }
        drives.push_back(drive);
    }
    return drives;
}

bool list_subfolders(const std::wstring& folder, std::vector<std::wstring>& names) {
    names.clear();
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry{};
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     FindExSearchLimitToDirectories, nullptr, 0));
    if (!find.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
            continue;
        }
        if (name == L"." || name == L"..") continue;
        names.push_back(name);
    } while (FindNextFileW(find.get(), &entry));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const int order = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                               static_cast<int>(b.size()), TRUE);
        return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
    });
    return true;
}

bool drive_current_folder(wchar_t letter, std::wstring& folder) {
    const std::wstring root{letter, L':', L'\\'};
    if (!is_folder(root)) return false;
    const std::wstring drive{letter, L':'};
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetFullPathNameW(drive.c_str(), MAX_PATH, buffer, nullptr);
    folder = (length > 0 && length <= MAX_PATH) ? std::wstring(buffer, length) : root;
    if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    if (!is_folder(folder)) folder = root;
    return true;
}

std::wstring current_folder() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD written = GetCurrentDirectoryW(length, folder.data());
    folder.resize(written);
    if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

}  // namespace qv::ui
