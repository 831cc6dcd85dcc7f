#include "ui/Win32UiPort.h"

#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgressWindow.h"
#include "ui/WideText.h"

namespace qv::ui {

Win32UiPort::Win32UiPort(ProgressWindow& progress, MainWindow& main, std::function<HWND()> owner,
                         std::function<void()> pump)
    : progress_(progress), main_(main), owner_(std::move(owner)), pump_(std::move(pump)) {}

bool Win32UiPort::question(const std::string& prompt) {
    return AskQuestion(prompt);
}
void Win32UiPort::notice(const std::string& prompt) {
    ShowMessage(prompt, kNoticeStyle);
}
void Win32UiPort::warning(const std::string& prompt) {
    ShowMessage(prompt, kWarningStyle);
}

void Win32UiPort::ShowProgressWindow() {
    progress_.Open(owner_());
}
void Win32UiPort::SetProgressRange(int steps) {
    progress_.SetRange(steps);
}
void Win32UiPort::SetProgressStatus(const std::string& text) {
    progress_.SetStatus(Widen(text));
}
void Win32UiPort::StepProgress() {
    progress_.Step();
}
void Win32UiPort::CloseProgressWindow() {
    progress_.Close();
}

void Win32UiPort::ClearAircraftList() {
    main_.ClearList();
}
void Win32UiPort::AddAircraftListEntry(const std::string& title) {
    main_.AddListEntry(Widen(title));
}

void Win32UiPort::yield() {
    pump_();
}

}  // namespace qv::ui
