#include "operations/CollectionCheck.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "operations/GaugeIndex.h"
#include "operations/HeldRemovals.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/ConfigKey.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// A path as a lookup key: lower case, "\" between its parts.
std::string key_of(std::string_view path) {
    std::string key = to_lower(path::without_trailing_separator(path));
    std::replace(key.begin(), key.end(), '/', '\\');
    return key;
}

class Collection {
  public:
    Collection(FileSystem& fs, const Workspace& workspace, const Catalogue& catalogue)
        : fs_(fs),
          catalogue_(catalogue),
          aircraft_(path::without_trailing_separator(workspace.sim_aircraft_dir)),
          gauges_(fs, workspace.sim_gauges_dir) {
        for (const FolderRecord& f : catalogue.folder_table) folders_[key_of(f.folder)] = &f;
        for (const PanelRecord& p : catalogue.panel_table) panels_[key_of(p.folder)] = &p;
        for (const AircraftRecord& a : catalogue.aircraft_table)
            sections_[key_of(a.folder)].push_back(&a);
        for (const PanelRecord& p : catalogue.panel_table)
            if (const auto target = alias_target(p.alias)) aliased_.insert(key_of(*target));
    }

    // `path` below the Aircraft folder, "\" between its parts.
    std::string below(std::string_view path) const {
        return path::below(path, aircraft_).value_or(std::string(path));
    }

    const FolderRecord* folder(std::string_view path) const {
        const auto it = folders_.find(key_of(path));
        return it == folders_.end() ? nullptr : it->second;
    }

    // The subfolder of an aircraft folder as spelled on disk, matched without regard to case.
    static std::optional<std::string> subfolder(const FolderRecord& f, std::string_view name) {
        for (const auto& sub : f.subfolders)
            if (iequals(sub, name)) return sub;
        return std::nullopt;
    }

    // The folder an alias names, below the Aircraft folder; nothing for none or one that leads
    // out of it.
    std::optional<std::string> alias_target(const std::string& alias) const {
        if (alias.empty()) return std::nullopt;
        const auto clean = path::clean_relative(alias);
        if (!clean) return std::nullopt;
        return path::join(aircraft_, *clean);
    }

    // Whether `path` is a folder, from what the walk saw of it or of its parent where it can
    // (an alias mostly names another aircraft's panel or sound folder), else from the disk.
    bool is_folder(const std::string& path) {
        if (folder(path) != nullptr) return true;
        if (const FolderRecord* parent = folder(path::parent(path));
            parent != nullptr && parent->holds_cfg)
            return subfolder(*parent, path::last_part(path)).has_value();
        const auto [known, fresh] = disk_folders_.try_emplace(key_of(path), false);
        if (fresh) {
            Attributes a;
            known->second = fs_.attributes(path, a).ok() && a.directory;
        }
        return known->second;
    }

    // The alias of a sound folder's sound.cfg, read once a folder.
    const std::string& sound_alias(const std::string& sound_folder) {
        const std::string key = key_of(sound_folder);
        const auto found = sound_aliases_.find(key);
        if (found != sound_aliases_.end()) return found->second;
        std::string text;
        std::string alias;
        if (read_whole_text(fs_, path::join(sound_folder, "sound.cfg"), text).ok())
            alias = alias_value(text);
        if (const auto target = alias_target(alias)) aliased_.insert(key_of(*target));
        return sound_aliases_[key] = alias;
    }

    void check_section(std::size_t position, const AircraftRecord& a, CollectionReport& report);
    void check_panels(CollectionReport& report);
    void find_duplicates(CollectionReport& report) const;
    void find_unused_folders(CollectionReport& report);
    void find_folders_without_aircraft(CollectionReport& report);

  private:
    WastedFolder wasted(const std::string& path) {
        const FolderSize size = measure_folder(fs_, path);
        return {below(path), size.files, size.bytes};
    }

