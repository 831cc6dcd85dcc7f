#include "ui/CheckWindow.h"

#include "core/OperationError.h"
#include "operations/FolderHold.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WideText.h"

namespace qv::ui {
namespace {

constexpr int kGroups = 6;

// The columns of each group, in the order of the groups.
constexpr const char* kCaptions[kGroups][3] = {
    {texts::kTitleColumn, texts::kFolderColumn, texts::kWhatIsMissingColumn},
    {texts::kPanelColumn, texts::kGaugesColumn, texts::kUsedByColumn},
    {texts::kTitleColumn, texts::kFoldersColumn, texts::kCountColumn},
    {texts::kFolderColumn, texts::kFilesColumn, texts::kSizeColumn},
    {texts::kFolderColumn, texts::kFilesColumn, texts::kSizeColumn},
    {texts::kFolderColumn, texts::kFilesColumn, texts::kSizeColumn},
};

// Their widths at 96 DPI, which fill the list beside its scroll bar.
constexpr int kWidths[kGroups][3] = {
    {200, 150, 214}, {160, 190, 214}, {220, 290, 54},
    {394, 70, 100},  {394, 70, 100},  {394, 70, 100},
};

}  // namespace

void CheckWindow::open(HWND owner) {
    if (is_open()) {
        bring_to_front();
        refresh();
        return;
    }
    FrameSpec frame;
    frame.class_name = L"QuorvaneCheckWindow";
    frame.caption = widen(texts::kCheckCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width = 620;
    frame.client_height = 380;
    frame.owner = owner;
    create_frame(frame);

    // Created in tab order: the tabs have the focus when the window opens.
    tabs_ = add_control(WC_TABCONTROLW, L"", WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS,
                        {kMargin, 62, 604, 264}, ids::kCheckGroups);
    for (int g = 0; g < kGroups; ++g) {
        std::wstring caption = widen(replace_first(texts::kCheckGroupTabs[g], "%1", "0"));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(g),
                     reinterpret_cast<LPARAM>(&item));
    }
    static constexpr ReportList::Column kColumns[] = {{"", 230}, {"", 150}, {"", 180}};
    list_.attach(add_control(WC_LISTVIEWW, L"", ReportList::style(true), {16, 94, 588, 224},
                             ids::kCheckList, kDefaultFont, WS_EX_CLIENTEDGE),
                 dpi(), kColumns, [this](std::size_t row, int column) {
                     const auto& rows = rows_[static_cast<std::size_t>(group_)];
                     return row < rows.size() ? rows[row].cells[static_cast<std::size_t>(column)]
                                              : std::string();
                 });
    list_.selection_changed = [this] { update_buttons(); };
    add_control(L"BUTTON", widen(texts::kShowInList), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {kMargin, 338, 150, kButtonHeight}, ids::kCheckShowInList);
    add_control(L"BUTTON", widen(texts::kHoldSelected), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {432, 338, 180, kButtonHeight}, ids::kCheckHold);
    add_control(L"STATIC", widen(texts::kCheckInstruction), SS_LEFT,
                {kMargin, kMargin, 604, kTwoLinesHeight}, ids::kCheckInstruction);
    add_control(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS,
                {kMargin, 42, 604, kLineHeight}, ids::kCheckSkipped);
    finish_layout();
    group_ = kBroken;
    refresh();

    show_centred();
    SetFocus(tabs_);
}

void CheckWindow::refresh() {
    if (!is_open()) return;
    try {
        const OperationContext context = host_.context();
        report_ = check_collection(context.fs, context.workspace, host_.catalogue());
    } catch (const OperationError& error) {
        report_ = CollectionReport();
        show_warning(hwnd(), error.what());
    }
    fill_rows();
    for (int g = 0; g < kGroups; ++g) {
        const std::size_t count = g == kHolding ? 2 : rows_[static_cast<std::size_t>(g)].size();
        std::wstring caption =
            widen(replace_first(texts::kCheckGroupTabs[g], "%1", with_thousands(count)));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs_, TCM_SETITEMW, static_cast<WPARAM>(g), reinterpret_cast<LPARAM>(&item));
    }
    set_control_text(ids::kCheckSkipped,
                     report_.skipped.empty()
                         ? std::wstring()
                         : widen(replace_first(texts::kCheckSkipped, "%1",
                                               with_thousands(report_.skipped.size()))));
    show_group(group_);
}

