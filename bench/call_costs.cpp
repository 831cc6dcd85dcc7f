// qv-call-costs: what each Win32 call the load makes costs, per call, on a real tree. Under
// Wine the calls differ by orders of magnitude (some are a wineserver round trip, one asks
// another process), which is what the profile of the load needs to know. Not part of bench/run.
//
//   qv-call-costs AIRCRAFT_FOLDER
//
// Lists the tree once (as qv-floor does) to collect its folders and its aircraft.cfg and
// panel.cfg files, then times each kind of call over all of them and prints microseconds per
// call, one kind a line.

// FileIdInfo is a Windows 8 information class; the rest of the build targets Windows 7.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Win32Handles.h"

namespace {

using bench::FileHandle;
using bench::FindHandle;

struct Tree {
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;  // aircraft.cfg and panel.cfg
    std::vector<std::wstring> names;  // every entry's name, for the name conversions
};

bool list(const std::wstring& folder, WIN32_FIND_DATAW& fd,
          const std::function<void(const WIN32_FIND_DATAW&)>& each) {
    FindHandle find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &fd,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) return false;
    do {
        each(fd);
    } while (::FindNextFileW(find.get(), &fd));
    return true;
}

Tree collect(const std::wstring& root) {
    Tree tree;
    std::vector<std::wstring> pending{root};
    WIN32_FIND_DATAW fd;
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        tree.folders.push_back(folder);
        list(folder, fd, [&](const WIN32_FIND_DATAW& e) {
            const std::wstring name = e.cFileName;
            if (name == L"." || name == L"..") return;
            tree.names.push_back(name);
            if (e.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return;
            if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back(folder + L"\\" + name);
            } else if (::CompareStringOrdinal(name.c_str(), -1, L"aircraft.cfg", -1, TRUE) ==
                           CSTR_EQUAL ||
                       ::CompareStringOrdinal(name.c_str(), -1, L"panel.cfg", -1, TRUE) ==
                           CSTR_EQUAL) {
                tree.files.push_back(folder + L"\\" + name);
            }
        });
    }
    return tree;
}

