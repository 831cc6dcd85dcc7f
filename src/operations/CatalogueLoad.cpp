#include "operations/CatalogueLoad.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "core/Messages.h"
#include "operations/GaugeIndex.h"
#include "operations/HeldRemovals.h"
#include "operations/UnusedGaugeSweep.h"
#include "operations/Warnings.h"
#include "platform/ListingOrder.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/FolderWalk.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// The two configuration files, and what the collection check looks for: model and flight-model
// files (see FolderRecord) and the gauges a panel's folder holds (see PanelRecord).
const std::string kWantedFiles[] = {"aircraft.cfg", "panel.cfg", "*.mdl", "*.air",
                                    "*.gau",        "*.cab",     "*.dll"};

bool is_gauge_kind(std::string_view file) {
    return std::any_of(std::begin(GaugeFolder::kFilePatterns), std::end(GaugeFolder::kFilePatterns),
                       [&](const std::string& pattern) { return matches_suffix(file, pattern); });
}

bool is_model_folder(std::string_view name) {
    return iequals(name, "model") || (name.size() > 6 && iequals(name.substr(0, 6), "model."));
}

// The records a walk of one folder gives. A file or folder that can't be read is passed over
// and named afterwards: one locked file must not hide a whole collection.
struct Tables {
    std::vector<AircraftRecord> aircraft;
    std::vector<PanelRecord> panels;
    std::vector<FolderRecord> folders;
    std::vector<std::string> skipped;
    bool gauges_incomplete = false;
};

// Walks `root`; each titled section found is handed to `list` as the walk goes.
void read_tables(FileSystem& fs, const Workspace& workspace, UiPort& ui, const std::string& root,
                 Tables& out, AircraftListSink* list) {
    std::string text;
    WalkGaps gaps;
    // A working folder inside the aircraft tree: its held copies are no aircraft.
    const std::string own_folders[] = {workspace.temp_path_dir, workspace.unused_gauges_dir};
    // The model, texture, panel and sound folders no section names are counted as the walk
    // lists them (the collection check reports them with their size): each aircraft folder's
    // named folders are known once its aircraft.cfg is read, before its subfolders are listed.
    std::unordered_map<std::string, std::set<std::string>> named;  // lower-case names
    std::string counted;         // the unnamed folder being counted, with what lies below it
    std::size_t counted_at = 0;  // its record
    // Both paths come from the walk's own joins: one spelling, one separator.
    const auto below = [](std::string_view dir, std::string_view folder) {
        return !folder.empty() && dir.size() > folder.size() && dir.starts_with(folder) &&
               path::is_separator(dir[folder.size()]);
    };
    const SizeWanted sized = [&](std::string_view dir) {
        if (below(dir, counted)) return true;
        const std::string_view name = path::last_part(dir);
        if (!is_kind_variant(name)) return false;
        const auto owner = named.find(std::string(path::parent(dir)));
        return owner != named.end() && !owner->second.contains(to_lower(name));
    };
    walk_folders(
        fs, ui, root, kWantedFiles,
        [&](const FoundFolder& found) {
            const std::string_view name = path::last_part(found.path);
            FolderRecord folder;
            folder.top = iequals(path::parent(found.path),
                                 path::without_trailing_separator(workspace.sim_aircraft_dir));
            folder.holds_cfg = !found.files[0].empty();
            folder.model_like = is_model_folder(name);
            const bool below_counted = found.sized && below(found.path, counted);
            if (below_counted) {
                FolderRecord& outer = out.folders[counted_at];
                outer.files += found.file_count;
                outer.bytes += found.bytes;
                if (found.size_partial) outer.measured = false;
            }
            const bool counts = found.sized && !below_counted;
            if (counts) {
                folder.measured = !found.size_partial;
                folder.files = found.file_count;
                folder.bytes = found.bytes;
                counted = found.path;
            }
            if (folder.top || folder.holds_cfg || folder.model_like || counts) {
                if (counts) counted_at = out.folders.size();
                folder.folder = found.path;
                for (const auto& file : found.suffixed) {
                    if (matches_suffix(file, kWantedFiles[2]))
                        folder.has_model_file = true;
                    else if (folder.holds_cfg && matches_suffix(file, kWantedFiles[3]))
                        folder.air_files.push_back(file);
                }
                if (folder.holds_cfg)
                    for (const auto& sub : found.subfolders) {
                        folder.subfolders.push_back(sub.name);
                        if (sub.link) folder.links.push_back(sub.name);
                    }
                out.folders.push_back(std::move(folder));
            }
            if (!found.files[0].empty()) {
                const FsStatus st =
                    read_whole_text(fs, path::join(found.path, found.files[0]), text);
                if (st.ok()) {
                    const std::size_t first = out.aircraft.size();
                    read_aircraft_sections(found.path, text, out.aircraft);
                    std::set<std::string>& names = named[found.path];
                    for (std::size_t i = first; i < out.aircraft.size(); ++i) {
                        AircraftRecord& record = out.aircraft[i];
                        record.through_link = found.through_link;
                        if (list && !record.title.empty()) list->add(record);
                        const std::string* values[] = {&record.model, &record.texture,
                                                       &record.panel, &record.sound};
                        for (std::size_t w = 0; w < std::size(kKindWords); ++w)
                            if (const auto n = named_kind_folder(kKindWords[w], *values[w]))
                                names.insert(to_lower(*n));
                    }
                } else {
                    out.skipped.push_back(st.message);
                }
            }
            if (!found.files[1].empty()) {
                const FsStatus st =
                    read_whole_text(fs, path::join(found.path, found.files[1]), text);
                if (st.ok()) {
                    PanelRecord& panel = out.panels.emplace_back(read_panel(found.path, text));
                    for (const auto& file : found.suffixed)
                        if (is_gauge_kind(file)) panel.own_gauges.push_back(file);
                    for (const auto& sub : found.subfolders) panel.own_gauges.push_back(sub.name);
                } else {
                    out.skipped.push_back(st.message);
                    out.gauges_incomplete = true;
                }
            }
        },
        gaps, own_folders, sized);
    for (auto& message : gaps.unlisted) out.skipped.push_back(std::move(message));
    for (const auto& name : gaps.unreachable)
        out.skipped.push_back(name + ": the name has characters this system can't show");
    if (!gaps.unlisted.empty() || !gaps.unreachable.empty()) out.gauges_incomplete = true;
}

