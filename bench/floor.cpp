// qv-floor: the Wine floor of the catalogue load. A plain Win32 program that lists every folder
// below the aircraft folder (FindFirstFileExW with FindExInfoBasic and FIND_FIRST_EX_LARGE_FETCH,
// then FindNextFileW) and reads every aircraft.cfg and panel.cfg it finds (CreateFileW,
// ReadFile), doing nothing else: no sorting, no name conversion, no attribute or identity calls.
// bench/run times it under Wine beside quorvane-cli.exe and quorvane.exe.
//
//   qv-floor AIRCRAFT_FOLDER
//
// Hidden and system folders and files are skipped, as the load skips them, so both read the same
// files. Prints one line: folders, entries, files read, bytes read and the walk's own seconds.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Win32Handles.h"

namespace {

using bench::FileHandle;
using bench::FindHandle;

struct Totals {
    unsigned long long folders = 0;
    unsigned long long entries = 0;
    unsigned long long files = 0;
    unsigned long long bytes = 0;
    unsigned long long failures = 0;
};

bool is_wanted(const wchar_t* name) {
    return ::CompareStringOrdinal(name, -1, L"aircraft.cfg", -1, TRUE) == CSTR_EQUAL ||
           ::CompareStringOrdinal(name, -1, L"panel.cfg", -1, TRUE) == CSTR_EQUAL;
}

void read_whole(const std::wstring& path, std::vector<char>& buffer, Totals& totals) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        ++totals.failures;
        return;
    }
    ++totals.files;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                        nullptr)) {
            ++totals.failures;
            return;
        }
        if (got == 0) return;
        totals.bytes += got;
    }
}

void walk(const std::wstring& root, Totals& totals) {
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::wstring> pending{root};
    std::vector<std::wstring> wanted;
    std::vector<char> buffer(1 << 16);
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        ++totals.folders;
        wanted.clear();
        WIN32_FIND_DATAW fd;
        {
            FindHandle find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &fd,
                                               FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
            if (!find.valid()) {
                ++totals.failures;
                continue;
            }
            do {
                const wchar_t* name = fd.cFileName;
                if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)))
                    continue;
                ++totals.entries;
                if (fd.dwFileAttributes & kSkipped) continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    pending.push_back(folder + L"\\" + name);
                } else if (is_wanted(name)) {
                    wanted.push_back(folder + L"\\" + name);
                }
            } while (::FindNextFileW(find.get(), &fd));
        }
        for (const auto& path : wanted) read_whole(path, buffer, totals);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv-floor AIRCRAFT_FOLDER\n");
        return 2;
    }
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    Totals totals;
    std::wstring root = argv[1];
    while (root.size() > 3 && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
    walk(root, totals);
    ::QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    std::printf("folders %llu entries %llu files %llu bytes %llu failures %llu seconds %.3f\n",
                totals.folders, totals.entries, totals.files, totals.bytes, totals.failures,
                seconds);
    return totals.files == 0 ? 1 : 0;
}
