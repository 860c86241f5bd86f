#include <gtest/gtest.h>

#include "platform/linux/FatLayout.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::CardImageTools;
constexpr std::uint64_t kMiB = 1ULL << 20;

// The cluster size chosen for each card size is checked against what mkfs.fat really makes:
// a valid FAT32 with that cluster size, while the next larger one would have too few clusters.
TEST(FatLayout, ChosenClusterIsTheLargestThatKeepsFat32Valid) {
    if (!CardImageTools::Present("mkfs.fat truncate")) {
        GTEST_SKIP() << "mkfs.fat is missing";
    }
    const struct {
        std::uint64_t bytes;
        std::uint32_t cluster;
    } cards[] = {{33 * kMiB, 512},     {64 * kMiB, 512},     {1024 * kMiB, 8192},
                 {2048 * kMiB, 16384}, {2112 * kMiB, 32768}, {3072 * kMiB, 32768},
                 {60000 * kMiB, 32768}};
    test::TempFolder folder;
    for (const auto& card : cards) {
        const std::uint32_t chosen = FatLayout::Fat32ClusterSizeFor(card.bytes, 32768);
        EXPECT_EQ(chosen, card.cluster) << card.bytes / kMiB << " MiB";
        const std::string image = folder.File(std::to_string(card.bytes / kMiB) + ".img");
        ASSERT_TRUE(CardImageTools::MakeImage(image, card.bytes,
                                              "mkfs.fat -F 32 -s " + std::to_string(chosen / 512)));
        const std::optional<FatLayout> made = FatLayout::ReadFile(image);
        ASSERT_TRUE(made.has_value());
        EXPECT_TRUE(made->Matches(false, chosen)) << made->Describe();
        if (chosen < 32768) {
            ASSERT_TRUE(CardImageTools::MakeImage(
                image, card.bytes, "mkfs.fat -F 32 -s " + std::to_string(chosen / 256)));
            const std::optional<FatLayout> larger = FatLayout::ReadFile(image);
            ASSERT_TRUE(larger.has_value());
            EXPECT_FALSE(larger->Matches(false, chosen * 2)) << larger->Describe();
        }
        std::filesystem::remove(image);
    }
    // Too small for any FAT32: refused, never formatted into an invalid one.
    EXPECT_EQ(FatLayout::Fat32ClusterSizeFor(32 * kMiB, 32768), 0u);
}

TEST(FatLayout, ReadsFat16ExfatAndRejectsWhatIsNoBootSector) {
    if (!CardImageTools::Present("mkfs.fat mkfs.exfat truncate")) {
        GTEST_SKIP() << "mkfs.fat or mkfs.exfat is missing";
    }
    test::TempFolder folder;
    const std::string image = folder.File("card.img");
    // What Debian 12's disk service makes of a small card, whatever cluster size was asked.
    ASSERT_TRUE(CardImageTools::MakeImage(image, 64 * kMiB, "mkfs.vfat -I -n '' --mbr=n"));
    std::optional<FatLayout> layout = FatLayout::ReadFile(image);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->kind, FatLayout::Kind::Fat16);
    EXPECT_FALSE(layout->Matches(false, 2048));
    EXPECT_EQ(layout->Describe(), "FAT16, 2048-byte clusters, 32695 clusters");

    ASSERT_TRUE(CardImageTools::MakeImage(image, 64 * kMiB, "mkfs.exfat"));
    layout = FatLayout::ReadFile(image);
    ASSERT_TRUE(layout.has_value());
    EXPECT_TRUE(layout->Matches(true, 0)) << layout->Describe();
    EXPECT_FALSE(layout->Matches(false, 32768));

    test::TempFolder::WriteTo(image, std::vector<std::uint8_t>(4096, 0));
    EXPECT_FALSE(FatLayout::ReadFile(image).has_value());
    EXPECT_FALSE(FatLayout::ReadFile(folder.File("missing.img")).has_value());
}

// What the kernel's FAT and exFAT drivers report for a mounted card (cluster size and count),
// read as the boot sector would be; anything else, such as a FUSE mount, says nothing.
TEST(FatLayout, MountedVolumeIsReadFromWhatTheDriverReports) {
    const auto fat32 = FatLayout::FromMountedFacts(0x4d44, 32768, 98277);
    ASSERT_TRUE(fat32.has_value());
    EXPECT_TRUE(fat32->Matches(false, 32768));
    const auto fat16 = FatLayout::FromMountedFacts(0x4d44, 2048, 32695);
    ASSERT_TRUE(fat16.has_value());
    EXPECT_EQ(fat16->kind, FatLayout::Kind::Fat16);
    EXPECT_TRUE(FatLayout::FromMountedFacts(0x2011BAB0, 131072, 480000)->Matches(true, 0));
    test::TempFolder folder;
    EXPECT_FALSE(FatLayout::ReadMounted(folder.CardPath()).has_value());
}

} // namespace
} // namespace dashcam
