// The Windows backend: the wide-character file API, with every name converted through the ANSI
// code page at the edge.
//
// - A name on disk with no ANSI form comes back with "?" for each such character. "?" is not a
//   legal file-name character, so any operation on such a name fails like a missing file.
// - Read-only protection is checked here rather than left to the system: Wine running as root
//   deletes and overwrites read-only files without complaint.
// - Paths of MAX_PATH characters or more are made absolute and given the "\\?\" prefix.
// - A link (reparse point) whose target is gone is left out of listings, as Wine leaves it out.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/ListingOrder.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "platform/Win32Handle.h"

namespace qv {
namespace {

std::wstring wide(std::string_view s) {
    if (s.empty()) return {};
    const int len = static_cast<int>(s.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), len, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s.data(), len, w.data(), n);
    return w;
}

// No best-fit mapping: a best fit would turn a name into another file's name ("Ā" into "A").
std::string narrow(const wchar_t* w, bool* lossless = nullptr) {
    BOOL used_default = FALSE;
    const int n =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        if (lossless) *lossless = true;
        return {};
    }
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, -1, s.data(), n, nullptr, &used_default);
    s.resize(static_cast<std::size_t>(n - 1));
    if (lossless) *lossless = used_default == FALSE;
    return s;
}

// The system's reason for `err`, in one line without the closing full stop.
std::string reason(DWORD err) {
    wchar_t* buf = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, err, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::string text;
    if (n > 0 && buf) {
        text = narrow(buf);
        ::LocalFree(buf);
    }
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "system error " + std::to_string(err);
    return text;
}

bool is_missing(DWORD err) {
    switch (err) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return true;
        default:
            return false;
    }
}

FsStatus from_error(const std::string& what, const std::string& path, DWORD err) {
    return {is_missing(err) ? FsError::not_found : FsError::failed,
            what + " " + path + ": " + reason(err)};
}

FsStatus last_error(const std::string& what, const std::string& path) {
    return from_error(what, path, ::GetLastError());
}

FsStatus failed(const std::string& what, const std::string& path, const std::string& why) {
    return {FsError::failed, what + " " + path + ": " + why};
}

FsStatus not_found(const std::string& what, const std::string& path) {
    return {FsError::not_found, what + " " + path + ": no such file or folder"};
}

// The core path as the wide API wants it. Past MAX_PATH the plain form is refused (unless the
// manifest's long-path awareness is honoured, which needs a registry setting too), so long paths
// get the "\\?\" form. A relative one is made absolute by GetFullPathNameW first.
// CreateDirectoryW's limit is 12 characters below MAX_PATH.
std::wstring native(std::string_view path) {
    std::wstring w = wide(path);
    if (w.size() < MAX_PATH - 12) return w;
    if (auto long_path = path::long_form(w)) return *long_path;
    const DWORD n = ::GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return w;
    std::wstring full(n, L'\0');
    const DWORD got = ::GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    if (got == 0 || got >= n) return w;
    full.resize(got);
    return path::long_form(full).value_or(w);
}

