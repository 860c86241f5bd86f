#pragma once

#include <cstdlib>
#include <string>

#include "platform/VolumeMounter.h"

namespace dashcam::test {

// Mounts a FAT image with fusefat or an exFAT loop device with exfat-fuse, the way the tests
// can mount file systems on machines whose kernel cannot.
class FuseMounter : public IVolumeMounter {
public:
    explicit FuseMounter(std::string mountCommand) : m_mountCommand(std::move(mountCommand)) {}

    bool Unmount(const std::string& mountPoint, std::string& error) override {
        if (Shell("fusermount -u '" + mountPoint + "'") != 0) {
            error = "fusermount failed";
            return false;
        }
        // The FUSE process writes its last data after the unmount returns: wait until it has
        // ended, so nothing it flushes lands on the freshly made file system.
        // The pattern's first character is bracketed so that it does not match the shell that
        // runs pgrep, whose own command line holds the pattern.
        const std::string pattern = m_device.empty()
                                        ? std::string()
                                        : "[" + m_device.substr(0, 1) + "]" + m_device.substr(1);
        for (int i = 0; i < 100 && !m_device.empty() && Shell("pgrep -f -- '" + pattern + "'") == 0;
             ++i) {
            Shell("sleep 0.05");
        }
        return true;
    }
    std::string Mount(const std::string& device, const std::string& mountPoint,
                      std::string& error) override {
        m_device = device;
        if (Shell(m_mountCommand + " '" + device + "' '" + mountPoint + "'") != 0) {
            error = "mount failed";
            return {};
        }
        return mountPoint;
    }
    static int Shell(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str());
    }

private:
    std::string m_mountCommand;
    std::string m_device;
};

} // namespace dashcam::test
