#include "platform/linux/LinuxVolumes.h"

#include <filesystem>
#include <sys/stat.h>

namespace dashcam {
namespace {

bool DeviceOf(const std::filesystem::path& path, dev_t& device) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    device = st.st_dev;
    return true;
}

} // namespace

// The mount point is the highest folder above the path that is still on the path's device.
std::string LinuxVolumes::DriveRoot(const std::string& path) {
    std::error_code error;
    std::filesystem::path current = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return {};
    }
    dev_t device = 0;
    while (!DeviceOf(current, device)) {
        if (current == current.root_path()) {
            return {};
        }
        current = current.parent_path();
    }
    while (current != current.root_path()) {
        dev_t parentDevice = 0;
        if (!DeviceOf(current.parent_path(), parentDevice) || parentDevice != device) {
            break;
        }
        current = current.parent_path();
    }
    std::string root = current.string();
    if (root.back() != '/') {
        root += '/';
    }
    return root;
}

} // namespace dashcam
