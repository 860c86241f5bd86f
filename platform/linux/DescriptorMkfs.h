#pragma once

#include <cstdint>
#include <string>

#include "platform/Formatter.h"

namespace dashcam {

// Makes a FAT file system on a device that the editor may write only through a descriptor it
// was handed: the desktop's disk service opens the card for a user who may not open the device
// node itself, and mkfs cannot take a descriptor (reopening /proc/self/fd/N checks the node's
// permissions again). So mkfs.fat makes the file system in a sparse image of the device's size,
// with the same options, and the parts it wrote are copied onto the device.
class DescriptorMkfs {
public:
    // `request` carries the cluster size already chosen; `hiddenSectors` is the partition's
    // start on its disk, as mkfs would read it from a partition device.
    static bool Run(int fd, const FormatRequest& request, std::uint64_t hiddenSectors,
                    std::string& error);

private:
    static bool CopyWrittenParts(const std::string& image, int fd, std::string& error);
};

} // namespace dashcam
