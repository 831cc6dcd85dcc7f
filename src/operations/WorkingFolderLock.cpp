#include "operations/WorkingFolderLock.h"

#include <map>

#include "operations/Warnings.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

struct Held {
    std::unique_ptr<FileLock> lock;
    int count = 0;
};

// The locks this process holds, by working folder.
std::map<std::string, Held>& held_locks() {
    static std::map<std::string, Held> locks;
    return locks;
}

}  // namespace

std::unique_ptr<WorkingFolderLock> WorkingFolderLock::take(FileSystem& fs,
                                                           const Workspace& workspace,
                                                           std::string& why) {
    const std::string key = to_lower(workspace.base_dir);
    Held& held = held_locks()[key];
    if (held.count == 0) {
        const FsStatus st = fs.lock_file(path::join(workspace.base_dir, kLockFileName), held.lock);
        if (!st.ok()) {
            held_locks().erase(key);
            why = warn::another_command(workspace.base_dir, st.message);
            return nullptr;
        }
    }
    ++held.count;
    return std::unique_ptr<WorkingFolderLock>(new WorkingFolderLock(key));
}

WorkingFolderLock::~WorkingFolderLock() {
    auto it = held_locks().find(key_);
    if (it != held_locks().end() && --it->second.count == 0) held_locks().erase(it);
}

}  // namespace qv
