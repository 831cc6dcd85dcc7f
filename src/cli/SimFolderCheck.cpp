#include "cli/SimFolderCheck.h"

#include "cli/Commands.h"
#include "core/OperationError.h"
#include "core/Settings.h"

namespace qv::cli {

int check_simulator(FileSystem& fs, const Workspace& workspace, TranscriptUi& ui) {
    const SimFolderState state = check_sim_folder(fs, workspace.sim_main_dir);
    const std::string problem = sim_folder_problem(state, workspace.sim_main_dir);
    if (state == SimFolderState::missing) {
        ui.error(problem);
        return kExitError;
    }
    if (state == SimFolderState::without_aircraft) ui.warning(problem);
    return kExitDone;
}

void warn_unless_simulator_here(FileSystem& fs, const std::string& folder, TranscriptUi& ui) {
    std::string here;
    try {
        here = sim_folder_here(folder);
    } catch (const OperationError& e) {
        ui.warning(e.what());
        return;
    }
    const std::string problem = sim_folder_problem(check_sim_folder(fs, here), here);
    if (!problem.empty()) ui.warning(problem);
}

}  // namespace qv::cli
