#include "operations/RemovalPlan.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "operations/GaugeIndex.h"
#include "operations/HoldingFolder.h"
#include "operations/Warnings.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

using Result = PlanOutcome::Result;

// A name the listing could only show with "?" for characters this system's code page lacks, or
// one ending in a dot or a space, which Windows drops from any path: no path reaches it.
bool unreachable(std::string_view name) {
    return name.find('?') != std::string_view::npos ||
           (!name.empty() && (name.back() == '.' || name.back() == ' '));
}

// What another section of the same file names too, field by field.
struct Sharing {
    bool sim = false, model = false, panel = false, sound = false, texture = false;
    bool checklist = false, kb_checklists = false, kb_reference = false;
    std::size_t sections = 0;  // other sections with a title
};

Sharing find_sharing(const std::vector<AircraftRecord>& sections, std::size_t target) {
    Sharing shared;
    const AircraftRecord& me = sections[target];
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const AircraftRecord& r = sections[i];
        // Told apart by position, not title: a twin with the same title keeps what it shares.
        if (i == target || r.title.empty()) continue;
        ++shared.sections;
        shared.sim = shared.sim || iequals(r.sim, me.sim);
        shared.model = shared.model || iequals(r.model, me.model);
        shared.panel = shared.panel || iequals(r.panel, me.panel);
        shared.sound = shared.sound || iequals(r.sound, me.sound);
        shared.texture = shared.texture || iequals(r.texture, me.texture);
        shared.checklist = shared.checklist || iequals(r.checklist, me.checklist);
        shared.kb_checklists = shared.kb_checklists || iequals(r.kb_checklists, me.kb_checklists);
        shared.kb_reference = shared.kb_reference || iequals(r.kb_reference, me.kb_reference);
    }
    return shared;
}

class Planner {
  public:
    Planner(FileSystem& fs, const Workspace& workspace, const Catalogue& catalogue,
            RemovalPlan& plan)
        : fs_(fs), workspace_(workspace), catalogue_(catalogue), plan_(plan), names_(fs) {}

    // A file named by a value ("sim", "checklist", ...), relative to the aircraft folder.
    void named_file(const std::string& rel_name) {
        const auto rel = path::clean_relative(rel_name);
        if (!rel) return;
        const std::string source = path::join(plan_.aircraft_folder, *rel);
        // A folder on the way that is a link would carry the move out of the aircraft folder.
        for (std::string_view up = path::parent(*rel); !up.empty(); up = path::parent(up)) {
            Attributes a;
            const FsStatus st = fs_.attributes(path::join(plan_.aircraft_folder, up), a);
            if (st.not_found()) return;
            if (!st.ok() || a.link) {
                plan_.stays.add(source,
                                st.ok() ? "reached through a link, left as it is" : st.message);
                return;
            }
        }
        Attributes a;
        const FsStatus st = fs_.attributes(source, a);
        if (st.not_found()) return;  // a value that names no file
        if (!st.ok()) {
            plan_.stays.add(source, st.message);
            return;
        }
        if (a.link || a.directory) {
            plan_.stays.add(source, a.link ? "a link, left as it is" : "a folder, not a file");
            return;
        }
        add_move(source, path::join(plan_.holding_dir, path::parent(*rel)), path::last_part(*rel));
    }

