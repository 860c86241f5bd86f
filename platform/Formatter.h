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

// Why the last format did not give the card that was asked for.
enum class FormatFault {
    None,           // formatted as asked
    Failed,         // not formatted: in use, refused, or a tool failed
    WriteProtected, // the card cannot be written (lock switch, read-only mount or device)
    TooSmall,       // too small for FAT32 with any cluster size
    NotAuthorised,  // the user did not grant access to the card's device
    WrongLayout,    // formatted, but the volume is not the one asked for
};

struct FormatRequest {
    std::string driveRoot; // the mount point of the card, with its trailing separator
    int mediaType = kRemovableMedia;
    std::u16string fileSystem; // "FAT32" or "exfat"
    std::u16string label;
    bool quick = true;
    // FAT32: the largest cluster wanted, in bytes; a smaller one is taken where the card would
    // have too few clusters for a valid FAT32. 0 for the file system's default.
    std::uint32_t clusterSize = 0;
};

// The platform's card formatter.
class IFormatter {
public:
    virtual ~IFormatter() = default;
    // Whether the formatter can be used on this machine; when not, message gives the system's
    // own detail (a service's error, a missing program), which the caller puts under its text.
    virtual bool Load(std::u16string& message) = 0;
    // Formats the volume mounted at the drive root and returns when the format has ended; the
    // done report tells whether it worked.
    virtual void FormatEx(const FormatRequest& request, const FormatCallback& callback) = 0;
    // Where the card is mounted after the last format (it may come back at another place; a
    // card that was never taken off stays at its drive root); empty when it is not mounted.
    virtual std::string MountPointAfterFormat() = 0;
    // Why the last format did not give the card asked for.
    virtual FormatFault LastFault() const { return FormatFault::None; }
    // Whether the last format may have changed anything on the card; false when it stopped
    // before the card was written.
    virtual bool CardTouched() const { return true; }
    // The layout the last format made, as its boot sector gives it (e.g. "FAT16, 2048-byte
    // clusters, 32695 clusters"); empty when none was read.
    virtual std::string LastLayout() const { return {}; }
};

} // namespace dashcam
