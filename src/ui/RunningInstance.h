// One program per working folder. The program keeps its holding folders and settings file in the
// folder it is started in, so two copies there would work on the same files: a second start in
// that folder brings the running program's window to the front and ends. A start in another
// folder is a program of its own. (The command-line tool is not held back: its lock on the folder
// keeps it from working at the same time as a command of the program.)
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Win32Handle.h"

namespace qv::ui {

// The class of the hidden owner window, whose title names the working folder.
inline constexpr const wchar_t* kOwnerWindowClass = L"QuorvaneOwner";
// Posted to the owner window by a second start: the program comes to the front.
inline constexpr UINT kComeToFrontMessage = WM_APP + 1;

// What names the program of a working folder: the folder's full path in lower case, "/" read as
// "\", without a separator at its end (a drive root keeps its own), so that every spelling of one
// folder gives the same key.
std::wstring instance_key(std::wstring_view folder);

class RunningInstance {
  public:
    // Claims the working folder `folder` for this program.
    explicit RunningInstance(std::wstring_view folder);
    // Whether no other program had claimed the folder.
    bool first() const { return first_; }
    // The owner window's title for this folder.
    const std::wstring& window_title() const { return window_title_; }
    // Asks the program that claimed the folder first to come to the front, waiting a few
    // seconds for its window when it is still starting.
    void wake_first() const;

  private:
    KernelHandle mutex_;
    std::wstring window_title_;
    bool first_ = true;
};

}  // namespace qv::ui
