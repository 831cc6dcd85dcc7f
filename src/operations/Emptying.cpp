#include "operations/Emptying.h"

#include "core/Messages.h"
#include "operations/HeldRemovals.h"
#include "operations/LeftOver.h"
#include "operations/Recovery.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "simfiles/TreeDeletion.h"

namespace qv {
namespace {

Ending empty_holding_folder(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                            const std::string& folder, Question question, const char* status,
                            const char* notice) {
    if (!ui.ask(question)) return Ending::declined;
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        return Ending::stopped;
    }
    ui.show_progress();
    ui.set_progress_status(status);
    // The records go first, each before the files it lists: an emptying cut short leaves held
    // files no record lists (the next emptying takes them), never a removal listed but half gone.
    if (question == Question::empty_temp_path) {
        for (const auto& record : find_record_files(fs, workspace)) {
            const FsStatus st = delete_any(fs, record);
            if (!st.ok() && !st.not_found()) {
                ui.close_progress();
                ui.warning(warn::empty_left_over(folder, warn::record_kept(record, st.message)));
                return Ending::left_over;
            }
        }
        for (const auto& id : interrupted_removals(fs, workspace))
            fs.delete_file(pending_marker_path(workspace, id));
    }
    const TreeDeletion deletion = delete_folder_tree(fs, folder);
    ui.close_progress();

    // A missing folder counts as empty. What is still there is named, hidden files included:
    // the deletion leaves some entries by design, and the user should know.
    LeftOver left;
    for (const auto& failure : deletion.failures) left.note(failure.message);
    Attributes a;
    if (fs.attributes(folder, a).ok()) {
        if (a.link)
            left.add(folder, "the folder is a link, left as it is");
        else
            collect_remaining(fs, folder, left);
    }
    if (left.empty()) {
        ui.notice(notice);
        return Ending::completed;
    }
    ui.warning(warn::empty_left_over(folder, left.describe()));
    return Ending::left_over;
}

}  // namespace

Ending empty_temp_path(FileSystem& fs, const Workspace& workspace, UiPort& ui) {
    return empty_holding_folder(fs, workspace, ui, workspace.temp_path_dir,
                                Question::empty_temp_path, msg::kEmptyTempStatus,
                                msg::kEmptyTempDone);
}

Ending empty_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui) {
    return empty_holding_folder(fs, workspace, ui, workspace.unused_gauges_dir,
                                Question::empty_unused_gauges, msg::kEmptyUnusedStatus,
                                msg::kEmptyUnusedDone);
}

}  // namespace qv
