#include "ui/RunningInstance.h"

#include <algorithm>

namespace qv::ui {

std::wstring instance_key(std::wstring_view folder) {
    std::wstring key(folder);
    std::replace(key.begin(), key.end(), L'/', L'\\');
    // "C:\" keeps its separator: "C:" alone means the drive's current folder.
    while (key.size() > 1 && key.back() == L'\\' && !(key.size() == 3 && key[1] == L':'))
        key.pop_back();
    if (!key.empty()) CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

RunningInstance::RunningInstance(std::wstring_view folder) {
    const std::wstring key = instance_key(folder);
    window_title_ = L"Quorvane " + key;
    // "\" separates an object name's namespace from the name.
    std::wstring mutex_name = L"Local\\Quorvane " + key;
    std::replace(mutex_name.begin() + 6, mutex_name.end(), L'\\', L'/');
    mutex_.reset(CreateMutexW(nullptr, FALSE, mutex_name.c_str()));
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

void RunningInstance::wake_first() const {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const HWND owner = FindWindowW(kOwnerWindowClass, window_title_.c_str());
        if (owner != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(owner, &process);
            // Only the program the user just started may hand the foreground on.
            AllowSetForegroundWindow(process);
            PostMessageW(owner, kComeToFrontMessage, 0, 0);
            return;
        }
        Sleep(100);
    }
}

}  // namespace qv::ui
