#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileAccess.h"

namespace dashcam {

// What the camera's lang/ver.dat says: firmware version, language pack, device, and the codes
// of the languages its menus offer.
struct DeviceDescription {
    std::u16string version;
    std::vector<std::u16string> codes;
    // The catalogue names of the codes that have one, in code order; nameCodeIndex[i] is the
    // position in codes of the code that names[i] belongs to, so a chosen name still stores its
    // own code's index when an unknown code has no name.
    std::vector<std::u16string> names;
    std::vector<std::size_t> nameCodeIndex;
    std::u16string packName;
    std::u16string device;
};

// Reads the device description file into the description; a missing or unreadable file leaves
// it empty.
void LoadDeviceDescription(IFileAccess& files, const std::string& path,
                           DeviceDescription& description);

} // namespace dashcam
