// Everything the maintenance operations say to the user, and hear back, goes through this one
// interface. Implemented by the Win32 windows (real message boxes and the progress window), by
// quorvane-cli (a transcript on stderr, answers from its flags) and by the tests (a recording
// that can be asserted step by step).
#pragma once

#include <string>

namespace qv {

// The one title every message box carries.
inline constexpr const char* kMessageTitle = "Quorvane v4.0 - Message";

class UiPort {
  public:
    virtual ~UiPort() = default;

    // Message boxes. Texts are single-byte (Windows-1252) strings.
    virtual bool question(const std::string& prompt) = 0;  // Yes/No, no icon; true only on Yes
    virtual void notice(const std::string& prompt) = 0;    // OK, information icon
    virtual void warning(const std::string& prompt) = 0;   // OK, exclamation icon

    // The progress window. Each change is shown at once (the operation keeps the thread).
    virtual void ShowProgressWindow() = 0;
    virtual void SetProgressRange(int steps) = 0;  // min 0, max steps, value 0
    virtual void SetProgressStatus(const std::string& text) = 0;
    virtual void StepProgress() = 0;  // value + 1
    virtual void CloseProgressWindow() = 0;

    // The main window's aircraft list.
    virtual void ClearAircraftList() = 0;
    virtual void AddAircraftListEntry(const std::string& title) = 0;

    // Lets the window system process pending events once (the folder walk calls it per folder).
    virtual void yield() = 0;
};

}  // namespace qv
