#include "simfiles/ReadAircraftCfg.h"

#include <array>

#include "simfiles/AircraftSections.h"
#include "simfiles/GetCfgValue.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// The keys a record takes from its section, in the order of the record's fields.
constexpr std::array<std::string_view, 9> kKeys = {
    "title",   "sim",       "model",         "panel",        "sound",
    "texture", "checklist", "kb_checklists", "kb_reference",
};

}  // namespace

void AddAircraftSections(UiPort& ui, Catalogue& catalogue, const std::string& folder,
                         std::string_view whole_text) {
    const std::vector<SectionSpan> sections = FindAircraftSections(whole_text);
    std::array<std::string_view, kKeys.size()> values;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const std::string_view section = whole_text.substr(sections[k].start, sections[k].length);
        FindCfgValues(section, kKeys, values);
        AircraftRecord& record = catalogue.aircraft_table.emplace_back();
        record.folder = folder;
        record.title = values[0];
        record.sim = values[1];
        record.model = values[2];
        record.panel = values[3];
        record.sound = values[4];
        record.texture = values[5];
        record.checklist = values[6];
        record.kb_checklists = values[7];
        record.kb_reference = values[8];
        record.section_text = section;
        record.section_index = k;
        // A section without a title stays in the table but has no list entry, so list positions
        // and table indices part ways; the list keeps the index of each entry's record.
        if (!record.title.empty()) {
            catalogue.list_records.push_back(catalogue.aircraft_table.size() - 1);
            ui.AddAircraftListEntry(record.title);
        }
    }
}

void ReadAircraftCfg(FileSystem& fs, UiPort& ui, Catalogue& catalogue, const std::string& folder,
                     const std::string& file_name) {
    const std::string whole_text = ReadWholeText(fs, folder, file_name);
    AddAircraftSections(ui, catalogue, folder, whole_text);
}

}  // namespace qv
