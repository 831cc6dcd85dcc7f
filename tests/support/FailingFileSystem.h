// Wraps a real backend and makes chosen operations fail on chosen paths. CI runs as root, so
// permissions alone can't make a copy or a delete fail; this can, at any step of an operation.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace qv::test {

// The operations that can be made to fail; the others always reach the real backend.
enum class Op {
    scan_folder,
    create_folder,
    copy_file,
    delete_file,
    replace_file,
    read_file,
    identity
};

class FailingFileSystem : public FileSystem {
  public:
    explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

    // Operation `op` fails on every path that contains `path_part` (compared without regard to
    // case; for copy_file the source or the target). An empty `path_part` fails them all.
    void fail(Op op, const std::string& path_part) { rules_.emplace_back(op, to_lower(path_part)); }

    FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                         FolderScan& out) override {
        return hit(Op::scan_folder, folder) ? injected(folder)
                                            : inner_.scan_folder(folder, wanted, out);
    }
    FsStatus create_folder(const std::string& path) override {
        return hit(Op::create_folder, path) ? injected(path) : inner_.create_folder(path);
    }
    FsStatus copy_file(const std::string& from, const std::string& to) override {
        return hit(Op::copy_file, from, to) ? injected(from) : inner_.copy_file(from, to);
    }
    FsStatus delete_file(const std::string& path) override {
        return hit(Op::delete_file, path) ? injected(path) : inner_.delete_file(path);
    }
    FsStatus replace_file(const std::string& path, std::string_view bytes) override {
        return hit(Op::replace_file, path) ? injected(path) : inner_.replace_file(path, bytes);
    }
    FsStatus read_file(const std::string& path, std::string& bytes) override {
        return hit(Op::read_file, path) ? injected(path) : inner_.read_file(path, bytes);
    }
    FsStatus identity(const std::string& path, FileIdentity& out) override {
        return hit(Op::identity, path) ? injected(path) : inner_.identity(path, out);
    }

    FsStatus list(const std::string& pattern, ListFilter filter,
                  std::vector<std::string>& names) override {
        return inner_.list(pattern, filter, names);
    }
    FsStatus attributes(const std::string& path, Attributes& out) override {
        return inner_.attributes(path, out);
    }
    FsStatus set_attributes(const std::string& path, const Attributes& attrs) override {
        return inner_.set_attributes(path, attrs);
    }
    FsStatus remove_folder(const std::string& path) override { return inner_.remove_folder(path); }
    FsStatus current_directory(std::string& out) override { return inner_.current_directory(out); }

  private:
    bool hit(Op op, const std::string& path, const std::string& other = {}) const {
        for (const auto& [rule_op, part] : rules_)
            if (rule_op == op && (to_lower(path).find(part) != std::string::npos ||
                                  to_lower(other).find(part) != std::string::npos))
                return true;
        return false;
    }
    static FsStatus injected(const std::string& path) {
        return {FsError::failed, "Injected failure on " + path};
    }

    FileSystem& inner_;
    std::vector<std::pair<Op, std::string>> rules_;
};

}  // namespace qv::test
