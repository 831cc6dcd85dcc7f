#include "ui/AircraftList.h"

#include "ui/win32/Dpi.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

void AircraftList::attach(HWND list, int dpi) {
    detach();
    list_ = list;
    // The list box draws its text a little in from the edge; the same room at the far end.
    margin_ = scaled(kListTextMargin, dpi);
    measure_.emplace();
    measure_font_.emplace(measure_->get(),
                          reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    widest_ = 0;
}

void AircraftList::detach() {
    measure_font_.reset();
    measure_.reset();
    list_ = nullptr;
}

void AircraftList::clear() {
    if (list_ == nullptr) return;
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    widest_ = 0;
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, 0, 0);
}

void AircraftList::add(const std::string& title) {
    if (list_ == nullptr) return;
    const std::wstring shown = widen(title);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    widen_to(shown);
}

void AircraftList::widen_to(const std::wstring& title) {
    SIZE size{};
    GetTextExtentPoint32W(measure_->get(), title.c_str(), static_cast<int>(title.size()), &size);
    if (size.cx + margin_ <= widest_) return;
    widest_ = size.cx + margin_;
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
}

void AircraftList::fill(const std::vector<std::string>& titles) {
    if (list_ == nullptr) return;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    clear();
    for (const auto& title : titles) add(title);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

std::vector<std::size_t> AircraftList::selected_positions() const {
    if (list_ == nullptr) return {};
    const LRESULT count = SendMessageW(list_, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return {};
    std::vector<int> items(static_cast<std::size_t>(count));
    const LRESULT got =
        SendMessageW(list_, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
    std::vector<std::size_t> positions;
    for (LRESULT i = 0; i < got && i < count; ++i)
        positions.push_back(static_cast<std::size_t>(items[static_cast<std::size_t>(i)]));
    return positions;
}

void AircraftList::select(const std::vector<std::size_t>& positions) {
    if (list_ == nullptr) return;
    SendMessageW(list_, LB_SETSEL, FALSE, -1);
    for (std::size_t p : positions) SendMessageW(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(p));
    if (!positions.empty()) SendMessageW(list_, LB_SETCARETINDEX, positions.front(), FALSE);
}

}  // namespace qv::ui