    // The files of the section's model, panel, sound or texture folder.
    void folder_files(const char* word, const std::string& value) {
        const std::string name =
            value.empty() ? std::string(word) : std::string(word) + "." + value;
        // The folder is an entry of the aircraft folder itself.
        const auto clean = path::clean_relative(name);
        if (!clean || clean->find('\\') != std::string::npos) return;
        std::vector<std::string> found;
        FsStatus st = fs_.list(path::join(plan_.aircraft_folder, *clean),
                               ListFilter::entries_and_directories, found);
        if (!st.ok()) {
            plan_.stays.add(path::join(plan_.aircraft_folder, *clean), st.message);
            return;
        }
        if (found.empty()) return;
        const std::string source = path::join(plan_.aircraft_folder, found.front());
        Attributes a;
        st = fs_.attributes(source, a);
        if (st.not_found()) return;
        // A folder that can't be looked at is not taken for nothing there: it stays, named.
        if (!st.ok()) {
            plan_.stays.add(source, st.message);
            return;
        }
        if (!a.directory) return;
        if (a.link) {
            plan_.stays.add(source, "a link, left as it is");
            return;
        }
        // Held under the section's own spelling of the name, whatever the disk's spelling.
        const std::string held_folder = path::join(plan_.holding_dir, *clean);
        held_folders_[to_lower(found.front())] = *clean;
        std::vector<DirEntry> entries;
        st = fs_.list_entries(source, entries);
        if (!st.ok()) {
            plan_.stays.add(source, st.message);
            return;
        }
        note_clashes(source, entries);
        for (const auto& e : entries) {
            // Hidden and system files and sub-folders go with the rest when the folder goes.
            if (e.attrs.directory || e.attrs.hidden || e.attrs.system) continue;
            const std::string file = path::join(source, e.name);
            if (unreachable(e.name)) continue;  // named with the rest when the folder goes
            if (e.attrs.link) {
                plan_.stays.add(file, "a link, left as it is");
                continue;
            }
            add_move(file, held_folder, e.name);
        }
        kind_folders_.push_back(source);
    }

    // Everything else in the aircraft folder, when it goes: files of any attribute, sub-folders
    // of any name. Links stay where they are.
    void rest_of_folder(const std::string& folder, const std::string& rel) {
        std::vector<DirEntry> entries;
        const FsStatus st = fs_.list_entries(folder, entries);
        if (!st.ok()) {
            if (!st.not_found()) plan_.stays.add(folder, st.message);
            return;
        }
        note_clashes(folder, entries);
        for (const auto& e : entries) {
            const std::string& name = e.name;
            const std::string source = path::join(folder, name);
            if (unreachable(name)) {
                plan_.stays.add(source, "the name has characters this system can't show");
                continue;
            }
            if (e.attrs.link) {
                plan_.stays.add(source, "a link, left as it is");
                continue;
            }
            std::string sub_rel = rel.empty() ? held_name_of(name) : path::join(rel, name);
            if (e.attrs.directory) {
                rest_of_folder(source, sub_rel);
                plan_.folders_to_remove.push_back(source);
                continue;
            }
            if (rel.empty() && iequals(name, path::last_part(plan_.cfg_path))) continue;
            add_move(source, path::join(plan_.holding_dir, path::parent(sub_rel)),
                     path::last_part(sub_rel), &plan_.rest);
        }
    }

    // The first pair of names in one folder that Windows takes for one name (differing only in
    // case, or in dots and spaces at the end): neither could be held apart and put back.
    const std::string& clash() const { return clash_; }

