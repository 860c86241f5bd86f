#pragma once

#include "platform/Volumes.h"

namespace dashcam {

class LinuxVolumes : public IVolumes {
public:
    std::string DriveRoot(const std::string& path) override;
};

} // namespace dashcam
