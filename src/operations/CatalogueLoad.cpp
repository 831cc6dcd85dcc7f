#include "operations/CatalogueLoad.h"

#include "core/Messages.h"
#include "operations/HeldRemovals.h"
#include "operations/UnusedGaugeSweep.h"
#include "operations/Warnings.h"
#include "platform/Path.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/FolderWalk.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

const std::string kWantedFiles[] = {"aircraft.cfg", "panel.cfg"};

// Both tables come from one walk over the tree. A file or folder that can't be read is passed
// over and named afterwards: one locked file must not hide a whole collection.
void read_tables(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                 AircraftListSink* list) {
    ui.set_progress_status(msg::kStatusGettingAircrafts);
    std::string text;
    WalkGaps gaps;
    // A working folder inside the aircraft tree: its held copies are no aircraft.
    const std::string own_folders[] = {workspace.temp_path_dir, workspace.unused_gauges_dir};
    walk_folders(
        fs, ui, workspace.sim_aircraft_dir, kWantedFiles,
        [&](const FoundFolder& found) {
            if (!found.files[0].empty()) {
                const FsStatus st =
                    read_whole_text(fs, path::join(found.path, found.files[0]), text);
                if (st.ok()) {
                    const std::size_t first = catalogue.aircraft_table.size();
                    read_aircraft_sections(found.path, text, catalogue.aircraft_table);
                    // A section without a title stays in the table but has no list entry, so list
                    // positions and table indices part ways; the list keeps each entry's record.
                    for (std::size_t i = first; i < catalogue.aircraft_table.size(); ++i) {
                        AircraftRecord& record = catalogue.aircraft_table[i];
                        record.through_link = found.through_link;
                        if (record.title.empty()) continue;
                        catalogue.list_records.push_back(i);
                        if (list) list->add(record.title);
                    }
                } else {
                    catalogue.skipped.push_back(st.message);
                }
            }
            if (!found.files[1].empty()) {
                const FsStatus st =
                    read_whole_text(fs, path::join(found.path, found.files[1]), text);
                if (st.ok()) {
                    catalogue.panel_table.push_back(read_panel(found.path, text));
                } else {
                    catalogue.skipped.push_back(st.message);
                    catalogue.gauges_incomplete = true;
                }
            }
        },
        gaps, own_folders);
    for (auto& message : gaps.unlisted) catalogue.skipped.push_back(std::move(message));
    for (const auto& name : gaps.unreachable)
        catalogue.skipped.push_back(name + ": the name has characters this system can't show");
    if (!gaps.unlisted.empty() || !gaps.unreachable.empty()) catalogue.gauges_incomplete = true;
    read_held_panels(fs, workspace, catalogue);
    ui.step_progress();
    ui.set_progress_status(msg::kStatusGettingPanels);
    ui.step_progress();
}

}  // namespace

void load_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                    AircraftListSink* list) {
    ui.show_progress();
    ui.set_progress_range(3);
    if (list) list->clear();
    catalogue.clear();
    read_tables(fs, workspace, ui, catalogue, list);
    // The question stands over the progress window, its bar at 2 of 3; the last step comes
    // whatever the answer. Without every panel no gauge file can be judged unused.
    if (!catalogue.gauges_incomplete) sweep_unused_gauges(fs, workspace, ui, catalogue);
    ui.step_progress();
    ui.close_progress();
    if (!catalogue.skipped.empty())
        ui.warning(warn::load_skipped(catalogue.skipped, catalogue.gauges_incomplete));
}

}  // namespace qv
