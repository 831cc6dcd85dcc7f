#include "operations/FolderHold.h"

#include <cstdio>
#include <map>
#include <optional>

#include "core/Messages.h"
#include "operations/CollectionCheck.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/RemovalRecord.h"
#include "operations/RemovalRun.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// What the check reports as wasted, by lower-case path below Aircraft.
std::map<std::string, WastedFolder> wasted_folders(const CollectionReport& report) {
    std::map<std::string, WastedFolder> out;
    for (const auto* group : {&report.unused_folders, &report.without_aircraft})
        for (const WastedFolder& f : *group) out.emplace(to_lower(f.folder), f);
    return out;
}

class HoldPlanner {
  public:
    HoldPlanner(FileSystem& fs, const Workspace& workspace, const Catalogue& catalogue)
        : fs_(fs),
          workspace_(workspace),
          aircraft_(path::without_trailing_separator(workspace.sim_aircraft_dir)),
          wasted_(wasted_folders(check_collection(fs, workspace, catalogue))) {}

    // The plan for `given`, or the reason it is refused.
    std::string plan(const std::string& given, FolderHoldPlan& out) {
        const auto given_rel = below_aircraft(given);
        if (!given_rel) return "it lies outside the simulator's Aircraft folder " + aircraft_;
        const auto wasted = wasted_.find(to_lower(*given_rel));
        if (wasted == wasted_.end())
            return "the collection check does not find it unused: a section or an alias uses it, "
                   "or it is no aircraft's model, texture, panel or sound folder and no folder "
                   "directly below Aircraft";

        // Spelled as the walk found it, whatever the case it was given in: a restore makes the
        // folders again under the names the record keeps.
        const std::string& rel = wasted->second.folder;
        out.folder = rel;
        // From the Aircraft folder down, each level as it now stands: there, a folder, no link.
        std::string at = aircraft_;
        for (const auto& part : path::parts(rel)) {
            at = path::join(at, part);
            Attributes a;
            const FsStatus st = fs_.attributes(at, a);
            if (st.not_found()) return "it is not there any more";
            if (!st.ok()) return st.message;
            if (a.link)
                return at +
                       " is a link to another place, and Quorvane moves nothing through a link";
            if (!a.directory) return at + " is not a folder";
        }
        const std::string folder = at;
        // A section of its aircraft.cfg as the file now reads may name it again.
        if (path::parts(rel).size() > 1) {
            if (std::string why = named_now(folder); !why.empty()) return why;
        }

        RemovalPlan& plan = out.plan;
        plan.title = "Folder " + rel;
        plan.aircraft_folder = folder;
        plan.holding_dir =
            path::join(workspace_.temp_path_dir, aircraft_rel_path(workspace_, folder));
        plan.folder_goes = true;
        HeldNames names(fs_);
        if (std::string why = gather(folder, "", plan, names, out); !why.empty()) return why;
        plan.folders_to_remove.push_back(folder);
        return {};
    }

  private:
    // `given` below the Aircraft folder, "\"-joined, as the check spells such paths.
    std::optional<std::string> below_aircraft(const std::string& given) const {
        if (const auto clean = path::clean_relative(given)) return clean;
        const auto rel = path::below(given, aircraft_);
        return rel ? path::clean_relative(*rel) : std::nullopt;
    }

    std::string named_now(const std::string& folder) {
        const std::string owner(path::parent(folder));
        std::vector<std::string> found;
        FsStatus st =
            fs_.list(path::join(owner, "aircraft.cfg"), ListFilter::normal_and_hidden_files, found);
        if (st.ok() && found.empty())
            return "its aircraft folder " + owner + " holds no aircraft.cfg any more";
        std::string text;
        const std::string cfg = st.ok() ? path::join(owner, found.front()) : owner;
        if (st.ok()) st = read_whole_text(fs_, cfg, text);
        if (!st.ok()) return cfg + " could not be read (" + st.message + ")";
        std::vector<AircraftRecord> sections;
        read_aircraft_sections(owner, text, sections);
        for (const auto& s : sections)
            if (section_names(s, path::last_part(folder)))
                return "the section \"" + s.title + "\" of " + cfg + " names it";
        return {};
    }

