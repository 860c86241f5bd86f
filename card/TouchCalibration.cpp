#include "card/TouchCalibration.h"

#include <filesystem>

#include "card/CardFolder.h"

namespace dashcam {

void RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath) {
    const std::string root = volumes.DriveRoot(cardPath);
    if (root.empty()) {
        return;
    }
    files.WriteWhole((std::filesystem::path(root) / kTouchCalibrationFileName).string(), {});
}

} // namespace dashcam
