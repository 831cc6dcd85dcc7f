// The Linux backend: a Linux disk as Wine shows it to a Windows program.
//
// - "\" and "/" both separate components; each component is looked up by its exact name first,
//   otherwise as the first entry (in listing order) whose name matches without regard to case.
//   Trailing dots and spaces of the last component are dropped, as Wine drops them.
// - Names on disk are UTF-8, the core's are Windows-1252. A name with no single-byte form comes
//   back with "?" in it and never matches anything, so operations on it fail like a missing file.
// - hidden: a name starting with "." or bit 0x2 of the `user.DOSATTRIB` attribute; system: its
//   bit 0x4 (Wine stores the attribute as text such as "0x6"). Read-only: no write bit at all.
// - A link whose target is gone is left out of listings, as Wine leaves it out.
// - Locks are open file description locks: they conflict with the record locks Wine takes for a
//   Windows program's LockFileEx, and go with the process however it ends.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/ListingOrder.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

constexpr const char* kDosAttrib = "user.DOSATTRIB";
constexpr unsigned kHiddenBit = 0x2;
constexpr unsigned kSystemBit = 0x4;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

  private:
    int fd_;
};

class Dir {
  public:
    explicit Dir(const std::string& path) : dir_(::opendir(path.c_str())) {}
    ~Dir() {
        if (dir_) ::closedir(dir_);
    }
    Dir(const Dir&) = delete;
    Dir& operator=(const Dir&) = delete;
    DIR* get() const { return dir_; }

  private:
    DIR* dir_;
};

FsStatus fail(FsError kind, const std::string& what, const std::string& path, int err) {
    return {kind, what + " " + path + ": " + utf8_to_cp1252(std::strerror(err))};
}

bool is_missing(int err) {
    return err == ENOENT || err == ENOTDIR;
}

FsStatus from_errno(const std::string& what, const std::string& path, int err) {
    if (err == EEXIST) return fail(FsError::exists, what, path, err);
    return fail(is_missing(err) ? FsError::not_found : FsError::failed, what, path, err);
}

FsStatus failed(const std::string& what, const std::string& path, const std::string& reason) {
    return {FsError::failed, what + " " + path + ": " + reason};
}

FsStatus not_found(const std::string& what, const std::string& path) {
    return {FsError::not_found, what + " " + path + ": no such file or folder"};
}

// The core path split into its components, with "." and ".." applied to the text the way
// Windows applies them, before anything touches the disk.
struct SplitPath {
    bool absolute = false;
    std::vector<std::string> parts;
};

SplitPath split(const std::string& path) {
    SplitPath out;
    out.absolute = !path.empty() && path::is_separator(path[0]);
    for (std::string_view part : path::parts(path)) {
        if (part == "..") {
            if (!out.parts.empty()) out.parts.pop_back();
        } else if (part != ".") {
            out.parts.emplace_back(part);
        }
    }
    // Wine drops the trailing dots and spaces of a path's last component ("Blue." is "Blue").
    if (!out.parts.empty()) {
        std::string& last = out.parts.back();
        const std::size_t keep = last.find_last_not_of(". ");
        if (keep != std::string::npos) last.resize(keep + 1);
    }
    return out;
}

struct DirEntryInfo {
    std::string name;      // single-byte name as shown to the core
    std::string native;    // the name on disk
    bool lossless = true;  // the name has a single-byte form
    unsigned char type = DT_UNKNOWN;
};

// Reads every entry of a native folder. Returns false with errno set when the folder can't be read.
bool read_native_dir(const std::string& native_dir, std::vector<DirEntryInfo>& out) {
    out.clear();
    Dir dir(native_dir.empty() ? "/" : native_dir);
    if (!dir.get()) return false;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(dir.get());
        if (!e) {
            if (errno != 0) return false;
            break;
        }
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        DirEntryInfo info;
        info.native = e->d_name;
        info.name = utf8_to_cp1252(info.native, &info.lossless);
        info.type = e->d_type;
        out.push_back(std::move(info));
    }
    return true;
}

