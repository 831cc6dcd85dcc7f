#include "operations/Sharing.h"

#include "platform/Text.h"

namespace qv {

Sharing find_sharing(const Catalogue& catalogue, std::size_t target) {
    Sharing shared;
    const AircraftRecord& me = catalogue.aircraft_table.at(target);
    for (std::size_t i = 0; i < catalogue.aircraft_table.size(); ++i) {
        const AircraftRecord& r = catalogue.aircraft_table[i];
        if (i == target || r.title.empty() || !iequals(r.folder, me.folder)) continue;
        shared.other_sections = true;
        shared.sim = shared.sim || iequals(r.sim, me.sim);
        shared.model = shared.model || iequals(r.model, me.model);
        shared.panel = shared.panel || iequals(r.panel, me.panel);
        shared.sound = shared.sound || iequals(r.sound, me.sound);
        shared.texture = shared.texture || iequals(r.texture, me.texture);
        shared.checklist = shared.checklist || iequals(r.checklist, me.checklist);
        shared.kb_checklists = shared.kb_checklists || iequals(r.kb_checklists, me.kb_checklists);
        shared.kb_reference = shared.kb_reference || iequals(r.kb_reference, me.kb_reference);
    }
    return shared;
}

}  // namespace qv