// A section without a title stays in the table but has no list entry, so list positions and
// table indices part ways; the list keeps each entry's record.
void index_list(Catalogue& catalogue) {
    catalogue.list_records.clear();
    for (std::size_t i = 0; i < catalogue.aircraft_table.size(); ++i)
        if (!catalogue.aircraft_table[i].title.empty()) catalogue.list_records.push_back(i);
}

// Whether the walk meets folder `a` before folder `b`: depth first, each folder's subfolders in
// listing order, a folder before everything below it.
bool walked_before(std::string_view a, std::string_view b) {
    const auto pa = path::parts(a);
    const auto pb = path::parts(b);
    for (std::size_t i = 0; i < pa.size() && i < pb.size(); ++i) {
        if (pa[i] == pb[i]) continue;
        return listing_less(pa[i], pb[i]);
    }
    return pa.size() < pb.size();
}

// The records of `fresh`, read from below `folder`, in place of those the table held there.
template <typename Record>
void splice(std::vector<Record>& table, const std::string& folder, std::vector<Record>&& fresh) {
    std::erase_if(table,
                  [&](const Record& r) { return path::is_same_or_inside(r.folder, folder); });
    const auto at = std::find_if(table.begin(), table.end(),
                                 [&](const Record& r) { return walked_before(folder, r.folder); });
    table.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
}

// The last steps of a load: the held panels, the sweep's offer, the closing warning.
void finish_load(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue) {
    read_held_panels(fs, workspace, catalogue);
    ui.step_progress();
    ui.set_progress_status(msg::kStatusGettingPanels);
    ui.step_progress();
    // The question stands over the progress window, its bar at 2 of 3; the last step comes
    // whatever the answer. Without every panel no gauge file can be judged unused.
    if (!catalogue.gauges_incomplete) sweep_unused_gauges(fs, workspace, ui, catalogue);
    ui.step_progress();
    ui.close_progress();
    if (!catalogue.skipped.empty())
        ui.warning(warn::load_skipped(catalogue.skipped, catalogue.gauges_incomplete));
}

}  // namespace

void load_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                    AircraftListSink* list) {
    ui.show_progress();
    ui.set_progress_range(3);
    if (list) list->clear();
    catalogue.clear();
    ++catalogue.walks;
    ui.set_progress_status(msg::kStatusGettingAircrafts);
    Tables tables;
    read_tables(fs, workspace, ui, workspace.sim_aircraft_dir, tables, list);
    catalogue.aircraft_table = std::move(tables.aircraft);
    catalogue.panel_table = std::move(tables.panels);
    catalogue.folder_table = std::move(tables.folders);
    catalogue.skipped = std::move(tables.skipped);
    catalogue.gauges_incomplete = tables.gauges_incomplete;
    index_list(catalogue);
    finish_load(fs, workspace, ui, catalogue);
}

