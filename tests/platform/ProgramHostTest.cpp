#include <gtest/gtest.h>

#include "platform/linux/LinuxProgramHost.h"
#include "tests/support/ScopedEnv.h"

namespace dashcam {
namespace {

using test::ScopedEnv;

TEST(LinuxProgramHost, AppDataFolderIsXdgDataHomeWhenAbsoluteElseTheHomeDefault) {
    LinuxProgramHost host;
    ScopedEnv home("HOME", "/home/driver");
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(host.LocalAppDataFolder(), "/srv/data");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(host.LocalAppDataFolder(), "/home/driver/.local/share");
    }
}

} // namespace
} // namespace dashcam
