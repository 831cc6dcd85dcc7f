// The rules of the configuration files and of the gauge matching, written the plain way: line by
// line, key by key, one substring search at a time, with no care for speed. The unit tests and the
// fuzz targets hold the program's fast code to them, so each rule is said here once.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// The lines of a whole text (or of a section's text), split at each CR LF: n line ends give n + 1
// lines, the empty text one empty line.
std::vector<std::string> split_lines(std::string_view text);

// A file's whole text: CR LF, a lone CR and a lone LF each end a line, and a line end at the very
// end starts no line; a UTF-8 byte-order mark at the start and the empty lines before the first
// line with text are left out; the lines are joined by CR LF.
std::string plain_whole_text(std::string_view bytes);

// aircraft.cfg

// "[...]" once the spaces at its ends are gone, its first "]" its last character.
bool plain_is_header(std::string_view line);

// The texts of the aircraft sections, in text order: each runs from its header line (a header
// holding "[fltsim" in any case) up to the next header line of any section, the line end before
// it included, or to the end of the text.
std::vector<std::string> plain_aircraft_sections(std::string_view whole_text);

// The value of `lower_key` in a section's text: the first line, not a comment (";" or "//" after
// its leading blanks), whose text before its first "=", without blanks at its ends, is the key in
// any case; the rest of that line without blanks at its ends. "" when no line gives one.
std::string plain_value(std::string_view section, std::string_view lower_key);

// `text` with every aircraft header line holding "[fltsim." in any case numbered in text order:
// from that "[fltsim." to the first "]" after it becomes "[fltsim.N]".
std::string plain_renumbered(std::string_view text);

// A removal's new text: `whole_text` without the lines of its aircraft section `index`, the other
// lines joined by CR LF, renumbered.
std::string plain_cut_renumbered(std::string_view whole_text, std::size_t index);

// panel.cfg

// The gauge list: each of the 101 keys gauge00 to gauge09 and gauge10 to gauge100, in turn,
// searched through the whole text in any case, blanks allowed before its "="; each entry the
// value after the "=" and its blanks up to the line's first "!" or else first "," (that
// delimiter kept), or without a delimiter the value without trailing blanks with "," added
// (nothing for an empty value). Entries joined by CR LF and closed by "-end of list-"; "" when
// there is none.
std::string plain_gauge_entries(std::string_view text);

// Whether "alias" in any case stands somewhere with only blanks between it and an "=".
bool plain_alias(std::string_view text);

// gauge matching

// For each stem, whether some list, lower-cased, holds the lower-cased stem followed by "!" or
// ",".
std::vector<bool> plain_used(std::span<const std::string> gauge_lists,
                             std::span<const std::string> stems);

}  // namespace qv::test