    // Every file below `folder` into the plan, sub-folders deepest first. A link, an aircraft.cfg
    // or a name no path reaches refuses the whole folder: it must go whole or not at all.
    std::string gather(const std::string& folder, const std::string& rel, RemovalPlan& plan,
                       HeldNames& names, FolderHoldPlan& out) {
        std::vector<DirEntry> entries;
        const FsStatus st = fs_.list_entries(folder, entries);
        if (!st.ok()) return st.message;
        std::map<std::string, std::string> seen;
        for (const auto& e : entries) {
            const std::string source = path::join(folder, e.name);
            std::string key = to_lower(e.name);
            while (!key.empty() && (key.back() == '.' || key.back() == ' ')) key.pop_back();
            if (const auto [it, fresh] = seen.try_emplace(key, e.name); !fresh)
                return warn::name_clash(folder, it->second, e.name);
            if (e.name.find('?') != std::string::npos || e.name.back() == '.' ||
                e.name.back() == ' ')
                return source + " has a name no path can reach";
            if (e.attrs.link)
                return source + " is a link, and Quorvane moves nothing through a link";
            const std::string sub = rel.empty() ? e.name : path::join(rel, e.name);
            if (e.attrs.directory) {
                if (std::string why = gather(source, sub, plan, names, out); !why.empty())
                    return why;
                plan.folders_to_remove.push_back(source);
                continue;
            }
            if (iequals(e.name, "aircraft.cfg")) return "it holds an aircraft, " + source;
            const std::string held_folder =
                rel.empty() ? plan.holding_dir : path::join(plan.holding_dir, rel);
            plan.rest.push_back({source, names.claim(held_folder, e.name)});
            ++out.files;
            out.bytes += e.size;
        }
        return {};
    }

    FileSystem& fs_;
    const Workspace& workspace_;
    std::string aircraft_;
    std::map<std::string, WastedFolder> wasted_;
};

// Holds one planned folder, as a removal holds files: the holding folder made, the record written
// and flushed, every file copied and its original deleted, the emptied folders removed.
Ending hold_one(FileSystem& fs, const Workspace& workspace, const RemovalPlan& plan,
                RecordStamps& stamps, std::string& batch, bool in_batch, LeftOver& left,
                std::string& why) {
    std::vector<std::string> created;
    const std::string rel = aircraft_rel_path(workspace, plan.aircraft_folder);
    FsStatus st =
        make_folder_chain(fs, std::string(path::parent(workspace.temp_path_dir)),
                          path::join(path::last_part(workspace.temp_path_dir), rel), &created);
    const auto undo = [&] {
        for (auto it = created.rbegin(); it != created.rend(); ++it) fs.remove_folder(*it);
    };
    if (!st.ok()) {
        undo();
        why = warn::holding_folder_failed(st.message);
        return Ending::stopped;
    }
    RecordStamps::Stamp stamp = stamps.next();
    RemovalRecord record = make_record(workspace, plan, std::move(stamp.id), std::move(stamp.when));
    if (in_batch) {
        if (batch.empty()) batch = record.id;
        record.batch = batch;
    }
    st = start_record(fs, workspace, record);
    if (!st.ok()) {
        undo();
        why = warn::record_failed(st.message);
        return Ending::stopped;
    }
    LeftOver here;
    RemovalRun run(fs, workspace, record, here);
    run.move(MoveKind::rest);
    run.empty_folders();
    run.finish();
    if (run.stopped()) here.note(run.stop_warning());
    const bool whole = here.empty();
    left.merge(here);
    return whole ? Ending::completed : Ending::left_over;
}

}  // namespace

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / (1024.0 * 1024.0));
    // A folder of a few bytes is not "0.0 MB".
    if (bytes > 0 && std::string_view(text) == "0.0") return "0.1";
    return text;
}