std::string native_join(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir == "/") return "/" + name;
    return dir + "/" + name;
}

// Finds the entry of `native_dir` that the core name `name` stands for: the exact name first,
// otherwise the first case-insensitive match in listing order.
std::optional<std::string> lookup(const std::string& native_dir, const std::string& name) {
    const std::string native = cp1252_to_utf8(name);
    struct stat st {};
    if (::lstat(native_join(native_dir, native).c_str(), &st) == 0) return native;
    std::vector<DirEntryInfo> entries;
    if (!read_native_dir(native_dir, entries)) return std::nullopt;
    const DirEntryInfo* best = nullptr;
    for (const auto& e : entries) {
        if (!e.lossless || !iequals(e.name, name)) continue;
        if (better_match(e.name, best ? std::string_view(best->name) : std::string_view(), name))
            best = &e;
    }
    if (!best) return std::nullopt;
    return best->native;
}

std::string cwd_native() {
    std::string buf(4096, '\0');
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE) return "/";
        buf.resize(buf.size() * 2);
    }
    buf.resize(std::strlen(buf.c_str()));
    return buf;
}

// A core path resolved to the native path of an existing entry. With `all_but_last`, the last
// component is not looked up (it is returned in `last` as given), for making a new entry.
struct Resolved {
    bool ok = false;
    std::string native;  // the resolved native path (of the parent with all_but_last)
    std::string last;    // the last core component (with all_but_last)
};

// The native path that spells every component of `path` exactly as given ("." and ".." applied).
std::string exact_native(const SplitPath& sp, std::size_t count) {
    std::string exact = sp.absolute ? std::string("/") : cwd_native();
    if (exact.size() > 1 && exact.back() == '/') exact.pop_back();
    for (std::size_t i = 0; i < count; ++i) {
        if (exact.size() > 1) exact += '/';
        exact += cp1252_to_utf8(sp.parts[i]);
    }
    return exact;
}

// The native path that spells `path` exactly as given: most paths the program uses came from
// listings, so an operation tries this spelling first and resolves the path only when nothing is
// there (saving a query a folder or file in the load).
std::string exact_path(const std::string& path) {
    const SplitPath sp = split(path);
    return exact_native(sp, sp.parts.size());
}

Resolved resolve(const std::string& path, bool all_but_last = false) {
    Resolved r;
    SplitPath sp = split(path);
    std::size_t count = sp.parts.size();
    if (all_but_last) {
        if (count == 0) return r;
        r.last = sp.parts.back();
        --count;
    }
    // Most paths the program uses came from listings and are spelled exactly.
    std::string exact = exact_native(sp, count);
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0) {
        r.ok = true;
        r.native = std::move(exact);
        return r;
    }
    std::string current = exact_native(sp, 0);
    for (std::size_t i = 0; i < count; ++i) {
        auto found = lookup(current, sp.parts[i]);
        if (!found) return r;
        current = native_join(current, *found);
    }
    r.ok = true;
    r.native = current;
    return r;
}

unsigned dos_bits(const std::string& native) {
    char buf[64];
    const ssize_t n = ::getxattr(native.c_str(), kDosAttrib, buf, sizeof buf - 1);
    if (n <= 0) return 0;
    buf[n] = '\0';
    // Wine writes the value as text ("0x6") and reads only the hidden and system bits.
    return static_cast<unsigned>(std::strtoul(buf, nullptr, 0));
}

std::string dos_bits_text(unsigned bits) {
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "0x%x", bits);
    return std::string(buf, static_cast<std::size_t>(n));
}

bool write_dos_bits(const std::string& native, unsigned bits) {
    if (bits == 0) {
        if (::removexattr(native.c_str(), kDosAttrib) == 0) return true;
        return errno == ENODATA;
    }
    const std::string text = dos_bits_text(bits);
    return ::setxattr(native.c_str(), kDosAttrib, text.data(), text.size(), 0) == 0;
}

// What the program needs to know of an existing native path.
struct NativeInfo {
    Attributes attrs;
    bool regular = false;  // a regular file (a device, pipe or socket is neither file nor folder)
    std::uint64_t size = 0;
};

