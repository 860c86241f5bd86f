#include "platform/linux/WriteProtection.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace dashcam {

bool WriteProtection::MountIsReadOnly(const std::string& mountPoint) {
    struct statvfs info {};
    return ::statvfs(mountPoint.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

bool WriteProtection::DeviceRefusesWrites(const std::string& device) {
    // A read-only block device still opens for writing; its read-only flag tells. An image
    // file on a read-only file system does not open for writing at all.
    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    int readOnly = 0;
    bool refuses = false;
    if (::fstat(fd, &info) == 0 && S_ISBLK(info.st_mode)) {
        refuses = ::ioctl(fd, BLKROGET, &readOnly) == 0 && readOnly != 0;
    } else {
        const int writable = ::open(device.c_str(), O_WRONLY | O_CLOEXEC);
        refuses = writable < 0 && errno == EROFS;
        if (writable >= 0) {
            ::close(writable);
        }
    }
    ::close(fd);
    return refuses;
}

bool WriteProtection::SaysReadOnly(const std::string& error) {
    std::string lower = error;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("read-only") != std::string::npos ||
           lower.find("write-protected") != std::string::npos ||
           lower.find("erofs") != std::string::npos;
}

} // namespace dashcam
