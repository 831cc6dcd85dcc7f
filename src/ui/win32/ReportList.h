// A report-view list (the list view control in its report mode, with column headers) whose rows
// its window keeps: the control asks for a row's texts only when it draws the row, so a list of
// twelve thousand rows fills at once and follows its window's own order and filter.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace qv::ui {

class ReportList {
  public:
    struct Column {
        const char* caption;
        int width;  // pixels at 96 DPI
    };
    // The text of a row's column (Windows-1252 bytes), asked for as the row is drawn.
    using CellText = std::function<std::string(std::size_t row, int column)>;

    // The list view's own styles for a report list of `multiple` or single selection.
    static DWORD style(bool multiple);
    // Takes over the list view `list`: its columns (at `dpi`) and where its texts come from.
    void attach(HWND list, int dpi, std::span<const Column> columns, CellText text);
    void detach();
    HWND hwnd() const { return list_; }

    // The rows are now `rows` many; every row is drawn again, the selection goes.
    void reset(std::size_t rows);
    // One more row at the end, as a load adds them (nothing else is drawn again).
    void grow(std::size_t rows);
    std::size_t size() const { return rows_; }

    std::vector<std::size_t> selected() const;
    // Selects exactly `rows`; the first of them gets the focus and is scrolled into view.
    void select(const std::vector<std::size_t>& rows);
    // New captions for the columns, in order (a list that shows one kind of row at a time).
    void set_captions(std::span<const char* const> captions);
    // The header's sort arrow on `column` (-1: none).
    void show_sort(int column, bool descending);
    // The columns' widths in pixels at 96 DPI, and widths from an earlier run put back.
    std::vector<int> column_widths() const;
    void set_column_widths(std::span<const int> widths);
    // The first column widened to take the room the others leave in the list's width.
    void fill_width();

    // The list's notifications to its window. Texts and typing are answered here (typing a
    // title's first letters moves to the next row that starts so, never selecting more than it);
    // a click on a header calls `column_clicked`, a change of the selection `selection_changed`.
    // True when `note` came from this list; `result` is what the window returns.
    bool on_notify(const NMHDR& note, LRESULT& result);
    std::function<void(int column)> column_clicked;
    std::function<void()> selection_changed;

  private:
    std::ptrdiff_t find_from(std::size_t start, const std::wstring& typed) const;

    HWND list_ = nullptr;
    int dpi_ = 96;
    int columns_ = 0;
    std::size_t rows_ = 0;
    CellText text_;
};

}  // namespace qv::ui
