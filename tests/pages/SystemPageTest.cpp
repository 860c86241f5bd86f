#include <QComboBox>
#include <QWheelEvent>

#include "pages/CSystemDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"

namespace dashcam {
namespace {

struct SystemPage : test::PageTest<CSystemDlg> {
    SystemPage() {
        // The second code has no name: the list shows two languages.
        device.names = {u"English", u"Korean"};
        device.nameCodeIndex = {0, 2};
        page.SetDevice(device);
    }
    DeviceDescription device;
};

constexpr auto kVoiceOn = OffsetOf("voice_guidance_enable");
constexpr auto kVolume = OffsetOf("voice_volume");

TEST_F(SystemPage, LoadingShowsOddValuesKeepsThemAndClearsTheClockRequest) {
    SetField(kVoiceOn, 1);
    SetField(kVolume, 6);
    SetField(OffsetOf("lcd_off"), 1);
    SetField(OffsetOf("security_led"), 4);
    SetField(OffsetOf("speed_unit"), 2);
    SetField(OffsetOf("speed_stamp"), 2);
    SetField(OffsetOf("language_index"), 2);
    context.clockRequest.flag = 1;
    LoadKeepingTheRecord();
    EXPECT_EQ(context.clockRequest.flag, 0u);
    EXPECT_EQ(Get<CSubSlider>(1018)->GetPosition(), 3);
    EXPECT_TRUE(Checked(1037));
    for (int id : {1330, 1331, 1332, 1333}) {
        EXPECT_FALSE(Checked(id));
    }
    EXPECT_TRUE(Checked(1383));
    EXPECT_TRUE(Checked(1398));
    auto* languages = Get<QComboBox>(1390);
    EXPECT_EQ(languages->count(), 2);
    EXPECT_EQ(languages->currentIndex(), 1);
}

TEST_F(SystemPage, VoiceGuidancePairAndRadiosWriteTheirValues) {
    SetField(kVoiceOn, 0);
    SetField(kVolume, 3);
    page.LoadFromRecord();
    EXPECT_EQ(Get<CSubSlider>(1018)->GetPosition(), 0);
    Key(1018, Qt::Key_Right);
    Key(1018, Qt::Key_Right);
    EXPECT_EQ(Field(kVoiceOn), 1);
    EXPECT_EQ(Field(kVolume), 2);
    Key(1018, Qt::Key_Home);
    EXPECT_EQ(Field(kVoiceOn), 0);
    EXPECT_EQ(Field(kVolume), 2);

    Click(1038);
    EXPECT_EQ(Field(OffsetOf("lcd_off")), 600000);
    Click(1039);
    EXPECT_EQ(Field(OffsetOf("lcd_off")), 0);
    Click(1332);
    EXPECT_EQ(Field(OffsetOf("security_led")), 3);
    Click(1383);
    EXPECT_EQ(Field(OffsetOf("speed_unit")), 1);
    EXPECT_TRUE(Checked(1039)); // sections are separate groups

    auto* languages = Get<QComboBox>(1390);
    languages->setFocus();
    QTest::keyClick(languages, Qt::Key_Down);
    EXPECT_EQ(Field(OffsetOf("language_index")), 2);
}

} // namespace
} // namespace dashcam

namespace dashcam {
namespace {

// A wheel turned while the pointer passes over a list scrolls the page; only a list the user
// has focused takes it.
TEST_F(SystemPage, WheelOverAnUnfocusedListScrollsInsteadOfChoosing) {
    SetField(OffsetOf("language_index"), 0);
    page.LoadFromRecord();
    auto* languages = Get<QComboBox>(1390);
    EXPECT_EQ(languages->focusPolicy(), Qt::StrongFocus);
    const auto wheel = [&] {
        QWheelEvent event(QPointF(5, 5), languages->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(languages, &event);
        return event.isAccepted();
    };
    const auto before = Bytes();
    EXPECT_FALSE(wheel());
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(Bytes(), before);
    languages->setFocus();
    EXPECT_TRUE(wheel());
    EXPECT_EQ(languages->currentIndex(), 1);
    EXPECT_EQ(Field(OffsetOf("language_index")), 2);
}

TEST(SystemPageZones, PickingAZoneWritesItsNameAndOffset) {
    test::TestPlatform platform;
    platform.timeZones.AddZone(u"Tokyo Standard Time", -540);
    platform.timeZones.AddZone(u"Eastern Standard Time", 300);
    AppContext context{platform.services, platform.prompt};
    context.settings.CreateEmptyRecord();
    context.settings.Current().SetText(OffsetOf("time_zone_name"), 32, "Tokyo Standard Time");
    context.settings.Current().SetI32(OffsetOf("time_zone_offset"), 540);
    CSystemDlg page(context);
    page.OnInitDialog();
    page.show();
    page.LoadFromRecord();
    auto* zones = qobject_cast<QComboBox*>(page.Control(1123));
    ASSERT_EQ(zones->count(), 2);
    EXPECT_EQ(zones->currentIndex(), 0); // east first
    zones->setFocus();
    QTest::keyClick(zones, Qt::Key_Down);
    EXPECT_EQ(context.settings.Current().GetText(OffsetOf("time_zone_name"), 32),
              "Eastern Standard Time");
    EXPECT_EQ(context.settings.Current().GetI32(OffsetOf("time_zone_offset")), -300);
}

} // namespace
} // namespace dashcam