void CheckWindow::fill_rows() {
    for (auto& rows : rows_) rows.clear();
    const auto shown = [](const std::string& rel) { return path::with_native_separators(rel); };
    for (const auto& b : report_.broken)
        rows_[kBroken].push_back({{b.title, b.folder, what_is_missing(b)}, b.position, {}});
    for (const auto& m : report_.missing_gauges)
        rows_[kMissingGauges].push_back({{m.panel, listed(m.gauges), listed(m.titles)}, 0, {}});
    for (const auto& d : report_.duplicate_titles)
        rows_[kSameTitle].push_back(
            {{d.title, listed(d.folders), std::to_string(d.folders.size())}, 0, {}});
    const auto wasted = [&](const std::vector<WastedFolder>& folders, Group group) {
        for (const auto& f : folders)
            rows_[group].push_back(
                {{f.folder, with_thousands(f.files), human_size(f.bytes)}, 0, f.folder});
    };
    wasted(report_.unused_folders, kUnused);
    wasted(report_.without_aircraft, kWithoutAircraft);
    const OperationContext context = host_.context();
    rows_[kHolding].push_back(
        {{shown(context.workspace.temp_path_dir) + "  (" + with_thousands(report_.held_removals) +
              (report_.held_removals == 1 ? " removal)" : " removals)"),
          with_thousands(report_.temp_path.files), human_size(report_.temp_path.bytes)},
         0,
         {}});
    rows_[kHolding].push_back(
        {{shown(context.workspace.unused_gauges_dir), with_thousands(report_.unused_gauges.files),
          human_size(report_.unused_gauges.bytes)},
         0,
         {}});
}

void CheckWindow::show_group(int group) {
    group_ = group;
    if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != group)
        SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(group), 0);
    list_.set_captions(kCaptions[group]);
    list_.set_column_widths(kWidths[group]);
    list_.reset(rows_[static_cast<std::size_t>(group)].size());
    update_buttons();
}

void CheckWindow::update_buttons() {
    const bool any = !list_.selected().empty();
    EnableWindow(control(ids::kCheckShowInList), group_ == kBroken && any);
    EnableWindow(control(ids::kCheckHold),
                 (group_ == kUnused || group_ == kWithoutAircraft) && any);
}

std::vector<std::string> CheckWindow::selected_folders() const {
    std::vector<std::string> folders;
    const auto& rows = rows_[static_cast<std::size_t>(group_)];
    for (std::size_t row : list_.selected())
        if (row < rows.size() && !rows[row].folder.empty()) folders.push_back(rows[row].folder);
    return folders;
}

void CheckWindow::on_show_in_list() {
    const std::vector<std::size_t> selected = list_.selected();
    if (group_ != kBroken || selected.empty() || !show_in_list) return;
    show_in_list(rows_[kBroken].at(selected.front()).position);
}

void CheckWindow::on_hold() {
    const std::vector<std::string> folders = selected_folders();
    if (folders.empty() || (group_ != kUnused && group_ != kWithoutAircraft)) return;
    host_.run_operation(
        [folders](Operation& op) {
            const FolderHoldOutcome outcome = hold_folders(op.context.fs, op.context.workspace,
                                                           op.context.ui, op.catalogue, folders);
            if (outcome.reload) op.update(outcome.touched);
        },
        hwnd());
}

bool CheckWindow::on_key(WPARAM key) {
    if (key != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
    const bool back = GetKeyState(VK_SHIFT) < 0;
    show_group((group_ + (back ? kGroups - 1 : 1)) % kGroups);
    return true;
}

LRESULT CheckWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        const auto& note = *reinterpret_cast<const NMHDR*>(lparam);
        if (note.hwndFrom == tabs_ && note.code == TCN_SELCHANGE) {
            show_group(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        if (note.hwndFrom == list_.hwnd() && note.code == NM_DBLCLK) {
            on_show_in_list();
            return 0;
        }
        LRESULT result = 0;
        if (list_.on_notify(note, result)) return result;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == ids::kCheckShowInList && code == BN_CLICKED) on_show_in_list();
        if (id == ids::kCheckHold && code == BN_CLICKED) on_hold();
        // Enter in the list (see App::pre_translate).
        if (id == ids::kCheckList && code == LBN_DBLCLK) on_show_in_list();
        // Esc, which the dialog keys turn into IDCANCEL; not while a hold runs.
        if (id == IDCANCEL && code == BN_CLICKED && !host_.busy()) close();
        return 0;
    }
    if (message == WM_CLOSE && host_.busy()) return 0;
    return Window::on_message(message, wparam, lparam);
}

void CheckWindow::on_closed() {
    list_.detach();
    tabs_ = nullptr;
    report_ = CollectionReport();
    for (auto& rows : rows_) rows.clear();
    host_.window_closed();
}

}  // namespace qv::ui
