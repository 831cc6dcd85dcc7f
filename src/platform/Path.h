// Paths as a Windows program writes them: components joined with "\", "/" accepted as a
// separator too, names compared without regard to case. Every layer handles paths through these
// functions; the windows use the wide forms for the folder names they show.
//
// The functions only look at the text: nothing here touches the disk.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::path {

template <typename Char>
constexpr bool is_separator(Char c) {
    return c == Char('\\') || c == Char('/');
}

// How much of `path` is its root: "\\?\UNC\server\share\", "\\?\C:\", "\\server\share\", "C:\",
// "C:" or "\"; 0 for a relative path.
std::size_t root_length(std::string_view path);
std::size_t root_length(std::wstring_view path);

// `folder`, a "\" and `name`, with no second separator when `folder` ends in one.
std::string join(std::string_view folder, std::string_view name);
std::wstring join(std::wstring_view folder, std::wstring_view name);

// The last component ("C:\a\b" -> "b"; trailing separators are passed over).
std::string_view last_part(std::string_view path);
// Everything before the last component, without the separator ("a\b\c" -> "a\b", "c" -> "").
std::string_view parent(std::string_view path);
// `path` without the separators at its end; a root ("\", "C:\") stays as it is.
std::string_view without_trailing_separator(std::string_view path);
// `path` with one separator at its end (a drive "C:" gets none), ready to take a name.
std::string with_trailing_separator(std::string_view path);

// The components after the root, empty ones dropped ("C:\a\\b\" -> {"a", "b"}).
std::vector<std::string_view> parts(std::string_view path);
std::vector<std::wstring_view> parts(std::wstring_view path);

// Whether `path` is `folder` or lies below it, component by component without regard to case,
// "\" and "/" alike, "." and ".." resolved. A ".." that would climb above the start stays a
// component, so such a path is never inside anything but itself.
bool is_same_or_inside(std::string_view path, std::string_view folder);
// Whether `path` lies below `folder` (and is not `folder` itself).
bool is_inside(std::string_view path, std::string_view folder);
// `path` below `folder`, "\" between its parts ("Pack\Plane" for "C:\FS\Aircraft\Pack\Plane"
// below "C:\FS\Aircraft"); nothing when it does not lie below it. The rest is cut at the
// folder's own length, as paths joined from it spell it.
std::optional<std::string> below(std::string_view path, std::string_view folder);

// `absolute` in the "\\?\" form that lifts the 260-character limit, normalised first as Windows
// would normalise the plain form (the prefix turns that off): "/" read as "\", repeated
// separators merged, "." dropped and ".." resolved (never above the root), a single trailing
// period dropped from a folder name, and trailing dots and spaces dropped from the last name.
// "\\server\share\x" becomes "\\?\UNC\server\share\x"; a path already in the long form stays as
// it is. Nothing for a path that isn't fully absolute ("x", "\x", "C:x").
std::optional<std::wstring> long_form(std::wstring_view absolute);

// `rel` made safe to join below a folder: "." dropped, ".." resolved, empty components dropped,
// trailing dots and spaces of each component dropped (as Windows drops them), components joined
// with "\". Nothing when it would leave the folder or name the folder itself, or when a
// component holds ":" (a drive or a stream), a wildcard, or only dots and spaces (Windows reads
// "..." and ". ." as no name at all).
std::optional<std::string> clean_relative(std::string_view rel);

// Whether `rel` is a plain relative path as the program writes one into its records: not empty,
// no root or drive, no empty, "." or ".." component, no ":" or wildcard, no component of only
// dots and spaces.
bool is_plain_relative(std::string_view rel);

// `text` (a path, or a message naming paths) as this system writes paths for its user: on Linux
// every "\" becomes "/"; on Windows the text stays as it is.
std::string with_native_separators(std::string_view text);

}  // namespace qv::path
