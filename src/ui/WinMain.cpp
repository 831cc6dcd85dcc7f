// quorvane.exe: the Windows program.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "ui/App.h"
#include "ui/DiskQueries.h"
#include "ui/RunningInstance.h"
#include "ui/win32/Handles.h"
#include "ui/win32/StopProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // No "insert a disk" box from the system when a drive without a disk is looked at.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    qv::ui::ComApartment com;
    try {
        const qv::ui::RunningInstance instance(qv::ui::current_folder());
        if (!instance.first()) {
            instance.wake_first();
            return 0;
        }
        qv::ui::App app(instance.window_title());
        return app.run();
    } catch (const std::exception& error) {
        qv::ui::stop_program(error.what());
    }
}
