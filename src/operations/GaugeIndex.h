// Which gauge file stems the panels' gauge lists name.
#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

#include "simfiles/Records.h"

namespace qv {

// A gauge file is in use when some panel's lower-cased gauge list contains lower(stem) & "!" or
// lower(stem) & "," anywhere. Searching every list for every file is too slow for real
// collections (tens of thousands of gauge files, thousands of panels), so the index is built
// once from the lists.
//
// Such a match ends at a "!" or "," of a list. A stem with no line break in it can't reach
// across the CR LF between entries, so it is used exactly when it equals a piece of one line
// that ends just before a "!" or "," of that line: the index holds every such piece (those
// longer than any stem asked about can't match and are left out). A stem that does hold a CR or
// LF is looked up in the lists themselves.
class GaugeIndex {
  public:
    // `panels` must outlive the index. `max_stem_length` is the longest stem that will be asked.
    GaugeIndex(std::span<const PanelRecord> panels, std::size_t max_stem_length);

    bool used(std::string_view stem) const;

  private:
    bool used_by_search(const std::string& lower_key_stem) const;

    std::span<const PanelRecord> panels_;
    std::size_t max_length_;
    std::deque<std::string> lines_;  // the distinct lower-cased lines holding a delimiter
    std::unordered_set<std::string_view> pieces_;
};

}  // namespace qv
