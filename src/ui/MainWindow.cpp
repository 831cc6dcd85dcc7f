#include "ui/MainWindow.h"

#include <algorithm>
#include <span>

#include "core/OperationError.h"
#include "operations/Emptying.h"
#include "operations/Removal.h"
#include "operations/RemovalPlan.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/TextFit.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

// Below the instruction the filter row comes first; everything under it sits lower by its room.
constexpr LayoutRect kListGroupRect{kMargin, 72, 345, 185};

struct MenuItem {
    int id;
    const char* caption;
};

HMENU build_menu_bar() {
    const HMENU bar = CreateMenu();
    const auto add_menu = [bar](const char* caption, std::initializer_list<MenuItem> items) {
        const HMENU popup = CreatePopupMenu();
        for (const MenuItem& item : items)
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id),
                        widen(item.caption).c_str());
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), widen(caption).c_str());
    };
    add_menu(texts::kTempFolderMenu, {{ids::kMenuEmptyTempPath, texts::kEmptyFolderItem},
                                      {ids::kMenuRestoreRemoved, texts::kRestoreRemovedItem}});
    add_menu(texts::kUnusedGaugesMenu, {{ids::kMenuEmptyUnusedGauges, texts::kEmptyFolderItem}});
    add_menu(texts::kSettingsMenu, {{ids::kMenuChangeSimFolder, texts::kChangeSimFolderItem},
                                    {ids::kMenuReload, texts::kReloadItem}});
    add_menu(texts::kAboutMenu, {{ids::kMenuAboutFromMain, texts::kAboutItem}});
    return bar;
}

}  // namespace

void MainWindow::create() {
    if (is_open()) return;
    close_asked_ = false;
    planned_.reset();
    anchored_.clear();
    FrameSpec frame;
    frame.class_name = L"QuorvaneMainWindow";
    frame.caption = widen(texts::kMainCaption);
    frame.style = WS_OVERLAPPEDWINDOW;
    frame.ex_style = WS_EX_APPWINDOW;
    frame.client_width = 368;
    frame.client_height = 352;
    frame.menu = build_menu_bar();
    create_frame(frame);

    // Created in tab order: the button first, which has the focus when the window opens.
    add_control(L"BUTTON", widen(texts::kRemoveSelected), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {168, 304, 185, kButtonHeight}, ids::kMainRemove);
    add_control(L"STATIC", widen(texts::kFind), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                {kMargin, 48, 37, kLineHeight}, ids::kMainFindLabel);
    add_control(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {45, 45, 308, kBoxHeight},
                ids::kMainFilter, kDefaultFont, WS_EX_CLIENTEDGE);
    const HWND list_group =
        add_control(L"BUTTON", widen(texts::kAircraftList), BS_GROUPBOX | WS_GROUP, kListGroupRect,
                    ids::kMainListGroup);
    list_.attach(add_control(L"LISTBOX", L"",
                             LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                 WS_HSCROLL | WS_TABSTOP | WS_GROUP,
                             inside(kListGroupRect, {kMargin, 16, 329, 160}), ids::kMainList,
                             kDefaultFont, WS_EX_CLIENTEDGE),
                 dpi());
    add_control(L"STATIC", widen(texts::kMainInstruction), SS_LEFT,
                {kMargin, kMargin, 345, kTwoLinesHeight}, ids::kMainInstruction);
    // Texts of any length on one line each: a long one ends in "...", the window keeps its size.
    add_control(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS,
                {kMargin, 262, 345, kLineHeight}, ids::kMainFolder);
    add_control(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS,
                {kMargin, 279, 345, kLineHeight}, ids::kMainSummary);
    SetWindowPos(list_group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    finish_layout();
    remember_first_size();
}

void MainWindow::remember_first_size() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    first_client_ = {client.right, client.bottom};
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    first_frame_ = {frame.right - frame.left, frame.bottom - frame.top};
    // The list and the lines about the selection take what the window gains; the button keeps
    // to the bottom right corner.
    anchored_ = {
        {ids::kMainInstruction, true, false, false, false, {}},
        {ids::kMainFilter, true, false, false, false, {}},
        {ids::kMainListGroup, true, true, false, false, {}},
        {ids::kMainList, true, true, false, false, {}},
        {ids::kMainFolder, true, false, false, true, {}},
        {ids::kMainSummary, true, false, false, true, {}},
        {ids::kMainRemove, false, false, true, true, {}},
    };
    for (Anchored& a : anchored_) a.first = placed_rect(control(a.id));
}

