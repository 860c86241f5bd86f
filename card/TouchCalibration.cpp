#include "card/TouchCalibration.h"

#include <filesystem>

#include "card/CardFolder.h"

namespace dashcam {

std::string TouchCalibrationFile(IVolumes& volumes, const std::string& cardPath) {
    const std::string root = volumes.DriveRoot(cardPath);
    return root.empty() ? std::string()
                        : (std::filesystem::path(root) / kTouchCalibrationFileName).string();
}

bool RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath) {
    const std::string file = TouchCalibrationFile(volumes, cardPath);
    if (file.empty()) {
        return false;
    }
    const WriteOutcome outcome = files.WriteWhole(file, {});
    return outcome.opened && outcome.written;
}

} // namespace dashcam
