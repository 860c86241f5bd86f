#pragma once

#include <string>

namespace dashcam {

// Facts about the volume (mounted file system) that holds a path.
class IVolumes {
public:
    virtual ~IVolumes() = default;
    // The root folder of the volume holding the path, ending with a path separator; empty when
    // it cannot be found.
    virtual std::string DriveRoot(const std::string& path) = 0;
};

} // namespace dashcam