void MainWindow::follow_size() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int dx = client.right - first_client_.cx;
    const int dy = client.bottom - first_client_.cy;
    for (const Anchored& a : anchored_) {
        const RECT& r = a.first;
        SetWindowPos(control(a.id), nullptr, r.left + (a.move_right ? dx : 0),
                     r.top + (a.move_down ? dy : 0), r.right - r.left + (a.grow_width ? dx : 0),
                     r.bottom - r.top + (a.grow_height ? dy : 0), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The group box's caption and edges are drawn by the window behind them.
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::show_loaded() {
    if (!is_open()) return;
    if (!IsWindowVisible(hwnd())) {
        show_centred();
        SetFocus(control(ids::kMainList));
    }
}

void MainWindow::clear() {
    filter_.clear();
    list_.clear();
    show_caption();
    show_selection();
}

void MainWindow::add(const std::string& title) {
    if (filter_.add(title)) list_.add(title);
}

std::vector<std::size_t> MainWindow::selected_positions() const {
    std::vector<std::size_t> positions;
    for (std::size_t entry : list_.selected_positions())
        if (entry < filter_.shown().size()) positions.push_back(filter_.shown()[entry]);
    return positions;
}

void MainWindow::apply_filter() {
    const std::vector<std::size_t> selected = selected_positions();
    filter_.set_text(narrow(window_text(control(ids::kMainFilter))));
    std::vector<std::string> titles;
    std::vector<std::size_t> still_selected;
    for (std::size_t position : filter_.shown()) {
        if (std::binary_search(selected.begin(), selected.end(), position))
            still_selected.push_back(titles.size());
        titles.push_back(filter_.title(position));
    }
    list_.fill(titles);
    list_.select(still_selected);
    show_caption();
    show_selection();
}

void MainWindow::show_caption() {
    if (is_open()) SetWindowTextW(control(ids::kMainListGroup), widen(filter_.caption()).c_str());
}

void MainWindow::show_selection() {
    if (!is_open()) return;
    const std::vector<std::size_t> selected = selected_positions();
    // Nothing to remove while nothing is selected.
    EnableWindow(control(ids::kMainRemove), selected.empty() ? FALSE : TRUE);
    if (selected.size() == 1) {
        if (planned_ != selected.front()) show_plan(selected.front());
        return;
    }
    planned_.reset();
    SetWindowTextW(control(ids::kMainFolder), L"");
    SetWindowTextW(control(ids::kMainSummary), L"");
}

void MainWindow::show_plan(std::size_t position) {
    const Catalogue& catalogue = host_.catalogue();
    const OperationContext context = host_.context();
    if (position >= catalogue.list_records.size()) return;
    const AircraftRecord& target = catalogue.aircraft_table.at(catalogue.list_records[position]);
    // Only this aircraft's files are read; nothing on the disk changes.
    std::string summary;
    try {
        summary = why_not_through(context.fs, context.workspace, target);
        if (summary.empty()) {
            const PlanOutcome planned =
                plan_removal(context.fs, context.workspace, catalogue, target);
            summary = planned.result == PlanOutcome::Result::planned ? summarise(planned.plan)
                                                                     : planned.why;
        }
    } catch (const OperationError& error) {
        summary = error.what();
    }
    planned_ = position;
    SetWindowTextW(control(ids::kMainFolder), widen(target.folder).c_str());
    SetWindowTextW(control(ids::kMainSummary), widen(summary).c_str());
}

void MainWindow::begin_operation() {
    if (!is_open()) return;
    const HWND focus = GetFocus();
    focus_before_operation_ = focus != nullptr && IsChild(hwnd(), focus) ? focus : nullptr;
    EnableWindow(hwnd(), FALSE);
}

void MainWindow::end_operation() {
    if (!is_open()) return;
    // A load leaves the list without a selection, and its counts are final only now.
    show_caption();
    show_selection();
    EnableWindow(hwnd(), TRUE);
    if (focus_before_operation_ != nullptr && IsWindow(focus_before_operation_) &&
        GetActiveWindow() == hwnd())
        SetFocus(focus_before_operation_);
    focus_before_operation_ = nullptr;
}

void MainWindow::show_walks(std::size_t walks) {
    if (is_open())
        SetPropW(hwnd(), kWalksProperty,
                 reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(walks)));
}

bool MainWindow::on_key(WPARAM key) {
    if (!is_open()) return false;
    const HWND focus = GetFocus();
    const HWND find = control(ids::kMainFilter);
    const HWND list = control(ids::kMainList);
    if (key == VK_F3 || (key == 'F' && GetKeyState(VK_CONTROL) < 0)) {
        SetFocus(find);
        SendMessageW(find, EM_SETSEL, 0, -1);
        return true;
    }
    if (focus == find && key == VK_ESCAPE) {
        SetWindowTextW(find, L"");
        return true;
    }
    if (focus == find && (key == VK_DOWN || key == VK_RETURN)) {
        SetFocus(list);
        if (SendMessageW(list, LB_GETSELCOUNT, 0, 0) == 0 &&
            SendMessageW(list, LB_GETCOUNT, 0, 0) > 0) {
            SendMessageW(list, LB_SETSEL, TRUE, 0);
            SendMessageW(list, LB_SETCARETINDEX, 0, FALSE);
            show_selection();
        }
        return true;
    }
    if (focus == list && key == VK_DELETE) {
        const HWND remove = control(ids::kMainRemove);
        if (IsWindowEnabled(remove))
            SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(ids::kMainRemove, BN_CLICKED),
                         reinterpret_cast<LPARAM>(remove));
        return true;
    }
    return false;
}

