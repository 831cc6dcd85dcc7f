// The rows of the main window's aircraft list: which sections it shows (all of them, or while
// the Find box holds text only those whose title holds it, in any case) and in which order (the
// walk's, or sorted by title or by folder, either way round). A row stands for a catalogue
// position, so a selection in a narrowed or sorted list still names the catalogue's aircraft.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ui {

class AircraftRows {
  public:
    enum Column { kTitle = 0, kFolder = 1, kWalkOrder = -1 };

    // A new load: no rows; the Find text and the order stay.
    void clear();
    // The catalogue's next titled section, its folder relative to the Aircraft folder; true
    // when it is shown. It goes last, whatever the order: `sort()` puts it in place.
    bool add(const std::string& title, const std::string& folder);
    void set_text(std::string_view text);
    bool active() const { return !folded_text_.empty(); }
    // A click on a column's header: sorted by it; a second click, the other way round; a third,
    // the walk's order again.
    void sort_by(Column column);
    // The shown rows in the chosen order again (after a load or an update added some).
    void sort();
    Column sorted_by() const { return column_; }
    bool descending() const { return descending_; }

    // The catalogue positions the list shows, in list order.
    const std::vector<std::size_t>& shown() const { return shown_; }
    std::size_t total() const { return titles_.size(); }
    const std::string& title(std::size_t position) const { return titles_.at(position); }
    const std::string& folder(std::size_t position) const { return folders_.at(position); }
    // The list frame's caption: "Aircraft List", or "Aircraft List (N of M)" while filtering.
    std::string caption() const;
    // The status bar's count: "2,040 aircraft", or "97 of 2,040 shown" while filtering.
    std::string count_text() const;

  private:
    bool matches(std::size_t position) const;

    std::vector<std::string> titles_;
    std::vector<std::string> folders_;
    std::vector<std::string> folded_titles_;  // folded once, not at every keystroke or sort
    std::string folded_text_;
    std::vector<std::size_t> shown_;
    Column column_ = kWalkOrder;
    bool descending_ = false;
};

}  // namespace qv::ui
