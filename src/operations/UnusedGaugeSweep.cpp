#include "operations/UnusedGaugeSweep.h"

#include "core/Messages.h"
#include "operations/GaugeIndex.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"

namespace qv {

void sweep_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                         const Catalogue& catalogue) {
    if (!ui.ask(Question::sweep_unused_gauges)) return;
    ui.set_progress_status(msg::kStatusSweeping);

    // Without a gauges folder the path is the main folder with a separator after it; the main
    // folder's own files are no gauges to sweep.
    const std::string& gauges_dir = workspace.sim_gauges_dir;
    if (gauges_dir.empty() || path::is_separator(gauges_dir.back())) return;
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        return;
    }

    // A link in the holding folder's place would carry the gauges out of the working folder.
    Attributes held_at;
    if (fs.attributes(workspace.unused_gauges_dir, held_at).ok() && held_at.link) {
        ui.warning(warn::holding_is_link(workspace.unused_gauges_dir));
        return;
    }
    remove_temporary_files(fs, workspace.unused_gauges_dir);

    std::vector<std::string> names;
    const FsStatus st = fs.list(path::join(gauges_dir, "*.*"), ListFilter::normal_files, names);
    if (!st.ok()) {
        ui.warning(warn::sweep_unlisted(st.message));
        return;
    }
    std::erase_if(names, [](const std::string& name) { return !is_gauge_file(name); });
    if (names.empty()) return;

    std::vector<std::string_view> stems;
    stems.reserve(names.size());
    for (const auto& name : names)
        stems.push_back(std::string_view(name).substr(0, name.size() - 4));
    std::vector<std::string_view> lists;
    lists.reserve(catalogue.panel_table.size() + catalogue.held_panels.size());
    for (const PanelRecord& panel : catalogue.panel_table) lists.push_back(panel.gauges);
    for (const PanelRecord& panel : catalogue.held_panels) lists.push_back(panel.gauges);
    const std::vector<bool> used = find_used_gauges(lists, stems);

    // Every copy is made, then put on the disk, then the originals go.
    HeldNames held(fs);
    LeftOver left;
    std::vector<std::string> copied;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (used[i]) continue;
        const std::string source = path::join(gauges_dir, names[i]);
        const FsStatus copy =
            fs.copy_file(source, held.claim(workspace.unused_gauges_dir, names[i]));
        if (copy.ok())
            copied.push_back(source);
        else if (!copy.not_found())
            left.add(source, copy.message);
    }
    if (!copied.empty()) {
        const FsStatus flushed = fs.flush_folder(workspace.unused_gauges_dir);
        if (!flushed.ok()) {
            // Without the copies on the disk the originals stay.
            for (const auto& source : copied)
                left.add(source, "copied, but the copy could not be put on the disk", true);
            copied.clear();
        }
    }
    for (const auto& source : copied) {
        const FsStatus gone = fs.delete_file(source);
        if (!gone.ok() && !gone.not_found())
            left.add(source, "copied into the holding folder, but not deleted: " + gone.message,
                     true);
    }
    if (!left.empty()) ui.warning(warn::sweep_left_over(left.describe()));
}

}  // namespace qv