    FileSystem& fs_;
    const Catalogue& catalogue_;
    std::string aircraft_;
    GaugeFolder gauges_;
    std::unordered_map<std::string, const FolderRecord*> folders_;
    std::unordered_map<std::string, const PanelRecord*> panels_;
    std::unordered_map<std::string, std::vector<const AircraftRecord*>> sections_;
    std::unordered_map<std::string, std::string> sound_aliases_;
    std::unordered_map<std::string, bool> disk_folders_;  // key -> whether it is a folder
    std::set<std::string> aliased_;                       // keys of the folders an alias points at
    // Panel folder key -> the titles of the sections that use it.
    std::map<std::string, std::vector<std::string>> panel_users_;
};

void Collection::check_section(std::size_t position, const AircraftRecord& a,
                               CollectionReport& report) {
    const FolderRecord* home = folder(a.folder);
    if (home == nullptr || !home->holds_cfg) return;
    BrokenAircraft broken{position, a.title, below(a.folder), {}, {}};

    if (const auto name = named_kind_folder("model", a.model)) {
        const auto sub = subfolder(*home, *name);
        if (!sub) {
            broken.will_not_load.push_back(below(path::join(a.folder, *name)));
        } else {
            const FolderRecord* model = folder(path::join(a.folder, *sub));
            if (model != nullptr && !model->has_model_file)
                broken.will_not_load.push_back(below(path::join(a.folder, *sub)));
        }
    }
    if (!a.sim.empty()) {
        if (const auto air = path::clean_relative(a.sim + ".air")) {
            const bool found =
                air->find('\\') == std::string::npos
                    ? std::any_of(home->air_files.begin(), home->air_files.end(),
                                  [&](const std::string& f) { return iequals(f, *air); })
                    : [&] {
                          Attributes at;
                          return fs_.attributes(path::join(a.folder, *air), at).ok() &&
                                 !at.directory;
                      }();
            if (!found) broken.will_not_load.push_back(below(path::join(a.folder, *air)));
        }
    }
    const std::pair<const char*, const std::string*> named[] = {
        {"texture", &a.texture}, {"panel", &a.panel}, {"sound", &a.sound}};
    for (const auto& [word, value] : named) {
        const auto name = named_kind_folder(word, *value);
        if (!name) continue;
        const auto sub = subfolder(*home, *name);
        // An empty value with no plain folder is no finding: many aircraft have none on purpose.
        if (!sub) {
            if (!value->empty()) broken.incomplete.push_back(below(path::join(a.folder, *name)));
            continue;
        }
        const std::string used = path::join(a.folder, *sub);
        std::string alias;
        if (std::string_view(word) == "panel") {
            panel_users_[key_of(used)].push_back(a.title);
            const auto panel = panels_.find(key_of(used));
            if (panel != panels_.end()) alias = panel->second->alias;
        } else if (std::string_view(word) == "sound") {
            alias = sound_alias(used);
        }
        if (const auto target = alias_target(alias); target && !is_folder(*target))
            broken.incomplete.push_back(below(*target));
    }
    if (!broken.will_not_load.empty() || !broken.incomplete.empty())
        report.broken.push_back(std::move(broken));
}

void Collection::check_panels(CollectionReport& report) {
    for (const PanelRecord& panel : catalogue_.panel_table) {
        // A panel with an alias borrows another's gauges, which are checked at that panel.
        if (panel.has_alias) continue;
        std::optional<GaugeFolder> own;
        std::vector<std::string> missing;
        for (const std::string& name : gauge_entry_names(panel.gauges)) {
            if (gauges_.offers(name)) continue;
            // The panel's folder as the walk saw it; only a "Sub\Name" gauge lists more.
            if (!own) {
                own.emplace(fs_, panel.folder);
                own->seen(panel.own_gauges);
            }
            if (own->offers(name)) continue;
            if (std::find_if(missing.begin(), missing.end(), [&](const std::string& m) {
                    return iequals(m, name);
                }) == missing.end())
                missing.push_back(name);
        }
        if (missing.empty()) continue;
        const auto users = panel_users_.find(key_of(panel.folder));
        report.missing_gauges.push_back(
            {below(panel.folder), std::move(missing),
             users == panel_users_.end() ? std::vector<std::string>{} : users->second});
    }
    // The gauges folder could not be listed: no gauge can be called missing.
    if (gauges_.incomplete()) report.missing_gauges.clear();
}

