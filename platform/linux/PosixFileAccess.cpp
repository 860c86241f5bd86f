#include "platform/linux/PosixFileAccess.h"

#include <algorithm>
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

// Why a file could not be opened.
struct OpenFailure {
    std::string error;
    bool missing = false;
    bool notPlain = false;
};

// Opens without blocking (a pipe in the file's place would otherwise wait for a writer) and
// accepts regular files only.
int OpenRegular(const std::string& path, int flags, OpenFailure& failure) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        failure.error = ErrorText(errno);
        failure.missing = errno == ENOENT;
        // A link refused by O_NOFOLLOW; a pipe without reader refused for writing.
        failure.notPlain = errno == ELOOP || errno == ENXIO || errno == EISDIR;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        failure.error = S_ISDIR(st.st_mode) ? ErrorText(EISDIR) : "not a regular file";
        failure.notPlain = true;
        ::close(fd);
        return -1;
    }
    // Blocking again for the data itself.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::uint64_t DeviceOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? std::uint64_t(st.st_dev) : 0;
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
    outcome.device = DeviceOf(fd);
    outcome.written = written;
    if (::close(fd) != 0 && outcome.written) {
        outcome.written = false;
        error = ErrorText(errno);
    }
    outcome.error = std::move(error);
    return outcome;
}

FileHead ReadFile(const std::string& path, std::size_t maxBytes, int flags) {
    FileHead head;
    OpenFailure failure;
    const int fd = OpenRegular(path, O_RDONLY | flags, failure);
    if (fd < 0) {
        head.error = failure.error;
        head.missing = failure.missing;
        head.notPlain = failure.notPlain;
        return head;
    }
    struct stat st {};
    ::fstat(fd, &st);
    head.opened = true;
    head.length = static_cast<std::uint64_t>(st.st_size);
    head.device = st.st_dev;
    // Room for what the file holds (and a little more for one that grows), not for the limit.
    maxBytes = std::size_t(std::min<std::uint64_t>(maxBytes, head.length + 65536));
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

WriteOutcome ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, int flags) {
    WriteOutcome outcome;
    OpenFailure failure;
    const int fd = OpenRegular(path, O_WRONLY | O_CREAT | flags, failure);
    if (fd < 0) {
        outcome.error = failure.error;
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

} // namespace

FileHead PosixFileAccess::ReadHead(const std::string& path, std::size_t maxBytes) {
    return ReadFile(path, maxBytes, 0);
}

FileHead PosixFileAccess::ReadPlainFile(const std::string& path, std::size_t maxBytes) {
    return ReadFile(path, maxBytes, O_NOFOLLOW);
}

WriteOutcome PosixFileAccess::WriteWhole(const std::string& path,
                                         std::span<const std::uint8_t> bytes) {
    return ReplaceFile(path, bytes, 0);
}

WriteOutcome PosixFileAccess::WriteNewFile(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    return ReplaceFile(path, bytes, O_EXCL | O_NOFOLLOW);
}

WriteOutcome PosixFileAccess::WriteInPlace(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    WriteOutcome outcome;
    OpenFailure failure;
    const int fd = OpenRegular(path, O_RDWR | O_CREAT, failure);
    if (fd < 0) {
        outcome.error = failure.error;
        return outcome;
    }
    std::string error;
    const bool written = WriteAllAt0(fd, bytes, error);
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
