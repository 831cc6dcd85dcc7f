#include "operations/Restore.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/Messages.h"
#include "operations/GaugeIndex.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/RemovalJournal.h"
#include "operations/RemovalRecord.h"
#include "operations/RemovalRun.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/ConfigKey.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

using Result = RestoreOutcome::Result;

// The names in each folder, listed once a folder: a restore of ten thousand files asks the disk
// once a folder, not once a file, whether a place is taken.
class FolderNames {
  public:
    explicit FolderNames(FileSystem& fs) : fs_(fs) {}
    bool taken(const std::string& path) {
        const std::string folder(path::parent(path));
        auto [it, fresh] = names_.try_emplace(to_lower(folder));
        if (fresh) {
            std::vector<std::string> names;
            fs_.list(path::join(folder, "*.*"), ListFilter::everything, names);
            for (const auto& n : names) it->second.insert(to_lower(n));
        }
        return it->second.contains(to_lower(path::last_part(path)));
    }

  private:
    FileSystem& fs_;
    std::map<std::string, std::set<std::string>> names_;
};

class Restorer {
  public:
    Restorer(FileSystem& fs, const Workspace& workspace, RemovalRecord record,
             std::string record_path)
        : fs_(fs),
          workspace_(workspace),
          record_(std::move(record)),
          record_path_(std::move(record_path)),
          journal_(fs, record_path_),
          cfg_(in_simulator(workspace, record_.cfg)),
          copy_(in_working_folder(workspace, record_.cfg_copy)) {}

    const RemovalRecord& record() const { return record_; }
    LeftOver& left() { return left_; }
    bool stopped() const { return journal_.failed(); }

    // Why the record can't be acted on at all: it is for another simulator, its paths lead out
    // of their places, or a link is on the way. "" when it can.
    std::string refusal() {
        if (!same_simulator(record_.simulator, workspace_.sim_main_dir))
            return warn::restore_other_simulator(record_.title, record_.simulator,
                                                 workspace_.sim_main_dir);
        std::string why = out_of_bounds(workspace_, record_);
        if (why.empty()) why = link_on_the_way(fs_, workspace_, record_);
        return why.empty() ? why : warn::record_refused(record_path_, why);
    }

    // What keeps the restore from starting: a warning, "" when nothing does.
    std::string conflict() {
        if (std::string why = refusal(); !why.empty()) return why;
        FolderNames names(fs_);
        for (std::size_t i : files_to_put_back()) {
            // What an earlier try put back is the user's again.
            if (record_.put_back[i]) continue;
            const std::string place = in_simulator(workspace_, record_.moves[i].source);
            if (names.taken(place) && !same_as_held(place, i))
                return warn::restore_place_taken(place);
        }
        for (const auto& rel : record_.folders) {
            const std::string folder = in_simulator(workspace_, rel);
            Attributes a;
            if (fs_.attributes(folder, a).ok() && !a.directory)
                return warn::restore_place_taken(folder);
        }
        if (!record_.cfg_put_back) {
            std::string held;
            const FsStatus st = fs_.read_file(copy_, held);
            if (!st.ok()) return warn::restore_copy_missing(copy_, st.message);
            if (fingerprint(held) != record_.fingerprint)
                return warn::restore_copy_missing(copy_, "it has changed since it was held");
            std::string bytes;
            if (fs_.read_file(cfg_, bytes).ok() && section_in(bytes))
                return warn::restore_section_present(record_.title, cfg_);
        }
        for (const auto& [held, place] : swept_gauges())
            if (names.taken(place) && !same_file_bytes(fs_, held, place))
                return warn::restore_place_taken(place);
        return {};
    }

    FsStatus begin() {
        if (!journal_.write(journal::restore_begun())) return journal_.failure();
        record_.restore_begun = true;
        std::string rel = record_path_.substr(std::min(
            record_path_.size(), path::without_trailing_separator(workspace_.base_dir).size() + 1));
        const FsStatus st = fs_.write_new_file(pending_marker_path(workspace_, record_.id), rel);
        return st.error == FsError::exists ? FsStatus::success() : st;
    }

    // The folders the removal emptied come back first, parents before children.
    void put_back_folders() {
        for (auto it = record_.folders.rbegin(); it != record_.folders.rend(); ++it) {
            const FsStatus st = make_folder_chain(fs_, workspace_.sim_main_dir, *it);
            if (!st.ok()) left_.add(in_simulator(workspace_, *it), st.message);
        }
    }

