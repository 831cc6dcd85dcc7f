// Where the main window was when it last closed, its size and its list's column widths, kept in
// a small file of their own beside the settings file so that the settings file stays as the
// simulator's other tools know it. Sizes are pixels at 96 DPI: a change of DPI keeps the window
// as large to the eye.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv::ui {

struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
    std::vector<int> columns;
};

inline constexpr const char* kPlacementFileName = "quorva_win.cfg";

// The file's text, and back. A file that is damaged or edited into nonsense gives nothing: the
// window opens at its default size and place.
std::string format_placement(const WindowPlacement& placement);
std::optional<WindowPlacement> parse_placement(std::string_view text);

std::optional<WindowPlacement> read_placement(FileSystem& fs, const Workspace& workspace);
// Best effort: a window that can't say where it was opens at its default place next time.
void write_placement(FileSystem& fs, const Workspace& workspace, const WindowPlacement& placement);

}  // namespace qv::ui
