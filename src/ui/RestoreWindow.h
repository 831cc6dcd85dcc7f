// The restore window: the removals still held in Temp_Path (title, when, folder; newest first;
// the folder last, as it is the longest) and "RESTORE", which puts the selected one back. It
// follows the holding folder: App refreshes it after every command of the program.
#pragma once

#include <string>
#include <vector>

#include "operations/Restore.h"
#include "ui/WindowHost.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class RestoreWindow : public Window {
  public:
    explicit RestoreWindow(WindowHost& host) : host_(host) {}
    // Creates and shows the window above `owner`, or brings it to the front when it is open.
    void open(HWND owner);
    // Reads the held removals again; the selected one stays selected while it is held.
    void refresh();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void on_restore();
    // Lines the columns up: each starts past the widest entry of the one before it.
    void set_columns();

    WindowHost& host_;
    std::vector<HeldRemoval> held_;
};

}  // namespace qv::ui
