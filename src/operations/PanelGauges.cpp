#include "operations/PanelGauges.h"

#include <string_view>

#include "operations/GaugeIndex.h"
#include "operations/HoldingFolder.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/PanelCfg.h"

namespace qv {

const PanelRecord* find_section_panel(const Catalogue& catalogue, const AircraftRecord& aircraft) {
    const std::string folder = path::join(
        aircraft.folder, aircraft.panel.empty() ? std::string("panel") : "panel." + aircraft.panel);
    const PanelRecord* found = nullptr;
    for (const auto& p : catalogue.panel_table)
        if (iequals(p.folder, folder)) found = &p;
    return found;
}

std::vector<bool> find_shared_gauges(const Catalogue& catalogue, const PanelRecord& panel,
                                     const std::vector<std::string>& names) {
    std::vector<std::string_view> lists;
    for (const auto& p : catalogue.panel_table)
        if (!p.has_alias && p.folder != panel.folder && !p.gauges.empty())
            lists.push_back(p.gauges);
    const std::vector<std::string_view> stems(names.begin(), names.end());
    return find_used_gauges(lists, stems);
}

void hold_panel_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                       const Catalogue& catalogue, const PanelRecord* panel, const Sharing& shared,
                       const std::string& holding_dir, LeftOver& left) {
    // A section without a panel of its own, or whose panel lists no gauges, has nothing to ask.
    if (!panel || shared.panel || panel->has_alias) return;
    const std::vector<std::string> names = gauge_entry_names(panel->gauges);
    if (names.empty()) return;
    if (!ui.ask(Question::remove_gauges)) return;

    const std::vector<bool> named_elsewhere = find_shared_gauges(catalogue, *panel, names);
    const std::string destination_dir = path::join(holding_dir, "Gauges");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (named_elsewhere[i]) continue;
        // A gauge file lies directly in the gauges folder: a name with a separator, a drive or
        // only dots would lead elsewhere.
        const auto file = path::clean_relative(names[i] + ".gau");
        if (!file || file->find('\\') != std::string::npos || *file != names[i] + ".gau") continue;
        hold_file(fs, path::join(workspace.sim_gauges_dir, *file),
                  path::join(destination_dir, *file), left);
    }
}

}  // namespace qv
