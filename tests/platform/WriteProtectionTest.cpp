#include <gtest/gtest.h>

#include "platform/linux/WriteProtection.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::CardImageTools;

// A card whose lock switch is set is a read-only block device: it is seen before anything is
// written, while a writable one is not mistaken for it.
TEST(WriteProtection, ReadOnlyDeviceIsSeenWritableOneIsNot) {
    test::TempFolder folder;
    const std::string image = folder.File("card.img");
    ASSERT_TRUE(CardImageTools::MakeImage(image, 1 << 20, ""));
    EXPECT_FALSE(WriteProtection::DeviceRefusesWrites(image));
    EXPECT_FALSE(WriteProtection::MountIsReadOnly(folder.CardPath()));
    EXPECT_FALSE(WriteProtection::DeviceRefusesWrites(folder.File("missing.img")));
    // The disk service's own words for such a card.
    EXPECT_TRUE(
        WriteProtection::SaysReadOnly("Error opening device /dev/sdb1: Read-only file system"));
    EXPECT_FALSE(WriteProtection::SaysReadOnly("Error unmounting /dev/sdb1: target is busy"));

    std::string device = CardImageTools::Run("losetup -r -f --show '" + image + "'");
    device.erase(device.find_last_not_of('\n') + 1);
    if (device.rfind("/dev/loop", 0) != 0) {
        GTEST_SKIP() << "no loop device can be attached here";
    }
    EXPECT_TRUE(WriteProtection::DeviceRefusesWrites(device));
    CardImageTools::Run("losetup -d " + device);
}

} // namespace
} // namespace dashcam
