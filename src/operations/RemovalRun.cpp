#include "operations/RemovalRun.h"

#include <algorithm>
#include <optional>
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
    // The marker first: a kill while the record is written leaves a marker whose record is
    // missing, and the next command takes away what that write left.
    const std::string path = record_path(workspace, record);
    std::string rel = path.substr(path::without_trailing_separator(workspace.base_dir).size());
    while (!rel.empty() && path::is_separator(rel.front())) rel.erase(0, 1);
    const std::string marker = pending_marker_path(workspace, record.id);
    FsStatus st = fs.write_new_file(marker, rel);
    if (!st.ok()) return st;
    st = fs.write_new_file(path, format_record(record));
    if (!st.ok()) fs.delete_file(marker);
    return st;
}

RemovalRun::RemovalRun(FileSystem& fs, const Workspace& workspace, RemovalRecord& record,
                       LeftOver& left)
    : fs_(fs),
      workspace_(workspace),
      record_(record),
      left_(left),
      journal_(fs, record_path(workspace, record)) {}

std::string RemovalRun::stop_warning() const {
    return warn::journal_failed(record_.title, journal_.failure().message);
}

RemovalRun::CfgStep RemovalRun::hold_cfg() {
    const std::string cfg = in_simulator(workspace_, record_.cfg);
    const std::string copy = in_working_folder(workspace_, record_.cfg_copy);
    const std::optional<FileDigest> original = FileDigest::parse(record_.fingerprint);
    if (!record_.copy_done) {
        CopyCheck check;
        check.expected = original;
        FsStatus st = fs_.copy_file(cfg, copy, &check);
        if (st.error == FsError::exists) {
            // Held whole by a run a kill cut short: the copy is the file the plan read, or it is
            // not this removal's and stays where it is.
            FileDigest held;
            if (!original || !fs_.digest_file(copy, held).ok() || held != *original) {
                left_.note(warn::backup_failed(cfg, copy + " is taken by another file"));
                return CfgStep::failed;
            }
            st = FsStatus::success();
        } else if (st.ok()) {
            made_copy_ = true;
        }
        if (st.not_found() || st.error == FsError::changed) return CfgStep::changed;
        if (!st.ok()) {
            left_.note(warn::backup_failed(cfg, st.message));
            return CfgStep::failed;
        }
        st = fs_.flush_folder(std::string(path::parent(copy)));
        if (!st.ok()) {
            left_.note(warn::backup_failed(cfg, st.message));
            return CfgStep::failed;
        }
        if (!journal_.write(journal::copy_held())) {
            left_.note(stop_warning());
            return CfgStep::failed;
        }
        record_.copy_done = true;
    }
    if (!record_.cfg_done) {
        std::string current;
        const FsStatus read = fs_.read_file(cfg, current);
        const bool is_original = read.ok() && fingerprint(current) == record_.fingerprint;
        if (record_.rewrite && is_original) {
            std::string held;
            FsStatus st = fs_.read_file(copy, held);
            if (st.ok() && fingerprint(held) != record_.fingerprint)
                st = {FsError::failed, "the held copy " + copy + " has changed"};
            // Right before the file is replaced it is checked to be the one the plan read.
            if (st.ok()) st = fs_.replace_file(cfg, rewritten_cfg(held, record_.section_index));
            if (!st.ok()) {
                left_.note(warn::rewrite_failed(cfg, st.message));
                return CfgStep::failed;
            }
        } else if (record_.rewrite) {
            if (!read.ok() || fingerprint(current) != record_.new_fingerprint)
                return CfgStep::changed;
        } else if (is_original) {
            const FsStatus st = delete_any(fs_, cfg);
            if (!st.ok()) {
                left_.note(warn::cfg_not_deleted(cfg, st.message));
                return CfgStep::failed;
            }
        } else if (!read.not_found()) {
            return CfgStep::changed;
        }
        // The file has changed now: a journal that fails from here on stops the run, and the next
        // command finishes it (see stopped()).
        if (journal_.write(journal::cfg_changed())) record_.cfg_done = true;
    }
    return CfgStep::done;
}

void RemovalRun::decide_gauges(bool move) {
    if (stopped()) return;
    if (!journal_.write(journal::gauges(move))) return;
    record_.gauges_decided = true;
    record_.gauges_moved = move;
}

void RemovalRun::move(MoveKind kind) {
    if (stopped()) return;
    if (kind == MoveKind::gauge && !record_.gauges_moved) return;
    const std::string holding = in_working_folder(workspace_, record_.holding);
    std::set<std::string> made;  // held folders known to exist
    std::size_t i = 0;
    while (i < record_.moves.size() && !stopped()) {
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

        std::vector<std::size_t> copied;  // copies made: their originals go once flushed
        std::vector<std::size_t> done;    // moves done: held, or nothing there to hold
        std::vector<std::optional<FileDigest>> digests(end - i);
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
            CopyCheck check;
            const FsStatus st = fs_.copy_file(source, held, &check);
            if (st.ok()) {
                digests[k - i] = check.copied;
                copied.push_back(k);
            } else if (st.error == FsError::exists) {
                // Held by a run a kill cut short; a copy that differs from its original is not
                // this file's, and neither is touched.
                FileDigest in_place, in_hold;
                if (fs_.digest_file(source, in_place).ok() && fs_.digest_file(held, in_hold).ok() &&
                    in_place == in_hold) {
                    digests[k - i] = in_hold;
                    copied.push_back(k);
                } else {
                    left_.add(source, "another file is held as " + held + "; both were kept");
                }
            } else if (st.not_found()) {
                // Moved by a run a kill cut short, or a value that names no file.
                FileDigest in_hold;
                if (fs_.digest_file(held, in_hold).ok()) digests[k - i] = in_hold;
                done.push_back(k);
            } else {
                left_.add(source, st.message);
            }
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
            done.push_back(k);
        }
        std::sort(done.begin(), done.end());
        std::vector<std::string> lines;
        for (std::size_t k : done)
            if (digests[k - i]) lines.push_back(journal::held(k, *digests[k - i]));
        for (auto& l : range_lines(done, journal::moves_done)) lines.push_back(std::move(l));
        if (!lines.empty() && journal_.write(lines)) {
            for (std::size_t k : done) {
                record_.moved[k] = true;
                record_.held_digests[k] = digests[k - i];
            }
        }
        i = end;
    }
}

void RemovalRun::empty_folders() {
    if (stopped()) return;
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
        left_.note(warn::folder_not_removed(aircraft, last.message));
        collect_remaining(fs_, aircraft, left_);
    }
    if (journal_.write(journal::folders_done())) record_.folders_done = true;
}

void RemovalRun::finish() {
    if (stopped() || !journal_.write(journal::finished())) return;
    record_.finished = true;
    fs_.delete_file(pending_marker_path(workspace_, record_.id));
}

void RemovalRun::give_up() {
    if (made_copy_) delete_any(fs_, in_working_folder(workspace_, record_.cfg_copy));
    fs_.delete_file(journal_.record_path());
    fs_.delete_file(pending_marker_path(workspace_, record_.id));
}

}  // namespace qv
