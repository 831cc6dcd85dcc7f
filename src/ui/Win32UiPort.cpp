#include "ui/Win32UiPort.h"

#include "ui/ProgressWindow.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

Win32UiPort::Win32UiPort(ProgressWindow& progress, std::function<HWND()> owner,
                         std::function<void()> pump)
    : progress_(progress), owner_(std::move(owner)), pump_(std::move(pump)) {}

bool Win32UiPort::on_ask(Question question, const std::string& text) {
    return ask_question(message_owner(), text, is_destructive(question));
}
bool Win32UiPort::on_ask_about(Question question, const std::string& text,
                               const std::string& subject) {
    return ask_question(message_owner(), text + "\r\n" + subject, is_destructive(question));
}
void Win32UiPort::notice(const std::string& text) {
    show_notice(message_owner(), text);
}
void Win32UiPort::warning(const std::string& text) {
    show_warning(message_owner(), text);
}

HWND Win32UiPort::message_owner() const {
    // A question during an operation stands over its progress window; otherwise the window the
    // operation came from owns the box.
    if (progress_.is_open() && IsWindowVisible(progress_.hwnd())) return progress_.hwnd();
    return owner_();
}

void Win32UiPort::show_progress() {
    progress_.open(owner_());
}
void Win32UiPort::set_progress_range(int steps) {
    progress_.set_range(steps);
}
void Win32UiPort::set_progress_status(const std::string& text) {
    progress_.set_status(widen(text));
}
void Win32UiPort::step_progress() {
    progress_.step();
}
void Win32UiPort::close_progress() {
    progress_.close();
}

void Win32UiPort::offer_stop(bool offered) {
    progress_.offer_stop(offered);
}
bool Win32UiPort::stop_asked() {
    // The click on Stop waits in the queue: the batch looks once between two removals.
    pump_();
    return progress_.stop_asked();
}

void Win32UiPort::yield() {
    // The walk yields once per folder, and under Wine each look at the message queue is a round
    // trip to the wineserver: the windows are served as often as they need, not once a folder.
    const ULONGLONG now = GetTickCount64();
    if (pumped_ != 0 && now - pumped_ < kPumpInterval) return;
    pumped_ = now;
    progress_.pulse();
    pump_();
}

}  // namespace qv::ui
