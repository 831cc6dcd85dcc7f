// The one order in which every listing is returned, on every backend: names compared by their
// upper-case form, character by character (a name before a longer one it begins), ties broken by
// the exact names. NTFS gives this order and Wine gives it on any Linux disk; a FAT drive would
// give creation order, so both backends sort each listing themselves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

bool listing_less(std::string_view a, std::string_view b);
void sort_listing(std::vector<std::string>& names);

}  // namespace qv
