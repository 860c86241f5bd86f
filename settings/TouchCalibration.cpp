#include "settings/TouchCalibration.h"

namespace dashcam {

bool RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath) {
    const std::string root = volumes.DriveRoot(cardPath);
    if (root.empty()) {
        return false;
    }
    const WriteOutcome outcome = files.WriteWhole(root + "set_touch_cal.txt", {});
    return outcome.opened && outcome.written;
}

} // namespace dashcam
