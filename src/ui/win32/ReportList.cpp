#include "ui/win32/ReportList.h"

#include <cwchar>

#include "ui/win32/Dpi.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

DWORD ReportList::style(bool multiple) {
    return LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | (multiple ? 0 : LVS_SINGLESEL) |
           WS_TABSTOP | WS_GROUP;
}

void ReportList::attach(HWND list, int dpi, std::span<const Column> columns, CellText text) {
    list_ = list;
    dpi_ = dpi;
    text_ = std::move(text);
    rows_ = 0;
    columns_ = static_cast<int>(columns.size());
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    for (int i = 0; i < columns_; ++i) {
        std::wstring caption = widen(columns[static_cast<std::size_t>(i)].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = caption.data();
        column.cx = scaled(columns[static_cast<std::size_t>(i)].width, dpi_);
        column.iSubItem = i;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
}

void ReportList::detach() {
    list_ = nullptr;
    rows_ = 0;
    text_ = nullptr;
}

void ReportList::reset(std::size_t rows) {
    rows_ = rows;
    if (list_ == nullptr) return;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SendMessageW(list_, LVM_SETITEMCOUNT, rows, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void ReportList::grow(std::size_t rows) {
    rows_ = rows;
    if (list_ != nullptr)
        SendMessageW(list_, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

std::vector<std::size_t> ReportList::selected() const {
    std::vector<std::size_t> rows;
    if (list_ == nullptr) return rows;
    for (LRESULT i = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
         i >= 0 && static_cast<std::size_t>(i) < rows_;
         i = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))
        rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

void ReportList::select(const std::vector<std::size_t>& rows) {
    if (list_ == nullptr) return;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (rows[k] >= rows_) continue;
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | (k == 0 ? LVIS_FOCUSED : 0);
        SendMessageW(list_, LVM_SETITEMSTATE, rows[k], reinterpret_cast<LPARAM>(&item));
    }
    if (!rows.empty() && rows.front() < rows_)
        SendMessageW(list_, LVM_ENSUREVISIBLE, rows.front(), FALSE);
}

void ReportList::set_captions(std::span<const char* const> captions) {
    if (list_ == nullptr) return;
    for (std::size_t i = 0; i < captions.size() && static_cast<int>(i) < columns_; ++i) {
        std::wstring caption = widen(captions[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = caption.data();
        SendMessageW(list_, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ReportList::show_sort(int column, bool descending) {
    if (list_ == nullptr) return;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    for (int i = 0; i < columns_; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<int> ReportList::column_widths() const {
    std::vector<int> widths;
    if (list_ == nullptr) return widths;
    for (int i = 0; i < columns_; ++i) {
        const int pixels = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, i, 0));
        widths.push_back(MulDiv(pixels, 96, dpi_));
    }
    return widths;
}

void ReportList::set_column_widths(std::span<const int> widths) {
    if (list_ == nullptr) return;
    for (std::size_t i = 0; i < widths.size() && static_cast<int>(i) < columns_; ++i)
        if (widths[i] > 0)
            SendMessageW(list_, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(scaled(widths[i], dpi_), 0));
}

void ReportList::fill_width() {
    if (list_ == nullptr || columns_ == 0) return;
    RECT client{};
    GetClientRect(list_, &client);
    int others = 0;
    for (int i = 1; i < columns_; ++i)
        others += static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, i, 0));
    // Room for the vertical scroll bar, which a long list shows.
    const int room = client.right - others - GetSystemMetrics(SM_CXVSCROLL);
    if (room > SendMessageW(list_, LVM_GETCOLUMNWIDTH, 0, 0))
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(room, 0));
}

std::ptrdiff_t ReportList::find_from(std::size_t start, const std::wstring& typed) const {
    if (typed.empty() || rows_ == 0) return -1;
    for (std::size_t k = 0; k < rows_; ++k) {
        const std::size_t row = (start + k) % rows_;
        const std::wstring title = widen(text_(row, 0));
        if (title.size() >= typed.size() &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, title.data(),
                           static_cast<int>(typed.size()), typed.data(),
                           static_cast<int>(typed.size())) == CSTR_EQUAL)
            return static_cast<std::ptrdiff_t>(row);
    }
    return -1;
}

bool ReportList::on_notify(const NMHDR& note, LRESULT& result) {
    if (list_ == nullptr || note.hwndFrom != list_) return false;
    result = 0;
    switch (note.code) {
        case LVN_GETDISPINFOW: {
            auto& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(note)).item;
            if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0)
                return true;
            const std::size_t row = static_cast<std::size_t>(item.iItem);
            const std::wstring text = row < rows_ ? widen(text_(row, item.iSubItem)) : L"";
            wcsncpy(item.pszText, text.c_str(), static_cast<std::size_t>(item.cchTextMax) - 1);
            item.pszText[item.cchTextMax - 1] = L'\0';
            return true;
        }
        case LVN_ODFINDITEMW: {
            const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(note);
            result = -1;
            if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr)
                return true;
            const std::size_t start = find.iStart >= 0 ? static_cast<std::size_t>(find.iStart) : 0;
            result = find_from(start, find.lvfi.psz);
            return true;
        }
        case LVN_COLUMNCLICK:
            if (column_clicked) column_clicked(reinterpret_cast<const NMLISTVIEW&>(note).iSubItem);
            return true;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(note);
            if ((change.uChanged & LVIF_STATE) != 0 &&
                ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0 && selection_changed)
                selection_changed();
            return true;
        }
        case LVN_ODSTATECHANGED: {
            const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(note);
            if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0 && selection_changed)
                selection_changed();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace qv::ui
