#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dashcam {

// Reports of a running format: command 15 is a step of structure progress, command 11 the end
// of the format with data pointing to a one-byte success value (1: formatted). The callback
// answers whether to go on.
using FormatCallback = std::function<bool(int command, int subAction, const void* data)>;

inline constexpr int kFormatProgress = 0;
inline constexpr int kFormatDone = 11;
inline constexpr int kFormatStructureProgress = 15;
inline constexpr int kRemovableMedia = 11;

struct FormatRequest {
    std::string driveRoot; // the mount point of the card, with its trailing separator
    int mediaType = kRemovableMedia;
    std::u16string fileSystem; // "FAT32" or "exfat"
    std::u16string label;
    bool quick = true;
    std::uint32_t clusterSize = 0; // bytes; 0 for the file system's default
};

// The platform's card formatter.
class IFormatter {
public:
    virtual ~IFormatter() = default;
    // Whether the formatter can be used on this machine; when not, message says why.
    virtual bool Load(std::u16string& message) = 0;
    // Formats the volume mounted at the drive root and returns when the format has ended; the
    // done report tells whether it worked.
    virtual void FormatEx(const FormatRequest& request, const FormatCallback& callback) = 0;
    // Where the card is mounted after the last format (it may come back at another place; a
    // card that was never taken off stays at its drive root); empty when it is not mounted.
    virtual std::string MountPointAfterFormat() = 0;
};

} // namespace dashcam
