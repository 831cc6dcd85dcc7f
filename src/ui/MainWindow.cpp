#include "ui/MainWindow.h"

#include <algorithm>
#include <span>

#include "core/OperationError.h"
#include "operations/Emptying.h"
#include "operations/Removal.h"
#include "operations/RemovalPlan.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/TextFit.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

// Below the instruction the filter row comes first; everything under it sits lower by its room.
constexpr LayoutRect kListGroupRect{kMargin, 72, 345, 185};
// What the default size adds to the smallest, at 96 DPI.
constexpr SIZE kDefaultGrowth{170, 150};
// The status bar's room below the button (the bar sizes itself to its font).
constexpr int kStatusBarHeight = 22;
// Where a group box's caption stands from its left edge.
constexpr int kCaptionIndent = 7;
// Posted once for the changes of the selection one click or key makes.
constexpr UINT kSelectionMessage = WM_APP + 1;

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
    add_menu(texts::kCollectionMenu, {{ids::kMenuCheckCollection, texts::kCheckCollectionItem}});
    add_menu(texts::kAboutMenu, {{ids::kMenuAboutFromMain, texts::kAboutItem}});
    return bar;
}

}  // namespace

void MainWindow::create() {
    if (is_open()) return;
    close_asked_ = false;
    selection_pending_ = false;
    shown_once_ = false;
    planned_.reset();
    anchored_.clear();
    FrameSpec frame;
    frame.class_name = L"QuorvaneMainWindow";
    frame.caption = widen(texts::kMainCaption);
    frame.style = WS_OVERLAPPEDWINDOW;
    frame.ex_style = WS_EX_APPWINDOW;
    frame.client_width = 368;
    frame.client_height = 352 + kStatusBarHeight;
    frame.menu = build_menu_bar();
    create_frame(frame);

    // Created in tab order: the button first, which has the focus when the window opens.
    add_control(L"BUTTON", widen(texts::kRemoveSelected), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {168, 304, 185, kButtonHeight}, ids::kMainRemove);
    add_control(L"STATIC", widen(texts::kFind), SS_LEFTNOWORDWRAP, {kMargin, 48, 37, kLineHeight},
                ids::kMainFindLabel);
    add_control(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {45, 45, 308, kBoxHeight},
                ids::kMainFilter, kDefaultFont, WS_EX_CLIENTEDGE);
    // The frame's caption is a label of its own laid over the frame's top edge: a group box
    // whose caption changes leaves its frame line across the caption's end under Wine.
    const HWND list_group = add_control(L"BUTTON", L"", BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS,
                                        kListGroupRect, ids::kMainListFrame);
    add_control(L"STATIC", widen(texts::kAircraftList), SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                {kListGroupRect.left + kCaptionIndent, kListGroupRect.top, 200, kLineHeight - 2},
                ids::kMainListGroup);
    static constexpr ReportList::Column kColumns[] = {{texts::kTitleColumn, 210},
                                                      {texts::kFolderColumn, 100}};
    list_.attach(add_control(WC_LISTVIEWW, L"", ReportList::style(true),
                             inside(kListGroupRect, {kMargin, 18, 329, 158}), ids::kMainList,
                             kDefaultFont, WS_EX_CLIENTEDGE),
                 dpi(), kColumns,
                 [this](std::size_t row, int column) { return cell(row, column); });
    list_.column_clicked = [this](int column) { sort_by(column); };
    list_.selection_changed = [this] {
        if (selection_pending_) return;
        selection_pending_ = true;
        PostMessageW(hwnd(), kSelectionMessage, 0, 0);
    };
    add_control(L"STATIC", widen(texts::kMainInstruction), SS_LEFT,
                {kMargin, kMargin, 345, kTwoLinesHeight}, ids::kMainInstruction);
    // Texts of any length on one line each: a long one ends in "...", the window keeps its size.
    add_control(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS,
                {kMargin, 262, 345, kLineHeight}, ids::kMainFolder);
    add_control(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS,
                {kMargin, 279, 345, kLineHeight}, ids::kMainSummary);
    SetWindowPos(list_group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                              0, 0, 0, hwnd(), reinterpret_cast<HMENU>(ids::kMainStatus),
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font(kDefaultFont)), FALSE);
    finish_layout();
    remember_first_size();
    place();
    show_counts();
}

