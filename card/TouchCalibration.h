#pragma once

#include <string>

#include "platform/FileAccess.h"
#include "platform/Volumes.h"

namespace dashcam {

// Where the touch-calibration request of a card folder goes: set_touch_cal.txt in the root
// folder of the folder's volume; empty when the volume has no root.
std::string TouchCalibrationFile(IVolumes& volumes, const std::string& cardPath);

// Asks the camera to reset its touch-screen calibration: an empty request file (above). False
// when the file could not be made.
bool RequestTouchCalibrationReset(IVolumes& volumes, IFileAccess& files,
                                  const std::string& cardPath);

} // namespace dashcam
