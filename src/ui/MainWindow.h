// Form3, the main window: the aircraft list, "REMOVE SELECTED AIRCRAFT" and the menus that empty
// the holding folders and show the About window. It holds no logic beyond wiring them to the
// operations.
#pragma once

#include <cstddef>
#include <string>

#include "ui/Window.h"

namespace qv::ui {

class App;

class MainWindow : public Window {
  public:
    explicit MainWindow(App& app) : app_(app) {}
    // Loads the window hidden; App shows it once its load (the catalogue) has run.
    void Create();
    void ShowLoaded();

    void ClearList();
    void AddListEntry(const std::wstring& title);
    // The selected list position, or -1 when nothing is selected.
    std::ptrdiff_t SelectedPosition() const;

    // A close asked for while an operation ran is carried out once it has ended.
    void CloseIfAsked();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnClosed() override;

  private:
    void OnCommand(int id, int code);

    App& app_;
    bool close_asked_ = false;
};

}  // namespace qv::ui
