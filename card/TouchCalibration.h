#pragma once

#include <string>

#include "platform/FileAccess.h"
#include "platform/Volumes.h"

namespace dashcam {

// Asks the camera to reset its touch-screen calibration: an empty set_touch_cal.txt in the root
// folder of the card's volume. False when the file could not be made; the window does not tell.
bool RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath);

} // namespace dashcam
