// The load and save sequences both front ends run, without a window.
#include <gtest/gtest.h>

#include "card/CardSession.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

using test::RecordBytes;

struct CardSessionTest : ::testing::Test {
    CardSessionTest() { context.CardPath = card.CardPath(); }

    test::TempFolder card;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CardSession session{context};
    DeviceDescription device;
};

TEST_F(CardSessionTest, LoadReadsEveryCardFileAndFallsBackToTheDefaultsOnAZeroRecord) {
    card.Write("default.cfg", RecordBytes(544, {{0, 544}, {40, 9}, {64, 2}, {224, 7}}));
    card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en fr\r\n");
    card.WriteText("time.dat", "2024,03,05,07,08,09,+0900");
    const CardLoadResult loaded = session.Load(device);
    EXPECT_EQ(loaded.source, CardLoadSource::Defaults);
    EXPECT_FALSE(loaded.setupError.empty());
    EXPECT_EQ(context.settings.Current().GetI32(64), 2);
    EXPECT_EQ(context.settings.Current().GetI32(40), 0); // device-owned: from the zero record
    EXPECT_EQ(context.settings.Current().GetI32(224), 0);
    EXPECT_EQ(device.codes, (std::vector<std::u16string>{u"en", u"fr"}));
    EXPECT_EQ(context.clockRequest.flag, 1u);
    EXPECT_EQ(context.clockRequest.time.wSecond, 9);

    std::filesystem::remove(card.File("default.cfg"));
    EXPECT_EQ(session.Load(device).source, CardLoadSource::None);
    EXPECT_EQ(platform.prompt.messages,
              std::vector<std::string>{"no default.cfg :" + card.File("default.cfg")});
    context.CardPath.clear();
    EXPECT_EQ(session.Load(device).source, CardLoadSource::NoCard);
    EXPECT_TRUE(context.settings.HasRecord());
}

// A short save that the caller does not accept stops before time.dat: the camera's clock request
// is neither written nor deleted.
TEST_F(CardSessionTest, RefusedShortSaveLeavesTheClockRequestAlone) {
    card.Write("setup.cfg", RecordBytes(100, {{0, 100}}));
    card.WriteText("time.dat", "2024,03,05,07,08,09,+0900");
    ASSERT_EQ(session.Load(device).source, CardLoadSource::Setup);
    context.settings.Current().SetI32(436, 1);
    context.clockRequest.flag = 0;
    std::uint32_t told = 0;
    CardSaveChoices choices;
    choices.keepMine = [](const SettingsField&, const SettingsRecord&, const SettingsRecord&) {
        return true;
    };
    choices.acceptPartial = [&told](const std::string&, std::uint32_t written) {
        told = written;
        return false;
    };
    EXPECT_EQ(session.Save(choices).step, CardSaveStep::PartialRefused);
    EXPECT_EQ(told, 100u);
    EXPECT_TRUE(card.Exists("time.dat"));

    choices.acceptPartial = [](const std::string&, std::uint32_t) { return true; };
    EXPECT_EQ(session.Save(choices).step, CardSaveStep::Saved);
    EXPECT_FALSE(card.Exists("time.dat"));
}

} // namespace
} // namespace dashcam
