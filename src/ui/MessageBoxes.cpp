#include "ui/MessageBoxes.h"

#include "core/Messages.h"
#include "ui/WideText.h"

namespace qv::ui {

int show_message(const std::string& text, UINT style) {
    // No owner and MB_TASKMODAL: every top-level window of the program is disabled while the box
    // is up, whichever of them happens to be active.
    return MessageBoxW(nullptr, widen(text).c_str(), widen(kMessageTitle).c_str(),
                       style | MB_TASKMODAL | MB_SETFOREGROUND);
}

bool ask_question(const std::string& text) {
    return show_message(text, MB_YESNO) == IDYES;
}

void show_notice(const std::string& text) {
    show_message(text, MB_OK | MB_ICONINFORMATION);
}

void show_warning(const std::string& text) {
    show_message(text, MB_OK | MB_ICONEXCLAMATION);
}

void show_stop_error(const std::string& message) {
    show_message("The program has to stop:\r\n\r\n" + message, MB_OK | MB_ICONERROR);
}

}  // namespace qv::ui
