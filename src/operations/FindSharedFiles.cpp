#include "operations/FindSharedFiles.h"

#include "platform/Text.h"

namespace qv {

SharingFlags FindSharedFiles(const Catalogue& catalogue, std::size_t target) {
    SharingFlags flags;
    const AircraftRecord& me = catalogue.aircraft_table.at(target);
    for (std::size_t i = 0; i < catalogue.aircraft_table.size(); ++i) {
        const AircraftRecord& r = catalogue.aircraft_table[i];
        if (i == target || r.title.empty() || !iequals(r.folder, me.folder)) continue;
        flags.cfg_unshared = false;
        auto same = [](const std::string& a, const std::string& b) { return iequals(a, b); };
        if (same(r.sim, me.sim)) flags.sim_unshared = false;
        if (same(r.model, me.model)) flags.model_unshared = false;
        if (same(r.panel, me.panel)) flags.panel_unshared = false;
        if (same(r.sound, me.sound)) flags.sound_unshared = false;
        if (same(r.texture, me.texture)) flags.texture_unshared = false;
        if (same(r.checklist, me.checklist)) flags.checklist_unshared = false;
        if (same(r.kb_checklists, me.kb_checklists)) flags.kb_checklists_unshared = false;
        if (same(r.kb_reference, me.kb_reference)) flags.kb_reference_unshared = false;
    }
    return flags;
}

}  // namespace qv
