#include "platform/linux/PosixFolderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dashcam {

std::unique_ptr<IFileLock> PosixFolderLock::Take(const std::string& folder, bool exclusive,
                                                 std::string& error) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    int result = 0;
    do {
        result = ::flock(fd, exclusive ? LOCK_EX : LOCK_SH);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<IFileLock>(new PosixFolderLock(fd));
}

PosixFolderLock::~PosixFolderLock() {
    ::close(m_fd); // closing the last descriptor releases the lock
}

} // namespace dashcam
