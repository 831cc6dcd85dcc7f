// What a removal or an emptying could not move or delete, collected as it goes, so the closing
// message can name it instead of claiming success.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

class LeftOver {
  public:
    struct Item {
        std::string path;
        std::string reason;
        bool held = false;  // a copy is safe in the holding folder; only the original stayed
    };

    void add(std::string path, std::string reason, bool held = false);
    // A sentence that explains a decision (a folder kept, a step not taken).
    void note(std::string text);

    // Takes over what `other` holds.
    void merge(const LeftOver& other);

    bool empty() const { return items_.empty() && notes_.empty(); }
    const std::vector<Item>& items() const { return items_; }
    const std::vector<std::string>& notes() const { return notes_; }

    // Whether something inside `folder` could not be copied into the holding folder.
    bool has_unheld_inside(const std::string& folder) const;
    // Forgets the items inside `folder`, once that folder is gone as a whole.
    void drop_inside(const std::string& folder);

    // The notes, then the count and the first `shown` items with their reasons.
    std::string describe(std::size_t shown = 5) const;

  private:
    std::vector<Item> items_;
    std::vector<std::string> notes_;
};

// Adds every entry still below `folder` that a listing shows (files, hidden files, visible
// subfolders, links, which are not entered). System files and hidden folders can't be listed.
void collect_remaining(FileSystem& fs, const std::string& folder, LeftOver& left);

}  // namespace qv
