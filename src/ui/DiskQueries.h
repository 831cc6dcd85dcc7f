// The disk as the settings window's drive and folder lists see it (wide-character Win32 calls:
// these lists show any folder name, also one outside the single-byte code page).
#pragma once

#include <string>
#include <vector>

namespace qv::ui {

struct DriveInfo {
    wchar_t letter = L'C';
    std::wstring label;  // volume label, or the remote name of a network drive; may be empty
};

std::vector<DriveInfo> list_drives();

// The subfolders of `folder` that are neither hidden nor system, sorted without regard to case.
// False when the folder can't be listed.
bool list_subfolders(const std::wstring& folder, std::vector<std::wstring>& names);

// The drive's current folder (Windows keeps one per drive), or its root when that folder is
// gone. False when the drive is not ready (no disk in it, or it can't be reached).
bool drive_current_folder(wchar_t letter, std::wstring& folder);

std::wstring current_folder();

}  // namespace qv::ui
