#include "ui/MessageBoxes.h"

#include <windows.h>

#include "core/UiPort.h"
#include "ui/WideText.h"

namespace qv::ui {

int ShowMessage(const std::string& prompt, unsigned style) {
    // No owner and MB_TASKMODAL: every top-level window of the program is disabled while the box
    // is up, whichever of them happens to be active.
    return MessageBoxW(nullptr, Widen(prompt).c_str(), Widen(kMessageTitle).c_str(),
                       style | MB_TASKMODAL | MB_SETFOREGROUND);
}

bool AskQuestion(const std::string& prompt) {
    return ShowMessage(prompt, kQuestionStyle) == kYesResult;
}

void ShowStopError(const std::string& message) {
    ShowMessage("The program has to stop:\r\n\r\n" + message, MB_OK | MB_ICONERROR);
}

}  // namespace qv::ui
