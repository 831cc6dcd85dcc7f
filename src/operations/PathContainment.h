// Lexical path checks that keep the removal inside the folders it may touch. Values from
// aircraft.cfg and panel.cfg are joined to folder paths; a value such as "..\..\x", "\..\x" or
// "C:\x" must not lead the removal out of the aircraft folder or the gauges folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// `rel` made safe to join below a folder: "." dropped, ".." resolved, empty components dropped,
// components joined with "\". Nothing when it would leave the folder or name the folder itself,
// or when a component holds ":" (a drive or a stream), a wildcard, or only dots and spaces
// (Windows reads "..." and ". ." as no name at all).
std::optional<std::string> CleanRelativePath(std::string_view rel);

// Whether `path` is `folder` or lies below it, compared component by component without regard to
// case, "\" and "/" alike, "." and ".." resolved.
bool IsSameOrInside(std::string_view path, std::string_view folder);
// Whether `path` lies below `folder` (and is not `folder` itself).
bool IsInside(std::string_view path, std::string_view folder);

// Everything before the last component ("a\b\c" -> "a\b", "c" -> "").
std::string_view ParentPath(std::string_view path);

}  // namespace qv
