#pragma once

#include <string>

namespace dashcam {

// Signs that a card cannot be written, found before anything on it is touched.
class WriteProtection {
public:
    // The volume at the mount point is mounted read-only.
    static bool MountIsReadOnly(const std::string& mountPoint);
    // The device (or image file) refuses to be opened for writing: a card whose lock switch is
    // set, or a read-only device.
    static bool DeviceRefusesWrites(const std::string& device);
    // The disk service's or a tool's error text says the device is read-only.
    static bool SaysReadOnly(const std::string& error);
};

} // namespace dashcam
