// qv-attrtool make DIR | read DIR
//
// `make` creates DIR (with its parents) and in it one entry per attribute combination, set
// through the backend of this build. `read` prints, for each of those names, the attributes the
// backend reads, then the three listings of DIR. The native and the Windows build print the same
// text for the same folder when both backends agree on how Wine stores attributes on a Linux disk.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Sample {
    const char* name;  // Windows-1252
    bool directory, hidden, system, read_only;
};

const Sample kSamples[] = {
    {"normal.txt", false, false, false, false},       {"hidden.txt", false, true, false, false},
    {"system.txt", false, false, true, false},        {"hidsys.txt", false, true, true, false},
    {"readonly.txt", false, false, false, true},      {"hidro.txt", false, true, false, true},
    {"HiddenDir", true, true, false, false},          {"SystemDir", true, false, true, false},
    {"Caf\xE9 \x80.txt", false, false, false, false},
};

bool report(const qv::FsStatus& st) {
    if (st.ok()) return true;
    std::fprintf(stderr, "qv-attrtool: %s\n", qv::cp1252_to_utf8(st.message).c_str());
    return false;
}

int make(qv::FileSystem& fs, const std::string& dir) {
    if (!report(fs.create_folders(dir))) return 1;
    for (const auto& s : kSamples) {
        const std::string path = qv::join_path(dir, s.name);
        if (!report(s.directory ? fs.create_folder(path) : fs.write_file(path, s.name))) return 1;
        qv::Attributes a;
        a.hidden = s.hidden;
        a.system = s.system;
        a.read_only = s.read_only;
        if (!report(fs.set_attributes(path, a))) return 1;
    }
    return 0;
}

void print_listing(qv::FileSystem& fs, const std::string& dir, qv::ListFilter filter,
                   const char* label) {
    std::vector<std::string> names;
    std::printf("%s:", label);
    if (!fs.list(qv::join_path(dir, "*.*"), filter, names).ok()) std::printf(" (failed)");
    for (const auto& n : names) std::printf(" %s", qv::cp1252_to_utf8(n).c_str());
    std::printf("\n");
}

int read(qv::FileSystem& fs, const std::string& dir) {
    for (const auto& s : kSamples) {
        qv::Attributes a;
        const qv::FsStatus st = fs.attributes(qv::join_path(dir, s.name), a);
        std::printf("%s:", qv::cp1252_to_utf8(s.name).c_str());
        if (!st.ok()) {
            std::printf(" %s\n", st.not_found() ? "not found" : "failed");
            continue;
        }
        if (a.directory) std::printf(" directory");
        if (a.hidden) std::printf(" hidden");
        if (a.system) std::printf(" system");
        if (a.read_only) std::printf(" read-only");
        if (a.link) std::printf(" link");
        std::printf("\n");
    }
    print_listing(fs, dir, qv::ListFilter::normal_files, "normal files");
    print_listing(fs, dir, qv::ListFilter::normal_and_hidden_files, "normal and hidden files");
    print_listing(fs, dir, qv::ListFilter::entries_and_directories, "entries and directories");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // LF line ends, so the two builds' output can be compared byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc != 3) {
        std::fprintf(stderr, "usage: qv-attrtool make|read DIR\n");
        return 2;
    }
    const std::string verb = argv[1];
    const std::string dir = qv::argument_to_single_byte(argv[2]);
    auto fs = qv::make_native_file_system();
    if (verb == "make") return make(*fs, dir);
    if (verb == "read") return read(*fs, dir);
    std::fprintf(stderr, "usage: qv-attrtool make|read DIR\n");
    return 2;
}
