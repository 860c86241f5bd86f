// The Linux services that stand in for the drive, the registry and the PC's zone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/IniRegistryManager.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/QtPcTimeZone.h"
#include "platform/linux/StderrDebugOutput.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

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

// What has reached standard error, read from the pipe put in its place.
std::string Drain(int fd) {
    std::string text;
    char buffer[8192];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, std::size_t(n));
    }
    return text;
}

TEST(StderrDebugOutput, BatchWritesItsTextsInOrderOnlyWhenItEnds) {
    int pipeFds[2];
    ASSERT_EQ(::pipe2(pipeFds, O_NONBLOCK), 0);
    const int savedStderr = ::dup(STDERR_FILENO);
    ::dup2(pipeFds[1], STDERR_FILENO);
    std::string before, during, after, afterDestruction;
    {
        StderrDebugOutput debug;
        debug.Write(u"one\n");
        before = Drain(pipeFds[0]);
        debug.BeginBatch();
        debug.BeginBatch();             // nested: only the outer end writes
        for (int i = 0; i < 400; ++i) { // more than one atomic write's worth
            debug.Write(u"key = \"\u00e9t\u00e9\"\n");
        }
        debug.EndBatch();
        during = Drain(pipeFds[0]);
        debug.EndBatch();
        after = Drain(pipeFds[0]);
        debug.BeginBatch();
        debug.Write(u"kept when the channel closes\n");
    }
    afterDestruction = Drain(pipeFds[0]);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    EXPECT_EQ(before, "one\n");
    EXPECT_EQ(during, "");
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        expected += "key = \"\xc3\xa9t\xc3\xa9\"\n";
    }
    EXPECT_EQ(after, expected);
    EXPECT_EQ(afterDestruction, "kept when the channel closes\n");
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