HANDLE open_for_query(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

HANDLE open_for_read(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

unsigned long long sink = 0;  // keeps the results alive, so nothing is optimised away

template <typename Item, typename Call>
void time(const char* what, const std::vector<Item>& items, Call call) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& item : items) call(item);
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("%10.2f us  x %7zu  %s\n", spent.count() / static_cast<double>(items.size()),
                items.size(), what);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv-call-costs AIRCRAFT_FOLDER\n");
        return 2;
    }
    const Tree tree = collect(argv[1]);
    std::printf("%zu folders, %zu entries, %zu files\n", tree.folders.size(), tree.names.size(),
                tree.files.size());
    if (tree.files.empty()) return 1;
    std::vector<char> buffer(1 << 16);
    WIN32_FIND_DATAW fd;

    std::printf("per folder:\n");
    time("list: FindFirstFileExW (basic, large fetch) + FindNextFileW + FindClose", tree.folders,
         [&](const std::wstring& f) {
             list(f, fd, [](const WIN32_FIND_DATAW& e) { sink += e.dwFileAttributes; });
         });
    time("list: FindFirstFileExW (standard, no large fetch) + FindNextFileW", tree.folders,
         [&](const std::wstring& f) {
             FindHandle find(::FindFirstFileExW((f + L"\\*").c_str(), FindExInfoStandard, &fd,
                                                FindExSearchNameMatch, nullptr, 0));
             if (!find.valid()) return;
             while (::FindNextFileW(find.get(), &fd)) sink += fd.dwFileAttributes;
         });
    time("list with ids: CreateFileW + GetFileInformationByHandleEx(FileIdBothDirectoryInfo)",
         tree.folders, [&](const std::wstring& f) {
             FileHandle h(::CreateFileW(f.c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
             if (!h.valid()) return;
             alignas(8) static char entries[64 * 1024];
             FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
             while (::GetFileInformationByHandleEx(h.get(), kind, entries, sizeof entries)) {
                 kind = FileIdBothDirectoryInfo;
                 for (auto* e = reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(entries);;
                      e = reinterpret_cast<FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<char*>(e) +
                                                                   e->NextEntryOffset)) {
                     sink += static_cast<unsigned long long>(e->FileId.QuadPart);
                     if (e->NextEntryOffset == 0) break;
                 }
             }
         });
    time("CreateFileW (folder, for query) + CloseHandle", tree.folders, [&](const std::wstring& f) {
        FileHandle h(open_for_query(f));
        sink += h.valid();
    });
    time("CreateFileW + GetFileInformationByHandle + CloseHandle", tree.folders,
         [&](const std::wstring& f) {
             FileHandle h(open_for_query(f));
             BY_HANDLE_FILE_INFORMATION info{};
             if (h.valid() && ::GetFileInformationByHandle(h.get(), &info))
                 sink += info.nFileIndexLow;
         });
    time("CreateFileW + GetFileInformationByHandleEx(FileIdInfo) + CloseHandle", tree.folders,
         [&](const std::wstring& f) {
             FileHandle h(open_for_query(f));
             FILE_ID_INFO info{};
             if (h.valid() &&
                 ::GetFileInformationByHandleEx(h.get(), FileIdInfo, &info, sizeof info))
                 sink += info.VolumeSerialNumber;
         });
    time("CreateFileW + GetFileInformationByHandleEx(FileStandardInfo) + CloseHandle", tree.folders,
         [&](const std::wstring& f) {
             FileHandle h(open_for_query(f));
             FILE_STANDARD_INFO info{};
             if (h.valid() &&
                 ::GetFileInformationByHandleEx(h.get(), FileStandardInfo, &info, sizeof info))
                 sink += info.NumberOfLinks;
         });
    time("GetFileAttributesW (folder)", tree.folders,
         [&](const std::wstring& f) { sink += ::GetFileAttributesW(f.c_str()); });
    time("PeekMessageW (no message waiting)", tree.folders, [&](const std::wstring&) {
        MSG message;
        sink += static_cast<unsigned>(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    });

    std::printf("per aircraft.cfg or panel.cfg:\n");
    time("CreateFileW + ReadFile to the end + CloseHandle", tree.files, [&](const std::wstring& f) {
        FileHandle h(open_for_read(f));
        DWORD got = 0;
        while (
            h.valid() &&
            ::ReadFile(h.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
            got > 0)
            sink += got;
    });
    time("GetFileAttributesW (file)", tree.files,
         [&](const std::wstring& f) { sink += ::GetFileAttributesW(f.c_str()); });
    time("CreateFileW + GetFileSizeEx + CloseHandle", tree.files, [&](const std::wstring& f) {
        FileHandle h(open_for_read(f));
        LARGE_INTEGER size{};
        if (h.valid() && ::GetFileSizeEx(h.get(), &size))
            sink += static_cast<unsigned>(size.QuadPart);
    });
    time("FindFirstFileExW of the one name + FindClose", tree.files, [&](const std::wstring& f) {
        FindHandle find(
            ::FindFirstFileExW(f.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0));
        sink += find.valid();
    });

    std::printf("per file moved (files of 300 bytes in a scratch folder under %%TEMP%%):\n");
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring scratch = std::wstring(temp) + L"qv-call-costs";
    const std::wstring from = scratch + L"\\from", to = scratch + L"\\to";
    ::CreateDirectoryW(scratch.c_str(), nullptr);
    ::CreateDirectoryW(from.c_str(), nullptr);
    ::CreateDirectoryW(to.c_str(), nullptr);
    std::vector<std::wstring> names;
    for (int i = 0; i < 400; ++i) {
        names.push_back(L"\\file" + std::to_wstring(i) + L".bmp");
        FileHandle h(::CreateFileW((from + names.back()).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (h.valid()) ::WriteFile(h.get(), buffer.data(), 300, &written, nullptr);
    }
    time("GetFileAttributesW of a name that does not exist", names,
         [&](const std::wstring& n) { sink += ::GetFileAttributesW((to + n).c_str()); });
    time("FormatMessageW of ERROR_FILE_NOT_FOUND (+ LocalFree)", names, [&](const std::wstring&) {
        wchar_t* text = nullptr;
        sink += ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, ERROR_FILE_NOT_FOUND, 0,
                                 reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        ::LocalFree(text);
    });
    time("CopyFileW", names, [&](const std::wstring& n) {
        sink += static_cast<unsigned>(::CopyFileW((from + n).c_str(), (to + n).c_str(), FALSE));
    });
    time("SetFileAttributesW (normal)", names, [&](const std::wstring& n) {
        sink +=
            static_cast<unsigned>(::SetFileAttributesW((to + n).c_str(), FILE_ATTRIBUTE_NORMAL));
    });
    time("DeleteFileW", names, [&](const std::wstring& n) {
        sink += static_cast<unsigned>(::DeleteFileW((to + n).c_str()));
    });
    time("MoveFileExW (same volume)", names, [&](const std::wstring& n) {
        sink += static_cast<unsigned>(::MoveFileExW((from + n).c_str(), (to + n).c_str(), 0));
    });
    for (const auto& n : names) ::DeleteFileW((to + n).c_str());
    ::RemoveDirectoryW(from.c_str());
    ::RemoveDirectoryW(to.c_str());
    ::RemoveDirectoryW(scratch.c_str());

    std::printf("per byte of output:\n");
    const HANDLE out = ::GetStdHandle(STD_ERROR_HANDLE);
    time("WriteFile of one byte to the standard error (as msvcrt writes an unbuffered stream)",
         tree.names, [&](const std::wstring&) {
             DWORD written = 0;
             sink += static_cast<unsigned>(::WriteFile(out, "x", 1, &written, nullptr));
         });

    std::printf("per entry name:\n");
    time("WideCharToMultiByte (CP_ACP, WC_NO_BEST_FIT_CHARS, twice: size and text)", tree.names,
         [&](const std::wstring& n) {
             char text[MAX_PATH * 2];
             BOOL used_default = FALSE;
             const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, n.c_str(), -1,
                                                    nullptr, 0, nullptr, nullptr);
             sink += static_cast<unsigned>(
                 size + ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, n.c_str(), -1, text,
                                              sizeof text, nullptr, &used_default));
         });
    time("MultiByteToWideChar (CP_ACP, twice)", tree.names, [&](const std::wstring& n) {
        const std::string ascii(n.begin(), n.end());
        wchar_t wide[MAX_PATH * 2];
        const int len = static_cast<int>(ascii.size());
        sink += static_cast<unsigned>(
            ::MultiByteToWideChar(CP_ACP, 0, ascii.c_str(), len, nullptr, 0) +
            ::MultiByteToWideChar(CP_ACP, 0, ascii.c_str(), len, wide, MAX_PATH * 2));
    });
    std::printf("(%llu)\n", sink % 10);
    return 0;
}
