#include "operations/RemoveAircraft.h"

#include <vector>

#include "core/Messages.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/FindSharedFiles.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/PathContainment.h"
#include "operations/RemovalMessages.h"
#include "operations/RemoveAircraftFiles.h"
#include "operations/RemoveGaugeFiles.h"
#include "platform/Text.h"
#include "simfiles/AircraftSections.h"
#include "simfiles/DeleteFolderTree.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

class Removal {
  public:
    Removal(FileSystem& fs, SharedValues& values, UiPort& ui, Catalogue& catalogue,
            std::string* reload_error)
        : fs_(fs), values_(values), ui_(ui), catalogue_(catalogue), reload_error_(reload_error) {}

    RemovalOutcome Run(std::ptrdiff_t list_position);

  private:
    void Step(const char* status) {
        ui_.StepProgress();
        ui_.SetProgressStatus(status);
    }
    RemovalOutcome Stop(const std::string& why) {
        RemoveCreatedFolders();
        ui_.CloseProgressWindow();
        ui_.warning(why);
        return RemovalOutcome::stopped;
    }
    // The holding folders this removal made, taken away again when it stops before any move.
    void RemoveCreatedFolders() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs_.remove_folder(*it);
        created_.clear();
    }
    bool Reload();
    bool ReadCfg(const AircraftRecord& aircraft, std::string& cfg_path, std::string& cfg_text,
                 std::string& failure);
    bool MatchesCatalogue(const std::string& folder, const std::string& cfg_text,
                          const std::vector<SectionSpan>& sections) const;
    std::string ProtectedContent(const std::string& folder) const;
    void DeleteAircraftFolder(const std::string& folder, LeftOver& left);

    FileSystem& fs_;
    SharedValues& values_;
    UiPort& ui_;
    Catalogue& catalogue_;
    std::string* reload_error_;
    std::vector<std::string> created_;
};

bool Removal::Reload() {
    try {
        LoadCatalogue(fs_, values_, ui_, catalogue_);
        return true;
    } catch (const OperationError& e) {
        if (reload_error_)
            *reload_error_ = e.what();
        else
            ui_.warning(e.what());
        return false;
    }
}

bool Removal::ReadCfg(const AircraftRecord& aircraft, std::string& cfg_path, std::string& cfg_text,
                      std::string& failure) {
    cfg_path = join_path(aircraft.folder, "aircraft.cfg");
    std::vector<std::string> found;
    if (fs_.list(cfg_path, ListFilter::normal_files, found).ok() && !found.empty())
        cfg_path = join_path(aircraft.folder, found.front());
    Attributes a;
    FsStatus st = fs_.attributes(cfg_path, a);
    if (st.ok() && a.link) {
        failure = "it is a link, which Quorvane does not move or rewrite";
        return false;
    }
    std::string bytes;
    st = fs_.read_file(cfg_path, bytes);
    if (!st.ok()) {
        failure = st.message;
        return false;
    }
    cfg_text = JoinWholeText(bytes);
    return true;
}

