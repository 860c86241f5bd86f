#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

#include "platform/linux/IniRegistryManager.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/PosixFileAccess.h"
#include "platform/linux/QtPcTimeZone.h"
#include "settings/CardPath.h"
#include "settings/TouchCalibration.h"
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

TEST(LinuxVolumes, DriveRootIsTheMountPointHoldingThePath) {
    LinuxVolumes volumes;
    EXPECT_EQ(volumes.DriveRoot("/"), "/");
    EXPECT_EQ(volumes.DriveRoot("/proc/self/"), "/proc/");
    test::TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "a/b");
    const std::string root = volumes.DriveRoot(folder.CardPath() + "a/b/");
    EXPECT_EQ(root, volumes.DriveRoot(folder.CardPath()));
    EXPECT_EQ(root.back(), '/');
    EXPECT_EQ(folder.CardPath().rfind(root, 0), 0u) << root;
    EXPECT_GT(volumes.CapacityBytes(folder.CardPath()), 0u);
    EXPECT_FALSE(volumes.IsRemovable("/proc/self/")); // no block device behind it
    EXPECT_EQ(volumes.BlockDevice("/proc/self/"), "");
}

TEST(IniRegistry, ReadsTheViewerLanguageAndRespectsTheBufferSize) {
    test::TempFolder config;
    config.WriteText("registry.ini", "; stands in for the registry\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\BREVANTIS]\n"
                                     "LANGUAGE = German\n"
                                     "LONG = " +
                                         std::string(200, 'x') +
                                         "\n"
                                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\BREVANTIS\\Sub]\n");
    IniRegistryManager registry(config.File("registry.ini"));
    std::u16string value;
    EXPECT_TRUE(registry.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\",
                                   u"language", value, 260));
    EXPECT_EQ(value, u"German");

    value.clear();
    EXPECT_FALSE(registry.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\", u"LONG",
                                    value, 260));
    EXPECT_FALSE(registry.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\", u"NONE",
                                    value, 260));
    EXPECT_FALSE(registry.ReadValue(RegistryRoot::CurrentUser, u"SOFTWARE\\BREVANTIS\\",
                                    u"LANGUAGE", value, 260));
    EXPECT_TRUE(value.empty());

    RegistryKey key = kNoRegistryKey;
    ASSERT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, u"software\\brevantis", key),
              kRegistrySuccess);
    std::vector<std::u16string> names;
    registry.ListSubKeys(key, names);
    EXPECT_EQ(names, std::vector<std::u16string>{u"Sub"});
    registry.CloseKey(key);

    IniRegistryManager missing(config.File("absent.ini"));
    EXPECT_FALSE(missing.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\",
                                   u"LANGUAGE", value, 260));

    // A pipe in the file's place is refused instead of waiting for a writer.
    ASSERT_EQ(::mkfifo(config.File("pipe.ini").c_str(), 0600), 0);
    IniRegistryManager pipe(config.File("pipe.ini"));
    EXPECT_FALSE(pipe.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\", u"LANGUAGE",
                                value, 260));
}

TEST(QtPcTimeZone, StandardOffsetAndIdOfTheSystemZoneHonourTz) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    QtPcTimeZone zone;

    ::setenv("TZ", "Asia/Tokyo", 1);
    TimeZoneInformation tokyo = zone.GetTimeZoneInformation();
    EXPECT_EQ(tokyo.Bias, -540);
    EXPECT_EQ(tokyo.StandardName, u"Tokyo Standard Time");
    EXPECT_EQ(tokyo.DaylightBias, 0);

    ::setenv("TZ", "America/New_York", 1);
    TimeZoneInformation newYork = zone.GetTimeZoneInformation();
    EXPECT_EQ(newYork.Bias, 300); // standard offset, whatever the season
    EXPECT_EQ(newYork.StandardName, u"Eastern Standard Time");

    ::setenv("TZ", "Asia/Kolkata", 1);
    EXPECT_EQ(zone.GetTimeZoneInformation().Bias, -330);

    if (previous) {
        ::setenv("TZ", saved.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
}

} // namespace
} // namespace dashcam