    // The panel's gauge files that no other panel names.
    void gauges(const AircraftRecord& target, bool panel_shared) {
        const PanelRecord* panel = find_section_panel(target);
        if (!panel || panel_shared || panel->has_alias || catalogue_.gauges_incomplete) return;
        const std::vector<std::string> names = gauge_entry_names(panel->gauges);
        if (names.empty()) return;
        plan_.gauge_question = true;
        // Every other panel protects the gauges it names: those in the simulator, those of
        // removals held in Temp_Path (earlier removals of a batch among them), which are put
        // back whole.
        std::vector<std::string_view> lists;
        for (const auto& p : catalogue_.panel_table)
            if (!p.has_alias && p.folder != panel->folder && !p.gauges.empty())
                lists.push_back(p.gauges);
        for (const auto& p : catalogue_.held_panels)
            if (!p.has_alias && !p.gauges.empty()) lists.push_back(p.gauges);
        const std::vector<std::string_view> stems(names.begin(), names.end());
        const std::vector<bool> named_elsewhere = find_used_gauges(lists, stems);
        const std::string held_folder = path::join(plan_.holding_dir, "Gauges");
        std::set<std::string> seen;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (named_elsewhere[i]) continue;
            // A gauge file lies directly in the gauges folder: a name with a separator, a drive
            // or only dots would lead elsewhere.
            const std::string file_name = names[i] + ".gau";
            const auto file = path::clean_relative(file_name);
            if (!file || *file != file_name || !seen.insert(to_lower(*file)).second) continue;
            const std::string source = path::join(workspace_.sim_gauges_dir, *file);
            Attributes a;
            const FsStatus st = fs_.attributes(source, a);
            if (st.not_found()) continue;
            if (!st.ok()) {
                plan_.stays.add(source, st.message);
                continue;
            }
            if (a.link || a.directory) continue;
            plan_.gauges.push_back({source, names_.claim(held_folder, *file)});
        }
    }

    void finish(const AircraftRecord& target) {
        // The tree walk put the folders deepest first; the kind folders are children of the
        // aircraft folder, so they may follow in any order.
        plan_.folders_to_remove.insert(plan_.folders_to_remove.end(), kind_folders_.begin(),
                                       kind_folders_.end());
        dedupe_folders();
        if (plan_.folder_goes) plan_.folders_to_remove.push_back(plan_.aircraft_folder);
        // The section's panel.cfg, when its panel folder is held: a restore reads its gauges.
        const std::string panel_folder =
            path::join(target.folder, target.panel.empty() ? "panel" : "panel." + target.panel);
        for (const auto& m : plan_.moves)
            if (iequals(path::last_part(m.source), "panel.cfg") &&
                iequals(path::parent(m.source), panel_folder))
                plan_.panel_cfg = m.held;
    }

    // What the aircraft folder holds that must not go with it; empty when nothing.
    std::string protected_content(const std::string& folder) const {
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
            if (!f.path.empty() && path::is_same_or_inside(f.path, folder))
                return f.what + std::string(path::without_trailing_separator(f.path));
        for (const auto& r : catalogue_.aircraft_table)
            if (path::is_inside(r.folder, folder))
                return "the folder of another aircraft, " + r.folder;
        return {};
    }

  private:
    void note_clashes(const std::string& folder, const std::vector<DirEntry>& entries) {
        if (!clash_.empty()) return;
        std::map<std::string, std::string> seen;
        for (const auto& e : entries) {
            std::string key = to_lower(e.name);
            while (!key.empty() && (key.back() == '.' || key.back() == ' ')) key.pop_back();
            const auto [it, fresh] = seen.try_emplace(key, e.name);
            if (!fresh) {
                clash_ = warn::name_clash(folder, it->second, e.name);
                return;
            }
        }
    }

    void add_move(const std::string& source, const std::string& held_folder, std::string_view name,
                  std::vector<PlannedMove>* into = nullptr) {
        if (!planned_.insert(to_lower(source)).second) return;
        (into ? *into : plan_.moves).push_back({source, names_.claim(held_folder, name)});
    }

    // A top-level entry of the aircraft folder under its held name: a kind folder keeps the
    // section's spelling it was held under.
    std::string held_name_of(const std::string& name) const {
        const auto it = held_folders_.find(to_lower(name));
        return it == held_folders_.end() ? name : it->second;
    }

    void dedupe_folders() {
        std::set<std::string> seen;
        std::vector<std::string> out;
        for (auto& f : plan_.folders_to_remove)
            if (seen.insert(to_lower(f)).second) out.push_back(std::move(f));
        plan_.folders_to_remove = std::move(out);
    }

    // The record of the section's own panel folder ("panel", or "panel." and its value, compared
    // without regard to case), the last one when several match.
    const PanelRecord* find_section_panel(const AircraftRecord& aircraft) const {
        const std::string folder =
            path::join(aircraft.folder,
                       aircraft.panel.empty() ? std::string("panel") : "panel." + aircraft.panel);
        const PanelRecord* found = nullptr;
        for (const auto& p : catalogue_.panel_table)
            if (iequals(p.folder, folder)) found = &p;
        return found;
    }

    FileSystem& fs_;
    const Workspace& workspace_;
    const Catalogue& catalogue_;
    RemovalPlan& plan_;
    HeldNames names_;
    std::set<std::string> planned_;                    // lower-case sources already planned
    std::map<std::string, std::string> held_folders_;  // kind folder on disk -> held name
    std::vector<std::string> kind_folders_;
    std::string clash_;
};

}  // namespace

