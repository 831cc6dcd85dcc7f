#include "operations/Recovery.h"

#include <set>

#include "operations/HeldRemovals.h"
#include "operations/LeftOver.h"
#include "operations/RemovalRecord.h"
#include "operations/RemovalRun.h"
#include "operations/Restore.h"
#include "operations/Warnings.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

// The folders a record writes into, where a killed copy may have left a temporary file: the
// places of its files in the simulator (and the gauges folder), and their held places.
std::set<std::string> written_folders(const Workspace& workspace, const RemovalRecord& r) {
    std::set<std::string> folders;
    const auto add = [&](std::string folder) { folders.insert(std::move(folder)); };
    if (!r.holds_folder) {
        add(std::string(path::parent(in_simulator(workspace, r.cfg))));
        add(std::string(path::parent(in_working_folder(workspace, r.cfg_copy))));
    }
    add(workspace.sim_gauges_dir);
    for (const auto& m : r.moves) {
        add(std::string(path::parent(in_simulator(workspace, m.source))));
        add(std::string(path::parent(in_working_folder(workspace, m.held))));
    }
    return folders;
}

// The record a marker points at, relative to the working folder, when the marker is sound: a
// plain path inside Temp_Path to the record file of the marker's own id.
bool marker_target(const Workspace& workspace, const std::string& id, const std::string& rel) {
    if (!is_record_id(id) || !path::is_plain_relative(rel)) return false;
    const std::string expected = std::string(kRecordPrefix) + id + std::string(kRecordSuffix);
    return path::last_part(rel) == expected &&
           path::is_inside(in_working_folder(workspace, rel), workspace.temp_path_dir);
}

}  // namespace

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
    // What a killed sweep, settings write or record write left in the working folders.
    remove_temporary_files(fs, workspace.base_dir);
    remove_temporary_files(fs, workspace.temp_path_dir);
    remove_temporary_files(fs, workspace.unused_gauges_dir);
    for (const auto& id : interrupted_removals(fs, workspace)) {
        const std::string marker = pending_marker_path(workspace, id);
        std::string rel;
        FsStatus st = fs.read_file(marker, rel);
        if (!st.ok()) continue;
        if (!marker_target(workspace, id, rel)) {
            ui.warning(warn::record_refused(marker, "it does not point at a record of its own"));
            continue;
        }
        const std::string record_file = in_working_folder(workspace, rel);
        RemovalRecord record;
        std::string why;
        if (!read_record(fs, record_file, record, why)) {
            Attributes a;
            // The record is written right after its marker and before anything changes: a
            // marker without its record stands for a removal that changed nothing.
            if (fs.attributes(record_file, a).not_found()) {
                remove_temporary_files(fs, std::string(path::parent(record_file)));
                fs.delete_file(marker);
            } else {
                ui.warning(warn::record_refused(record_file, why));
            }
            continue;
        }
        if (record.id != id) {
            ui.warning(warn::record_refused(record_file, "it is the record of another removal"));
            continue;
        }
        if (!same_simulator(record.simulator, workspace.sim_main_dir)) {
            ui.warning(warn::interrupted_elsewhere(record.title, record.simulator,
                                                   workspace.sim_main_dir));
            continue;
        }
        why = out_of_bounds(workspace, record);
        if (why.empty()) why = link_on_the_way(fs, workspace, record);
        if (!why.empty()) {
            ui.warning(warn::record_refused(record_file, why));
            continue;
        }
        for (const auto& folder : written_folders(workspace, record))
            remove_temporary_files(fs, folder);
        if (record.restore_begun) {
            finish_interrupted_restore(fs, workspace, ui, record_file, record);
            continue;
        }
        if (record.finished) {
            // Only its marker outlived it.
            fs.delete_file(marker);
            continue;
        }
        LeftOver left;
        RemovalRun run(fs, workspace, record, left);
        const RemovalRun::CfgStep cfg = run.hold_cfg();
        if (cfg != RemovalRun::CfgStep::done && !run.stopped()) {
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
        if (run.stopped()) {
            ui.warning(run.stop_warning());
        } else if (left.empty()) {
            ui.notice(warn::interrupted_finished(record.title));
        } else {
            ui.warning(warn::interrupted_finished(record.title) + "\r\n" + left.describe());
        }
    }
}

}  // namespace qv
