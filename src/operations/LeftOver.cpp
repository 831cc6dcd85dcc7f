#include "operations/LeftOver.h"

#include <algorithm>

#include "operations/PathContainment.h"

namespace qv {

void LeftOver::add(std::string path, std::string reason, bool held) {
    items_.push_back({std::move(path), std::move(reason), held});
}

void LeftOver::note(std::string text) {
    notes_.push_back(std::move(text));
}

bool LeftOver::HasUnheldInside(const std::string& folder) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const Item& item) { return !item.held && IsInside(item.path, folder); });
}

void LeftOver::DropInside(const std::string& folder) {
    std::erase_if(items_, [&](const Item& item) { return IsSameOrInside(item.path, folder); });
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

void CollectRemaining(FileSystem& fs, const std::string& folder, LeftOver& left) {
    std::vector<std::string> files;
    std::vector<std::string> entries;
    if (!fs.list(join_path(folder, "*.*"), ListFilter::normal_and_hidden_files, files).ok() ||
        !fs.list(join_path(folder, "*.*"), ListFilter::entries_and_directories, entries).ok()) {
        left.add(folder, "can't be listed");
        return;
    }
    for (const auto& name : entries)
        if (std::find(files.begin(), files.end(), name) == files.end()) files.push_back(name);
    for (const auto& name : files) {
        const std::string path = join_path(folder, name);
        Attributes a;
        if (!fs.attributes(path, a).ok()) continue;
        if (a.link) {
            left.add(path, "a link, left as it is");
        } else if (a.directory) {
            CollectRemaining(fs, path, left);
            left.add(path, "folder");
        } else {
            left.add(path, a.hidden ? "hidden file" : "");
        }
    }
}

}  // namespace qv
