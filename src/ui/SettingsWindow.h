// The settings window of a first run: the simulator version and its main folder, saved
// by "NEXT STEP". "EXIT" and the window's own close end the program until the settings are saved.
#pragma once

#include <string>
#include <vector>

#include "ui/DiskQueries.h"
#include "ui/FolderEntries.h"
#include "ui/Window.h"

namespace qv::ui {

class App;

class SettingsWindow : public Window {
  public:
    explicit SettingsWindow(App& app) : app_(app) {}
    // Loads the window (its controls on the start-up folder); App shows it.
    void create();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void on_command(int id, int code);
    void on_drive_change();
    void open_folder_entry();
    // Moves the folder list to `folder`; false (and nothing changed) when it can't be listed.
    bool move_folder_list(const std::wstring& folder, bool even_unlisted);
    // The folder box and sim_main_dir follow the folder list.
    void follow_folder_list();
    void on_next_step();
    void measure_folder_item(MEASUREITEMSTRUCT& item) const;
    void draw_folder_item(const DRAWITEMSTRUCT& item) const;

    App& app_;
    std::vector<DriveInfo> drives_;
    int drive_index_ = -1;
    std::wstring folder_;  // the folder list's path
    std::vector<FolderEntry> entries_;
    bool folder_box_lossless_ = true;
    bool settings_saved_ = false;
};

}  // namespace qv::ui