bool is_dir(DWORD attrs) {
    return (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
bool is_link(DWORD attrs) {
    return (attrs & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
bool is_read_only(DWORD attrs) {
    return (attrs & FILE_ATTRIBUTE_READONLY) != 0;
}

// `attrs` as SetFileAttributesW takes them: only the settable ones, and FILE_ATTRIBUTE_NORMAL for
// none at all (a zero would leave the attributes unchanged).
DWORD settable(DWORD attrs) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_TEMPORARY;
    const DWORD value = attrs & kSettable;
    return value == 0 ? FILE_ATTRIBUTE_NORMAL : value;
}

Attributes to_attributes(DWORD a) {
    Attributes out;
    out.directory = is_dir(a);
    out.hidden = (a & FILE_ATTRIBUTE_HIDDEN) != 0;
    out.system = (a & FILE_ATTRIBUTE_SYSTEM) != 0;
    out.read_only = is_read_only(a);
    out.link = is_link(a);
    return out;
}

bool passes(DWORD a, ListFilter filter) {
    if (filter == ListFilter::everything) return true;
    if (a & FILE_ATTRIBUTE_SYSTEM) return false;
    const bool hidden = (a & FILE_ATTRIBUTE_HIDDEN) != 0;
    switch (filter) {
        case ListFilter::normal_files:
            return !is_dir(a) && !hidden;
        case ListFilter::normal_and_hidden_files:
            return !is_dir(a);
        case ListFilter::entries_and_directories:
            return !hidden;
        case ListFilter::everything:
            return true;
    }
    return false;
}

// Opens the path itself, a folder as well as a file, for querying only.
HANDLE open_for_query(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Whether a link's target exists: opening without FILE_FLAG_OPEN_REPARSE_POINT follows the link.
bool link_target_exists(const std::wstring& path) {
    KernelHandle h(open_for_query(path));
    return h.valid();
}

// A name that can't name an entry of a folder: the wildcards FindFirstFile would expand ("<", ">"
// and '"' are wildcards to it too) and the "?" an unmappable character was turned into.
bool has_wildcard(std::string_view name) {
    return name.find_first_of("*?<>\"") != std::string_view::npos;
}

bool is_all_pattern(std::string_view name) {
    return name == "*.*" || name == "*";
}

// Splits a listing pattern into its folder part (with the separator) and its last component.
std::pair<std::string, std::string> split_pattern(const std::string& pattern) {
    std::size_t cut = pattern.size();
    while (cut > 0 && !path::is_separator(pattern[cut - 1]) && pattern[cut - 1] != ':') --cut;
    return {pattern.substr(0, cut), pattern.substr(cut)};
}

// One entry of a folder listing: its name in the code page and its attributes.
struct Entry {
    std::string name;
    DWORD attrs = 0;
    std::uint64_t size = 0;
    bool lossless = true;  // false: the name has "?" for characters with no ANSI form
};

// Reads `folder_part` + "*" in one search. A folder that does not exist (or is a file) gives
// `missing` and no entries. Links to nothing are left out.
FsStatus read_folder(const std::string& folder_part, const std::string& shown_folder,
                     std::vector<Entry>& out, bool& missing) {
    out.clear();
    missing = false;
    const std::wstring search = native(folder_part + "*");
    WIN32_FIND_DATAW fd;
    FindHandle h(::FindFirstFileExW(search.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!h.valid()) {
        const DWORD err = ::GetLastError();
        // An empty drive root has no "." entry and so reports no files at all.
        if (err == ERROR_FILE_NOT_FOUND) return FsStatus::success();
        if (is_missing(err) || err == ERROR_DIRECTORY) {
            missing = true;
            return FsStatus::success();
        }
        return from_error("Can't list the folder", shown_folder, err);
    }
    std::wstring base = native(folder_part);
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/' && base.back() != L':')
        base += L'\\';
    do {
        if (std::wcscmp(fd.cFileName, L".") == 0 || std::wcscmp(fd.cFileName, L"..") == 0) continue;
        if (is_link(fd.dwFileAttributes) && !link_target_exists(base + fd.cFileName)) continue;
        Entry e;
        e.name = narrow(fd.cFileName, &e.lossless);
        e.attrs = fd.dwFileAttributes;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            e.size = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        out.push_back(std::move(e));
    } while (::FindNextFileW(h.get(), &fd));
    const DWORD err = ::GetLastError();
    if (err != ERROR_NO_MORE_FILES) return from_error("Can't list the folder", shown_folder, err);
    return FsStatus::success();
}

std::string without_separator(const std::string& text) {
    return std::string(path::without_trailing_separator(text));
}

// The attributes of `path`; INVALID_FILE_ATTRIBUTES with the error in `err` when it can't be read.
DWORD raw_attributes(const std::string& path, DWORD& err) {
    const DWORD a = ::GetFileAttributesW(native(path).c_str());
    err = a == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
    return a;
}

// Whether attributes read with raw_attributes name a folder (false when they could not be read).
bool is_folder_attributes(DWORD attrs) {
    return attrs != INVALID_FILE_ATTRIBUTES && is_dir(attrs);
}

// The exact on-disk spelling of an existing entry, as `folder part` + name; `path` unchanged when
// it can't be found (a new file keeps the spelling it was given).
std::string spelled_on_disk(const std::string& path) {
    auto [folder, name] = split_pattern(path);
    if (name.empty() || has_wildcard(name)) return path;
    WIN32_FIND_DATAW fd;
    FindHandle h(::FindFirstFileExW(native(path).c_str(), FindExInfoBasic, &fd,
                                    FindExSearchNameMatch, nullptr, 0));
    if (!h.valid()) return path;
    bool lossless = true;
    std::string found = narrow(fd.cFileName, &lossless);
    if (!lossless || !iequals(found, name)) return path;
    return folder + found;
}

// Where `path` may be written: the parent folder exists, and `path` is not a folder or a
// read-only file. `existing` receives the target's attributes, or INVALID_FILE_ATTRIBUTES.
FsStatus writable_target(const std::string& path, const std::string& what, DWORD& existing) {
    const auto [folder, name] = split_pattern(path);
    if (name.empty()) return failed(what, path, "no file name");
    if (has_wildcard(name)) return not_found(what, path);
    DWORD err = ERROR_SUCCESS;
    existing = raw_attributes(path, err);
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (is_dir(existing)) return failed(what, path, "a folder has that name");
        if (is_read_only(existing)) return failed(what, path, "the file is read-only");
        return FsStatus::success();
    }
    if (!is_missing(err)) return from_error(what, path, err);
    if (!folder.empty()) {
        const DWORD parent = raw_attributes(without_separator(folder), err);
        if (parent == INVALID_FILE_ATTRIBUTES) {
            return is_missing(err) ? not_found(what, path) : from_error(what, path, err);
        }
        if (!is_dir(parent)) return not_found(what, path);
    }
    return FsStatus::success();
}

FsStatus write_all(HANDLE h, std::string_view bytes, const std::string& what,
                   const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr))
            return last_error(what, path);
        if (written == 0) return failed(what, path, "nothing could be written");
        done += written;
    }
    return FsStatus::success();
}

// A name beside `path` that no other writer picks: process id, tick count and a counter.
std::string temp_name_beside(const std::string& path) {
    static unsigned counter = 0;
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".qvtmp-%lx-%lx-%x", ::GetCurrentProcessId(),
                  ::GetTickCount(), ++counter);
    return path + suffix;
}

