#include "ui/RestoreWindow.h"

#include <algorithm>
#include <set>

#include "core/OperationError.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

void RestoreWindow::open(HWND owner) {
    if (is_open()) {
        bring_to_front();
        refresh();
        return;
    }
    FrameSpec frame;
    frame.class_name = L"QuorvaneRestoreWindow";
    frame.caption = widen(texts::kRestoreCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width = 560;
    frame.client_height = 300;
    // Owned by the main window: always above it, and without a task-bar entry of its own.
    frame.owner = owner;
    create_frame(frame);

    // Created in tab order: the list has the focus when the window opens.
    static constexpr ReportList::Column kColumns[] = {{texts::kTitleColumn, 200},
                                                      {texts::kRemovedColumn, 118},
                                                      {texts::kFolderColumn, 170},
                                                      {texts::kFilesColumn, 44}};
    list_.attach(add_control(WC_LISTVIEWW, L"", ReportList::style(true), {kMargin, 48, 544, 196},
                             ids::kRestoreList, kDefaultFont, WS_EX_CLIENTEDGE),
                 dpi(), kColumns,
                 [this](std::size_t row, int column) { return cell(row, column); });
    add_control(L"BUTTON", widen(texts::kSelectBatch), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {kMargin, 256, 136, kButtonHeight}, ids::kRestoreSelectBatch);
    add_control(L"BUTTON", widen(texts::kRestore), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {416, 256, 136, kButtonHeight}, ids::kRestoreButton);
    add_control(L"STATIC", widen(texts::kRestoreInstruction), SS_LEFT,
                {kMargin, kMargin, 544, kTwoLinesHeight}, ids::kRestoreInstruction);
    finish_layout();
    refresh();

    show_centred();
    SetFocus(list_.hwnd());
}

std::string RestoreWindow::cell(std::size_t row, int column) const {
    if (row >= held_.size()) return {};
    const HeldRemoval& h = held_[row];
    switch (column) {
        case 0:
            return h.title;
        case 1:
            return h.when;
        case 2:
            return h.aircraft_folder;
        default:
            return std::to_string(h.files);
    }
}

std::vector<std::string> RestoreWindow::selected_ids() const {
    std::vector<std::string> ids;
    for (std::size_t row : list_.selected())
        if (row < held_.size()) ids.push_back(held_[row].id);
    return ids;
}

void RestoreWindow::refresh() {
    if (!is_open()) return;
    const std::vector<std::string> selected = selected_ids();
    try {
        const OperationContext context = host_.context();
        held_ = list_held(context.fs, context.workspace).removals;
    } catch (const OperationError& error) {
        held_.clear();
        show_warning(hwnd(), error.what());
    }
    std::vector<std::size_t> again;
    for (std::size_t row = 0; row < held_.size(); ++row)
        if (std::find(selected.begin(), selected.end(), held_[row].id) != selected.end())
            again.push_back(row);
    list_.reset(held_.size());
    list_.select(again);
}

void RestoreWindow::select_batch() {
    std::set<std::string> batches;
    std::vector<std::size_t> rows = list_.selected();
    for (std::size_t row : rows)
        if (row < held_.size() && !held_[row].batch.empty()) batches.insert(held_[row].batch);
    for (std::size_t row = 0; row < held_.size(); ++row)
        if (batches.contains(held_[row].batch) &&
            std::find(rows.begin(), rows.end(), row) == rows.end())
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    list_.select(rows);
    SetFocus(list_.hwnd());
}

void RestoreWindow::on_restore() {
    const std::vector<std::string> ids = selected_ids();
    if (ids.empty()) return;
    host_.run_operation(
        [ids](Operation& op) {
            const RestoreOutcome outcome =
                restore_removals(op.context.fs, op.context.workspace, op.context.ui, ids);
            if (outcome.reload) op.update(outcome.touched);
        },
        hwnd());
}

LRESULT RestoreWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        const auto& note = *reinterpret_cast<const NMHDR*>(lparam);
        LRESULT result = 0;
        if (note.hwndFrom == list_.hwnd() && note.code == NM_DBLCLK) {
            on_restore();
            return 0;
        }
        if (list_.on_notify(note, result)) return result;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == ids::kRestoreButton && code == BN_CLICKED) on_restore();
        if (id == ids::kRestoreSelectBatch && code == BN_CLICKED) select_batch();
        // Enter in the list (see App::pre_translate).
        if (id == ids::kRestoreList && code == LBN_DBLCLK) on_restore();
        // Esc, which the dialog keys turn into IDCANCEL; not while a restore runs.
        if (id == IDCANCEL && code == BN_CLICKED && !host_.busy()) close();
        return 0;
    }
    if (message == WM_CLOSE && host_.busy()) return 0;
    return Window::on_message(message, wparam, lparam);
}

void RestoreWindow::on_closed() {
    list_.detach();
    held_.clear();
    host_.window_closed();
}

}  // namespace qv::ui
