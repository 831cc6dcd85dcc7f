// aircraft.cfg: where its aircraft sections lie in its whole text, the values a section gives,
// and the text without one section, renumbered and put in place of the file.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"

namespace qv {

// "[...]" once leading and trailing spaces are gone, with its first "]" as its last character.
// Only spaces are trimmed: a tab before the "[" leaves the line an ordinary one.
bool is_section_header(std::string_view line);

// "[fltsim" in any case: the header of an aircraft section ([fltsim.0], [FLTSIM.12], [fltsim]).
inline constexpr std::string_view kAircraftHeaderMark = "[fltsim";

// One aircraft section: its text runs from the first character of its "[fltsim" header line up
// to the character before the next header line (of any section), or to the end of the text.
struct SectionSpan {
    std::size_t start = 0;  // 0-based position in the whole text
    std::size_t length = 0;
};

// The aircraft sections of `whole_text`, in text order. Each section is cut at its own header
// line, so two sections with the same header text are still cut apart correctly.
std::vector<SectionSpan> find_aircraft_sections(std::string_view whole_text);

// The values of `keys` (lower case) in `section` (its text, lines joined by CR LF), as the
// simulator reads them: a line gives a value for a key when its first non-blank characters, up
// to its first "=", are the key in any case, with any spaces or tabs before the "=". The value is
// the rest of the line without the spaces and tabs at its ends; it keeps its case and a comment
// after it. A line whose first non-blank characters are ";" or "//" is a comment and gives
// nothing. The first line that gives a value wins; "" when no line does.
void find_section_values(std::string_view section, std::span<const std::string_view> keys,
                         std::span<std::string_view> values);

// One record per aircraft section of `whole_text`, in file order, appended to `records`.
void read_aircraft_sections(const std::string& folder, std::string_view whole_text,
                            std::vector<AircraftRecord>& records);

// The words of the folders a section's values name in its aircraft folder, in the order of
// their keys: model, texture, panel, sound.
inline constexpr const char* kKindWords[] = {"model", "texture", "panel", "sound"};

// The folder of its aircraft folder that a section's value for `word` (one of kKindWords) names,
// as the simulator reads it: the word alone for an empty value, else "word.value"; nothing when
// the value leads elsewhere.
std::optional<std::string> named_kind_folder(const char* word, const std::string& value);
// Whether `name` is "model.<x>", "texture.<x>", "panel.<x>" or "sound.<x>" (any case): a folder
// only a section's value can make the simulator use.
bool is_kind_variant(std::string_view name);
// Whether a section names the folder `name` of its aircraft folder.
bool section_names(const AircraftRecord& section, std::string_view name);

// `whole_text` without `section`'s lines: the other lines stay joined by CR LF, none at the end.
std::string cut_section(std::string_view whole_text, SectionSpan section);

// Gives every aircraft header line its own number in text order: [fltsim.0], [fltsim.1], ...
// An aircraft header line is a section header line holding "[fltsim." in any case; what stands
// from that "[fltsim." to the "]" becomes "[fltsim.N]", the rest of the line (indentation, a
// prefix) stays. A "[fltsim." in a comment or a value, a "[fltsim]" header and a line without
// "]" stay as they are.
void renumber_aircraft_sections(std::string& text);

// Whether two section texts are one section, whatever number its header has now and however
// many empty lines close it: a rewrite renumbers the sections it keeps, and the one before a cut
// last section loses its closing line ends.
bool same_section(std::string_view a, std::string_view b);

// Renumbers `text` (the caller sees the renumbered text) and puts it in place of the file at
// `path` in one step, byte for byte, with no line end added. When anything fails the old file
// stays exactly as it was and the failure is returned.
FsStatus write_aircraft_cfg(FileSystem& fs, const std::string& path, std::string& text);

}  // namespace qv
