#include "ui/win32/StopProgram.h"

#include <windows.h>

#include "ui/win32/MessageBoxes.h"

namespace qv::ui {

void stop_program(const std::string& message) {
    show_stop_error(message);
    // The failure may have surfaced inside a running operation, through the folder walk's yield
    // to the message loop. Unwinding to the loop would let that operation carry on with the
    // disk, so the process ends here. The core writes every file whole and closes it before it
    // returns, so nothing is left half-written.
    ExitProcess(1);
}

}  // namespace qv::ui
