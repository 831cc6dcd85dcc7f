// The file system as a Windows program of the simulators' era sees it.
//
// Paths are byte strings in the single-byte code page (Windows-1252), joined with "\" (see
// Path.h). The POSIX backend also accepts "/" and resolves every component without regard to
// case, the way Wine shows a Linux disk to a Windows program, so the core is the same code on
// both systems.
//
// Every call reports "not found" apart from "failed": a value in a configuration file that names
// no file is not a failure for the caller, while a copy or delete that could not be done is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class FsError {
    none,
    not_found,  // the path or one of its parent folders does not exist
    exists,     // a new file or folder was to be made, and something has that name
    changed,    // a checked copy found other bytes than it was told to expect: nothing was placed
    failed,     // it exists (or should be creatable) but the operation could not be done
};

// The outcome of one file-system call. `message` names the path and the reason, ready to show.
struct FsStatus {
    FsError error = FsError::none;
    std::string message;

    bool ok() const { return error == FsError::none; }
    bool not_found() const { return error == FsError::not_found; }
    static FsStatus success() { return {}; }
};

// What a directory listing returns. Each filter leaves out "." and "..".
enum class ListFilter {
    normal_files,             // no hidden, system or directory attribute (read-only included)
    normal_and_hidden_files,  // as above, hidden files too (system files still left out)
    entries_and_directories,  // normal files plus directories that are neither hidden nor system
    everything,               // every entry, hidden and system ones included (to tell what is left)
};

struct Attributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
    bool read_only = false;
    bool link = false;  // a symbolic link or junction (to a folder, when `directory` is set)
};

// An entry of a folder with its attributes.
struct DirEntry {
    std::string name;  // as spelled on disk; "?" for characters with no single-byte form
    Attributes attrs;
    std::uint64_t size = 0;  // of a file; 0 for a folder (and on Windows for a link)
};

// A subfolder found by a scan: links are told apart, since the walk follows them only once the
// folders reached without a link are known.
struct ScannedFolder {
    std::string name;
    bool link = false;
};

// What one folder holds for the aircraft walk, from a single listing (see FileSystem::scan_folder).
struct FolderScan {
    // Subfolders that are neither hidden nor system, in listing order, as spelled on disk.
    std::vector<ScannedFolder> subfolders;
    // For each wanted file name, the name of the normal file that matches it without regard to
    // case (spelled as on disk), or an empty string when there is none.
    std::vector<std::string> matches;
    // The files matching the wanted "*.ext" patterns (see is_suffix_pattern), in listing order.
    std::vector<std::string> suffixed;
    // Entries whose names have no single-byte form (shown with "?"): no path can reach them.
    std::vector<std::string> unreachable;
    // Set by the caller: the scan also counts the folder's files (hidden and system ones too,
    // links aside) and their bytes. `size_partial`: something the count could not take in, a
    // subfolder no walk enters (hidden or system) or an entry no path reaches.
    bool sized = false;
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
    bool size_partial = false;
};

// The size and a 64-bit FNV-1a hash of a file's bytes: enough to notice a file that changed or
// was cut short, not a defence against one made to collide. Written as "SIZE-HASH" (the hash in
// 16 hexadecimal digits) in the removal records.
struct FileDigest {
    std::uint64_t size = 0;
    std::uint64_t hash = 0xcbf29ce484222325ull;

    void add(std::string_view bytes);
    std::string text() const;
    static std::optional<FileDigest> parse(std::string_view text);
    friend bool operator==(const FileDigest&, const FileDigest&) = default;
};
FileDigest digest_of(std::string_view bytes);

// What a copy is checked against and what it saw.
struct CopyCheck {
    // When set, a copy whose bytes differ is not put in place: the call fails as "changed".
    std::optional<FileDigest> expected;
    FileDigest copied;  // the bytes the copy read
};

// Every file the program writes is written under a temporary name beside its place, put on the
// disk and renamed into place, so that a kill never leaves half a file under a real name. The
// temporary names hold this mark; a kill leaves them behind, and the next command removes them
// (remove_temporary_files) from the folders it looks after.
inline constexpr std::string_view kTemporaryMark = ".qvtmp-";
bool is_temporary_name(std::string_view name);

// The largest file the program reads: configuration files are far smaller, and a file named
// aircraft.cfg that is a link to a device must not fill the memory.
inline constexpr std::size_t kMaxReadBytes = 64u << 20;

