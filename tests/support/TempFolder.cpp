#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ListingOrder.h"
#include "platform/Text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#endif

namespace qv::test {
namespace {

struct RawEntry {
    std::string name;  // single-byte
    bool directory = false;
    bool link = false;
};

// Every entry of a folder, whatever its attributes: the backends' listings leave hidden folders
// and system files out, and the fixture must still see and clean them up.
#ifdef _WIN32

std::wstring wide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), n);
    w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return w;
}

std::string narrow(const wchar_t* w) {
    const int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
    s.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return s;
}

std::vector<RawEntry> raw_entries(const std::string& dir) {
    std::vector<RawEntry> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((wide(dir) + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0) continue;
        out.push_back({narrow(fd.cFileName), (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
}

void remove_raw(const std::string& path, bool directory) {
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (directory)
        RemoveDirectoryW(wide(path).c_str());
    else
        DeleteFileW(wide(path).c_str());
}

std::string make_unique_folder() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    for (unsigned i = 0;; ++i) {
        std::wstring candidate = std::wstring(base) + L"qvtest-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(i);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) return narrow(candidate.c_str());
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

#else

std::string native(const std::string& path) {
    std::string n = cp1252_to_utf8(path);
    for (char& c : n)
        if (c == '\\') c = '/';
    return n;
}

std::vector<RawEntry> raw_entries(const std::string& dir) {
    std::vector<RawEntry> out;
    DIR* d = ::opendir(native(dir).c_str());
    if (!d) return out;
    while (const dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        struct stat st {};
        const std::string p = native(dir) + "/" + e->d_name;
        if (::lstat(p.c_str(), &st) != 0) continue;
        out.push_back({utf8_to_cp1252(e->d_name), S_ISDIR(st.st_mode), S_ISLNK(st.st_mode)});
    }
    ::closedir(d);
    return out;
}

void remove_raw(const std::string& path, bool directory) {
    const std::string p = native(path);
    if (directory) {
        ::chmod(p.c_str(), 0755);
        ::rmdir(p.c_str());
    } else {
        ::unlink(p.c_str());
    }
}

std::string make_unique_folder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/qvtest-XXXXXX";
    if (!::mkdtemp(templ.data())) return {};
    return utf8_to_cp1252(templ);
}

#endif

void remove_below(const std::string& dir) {
    for (const auto& e : raw_entries(dir)) {
        const std::string p = dir + "\\" + e.name;
        if (e.directory && !e.link) {
#ifndef _WIN32
            ::chmod(native(p).c_str(), 0755);
#endif
            remove_below(p);
        }
        remove_raw(p, e.directory && !e.link);
    }
}

}  // namespace

TempFolder::TempFolder() : fs_(make_native_file_system()), path_(make_unique_folder()) {
    if (path_.empty()) ADD_FAILURE() << "can't create a temporary folder";
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    remove_below(path_);
    remove_raw(path_, true);
}

std::string TempFolder::at(std::string_view rel) const {
    std::string out = path_;
    std::string part;
    for (std::size_t i = 0; i <= rel.size(); ++i) {
        if (i == rel.size() || is_separator(rel[i])) {
            if (!part.empty()) out += "\\" + part;
            part.clear();
        } else {
            part += rel[i];
        }
    }
    return out;
}

void TempFolder::write(std::string_view rel, std::string_view bytes) {
    const std::string p = at(rel);
    const std::size_t cut = p.find_last_of('\\');
    if (cut != std::string::npos && cut > path_.size())
        mkdir(p.substr(path_.size() + 1, cut - path_.size() - 1));
    const FsStatus st = fs_->write_file(p, bytes);
    ASSERT_TRUE(st.ok()) << st.message;
}

void TempFolder::mkdir(std::string_view rel) {
    const FsStatus st = fs_->create_folders(at(rel));
    ASSERT_TRUE(st.ok()) << st.message;
}

void TempFolder::hide(std::string_view rel) {
    Attributes a;
    ASSERT_TRUE(fs_->attributes(at(rel), a).ok());
    a.hidden = true;
    const FsStatus st = fs_->set_attributes(at(rel), a);
    ASSERT_TRUE(st.ok()) << st.message;
}

void TempFolder::make_system(std::string_view rel) {
    Attributes a;
    ASSERT_TRUE(fs_->attributes(at(rel), a).ok());
    a.hidden = true;
    a.system = true;
    const FsStatus st = fs_->set_attributes(at(rel), a);
    ASSERT_TRUE(st.ok()) << st.message;
}

void TempFolder::make_read_only(std::string_view rel) {
    Attributes a;
    ASSERT_TRUE(fs_->attributes(at(rel), a).ok());
    a.read_only = true;
    const FsStatus st = fs_->set_attributes(at(rel), a);
    ASSERT_TRUE(st.ok()) << st.message;
}

bool TempFolder::exists(std::string_view rel) {
    Attributes a;
    return fs_->attributes(at(rel), a).ok();
}

std::string TempFolder::read(std::string_view rel) {
    std::string bytes;
    if (!fs_->read_file(at(rel), bytes).ok()) return {};
    return bytes;
}

std::vector<std::string> TempFolder::tree() {
    std::vector<std::string> out;
    collect("", out);
    return out;
}

void TempFolder::collect(const std::string& rel, std::vector<std::string>& out) {
    auto entries = raw_entries(rel.empty() ? path_ : path_ + "\\" + rel);
    std::sort(entries.begin(), entries.end(),
              [](const RawEntry& a, const RawEntry& b) { return listing_less(a.name, b.name); });
    for (const auto& e : entries) {
        const std::string r = rel.empty() ? e.name : rel + "\\" + e.name;
        if (e.directory && !e.link) {
            out.push_back(r + "\\");
            collect(r, out);
        } else {
            out.push_back(r);
        }
    }
}

}  // namespace qv::test