// Information on an existing native path; false when it does not exist (a dangling link too).
bool read_info(const std::string& native, const std::string& name, NativeInfo& info) {
    struct stat lst {};
    if (::lstat(native.c_str(), &lst) != 0) return false;
    struct stat st = lst;
    Attributes& a = info.attrs;
    a.link = S_ISLNK(lst.st_mode);
    if (a.link && ::stat(native.c_str(), &st) != 0) return false;
    a.directory = S_ISDIR(st.st_mode);
    info.regular = S_ISREG(st.st_mode);
    info.size = info.regular ? static_cast<std::uint64_t>(st.st_size) : 0;
    a.read_only = (st.st_mode & kWriteBits) == 0;
    const unsigned bits = dos_bits(native);
    a.hidden = (!name.empty() && name[0] == '.') || (bits & kHiddenBit) != 0;
    a.system = (bits & kSystemBit) != 0;
    return true;
}

bool passes(const Attributes& a, ListFilter filter) {
    if (filter == ListFilter::everything) return true;
    if (a.system) return false;
    switch (filter) {
        case ListFilter::normal_files:
            return !a.directory && !a.hidden;
        case ListFilter::normal_and_hidden_files:
            return !a.directory;
        case ListFilter::entries_and_directories:
            return !a.hidden;
        case ListFilter::everything:
            return true;
    }
    return false;
}

// The mode open(2) would give a new file under the process's umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool is_wildcard_all(const std::string& s) {
    return s == "*.*" || s == "*";
}

FsStatus write_all(int fd, std::string_view bytes, const std::string& path,
                   const std::string& what) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return from_errno(what, path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return FsStatus::success();
}

// Opens an existing regular file for reading without waiting on it: a pipe opened for reading
// would block until a writer came.
FsStatus open_regular(const std::string& native, const std::string& path, int& fd_out,
                      struct stat& st) {
    fd_out = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_out < 0) return from_errno("Can't read", path, errno);
    if (::fstat(fd_out, &st) != 0) return from_errno("Can't read", path, errno);
    if (S_ISDIR(st.st_mode)) return failed("Can't read", path, "it is a folder");
    if (!S_ISREG(st.st_mode)) return failed("Can't read", path, "it is not a regular file");
    return FsStatus::success();
}

// Opens the regular file `path` for reading: at its spelling as given first (most paths come
// from listings), resolved without regard to case only when nothing is there.
FsStatus open_for_reading(const std::string& path, int& fd_out, struct stat& st) {
    FsStatus status = open_regular(exact_path(path), path, fd_out, st);
    if (fd_out < 0 && status.not_found()) {
        Resolved r = resolve(path);
        if (!r.ok) return not_found("Can't read", path);
        status = open_regular(r.native, path, fd_out, st);
    }
    return status;
}

class PosixLock final : public FileLock {
  public:
    explicit PosixLock(int fd) : fd_(fd) {}

  private:
    Fd fd_;
};

class PosixFileSystem final : public FileSystem {
  public:
    FsStatus list(const std::string& pattern, ListFilter filter,
                  std::vector<std::string>& names) override {
        names.clear();
        Resolved parent = resolve(pattern, true);
        if (!parent.ok) return FsStatus::success();  // no such folder: an empty listing
        struct stat st {};
        if (::stat(parent.native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return FsStatus::success();
        if (is_wildcard_all(parent.last)) {
            std::vector<DirEntryInfo> entries;
            if (!read_native_dir(parent.native, entries))
                return from_errno("Can't list the folder", std::string(path::parent(pattern)),
                                  errno);
            for (auto& e : entries) {
                NativeInfo info;
                if (!read_info(native_join(parent.native, e.native), e.name, info)) continue;
                if (passes(info.attrs, filter)) names.push_back(std::move(e.name));
            }
            sort_listing(names);
            return FsStatus::success();
        }
        auto found = lookup(parent.native, parent.last);
        if (!found) return FsStatus::success();
        bool lossless = true;
        std::string name = utf8_to_cp1252(*found, &lossless);
        NativeInfo info;
        if (lossless && read_info(native_join(parent.native, *found), name, info) &&
            passes(info.attrs, filter))
            names.push_back(std::move(name));
        return FsStatus::success();
    }

    FsStatus list_entries(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        Resolved r = resolve(folder);
        if (!r.ok) return not_found("Can't list the folder", folder);
        std::vector<DirEntryInfo> entries;
        if (!read_native_dir(r.native, entries))
            return from_errno("Can't list the folder", folder, errno);
        for (auto& e : entries) {
            NativeInfo info;
            if (!read_info(native_join(r.native, e.native), e.name, info)) continue;
            out.push_back({std::move(e.name), info.attrs, info.size});
        }
        std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
            return listing_less(a.name, b.name);
        });
        return FsStatus::success();
    }