bool update_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                      std::span<const std::string> touched, AircraftListSink* list) {
    // What a walk reached through a link comes after everything else, in the order of the
    // links; what an earlier load passed over may have changed: both need the whole walk.
    if (!catalogue.skipped.empty()) return false;
    for (const auto& r : catalogue.aircraft_table)
        if (!r.through_link.empty()) return false;
    // The outermost touched folders, each once, spelled below the aircraft folder as the walk
    // spells it (a record may name the folders on the way in another case).
    const std::size_t depth = path::parts(workspace.sim_aircraft_dir).size();
    std::vector<std::string> folders;
    for (const auto& t : touched) {
        if (!path::is_inside(t, workspace.sim_aircraft_dir)) return false;
        std::string folder(path::without_trailing_separator(workspace.sim_aircraft_dir));
        const auto parts = path::parts(t);
        for (std::size_t i = depth; i < parts.size(); ++i) folder = path::join(folder, parts[i]);
        folders.push_back(std::move(folder));
    }
    std::sort(folders.begin(), folders.end(),
              [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::vector<std::string> outermost;
    for (const auto& f : folders)
        if (std::none_of(outermost.begin(), outermost.end(),
                         [&](const std::string& o) { return path::is_same_or_inside(f, o); }))
            outermost.push_back(f);
    folders = std::move(outermost);

    ui.show_progress();
    ui.set_progress_range(3);
    ui.set_progress_status(msg::kStatusGettingAircrafts);
    std::vector<Tables> fresh(folders.size());
    std::vector<std::pair<std::string, FolderScan>> parents;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        // A folder on the way that is a link: only a whole walk places what lies behind it.
        for (std::string_view up = folders[i]; path::is_inside(up, workspace.sim_aircraft_dir);
             up = path::parent(up)) {
            Attributes a;
            const FsStatus st = fs.attributes(std::string(up), a);
            if ((st.ok() && a.link) || (!st.ok() && !st.not_found())) {
                ui.close_progress();
                return false;
            }
        }
        read_tables(fs, workspace, ui, folders[i], fresh[i], nullptr);
        if (!fresh[i].skipped.empty()) {
            ui.close_progress();
            return false;
        }
        // An aircraft folder holding the touched one keeps the list of its subfolders: listed
        // again.
        for (const FolderRecord& f : catalogue.folder_table) {
            if (!f.holds_cfg || !iequals(f.folder, path::parent(folders[i]))) continue;
            FolderScan scan;
            if (!fs.scan_folder(f.folder, {}, scan).ok()) {
                ui.close_progress();
                return false;
            }
            parents.emplace_back(f.folder, std::move(scan));
        }
    }
    for (std::size_t i = 0; i < folders.size(); ++i) {
        splice(catalogue.aircraft_table, folders[i], std::move(fresh[i].aircraft));
        splice(catalogue.panel_table, folders[i], std::move(fresh[i].panels));
        splice(catalogue.folder_table, folders[i], std::move(fresh[i].folders));
    }
    for (auto& [parent, scan] : parents) {
        for (FolderRecord& f : catalogue.folder_table) {
            if (!f.holds_cfg || f.folder != parent) continue;
            f.subfolders.clear();
            f.links.clear();
            for (const auto& s : scan.subfolders) {
                f.subfolders.push_back(s.name);
                if (s.link) f.links.push_back(s.name);
            }
        }
    }
    catalogue.held_panels.clear();
    catalogue.gauges_incomplete = false;
    index_list(catalogue);
    if (list) {
        list->clear();
        for (std::size_t index : catalogue.list_records) list->add(catalogue.aircraft_table[index]);
    }
    finish_load(fs, workspace, ui, catalogue);
    return true;
}

void refresh_catalogue(FileSystem& fs, const Workspace& workspace, UiPort& ui, Catalogue& catalogue,
                       std::span<const std::string> touched, AircraftListSink* list) {
    if (!update_catalogue(fs, workspace, ui, catalogue, touched, list))
        load_catalogue(fs, workspace, ui, catalogue, list);
}

}  // namespace qv