// An operating-system lock on a file, held until the object goes (or the process ends, however it
// ends: a killed program leaves no stale lock).
class FileLock {
  public:
    virtual ~FileLock() = default;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Lists `pattern`: either a folder followed by "\*.*" (every entry of the folder) or a folder
    // followed by one plain name (at most that entry, matched without regard to case). Names
    // come back as spelled on disk, in the one listing order (see ListingOrder.h). A folder that
    // does not exist gives an empty listing, as FindFirstFile does.
    virtual FsStatus list(const std::string& pattern, ListFilter filter,
                          std::vector<std::string>& names) = 0;

    // Every entry of `folder`, hidden and system ones too, with its attributes, in listing order,
    // from one listing. A folder that does not exist is "not found".
    virtual FsStatus list_entries(const std::string& folder, std::vector<DirEntry>& out) = 0;
    // The entries of `folder` as list_entries gives them, but with only `directory`, `link` and
    // a file's `size` filled in, in no set order: what measuring a folder needs, without the
    // per-entry queries a listing without sizes would otherwise cost for the other attributes.
    virtual FsStatus list_sizes(const std::string& folder, std::vector<DirEntry>& out) = 0;

    // One listing of `folder` giving its visible subfolders and the normal files among it that
    // match `wanted` names. A folder that does not exist is "not found" here.
    virtual FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                                 FolderScan& out) = 0;

    virtual FsStatus attributes(const std::string& path, Attributes& out) = 0;
    // Sets hidden, system and read-only as given (the other fields of `attrs` are ignored);
    // Attributes{} is SetFileAttributes(FILE_ATTRIBUTE_NORMAL).
    virtual FsStatus set_attributes(const std::string& path, const Attributes& attrs) = 0;

    virtual FsStatus create_folder(const std::string& path) = 0;  // one level; parent must exist
    virtual FsStatus remove_folder(const std::string& path) = 0;  // empty folders only; no links
    // Copies a file, its attributes and modification time with it, to `to`, which must not
    // exist: nothing is ever copied over another file. The copy is written under a temporary
    // name and renamed into place once whole. `check` (when given) is compared and filled.
    virtual FsStatus copy_file(const std::string& from, const std::string& to,
                               CopyCheck* check) = 0;
    FsStatus copy_file(const std::string& from, const std::string& to) {
        return copy_file(from, to, nullptr);
    }
    virtual FsStatus delete_file(const std::string& path) = 0;  // fails on a read-only file
    // Writes `bytes` to a temporary file beside `path`, puts it on the disk, then in place of
    // `path` in one step. `path` is left as it was when anything fails (a read-only `path` fails).
    virtual FsStatus replace_file(const std::string& path, std::string_view bytes) = 0;
    // Makes the file `path`, which must not exist, with `bytes`, and puts it on the disk (under a
    // temporary name first, renamed into place once whole).
    virtual FsStatus write_new_file(const std::string& path, std::string_view bytes) = 0;
    // Adds `bytes` at the end of the existing file `path`.
    virtual FsStatus append_file(const std::string& path, std::string_view bytes) = 0;
    // Reads a regular file of at most kMaxReadBytes whole; anything else (a folder, a device, a
    // pipe, a larger file) fails without being read.
    virtual FsStatus read_file(const std::string& path, std::string& bytes) = 0;
    // Reads a regular file to its end, however large, for its digest.
    virtual FsStatus digest_file(const std::string& path, FileDigest& out) = 0;
    // Puts the files copied or written below `folder` on the disk, before their originals go.
    virtual FsStatus flush_folder(const std::string& folder) = 0;

    // `path` with every link and junction on it resolved, as the system reaches it.
    virtual FsStatus real_path(const std::string& path, std::string& out) = 0;
    virtual FsStatus current_directory(std::string& out) = 0;
    // Takes the lock of the file `path` (made when missing) without waiting: "failed" when
    // another process holds it, or when `path` is a link (it is never followed).
    virtual FsStatus lock_file(const std::string& path, std::unique_ptr<FileLock>& out) = 0;
};

// The backend of this build: Win32 on Windows, POSIX elsewhere.
std::unique_ptr<FileSystem> make_native_file_system();

// Whole-file line input: the file's lines without their line ends. Lines end at CR LF, a lone
// CR or a lone LF; a last line without a line end is a line; an empty file has no lines.
FsStatus read_lines(FileSystem& fs, const std::string& path, std::vector<std::string>& lines);
void split_lines(std::string_view bytes, std::vector<std::string>& lines);

// Deletes the temporary files a killed command left in `folder` (not below it).
void remove_temporary_files(FileSystem& fs, const std::string& folder);

// Whether two files hold the same bytes, read to their ends.
bool same_file_bytes(FileSystem& fs, const std::string& a, const std::string& b);

// Deletes a file of any attributes: a read-only one, which Windows refuses to delete, is set to
// normal first.
FsStatus delete_any(FileSystem& fs, const std::string& path);

}  // namespace qv
