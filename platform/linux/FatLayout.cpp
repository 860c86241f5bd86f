#include "platform/linux/FatLayout.h"

#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace dashcam {
namespace {

constexpr std::uint64_t kFat12Limit = 4085;
constexpr std::uint64_t kFat32Minimum = 65525;
constexpr std::uint32_t kSector = 512;
// mkfs.fat's FAT32 reserved sectors.
constexpr std::uint64_t kReservedSectors = 32;

using Sector = std::array<unsigned char, kSector>;

std::uint32_t Le(const Sector& s, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | s[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::optional<FatLayout> Exfat(const Sector& s) {
    const std::uint32_t sectorShift = s[108];
    const std::uint32_t clusterShift = s[109];
    if (sectorShift < 9 || sectorShift > 12 || sectorShift + clusterShift > 25) {
        return std::nullopt;
    }
    return FatLayout{FatLayout::Kind::Exfat, 1u << (sectorShift + clusterShift), Le(s, 92, 4)};
}

// Cluster count and FAT type as the FAT standard defines them from the BIOS parameter block.
std::optional<FatLayout> Fat(const Sector& s) {
    const std::uint32_t bytesPerSector = Le(s, 11, 2);
    const std::uint32_t sectorsPerCluster = s[13];
    const std::uint32_t reserved = Le(s, 14, 2);
    const std::uint32_t fats = s[16];
    const std::uint32_t rootEntries = Le(s, 17, 2);
    const std::uint32_t fatSize16 = Le(s, 22, 2);
    const std::uint64_t fatSize = fatSize16 != 0 ? fatSize16 : Le(s, 36, 4);
    const std::uint64_t total = Le(s, 19, 2) != 0 ? Le(s, 19, 2) : Le(s, 32, 4);
    if (bytesPerSector < 512 || bytesPerSector > 4096 || sectorsPerCluster == 0 || fats == 0) {
        return std::nullopt;
    }
    const std::uint64_t rootSectors = (rootEntries * 32u + bytesPerSector - 1) / bytesPerSector;
    const std::uint64_t meta = reserved + fats * fatSize + rootSectors;
    if (meta >= total) {
        return std::nullopt;
    }
    FatLayout layout;
    layout.clusterBytes = bytesPerSector * sectorsPerCluster;
    layout.clusters = (total - meta) / sectorsPerCluster;
    // A FAT32 parameter block has no 16-bit FAT size; the count decides the rest.
    if (fatSize16 == 0) {
        layout.kind = FatLayout::Kind::Fat32;
    } else {
        layout.kind =
            layout.clusters < kFat12Limit ? FatLayout::Kind::Fat12 : FatLayout::Kind::Fat16;
    }
    return layout;
}

} // namespace

std::optional<FatLayout> FatLayout::Read(int fd) {
    Sector sector{};
    if (::pread(fd, sector.data(), sector.size(), 0) != static_cast<ssize_t>(sector.size()) ||
        sector[510] != 0x55 || sector[511] != 0xAA) {
        return std::nullopt;
    }
    if (std::memcmp(sector.data() + 3, "EXFAT   ", 8) == 0) {
        return Exfat(sector);
    }
    return Fat(sector);
}

std::optional<FatLayout> FatLayout::ReadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<FatLayout> layout = Read(fd);
    ::close(fd);
    return layout;
}

std::optional<FatLayout> FatLayout::ReadMounted(const std::string& mountPoint) {
    struct statfs info {};
    if (::statfs(mountPoint.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FromMountedFacts(static_cast<long>(info.f_type), info.f_bsize, info.f_blocks);
}

std::optional<FatLayout> FatLayout::FromMountedFacts(long type, std::uint64_t blockSize,
                                                     std::uint64_t blocks) {
    constexpr long kMsdosMagic = 0x4d44;
    constexpr long kExfatMagic = 0x2011BAB0;
    if (type == kExfatMagic) {
        return FatLayout{Kind::Exfat, static_cast<std::uint32_t>(blockSize), blocks};
    }
    if (type != kMsdosMagic) {
        return std::nullopt;
    }
    // The driver does not say which FAT it read; the count decides, as in the standard.
    const Kind kind =
        blocks < kFat12Limit ? Kind::Fat12 : (blocks < kFat32Minimum ? Kind::Fat16 : Kind::Fat32);
    return FatLayout{kind, static_cast<std::uint32_t>(blockSize), blocks};
}

std::uint32_t FatLayout::Fat32ClusterSizeFor(std::uint64_t deviceBytes, std::uint32_t largest) {
    const std::uint64_t sectors = deviceBytes / kSector;
    for (std::uint32_t cluster = largest; cluster >= kSector; cluster /= 2) {
        const std::uint64_t perCluster = cluster / kSector;
        // Room left after the reserved sectors and the alignment of the data area; every
        // cluster also costs a 4-byte entry in each of the two FATs.
        if (sectors <= kReservedSectors + perCluster) {
            continue;
        }
        const std::uint64_t room = (sectors - kReservedSectors - perCluster) * kSector;
        const std::uint64_t clusters = room / (cluster + 8);
        if (clusters >= kFat32Minimum + 2) {
            return cluster;
        }
    }
    return 0;
}

bool FatLayout::Matches(bool exfat, std::uint32_t wantedClusterBytes) const {
    if (exfat) {
        return kind == Kind::Exfat;
    }
    return kind == Kind::Fat32 && clusters >= kFat32Minimum &&
           (wantedClusterBytes == 0 || clusterBytes == wantedClusterBytes);
}

std::string FatLayout::Describe() const {
    static constexpr const char* kNames[] = {"FAT12", "FAT16", "FAT32", "exFAT"};
    return std::string(kNames[static_cast<int>(kind)]) + ", " + std::to_string(clusterBytes) +
           "-byte clusters, " + std::to_string(clusters) + " clusters";
}

} // namespace dashcam
