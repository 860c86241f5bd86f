#pragma once

#include <memory>
#include <string>

#include "platform/FileAccess.h"

namespace dashcam {

// An flock on the folder itself: the files inside are replaced by renames, so a lock on one of
// them would be left behind on the replaced copy, while the folder stays the same. The kernel
// keeps flock locks for FUSE file systems that do not handle locking themselves, so the lock
// also holds on FAT and exFAT cards mounted through FUSE.
class PosixFolderLock : public IFileLock {
public:
    static std::unique_ptr<IFileLock> Take(const std::string& folder, bool exclusive,
                                           std::string& error);
    ~PosixFolderLock() override;
    PosixFolderLock(const PosixFolderLock&) = delete;
    PosixFolderLock& operator=(const PosixFolderLock&) = delete;

private:
    explicit PosixFolderLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace dashcam