    void put_back_files() {
        std::vector<std::size_t> pending;
        for (std::size_t i : files_to_put_back())
            if (!record_.put_back[i]) pending.push_back(i);
        std::set<std::string> made;
        std::size_t k = 0;
        while (k < pending.size() && !stopped()) {
            // A batch: the files going back into one folder.
            const std::string_view folder = path::parent(record_.moves[pending[k]].source);
            std::size_t end = k + 1;
            while (end < pending.size() &&
                   iequals(path::parent(record_.moves[pending[end]].source), folder))
                ++end;
            std::vector<std::size_t> copied;
            std::vector<std::size_t> done;
            for (std::size_t b = k; b < end; ++b) {
                const std::size_t i = pending[b];
                const std::string place = in_simulator(workspace_, record_.moves[i].source);
                const std::string held = in_working_folder(workspace_, record_.moves[i].held);
                const std::string parent_rel(path::parent(record_.moves[i].source));
                if (!made.contains(to_lower(parent_rel))) {
                    const FsStatus st = make_folder_chain(fs_, workspace_.sim_main_dir, parent_rel);
                    if (!st.ok()) {
                        left_.add(held, st.message);
                        continue;
                    }
                    made.insert(to_lower(parent_rel));
                }
                CopyCheck check;
                check.expected = record_.held_digests[i];
                const FsStatus st = fs_.copy_file(held, place, &check);
                if (st.ok()) {
                    copied.push_back(i);
                } else if (st.error == FsError::changed) {
                    left_.add(held, "it has changed since it was held, so it was not put back");
                } else if (st.error == FsError::exists) {
                    // Put back by a restore a kill cut short, or another file took the place.
                    if (same_as_held(place, i))
                        copied.push_back(i);
                    else
                        left_.add(held, "its place " + place + " is taken by another file");
                } else if (st.not_found()) {
                    // Put back and taken out of the holding folder by a restore a kill cut short,
                    // or gone from the holding folder.
                    FileDigest there;
                    const bool back = record_.held_digests[i]
                                          ? fs_.digest_file(place, there).ok() &&
                                                there == *record_.held_digests[i]
                                          : fs_.digest_file(place, there).ok();
                    if (back)
                        done.push_back(i);
                    else
                        left_.add(held, "it is no longer in the holding folder");
                } else {
                    left_.add(held, st.message);
                }
            }
            if (!copied.empty() && !fs_.flush_folder(workspace_.sim_main_dir).ok()) copied.clear();
            for (std::size_t i : copied) {
                const std::string held = in_working_folder(workspace_, record_.moves[i].held);
                const FsStatus st = delete_any(fs_, held);
                if (!st.ok() && !st.not_found())
                    left_.add(held,
                              "put back, but not taken out of the holding folder: " + st.message);
                done.push_back(i);
            }
            std::sort(done.begin(), done.end());
            if (!done.empty() && journal_.write(range_lines(done, journal::restore_moves)))
                for (std::size_t i : done) record_.put_back[i] = true;
            k = end;
        }
    }

    // The section back into its aircraft.cfg. A file still as the removal left it gets the held
    // copy back byte for byte; otherwise the section goes before the first section that followed
    // it in the held copy and is still in the file, else after the file's last aircraft section.
    void put_back_section() {
        if (record_.cfg_put_back || stopped()) return;
        std::string held;
        FsStatus st = fs_.read_file(copy_, held);
        if (st.ok() && fingerprint(held) != record_.fingerprint)
            st = {FsError::changed, copy_ + " has changed since it was held"};
        if (!st.ok()) {
            left_.add(copy_, st.message + "; the section was not put back");
            return;
        }
        std::string current;
        const FsStatus read = fs_.read_file(cfg_, current);
        if (read.ok() && section_in(current)) {
            // Put back already by the restore a kill cut short.
        } else if (read.not_found()) {
            st = make_folder_chain(fs_, workspace_.sim_main_dir, path::parent(record_.cfg));
            if (st.ok()) st = fs_.replace_file(cfg_, file_of_section_alone(held));
        } else if (read.ok() && record_.rewrite &&
                   fingerprint(current) == record_.new_fingerprint) {
            st = fs_.replace_file(cfg_, held);
        } else if (read.ok()) {
            st = fs_.replace_file(cfg_, with_section(current, held));
        } else {
            st = read;
        }
        if (!st.ok()) {
            left_.add(cfg_, st.message + "; the section was not put back");
            return;
        }
        if (!journal_.write(journal::restore_cfg())) return;
        record_.cfg_put_back = true;
        delete_any(fs_, copy_);
    }

