#include "operations/Recovery.h"

#include "operations/LeftOver.h"
#include "operations/RemovalRecord.h"
#include "operations/RemovalRun.h"
#include "operations/Restore.h"
#include "operations/Warnings.h"
#include "platform/Path.h"

namespace qv {

std::vector<std::string> interrupted_removals(FileSystem& fs, const Workspace& workspace) {
    std::vector<std::string> names;
    std::vector<std::string> ids;
    if (!fs.list(path::join(workspace.temp_path_dir, "*.*"), ListFilter::everything, names).ok())
        return ids;
    for (const auto& name : names) {
        if (!name.starts_with(kPendingPrefix) || !name.ends_with(kRecordSuffix)) continue;
        ids.push_back(name.substr(kPendingPrefix.size(),
                                  name.size() - kPendingPrefix.size() - kRecordSuffix.size()));
    }
    return ids;
}

void finish_interrupted(FileSystem& fs, const Workspace& workspace, UiPort& ui) {
    for (const auto& id : interrupted_removals(fs, workspace)) {
        const std::string marker = pending_marker_path(workspace, id);
        std::string rel;
        RemovalRecord record;
        std::string text, error;
        FsStatus st = fs.read_file(marker, rel);
        if (st.ok()) st = fs.read_file(in_working_folder(workspace, rel), text);
        if (!st.ok() || !parse_record(text, record, error)) {
            // The record is written before its marker and before anything changes: a marker
            // without a readable record stands for a removal that changed nothing.
            fs.delete_file(marker);
            continue;
        }
        if (record.restore_begun) {
            finish_interrupted_restore(fs, workspace, ui, in_working_folder(workspace, rel));
            continue;
        }
        LeftOver left;
        RemovalRun run(fs, workspace, record, left);
        if (record.finished) {
            // Only its marker outlived it.
            fs.delete_file(marker);
            continue;
        }
        if (run.hold_cfg() != RemovalRun::CfgStep::done) {
            // The aircraft.cfg is no longer the one the plan read; nothing else had moved yet.
            run.give_up();
            ui.notice(warn::interrupted_undone(record.title));
            continue;
        }
        // Interrupted before the gauge question was answered: the gauges stay.
        if (!record.gauges_decided) run.decide_gauges(false);
        run.move(MoveKind::gauge);
        run.move(MoveKind::section);
        run.move(MoveKind::rest);
        if (!record.folders_done) run.empty_folders();
        run.finish();
        if (left.empty())
            ui.notice(warn::interrupted_finished(record.title));
        else
            ui.warning(warn::interrupted_finished(record.title) + "\r\n" + left.describe());
    }
}

}  // namespace qv
