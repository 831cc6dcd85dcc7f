#include "ui/TitleFilter.h"

#include "platform/Text.h"
#include "ui/UiTexts.h"

namespace qv::ui {

void TitleFilter::clear() {
    titles_.clear();
    folded_titles_.clear();
    shown_.clear();
}

bool TitleFilter::add(const std::string& title) {
    titles_.push_back(title);
    folded_titles_.push_back(to_lower(title));
    if (!matches(titles_.size() - 1)) return false;
    shown_.push_back(titles_.size() - 1);
    return true;
}

void TitleFilter::set_text(std::string_view text) {
    folded_text_ = to_lower(text);
    shown_.clear();
    for (std::size_t i = 0; i < titles_.size(); ++i)
        if (matches(i)) shown_.push_back(i);
}

bool TitleFilter::matches(std::size_t position) const {
    return folded_titles_[position].find(folded_text_) != std::string::npos;
}

std::string TitleFilter::caption() const {
    if (!active()) return texts::kAircraftList;
    return std::string(texts::kAircraftList) + " (" + std::to_string(shown_.size()) + " of " +
           std::to_string(titles_.size()) + ")";
}

}  // namespace qv::ui