    // The entry type from the listing tells folders and links apart; only files (and entries
    // of unknown type) cost a query, for their size, made relative to the open folder so that
    // the path is not walked again. No DOS attributes are read.
    FsStatus list_sizes(const std::string& folder, std::vector<DirEntry>& out) override {
        out.clear();
        std::string native = exact_path(folder);
        auto dir = std::make_unique<Dir>(native);
        if (!dir->get()) {
            if (!is_missing(errno)) return from_errno("Can't list the folder", folder, errno);
            Resolved r = resolve(folder);
            if (!r.ok) return not_found("Can't list the folder", folder);
            dir = std::make_unique<Dir>(r.native);
            if (!dir->get()) return from_errno("Can't list the folder", folder, errno);
        }
        const int fd = ::dirfd(dir->get());
        for (;;) {
            errno = 0;
            const dirent* e = ::readdir(dir->get());
            if (!e) {
                if (errno != 0) return from_errno("Can't list the folder", folder, errno);
                break;
            }
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
            DirEntry entry{utf8_to_cp1252(e->d_name), {}, 0};
            if (e->d_type == DT_DIR) {
                entry.attrs.directory = true;
            } else if (e->d_type == DT_LNK) {
                entry.attrs.link = true;
            } else {
                struct stat st {};
                if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
                entry.attrs.link = S_ISLNK(st.st_mode);
                entry.attrs.directory = S_ISDIR(st.st_mode);
                if (S_ISREG(st.st_mode)) entry.size = static_cast<std::uint64_t>(st.st_size);
            }
            out.push_back(std::move(entry));
        }
        return FsStatus::success();
    }

