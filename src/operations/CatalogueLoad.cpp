#include "operations/CatalogueLoad.h"

#include "core/Messages.h"
#include "core/OperationError.h"
#include "operations/UnusedGaugeSweep.h"
#include "platform/Path.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/FolderWalk.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

const std::string kWantedFiles[] = {"aircraft.cfg", "panel.cfg"};

// Both tables come from one walk over the tree. It gives what a walk for the aircraft.cfg files
// followed by a walk for the panel.cfg files would give, failures included: a panel.cfg that
// can't be read stops the panels there but not the aircraft, and its error is raised once the
// aircraft phase is over; an error of the aircraft phase leaves no panel read at all.
void read_tables(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                 AircraftListSink* list) {
    ui.set_progress_status(msg::kStatusGettingAircrafts);
    FsStatus panel_failure;
    std::string text;
    const FsStatus walked =
        walk_folders(fs, ui, workspace.sim_aircraft_dir, kWantedFiles,
                     [&](const std::string& folder, const std::vector<std::string>& found) {
                         if (!found[0].empty()) {
                             FsStatus st = read_whole_text(fs, path::join(folder, found[0]), text);
                             if (!st.ok()) return st;
                             const std::size_t first = catalogue.aircraft_table.size();
                             read_aircraft_sections(folder, text, catalogue.aircraft_table);
                             // A section without a title stays in the table but has no list entry,
                             // so list positions and table indices part ways; the list keeps each
                             // entry's record.
                             for (std::size_t i = first; i < catalogue.aircraft_table.size(); ++i) {
                                 const std::string& title = catalogue.aircraft_table[i].title;
                                 if (title.empty()) continue;
                                 catalogue.list_records.push_back(i);
                                 if (list) list->add(title);
                             }
                         }
                         if (found[1].empty() || !panel_failure.ok()) return FsStatus::success();
                         panel_failure = read_whole_text(fs, path::join(folder, found[1]), text);
                         if (panel_failure.ok())
                             catalogue.panel_table.push_back(read_panel(folder, text));
                         return FsStatus::success();
                     });
    if (!walked.ok()) {
        catalogue.panel_table.clear();
        throw OperationError(walked.message);
    }
    ui.step_progress();
    ui.set_progress_status(msg::kStatusGettingPanels);
    if (!panel_failure.ok()) throw OperationError(panel_failure.message);
    ui.step_progress();
}

}  // namespace

void load_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                    AircraftListSink* list) {
    ui.show_progress();
    try {
        ui.set_progress_range(3);
        if (list) list->clear();
        catalogue.clear();
        read_tables(fs, workspace, ui, catalogue, list);
        // The question stands over the progress window, its bar at 2 of 3; the last step comes
        // whatever the answer.
        sweep_unused_gauges(fs, workspace, ui, catalogue);
        ui.step_progress();
    } catch (...) {
        ui.close_progress();
        throw;
    }
    ui.close_progress();
}

}  // namespace qv
