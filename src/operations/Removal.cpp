#include "operations/Removal.h"

#include <string>
#include <vector>

#include "core/Messages.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/PanelGauges.h"
#include "operations/RemovalMessages.h"
#include "operations/SectionFiles.h"
#include "operations/Sharing.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/TreeDeletion.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

using Result = RemovalOutcome::Result;

// The aircraft.cfg as the removal reads it: its path as spelled on disk and its whole text.
struct CfgFile {
    std::string path;
    std::string text;
    std::string failure;  // why it could not be read; empty when it was
};

class Removal {
  public:
    Removal(FileSystem& fs, const Workspace& workspace, UiPort& ui, const Catalogue& catalogue)
        : fs_(fs), workspace_(workspace), ui_(ui), catalogue_(catalogue) {}

    RemovalOutcome run(std::ptrdiff_t list_position);

  private:
    void step(const char* status) {
        ui_.step_progress();
        ui_.set_progress_status(status);
    }
    RemovalOutcome stop(const std::string& why, bool reload = false) {
        remove_created_folders();
        ui_.close_progress();
        ui_.warning(why);
        return {Result::stopped, reload};
    }
    // The holding folders this removal made, taken away again when it stops before any move.
    void remove_created_folders() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs_.remove_folder(*it);
        created_.clear();
    }
    CfgFile read_cfg(const AircraftRecord& aircraft);
    bool matches_catalogue(const std::string& folder, const std::string& cfg_text,
                           const std::vector<SectionSpan>& sections) const;
    std::string protected_content(const std::string& folder) const;
    void delete_aircraft_folder(const std::string& folder, LeftOver& left);

    FileSystem& fs_;
    const Workspace& workspace_;
    UiPort& ui_;
    const Catalogue& catalogue_;
    std::vector<std::string> created_;
};

CfgFile Removal::read_cfg(const AircraftRecord& aircraft) {
    CfgFile cfg;
    cfg.path = path::join(aircraft.folder, "aircraft.cfg");
    std::vector<std::string> found;
    if (fs_.list(cfg.path, ListFilter::normal_files, found).ok() && !found.empty())
        cfg.path = path::join(aircraft.folder, found.front());
    Attributes a;
    if (fs_.attributes(cfg.path, a).ok() && a.link) {
        cfg.failure = "it is a link, which Quorvane does not move or rewrite";
        return cfg;
    }
    const FsStatus st = read_whole_text(fs_, cfg.path, cfg.text);
    if (!st.ok()) cfg.failure = st.message;
    return cfg;
}

// Whether the file still holds exactly the sections the catalogue read from it, in that order:
// otherwise the selected record and the sharing decisions may be stale.
bool Removal::matches_catalogue(const std::string& folder, const std::string& cfg_text,
                                const std::vector<SectionSpan>& sections) const {
    std::vector<const AircraftRecord*> records(sections.size(), nullptr);
    for (const auto& r : catalogue_.aircraft_table) {
        if (!iequals(r.folder, folder)) continue;
        if (r.section_index >= sections.size() || records[r.section_index]) return false;
        records[r.section_index] = &r;
    }
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!records[i] ||
            cfg_text.compare(sections[i].start, sections[i].length, records[i]->section_text) != 0)
            return false;
    }
    return true;
}

// What the aircraft folder holds that must not be deleted with it; empty when nothing.
std::string Removal::protected_content(const std::string& folder) const {
    const struct {
        const std::string& path;
        const char* what;
    } fixed[] = {
        {workspace_.sim_aircraft_dir, "the simulator's aircraft folder "},
        {workspace_.sim_main_dir, "the simulator's main folder "},
        {workspace_.sim_gauges_dir, "the simulator's gauges folder "},
        {workspace_.base_dir, "Quorvane's own folder "},
    };
    for (const auto& f : fixed)
        if (!f.path.empty() && path::is_same_or_inside(f.path, folder)) return f.what + f.path;
    for (const auto& r : catalogue_.aircraft_table)
        if (path::is_inside(r.folder, folder)) return "the folder of another aircraft, " + r.folder;
    return {};
}

void Removal::delete_aircraft_folder(const std::string& folder, LeftOver& left) {
    ui_.set_progress_status(msg::kStatusDeletingFolder);
    const TreeDeletion deletion = delete_folder_tree(fs_, folder);
    const FsStatus removed = fs_.remove_folder(folder);
    ui_.step_progress();

    // A held file whose original could not be deleted stays reported even when the folder
    // deletion took it: the user asked for a move, and it failed. Anything still in the folder is
    // named once, from a listing of what is there now.
    Attributes a;
    if (fs_.attributes(folder, a).not_found()) return;
    left.drop_inside(folder);
    std::string why = !deletion.failure.ok()    ? deletion.failure.message
                      : !deletion.links.empty() ? "it holds a link, which is left as it is"
                                                : removed.message;
    left.note(removal_msg::folder_not_removed(folder, why));
    collect_remaining(fs_, folder, left);
}

