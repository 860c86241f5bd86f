#include "card/TouchCalibration.h"

#include <filesystem>

#include "card/CardFolder.h"

namespace dashcam {

bool RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath) {
    const std::string root = volumes.DriveRoot(cardPath);
    if (root.empty()) {
        return false;
    }
    const WriteOutcome outcome =
        files.WriteWhole((std::filesystem::path(root) / kTouchCalibrationFileName).string(), {});
    return outcome.opened && outcome.written;
}

} // namespace dashcam
