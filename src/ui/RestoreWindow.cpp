#include "ui/RestoreWindow.h"

#include <algorithm>
#include <array>

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
    frame.client_width = 480;
    frame.client_height = 264;
    frame.owner = owner;
    create_frame(frame);

    // Created in tab order: the list has the focus when the window opens.
    add_control(L"LISTBOX", L"",
                LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                    WS_TABSTOP | WS_GROUP,
                {kMargin, 48, 464, 160}, ids::kRestoreList, kDefaultFont, WS_EX_CLIENTEDGE);
    add_control(L"BUTTON", widen(texts::kRestore), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {336, 220, 136, kButtonHeight}, ids::kRestoreButton);
    add_control(L"STATIC", widen(texts::kRestoreInstruction), SS_LEFT,
                {kMargin, kMargin, 464, kTwoLinesHeight}, ids::kRestoreInstruction);
    finish_layout();
    refresh();

    show_centred();
    SetFocus(control(ids::kRestoreList));
}

void RestoreWindow::refresh() {
    if (!is_open()) return;
    const HWND list = control(ids::kRestoreList);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    const std::string selected_id =
        selected >= 0 && static_cast<std::size_t>(selected) < held_.size()
            ? held_[static_cast<std::size_t>(selected)].id
            : std::string();
    try {
        const OperationContext context = host_.context();
        held_ = list_held(context.fs, context.workspace).removals;
    } catch (const OperationError& error) {
        held_.clear();
        show_warning(hwnd(), error.what());
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const HeldRemoval& h : held_) {
        const std::wstring entry =
            widen(h.title) + L"\t" + widen(h.when) + L"\t" + widen(h.aircraft_folder);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    set_columns();
    const auto again = std::find_if(held_.begin(), held_.end(),
                                    [&](const HeldRemoval& h) { return h.id == selected_id; });
    if (again != held_.end()) SendMessageW(list, LB_SETCURSEL, again - held_.begin(), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void RestoreWindow::set_columns() {
    const HWND list = control(ids::kRestoreList);
    MemoryDc dc;
    SelectedObject list_font(dc.get(),
                             reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    const auto width_of = [&dc](const std::string& text) {
        const std::wstring wide = widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    // Tab stops count quarters of the list font's average character width, which the list box
    // takes from the letters' widths.
    const int average = std::max(
        1, (width_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2);
    std::array<int, 3> widest{};
    for (const HeldRemoval& h : held_) {
        widest[0] = std::max(widest[0], width_of(h.title));
        widest[1] = std::max(widest[1], width_of(h.when));
        widest[2] = std::max(widest[2], width_of(h.aircraft_folder));
    }
    const int gap = 2 * average;
    const int second = widest[0] + gap;
    const int third = second + widest[1] + gap;
    std::array<int, 2> stops{(second * 4 + average - 1) / average,
                             (third * 4 + average - 1) / average};
    SendMessageW(list, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
    // Sideways as far as the last column reaches, with the room the list box leaves at its edge.
    const int extent = stops[1] * average / 4 + widest[2] + scaled(kListTextMargin, dpi());
    SendMessageW(list, LB_SETHORIZONTALEXTENT, held_.empty() ? 0 : extent, 0);
}

void RestoreWindow::on_restore() {
    const LRESULT selected = SendMessageW(control(ids::kRestoreList), LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= held_.size()) return;
    const std::string id = held_[static_cast<std::size_t>(selected)].id;
    host_.run_operation(
        [id](Operation& op) {
            const RestoreOutcome outcome =
                restore_removal(op.context.fs, op.context.workspace, op.context.ui, id);
            if (outcome.reload) op.update(outcome.touched);
        },
        hwnd());
}

LRESULT RestoreWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == ids::kRestoreButton && code == BN_CLICKED) on_restore();
        if (id == ids::kRestoreList && code == LBN_DBLCLK) on_restore();
        // Esc, which the dialog keys turn into IDCANCEL; not while a restore runs.
        if (id == IDCANCEL && code == BN_CLICKED && !host_.busy()) close();
        return 0;
    }
    if (message == WM_CLOSE && host_.busy()) return 0;
    return Window::on_message(message, wparam, lparam);
}

void RestoreWindow::on_closed() {
    held_.clear();
    host_.window_closed();
}

}  // namespace qv::ui