    FsStatus scan_folder(const std::string& folder, std::span<const std::string> wanted,
                         FolderScan& out) override {
        out.subfolders.clear();
        out.unreachable.clear();
        out.suffixed.clear();
        out.matches.assign(wanted.size(), std::string());
        // This listing brings no sizes: counting them would cost a query per file in every
        // load, so the count is left to whoever measures the folder.
        out.files = out.bytes = 0;
        out.size_partial = out.sized;
        std::vector<DirEntryInfo> entries;
        std::string dir = exact_path(folder);
        if (!read_native_dir(dir, entries)) {
            if (!is_missing(errno)) return from_errno("Can't list the folder", folder, errno);
            Resolved r = resolve(folder);
            if (!r.ok) return not_found("Can't list the folder", folder);
            dir = std::move(r.native);
            if (!read_native_dir(dir, entries))
                return from_errno("Can't list the folder", folder, errno);
        }
        std::vector<std::size_t> match_index(wanted.size(), SIZE_MAX);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto& e = entries[i];
            if (!e.lossless) {
                out.unreachable.push_back(e.name);
                continue;
            }
            // The entry type from the listing settles most entries without a query of their own;
            // only folders, links and unknown types need their attributes read.
            const unsigned char t = e.type;
            if (t != DT_REG && t != DT_DIR && t != DT_LNK && t != DT_UNKNOWN) continue;
            if (t != DT_REG) {
                NativeInfo info;
                if (!read_info(native_join(dir, e.native), e.name, info)) continue;
                if (info.attrs.directory) {
                    if (!info.attrs.hidden && !info.attrs.system)
                        out.subfolders.push_back({e.name, info.attrs.link});
                    continue;
                }
                if (!info.regular) continue;
            }
            for (std::size_t w = 0; w < wanted.size(); ++w) {
                if (is_suffix_pattern(wanted[w])) {
                    if (e.name[0] != '.' && matches_suffix(e.name, wanted[w]))
                        out.suffixed.push_back(e.name);
                    continue;
                }
                if (!iequals(e.name, wanted[w])) continue;
                const std::size_t cur = match_index[w];
                if (better_match(e.name, cur == SIZE_MAX ? std::string_view() : entries[cur].name,
                                 wanted[w])) {
                    NativeInfo info;
                    if (read_info(native_join(dir, e.native), e.name, info) && info.regular &&
                        !info.attrs.hidden && !info.attrs.system)
                        match_index[w] = i;
                }
            }
        }
        for (std::size_t w = 0; w < wanted.size(); ++w)
            if (match_index[w] != SIZE_MAX) out.matches[w] = entries[match_index[w]].name;
        std::sort(out.subfolders.begin(), out.subfolders.end(),
                  [](const ScannedFolder& a, const ScannedFolder& b) {
                      return listing_less(a.name, b.name);
                  });
        sort_listing(out.suffixed);
        return FsStatus::success();
    }

    FsStatus attributes(const std::string& path, Attributes& out) override {
        out = Attributes{};
        Resolved r = resolve(path);
        NativeInfo info;
        if (!r.ok || !read_info(r.native, std::string(path::last_part(path)), info))
            return not_found("Can't read the attributes of", path);
        out = info.attrs;
        return FsStatus::success();
    }

    FsStatus set_attributes(const std::string& path, const Attributes& attrs) override {
        const char* what = "Can't set the attributes of";
        Resolved r = resolve(path);
        if (!r.ok) return not_found(what, path);
        struct stat st {};
        if (::stat(r.native.c_str(), &st) != 0) return from_errno(what, path, errno);
        // The write bit first: a file without it can't take an extended attribute.
        if (!attrs.read_only && ::chmod(r.native.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0)
            return from_errno(what, path, errno);
        unsigned bits = dos_bits(r.native) & ~(kHiddenBit | kSystemBit);
        if (attrs.hidden) bits |= kHiddenBit;
        if (attrs.system) bits |= kSystemBit;
        if (!write_dos_bits(r.native, bits)) return from_errno(what, path, errno);
        if (attrs.read_only &&
            ::chmod(r.native.c_str(), st.st_mode & 07777 & static_cast<mode_t>(~kWriteBits)) != 0)
            return from_errno(what, path, errno);
        return FsStatus::success();
    }

    FsStatus create_folder(const std::string& path) override {
        Resolved parent = resolve(path, true);
        if (!parent.ok) return not_found("Can't create the folder", path);
        if (auto existing = lookup(parent.native, parent.last))
            return {FsError::exists,
                    "Can't create the folder " + path + ": something of that name exists"};
        const std::string native = native_join(parent.native, cp1252_to_utf8(parent.last));
        if (::mkdir(native.c_str(), 0777) != 0)
            return from_errno("Can't create the folder", path, errno);
        return FsStatus::success();
    }

    FsStatus remove_folder(const std::string& path) override {
        Resolved r = resolve(path);
        if (!r.ok) return not_found("Can't remove the folder", path);
        struct stat st {};
        if (::lstat(r.native.c_str(), &st) != 0)
            return from_errno("Can't remove the folder", path, errno);
        if (!S_ISDIR(st.st_mode)) return failed("Can't remove the folder", path, "not a folder");
        if (::rmdir(r.native.c_str()) != 0)
            return from_errno("Can't remove the folder", path, errno);
        return FsStatus::success();
    }

    FsStatus copy_file(const std::string& from, const std::string& to, CopyCheck* check) override {
        Resolved src = resolve(from);
        if (!src.ok) return not_found("Can't copy", from);
        int raw_in = -1;
        struct stat sst {};
        FsStatus st = open_regular(src.native, from, raw_in, sst);
        Fd in(raw_in);
        if (!st.ok()) return st;
        std::string target;
        st = new_target(to, "Can't copy to", target);
        if (!st.ok()) return st;
        std::string tmp;
        Fd out(make_temporary(target, tmp));
        if (!out.valid()) return from_errno("Can't copy to", to, errno);
        FileDigest copied;
        st = copy_bytes(in.get(), out.get(), from, to, copied);
        if (check) check->copied = copied;
        if (st.ok() && check && check->expected && *check->expected != copied)
            st = {FsError::changed, "Can't copy " + from + ": its bytes are not the ones expected"};
        // A copy keeps the source's attributes and time, as CopyFile keeps them; the extended
        // attribute goes on before the mode, which may take away the write permission it needs.
        const unsigned bits = dos_bits(src.native);
        if (st.ok() && bits != 0) {
            const std::string text = dos_bits_text(bits);
            if (::fsetxattr(out.get(), kDosAttrib, text.data(), text.size(), 0) != 0)
                st = from_errno("Can't copy the attributes to", to, errno);
        }
        if (st.ok()) {
            const struct timespec times[2] = {sst.st_atim, sst.st_mtim};
            ::futimens(out.get(), times);
        }
        if (st.ok() && ::fchmod(out.get(), sst.st_mode & 07777) != 0)
            st = from_errno("Can't copy to", to, errno);
        if (st.ok()) st = rename_new(tmp, target, to, "Can't copy to");
        if (!st.ok()) ::unlink(tmp.c_str());
        return st;
    }

    FsStatus digest_file(const std::string& path, FileDigest& out) override {
        out = FileDigest{};
        int raw = -1;
        struct stat st {};
        const FsStatus status = open_for_reading(path, raw, st);
        Fd fd(raw);
        if (!status.ok()) return status;
        std::string buf(1 << 16, '\0');
        for (;;) {
            const ssize_t n = ::read(fd.get(), buf.data(), buf.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return from_errno("Can't read", path, errno);
            }
            if (n == 0) return FsStatus::success();
            out.add(std::string_view(buf.data(), static_cast<std::size_t>(n)));
        }
    }

    FsStatus delete_file(const std::string& path) override {
        Resolved r = resolve(path);
        if (!r.ok) return not_found("Can't delete", path);
        struct stat lst {};
        if (::lstat(r.native.c_str(), &lst) != 0) return from_errno("Can't delete", path, errno);
        if (S_ISDIR(lst.st_mode)) return failed("Can't delete", path, "it is a folder");
        if (!S_ISLNK(lst.st_mode) && (lst.st_mode & kWriteBits) == 0)
            return failed("Can't delete", path, "the file is read-only");
        if (::unlink(r.native.c_str()) != 0) return from_errno("Can't delete", path, errno);
        return FsStatus::success();
    }

    FsStatus replace_file(const std::string& path, std::string_view bytes) override {
        std::string target;
        FsStatus st = writable_target(path, "Can't replace", target);
        if (!st.ok()) return st;
        struct stat tst {};
        const bool existed = ::stat(target.c_str(), &tst) == 0;
        const mode_t mode = existed ? (tst.st_mode & 07777) : new_file_mode();
        const unsigned bits = existed ? dos_bits(target) : 0;
        std::string tmp;
        Fd fd(make_temporary(target, tmp));
        if (!fd.valid()) return from_errno("Can't replace", path, errno);
        st = write_all(fd.get(), bytes, path, "Can't replace");
        // The new file takes the old one's hidden and system bits, as a Windows replace keeps them.
        if (st.ok() && bits != 0) {
            const std::string text = dos_bits_text(bits);
            if (::fsetxattr(fd.get(), kDosAttrib, text.data(), text.size(), 0) != 0)
                st = from_errno("Can't keep the attributes of", path, errno);
        }
        // The old text is gone once the rename is done: the new one must be on the disk.
        if (st.ok() && ::fsync(fd.get()) != 0) st = from_errno("Can't replace", path, errno);
        if (st.ok() && ::fchmod(fd.get(), mode) != 0) st = from_errno("Can't replace", path, errno);
        if (st.ok() && ::rename(tmp.c_str(), target.c_str()) != 0)
            st = from_errno("Can't replace", path, errno);
        if (!st.ok()) ::unlink(tmp.c_str());
        return st;
    }

    FsStatus write_new_file(const std::string& path, std::string_view bytes) override {
        std::string target;
        FsStatus st = new_target(path, "Can't write", target);
        if (!st.ok()) return st;
        std::string tmp;
        Fd fd(make_temporary(target, tmp));
        if (!fd.valid()) return from_errno("Can't write", path, errno);
        st = write_all(fd.get(), bytes, path, "Can't write");
        if (st.ok() && ::fsync(fd.get()) != 0) st = from_errno("Can't write", path, errno);
        if (st.ok() && ::fchmod(fd.get(), new_file_mode()) != 0)
            st = from_errno("Can't write", path, errno);
        if (st.ok()) st = rename_new(tmp, target, path, "Can't write");
        if (!st.ok()) {
            ::unlink(tmp.c_str());
            return st;
        }
        sync_folder_of(target);
        return st;
    }

    FsStatus append_file(const std::string& path, std::string_view bytes) override {
        Resolved r = resolve(path);
        if (!r.ok) return not_found("Can't write", path);
        Fd fd(::open(r.native.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
        if (!fd.valid()) return from_errno("Can't write", path, errno);
        return write_all(fd.get(), bytes, path, "Can't write");
    }

    FsStatus read_file(const std::string& path, std::string& bytes) override {
        bytes.clear();
        int raw = -1;
        struct stat st {};
        const FsStatus status = open_for_reading(path, raw, st);
        Fd fd(raw);
        if (!status.ok()) return status;
        if (static_cast<std::uint64_t>(st.st_size) > kMaxReadBytes)
            return failed("Can't read", path, "the file is larger than 64 MB");
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        for (;;) {
            // A file that grows while it is read is read up to the limit, no further.
            if (got == bytes.size()) {
                if (got >= kMaxReadBytes) return failed("Can't read", path, "the file grew");
                bytes.resize(got + 4096);
            }
            const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
            if (n < 0) {
                if (errno == EINTR) continue;
                bytes.clear();
                return from_errno("Can't read", path, errno);
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        return FsStatus::success();
    }

    FsStatus flush_folder(const std::string& folder) override {
        Resolved r = resolve(folder);
        if (!r.ok) return not_found("Can't flush", folder);
        Fd fd(::open(r.native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd.valid()) return from_errno("Can't flush", folder, errno);
        // One call for all the copies on that disk, rather than one per file.
        if (::syncfs(fd.get()) != 0 || ::fsync(fd.get()) != 0)
            return from_errno("Can't flush", folder, errno);
        return FsStatus::success();
    }

    FsStatus real_path(const std::string& path, std::string& out) override {
        Resolved r = resolve(path);
        if (!r.ok) return not_found("Can't resolve", path);
        char buf[PATH_MAX];
        if (::realpath(r.native.c_str(), buf) == nullptr)
            return from_errno("Can't resolve", path, errno);
        out = utf8_to_cp1252(buf);
        return FsStatus::success();
    }

    FsStatus current_directory(std::string& out) override {
        out = utf8_to_cp1252(cwd_native());
        return FsStatus::success();
    }

    FsStatus lock_file(const std::string& path, std::unique_ptr<FileLock>& out) override {
        const char* what = "Can't lock";
        Resolved parent = resolve(path, true);
        if (!parent.ok) return not_found(what, path);
        const std::string native = native_join(parent.native, cp1252_to_utf8(parent.last));
        // A link in the lock's place is never followed: it could lead a write anywhere.
        const int fd =
            ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, new_file_mode());
        if (fd < 0) {
            if (errno == ELOOP) return failed(what, path, "it is a link, which is never followed");
            return from_errno(what, path, errno);
        }
        auto lock = std::make_unique<PosixLock>(fd);
        struct flock range {};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        range.l_start = 0;
        range.l_len = 1;
        if (::fcntl(fd, F_OFD_SETLK, &range) != 0) {
            const int err = errno;
            if (err == EACCES || err == EAGAIN)
                return failed(what, path, "another program holds it");
            return from_errno(what, path, err);
        }
        out = std::move(lock);
        return FsStatus::success();
    }

  private:
    // The native path to write `path` to: the existing entry of that name (any case) or a new
    // name in the existing parent folder. Refuses folders and read-only files.
    static FsStatus writable_target(const std::string& path, const std::string& what,
                                    std::string& target) {
        Resolved parent = resolve(path, true);
        if (!parent.ok) return not_found(what, path);
        struct stat pst {};
        if (::stat(parent.native.c_str(), &pst) != 0 || !S_ISDIR(pst.st_mode))
            return not_found(what, path);
        if (auto existing = lookup(parent.native, parent.last)) {
            target = native_join(parent.native, *existing);
            struct stat st {};
            if (::stat(target.c_str(), &st) == 0) {
                if (S_ISDIR(st.st_mode)) return failed(what, path, "a folder has that name");
                if ((st.st_mode & kWriteBits) == 0)
                    return failed(what, path, "the file is read-only");
            }
            return FsStatus::success();
        }
        target = native_join(parent.native, cp1252_to_utf8(parent.last));
        return FsStatus::success();
    }

    // The native path of a new file `path` in an existing folder. Only the exact spelling is
    // checked: the callers choose names from a listing of the folder, and a search of the whole
    // folder per file would make copying a folder's files quadratic.
    static FsStatus new_target(const std::string& path, const std::string& what,
                               std::string& target) {
        Resolved parent = resolve(path, true);
        if (!parent.ok) return not_found(what, path);
        struct stat st {};
        if (::stat(parent.native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return not_found(what, path);
        target = native_join(parent.native, cp1252_to_utf8(parent.last));
        if (::lstat(target.c_str(), &st) == 0)
            return {FsError::exists, what + std::string(" ") + path + ": it exists already"};
        return FsStatus::success();
    }

    static FsStatus copy_bytes(int in, int out, const std::string& from, const std::string& to,
                               FileDigest& digest) {
        char buf[1 << 16];
        for (;;) {
            const ssize_t n = ::read(in, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                return from_errno("Can't copy", from, errno);
            }
            if (n == 0) return FsStatus::success();
            const std::string_view chunk(buf, static_cast<std::size_t>(n));
            digest.add(chunk);
            const FsStatus st = write_all(out, chunk, to, "Can't copy to");
            if (!st.ok()) return st;
        }
    }

    // A new file beside `target` under a temporary name (kTemporaryMark), open for writing.
    static int make_temporary(const std::string& target, std::string& tmp) {
        tmp = target + std::string(kTemporaryMark) + "XXXXXX";
        return ::mkostemp(tmp.data(), O_CLOEXEC);
    }

    // Renames the whole temporary file into its place, which must still be free: nothing is
    // ever renamed over another file.
    static FsStatus rename_new(const std::string& tmp, const std::string& target,
                               const std::string& path, const std::string& what) {
        if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return FsStatus::success();
        if (errno == EEXIST) return {FsError::exists, what + " " + path + ": it exists already"};
        if (errno != EINVAL && errno != ENOSYS) return from_errno(what, path, errno);
        // A file system without RENAME_NOREPLACE: a hard link refuses a taken name as well.
        if (::link(tmp.c_str(), target.c_str()) != 0) {
            if (errno == EEXIST)
                return {FsError::exists, what + " " + path + ": it exists already"};
            return from_errno(what, path, errno);
        }
        ::unlink(tmp.c_str());
        return FsStatus::success();
    }

    // Puts a new directory entry on the disk with the folder that holds it.
    static void sync_folder_of(const std::string& native) {
        const std::size_t cut = native.find_last_of('/');
        const std::string dir = cut == 0 ? std::string("/") : native.substr(0, cut);
        Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.valid()) ::fsync(fd.get());
    }
};

}  // namespace

std::unique_ptr<FileSystem> make_native_file_system() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace qv
