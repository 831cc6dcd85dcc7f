// Wraps a real backend and makes chosen operations fail on chosen paths. CI runs as root, so
// permissions alone can't make a copy or a delete fail; this can, at any step of an operation.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qv::test {

enum class Op {
    list,
    scan_folder,
    attributes,
    set_normal,
    set_attributes,
    create_folder,
    create_folders,
    remove_folder,
    copy_file,
    delete_file,
    replace_file,
    write_file,
    read_file,
    identity,
};

class FailingFileSystem : public FileSystem {
  public:
    explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

    // Operation `op` fails on every path that contains `path_part` (compared without regard to
    // case; for copy_file the source or the target). An empty `path_part` fails them all.
    void fail(Op op, std::string path_part) { rules_.push_back({op, std::move(path_part)}); }
    // How many calls failed on purpose.
    int failures() const { return failures_; }

    FsStatus list(const std::string& pattern, ListFilter filter,
                  std::vector<std::string>& names) override;
    FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                         FolderScan& out) override;
    FsStatus attributes(const std::string& path, Attributes& out) override;
    FsStatus set_normal(const std::string& path) override;
    FsStatus set_attributes(const std::string& path, const Attributes& attrs) override;
    FsStatus create_folder(const std::string& path) override;
    FsStatus create_folders(const std::string& path) override;
    FsStatus remove_folder(const std::string& path) override;
    FsStatus copy_file(const std::string& from, const std::string& to) override;
    FsStatus delete_file(const std::string& path) override;
    FsStatus replace_file(const std::string& path, std::string_view bytes) override;
    FsStatus write_file(const std::string& path, std::string_view bytes) override;
    FsStatus read_file(const std::string& path, std::string& bytes) override;
    FsStatus identity(const std::string& path, FileIdentity& out) override;
    FsStatus current_directory(std::string& out) override { return inner_.current_directory(out); }

  private:
    bool hit(Op op, const std::string& path, const std::string& other = {});

    struct Rule {
        Op op;
        std::string path_part;
    };
    FileSystem& inner_;
    std::vector<Rule> rules_;
    int failures_ = 0;
};

}  // namespace qv::test
