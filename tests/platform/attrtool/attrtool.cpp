// qv-attrtool make DIR | read DIR
//
// `make` creates DIR with one entry per attribute combination through the backend of this build;
// `read` checks through it that every entry has its attributes and every listing of DIR exactly
// the entries its filter keeps, printing each difference (exit 1). Used by cross_attributes.sh.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace {

// Names in Windows-1252 and in listing order, with their attributes: directory, hidden, system,
// read-only.
const std::pair<const char*, std::string_view> kSamples[] = {
    {"Caf\xE9 \x80.txt", ""}, {"hidden.txt", "h"},  {"HiddenDir", "dh"},
    {"hidro.txt", "hr"},      {"hidsys.txt", "hs"}, {"normal.txt", ""},
    {"readonly.txt", "r"},    {"system.txt", "s"},  {"SystemDir", "ds"}};

int make(qv::FileSystem& fs, const std::string& dir) {
    qv::FsStatus st = fs.create_folder(dir);
    for (const auto& [name, flags] : kSamples) {
        auto has = [&](char c) { return flags.find(c) != std::string_view::npos; };
        const std::string path = qv::path::join(dir, name);
        if (st.ok()) st = has('d') ? fs.create_folder(path) : fs.replace_file(path, name);
        if (st.ok()) st = fs.set_attributes(path, {false, has('h'), has('s'), has('r')});
    }
    if (!st.ok()) std::fprintf(stderr, "qv-attrtool: %s\n", qv::cp1252_to_utf8(st.message).c_str());
    return st.ok() ? 0 : 1;
}

int read(qv::FileSystem& fs, const std::string& dir) {
    int differences = 0;
    auto compare = [&](const std::string& what, const std::string& want, const std::string& got) {
        if (want == got) return;
        std::printf("%s: want \"%s\", got \"%s\"\n", qv::cp1252_to_utf8(what).c_str(),
                    qv::cp1252_to_utf8(want).c_str(), qv::cp1252_to_utf8(got).c_str());
        ++differences;
    };
    for (const auto& [name, flags] : kSamples) {
        qv::Attributes a;
        const bool found = fs.attributes(qv::path::join(dir, name), a).ok();
        compare(name, std::string(flags),
                !found
                    ? "not found"
                    : std::string(a.directory ? "d" : "") + (a.hidden ? "h" : "") +
                          (a.system ? "s" : "") + (a.read_only ? "r" : "") + (a.link ? "l" : ""));
    }
    // Each filter leaves out the entries with any of these attributes.
    const std::pair<qv::ListFilter, std::string_view> filters[] = {
        {qv::ListFilter::normal_files, "dhs"},
        {qv::ListFilter::normal_and_hidden_files, "ds"},
        {qv::ListFilter::entries_and_directories, "hs"}};
    for (const auto& [filter, left_out] : filters) {
        std::string want, got;
        for (const auto& [name, flags] : kSamples)
            if (flags.find_first_of(left_out) == std::string_view::npos)
                want += ' ' + std::string(name);
        std::vector<std::string> names;
        if (!fs.list(qv::path::join(dir, "*.*"), filter, names).ok()) got = " (failed)";
        for (const auto& n : names) got += ' ' + n;
        compare("listing without " + std::string(left_out), want, got);
    }
    return differences == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc == 3 ? argv[1] : "";
    if (verb != "make" && verb != "read") {
        std::fprintf(stderr, "usage: qv-attrtool make|read DIR\n");
        return 2;
    }
    const std::string dir = qv::argument_to_single_byte(argv[2]);
    auto fs = qv::make_native_file_system();
    return verb == "make" ? make(*fs, dir) : read(*fs, dir);
}
