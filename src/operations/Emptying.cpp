#include "operations/Emptying.h"

#include "core/Messages.h"
#include "operations/LeftOver.h"
#include "operations/RemovalMessages.h"
#include "simfiles/TreeDeletion.h"

namespace qv {
namespace {

EmptyOutcome empty_holding_folder(FileSystem& fs, UiPort& ui, const std::string& folder,
                                  Question question, const char* status, const char* notice) {
    if (!ui.ask(question)) return EmptyOutcome::declined;
    ui.show_progress();
    ui.set_progress_status(status);
    const TreeDeletion deletion = delete_folder_tree(fs, folder);
    ui.close_progress();

    // A missing folder counts as empty. What is still there is named, hidden files included:
    // the deletion leaves some entries by design, and the user should know.
    LeftOver left;
    if (!deletion.failure.ok()) left.note(deletion.failure.message);
    Attributes a;
    if (fs.attributes(folder, a).ok()) {
        if (a.link)
            left.add(folder, "the folder is a link, left as it is");
        else
            collect_remaining(fs, folder, left);
    }
    if (left.empty()) {
        ui.notice(notice);
        return EmptyOutcome::emptied;
    }
    ui.warning(removal_msg::empty_left_over(folder, left.describe()));
    return EmptyOutcome::left_over;
}

}  // namespace

EmptyOutcome empty_temp_path(FileSystem& fs, const Workspace& workspace, UiPort& ui) {
    return empty_holding_folder(fs, ui, workspace.temp_path_dir, Question::empty_temp_path,
                                msg::kEmptyTempStatus, msg::kEmptyTempDone);
}

EmptyOutcome empty_unused_gauges(FileSystem& fs, const Workspace& workspace, UiPort& ui) {
    return empty_holding_folder(fs, ui, workspace.unused_gauges_dir, Question::empty_unused_gauges,
                                msg::kEmptyUnusedStatus, msg::kEmptyUnusedDone);
}

}  // namespace qv
