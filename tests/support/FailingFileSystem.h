// Wraps a real backend and makes chosen calls fail, or stops everything at a chosen call as if
// the process had been killed there. CI runs as root, so permissions alone can't make a copy or a
// delete fail; this can, at any step of an operation.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace qv::test {

// Every method of the file system.
enum class Op {
    list,
    list_entries,
    scan_folder,
    attributes,
    set_attributes,
    create_folder,
    remove_folder,
    copy_file,
    delete_file,
    replace_file,
    write_new_file,
    append_file,
    read_file,
    digest_file,
    flush_folder,
    real_path,
    current_directory,
    lock_file,
};

// How many call indices apart the tests that fail or stop every call take their points. Under
// Wine a point costs as much as fifty do natively. How the core handles each failure is driven at
// every point by the native run; under Wine every third point checks that the Win32 backend's
// answers lead to the same handling.
#ifdef _WIN32
constexpr std::size_t kPointStride = 3;
#else
constexpr std::size_t kPointStride = 1;
#endif

// Thrown at the call a test stops at: nothing after it reaches the disk, as after a kill.
struct Interrupted {};

class FailingFileSystem : public FileSystem {
  public:
    explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

    // `op` fails on every path that contains `path_part` (compared without regard to case; for
    // copy_file the source or the target). An empty `path_part` fails them all.
    void fail(Op op, const std::string& path_part) { rules_.emplace_back(op, to_lower(path_part)); }
    // Call number `index` (every call counts, from 0) fails; with `from_then_on`, every later one.
    void fail_call(std::size_t index, bool from_then_on = false) {
        fail_at_ = index;
        fail_on_ = from_then_on;
    }
    // Call number `index` throws Interrupted instead of reaching the disk.
    void stop_at(std::size_t index) { stop_at_ = index; }
    // The disk has room for `bytes` more bytes: a write that needs more writes what fits and
    // fails as a full disk would (an append leaves its first bytes; a new file, a replacement or
    // a copy, written under a temporary name, leaves nothing).
    void fill_disk_after(std::size_t bytes) { room_ = bytes; }
    // The bytes written so far (appended, written, replaced or copied).
    std::size_t written() const { return written_; }
    std::size_t calls() const { return calls_; }
    // The method of each call so far, in order.
    const std::vector<Op>& log() const { return log_; }