    // Gauge files the section's panel names that a sweep moved into Unused Gauges since.
    void put_back_swept_gauges() {
        if (stopped()) return;
        for (const auto& [held, place] : swept_gauges()) {
            FsStatus st = fs_.copy_file(held, place);
            if (st.error == FsError::exists && same_file_bytes(fs_, held, place))
                st = FsStatus::success();
            if (st.ok()) st = delete_any(fs_, held);
            if (!st.ok() && !st.not_found()) left_.add(held, st.message);
        }
    }

    // The gauges the restored panel names that are nowhere: neither in the gauges folder nor in
    // the panel's own folder.
    void name_missing_gauges() {
        if (stopped()) return;
        const std::string panel = panel_place();
        if (panel.empty()) return;
        std::string text;
        if (!read_whole_text(fs_, panel, text).ok() || has_alias(text)) return;
        GaugeFolder gauges(fs_, workspace_.sim_gauges_dir);
        GaugeFolder own(fs_, std::string(path::parent(panel)));
        std::set<std::string> named;
        for (const auto& entry : gauge_entry_names(gauge_entries(text))) {
            const std::string name(trim_blanks(entry));
            if (name.empty() || !named.insert(to_lower(name)).second) continue;
            if (!gauges.offers(name) && !own.offers(name))
                left_.add(path::join(workspace_.sim_gauges_dir, name),
                          "named by the panel, but found neither in the gauges folder nor in the "
                          "panel's folder");
        }
    }

    // Whether everything held is back.
    bool whole() const {
        if (!record_.cfg_put_back) return false;
        for (std::size_t i : files_to_put_back())
            if (!record_.put_back[i]) return false;
        return true;
    }

    // Once everything is back the record goes, and the holding folders it leaves empty. A
    // restore that put back only part keeps its record, to be tried again.
    void finish() {
        if (stopped()) return;
        if (!whole()) {
            fs_.delete_file(pending_marker_path(workspace_, record_.id));
            return;
        }
        fs_.delete_file(record_path_);
        std::set<std::string> folders;
        for (const auto& m : record_.moves)
            for (std::string_view f = path::parent(m.held);
                 path::is_inside(f, record_.holding) || iequals(f, record_.holding);
                 f = path::parent(f))
                folders.insert(std::string(f));
        folders.insert(record_.holding + "\\Gauges");
        std::vector<std::string> deepest_first(folders.begin(), folders.end());
        std::sort(deepest_first.begin(), deepest_first.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const auto& f : deepest_first) fs_.remove_folder(in_working_folder(workspace_, f));
        // The holding folder of an aircraft in a sub-folder sits in folders of its own.
        for (std::string_view f = record_.holding;
             !f.empty() && path::is_inside(in_working_folder(workspace_, std::string(f)),
                                           workspace_.temp_path_dir);
             f = path::parent(f))
            fs_.remove_folder(in_working_folder(workspace_, std::string(f)));
        fs_.delete_file(pending_marker_path(workspace_, record_.id));
    }

    std::string stop_warning() const {
        return warn::restore_journal_failed(record_.title, journal_.failure().message);
    }

