#include "operations/RemoveGaugeFiles.h"

#include <set>
#include <string_view>
#include <unordered_set>

#include "core/Messages.h"
#include "operations/MoveHeldFile.h"
#include "operations/PathContainment.h"
#include "platform/Text.h"

namespace qv {

const PanelRecord* FindSectionPanel(const Catalogue& catalogue, const AircraftRecord& aircraft) {
    const std::string folder = join_path(
        aircraft.folder, aircraft.panel.empty() ? std::string("panel") : "panel." + aircraft.panel);
    const PanelRecord* found = nullptr;
    for (const auto& p : catalogue.panel_table)
        if (iequals(p.folder, folder)) found = &p;
    return found;
}

std::vector<std::string> GaugeEntryNames(const std::string& gauges) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < gauges.size()) {
        const std::string_view rest(gauges.data() + start, gauges.size() - start);
        if (rest.starts_with(kEndOfGaugeList)) break;
        std::size_t end = rest.find("\r\n");
        const std::string_view entry = rest.substr(0, end);
        if (!entry.empty()) names.emplace_back(entry.substr(0, entry.size() - 1));
        if (end == std::string_view::npos) break;
        start += end + 2;
    }
    return names;
}

std::vector<bool> FindSharedGauges(const Catalogue& catalogue, const PanelRecord& panel,
                                   const std::vector<std::string>& names) {
    // The keys "name!" and "name," in lower case. A key can only match text that ends in its own
    // delimiter, so each other list is searched only at its "!" and "," characters, for the key
    // lengths there are.
    std::vector<std::string> keys;
    for (const auto& n : names) {
        keys.push_back(to_lower(n) + "!");
        keys.push_back(to_lower(n) + ",");
    }
    const std::unordered_set<std::string_view> wanted(keys.begin(), keys.end());
    std::set<std::size_t> lengths;
    for (const auto& k : keys) lengths.insert(k.size());
    std::unordered_set<std::string_view> found;

    std::string lower;
    for (const auto& p : catalogue.panel_table) {
        if (found.size() == wanted.size()) break;
        if (p.has_alias || p.folder == panel.folder || p.gauges.empty()) continue;
        lower = to_lower(p.gauges);
        for (std::size_t i = lower.find_first_of("!,"); i != std::string::npos;
             i = lower.find_first_of("!,", i + 1)) {
            for (std::size_t len : lengths) {
                if (len > i + 1) break;
                const auto hit = wanted.find(std::string_view(lower).substr(i + 1 - len, len));
                if (hit != wanted.end()) found.insert(*hit);
            }
        }
    }
    std::vector<bool> shared;
    for (std::size_t i = 0; i < names.size(); ++i)
        shared.push_back(found.contains(keys[2 * i]) || found.contains(keys[2 * i + 1]));
    return shared;
}

void RemoveGaugeFiles(FileSystem& fs, const SharedValues& values, UiPort& ui,
                      const Catalogue& catalogue, const PanelRecord* panel,
                      const SharingFlags& flags, const std::string& holding_dir, LeftOver& left) {
    // A section without a panel of its own, or whose panel lists no gauges, has nothing to ask.
    if (!panel || !flags.panel_unshared || panel->has_alias) return;
    const std::vector<std::string> names = GaugeEntryNames(panel->gauges);
    if (names.empty()) return;
    if (!ui.question(msg::kGaugeQuestion)) return;

    const std::vector<bool> shared = FindSharedGauges(catalogue, *panel, names);
    const std::string destination_dir = join_path(holding_dir, "Gauges");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (shared[i]) continue;
        // A gauge file lies directly in the gauges folder: a name with a separator, a drive or
        // only dots would lead elsewhere.
        const auto file = CleanRelativePath(names[i] + ".gau");
        if (!file || file->find('\\') != std::string::npos || *file != names[i] + ".gau") continue;
        MoveHeldFile(fs, join_path(values.fs_gauges_dir, *file), join_path(destination_dir, *file),
                     left);
    }
}

}  // namespace qv
