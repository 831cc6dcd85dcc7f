// The restore window: the removals still held in Temp_Path as a report list (title, when,
// folder, files; newest first), "Select Batch", which adds the rest of each selected entry's
// batch to the selection, and "RESTORE", which puts the selected ones back in one go. It stays
// above the main window, and follows the holding folder: App refreshes it after every command.
#pragma once

#include <string>
#include <vector>

#include "operations/Restore.h"
#include "ui/WindowHost.h"
#include "ui/win32/ReportList.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class RestoreWindow : public Window {
  public:
    explicit RestoreWindow(WindowHost& host) : host_(host) {}
    // Creates and shows the window above `owner`, or brings it to the front when it is open.
    void open(HWND owner);
    // Reads the held removals again; the selected ones stay selected while they are held.
    void refresh();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void on_restore();
    void select_batch();
    std::vector<std::string> selected_ids() const;
    std::string cell(std::size_t row, int column) const;

    WindowHost& host_;
    ReportList list_;
    std::vector<HeldRemoval> held_;
};

}  // namespace qv::ui
