// A fresh folder on the real disk for one test, removed again afterwards, with helpers that
// build trees through the backend under test (so hidden, system and read-only files are made the
// way that backend makes them).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace qv::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    FileSystem& fs() { return *fs_; }
    // The folder's path in the core's form (single-byte, "\"-joined below it).
    const std::string& path() const { return path_; }
    // `rel` is relative to the folder, with "\" or "/" between components.
    std::string at(std::string_view rel) const;

    void write(std::string_view rel, std::string_view bytes);  // makes parent folders
    void mkdir(std::string_view rel);                          // makes parent folders
    void hide(std::string_view rel);                           // hidden attribute
    void make_system(std::string_view rel);                    // system attribute (plus hidden)
    void make_read_only(std::string_view rel);
    bool exists(std::string_view rel);
    std::string read(std::string_view rel);  // "" when missing
    // Every file and folder below, as relative "\"-joined paths in listing order (hidden and
    // system entries included; folders end with "\").
    std::vector<std::string> tree();

  private:
    void collect(const std::string& rel, std::vector<std::string>& out);

    std::unique_ptr<FileSystem> fs_;
    std::string path_;
};

}  // namespace qv::test
