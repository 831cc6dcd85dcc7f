#include "operations/FolderSize.h"

#include <vector>

#include "platform/Path.h"

namespace qv {

FolderSize measure_folder(FileSystem& fs, const std::string& folder) {
    FolderSize size;
    std::vector<std::string> pending{folder};
    std::vector<DirEntry> entries;
    bool top = true;
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        const FsStatus st = fs.list_sizes(current, entries);
        if (!st.ok()) {
            if (!(top && st.not_found())) size.complete = false;
            top = false;
            continue;
        }
        top = false;
        for (const DirEntry& e : entries) {
            if (e.attrs.link) continue;
            if (e.attrs.directory) {
                pending.push_back(path::join(current, e.name));
            } else {
                ++size.files;
                size.bytes += e.size;
            }
        }
    }
    return size;
}

}  // namespace qv
