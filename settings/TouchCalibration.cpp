#include "settings/TouchCalibration.h"

namespace dashcam {

void RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath) {
    const std::string root = volumes.DriveRoot(cardPath);
    if (root.empty()) {
        return;
    }
    files.WriteWhole(root + "set_touch_cal.txt", {});
}

} // namespace dashcam