PlanOutcome plan_removal(FileSystem& fs, const Workspace& workspace, const Catalogue& catalogue,
                         const AircraftRecord& target, std::size_t earlier) {
    PlanOutcome out;
    RemovalPlan& plan = out.plan;
    plan.title = target.title;
    plan.aircraft_folder = target.folder;
    Planner planner(fs, workspace, catalogue, plan);

    plan.cfg_path = path::join(target.folder, "aircraft.cfg");
    std::vector<std::string> found;
    if (fs.list(plan.cfg_path, ListFilter::normal_files, found).ok() && !found.empty())
        plan.cfg_path = path::join(target.folder, found.front());
    Attributes a;
    FsStatus st = fs.attributes(plan.cfg_path, a);
    if (st.ok() && a.link) st = {FsError::failed, "it is a link, which Quorvane does not rewrite"};
    if (st.ok()) st = fs.read_file(plan.cfg_path, plan.cfg_bytes);
    if (!st.ok()) {
        out.result = Result::unreadable;
        out.why = warn::cfg_unreadable(plan.cfg_path, st.message);
        return out;
    }
    const std::string text = join_whole_text(plan.cfg_bytes);
    const std::vector<SectionSpan> spans = find_aircraft_sections(text);
    std::vector<AircraftRecord> sections;
    read_aircraft_sections(target.folder, text, sections);
    // Sections an earlier removal of the batch cut out stood before this one.
    if (earlier > target.section_index || target.section_index - earlier >= spans.size() ||
        !same_section(sections[target.section_index - earlier].section_text, target.section_text)) {
        out.result = Result::changed;
        out.why = warn::aircraft_changed(plan.cfg_path);
        return out;
    }
    plan.section_index = target.section_index - earlier;
    plan.section_count = spans.size();
    plan.section_text = sections[plan.section_index].section_text;

    const Sharing shared = find_sharing(sections, plan.section_index);
    plan.other_sections = shared.sections;
    plan.rewrite = shared.sections > 0;
    if (plan.rewrite) {
        std::string rest = cut_section(text, spans[plan.section_index]);
        renumber_aircraft_sections(rest);
        plan.new_cfg_bytes = (starts_with_bom(plan.cfg_bytes) ? std::string(kUtf8Bom) : "") + rest;
    }
    // What stays for another section: the folders always, a file only when the value names one.
    const AircraftRecord& own = sections[plan.section_index];
    const std::tuple<bool, const std::string&, const char*> kinds[] = {
        {shared.sim && !own.sim.empty(), own.sim, "sim"},
        {shared.model, own.model, "model"},
        {shared.panel, own.panel, "panel"},
        {shared.sound, own.sound, "sound"},
        {shared.texture, own.texture, "texture"},
        {shared.checklist && !own.checklist.empty(), own.checklist, "checklist"},
        {shared.kb_checklists && !own.kb_checklists.empty(), own.kb_checklists, "kb_checklists"},
        {shared.kb_reference && !own.kb_reference.empty(), own.kb_reference, "kb_reference"}};
    for (const auto& [is_shared, value, what] : kinds)
        if (is_shared) plan.shared.emplace_back(what);

    plan.holding_dir =
        path::join(workspace.temp_path_dir, aircraft_rel_path(workspace, target.folder));
    HeldNames cfg_names(fs);
    plan.cfg_copy = cfg_names.claim(plan.holding_dir, path::last_part(plan.cfg_path));

    if (!plan.rewrite) {
        const std::string kept_for = planner.protected_content(target.folder);
        if (kept_for.empty())
            plan.folder_goes = true;
        else
            plan.stays.note(warn::folder_kept_protected(target.folder, kept_for));
    }

    const AircraftRecord& me = sections[plan.section_index];
    if (!me.sim.empty() && !shared.sim) planner.named_file(me.sim + ".air");
    if (!shared.model) planner.folder_files("model", me.model);
    if (!shared.panel) planner.folder_files("panel", me.panel);
    if (!shared.sound) planner.folder_files("sound", me.sound);
    if (!shared.texture) planner.folder_files("texture", me.texture);
    if (!me.checklist.empty() && !shared.checklist) planner.named_file(me.checklist + ".cfg");
    if (!me.kb_checklists.empty() && !shared.kb_checklists)
        planner.named_file(me.kb_checklists + ".txt");
    if (!me.kb_reference.empty() && !shared.kb_reference)
        planner.named_file(me.kb_reference + ".txt");
    if (plan.folder_goes) planner.rest_of_folder(target.folder, "");
    planner.gauges(me, shared.panel);
    planner.finish(me);
    if (!planner.clash().empty()) {
        out.result = Result::refused;
        out.why = planner.clash();
    }
    return out;
}