// Closing the handle releases the lock; so does the end of the process.
class Win32Lock final : public FileLock {
  public:
    explicit Win32Lock(KernelHandle handle) : handle_(std::move(handle)) {}

  private:
    KernelHandle handle_;
};

// Where a new file `path` may be made: its folder exists and nothing has that name.
FsStatus new_target(const std::string& path, const std::string& what) {
    const auto [folder, name] = split_pattern(path);
    if (name.empty()) return failed(what, path, "no file name");
    if (has_wildcard(name)) return not_found(what, path);
    DWORD err = ERROR_SUCCESS;
    if (raw_attributes(path, err) != INVALID_FILE_ATTRIBUTES)
        return {FsError::exists, what + std::string(" ") + path + ": it exists already"};
    if (!is_missing(err)) return from_error(what, path, err);
    if (!folder.empty()) {
        const DWORD parent = raw_attributes(without_separator(folder), err);
        if (parent == INVALID_FILE_ATTRIBUTES)
            return is_missing(err) ? not_found(what, path) : from_error(what, path, err);
        if (!is_dir(parent)) return not_found(what, path);
    }
    return FsStatus::success();
}

// Opens the regular file `path` for reading, asking nothing before: under Wine every query is a
// round trip to the wineserver. A folder is told from other failures afterwards.
FsStatus open_for_reading(const std::string& path, const char* what, KernelHandle& h) {
    if (has_wildcard(path::last_part(path))) return not_found(what, path);
    h.reset(::CreateFileW(native(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.valid()) {
        const DWORD err = ::GetLastError();
        DWORD ignored = ERROR_SUCCESS;
        if (!is_missing(err) && is_folder_attributes(raw_attributes(path, ignored)))
            return failed(what, path, "it is a folder");
        return from_error(what, path, err);
    }
    // Under Wine a Linux pipe or device opens like a file; it is never read.
    if (::GetFileType(h.get()) != FILE_TYPE_DISK)
        return failed(what, path, "it is not a regular file");
    return FsStatus::success();
}

// Renames a whole temporary file into `path`, which must still be free: nothing is ever renamed
// over another file.
FsStatus rename_new(const std::wstring& temp, const std::string& path, const std::string& what) {
    if (::MoveFileExW(temp.c_str(), native(path).c_str(), MOVEFILE_WRITE_THROUGH))
        return FsStatus::success();
    const DWORD err = ::GetLastError();
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS)
        return {FsError::exists, what + std::string(" ") + path + ": it exists already"};
    return from_error(what, path, err);
}

// Takes away a temporary file that could not be renamed into place, whatever its attributes.
void remove_temporary(const std::wstring& temp) {
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temp.c_str());
}

