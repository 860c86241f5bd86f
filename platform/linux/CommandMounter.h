#pragma once

#include "platform/VolumeMounter.h"

namespace dashcam {

// Unmounts and mounts with the system's umount and mount commands (needs root).
class CommandMounter : public IVolumeMounter {
public:
    bool Unmount(const std::string& mountPoint, std::string& error) override;
    std::string Mount(const std::string& device, const std::string& mountPoint,
                      std::string& error) override;
};

} // namespace dashcam