std::string why_not_through(FileSystem& fs, const Workspace& workspace,
                            const AircraftRecord& target) {
    if (!target.through_link.empty()) return warn::through_link(target.folder, target.through_link);
    std::vector<std::string> chain{target.folder};
    for (std::string_view up = path::parent(target.folder);
         path::is_inside(up, workspace.sim_aircraft_dir); up = path::parent(up))
        chain.emplace_back(up);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        Attributes a;
        const FsStatus st = fs.attributes(*it, a);
        // A folder that can't be looked at may be a link: nothing moves then.
        if (!st.ok() && !st.not_found()) return warn::folder_unreadable(*it, st.message);
        if (st.ok() && a.link) return warn::through_link(target.folder, *it);
    }
    return {};
}

std::string summarise(const RemovalPlan& plan) {
    std::set<std::string> folders;
    std::vector<PlannedMove> all = plan.moves;
    all.insert(all.end(), plan.rest.begin(), plan.rest.end());
    for (const auto& m : all) {
        const std::string_view rel = std::string_view(m.source).substr(
            std::min(m.source.size(), plan.aircraft_folder.size()));
        const auto parts = path::parts(rel);
        if (parts.size() > 1) folders.insert(to_lower(parts.front()));
    }
    std::string text = "moves ";
    if (!folders.empty())
        text += std::to_string(folders.size()) +
                (folders.size() == 1 ? " folder and " : " folders and ");
    const std::size_t files = all.size() + 1;  // the aircraft.cfg's copy too
    text += std::to_string(files) + (files == 1 ? " file" : " files");
    if (!plan.shared.empty()) {
        text += "; ";
        for (std::size_t i = 0; i < plan.shared.size(); ++i)
            text += (i == 0 ? "" : i + 1 == plan.shared.size() ? " and " : ", ") + plan.shared[i];
        text += " shared with " + std::to_string(plan.other_sections) + " other aircraft";
    }
    if (!plan.gauges.empty())
        text += "; " + std::to_string(plan.gauges.size()) + " gauge file" +
                (plan.gauges.size() == 1 ? "" : "s") + " if asked";
    text += plan.folder_goes ? "; folder removed" : plan.rewrite ? "; aircraft.cfg rewritten" : "";
    if (!plan.stays.empty()) text += "; some files stay";
    return text;
}

std::string describe(const RemovalPlan& plan) {
    std::string out = "remove: " + plan.title + "\n";
    out += "aircraft folder: " + plan.aircraft_folder + "\n";
    out += "section: " + std::to_string(plan.section_index + 1) + " of " +
           std::to_string(plan.section_count) + "\n";
    out += "hold: " + plan.cfg_path + " > " + plan.cfg_copy + "\n";
    out += plan.rewrite ? "rewrite: " + plan.cfg_path + " without the section, renumbered\n"
                        : "delete: " + plan.cfg_path + "\n";
    for (const auto& m : plan.moves) out += "move: " + m.source + " > " + m.held + "\n";
    for (const auto& m : plan.rest) out += "move: " + m.source + " > " + m.held + "\n";
    for (const auto& m : plan.gauges) out += "move if asked: " + m.source + " > " + m.held + "\n";
    for (const auto& f : plan.folders_to_remove) out += "remove folder: " + f + "\n";
    for (const auto& what : plan.shared)
        out += "stays: " + what + ", shared with another section\n";
    for (const auto& item : plan.stays.items())
        out += "stays: " + item.path + (item.reason.empty() ? "" : " (" + item.reason + ")") + "\n";
    for (const auto& note : plan.stays.notes()) out += "note: " + note + "\n";
    return out;
}

}  // namespace qv
