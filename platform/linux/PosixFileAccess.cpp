#include "platform/linux/PosixFileAccess.h"

#include "platform/linux/PosixFolderLock.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
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
        failure.error = errno == ELOOP ? "a symbolic link, not a regular file" : ErrorText(errno);
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

std::uint64_t DeviceOfPath(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? std::uint64_t(st.st_dev) : 0;
}

std::uint64_t DeviceOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? std::uint64_t(st.st_dev) : 0;
}

bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t at, std::string& error) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, at + off_t(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? ErrorText(errno) : "no room left on the device";
            return false;
        }
        done += static_cast<std::size_t>(n);
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

WriteOutcome CreateFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    WriteOutcome outcome;
    OpenFailure failure;
    const int fd = OpenRegular(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, failure);
    if (fd < 0) {
        outcome.error = failure.error;
        return outcome;
    }
    std::string error;
    bool written = WriteAllAt(fd, bytes.data(), bytes.size(), 0, error);
    // The card may be pulled out right after the write: the data must be on it, not in a cache.
    if (written && ::fsync(fd) != 0) {
        written = false;
        error = ErrorText(errno);
    }
    return Finish(fd, written, error);
}

// Opens the file a write replaces, without following a link: a save must never reach a file
// outside the card. -1 with no error when the file is missing.
int OpenReplaced(const std::string& path, struct stat& st, std::string& error) {
    OpenFailure failure;
    const int fd = OpenRegular(path, O_RDONLY | O_NOFOLLOW, failure);
    if (fd < 0) {
        if (!failure.missing) {
            error = failure.error;
        }
        return -1;
    }
    ::fstat(fd, &st);
    return fd;
}

// Copies the old file's bytes from `from` to its end into the same place of the new one.
bool CopyTail(int source, int target, off_t from, std::string& error) {
    std::vector<std::uint8_t> chunk(64 * 1024);
    for (off_t at = from;;) {
        const ssize_t n = ::pread(source, chunk.data(), chunk.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = ErrorText(errno);
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!WriteAllAt(target, chunk.data(), static_cast<std::size_t>(n), at, error)) {
            return false;
        }
        at += n;
    }
}

// The replacement keeps the old file's permissions and owner where the file system has them.
void KeepOwnership(int fd, int old, const struct stat& st) {
    if (old < 0) {
        ::fchmod(fd, 0644);
        return;
    }
    ::fchmod(fd, st.st_mode & 07777);
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Not every file system keeps owners (FAT has none); the data is what matters.
    }
}

// The rename is only on the card once its folder is: a failure here is no reason to call the
// save failed, because the folder already names the new file.
void SyncFolderOf(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string TemporaryTemplate(const std::string& path) {
    const std::size_t slash = path.rfind('/') + 1;
    return path.substr(0, slash) + "." + path.substr(slash) + ".XXXXXX";
}

} // namespace

FileHead PosixFileAccess::ReadHead(const std::string& path, std::size_t maxBytes) {
    return ReadFile(path, maxBytes, 0);
}

FileHead PosixFileAccess::ReadPlainFile(const std::string& path, std::size_t maxBytes) {
    return ReadFile(path, maxBytes, O_NOFOLLOW);
}

WriteOutcome PosixFileAccess::WriteNewFile(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    return CreateFile(path, bytes);
}

WriteOutcome PosixFileAccess::ReplaceStart(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    return Replace(path, bytes, true);
}

WriteOutcome PosixFileAccess::WriteWhole(const std::string& path,
                                         std::span<const std::uint8_t> bytes) {
    return Replace(path, bytes, false);
}

WriteOutcome PosixFileAccess::Replace(const std::string& path, std::span<const std::uint8_t> bytes,
                                      bool keepTail) {
    WriteOutcome outcome;
    struct stat st {};
    const int old = OpenReplaced(path, st, outcome.error);
    if (old < 0 && !outcome.error.empty()) {
        return outcome;
    }
    std::string temporary = TemporaryTemplate(path);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        outcome.error = ErrorText(errno);
        if (old >= 0) {
            ::close(old);
        }
        return outcome;
    }
    outcome.opened = true;
    std::string error;
    bool written = WriteAllAt(fd, bytes.data(), bytes.size(), 0, error);
    if (written && keepTail && old >= 0) {
        written = CopyTail(old, fd, off_t(bytes.size()), error);
    }
    KeepOwnership(fd, old, st);
    if (old >= 0) {
        ::close(old);
    }
    // The card may be pulled out right after a save: the data must be on it, not in a cache,
    // before the new file takes the old one's name.
    if (written && ::fsync(fd) != 0) {
        written = false;
        error = ErrorText(errno);
    }
    if (::close(fd) != 0 && written) {
        written = false;
        error = ErrorText(errno);
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = ErrorText(errno);
    }
    if (!written) {
        ::unlink(temporary.c_str());
        outcome.error = error;
        return outcome;
    }
    SyncFolderOf(path);
    outcome.device = DeviceOfPath(path);
    outcome.written = true;
    return outcome;
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

std::unique_ptr<IFileLock> PosixFileAccess::LockFolder(const std::string& folder, bool exclusive,
                                                       std::string& error) {
    return PosixFolderLock::Take(folder, exclusive, error);
}

} // namespace dashcam
