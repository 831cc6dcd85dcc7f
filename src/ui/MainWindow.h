// The main window: the filter box, the aircraft list, the selected aircraft's folder and what
// removing it would do, "REMOVE SELECTED AIRCRAFT" and the menus that empty the holding folders,
// restore a removal, change the simulator folder and show the About window. It holds no logic
// beyond wiring them to the operations; a catalogue load fills its list as the walk goes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "operations/CatalogueLoad.h"
#include "operations/FolderSize.h"
#include "ui/AircraftRows.h"
#include "ui/WindowHost.h"
#include "ui/WindowPlacement.h"
#include "ui/win32/ReportList.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class MainWindow : public Window, public AircraftListSink {
  public:
    explicit MainWindow(WindowHost& host) : host_(host) {}
    // Creates the window hidden; App shows it once its load (the catalogue) has run.
    void create();
    void show_loaded();

    void clear() override;
    void add(const AircraftRecord& titled) override;
    // The catalogue list positions of the selected entries, in list order.
    std::vector<std::size_t> selected_positions() const;

    // While an operation runs the window takes no input: no click, key or menu reaches it, so
    // nothing can start a second command or hold the running one up.
    void begin_operation();
    void end_operation();
    // How many whole walks of the collection the list was built by so far, kept as the window's
    // property kWalksProperty: the GUI tests see that a removal's update is no walk.
    void show_walks(std::size_t walks);
    static constexpr const wchar_t* kWalksProperty = L"QuorvaneWalks";
    // The window's keys: F3 and Ctrl+F go to the Find box, Esc there clears it, Down or Enter
    // there moves into the list, Delete in the list removes the selection (with the same
    // confirmation). True when `key` was one of them.
    bool on_key(WPARAM key);
    // A close asked for while an operation ran is carried out once it has ended.
    void close_if_asked();
    // Selects the aircraft at catalogue list position `position` alone and scrolls it into view,
    // emptying the Find box when it hides it (the check window's Show in List).
    void show_position(std::size_t position);
    // The status bar's last part: what the holding folder holds.
    void show_held(const FolderSize& held);

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    // A control that follows the window's size, and its place at the first size.
    struct Anchored {
        int id;
        bool grow_width;
        bool grow_height;
        bool move_right;
        bool move_down;
        RECT first;
    };

    void on_command(int id, int code);
    void apply_filter();
    // The list shows the rows again, in their order; `selected` (catalogue positions) stays
    // selected where shown.
    void show_rows(const std::vector<std::size_t>& selected);
    void sort_by(int column);
    void show_caption();
    void show_counts();
    std::string cell(std::size_t row, int column) const;
    // The folder as the list shows it: below the Aircraft folder.
    std::string shown_folder(const std::string& folder) const;
    // The folder and plan lines follow the selection; a plan is made only when the one
    // selected aircraft is another than the one shown.
    void show_selection();
    void show_plan(std::size_t position);
    void remember_first_size();
    void follow_size();
    // The size and place of the last run (or the default size, which shows 15 rows or more).
    void place();
    void save_placement();

    WindowHost& host_;
    ReportList list_;
    AircraftRows rows_;
    HWND status_ = nullptr;
    std::string held_text_;
    bool selection_pending_ = false;  // a change of the selection waits to be shown once
    ULONGLONG grown_ = 0;             // GetTickCount64 when a load last grew the list
    static constexpr ULONGLONG kGrowInterval = 150;
    std::optional<WindowPlacement> placement_;
    bool shown_once_ = false;
    std::optional<std::size_t> planned_;  // the catalogue position the plan lines show
    std::vector<Anchored> anchored_;
    SIZE first_client_{};
    SIZE first_frame_{};
    HWND focus_before_operation_ = nullptr;
    bool close_asked_ = false;
};

}  // namespace qv::ui
