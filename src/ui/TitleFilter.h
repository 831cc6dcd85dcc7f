// Which titles the main window's list shows: all of them, or while the filter box holds text
// only those that contain it, in any case. The list's entries stand for catalogue positions, so
// a selection in the narrowed list still names the catalogue's aircraft.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ui {

class TitleFilter {
  public:
    // A new load: no titles, the filter text stays.
    void clear();
    // The catalogue's next title; true when the list shows it.
    bool add(const std::string& title);
    void set_text(std::string_view text);
    bool active() const { return !folded_text_.empty(); }

    // The catalogue positions the list shows, in list order.
    const std::vector<std::size_t>& shown() const { return shown_; }
    std::size_t total() const { return titles_.size(); }
    const std::string& title(std::size_t position) const { return titles_.at(position); }
    // The list frame's caption: "Aircraft List", or "Aircraft List (N of M)" while filtering.
    std::string caption() const;

  private:
    bool matches(std::size_t position) const;

    std::vector<std::string> titles_;
    std::vector<std::string> folded_titles_;  // folded once, not at every keystroke
    std::string folded_text_;
    std::vector<std::size_t> shown_;
};

}  // namespace qv::ui
