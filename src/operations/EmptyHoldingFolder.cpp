#include "operations/EmptyHoldingFolder.h"

#include "core/Messages.h"
#include "operations/LeftOver.h"
#include "operations/RemovalMessages.h"
#include "simfiles/DeleteFolderTree.h"

namespace qv {
namespace {

EmptyOutcome EmptyHoldingFolder(FileSystem& fs, UiPort& ui, const std::string& folder,
                                const char* question, const char* status, const char* notice) {
    if (!ui.question(question)) return EmptyOutcome::declined;
    ui.ShowProgressWindow();
    ui.SetProgressStatus(status);
    const TreeDeletion deletion = DeleteFolderTree(fs, folder);
    ui.CloseProgressWindow();

    // A missing folder counts as empty. What is still there is named, hidden files included:
    // the deletion leaves some entries by design, and the user should know.
    LeftOver left;
    if (!deletion.failure.ok()) left.note(deletion.failure.message);
    Attributes a;
    if (fs.attributes(folder, a).ok()) {
        if (a.link)
            left.add(folder, "the folder is a link, left as it is");
        else
            CollectRemaining(fs, folder, left);
    }
    if (left.empty()) {
        ui.notice(notice);
        return EmptyOutcome::emptied;
    }
    ui.warning(removal_msg::EmptyLeftOver(folder, left.describe()));
    return EmptyOutcome::left_over;
}

}  // namespace

EmptyOutcome EmptyTempPath(FileSystem& fs, const SharedValues& values, UiPort& ui) {
    return EmptyHoldingFolder(fs, ui, values.temp_path_dir, msg::kEmptyTempQuestion,
                              msg::kEmptyTempStatus, msg::kEmptyTempDone);
}

EmptyOutcome EmptyUnusedGauges(FileSystem& fs, const SharedValues& values, UiPort& ui) {
    return EmptyHoldingFolder(fs, ui, values.unused_gauges_dir, msg::kEmptyUnusedQuestion,
                              msg::kEmptyUnusedStatus, msg::kEmptyUnusedDone);
}

}  // namespace qv
