#include "operations/HeldRemovals.h"

#include <algorithm>

#include "operations/Recovery.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

void find_records(FileSystem& fs, const std::string& folder, std::vector<std::string>& out) {
    std::vector<std::string> names;
    if (fs.list(path::join(folder, "*.*"), ListFilter::normal_and_hidden_files, names).ok())
        for (const auto& name : names)
            if (name.starts_with(kRecordPrefix) && name.ends_with(kRecordSuffix))
                out.push_back(path::join(folder, name));
    // One listing gives the subfolders with their links told apart; links are not entered.
    FolderScan scan;
    if (!fs.scan_folder(folder, {}, scan).ok()) return;
    for (const auto& sub : scan.subfolders)
        if (!sub.link) find_records(fs, path::join(folder, sub.name), out);
}

// The files a record still holds.
std::size_t held_files(const RemovalRecord& r) {
    std::size_t n = r.cfg_put_back ? 0 : 1;
    for (std::size_t i = 0; i < r.moves.size(); ++i)
        if (r.moved[i] && !r.put_back[i] && (r.moves[i].kind != MoveKind::gauge || r.gauges_moved))
            ++n;
    return n;
}

}  // namespace

std::vector<std::string> find_record_files(FileSystem& fs, const Workspace& workspace) {
    std::vector<std::string> out;
    Attributes a;
    // A Temp_Path that is a link leads somewhere else: nothing there is this program's.
    if (!fs.attributes(workspace.temp_path_dir, a).ok() || a.link) return out;
    find_records(fs, workspace.temp_path_dir, out);
    return out;
}

bool read_record(FileSystem& fs, const std::string& path, RemovalRecord& record, std::string& why) {
    std::string text;
    const FsStatus st = fs.read_file(path, text);
    if (!st.ok()) {
        why = st.message;
        return false;
    }
    return parse_record(text, record, why);
}

HeldList list_held(FileSystem& fs, const Workspace& workspace) {
    HeldList out;
    const std::vector<std::string> pending = interrupted_removals(fs, workspace);
    for (const auto& p : find_record_files(fs, workspace)) {
        RemovalRecord r;
        std::string why;
        if (!read_record(fs, p, r, why)) {
            out.problems.push_back(p + ": " + why);
            continue;
        }
        const bool under_way = std::find(pending.begin(), pending.end(), r.id) != pending.end();
        if (under_way || !r.finished) {
            out.problems.push_back(
                p + ": " + (r.restore_begun ? "putting back " : "the removal of ") + r.title +
                " is unfinished; the next command that changes the disk "
                "finishes it");
            continue;
        }
        out.removals.push_back({r.id, r.when, r.batch, r.title, in_simulator(workspace, r.aircraft),
                                p, held_files(r), r.restore_begun});
    }
    std::sort(out.removals.begin(), out.removals.end(),
              [](const HeldRemoval& a, const HeldRemoval& b) { return a.id > b.id; });
    return out;
}

void read_held_panels(FileSystem& fs, const Workspace& workspace, Catalogue& catalogue) {
    for (const auto& p : find_record_files(fs, workspace)) {
        RemovalRecord r;
        std::string why;
        if (!read_record(fs, p, r, why)) {
            // A record that can't be read may hold a panel.
            catalogue.skipped.push_back(p + ": " + why);
            catalogue.gauges_incomplete = true;
            continue;
        }
        if (r.panel_cfg.empty()) continue;
        bool held = false;
        for (std::size_t i = 0; i < r.moves.size(); ++i)
            if (iequals(r.moves[i].held, r.panel_cfg)) held = r.moved[i] && !r.put_back[i];
        // Not moved yet, or put back: the walk read it in its place.
        if (!held) continue;
        const std::string panel = in_working_folder(workspace, r.panel_cfg);
        std::string text;
        const FsStatus st = read_whole_text(fs, panel, text);
        if (!st.ok()) {
            catalogue.skipped.push_back(st.message);
            catalogue.gauges_incomplete = true;
            continue;
        }
        catalogue.held_panels.push_back(read_panel(std::string(path::parent(panel)), text));
    }
}

}  // namespace qv
