#include <gtest/gtest.h>

#include "platform/linux/PosixFileAccess.h"
#include "settings/SettingsStore.h"
#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::RecordBytes;

struct RestoreDefaults : ::testing::Test {
    RestoreDefaults() { store.CreateEmptyRecord(); }
    test::TempFolder card;
    test::CapturedDebugOutput debug;
    test::ScriptedPrompt prompt;
    PosixFileAccess files;
    SettingsStore store{debug, files, prompt};
};

TEST_F(RestoreDefaults, KeepsTheDeviceOwnedValuesOfTheRecordInUse) {
    card.Write("setup.cfg",
               RecordBytes(
                   544, {{40, 0x11111111}, {44, 0x22222222}, {48, 0x77333333}, {224, 0x44444444}}));
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    card.Write("default.cfg",
               RecordBytes(544, {{0, 544}, {40, 9}, {44, 9}, {48, 0x00990009}, {64, 1}, {224, 9}}));

    store.RestoreDefaultSettings(card.File("default.cfg"));
    const SettingsRecord& r = store.Current();
    EXPECT_EQ(r.GetU32(40), 0x11111111u);
    EXPECT_EQ(r.GetU32(44), 0x22222222u);
    EXPECT_EQ(r.GetU16(48), 0x3333u);
    EXPECT_EQ(r.GetU16(50), 0x0099u); // only 16 bits at 48 are the device's; 50 comes from the file
    EXPECT_EQ(r.GetU32(224), 0x44444444u);
    EXPECT_EQ(r.GetI32(64), 1);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(RestoreDefaults, FromAnAllZeroRecordThePreservedValuesBecomeZero) {
    card.Write("default.cfg", RecordBytes(544, {{40, 5}, {224, 6}, {88, 2}}));
    store.RestoreDefaultSettings(card.File("default.cfg"));
    EXPECT_EQ(store.Current().GetU32(40), 0u);
    EXPECT_EQ(store.Current().GetU32(224), 0u);
    EXPECT_EQ(store.Current().GetI32(88), 2);
}

TEST_F(RestoreDefaults, MissingDefaultsTellTheUserAndKeepTheRecord) {
    store.Current().SetI32(64, 2);
    store.RestoreDefaultSettings(card.File("default.cfg"));
    EXPECT_EQ(prompt.messages,
              std::vector<std::string>{"no default.cfg :" + card.CardPath() + "default.cfg"});
    EXPECT_EQ(store.Current().GetI32(64), 2);
    EXPECT_EQ(debug.lines, std::vector<std::string>{"Warning Driscope Setting not found !\n"});
}

} // namespace
} // namespace dashcam
