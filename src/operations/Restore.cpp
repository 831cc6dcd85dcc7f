#include "operations/Restore.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/Messages.h"
#include "operations/GaugeIndex.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/RemovalRecord.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

using Result = RestoreOutcome::Result;

// A simulator folder as the settings file under Wine ("Z:\home\me\FS2002") and the Linux tool
// ("/home/me/FS2002") each write it.
std::string simulator_key(std::string_view folder) {
    if (folder.size() >= 2 && (folder[0] == 'Z' || folder[0] == 'z') && folder[1] == ':')
        folder.remove_prefix(2);
    std::string key = to_lower(path::without_trailing_separator(folder));
    std::replace(key.begin(), key.end(), '\\', '/');
    return key;
}

bool same_bytes(FileSystem& fs, const std::string& a, const std::string& b) {
    std::string x, y;
    return fs.read_file(a, x).ok() && fs.read_file(b, y).ok() && x == y;
}

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
          cfg_(in_simulator(workspace, record_.cfg)),
          copy_(in_working_folder(workspace, record_.cfg_copy)) {}

    const RemovalRecord& record() const { return record_; }
    LeftOver& left() { return left_; }

    // What keeps the restore from starting: a warning, "" when nothing does.
    std::string conflict() {
        if (simulator_key(record_.simulator) != simulator_key(workspace_.sim_main_dir))
            return warn::restore_other_simulator(record_.title, record_.simulator,
                                                 workspace_.sim_main_dir);
        FolderNames names(fs_);
        for (std::size_t i : files_to_put_back()) {
            const std::string place = in_simulator(workspace_, record_.moves[i].source);
            if (names.taken(place) &&
                !same_bytes(fs_, place, in_working_folder(workspace_, record_.moves[i].held)))
                return warn::restore_place_taken(place);
        }
        std::string bytes;
        if (fs_.read_file(cfg_, bytes).ok() && section_in(bytes))
            return warn::restore_section_present(record_.title, cfg_);
        for (const auto& [held, place] : swept_gauges())
            if (names.taken(place) && !same_bytes(fs_, held, place))
                return warn::restore_place_taken(place);
        return {};
    }

    FsStatus begin() {
        FsStatus st = fs_.append_file(record_path_, "restore: begun\r\n");
        if (!st.ok()) return st;
        record_.restore_begun = true;
        std::string rel = record_path_.substr(std::min(
            record_path_.size(), path::without_trailing_separator(workspace_.base_dir).size() + 1));
        st = fs_.write_new_file(pending_marker_path(workspace_, record_.id), rel);
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
        while (k < pending.size()) {
            // A batch: the files going back into one folder.
            const std::string_view folder = path::parent(record_.moves[pending[k]].source);
            std::size_t end = k + 1;
            while (end < pending.size() &&
                   iequals(path::parent(record_.moves[pending[end]].source), folder))
                ++end;
            std::vector<std::size_t> copied;
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
                FsStatus st = fs_.copy_file(held, place);
                if (st.error == FsError::exists && same_bytes(fs_, held, place))
                    st = FsStatus::success();
                if (st.ok()) {
                    copied.push_back(i);
                } else if (st.not_found()) {
                    // Never moved (its move had failed), or gone from the holding folder.
                    Attributes a;
                    if (!fs_.attributes(place, a).ok())
                        left_.add(held, "is no longer in the holding folder");
                } else {
                    left_.add(held, st.message, true);
                }
            }
            if (!copied.empty() && !fs_.flush_folder(workspace_.sim_main_dir).ok()) copied.clear();
            for (std::size_t i : copied) {
                const std::string held = in_working_folder(workspace_, record_.moves[i].held);
                const FsStatus st = delete_any(fs_, held);
                if (!st.ok() && !st.not_found())
                    left_.add(held,
                              "put back, but not taken out of the holding folder: " + st.message);
            }
            fs_.append_file(record_path_,
                            moves_line("restore", pending[k], pending[end - 1]) + "\r\n");
            for (std::size_t b = k; b < end; ++b) record_.put_back[pending[b]] = true;
            k = end;
        }
    }

    // The section back into its aircraft.cfg: before the first section that followed it in the
    // held copy and is still in the file, otherwise after the file's last aircraft section.
    void put_back_section() {
        if (record_.cfg_put_back) return;
        std::string held;
        FsStatus st = fs_.read_file(copy_, held);
        if (!st.ok()) {
            left_.note(st.message);
            return;
        }
        std::string current;
        const FsStatus read = fs_.read_file(cfg_, current);
        if (read.ok() && section_in(current)) {
            // Put back already by the restore a kill cut short.
        } else if (read.not_found()) {
            st = make_folder_chain(fs_, workspace_.sim_main_dir, path::parent(record_.cfg));
            if (st.ok()) st = fs_.replace_file(cfg_, file_of_section_alone(held));
        } else if (read.ok()) {
            st = fs_.replace_file(cfg_, with_section(current, held));
        } else {
            st = read;
        }
        if (!st.ok()) {
            left_.note(st.message);
            return;
        }
        fs_.append_file(record_path_, "restore: aircraft.cfg\r\n");
        record_.cfg_put_back = true;
        delete_any(fs_, copy_);
    }

    // Gauge files the section's panel names that a sweep moved into Unused Gauges since.
    void put_back_swept_gauges() {
        for (const auto& [held, place] : swept_gauges()) {
            FsStatus st = fs_.copy_file(held, place);
            if (st.error == FsError::exists && same_bytes(fs_, held, place))
                st = FsStatus::success();
            if (st.ok()) st = delete_any(fs_, held);
            if (!st.ok() && !st.not_found()) left_.add(held, st.message);
        }
    }

    // The record goes, and the holding folders it leaves empty.
    void finish() {
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

  private:
    std::vector<std::size_t> files_to_put_back() const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < record_.moves.size(); ++i)
            if (record_.moved[i] &&
                (record_.moves[i].kind != MoveKind::gauge || record_.gauges_moved))
                out.push_back(i);
        return out;
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

    // Held gauge files in Unused Gauges that the section's panel names, each with its place in
    // the gauges folder.
    std::vector<std::pair<std::string, std::string>> swept_gauges() {
        std::vector<std::pair<std::string, std::string>> out;
        if (record_.panel_cfg.empty()) return out;
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
    std::string cfg_;
    std::string copy_;
    LeftOver left_;
};

