#include "ui/AircraftRows.h"

#include <algorithm>

#include "platform/Text.h"
#include "ui/UiTexts.h"

namespace qv::ui {

void AircraftRows::clear() {
    titles_.clear();
    folders_.clear();
    folded_titles_.clear();
    shown_.clear();
}

bool AircraftRows::add(const std::string& title, const std::string& folder) {
    titles_.push_back(title);
    folders_.push_back(folder);
    folded_titles_.push_back(to_lower(title));
    if (!matches(titles_.size() - 1)) return false;
    shown_.push_back(titles_.size() - 1);
    return true;
}

void AircraftRows::set_text(std::string_view text) {
    folded_text_ = to_lower(text);
    shown_.clear();
    for (std::size_t i = 0; i < titles_.size(); ++i)
        if (matches(i)) shown_.push_back(i);
    sort();
}

void AircraftRows::sort_by(Column column) {
    if (column != column_) {
        column_ = column;
        descending_ = false;
    } else if (!descending_) {
        descending_ = true;
    } else {
        column_ = kWalkOrder;
        descending_ = false;
    }
    sort();
}

void AircraftRows::sort() {
    // Ties keep the walk's order, whichever way round the column goes.
    const auto walk = [](std::size_t a, std::size_t b) { return a < b; };
    if (column_ == kWalkOrder) {
        std::sort(shown_.begin(), shown_.end(), walk);
        return;
    }
    std::vector<std::string> folded_folders;
    if (column_ == kFolder) {
        folded_folders.resize(folders_.size());
        for (std::size_t p : shown_) folded_folders[p] = to_lower(folders_[p]);
    }
    const auto& keys = column_ == kTitle ? folded_titles_ : folded_folders;
    std::sort(shown_.begin(), shown_.end(), [&](std::size_t a, std::size_t b) {
        const int order = keys[a].compare(keys[b]);
        if (order != 0) return descending_ ? order > 0 : order < 0;
        if (column_ == kFolder && folded_titles_[a] != folded_titles_[b])
            return folded_titles_[a] < folded_titles_[b];
        return a < b;
    });
}

bool AircraftRows::matches(std::size_t position) const {
    return folded_titles_[position].find(folded_text_) != std::string::npos;
}

std::string AircraftRows::caption() const {
    if (!active()) return texts::kAircraftList;
    return std::string(texts::kAircraftList) + " (" + std::to_string(shown_.size()) + " of " +
           std::to_string(titles_.size()) + ")";
}

std::string AircraftRows::count_text() const {
    if (!active()) return with_thousands(titles_.size()) + " aircraft";
    return with_thousands(shown_.size()) + " of " + with_thousands(titles_.size()) + " shown";
}

}  // namespace qv::ui