  private:
    std::vector<std::size_t> files_to_put_back() const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < record_.moves.size(); ++i)
            if (record_.moved[i] &&
                (record_.moves[i].kind != MoveKind::gauge || record_.gauges_moved))
                out.push_back(i);
        return out;
    }

    // Whether the file at `place` holds what move `i` held: the recorded digest, else the held
    // copy's bytes (read to their ends, however large).
    bool same_as_held(const std::string& place, std::size_t i) {
        if (record_.held_digests[i]) {
            FileDigest there;
            return fs_.digest_file(place, there).ok() && there == *record_.held_digests[i];
        }
        return same_file_bytes(fs_, place, in_working_folder(workspace_, record_.moves[i].held));
    }

    bool section_in(std::string_view bytes) const {
        std::vector<AircraftRecord> sections;
        read_aircraft_sections("", join_whole_text(bytes), sections);
        return std::any_of(sections.begin(), sections.end(), [&](const AircraftRecord& r) {
            return same_section(r.section_text, record_.section_text);
        });
    }

    // A file made anew for the section: the held copy without the other aircraft sections,
    // which other removals hold; the copy itself, byte for byte, when it has no others.
    std::string file_of_section_alone(const std::string& held) const {
        const std::string text = join_whole_text(held);
        const std::vector<SectionSpan> spans = find_aircraft_sections(text);
        if (spans.size() <= 1) return held;
        std::string out = text;
        for (std::size_t k = spans.size(); k-- > 0;)
            if (k != record_.section_index) out = cut_section(out, spans[k]);
        renumber_aircraft_sections(out);
        return (starts_with_bom(held) ? std::string(kUtf8Bom) : std::string()) + out;
    }

    std::string with_section(const std::string& current, const std::string& held) const {
        const std::string text = join_whole_text(current);
        const std::vector<SectionSpan> spans = find_aircraft_sections(text);
        const std::string held_text = join_whole_text(held);
        const std::vector<SectionSpan> held_spans = find_aircraft_sections(held_text);
        std::string section = record_.section_text;
        if (!section.ends_with("\r\n")) section += "\r\n";
        std::size_t at = std::string::npos;
        for (std::size_t k = record_.section_index + 1;
             k < held_spans.size() && at == std::string::npos; ++k) {
            const std::string_view follower =
                std::string_view(held_text).substr(held_spans[k].start, held_spans[k].length);
            for (const auto& span : spans)
                if (same_section(std::string_view(text).substr(span.start, span.length),
                                 follower)) {
                    at = span.start;
                    break;
                }
        }
        std::string out = text;
        if (at != std::string::npos) {
            out.insert(at, section);
        } else if (spans.empty()) {
            out += (out.empty() ? "" : "\r\n") + section.substr(0, section.size() - 2);
        } else {
            const SectionSpan& last = spans.back();
            const std::size_t end = last.start + last.length;
            if (end == out.size())
                out += "\r\n" + section.substr(0, section.size() - 2);
            else
                out.insert(end, section);
        }
        renumber_aircraft_sections(out);
        return (starts_with_bom(current) ? std::string(kUtf8Bom) : std::string()) + out;
    }

    // Where the section's panel.cfg stands once put back; "" when the removal held none.
    std::string panel_place() const {
        if (record_.panel_cfg.empty()) return {};
        for (std::size_t i = 0; i < record_.moves.size(); ++i)
            if (iequals(record_.moves[i].held, record_.panel_cfg) && record_.put_back[i])
                return in_simulator(workspace_, record_.moves[i].source);
        return {};
    }

    // Held gauge files in Unused Gauges that the section's panel names, each with its place in
    // the gauges folder.
    std::vector<std::pair<std::string, std::string>> swept_gauges() {
        std::vector<std::pair<std::string, std::string>> out;
        if (record_.panel_cfg.empty()) return out;
        Attributes unused;
        if (!fs_.attributes(workspace_.unused_gauges_dir, unused).ok() || unused.link) return out;
        std::string panel_bytes;
        std::string panel_at;
        for (const auto& m : record_.moves)
            if (iequals(m.held, record_.panel_cfg)) panel_at = in_simulator(workspace_, m.source);
        if (!fs_.read_file(panel_at, panel_bytes).ok() &&
            !fs_.read_file(in_working_folder(workspace_, record_.panel_cfg), panel_bytes).ok())
            return out;
        const std::string gauges = gauge_entries(join_whole_text(panel_bytes));
        std::vector<std::string> names;
        fs_.list(path::join(workspace_.unused_gauges_dir, "*.*"), ListFilter::normal_files, names);
        std::erase_if(names, [](const std::string& n) { return !is_gauge_file(n); });
        std::vector<std::string_view> stems;
        for (const auto& n : names) stems.push_back(std::string_view(n).substr(0, n.size() - 4));
        const std::string_view lists[] = {gauges};
        const std::vector<bool> named = find_used_gauges(lists, stems);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (named[i])
                out.emplace_back(path::join(workspace_.unused_gauges_dir, names[i]),
                                 path::join(workspace_.sim_gauges_dir, names[i]));
        return out;
    }

    FileSystem& fs_;
    const Workspace& workspace_;
    RemovalRecord record_;
    std::string record_path_;
    JournalWriter journal_;
    std::string cfg_;
    std::string copy_;
    LeftOver left_;
};

