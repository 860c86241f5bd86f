#include "platform/linux/WriteProtection.h"

#include <fcntl.h>
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
    const int fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EROFS;
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
