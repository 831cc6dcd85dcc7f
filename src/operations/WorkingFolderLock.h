// One command that changes the disk at a time in a working folder: an operating-system lock on
// base_dir\quorvane.lock, which the Linux tool and the program under Wine both see, held while a
// command moves or deletes files. A command killed halfway leaves no stale lock.
#pragma once

#include <memory>
#include <string>

#include "core/Workspace.h"
#include "platform/FileSystem.h"

namespace qv {

inline constexpr const char* kLockFileName = "quorvane.lock";

class WorkingFolderLock {
  public:
    // Takes the lock of the workspace's working folder, or fails without waiting (`why` says why).
    // Within one process the lock is taken once and shared: a load's sweep inside a removal's
    // command takes it again without a conflict.
    static std::unique_ptr<WorkingFolderLock> take(FileSystem& fs, const Workspace& workspace,
                                                   std::string& why);
    ~WorkingFolderLock();
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;

  private:
    explicit WorkingFolderLock(std::string key) : key_(std::move(key)) {}
    std::string key_;
};

}  // namespace qv