// Every record file below `folder`.
void find_records(FileSystem& fs, const std::string& folder, std::vector<std::string>& out) {
    std::vector<std::string> names;
    if (!fs.list(path::join(folder, "*.*"), ListFilter::everything, names).ok()) return;
    for (const auto& name : names) {
        const std::string p = path::join(folder, name);
        Attributes a;
        if (!fs.attributes(p, a).ok() || a.link) continue;
        if (a.directory)
            find_records(fs, p, out);
        else if (name.starts_with(kRecordPrefix) && name.ends_with(kRecordSuffix))
            out.push_back(p);
    }
}

bool read_record(FileSystem& fs, const std::string& path, RemovalRecord& record) {
    std::string text, error;
    return fs.read_file(path, text).ok() && parse_record(text, record, error);
}

}  // namespace

std::vector<HeldRemoval> list_held(FileSystem& fs, const Workspace& workspace) {
    std::vector<std::string> paths;
    find_records(fs, workspace.temp_path_dir, paths);
    std::vector<HeldRemoval> held;
    for (const auto& p : paths) {
        RemovalRecord r;
        if (!read_record(fs, p, r) || !r.finished || r.restore_begun) continue;
        held.push_back({r.id, r.when, r.title, in_simulator(workspace, r.aircraft), p});
    }
    std::sort(held.begin(), held.end(),
              [](const HeldRemoval& a, const HeldRemoval& b) { return a.id > b.id; });
    return held;
}

RestoreOutcome restore_removal(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const std::string& id) {
    const auto held = list_held(fs, workspace);
    const auto it =
        std::find_if(held.begin(), held.end(), [&](const HeldRemoval& h) { return h.id == id; });
    if (it == held.end()) return {Result::not_held};
    if (!ui.ask(Question::confirm_restore)) return {Result::declined};
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        return {Result::stopped};
    }
    RemovalRecord record;
    if (!read_record(fs, it->record_path, record)) return {Result::not_held};

    ui.show_progress();
    ui.set_progress_range(3);
    ui.set_progress_status(msg::kStatusRestoreChecking);
    Restorer restorer(fs, workspace, std::move(record), it->record_path);
    std::string why = restorer.conflict();
    if (why.empty()) {
        const FsStatus st = restorer.begin();
        if (!st.ok()) why = st.message;
    }
    if (!why.empty()) {
        ui.close_progress();
        ui.warning(why);
        return {Result::stopped};
    }
    ui.step_progress();
    ui.set_progress_status(msg::kStatusRestoreFiles);
    restorer.put_back_folders();
    restorer.put_back_files();
    ui.step_progress();
    ui.set_progress_status(msg::kStatusRestoreSection);
    restorer.put_back_section();
    restorer.put_back_swept_gauges();
    restorer.finish();
    ui.step_progress();
    ui.close_progress();
    if (restorer.left().empty()) {
        ui.notice(msg::kRestoreCompleted);
        return {Result::completed, true};
    }
    ui.warning(warn::restore_left_over(restorer.left().describe()));
    return {Result::left_over, true};
}

bool finish_interrupted_restore(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                                const std::string& record_path) {
    RemovalRecord record;
    if (!read_record(fs, record_path, record) || !record.restore_begun) return false;
    Restorer restorer(fs, workspace, std::move(record), record_path);
    restorer.put_back_folders();
    restorer.put_back_files();
    restorer.put_back_section();
    restorer.put_back_swept_gauges();
    restorer.finish();
    const std::string title = restorer.record().title;
    if (restorer.left().empty())
        ui.notice(warn::interrupted_restore_finished(title));
    else
        ui.warning(warn::interrupted_restore_finished(title) + "\r\n" + restorer.left().describe());
    return true;
}

}  // namespace qv
