#include "platform/linux/PosixFileAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dashcam {
namespace {

std::string ErrorText(int error) {
    return std::strerror(error);
}

// Opens without blocking (a pipe in the file's place would otherwise wait for a writer) and
// accepts regular files only.
int OpenRegular(const std::string& path, int flags, std::string& error) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = ErrorText(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? ErrorText(EISDIR) : "not a regular file";
        ::close(fd);
        return -1;
    }
    // Blocking again for the data itself.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool WriteAllAt0(int fd, std::span<const std::uint8_t> bytes, std::string& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? ErrorText(errno) : "no room left on the device";
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    // The card may be pulled out right after a save: the data must be on it, not in a cache.
    if (::fsync(fd) != 0) {
        error = ErrorText(errno);
        return false;
    }
    return true;
}

WriteOutcome Finish(int fd, bool written, std::string error) {
    WriteOutcome outcome;
    outcome.opened = true;
    outcome.written = written;
    if (::close(fd) != 0 && outcome.written) {
        outcome.written = false;
        error = ErrorText(errno);
    }
    outcome.error = std::move(error);
    return outcome;
}

} // namespace

FileHead PosixFileAccess::ReadHead(const std::string& path, std::size_t maxBytes) {
    FileHead head;
    const int fd = OpenRegular(path, O_RDONLY, head.error);
    if (fd < 0) {
        return head;
    }
    struct stat st {};
    ::fstat(fd, &st);
    head.opened = true;
    head.length = static_cast<std::uint64_t>(st.st_size);
    head.bytes.resize(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t n = ::read(fd, head.bytes.data() + done, maxBytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0) {
                head.opened = false;
                head.error = ErrorText(errno);
            }
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    head.bytes.resize(done);
    ::close(fd);
    return head;
}

WriteOutcome PosixFileAccess::WriteInPlace(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    WriteOutcome outcome;
    const int fd = OpenRegular(path, O_RDWR | O_CREAT, outcome.error);
    if (fd < 0) {
        return outcome;
    }
    std::string error;
    const bool written = WriteAllAt0(fd, bytes, error);
    return Finish(fd, written, error);
}

WriteOutcome PosixFileAccess::WriteWhole(const std::string& path,
                                         std::span<const std::uint8_t> bytes) {
    WriteOutcome outcome;
    const int fd = OpenRegular(path, O_WRONLY | O_CREAT, outcome.error);
    if (fd < 0) {
        return outcome;
    }
    std::string error;
    bool written = ::ftruncate(fd, 0) == 0;
    if (!written) {
        error = ErrorText(errno);
    } else {
        written = WriteAllAt0(fd, bytes, error);
    }
    return Finish(fd, written, error);
}

bool PosixFileAccess::Remove(const std::string& path, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = ErrorText(EISDIR);
        return false;
    }
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) {
        return true;
    }
    error = ErrorText(errno);
    return false;
}

} // namespace dashcam