// Whether the file still holds exactly the sections the catalogue read from it, in that order:
// otherwise the selected record and the sharing decisions may be stale.
bool Removal::MatchesCatalogue(const std::string& folder, const std::string& cfg_text,
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
std::string Removal::ProtectedContent(const std::string& folder) const {
    const struct {
        const std::string& path;
        const char* what;
    } fixed[] = {
        {values_.fs_aircraft_dir, "the simulator's aircraft folder "},
        {values_.fs_main_dir, "the simulator's main folder "},
        {values_.fs_gauges_dir, "the simulator's gauges folder "},
        {values_.base_dir, "Quorvane's own folder "},
    };
    for (const auto& f : fixed)
        if (!f.path.empty() && IsSameOrInside(f.path, folder)) return f.what + f.path;
    for (const auto& r : catalogue_.aircraft_table)
        if (IsInside(r.folder, folder)) return "the folder of another aircraft, " + r.folder;
    return {};
}

void Removal::DeleteAircraftFolder(const std::string& folder, LeftOver& left) {
    ui_.SetProgressStatus(msg::kStatusDeletingFolder);
    const TreeDeletion deletion = DeleteFolderTree(fs_, folder);
    const FsStatus removed = fs_.remove_folder(folder);
    ui_.StepProgress();

    // A held file whose original could not be deleted stays reported even when the folder
    // deletion took it: the user asked for a move, and it failed. Anything still in the folder is
    // named once, from a listing of what is there now.
    Attributes a;
    if (fs_.attributes(folder, a).not_found()) return;
    left.DropInside(folder);
    std::string why = !deletion.failure.ok()    ? deletion.failure.message
                      : !deletion.links.empty() ? "it holds a link, which is left as it is"
                                                : removed.message;
    left.note(removal_msg::FolderNotRemoved(folder, why));
    CollectRemaining(fs_, folder, left);
}

RemovalOutcome Removal::Run(std::ptrdiff_t list_position) {
    if (list_position < 0 ||
        static_cast<std::size_t>(list_position) >= catalogue_.list_records.size())
        return RemovalOutcome::nothing_selected;
    if (!ui_.question(msg::kRemoveQuestion)) {
        ui_.notice(msg::kRemoveCanceled);
        return RemovalOutcome::declined;
    }
    ui_.ShowProgressWindow();
    ui_.SetProgressRange(7);
    ui_.SetProgressStatus(msg::kStatusGathering);

    // The record the list entry came from, copied: the reload at the end rebuilds the tables.
    const std::size_t target = catalogue_.list_records[static_cast<std::size_t>(list_position)];
    const AircraftRecord aircraft = catalogue_.aircraft_table.at(target);
    const PanelRecord* panel = FindSectionPanel(catalogue_, aircraft);
    Attributes folder_attributes;
    if (fs_.attributes(aircraft.folder, folder_attributes).ok() && folder_attributes.link)
        return Stop(removal_msg::AircraftFolderIsLink(aircraft.folder));

    Step(msg::kStatusCreatingTemp);
    const std::string rel = AircraftRelPath(values_, aircraft.folder);
    const std::string holding_dir = join_path(values_.temp_path_dir, rel);
    // Made from base_dir down, one level at a time, so no level can be a link.
    FsStatus st = MakeFolderChain(fs_, std::string(ParentPath(values_.temp_path_dir)),
                                  join_path(last_component(values_.temp_path_dir), rel), &created_);
    if (st.ok()) st = MakeFolderChain(fs_, holding_dir, "Gauges", &created_);
    if (!st.ok()) return Stop(removal_msg::HoldingFolderFailed(st.message));

    Step(msg::kStatusGettingData);
    std::string cfg_path;
    std::string cfg_text;
    std::string failure;
    if (!ReadCfg(aircraft, cfg_path, cfg_text, failure))
        return Stop(removal_msg::CfgUnreadable(cfg_path, failure));
    const std::vector<SectionSpan> sections = FindAircraftSections(cfg_text);
    if (!MatchesCatalogue(aircraft.folder, cfg_text, sections)) {
        Stop(removal_msg::AircraftChanged(cfg_path));
        return Reload() ? RemovalOutcome::stopped : RemovalOutcome::reload_failed;
    }

    Step(msg::kStatusSharedFiles);
    const SharingFlags flags = FindSharedFiles(catalogue_, target);

    // The aircraft.cfg is held (and rewritten) before anything else moves: when that fails,
    // every file stays where it was.
    Step(msg::kStatusDeletingGauges);
    LeftOver left;
    const RemovalPlace place{aircraft, cfg_path, holding_dir};
    const CfgHold hold = HoldAircraftCfg(fs_, place, cfg_text, sections[aircraft.section_index],
                                         !flags.cfg_unshared, left, failure);
    if (hold == CfgHold::copy_failed) left.note(removal_msg::BackupFailed(cfg_path, failure));
    if (hold == CfgHold::rewrite_failed) left.note(removal_msg::RewriteFailed(cfg_path, failure));
    if (hold == CfgHold::copy_failed) RemoveCreatedFolders();
    if (hold == CfgHold::held)
        RemoveGaugeFiles(fs_, values_, ui_, catalogue_, panel, flags, holding_dir, left);

    Step(msg::kStatusDeletingFiles);
    if (hold == CfgHold::held) RemoveAircraftFiles(fs_, place, flags, left);
    ui_.StepProgress();

    if (hold == CfgHold::held && flags.cfg_unshared) {
        const std::string kept_for = ProtectedContent(aircraft.folder);
        if (!kept_for.empty())
            left.note(removal_msg::FolderKeptProtected(aircraft.folder, kept_for));
        else if (left.HasUnheldInside(aircraft.folder))
            left.note(removal_msg::FolderKeptUnheld(aircraft.folder));
        else
            DeleteAircraftFolder(aircraft.folder, left);
    }
    ui_.CloseProgressWindow();
    if (left.empty())
        ui_.notice(msg::kRemoveCompleted);
    else if (hold == CfgHold::held)
        ui_.warning(removal_msg::RemovalLeftOver(left.describe()));
    else  // nothing was removed: the note says why
        ui_.warning(left.describe());

    if (!Reload()) return RemovalOutcome::reload_failed;
    return left.empty() ? RemovalOutcome::completed : RemovalOutcome::left_over;
}

}  // namespace

RemovalOutcome RemoveAircraft(FileSystem& fs, SharedValues& values, UiPort& ui,
                              Catalogue& catalogue, std::ptrdiff_t list_position) {
    return Removal(fs, values, ui, catalogue, nullptr).Run(list_position);
}

RemovalOutcome RemoveAircraft(FileSystem& fs, SharedValues& values, UiPort& ui,
                              Catalogue& catalogue, std::ptrdiff_t list_position,
                              std::string& reload_error) {
    return Removal(fs, values, ui, catalogue, &reload_error).Run(list_position);
}

}  // namespace qv