FolderHoldPlans plan_folder_holds(FileSystem& fs, const Workspace& workspace,
                                  const Catalogue& catalogue,
                                  std::span<const std::string> folders) {
    FolderHoldPlans out;
    HoldPlanner planner(fs, workspace, catalogue);
    std::map<std::string, bool> chosen;
    for (const std::string& given : folders) {
        FolderHoldPlan plan;
        const std::string why = planner.plan(given, plan);
        if (!why.empty()) {
            out.refused.push_back(warn::hold_refused(given, why));
            continue;
        }
        // Named twice, or inside another folder held: held once, with the outer one.
        bool inside = false;
        for (const auto& other : out.plans)
            inside = inside || path::is_same_or_inside(plan.folder, other.folder) ||
                     path::is_inside(other.folder, plan.folder);
        if (inside) {
            out.refused.push_back(
                warn::hold_refused(given, "it is, or holds, a folder named before it"));
            continue;
        }
        out.plans.push_back(std::move(plan));
    }
    return out;
}

FolderHoldOutcome hold_folders(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::span<const std::string> folders,
                               const Clock& clock) {
    FolderHoldOutcome outcome;
    if (folders.empty()) return outcome;
    const FolderHoldPlans planned = plan_folder_holds(fs, workspace, catalogue, folders);
    std::uint64_t bytes = 0;
    for (const auto& p : planned.plans) bytes += p.bytes;
    const std::size_t count = planned.plans.size();
    if (count == 0) {
        std::string text;
        for (const auto& r : planned.refused) text += (text.empty() ? "" : "\r\n") + r;
        ui.warning(text);
        outcome.result = Ending::stopped;
        return outcome;
    }
    std::string question = replace_first(msg::kHoldQuestion, "%1", std::to_string(count));
    question = replace_first(question, "%2", megabytes(bytes));
    if (!ui.ask(Question::confirm_hold, question)) {
        ui.notice(msg::kHoldCanceled);
        outcome.result = Ending::declined;
        return outcome;
    }
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        outcome.result = Ending::stopped;
        return outcome;
    }

    ui.show_progress();
    ui.set_progress_range(static_cast<int>(count));
    if (count > 1) ui.offer_stop(true);
    RecordStamps stamps(clock);
    std::string batch;
    LeftOver left;
    std::vector<std::string> problems = planned.refused;
    std::size_t held = 0;
    bool stopped_by_user = false;
    for (std::size_t k = 0; k < count; ++k) {
        const FolderHoldPlan& p = planned.plans[k];
        if (count > 1 && ui.stop_asked()) {
            stopped_by_user = true;
            break;
        }
        ui.set_progress_status(one_of(msg::kStatusHoldingOneOf, k + 1, count, p.folder));
        std::string why;
        const Ending ended = hold_one(fs, workspace, p.plan, stamps, batch, count > 1, left, why);
        if (ended == Ending::stopped) {
            problems.push_back(warn::hold_refused(p.folder, why));
        } else {
            ++held;
            outcome.reload = true;
            // The aircraft folder keeps the list of its sub-folders; a top folder is itself.
            const std::string owner = path::parts(p.folder).size() > 1
                                          ? std::string(path::parent(p.plan.aircraft_folder))
                                          : p.plan.aircraft_folder;
            outcome.touched.push_back(owner);
        }
        ui.step_progress();
    }
    if (count > 1) ui.offer_stop(false);
    ui.close_progress();

    outcome.result = held == 0                                              ? Ending::stopped
                     : problems.empty() && left.empty() && !stopped_by_user ? Ending::completed
                                                                            : Ending::left_over;
    if (outcome.result == Ending::completed) {
        ui.notice(msg::kHoldCompleted);
        return outcome;
    }
    std::string text = stopped_by_user ? std::string(warn::kHoldStoppedByUser) + " " : "";
    text += warn::held_some(held, folders.size());
    for (const auto& p : problems) text += "\r\n" + p;
    if (!left.empty()) text += "\r\n" + left.describe();
    ui.warning(text);
    return outcome;
}

}  // namespace qv