void MainWindow::place() {
    const OperationContext context = host_.context();
    placement_ = read_placement(context.fs, context.workspace);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    // The default: room for the Title and Folder columns and 15 rows or more.
    int width = frame.right - frame.left + scaled(kDefaultGrowth.cx, dpi());
    int height = frame.bottom - frame.top + scaled(kDefaultGrowth.cy, dpi());
    if (placement_) {
        width = std::max<int>(first_frame_.cx, scaled(placement_->width, dpi()));
        height = std::max<int>(first_frame_.cy, scaled(placement_->height, dpi()));
        list_.set_column_widths(placement_->columns);
    }
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!placement_ || placement_->columns.empty()) list_.fill_width();
}

void MainWindow::save_placement() {
    WINDOWPLACEMENT shown{};
    shown.length = sizeof shown;
    // A window closed before its load ended was never shown where the user put it.
    if (!shown_once_ || !GetWindowPlacement(hwnd(), &shown)) return;
    const RECT& r = shown.rcNormalPosition;
    const auto at_96 = [this](LONG pixels) { return MulDiv(static_cast<int>(pixels), 96, dpi()); };
    WindowPlacement placement{static_cast<int>(r.left),          static_cast<int>(r.top),
                              at_96(r.right - r.left),           at_96(r.bottom - r.top),
                              shown.showCmd == SW_SHOWMAXIMIZED, list_.column_widths()};
    const OperationContext context = host_.context();
    write_placement(context.fs, context.workspace, placement);
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
        {ids::kMainListFrame, true, true, false, false, {}},
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
    if (!is_open() || IsWindowVisible(hwnd())) return;
    shown_once_ = true;
    // Placed where it last was, unless no screen shows that place any more.
    RECT remembered{};
    if (placement_) {
        RECT frame{};
        GetWindowRect(hwnd(), &frame);
        remembered = {placement_->left, placement_->top,
                      placement_->left + frame.right - frame.left,
                      placement_->top + frame.bottom - frame.top};
    }
    if (placement_ && MonitorFromRect(&remembered, MONITOR_DEFAULTTONULL) != nullptr) {
        SetWindowPos(hwnd(), nullptr, remembered.left, remembered.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(hwnd(), placement_->maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
        UpdateWindow(hwnd());
    } else {
        show_centred();
    }
    SetFocus(control(ids::kMainList));
}

void MainWindow::clear() {
    rows_.clear();
    grown_ = 0;
    list_.reset(0);
    show_caption();
    show_selection();
}

void MainWindow::add(const AircraftRecord& titled) {
    if (!rows_.add(titled.title, shown_folder(titled.folder))) return;
    // The list grows as the walk goes, a few times a second: each growth of a shown list
    // redraws its scroll bar, which thousands of sections one by one would make the wait.
    const ULONGLONG now = GetTickCount64();
    if (now - grown_ < kGrowInterval) return;
    grown_ = now;
    list_.grow(rows_.shown().size());
}

std::string MainWindow::shown_folder(const std::string& folder) const {
    const std::string& aircraft = host_.context().workspace.sim_aircraft_dir;
    return path::below(folder, aircraft).value_or(folder);
}

std::string MainWindow::cell(std::size_t row, int column) const {
    if (row >= rows_.shown().size()) return {};
    const std::size_t position = rows_.shown()[row];
    return column == AircraftRows::kFolder ? rows_.folder(position) : rows_.title(position);
}

std::vector<std::size_t> MainWindow::selected_positions() const {
    std::vector<std::size_t> positions;
    for (std::size_t row : list_.selected())
        if (row < rows_.shown().size()) positions.push_back(rows_.shown()[row]);
    // In the catalogue's order, whatever the list's: a batch removes in the walk's order.
    std::sort(positions.begin(), positions.end());
    return positions;
}

void MainWindow::show_rows(const std::vector<std::size_t>& selected) {
    std::vector<std::size_t> still_selected;
    for (std::size_t row = 0; row < rows_.shown().size(); ++row)
        if (std::binary_search(selected.begin(), selected.end(), rows_.shown()[row]))
            still_selected.push_back(row);
    list_.reset(rows_.shown().size());
    list_.select(still_selected);
    show_caption();
    show_selection();
}

void MainWindow::show_position(std::size_t position) {
    if (!is_open() || position >= rows_.total()) return;
    const auto& shown = rows_.shown();
    if (std::find(shown.begin(), shown.end(), position) == shown.end())
        SetWindowTextW(control(ids::kMainFilter), L"");  // its EN_CHANGE shows every row
    show_rows({position});
    SetFocus(list_.hwnd());
}

void MainWindow::apply_filter() {
    const std::vector<std::size_t> selected = selected_positions();
    rows_.set_text(narrow(window_text(control(ids::kMainFilter))));
    show_rows(selected);
}

void MainWindow::sort_by(int column) {
    const std::vector<std::size_t> selected = selected_positions();
    rows_.sort_by(column == 1 ? AircraftRows::kFolder : AircraftRows::kTitle);
    list_.show_sort(rows_.sorted_by(), rows_.descending());
    show_rows(selected);
}

void MainWindow::show_caption() {
    if (!is_open()) return;
    const HWND caption = control(ids::kMainListGroup);
    const std::wstring text = widen(rows_.caption());
    SetWindowTextW(caption, text.c_str());
    // The label is as wide as its text and a blank each side, so that it covers the frame's
    // line there and no more; what it uncovers is drawn again.
    MemoryDc dc;
    SelectedObject label_font(dc.get(),
                              reinterpret_cast<HFONT>(SendMessageW(caption, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    RECT before{};
    GetWindowRect(caption, &before);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(caption, nullptr, 0, 0, size.cx + scaled(4, dpi()), before.bottom - before.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd(), &before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RedrawWindow(caption, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    show_counts();
}

void MainWindow::show_counts() {
    if (!is_open() || status_ == nullptr) return;
    const std::size_t selected = list_.selected().size();
    const std::string parts[] = {rows_.count_text(),
                                 selected == 0 ? "" : with_thousands(selected) + " selected",
                                 held_text_};
    for (int i = 0; i < 3; ++i)
        SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(widen(parts[i]).c_str()));
}

void MainWindow::show_held(const FolderSize& held) {
    held_text_ = "Temp_Path: " + human_size(held.bytes) + " held";
    show_counts();
}

void MainWindow::show_selection() {
    if (!is_open()) return;
    const std::vector<std::size_t> selected = selected_positions();
    show_counts();
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
    // A load leaves the list without a selection, and its counts are final only now; the rows
    // it added go where the chosen order wants them.
    if (list_.size() != rows_.shown().size() || rows_.sorted_by() != AircraftRows::kWalkOrder) {
        const std::vector<std::size_t> selected = selected_positions();
        rows_.sort();
        show_rows(selected);
    }
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
        if (list_.selected().empty() && list_.size() > 0) list_.select({0});
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
        case ids::kMenuCheckCollection:
            host_.open(WindowHost::Opens::check);
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
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (list_.on_notify(*reinterpret_cast<const NMHDR*>(lparam), result)) return result;
            break;
        }
        case kSelectionMessage:
            selection_pending_ = false;
            show_selection();
            return 0;
        case WM_COMMAND:
            on_command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_SIZE:
            if (status_ != nullptr) {
                SendMessageW(status_, WM_SIZE, 0, 0);
                // The count, the selection and the holding folder, the last the widest.
                const int width = LOWORD(lparam);
                const int edges[] = {width * 2 / 5, width * 3 / 5, -1};
                SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
            }
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
            save_placement();
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
    status_ = nullptr;
    anchored_.clear();
    host_.window_closed();
}

}  // namespace qv::ui
