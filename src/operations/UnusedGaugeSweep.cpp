#include "operations/UnusedGaugeSweep.h"

#include "core/Messages.h"
#include "core/OperationError.h"
#include "operations/GaugeIndex.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

// The simulator loads gauges from these kinds of files, packed or not; all are swept alike.
bool is_gauge_file(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string ext = to_lower(name.substr(name.size() - 4));
    return ext == ".gau" || ext == ".zip" || ext == ".cab";
}

}  // namespace

void sweep_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                         const Catalogue& catalogue) {
    if (!ui.ask(Question::sweep_unused_gauges)) return;
    ui.set_progress_status(msg::kStatusSweeping);

    // Without a gauges folder the path is the main folder with a separator after it; the main
    // folder's own files are no gauges to sweep.
    const std::string& gauges_dir = workspace.sim_gauges_dir;
    if (gauges_dir.empty() || path::is_separator(gauges_dir.back())) return;

    std::vector<std::string> names;
    const std::string pattern = path::join(gauges_dir, "*.*");
    const FsStatus st = fs.list(pattern, ListFilter::normal_files, names);
    if (!st.ok()) throw OperationError(st.message);
    std::erase_if(names, [](const std::string& name) { return !is_gauge_file(name); });
    if (names.empty()) return;

    std::vector<std::string_view> stems;
    stems.reserve(names.size());
    for (const auto& name : names)
        stems.push_back(std::string_view(name).substr(0, name.size() - 4));
    std::vector<std::string_view> lists;
    lists.reserve(catalogue.panel_table.size());
    for (const PanelRecord& panel : catalogue.panel_table) lists.push_back(panel.gauges);
    const std::vector<bool> used = find_used_gauges(lists, stems);

    for (std::size_t i = 0; i < names.size(); ++i) {
        if (used[i]) continue;
        const std::string& name = names[i];
        const std::string source = path::join(gauges_dir, name);
        // Failures are skipped without a word: a file whose copy failed stays where it is, and
        // one that could not be deleted after its copy stays in both places.
        if (fs.copy_file(source, path::join(workspace.unused_gauges_dir, name)).ok())
            fs.delete_file(source);
    }
}

}  // namespace qv