RemovalOutcome Removal::run(std::ptrdiff_t list_position) {
    if (list_position < 0 ||
        static_cast<std::size_t>(list_position) >= catalogue_.list_records.size())
        return {Result::nothing_selected};
    if (!ui_.ask(Question::confirm_removal)) {
        ui_.notice(msg::kRemoveCanceled);
        return {Result::declined};
    }
    ui_.show_progress();
    ui_.set_progress_range(7);
    ui_.set_progress_status(msg::kStatusGathering);

    const std::size_t target = catalogue_.list_records[static_cast<std::size_t>(list_position)];
    const AircraftRecord& aircraft = catalogue_.aircraft_table.at(target);
    const PanelRecord* panel = find_section_panel(catalogue_, aircraft);
    Attributes folder_attributes;
    if (fs_.attributes(aircraft.folder, folder_attributes).ok() && folder_attributes.link)
        return stop(removal_msg::aircraft_folder_is_link(aircraft.folder));

    step(msg::kStatusCreatingTemp);
    const std::string rel = aircraft_rel_path(workspace_, aircraft.folder);
    const std::string holding_dir = path::join(workspace_.temp_path_dir, rel);
    // Made from base_dir down, one level at a time, so no level can be a link.
    FsStatus st =
        make_folder_chain(fs_, std::string(path::parent(workspace_.temp_path_dir)),
                          path::join(path::last_part(workspace_.temp_path_dir), rel), &created_);
    if (st.ok()) st = make_folder_chain(fs_, holding_dir, "Gauges", &created_);
    if (!st.ok()) return stop(removal_msg::holding_folder_failed(st.message));

    step(msg::kStatusGettingData);
    const CfgFile cfg = read_cfg(aircraft);
    if (!cfg.failure.empty()) return stop(removal_msg::cfg_unreadable(cfg.path, cfg.failure));
    const std::vector<SectionSpan> sections = find_aircraft_sections(cfg.text);
    if (!matches_catalogue(aircraft.folder, cfg.text, sections))
        return stop(removal_msg::aircraft_changed(cfg.path), true);

    step(msg::kStatusSharedFiles);
    const Sharing shared = find_sharing(catalogue_, target);

    // The aircraft.cfg is held (and rewritten) before anything else moves: when that fails,
    // every file stays where it was.
    step(msg::kStatusDeletingGauges);
    LeftOver left;
    const RemovalPlace place{aircraft, cfg.path, holding_dir};
    const CfgHold hold = hold_aircraft_cfg(fs_, place, cfg.text, sections[aircraft.section_index],
                                           shared.other_sections, left);
    const bool held = hold.result == CfgHold::Result::held;
    if (hold.result == CfgHold::Result::copy_failed) {
        left.note(removal_msg::backup_failed(cfg.path, hold.failure));
        remove_created_folders();
    }
    if (hold.result == CfgHold::Result::rewrite_failed)
        left.note(removal_msg::rewrite_failed(cfg.path, hold.failure));
    if (held) hold_panel_gauges(fs_, workspace_, ui_, catalogue_, panel, shared, holding_dir, left);

    step(msg::kStatusDeletingFiles);
    if (held) hold_section_files(fs_, place, shared, left);
    ui_.step_progress();

    if (held && !shared.other_sections) {
        const std::string kept_for = protected_content(aircraft.folder);
        if (!kept_for.empty())
            left.note(removal_msg::folder_kept_protected(aircraft.folder, kept_for));
        else if (left.has_unheld_inside(aircraft.folder))
            left.note(removal_msg::folder_kept_unheld(aircraft.folder));
        else
            delete_aircraft_folder(aircraft.folder, left);
    }
    ui_.close_progress();
    if (left.empty())
        ui_.notice(msg::kRemoveCompleted);
    else if (held)
        ui_.warning(removal_msg::removal_left_over(left.describe()));
    else  // nothing was removed: the note says why
        ui_.warning(left.describe());
    return {left.empty() ? Result::completed : Result::left_over, true};
}

}  // namespace

RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::ptrdiff_t list_position) {
    return Removal(fs, workspace, ui, catalogue).run(list_position);
}

}  // namespace qv
