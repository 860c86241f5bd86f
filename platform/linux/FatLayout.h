#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dashcam {

// The layout of a FAT or exFAT volume as its boot sector gives it, and the FAT32 cluster size a
// card of a given size can have.
class FatLayout {
public:
    enum class Kind { Fat12, Fat16, Fat32, Exfat };

    // Reads the boot sector at the start of the descriptor; none when it holds no FAT or exFAT
    // boot sector.
    static std::optional<FatLayout> Read(int fd);
    // Reads the boot sector of a device or image file.
    static std::optional<FatLayout> ReadFile(const std::string& path);
    // The layout of a volume the kernel has mounted, from what its FAT and exFAT drivers report
    // (block size = cluster size, blocks = clusters); none for other file systems, such as a
    // FUSE mount.
    static std::optional<FatLayout> ReadMounted(const std::string& mountPoint);
    static std::optional<FatLayout> FromMountedFacts(long type, std::uint64_t blockSize,
                                                     std::uint64_t blocks);

    // The largest power of two from `largest` down to 512 bytes that still gives a card of this
    // size the 65525 clusters a valid FAT32 needs; 0 when the card is too small for any.
    static std::uint32_t Fat32ClusterSizeFor(std::uint64_t deviceBytes, std::uint32_t largest);

    // Whether this is the volume asked for: exFAT, or a valid FAT32 with exactly that cluster
    // size (any, when 0).
    bool Matches(bool exfat, std::uint32_t clusterBytes) const;
    // For diagnostics, e.g. "FAT16, 2048-byte clusters, 32695 clusters".
    std::string Describe() const;

    Kind kind = Kind::Fat32;
    std::uint32_t clusterBytes = 0;
    std::uint64_t clusters = 0;
};

} // namespace dashcam
