#include "ui/AircraftList.h"

#include "ui/WideText.h"

namespace qv::ui {

void AircraftList::attach(HWND list, int dpi) {
    detach();
    list_ = list;
    // The list box draws its text a little in from the edge; the same room at the far end.
    margin_ = MulDiv(6, dpi, 96);
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

std::ptrdiff_t AircraftList::selected_position() const {
    if (list_ == nullptr) return -1;
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<std::ptrdiff_t>(selected);
}

}  // namespace qv::ui
