// The gauge files a panel.cfg names.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// The gauge entry list of a panel.cfg's whole text: for every gauge key gauge00= to gauge09= and
// gauge10= to gauge100= (in any case, anywhere in the text), the text after the "=" up to and
// including the first "!" on that line, or else the first ",". Entries are ordered by gauge
// number, then by position in the file, joined by CR LF and closed by CR LF "-end of list-";
// "" when there is none.
std::string ParseGaugeEntries(std::string_view text);

// Whether the text holds "alias=" in any case: the panel borrows another aircraft's panel.
bool HasPanelAlias(std::string_view text);

}  // namespace qv