void Collection::find_duplicates(CollectionReport& report) const {
    std::vector<DuplicateTitle> titles;
    std::unordered_map<std::string, std::size_t> seen;
    for (std::size_t index : catalogue_.list_records) {
        const AircraftRecord& a = catalogue_.aircraft_table[index];
        const std::string key = to_lower(trim_blanks(a.title));
        const auto [it, fresh] = seen.try_emplace(key, titles.size());
        if (fresh) titles.push_back({a.title, {}});
        titles[it->second].folders.push_back(below(a.folder));
    }
    for (auto& t : titles)
        if (t.folders.size() > 1) report.duplicate_titles.push_back(std::move(t));
}

void Collection::find_unused_folders(CollectionReport& report) {
    for (const FolderRecord& f : catalogue_.folder_table) {
        if (!f.holds_cfg) continue;
        // An aircraft.cfg that could not be read, or holds no section, tells nothing of which
        // folders are named.
        const auto sections = sections_.find(key_of(f.folder));
        if (sections == sections_.end()) continue;
        std::set<std::string> named;
        for (const AircraftRecord* a : sections->second) {
            const std::string* values[] = {&a->model, &a->texture, &a->panel, &a->sound};
            for (std::size_t w = 0; w < std::size(kKindWords); ++w)
                if (const auto name = named_kind_folder(kKindWords[w], *values[w]))
                    named.insert(to_lower(*name));
        }
        for (const std::string& sub : f.subfolders) {
            const std::string lower = to_lower(sub);
            // A folder reached through a link is judged at its own place.
            if (!is_kind_variant(sub) || named.contains(lower) ||
                std::find(f.links.begin(), f.links.end(), sub) != f.links.end())
                continue;
            const std::string path = path::join(f.folder, sub);
            if (aliased_.contains(key_of(path))) continue;
            // Counted by the walk as it listed it, or listed again when it could not be.
            const FolderRecord* counted = folder(path);
            report.unused_folders.push_back(
                counted != nullptr && counted->measured
                    ? WastedFolder{below(path), counted->files, counted->bytes}
                    : wasted(path));
        }
    }
}

void Collection::find_folders_without_aircraft(CollectionReport& report) {
    std::set<std::string> with_aircraft;
    for (const FolderRecord& f : catalogue_.folder_table) {
        if (!f.holds_cfg) continue;
        const std::string rel = below(f.folder);
        with_aircraft.insert(to_lower(rel.substr(0, rel.find('\\'))));
    }
    for (const FolderRecord& f : catalogue_.folder_table)
        if (f.top && !with_aircraft.contains(to_lower(below(f.folder))))
            report.without_aircraft.push_back(wasted(f.folder));
}

}  // namespace

std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

std::string what_is_missing(const BrokenAircraft& broken) {
    std::string out;
    if (!broken.will_not_load.empty()) out = "will not load: " + listed(broken.will_not_load);
    if (!broken.incomplete.empty())
        out += (out.empty() ? "" : "; ") + std::string("incomplete: ") + listed(broken.incomplete);
    return out;
}

CollectionReport check_collection(FileSystem& fs, const Workspace& workspace,
                                  const Catalogue& catalogue) {
    CollectionReport report;
    report.skipped = catalogue.skipped;
    Collection collection(fs, workspace, catalogue);
    for (std::size_t position = 0; position < catalogue.list_records.size(); ++position)
        collection.check_section(
            position, catalogue.aircraft_table[catalogue.list_records[position]], report);
    collection.check_panels(report);
    collection.find_duplicates(report);
    collection.find_unused_folders(report);
    collection.find_folders_without_aircraft(report);
    report.temp_path = measure_folder(fs, workspace.temp_path_dir);
    report.held_removals = list_held(fs, workspace).removals.size();
    report.unused_gauges = measure_folder(fs, workspace.unused_gauges_dir);
    return report;
}

}  // namespace qv
