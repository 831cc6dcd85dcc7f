// Form2, the settings window of a first run: the simulator version and its main folder, saved
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
    void Create();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnClosed() override;

  private:
    void OnCommand(int id, int code);
    void OnDriveChange();
    void OpenFolderEntry();
    // Moves the folder list to `folder`; false (and nothing changed) when it can't be listed.
    bool MoveFolderList(const std::wstring& folder, bool even_unlisted);
    // Text1 and fs_main_dir follow the folder list.
    void FollowFolderList();
    void OnNextStep();
    void MeasureFolderItem(MEASUREITEMSTRUCT& item) const;
    void DrawFolderItem(const DRAWITEMSTRUCT& item) const;

    App& app_;
    std::vector<DriveInfo> drives_;
    int drive_index_ = -1;
    std::wstring folder_;  // the folder list's path
    std::vector<FolderEntry> entries_;
    bool text1_lossless_ = true;
    bool settings_saved_ = false;
};

}  // namespace qv::ui
