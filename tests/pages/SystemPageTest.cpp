#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <QWheelEvent>
#include <filesystem>

#include "pages/CSystemDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"
#include "tests/support/FuseMounter.h"

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

namespace dashcam {
namespace {

// The two sections at the page end can be scrolled into view whole.
TEST_F(SystemPage, ClockAndTouchSectionsAreReachedAtTheScrollLimit) {
    page.LoadFromRecord();
    for (int id : {1391, 1326, 1122, 1121, 1394, 1395, 1360}) {
        const QRect placed = page.Control(id)->geometry();
        EXPECT_GT(placed.width(), 0) << id;
        EXPECT_GE(placed.top(), 980) << id; // after the speed stamp
        EXPECT_LE(placed.bottom() - page.ScrollLimit(), CBaseDialog::kHeight) << id;
    }
    EXPECT_FALSE(page.Control(1121)->isEnabled());
    // The box takes the pickers' date and time; Sync with PC time takes the PC's.
    Click(1326);
    EXPECT_EQ(context.clockRequest.flag, 1u);
    Get<QDateEdit>(1122)->setDate(QDate(2030, 1, 6));
    Get<QTimeEdit>(1121)->setTime(QTime(23, 59, 58));
    const SystemTime& t = context.clockRequest.time;
    EXPECT_EQ(
        std::vector<int>({t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond}),
        std::vector<int>({2030, 1, 6, 0, 23, 59, 58}));
    // The wheel over the picker scrolls the page until the picker is focused.
    auto* picker = Get<QTimeEdit>(1121);
    QWheelEvent wheel(QPointF(5, 5), picker->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(picker, &wheel);
    EXPECT_EQ(picker->time(), QTime(23, 59, 58));
    EXPECT_EQ(page.ScrollPos(), 100);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    Click(1394);
    const QDateTime taken(QDate(t.wYear, t.wMonth, t.wDay), QTime(t.wHour, t.wMinute, t.wSecond));
    EXPECT_GE(taken, before.addMSecs(-before.time().msec()));
    EXPECT_LE(taken, QDateTime::currentDateTime());
    Click(1326);
    EXPECT_EQ(context.clockRequest.flag, 0u);
    EXPECT_FALSE(page.Control(1122)->isEnabled());
}

// The request file goes to the root of the card's volume, a FAT file system mounted through
// FUSE, even when the card folder is a folder inside it; only a second Yes makes it.
TEST(SystemPageTouch, ConfirmedCalibrationResetMakesTheFileAtTheVolumeRoot) {
    using test::FuseMounter;
    if (FuseMounter::Shell("command -v fusefat && command -v mkfs.fat && command -v mdir && "
                           "test -e /dev/fuse") != 0) {
        GTEST_SKIP() << "fusefat, mkfs.fat, mtools or /dev/fuse is missing";
    }
    test::TempFolder work;
    const std::string image = work.File("card.img");
    ASSERT_EQ(FuseMounter::Shell("truncate -s 16M '" + image + "' && mkfs.fat '" + image +
                                 "' && MTOOLS_SKIP_CHECK=1 mmd -i '" + image + "' ::/DCIM"),
              0);
    const std::string mountPoint = work.CardPath() + "card/";
    std::filesystem::create_directories(mountPoint);
    FuseMounter mounter("fusefat -o rw+");
    std::string error;
    ASSERT_FALSE(mounter.Mount(image, mountPoint, error).empty());
    {
        test::TestPlatform platform;
        AppContext context{platform.services, platform.prompt};
        context.settings.CreateEmptyRecord();
        context.language.LoadLanguage(u"english");
        context.CardPath = mountPoint + "DCIM/";
        CSystemDlg page(context);
        page.OnInitDialog();
        page.show();
        auto* button = page.Control(1360);
        // Not a memory card as far as the volumes tell: its root is no place for the request.
        platform.prompt.answers = {true};
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
        EXPECT_FALSE(std::filesystem::exists(mountPoint + "set_touch_cal.txt"));
        EXPECT_EQ(platform.prompt.messages,
                  std::vector<std::string>{"The card folder is not on a memory card, so no touch "
                                           "calibration was requested."});
        platform.prompt.messages.clear();
        platform.prompt.questions.clear();
        platform.volumes.removable.insert(context.CardPath);

        // A request that cannot be made is told, not passed over as done.
        std::filesystem::create_directory(mountPoint + "set_touch_cal.txt");
        platform.prompt.answers = {true};
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
        ASSERT_EQ(platform.prompt.messages.size(), 2u);
        EXPECT_EQ(platform.prompt.messages[1],
                  "The touch calibration request could not be written to the memory card: " +
                      mountPoint + "set_touch_cal.txt");
        std::filesystem::remove(mountPoint + "set_touch_cal.txt");
        platform.prompt.messages.clear();
        platform.prompt.questions.clear();

        platform.prompt.answers = {false, true};
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
        EXPECT_FALSE(std::filesystem::exists(mountPoint + "set_touch_cal.txt"));
        EXPECT_TRUE(platform.prompt.messages.empty());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, 6));
        ASSERT_EQ(platform.prompt.questions.size(), 2u);
        EXPECT_EQ(platform.prompt.questions[0].title, "Initialize");
        EXPECT_TRUE(platform.prompt.questions[0].text.starts_with("Warning: This will initialize"));
        EXPECT_EQ(platform.prompt.messages,
                  std::vector<std::string>{"Select (Yes) to continue, or (No) to cancel."});
        EXPECT_TRUE(std::filesystem::exists(mountPoint + "set_touch_cal.txt"));
        EXPECT_FALSE(std::filesystem::exists(mountPoint + "DCIM/set_touch_cal.txt"));
    }
    ASSERT_TRUE(mounter.Unmount(mountPoint, error));
    EXPECT_EQ(
        FuseMounter::Shell("MTOOLS_SKIP_CHECK=1 mdir -i '" + image + "' ::/set_touch_cal.txt"), 0);
}

} // namespace
} // namespace dashcam
