#include "operations/LeftOver.h"

#include <algorithm>

#include "platform/Path.h"

namespace qv {

void LeftOver::add(std::string path, std::string reason, bool held) {
    items_.push_back({std::move(path), std::move(reason), held});
}

void LeftOver::note(std::string text) {
    notes_.push_back(std::move(text));
}

void LeftOver::merge(const LeftOver& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    notes_.insert(notes_.end(), other.notes_.begin(), other.notes_.end());
}

bool LeftOver::has_unheld_inside(const std::string& folder) const {
    return std::any_of(items_.begin(), items_.end(), [&](const Item& item) {
        return !item.held && path::is_inside(item.path, folder);
    });
}

void LeftOver::drop_inside(const std::string& folder) {
    std::erase_if(items_,
                  [&](const Item& item) { return path::is_same_or_inside(item.path, folder); });
}

std::string LeftOver::describe(std::size_t shown) const {
    std::string out;
    for (const auto& n : notes_) {
        if (!out.empty()) out += "\r\n";
        out += n;
    }
    if (items_.empty()) return out;
    if (!out.empty()) out += "\r\n";
    out += std::to_string(items_.size()) + (items_.size() == 1
                                                ? " item could not be moved or deleted:"
                                                : " items could not be moved or deleted:");
    for (std::size_t i = 0; i < items_.size() && i < shown; ++i) {
        out += "\r\n" + items_[i].path;
        if (!items_[i].reason.empty()) out += " (" + items_[i].reason + ")";
    }
    if (items_.size() > shown)
        out += "\r\n... and " + std::to_string(items_.size() - shown) + " more.";
    return out;
}

void collect_remaining(FileSystem& fs, const std::string& folder, LeftOver& left) {
    // Every entry, hidden and system ones too: the deletion leaves those by design, and the user
    // should hear that they are still there.
    std::vector<std::string> names;
    if (!fs.list(path::join(folder, "*.*"), ListFilter::everything, names).ok()) {
        left.add(folder, "can't be listed");
        return;
    }
    for (const auto& name : names) {
        const std::string path = path::join(folder, name);
        Attributes a;
        if (!fs.attributes(path, a).ok()) continue;
        if (a.link) {
            left.add(path, "a link, left as it is");
        } else if (a.directory) {
            collect_remaining(fs, path, left);
            left.add(path, a.hidden || a.system ? "hidden folder" : "folder");
        } else {
            left.add(path, a.system ? "system file" : a.hidden ? "hidden file" : "");
        }
    }
}

}  // namespace qv