// Everything after the checks: the files, the section, the swept gauges, the missing gauges named,
// the record closed. `progress` (when given) shows each stage.
void put_back(Restorer& restorer, UiPort* progress) {
    if (progress) progress->set_progress_status(msg::kStatusRestoreFiles);
    restorer.put_back_folders();
    restorer.put_back_files();
    if (progress) {
        progress->step_progress();
        progress->set_progress_status(msg::kStatusRestoreSection);
    }
    restorer.put_back_section();
    restorer.put_back_swept_gauges();
    restorer.name_missing_gauges();
    restorer.finish();
    if (restorer.stopped()) restorer.left().note(restorer.stop_warning());
}

}  // namespace

RestoreOutcome restore_removal(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const std::string& id) {
    return restore_removals(fs, workspace, ui, std::vector<std::string>{id});
}

RestoreOutcome restore_removals(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                std::span<const std::string> ids) {
    if (ids.empty()) return {Result::nothing_to_do, false, {}};
    const HeldList held = list_held(fs, workspace);
    std::vector<const HeldRemoval*> chosen;
    for (const std::string& id : ids) {
        if (!is_record_id(id)) return {Result::nothing_to_do, false, {}};
        const auto it = std::find_if(held.removals.begin(), held.removals.end(),
                                     [&](const HeldRemoval& h) { return h.id == id; });
        if (it == held.removals.end()) return {Result::nothing_to_do, false, {}};
        if (std::find(chosen.begin(), chosen.end(), &*it) == chosen.end()) chosen.push_back(&*it);
    }
    const bool one = chosen.size() == 1;
    if (!(one ? ui.ask(Question::confirm_restore)
              : ui.ask(Question::confirm_restore, replace_first(msg::kRestoreSeveralQuestion, "%1",
                                                                std::to_string(chosen.size())))))
        return {Result::declined, false, {}};
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        return {Result::stopped, false, {}};
    }

    RestoreOutcome outcome;
    std::vector<std::string> problems;  // what each removal that was not put back whole met
    std::size_t whole = 0;
    ui.show_progress();
    ui.set_progress_range(static_cast<int>(3 * chosen.size()));
    for (std::size_t n = 0; n < chosen.size(); ++n) {
        const HeldRemoval& h = *chosen[n];
        const auto stage = [&](const char* status) {
            ui.set_progress_status(
                one ? std::string(status)
                    : one_of(msg::kStatusRestoringOneOf, n + 1, chosen.size(), h.title));
        };
        stage(msg::kStatusRestoreChecking);
        RemovalRecord record;
        std::string why;
        if (!read_record(fs, h.record_path, record, why)) {
            problems.push_back(why.empty() ? h.record_path : why);
            for (int k = 0; k < 3; ++k) ui.step_progress();
            continue;
        }
        Restorer restorer(fs, workspace, std::move(record), h.record_path);
        why = restorer.conflict();
        if (why.empty()) {
            const FsStatus st = restorer.begin();
            if (!st.ok()) why = st.message;
        }
        if (!why.empty()) {
            problems.push_back(one ? why : h.title + ": " + why);
            for (int k = 0; k < 3; ++k) ui.step_progress();
            continue;
        }
        ui.step_progress();
        if (!one) stage(msg::kStatusRestoreFiles);
        put_back(restorer, one ? &ui : nullptr);
        if (!one) ui.step_progress();
        ui.step_progress();
        outcome.reload = true;
        outcome.touched.push_back(in_simulator(workspace, restorer.record().aircraft));
        if (restorer.left().empty()) {
            ++whole;
        } else {
            const std::string left = warn::restore_left_over(restorer.left().describe());
            problems.push_back(one ? left : h.title + ": " + left);
        }
    }
    ui.close_progress();
    if (problems.empty()) {
        ui.notice(msg::kRestoreCompleted);
        outcome.result = Result::completed;
        return outcome;
    }
    if (!one) {
        std::string text = warn::restored_some(whole, chosen.size());
        for (const std::string& p : problems) text += "\r\n" + p;
        ui.warning(text);
    } else {
        ui.warning(problems.front());
    }
    outcome.result = outcome.reload ? Result::left_over : Result::stopped;
    return outcome;
}

bool finish_interrupted_restore(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                const std::string& record_path, const RemovalRecord& record) {
    if (!record.restore_begun) return false;
    Restorer restorer(fs, workspace, record, record_path);
    put_back(restorer, nullptr);
    const std::string title = restorer.record().title;
    if (restorer.left().empty())
        ui.notice(warn::interrupted_restore_finished(title));
    else
        ui.warning(warn::interrupted_restore_finished(title) + "\r\n" + restorer.left().describe());
    return true;
}

}  // namespace qv
