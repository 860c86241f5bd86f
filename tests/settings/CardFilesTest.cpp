#include <gtest/gtest.h>

#include <filesystem>

#include "card/TouchCalibration.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/PosixFileAccess.h"
#include "settings/CardPath.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

class FixedRootVolumes : public IVolumes {
public:
    explicit FixedRootVolumes(std::string root) : m_root(std::move(root)) {}
    std::string DriveRoot(const std::string&) override { return m_root; }
    std::string BlockDevice(const std::string&) override { return {}; }
    bool IsRemovable(const std::string&) override { return false; }
    std::uint64_t CapacityBytes(const std::string&) override { return 0; }
    VolumeIdentity Identify(const std::string&) override { return {}; }

private:
    std::string m_root;
};

TEST(CardPath, OneArgumentOnlyWithASeparatorForAnExistingFolder) {
    test::TempFolder folder;
    const std::string bare = folder.Path().string();
    EXPECT_EQ(CardPathFromArguments({bare}), bare + "/");
    EXPECT_EQ(CardPathFromArguments({bare + "/"}), bare + "/");
    EXPECT_EQ(CardPathFromArguments({bare + "/none"}), bare + "/none");
    EXPECT_EQ(CardPathFromArguments({}), "");
    EXPECT_EQ(CardPathFromArguments({"/media/my", "card"}), "");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::filesystem::create_directories("card");
    EXPECT_EQ(CardPathFromArguments({"card"}), folder.CardPath() + "card/");
    std::filesystem::current_path(before);
}

TEST(TouchCalibration, EmptyRequestFileLandsInTheVolumeRoot) {
    test::TempFolder root;
    root.WriteText("set_touch_cal.txt", "old content");
    std::filesystem::create_directories(root.Path() / "DCIM");
    FixedRootVolumes volumes(root.CardPath());
    PosixFileAccess files;
    RequestTouchCalibrationReset(volumes, files, root.CardPath() + "DCIM/");
    EXPECT_TRUE(root.Exists("set_touch_cal.txt"));
    EXPECT_TRUE(root.Read("set_touch_cal.txt").empty());
    EXPECT_FALSE(root.Exists("DCIM/set_touch_cal.txt"));
}

} // namespace
} // namespace dashcam
