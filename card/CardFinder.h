#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileAccess.h"
#include "platform/MountTable.h"
#include "platform/Volumes.h"

namespace dashcam {

// A camera's memory card found among the mounted volumes.
struct FoundCard {
    std::string folder;      // its mount point, ending with a separator: the card folder
    std::string label;       // the file system's label; may be empty
    std::uint64_t sizeBytes; // the volume's total size
    std::string productName; // the camera's product name from its settings record (8-bit text)
};

// The mounted volumes that are memory cards (as the card format tells them) and hold the
// camera's setup.cfg or default.cfg, in the mount table's order.
std::vector<FoundCard> FindCards(IMountTable& mounts, IVolumes& volumes, IFileAccess& files);

} // namespace dashcam