    FsStatus list(const std::string& pattern, ListFilter filter,
                  std::vector<std::string>& names) override {
        if (auto st = check(Op::list, pattern)) {
            names.clear();
            return *st;
        }
        return inner_.list(pattern, filter, names);
    }
    FsStatus list_entries(const std::string& folder, std::vector<DirEntry>& out) override {
        if (auto st = check(Op::list_entries, folder)) {
            out.clear();
            return *st;
        }
        return inner_.list_entries(folder, out);
    }
    FsStatus list_sizes(const std::string& folder, std::vector<DirEntry>& out) override {
        if (auto st = check(Op::list_entries, folder)) {
            out.clear();
            return *st;
        }
        return inner_.list_sizes(folder, out);
    }
    FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                         FolderScan& out) override {
        if (auto st = check(Op::scan_folder, folder)) return *st;
        return inner_.scan_folder(folder, wanted, out);
    }
    FsStatus attributes(const std::string& path, Attributes& out) override {
        if (auto st = check(Op::attributes, path)) return *st;
        return inner_.attributes(path, out);
    }
    FsStatus set_attributes(const std::string& path, const Attributes& attrs) override {
        if (auto st = check(Op::set_attributes, path)) return *st;
        return inner_.set_attributes(path, attrs);
    }
    FsStatus create_folder(const std::string& path) override {
        if (auto st = check(Op::create_folder, path)) return *st;
        return inner_.create_folder(path);
    }
    FsStatus remove_folder(const std::string& path) override {
        if (auto st = check(Op::remove_folder, path)) return *st;
        return inner_.remove_folder(path);
    }
    using FileSystem::copy_file;
    FsStatus copy_file(const std::string& from, const std::string& to,
                       CopyCheck* copy_check) override {
        if (auto st = check(Op::copy_file, from, to)) return *st;
        FileDigest d;
        inner_.digest_file(from, d);
        if (auto st = use_room(static_cast<std::size_t>(d.size), to)) return *st;
        written_ += static_cast<std::size_t>(d.size);
        return inner_.copy_file(from, to, copy_check);
    }
    FsStatus delete_file(const std::string& path) override {
        if (auto st = check(Op::delete_file, path)) return *st;
        return inner_.delete_file(path);
    }
    FsStatus replace_file(const std::string& path, std::string_view bytes) override {
        if (auto st = check(Op::replace_file, path)) return *st;
        if (auto st = use_room(bytes.size(), path)) return *st;
        written_ += bytes.size();
        return inner_.replace_file(path, bytes);
    }
    FsStatus write_new_file(const std::string& path, std::string_view bytes) override {
        if (auto st = check(Op::write_new_file, path)) return *st;
        if (auto st = use_room(bytes.size(), path)) return *st;
        written_ += bytes.size();
        return inner_.write_new_file(path, bytes);
    }
    FsStatus append_file(const std::string& path, std::string_view bytes) override {
        if (auto st = check(Op::append_file, path)) return *st;
        if (room_ && bytes.size() > *room_) {
            inner_.append_file(path, bytes.substr(0, *room_));
            written_ += *room_;
            room_ = 0;
            return full(path);
        }
        if (room_) *room_ -= bytes.size();
        written_ += bytes.size();
        return inner_.append_file(path, bytes);
    }
    FsStatus read_file(const std::string& path, std::string& bytes) override {
        if (auto st = check(Op::read_file, path)) return *st;
        return inner_.read_file(path, bytes);
    }
    FsStatus digest_file(const std::string& path, FileDigest& out) override {
        if (auto st = check(Op::digest_file, path)) return *st;
        return inner_.digest_file(path, out);
    }
    FsStatus flush_folder(const std::string& folder) override {
        if (auto st = check(Op::flush_folder, folder)) return *st;
        return inner_.flush_folder(folder);
    }
    FsStatus real_path(const std::string& path, std::string& out) override {
        if (auto st = check(Op::real_path, path)) return *st;
        return inner_.real_path(path, out);
    }
    FsStatus current_directory(std::string& out) override {
        if (auto st = check(Op::current_directory, "")) return *st;
        return inner_.current_directory(out);
    }
    FsStatus lock_file(const std::string& path, std::unique_ptr<FileLock>& out) override {
        if (auto st = check(Op::lock_file, path)) return *st;
        return inner_.lock_file(path, out);
    }

  private:
    static FsStatus full(const std::string& path) {
        return {FsError::failed, "Can't write " + path + ": No space left on device"};
    }
    std::optional<FsStatus> use_room(std::size_t bytes, const std::string& path) {
        if (!room_) return std::nullopt;
        if (bytes > *room_) return full(path);
        *room_ -= bytes;
        return std::nullopt;
    }

    std::optional<FsStatus> check(Op op, const std::string& path, const std::string& other = {}) {
        const std::size_t index = calls_++;
        log_.push_back(op);
        if (stop_at_ && index == *stop_at_) throw Interrupted{};
        const bool by_index = fail_at_ && (index == *fail_at_ || (fail_on_ && index > *fail_at_));
        bool by_rule = false;
        for (const auto& [rule_op, part] : rules_)
            by_rule =
                by_rule || (rule_op == op && (to_lower(path).find(part) != std::string::npos ||
                                              to_lower(other).find(part) != std::string::npos));
        if (!by_index && !by_rule) return std::nullopt;
        return FsStatus{FsError::failed, "Injected failure on " + path};
    }

    FileSystem& inner_;
    std::vector<std::pair<Op, std::string>> rules_;
    std::optional<std::size_t> fail_at_;
    bool fail_on_ = false;
    std::optional<std::size_t> stop_at_;
    std::optional<std::size_t> room_;
    std::size_t written_ = 0;
    std::size_t calls_ = 0;
    std::vector<Op> log_;
};

}  // namespace qv::test