class Win32FileSystem final : public FileSystem {
  public:
    FsStatus list(const std::string& pattern, ListFilter filter,
                  std::vector<std::string>& names) override {
        names.clear();
        const auto [folder, name] = split_pattern(pattern);
        if (is_all_pattern(name)) {
            std::vector<Entry> entries;
            bool missing = false;
            FsStatus st = read_folder(folder, without_separator(folder), entries, missing);
            if (!st.ok()) return st;
            for (auto& e : entries)
                if (passes(e.attrs, filter)) names.push_back(std::move(e.name));
            sort_listing(names);
            return FsStatus::success();
        }
        if (name.empty() || has_wildcard(name)) return FsStatus::success();
        WIN32_FIND_DATAW fd;
        FindHandle h(::FindFirstFileExW(native(pattern).c_str(), FindExInfoBasic, &fd,
                                        FindExSearchNameMatch, nullptr, 0));
        if (!h.valid()) {
            const DWORD err = ::GetLastError();
            if (is_missing(err) || err == ERROR_DIRECTORY) return FsStatus::success();
            return from_error("Can't list the folder", without_separator(folder), err);
        }
        bool lossless = true;
        std::string found = narrow(fd.cFileName, &lossless);
        // FindFirstFile also matches an entry's short 8.3 name and ignores trailing dots and
        // spaces; only the name itself counts here, as it does on the Linux backend.
        if (!lossless || !iequals(found, name)) return FsStatus::success();
        if (is_link(fd.dwFileAttributes) && !link_target_exists(native(folder + found)))
            return FsStatus::success();
        if (passes(fd.dwFileAttributes, filter)) names.push_back(std::move(found));
        return FsStatus::success();
    }

