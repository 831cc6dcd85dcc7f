// The main window's aircraft list: the list box and everything the window does with it, in one
// place. It scrolls sideways to its widest entry, so a title longer than the list is wide can be
// read to its end.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ui/win32/Handles.h"

namespace qv::ui {

class AircraftList {
  public:
    // Takes over the list box `list` (its font set), laid out at `dpi`.
    void attach(HWND list, int dpi);
    void detach();

    void clear();
    void add(const std::string& title);
    // Refills the list without drawing each entry as it comes.
    void fill(const std::vector<std::string>& titles);
    // The selected list positions, in list order (the list box takes extended selection).
    std::vector<std::size_t> selected_positions() const;
    void select(const std::vector<std::size_t>& positions);

  private:
    void widen_to(const std::wstring& title);

    HWND list_ = nullptr;
    int margin_ = 0;
    int widest_ = 0;
    // Measures the titles in the list's font (declared in this order: the font is put back
    // before the context goes).
    std::optional<MemoryDc> measure_;
    std::optional<SelectedObject> measure_font_;
};

}  // namespace qv::ui
