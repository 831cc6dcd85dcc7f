#include "ui/win32/MessageBoxes.h"

#include "core/Messages.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

int show_message(HWND owner, const std::string& text, UINT style) {
    // Without an owner, MB_TASKMODAL disables every top-level window of the program while the
    // box is up, whichever of them happens to be active.
    const UINT modality = owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    return MessageBoxW(owner, widen(text).c_str(), widen(kMessageTitle).c_str(),
                       style | modality | MB_SETFOREGROUND);
}

bool ask_question(HWND owner, const std::string& text, bool destructive) {
    const UINT style = destructive ? MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 : MB_YESNO;
    return show_message(owner, text, style) == IDYES;
}

void show_notice(HWND owner, const std::string& text) {
    show_message(owner, text, MB_OK | MB_ICONINFORMATION);
}

void show_warning(HWND owner, const std::string& text) {
    show_message(owner, text, MB_OK | MB_ICONEXCLAMATION);
}

void show_stop_error(const std::string& message) {
    show_message(nullptr, "The program has to stop:\r\n\r\n" + message, MB_OK | MB_ICONERROR);
}

}  // namespace qv::ui
