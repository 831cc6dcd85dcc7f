// Single-byte text: the Windows-1252 code page the simulators' files and our strings are kept in,
// its conversion to and from UTF-8, and case folding over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Lower-cases ASCII and Windows-1252 letters (A-Z, À-Þ except ×, Š, Œ, Ž, Ÿ); other bytes stay.
char lower_char(char c);
char upper_char(char c);
// The Unicode code point a Windows-1252 byte stands for.
char32_t cp1252_code_point(char c);
std::string to_lower(std::string_view text);
bool iequals(std::string_view a, std::string_view b);
// Position of the first occurrence of `lower_mark` (lower case) in `text`, compared without
// regard to case; npos when there is none.
std::size_t find_ignoring_case(std::string_view text, std::string_view lower_mark);
// Whether `lower_word` (lower case) ends just before position `end` of `text`, compared
// without regard to case.
bool word_ends_at(std::string_view text, std::size_t end, std::string_view lower_word);
// `text` with its first `what` replaced by `with`.
std::string replace_first(std::string_view text, std::string_view what, std::string_view with);
// 12345678 as "12,345,678".
std::string with_thousands(std::uint64_t n);
// A size in bytes as a person reads it: "512 bytes", "14.2 KB", "1.2 GB" (units of 1024).
std::string human_size(std::uint64_t bytes);
// "Doing %1 of %2: %3" with its three marks filled in.
std::string one_of(std::string_view text, std::size_t n, std::size_t of, std::string_view title);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to U+0081, U+008D,
// U+008F, U+0090 and U+009D, as Windows and Wine map them.
std::string cp1252_to_utf8(std::string_view text);

// UTF-8 to Windows-1252. A character with no single-byte form, or a byte that is not valid
// UTF-8, becomes "?", as the Windows ANSI functions make it. `lossless` (when given) tells
// whether every character had a single-byte form.
std::string utf8_to_cp1252(std::string_view text, bool* lossless = nullptr);

}  // namespace qv
