// Which gauge files the panels' gauge lists name.
#pragma once

#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

// Whether a file of the gauges folder is a gauge: its name ends in .gau, .zip or .cab, any case
// (the simulator loads gauges from these, packed or not; the sweep and the restore take all alike).
bool is_gauge_file(std::string_view name);

// The one rule of which gauges a panel names. For each stem (a gauge file's name without its
// four-character extension), whether one of the gauge lists (PanelRecord::gauges), lower-cased,
// contains the lower-cased stem followed by "!" or "," anywhere, so that ssna is named by
// Cessna!.
//
// Real gauges folders hold tens of thousands of files and real collections thousands of panels,
// so the lists are not searched once per file. Every match ends at a "!" or "," of a list, and a
// stem without a line break can't reach across the CR LF between entries: it is named exactly
// when it equals the piece of one line that ends just before one of that line's delimiters. One
// pass over the lists looks up, at each delimiter, every such piece no longer than the longest
// stem (through a hash rolled backwards from the delimiter, one character a step). A stem that
// does hold a CR or LF is searched for in the lists themselves.
std::vector<bool> find_used_gauges(std::span<const std::string_view> gauge_lists,
                                   std::span<const std::string_view> stems);

// The gauges a folder offers a panel, as the simulator finds them for a gauge entry's name: a file
// "<name>.gau", "<name>.cab" or "<name>.dll", or a folder "<name>", without regard to case; a name
// with sub-folders ("Folder\Name") is looked for in that sub-folder. Each folder is listed once.
class GaugeFolder {
  public:
    // The file patterns a gauge entry's name is looked for with; a folder's listing for them
    // (FileSystem::scan_folder) gives, with its subfolders, everything the folder offers.
    static const std::string kFilePatterns[3];

    GaugeFolder(FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}
    // The folder's own entries as a walk already saw them, so that it is not listed again.
    void seen(const std::vector<std::string>& entries);
    bool offers(std::string_view name);
    // Whether a folder met on the way could not be listed (an answer "no" is then not sure).
    bool incomplete() const { return incomplete_; }

  private:
    const std::unordered_set<std::string>& names_in(const std::string& rel_folder);

    FileSystem& fs_;
    std::string folder_;
    std::map<std::string, std::unordered_set<std::string>>
        listed_;  // lower-case folder -> lower names
    // Panels share most of their gauge names: each name is answered once, and looked up
    // without a copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, bool, NameHash, std::equal_to<>> answers_;
    bool incomplete_ = false;
};

}  // namespace qv
