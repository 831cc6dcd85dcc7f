// panel.cfg: the gauge files a panel names, and whether it borrows another aircraft's panel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "simfiles/Catalogue.h"

namespace qv {

// The gauge entry list of a panel.cfg's whole text: for every gauge key gauge00 to gauge09 and
// gauge10 to gauge100 followed by "=" (in any case, anywhere in the text, commented out or not:
// such a line only protects more gauges; spaces or tabs may stand before the "="), the text after
// the "=" and the blanks after it, up to and including the first "!" on that line, or else the
// first ",". Entries are ordered by gauge
// number, then by position in the file, joined by CR LF and closed by CR LF "-end of list-";
// "" when there is none.
std::string gauge_entries(std::string_view whole_text);

// Whether the text holds "alias" and "=" in any case, blanks allowed between them: the panel
// borrows another aircraft's panel.
bool has_alias(std::string_view whole_text);

// The value of the text's first "alias" key (a panel.cfg's or sound.cfg's: the folder, below the
// simulator's Aircraft folder, whose file stands for this one), trimmed; "" when there is none.
std::string alias_value(std::string_view whole_text);

// The record of a panel.cfg whose whole text is at hand.
PanelRecord read_panel(const std::string& folder, std::string_view whole_text);

// The names of a gauge list's entries (each entry without its "!" or ","), in list order, up to
// the "-end of list-" line.
std::vector<std::string> gauge_entry_names(std::string_view gauges);

}  // namespace qv
