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

// Whether `candidate`, a name matching `wanted` without regard to case, should stand for it in
// place of `current` (empty: no match yet): the exact spelling first, otherwise the first match
// in listing order. This is how a name is looked up in a folder on both backends.
bool better_match(std::string_view candidate, std::string_view current, std::string_view wanted);

// A wanted name of the form "*.ext" stands for every file whose name ends in ".ext", any case.
bool is_suffix_pattern(std::string_view wanted);
bool matches_suffix(std::string_view name, std::string_view pattern);

}  // namespace qv
