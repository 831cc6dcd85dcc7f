// The settings window: the simulator version and its main folder, saved by "NEXT STEP". It is
// shown to choose them (on a first run, or at a start that finds the saved folder unusable),
// when "EXIT" and the window's own close end the program until the settings are saved; and from
// the main window's menu to change them, when "EXIT" and the close change nothing. Until "NEXT
// STEP" saves them, the choices stay in this window and the running program is not affected.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/DiskQueries.h"
#include "ui/FolderEntries.h"
#include "ui/WindowHost.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class SettingsWindow : public Window {
  public:
    enum class Purpose {
        choose,  // the program can't go on without a simulator folder
        change,  // the main window runs, modal to it
    };

    explicit SettingsWindow(WindowHost& host) : host_(host) {}
    // Creates the window on `folder` (or the nearest folder above it that can be listed, else the
    // start-up folder) and `version` (no radio button is selected for a number outside 1 to 4); App
    // shows it. `owner` is the window it stays above.
    void create(Purpose purpose, const std::wstring& folder, std::uint8_t version, HWND owner);
    Purpose purpose() const { return purpose_; }
    // The focus on the folder list, where the choice is made.
    void focus_start();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void on_command(int id, int code);
    void on_drive_change();
    void open_folder_entry();
    // Moves the folder list to `folder`; false (and nothing changed) when it can't be listed.
    bool move_folder_list(const std::wstring& folder, bool even_unlisted);
    // The folder box and the chosen folder follow the folder list.
    void follow_folder_list();
    void on_next_step();
    // "EXIT" or the window's close.
    void leave();
    void measure_folder_item(MEASUREITEMSTRUCT& item);
    void draw_folder_item(const DRAWITEMSTRUCT& item) const;

    WindowHost& host_;
    Purpose purpose_ = Purpose::choose;
    std::vector<DriveInfo> drives_;
    int drive_index_ = -1;
    std::wstring folder_;  // the folder list's path
    std::vector<FolderEntry> entries_;
    std::uint8_t chosen_version_ = 1;
    bool settings_saved_ = false;
};

}  // namespace qv::ui
