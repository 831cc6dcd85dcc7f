// The main window: the aircraft list, "REMOVE SELECTED AIRCRAFT" and the menus that empty the
// holding folders, change the simulator folder and show the About window. It holds no logic
// beyond wiring them to the operations; a catalogue load fills its list as the walk goes.
#pragma once

#include <cstddef>
#include <string>

#include "operations/CatalogueLoad.h"
#include "ui/AircraftList.h"
#include "ui/Window.h"

namespace qv::ui {

class App;

class MainWindow : public Window, public AircraftListSink {
  public:
    explicit MainWindow(App& app) : app_(app) {}
    // Loads the window hidden; App shows it once its load (the catalogue) has run.
    void create();
    void show_loaded();

    void clear() override;
    void add(const std::string& title) override;
    // The selected list position, or -1 when nothing is selected.
    std::ptrdiff_t selected_position() const;

    // While an operation runs the window takes no input: no click, key or menu reaches it, so
    // nothing can start a second command or hold the running one up.
    void begin_operation();
    void end_operation();
    // A close asked for while an operation ran is carried out once it has ended.
    void close_if_asked();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void on_command(int id, int code);

    App& app_;
    AircraftList list_;
    HWND focus_before_operation_ = nullptr;
    bool close_asked_ = false;
};

}  // namespace qv::ui
