#include "operations/CatalogueLoad.h"

#include <exception>

#include "core/Messages.h"
#include "core/Settings.h"
#include "operations/SweepUnusedGauges.h"
#include "simfiles/ReadAircraftCfg.h"
#include "simfiles/ReadPanelCfg.h"
#include "simfiles/SearchFolders.h"

namespace qv {
namespace {

const std::string kWantedFiles[] = {"aircraft.cfg", "panel.cfg"};

// Both tables come from one walk over the tree. It gives what a walk for the aircraft.cfg files
// followed by a walk for the panel.cfg files would give, failures included: a panel.cfg that
// can't be read stops the panels there but not the aircraft, and its error is raised once the
// aircraft phase is over; an error of the aircraft phase leaves no panel read at all.
void ReadTables(FileSystem& fs, SharedValues& values, UiPort& ui, Catalogue& catalogue) {
    ui.SetProgressStatus(msg::kStatusGettingAircrafts);
    std::exception_ptr panel_failure;
    try {
        SearchFolders(fs, ui, values.fs_aircraft_dir, kWantedFiles,
                      [&](const std::string& folder, const std::vector<std::string>& found) {
                          if (!found[0].empty())
                              ReadAircraftCfg(fs, ui, catalogue, folder, found[0]);
                          if (found[1].empty() || panel_failure) return;
                          try {
                              ReadPanelCfg(fs, catalogue, folder, found[1]);
                          } catch (const OperationError&) {
                              panel_failure = std::current_exception();
                          }
                      });
    } catch (...) {
        catalogue.panel_table.clear();
        throw;
    }
    ui.StepProgress();
    ui.SetProgressStatus(msg::kStatusGettingPanels);
    if (panel_failure) std::rethrow_exception(panel_failure);
    ui.StepProgress();
}

}  // namespace

void LoadCatalogue(FileSystem& fs, SharedValues& values, UiPort& ui, Catalogue& catalogue) {
    ui.ShowProgressWindow();
    try {
        ui.SetProgressRange(3);
        ui.ClearAircraftList();
        catalogue.clear();
        ReadTables(fs, values, ui, catalogue);
        // The question stands over the progress window, its bar at 2 of 3; the last step comes
        // whatever the answer.
        SweepUnusedGauges(fs, values, ui, catalogue);
        ui.StepProgress();
    } catch (...) {
        ui.CloseProgressWindow();
        throw;
    }
    ui.CloseProgressWindow();
}

}  // namespace qv