    FsStatus list_entries(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        std::vector<Entry> entries;
        bool missing = false;
        const FsStatus st =
            read_folder(path::with_trailing_separator(folder), folder, entries, missing);
        if (!st.ok()) return st;
        if (missing) return not_found("Can't list the folder", folder);
        for (auto& e : entries) out.push_back({std::move(e.name), to_attributes(e.attrs), e.size});
        std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
            return listing_less(a.name, b.name);
        });
        return FsStatus::success();
    }

    // The listing brings sizes with it: nothing to save over list_entries.
    FsStatus list_sizes(const std::string& folder, std::vector<DirEntry>& out) override {
        return list_entries(folder, out);
    }

    // One search of the folder: the listing brings every entry's attributes with it.
    FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                         FolderScan& out) override {
        out.subfolders.clear();
        out.unreachable.clear();
        out.suffixed.clear();
        out.matches.assign(wanted.size(), std::string());
        out.files = out.bytes = 0;
        out.size_partial = false;
        std::vector<Entry> entries;
        bool missing = false;
        FsStatus st = read_folder(path::with_trailing_separator(folder), folder, entries, missing);
        if (!st.ok()) return st;
        if (missing) return not_found("Can't list the folder", folder);
        for (const auto& e : entries) {
            if (!e.lossless) {
                out.unreachable.push_back(e.name);
                if (out.sized) out.size_partial = true;
                continue;
            }
            const bool visible = (e.attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
            if (is_dir(e.attrs)) {
                if (visible)
                    out.subfolders.push_back({e.name, is_link(e.attrs)});
                else if (!is_link(e.attrs))
                    if (out.sized) out.size_partial = true;
                continue;
            }
            // The listing brings each file's size: counting costs nothing more.
            if (out.sized && !is_link(e.attrs)) {
                ++out.files;
                out.bytes += e.size;
            }
            if (!visible) continue;
            for (std::size_t w = 0; w < wanted.size(); ++w) {
                if (is_suffix_pattern(wanted[w])) {
                    if (matches_suffix(e.name, wanted[w])) out.suffixed.push_back(e.name);
                    continue;
                }
                if (!iequals(e.name, wanted[w])) continue;
                if (better_match(e.name, out.matches[w], wanted[w])) out.matches[w] = e.name;
            }
        }
        std::sort(out.subfolders.begin(), out.subfolders.end(),
                  [](const ScannedFolder& a, const ScannedFolder& b) {
                      return listing_less(a.name, b.name);
                  });
        sort_listing(out.suffixed);
        return FsStatus::success();
    }

    FsStatus attributes(const std::string& path, Attributes& out) override {
        out = Attributes{};
        const char* what = "Can't read the attributes of";
        if (has_wildcard(path::last_part(path))) return not_found(what, path);
        DWORD err = ERROR_SUCCESS;
        const DWORD a = raw_attributes(path, err);
        if (a == INVALID_FILE_ATTRIBUTES) return from_error(what, path, err);
        if (is_link(a) && !link_target_exists(native(path))) return not_found(what, path);
        out = to_attributes(a);
        return FsStatus::success();
    }

    FsStatus set_attributes(const std::string& path, const Attributes& attrs) override {
        const char* what = "Can't set the attributes of";
        if (has_wildcard(path::last_part(path))) return not_found(what, path);
        DWORD err = ERROR_SUCCESS;
        const DWORD current = raw_attributes(path, err);
        if (current == INVALID_FILE_ATTRIBUTES) return from_error(what, path, err);
        // Keep the attributes we don't manage (archive, not-indexed...).
        DWORD value =
            current & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
        if (attrs.hidden) value |= FILE_ATTRIBUTE_HIDDEN;
        if (attrs.system) value |= FILE_ATTRIBUTE_SYSTEM;
        if (attrs.read_only) value |= FILE_ATTRIBUTE_READONLY;
        if (!::SetFileAttributesW(native(path).c_str(), settable(value)))
            return last_error(what, path);
        return FsStatus::success();
    }

    FsStatus create_folder(const std::string& path) override {
        const char* what = "Can't create the folder";
        if (has_wildcard(path::last_part(path))) return failed(what, path, "not a valid name");
        if (::CreateDirectoryW(native(path).c_str(), nullptr)) return FsStatus::success();
        const DWORD err = ::GetLastError();
        if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS)
            return {FsError::exists,
                    what + std::string(" ") + path + ": something of that name exists"};
        return from_error(what, path, err);
    }

    FsStatus remove_folder(const std::string& path) override {
        const char* what = "Can't remove the folder";
        if (has_wildcard(path::last_part(path))) return not_found(what, path);
        DWORD err = ERROR_SUCCESS;
        const DWORD a = raw_attributes(path, err);
        if (a == INVALID_FILE_ATTRIBUTES) return from_error(what, path, err);
        if (!is_dir(a)) return failed(what, path, "not a folder");
        // Under Wine, removing a link to an empty folder removes the folder it points to.
        if (is_link(a)) return failed(what, path, "it is a link");
        if (!::RemoveDirectoryW(native(path).c_str())) return last_error(what, path);
        return FsStatus::success();
    }

    FsStatus copy_file(const std::string& from, const std::string& to, CopyCheck* check) override {
        if (has_wildcard(path::last_part(from))) return not_found("Can't copy", from);
        const std::string target_name = split_pattern(to).second;
        if (target_name.empty()) return failed("Can't copy to", to, "no file name");
        if (has_wildcard(target_name)) return not_found("Can't copy to", to);
        KernelHandle in;
        if (FsStatus st = open_for_reading(from, "Can't copy", in); !st.ok()) return st;
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(in.get(), &info)) return last_error("Can't copy", from);
        if (is_dir(info.dwFileAttributes)) return failed("Can't copy", from, "it is a folder");

        const std::string temp = temp_name_beside(to);
        const std::wstring wtemp = native(temp);
        FileDigest copied;
        FsStatus st = FsStatus::success();
        {
            // Written through to the disk: the original may be deleted once the call returns.
            KernelHandle out(::CreateFileW(wtemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH,
                                           nullptr));
            if (!out.valid()) return last_error("Can't copy to", to);
            std::string buf(1u << 20, '\0');
            for (;;) {
                DWORD got = 0;
                if (!::ReadFile(in.get(), buf.data(), static_cast<DWORD>(buf.size()), &got,
                                nullptr)) {
                    st = last_error("Can't copy", from);
                    break;
                }
                if (got == 0) break;
                const std::string_view chunk(buf.data(), got);
                copied.add(chunk);
                st = write_all(out.get(), chunk, "Can't copy to", to);
                if (!st.ok()) break;
            }
            if (check) check->copied = copied;
            if (st.ok() && check && check->expected && *check->expected != copied)
                st = {FsError::changed,
                      "Can't copy " + from + ": its bytes are not the ones expected"};
            // The copy keeps the source's time and attributes, as CopyFile keeps them.
            if (st.ok())
                ::SetFileTime(out.get(), &info.ftCreationTime, &info.ftLastAccessTime,
                              &info.ftLastWriteTime);
        }
        const DWORD attrs = settable(info.dwFileAttributes);
        if (st.ok() && (attrs & ~FILE_ATTRIBUTE_ARCHIVE) != FILE_ATTRIBUTE_NORMAL &&
            !::SetFileAttributesW(wtemp.c_str(), attrs))
            st = last_error("Can't copy to", to);
        if (st.ok()) st = rename_new(wtemp, to, "Can't copy to");
        if (!st.ok()) remove_temporary(wtemp);
        return st;
    }

    FsStatus digest_file(const std::string& path, FileDigest& out) override {
        out = FileDigest{};
        const char* what = "Can't read";
        KernelHandle h;
        if (FsStatus st = open_for_reading(path, what, h); !st.ok()) return st;
        std::string buf(1u << 20, '\0');
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(h.get(), buf.data(), static_cast<DWORD>(buf.size()), &got, nullptr))
                return last_error(what, path);
            if (got == 0) return FsStatus::success();
            out.add(std::string_view(buf.data(), got));
        }
    }

    FsStatus delete_file(const std::string& path) override {
        const char* what = "Can't delete";
        if (has_wildcard(path::last_part(path))) return not_found(what, path);
        DWORD err = ERROR_SUCCESS;
        const DWORD a = raw_attributes(path, err);
        if (a == INVALID_FILE_ATTRIBUTES) return from_error(what, path, err);
        if (is_dir(a)) return failed(what, path, "it is a folder");
        if (is_read_only(a)) return failed(what, path, "the file is read-only");
        if (!::DeleteFileW(native(path).c_str())) return last_error(what, path);
        return FsStatus::success();
    }

    FsStatus replace_file(const std::string& path, std::string_view bytes) override {
        const char* what = "Can't replace";
        DWORD existing = INVALID_FILE_ATTRIBUTES;
        FsStatus st = writable_target(path, what, existing);
        if (!st.ok()) return st;
        // Renaming over a file takes the new name's spelling: keep the one on disk.
        const std::string target = spelled_on_disk(path);
        const std::string temp = temp_name_beside(target);
        const std::wstring wtemp = native(temp);
        {
            KernelHandle h(::CreateFileW(wtemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!h.valid()) return last_error(what, path);
            st = write_all(h.get(), bytes, what, path);
            // The old text is gone once the rename is done: the new one must be on the disk.
            if (st.ok() && !::FlushFileBuffers(h.get())) st = last_error(what, path);
        }
        if (st.ok() && existing != INVALID_FILE_ATTRIBUTES &&
            (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 &&
            !::SetFileAttributesW(wtemp.c_str(), settable(existing)))
            st = last_error(what, path);
        if (st.ok() && !::MoveFileExW(wtemp.c_str(), native(target).c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            st = last_error(what, path);
        if (!st.ok()) ::DeleteFileW(wtemp.c_str());
        return st;
    }

    FsStatus write_new_file(const std::string& path, std::string_view bytes) override {
        const char* what = "Can't write";
        FsStatus st = new_target(path, what);
        if (!st.ok()) return st;
        const std::wstring wtemp = native(temp_name_beside(path));
        {
            KernelHandle h(::CreateFileW(wtemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!h.valid()) return last_error(what, path);
            st = write_all(h.get(), bytes, what, path);
            if (st.ok() && !::FlushFileBuffers(h.get())) st = last_error(what, path);
        }
        if (st.ok()) st = rename_new(wtemp, path, what);
        if (!st.ok()) remove_temporary(wtemp);
        return st;
    }

    FsStatus append_file(const std::string& path, std::string_view bytes) override {
        const char* what = "Can't write";
        if (has_wildcard(path::last_part(path))) return not_found(what, path);
        KernelHandle h(::CreateFileW(native(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.valid()) return last_error(what, path);
        return write_all(h.get(), bytes, what, path);
    }

    FsStatus read_file(const std::string& path, std::string& bytes) override {
        bytes.clear();
        const char* what = "Can't read";
        // The load reads each aircraft.cfg and panel.cfg of a collection: opened at once.
        KernelHandle h;
        if (FsStatus st = open_for_reading(path, what, h); !st.ok()) return st;
        // Configuration files fit the first read, which comes back short at the end of the file.
        // Only a file that fills it is asked its size, so that one too large is never read.
        constexpr std::size_t kFirstRead = 1u << 16;
        bytes.resize(kFirstRead);
        DWORD got = 0;
        if (!::ReadFile(h.get(), bytes.data(), static_cast<DWORD>(kFirstRead), &got, nullptr)) {
            bytes.clear();
            return last_error(what, path);
        }
        std::size_t have = got;
        if (have == kFirstRead) {
            LARGE_INTEGER size{};
            if (!::GetFileSizeEx(h.get(), &size)) {
                bytes.clear();
                return last_error(what, path);
            }
            if (static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes) {
                bytes.clear();
                return failed(what, path, "the file is larger than 64 MB");
            }
            // One byte more than the size, so that the end is seen in the same call.
            bytes.resize(std::max(static_cast<std::size_t>(size.QuadPart), have) + 1);
            for (;;) {
                if (have == bytes.size()) {
                    if (have > kMaxReadBytes) {
                        bytes.clear();
                        return failed(what, path, "the file grew");
                    }
                    bytes.resize(std::min(have * 2, kMaxReadBytes + 1));
                }
                const DWORD want = static_cast<DWORD>(bytes.size() - have);
                if (!::ReadFile(h.get(), bytes.data() + have, want, &got, nullptr)) {
                    bytes.clear();
                    return last_error(what, path);
                }
                if (got == 0) break;
                have += got;
            }
            if (have > kMaxReadBytes) {
                bytes.clear();
                return failed(what, path, "the file grew");
            }
        }
        bytes.resize(have);
        return FsStatus::success();
    }

    // Copies are written through to the disk, so they are on it already.
    FsStatus flush_folder(const std::string&) override { return FsStatus::success(); }

    FsStatus real_path(const std::string& path, std::string& out) override {
        const char* what = "Can't resolve";
        KernelHandle h(open_for_query(native(path)));
        if (!h.valid()) return last_error(what, path);
        // The longest path there is: Wine answers a short buffer with an error, not a length.
        std::wstring buf(32768, L'\0');
        const DWORD n = ::GetFinalPathNameByHandleW(
            h.get(), buf.data(), static_cast<DWORD>(buf.size()), FILE_NAME_NORMALIZED);
        if (n == 0 || n >= buf.size()) return last_error(what, path);
        buf.resize(n);
        if (buf.rfind(L"\\\\?\\UNC\\", 0) == 0)
            buf = L"\\\\" + buf.substr(8);
        else if (buf.rfind(L"\\\\?\\", 0) == 0)
            buf = buf.substr(4);
        out = narrow(buf.c_str());
        return FsStatus::success();
    }

    FsStatus current_directory(std::string& out) override {
        const DWORD n = ::GetCurrentDirectoryW(0, nullptr);
        std::wstring buf(n, L'\0');
        const DWORD got = n == 0 ? 0 : ::GetCurrentDirectoryW(n, buf.data());
        if (got == 0 || got >= n) return last_error("Can't read", "the current folder");
        buf.resize(got);
        out = narrow(buf.c_str());
        return FsStatus::success();
    }

    FsStatus lock_file(const std::string& path, std::unique_ptr<FileLock>& out) override {
        const char* what = "Can't lock";
        // A link in the lock's place is opened as itself, never followed, and refused.
        KernelHandle h(::CreateFileW(
            native(path).c_str(), GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!h.valid()) return last_error(what, path);
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(h.get(), &info)) return last_error(what, path);
        if (is_link(info.dwFileAttributes) || is_dir(info.dwFileAttributes))
            return failed(what, path, "it is a link or a folder, which is never used as the lock");
        // Wine passes a byte-range lock on to Linux as a record lock, which the Linux tool sees.
        OVERLAPPED at{};
        if (!::LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                          &at)) {
            const DWORD err = ::GetLastError();
            if (err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING)
                return failed(what, path, "another program holds it");
            return from_error(what, path, err);
        }
        out = std::make_unique<Win32Lock>(std::move(h));
        return FsStatus::success();
    }
};

}  // namespace

std::unique_ptr<FileSystem> make_native_file_system() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace qv