void MainWindow::close_if_asked() {
    if (close_asked_) close();
}

void MainWindow::on_command(int id, int code) {
    switch (id) {
        case ids::kMainRemove: {
            if (code != BN_CLICKED) return;
            const std::vector<std::size_t> positions = selected_positions();
            host_.run_operation(
                [positions](Operation& op) {
                    const OperationContext& c = op.context;
                    const RemovalOutcome outcome =
                        remove_aircraft(c.fs, c.workspace, c.ui, op.catalogue,
                                        std::span<const std::size_t>(positions), c.clock);
                    if (outcome.reload) op.update(outcome.touched);
                },
                hwnd());
            return;
        }
        case ids::kMainFilter:
            if (code == EN_CHANGE) apply_filter();
            return;
        case ids::kMainList:
            if (code == LBN_SELCHANGE) show_selection();
            return;
        case ids::kMenuEmptyTempPath:
            host_.run_operation(
                [](Operation& op) {
                    empty_temp_path(op.context.fs, op.context.workspace, op.context.ui);
                },
                hwnd());
            return;
        case ids::kMenuEmptyUnusedGauges:
            host_.run_operation(
                [](Operation& op) {
                    empty_unused_gauges(op.context.fs, op.context.workspace, op.context.ui);
                },
                hwnd());
            return;
        case ids::kMenuRestoreRemoved:
            host_.open(WindowHost::Opens::restore);
            return;
        case ids::kMenuReload:
            host_.reload();
            return;
        case ids::kMenuChangeSimFolder:
            host_.open(WindowHost::Opens::change_settings);
            return;
        case ids::kMenuAboutFromMain:
            if (!host_.busy()) host_.open(WindowHost::Opens::about);
            return;
        default:
            return;
    }
}

LRESULT MainWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            on_command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_SIZE:
            if (wparam != SIZE_MINIMIZED && !anchored_.empty()) follow_size();
            break;
        case WM_GETMINMAXINFO:
            // Never smaller than its first size, where every control has the room it needs.
            if (first_frame_.cx > 0) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
                limits->ptMinTrackSize = {first_frame_.cx, first_frame_.cy};
            }
            return 0;
        case WM_DESTROY:
            RemovePropW(hwnd(), kWalksProperty);
            break;
        case WM_CLOSE:
            // Closing under a running operation would pull its tables and list away: the
            // window closes when the operation has ended.
            if (host_.busy()) {
                close_asked_ = true;
                return 0;
            }
            break;
        default:
            break;
    }
    return Window::on_message(message, wparam, lparam);
}

void MainWindow::on_closed() {
    list_.detach();
    anchored_.clear();
    host_.window_closed();
}

}  // namespace qv::ui
