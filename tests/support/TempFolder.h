// A fresh folder on the real disk for one test, removed again afterwards, with helpers that
// build trees through the backend under test (so hidden, system and read-only files are made the
// way that backend makes them).
#pragma once

#include <filesystem>
#include <map>
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
    // The same path for the standard library, which reaches past the backend (names it can't
    // make, links, cleaning up).
    std::filesystem::path native(std::string_view rel) const;

    void write(std::string_view rel, std::string_view bytes);  // makes parent folders
    void mkdir(std::string_view rel);                          // makes parent folders
    void hide(std::string_view rel) { add_attributes(rel, true, false, false); }
    void make_system(std::string_view rel) { add_attributes(rel, true, true, false); }
    void make_read_only(std::string_view rel) { add_attributes(rel, false, false, true); }
    // A symbolic link made from the Linux side (Wine can't make links through the Win32 API).
    void link(std::string_view target_rel, std::string_view link_rel);
    void link_absolute(const std::string& target, std::string_view link_rel);
    bool exists(std::string_view rel);
    std::string read(std::string_view rel);  // "" when missing
    // Every file and folder below `rel`, relative to it, in listing order: hidden and system
    // entries included, folders end with "\", links are not entered.
    std::vector<std::string> tree(std::string_view rel = "") const;
    // Every file below `rel` (relative to it, links not followed) with its bytes.
    std::map<std::string, std::string> files(std::string_view rel = "") const;
    // Removes everything below the folder, whatever its attributes.
    void clear();

  private:
    void add_attributes(std::string_view rel, bool hidden, bool system, bool read_only);

    std::unique_ptr<FileSystem> fs_;
    std::string path_;
};

}  // namespace qv::test
