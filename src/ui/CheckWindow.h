// The collection check's window: one tab for each group of findings, its count in the tab's
// caption, and one report-list line for each finding of the chosen group. "Show in List" selects
// a broken aircraft in the main list; "Hold Selected Folders" holds the selected unused folders
// or folders without aircraft, as a removal holds files. The report is drawn from the catalogue
// the main window holds, and App draws it again after every command, so it follows the list.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "operations/CollectionCheck.h"
#include "ui/WindowHost.h"
#include "ui/win32/ReportList.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class CheckWindow : public Window {
  public:
    explicit CheckWindow(WindowHost& host) : host_(host) {}
    // Creates and shows the window above `owner`, or brings it to the front when it is open.
    void open(HWND owner);
    // Checks the catalogue again; the group shown stays.
    void refresh();
    // Ctrl+Tab and Ctrl+Shift+Tab go to the next and the previous group; true when `key` was
    // one of them.
    bool on_key(WPARAM key);
    // Show in List: called with the list position of the aircraft to select.
    std::function<void(std::size_t position)> show_in_list;

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    enum Group { kBroken, kMissingGauges, kSameTitle, kUnused, kWithoutAircraft, kHolding };
    struct Row {
        std::array<std::string, 3> cells;
        std::size_t position = 0;  // a broken aircraft's list position
        std::string folder;        // a wasted folder, below Aircraft
    };

    void fill_rows();
    void show_group(int group);
    void update_buttons();
    void on_show_in_list();
    void on_hold();
    std::vector<std::string> selected_folders() const;

    WindowHost& host_;
    HWND tabs_ = nullptr;
    ReportList list_;
    CollectionReport report_;
    std::array<std::vector<Row>, 6> rows_;
    int group_ = kBroken;
};

}  // namespace qv::ui
