#include "simfiles/FolderWalk.h"

#include <algorithm>

#include "platform/Path.h"

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

FsStatus walk_folders(FileSystem& fs, UiPort& ui, std::string_view root,
                      std::span<const std::string> file_names, const FolderVisitor& visit) {
    std::vector<Frame> path;
    FolderScan scan;
    FsStatus failure;

    // Visits one folder and puts it on the path; false when it is gone, is already on the path,
    // or the walk has to end (`failure` says why).
    auto enter = [&](std::string dir) -> bool {
        FileIdentity id;
        FsStatus st = fs.identity(dir, id);
        if (st.not_found()) return false;
        if (!st.ok()) {
            failure = std::move(st);
            return false;
        }
        if (std::any_of(path.begin(), path.end(), [&](const Frame& f) { return f.identity == id; }))
            return false;
        ui.yield();
        st = fs.scan_folder(dir, file_names, scan);
        // A folder that vanished since its parent was listed lists as empty.
        if (st.not_found()) return false;
        if (!st.ok()) {
            failure = std::move(st);
            return false;
        }
        const bool any = std::any_of(scan.matches.begin(), scan.matches.end(),
                                     [](const std::string& m) { return !m.empty(); });
        if (any) {
            st = visit(dir.substr(0, dir.size() - 1), scan.matches);
            if (!st.ok()) {
                failure = std::move(st);
                return false;
            }
        }
        path.push_back({std::move(dir), id, std::move(scan.subfolders), 0});
        return true;
    };

    std::string start(root);
    if (start.empty() || !path::is_separator(start.back())) start += '\\';
    enter(std::move(start));
    while (!path.empty() && failure.ok()) {
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
    return failure;
}

}  // namespace qv
