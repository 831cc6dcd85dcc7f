#include "operations/RemovalRun.h"

#include <set>

#include "operations/HoldingFolder.h"
#include "operations/Warnings.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "simfiles/AircraftCfg.h"
#include "simfiles/WholeText.h"

namespace qv {
namespace {

// Moves of one source folder are copied, put on the disk together, then their originals go: one
// flush a folder, however many files it holds.
constexpr std::size_t kBatch = 100000;
}  // namespace

std::string rewritten_cfg(std::string_view held_bytes, std::size_t section_index) {
    const std::string text = join_whole_text(held_bytes);
    const std::vector<SectionSpan> spans = find_aircraft_sections(text);
    if (section_index >= spans.size()) return {};
    std::string rest = cut_section(text, spans[section_index]);
    renumber_aircraft_sections(rest);
    return (starts_with_bom(held_bytes) ? std::string(kUtf8Bom) : std::string()) + rest;
}

FsStatus start_record(FileSystem& fs, const Workspace& workspace, const RemovalRecord& record) {
    const std::string path = record_path(workspace, record);
    FsStatus st = fs.write_new_file(path, format_record(record));
    if (!st.ok()) return st;
    std::string rel = path.substr(path::without_trailing_separator(workspace.base_dir).size());
    while (!rel.empty() && path::is_separator(rel.front())) rel.erase(0, 1);
    st = fs.write_new_file(pending_marker_path(workspace, record.id), rel);
    if (!st.ok()) fs.delete_file(path);
    return st;
}

RemovalRun::RemovalRun(FileSystem& fs, const Workspace& workspace, RemovalRecord& record,
                       LeftOver& left)
    : fs_(fs),
      workspace_(workspace),
      record_(record),
      left_(left),
      record_path_(record_path(workspace, record)) {}

void RemovalRun::journal(const std::string& line) {
    // A lost line only makes the next start redo a step, which every step allows.
    fs_.append_file(record_path_, line + "\r\n");
}

bool RemovalRun::same_bytes(const std::string& a, const std::string& b) {
    std::string x, y;
    return fs_.read_file(a, x).ok() && fs_.read_file(b, y).ok() && x == y;
}

RemovalRun::CfgStep RemovalRun::hold_cfg() {
    const std::string cfg = in_simulator(workspace_, record_.cfg);
    const std::string copy = in_working_folder(workspace_, record_.cfg_copy);
    if (!record_.copy_done) {
        // A copy cut short by an interruption is made again.
        Attributes a;
        if (fs_.attributes(copy, a).ok()) delete_any(fs_, copy);
        FsStatus st = fs_.copy_file(cfg, copy);
        if (st.not_found()) return CfgStep::changed;
        if (!st.ok()) {
            left_.note(warn::backup_failed(cfg, st.message));
            return CfgStep::failed;
        }
        std::string bytes;
        st = fs_.flush_folder(std::string(path::parent(copy)));
        if (!st.ok()) {
            delete_any(fs_, copy);
            left_.note(warn::backup_failed(cfg, st.message));
            return CfgStep::failed;
        }
        if (!fs_.read_file(copy, bytes).ok() || fingerprint(bytes) != record_.fingerprint) {
            delete_any(fs_, copy);
            return CfgStep::changed;
        }
        journal("done: copy");
        record_.copy_done = true;
    }
    if (!record_.cfg_done) {
        std::string current;
        const FsStatus read = fs_.read_file(cfg, current);
        const bool original = read.ok() && fingerprint(current) == record_.fingerprint;
        if (record_.rewrite && original) {
            std::string held;
            FsStatus st = fs_.read_file(copy, held);
            // Right before the file is replaced it is checked to be the one the plan read.
            if (st.ok()) st = fs_.replace_file(cfg, rewritten_cfg(held, record_.section_index));
            if (!st.ok()) {
                left_.note(warn::rewrite_failed(cfg, st.message));
                return CfgStep::failed;
            }
        } else if (record_.rewrite) {
            if (!read.ok() || fingerprint(current) != record_.new_fingerprint)
                return CfgStep::changed;
        } else if (original) {
            const FsStatus st = delete_any(fs_, cfg);
            if (!st.ok()) {
                left_.note(warn::cfg_not_deleted(cfg, st.message));
                return CfgStep::failed;
            }
        } else if (!read.not_found()) {
            return CfgStep::changed;
        }
        journal("done: aircraft.cfg");
        record_.cfg_done = true;
    }
    return CfgStep::done;
}

void RemovalRun::decide_gauges(bool move) {
    journal(move ? "gauges: moved" : "gauges: kept");
    record_.gauges_decided = true;
    record_.gauges_moved = move;
}

void RemovalRun::move(MoveKind kind) {
    if (kind == MoveKind::gauge && !record_.gauges_moved) return;
    const std::string holding = in_working_folder(workspace_, record_.holding);
    std::set<std::string> made;  // held folders known to exist
    std::size_t i = 0;
    while (i < record_.moves.size()) {
        if (record_.moves[i].kind != kind || record_.moved[i]) {
            ++i;
            continue;
        }
        // A batch: the moves that follow from the same source folder.
        const std::string_view folder = path::parent(record_.moves[i].source);
        std::size_t end = i + 1;
        while (end < record_.moves.size() && end - i < kBatch && record_.moves[end].kind == kind &&
               !record_.moved[end] && iequals(path::parent(record_.moves[end].source), folder))
            ++end;

        std::vector<std::size_t> copied;
        for (std::size_t k = i; k < end; ++k) {
            const std::string source = in_simulator(workspace_, record_.moves[k].source);
            const std::string held = in_working_folder(workspace_, record_.moves[k].held);
            const std::string held_folder(path::parent(held));
            if (!made.contains(to_lower(held_folder))) {
                std::string_view rel =
                    std::string_view(held_folder)
                        .substr(std::min(held_folder.size(),
                                         path::without_trailing_separator(holding).size()));
                const FsStatus st = make_folder_chain(fs_, holding, rel);
                if (!st.ok()) {
                    left_.add(source, st.message);
                    continue;
                }
                made.insert(to_lower(held_folder));
            }
            FsStatus st = fs_.copy_file(source, held);
            if (st.error == FsError::exists && !same_bytes(source, held)) {
                // The held name was claimed for this file: what is there is a copy cut short.
                st = delete_any(fs_, held);
                if (st.ok()) st = fs_.copy_file(source, held);
            } else if (st.error == FsError::exists) {
                st = FsStatus::success();
            }
            if (st.ok())
                copied.push_back(k);
            else if (!st.not_found())  // a value that names no file, or a file moved already
                left_.add(source, st.message);
        }
        // The originals go only once their copies are on the disk.
        if (!copied.empty()) {
            const FsStatus flushed = fs_.flush_folder(holding);
            if (!flushed.ok()) {
                for (std::size_t k : copied)
                    left_.add(in_simulator(workspace_, record_.moves[k].source),
                              "copied into the holding folder, but the copy could not be put on "
                              "the disk: " +
                                  flushed.message,
                              true);
                copied.clear();
            }
        }
        for (std::size_t k : copied) {
            const std::string source = in_simulator(workspace_, record_.moves[k].source);
            const FsStatus st = delete_any(fs_, source);
            if (!st.ok() && !st.not_found())
                left_.add(source, "copied into the holding folder, but not deleted: " + st.message,
                          true);
        }
        journal(moves_line("done", i, end - 1));
        for (std::size_t k = i; k < end; ++k) record_.moved[k] = true;
        i = end;
    }
}

void RemovalRun::empty_folders() {
    const std::string aircraft = in_simulator(workspace_, record_.aircraft);
    FsStatus last = FsStatus::success();
    for (const auto& rel : record_.folders) {
        const std::string folder = in_simulator(workspace_, rel);
        const FsStatus st = fs_.remove_folder(folder);
        if (iequals(folder, aircraft)) last = st;
    }
    // What stays in the aircraft folder is named once, from a listing of what is there now. The
    // folder's own removal tells whether it is gone: on Linux a query of it would find a
    // folder whose name differs only in case.
    if (record_.folder_goes && !last.ok() && !last.not_found()) {
        left_.drop_inside(aircraft);
        left_.note(
            warn::folder_not_removed(aircraft, last.ok() ? "it is not empty" : last.message));
        collect_remaining(fs_, aircraft, left_);
    }
    journal("done: folders");
    record_.folders_done = true;
}

void RemovalRun::finish() {
    journal("finished");
    record_.finished = true;
    fs_.delete_file(pending_marker_path(workspace_, record_.id));
}

void RemovalRun::give_up() {
    // Nothing of the aircraft moved: no trace of the removal stays.
    if (record_.copy_done) delete_any(fs_, in_working_folder(workspace_, record_.cfg_copy));
    fs_.delete_file(record_path_);
    fs_.delete_file(pending_marker_path(workspace_, record_.id));
}

}  // namespace qv
