#include "simfiles/SearchFolders.h"

#include <algorithm>

#include "simfiles/FsFailure.h"

namespace qv {
namespace {

// One folder on the current path of the walk.
struct Frame {
    std::string path;  // ends with a separator
    FileIdentity identity;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};

}  // namespace

void SearchFolders(FileSystem& fs, UiPort& ui, std::string& folder,
                   std::span<const std::string> file_names, const FolderVisitor& visit) {
    std::string root = folder;
    if (root.empty() || !is_separator(root.back())) root += '\\';
    // Callers keep the folder as the walk leaves it: without the separator the walk worked with.
    folder.assign(root, 0, root.size() - 1);

    std::vector<Frame> path;
    FolderScan scan;

    // Visits one folder and puts it on the path; false when it is gone or is already on the path.
    auto enter = [&](std::string dir) -> bool {
        FileIdentity id;
        const FsStatus ident = fs.identity(dir, id);
        if (ident.not_found()) return false;
        if (!ident.ok()) ThrowFsFailure(ident, "Can't read the folder", dir);
        if (std::any_of(path.begin(), path.end(), [&](const Frame& f) { return f.identity == id; }))
            return false;
        ui.yield();
        const FsStatus st = fs.scan_folder(dir, file_names, scan);
        // A folder that vanished since its parent was listed lists as empty.
        if (st.not_found()) return false;
        if (!st.ok()) ThrowFsFailure(st, "Can't list the folder", dir);
        const bool any = std::any_of(scan.matches.begin(), scan.matches.end(),
                                     [](const std::string& m) { return !m.empty(); });
        if (any) visit(dir.substr(0, dir.size() - 1), scan.matches);
        path.push_back({std::move(dir), id, std::move(scan.subfolders), 0});
        return true;
    };

    enter(std::move(root));
    while (!path.empty()) {
        Frame& top = path.back();
        if (top.next == top.subfolders.size()) {
            path.pop_back();
            continue;
        }
        std::string child = top.path;
        child += top.subfolders[top.next++];
        child += '\\';
        enter(std::move(child));
    }
}

}  // namespace qv
