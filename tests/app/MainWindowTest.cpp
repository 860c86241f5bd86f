#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTimeEdit>
#include <algorithm>
#include <filesystem>

#include "app/CSettingDlg.h"
#include "pages/CBaseDialog.h"
#include "platform/NullDebugOutput.h"
#include "resources/EmbeddedResources.h"
#include "skin/CGdiPlusBitmapResource.h"
#include "skin/CRButton.h"
#include "skin/SkinFonts.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"
#include "text/CIniText.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

using test::RecordBytes;

std::vector<std::uint8_t> SetupBytes() {
    return RecordBytes(544, {{0, 544}, {4, 0x00010002}, {64, 1}, {428, 1}, {224, 0x1234}});
}
std::vector<std::uint8_t> Defaults() {
    return RecordBytes(544, {{0, 544}, {64, 2}, {88, 2}, {224, 7}, {40, 9}});
}

struct MainWindow : ::testing::Test {
    explicit MainWindow(const std::string& registryLanguage = "") : platform(registryLanguage) {
        card.Write("setup.cfg", SetupBytes());
        card.Write("default.cfg", Defaults());
        card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en fr\r\n");
        card.WriteText("time.dat", "2023,12,31,23,59,58,+0900");
        context.CardPath = card.CardPath();
    }
    CSettingDlg::StartResult Start() {
        const auto result = window.Start();
        if (result == CSettingDlg::StartResult::Running) {
            window.show();
        }
        return result;
    }
    void Click(int id) {
        CRButton* button = window.Button(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
    }
    // The program lies on the card, a removable drive, with the app-data folder elsewhere.
    void StartFromTheCard(const test::TempFolder& appData) {
        platform.program.executable = card.CardPath() + "dashcam-setting";
        card.WriteText("dashcam-setting", "program bytes");
        platform.program.appData = appData.Path().string();
        platform.volumes.removable.insert(card.CardPath());
    }
    std::vector<int> VisiblePages() {
        std::vector<int> shown;
        for (int tab = 2200; tab <= 2204; ++tab) {
            if (window.Page(tab) && window.Page(tab)->isVisible()) {
                shown.push_back(tab);
            }
        }
        return shown;
    }

    test::TempFolder card;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CSettingDlg window{context};
};

TEST_F(MainWindow, StartsOnTheMemoryCardTabAndTabsSwitchPages) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    EXPECT_EQ(window.size(), QSize(722, 587));
    EXPECT_TRUE(window.Button(2203)->IsSelected());
    EXPECT_EQ(VisiblePages(), std::vector<int>{2203});
    EXPECT_EQ(window.Page(2203)->pos(), QPoint(11, 85));
    for (int tab : {2200, 2201, 2202, 2204, 2203, 2203}) {
        Click(tab);
        EXPECT_EQ(VisiblePages(), std::vector<int>{tab});
        for (int other = 2200; other <= 2204; ++other) {
            EXPECT_EQ(window.Button(other)->IsSelected(), other == tab);
        }
    }
    EXPECT_EQ(card.Read("setup.cfg"), SetupBytes());
}

// The icon is decoded when asked for: the window system gets both pictures as they are, and a
// smaller size is drawn from the picture that covers it.
TEST_F(MainWindow, WindowIconGivesTheProgramsPictures) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    const QIcon icon = window.windowIcon();
    QList<QSize> sizes;
    for (const char* name : {"128", "128@2x"}) {
        const auto bytes = FindEmbeddedResource("ICON", name);
        ASSERT_TRUE(bytes.has_value()) << name;
        const QImage picture =
            DecodePng(*bytes).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        sizes.push_back(picture.size());
        EXPECT_EQ(icon.pixmap(picture.size())
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  picture)
            << name;
    }
    EXPECT_EQ(icon.availableSizes(), sizes);
    EXPECT_EQ(icon.pixmap(QSize(24, 24)).size(), QSize(24, 24));
    EXPECT_EQ(icon.pixmap(QSize(512, 512)).size(), sizes.back()); // never enlarged
}

TEST_F(MainWindow, CameraLanguageChoosesThePack) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    // language_index 1 of the codes en, fr is French
    EXPECT_EQ(window.windowTitle().toStdU16String(), context.language.GetText(u"IDS_STRING101"));
    EXPECT_NE(window.windowTitle(), QStringLiteral("Dash cam setting"));
    // Read at start, then cleared by the System page as it loads.
    EXPECT_EQ(context.clockRequest.flag, 0u);
}

// The System page's load puts the PC's zone into a record that holds none, whether or not the
// page has been made: by itself once the window shows (the catalogue's lines first), or as soon
// as the record is used, whichever comes first; Save writes it.
TEST_F(MainWindow, RecordWithoutAZoneGetsThePcZoneBeforeItIsUsed) {
    platform.timeZones.AddZone(u"Eastern Standard Time", 300);
    platform.timeZones.AddZone(u"Tokyo Standard Time", -540);
    const auto zoneRead = [this] {
        return std::ranges::count(platform.debug.lines, "TimeZone Read  [] Bias[0]\n");
    };
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    EXPECT_TRUE(QTest::qWaitFor([&] { return zoneRead() == 1; }));
    const auto& lines = platform.debug.lines;
    EXPECT_LT(std::ranges::find(lines, "\t1\t[Tokyo Standard Time]\t[(zone) Tokyo Standard "
                                       "Time]\tBias[540]\tDaylightBias[0]\n"),
              std::ranges::find(lines, "TimeZone Read  [] Bias[0]\n"));
    Click(2304);
    auto expected = SetupBytes();
    const std::string name = "Tokyo Standard Time";
    std::ranges::copy(name, expected.begin() + 380);
    expected[372] = 540 & 0xFF;
    expected[373] = 540 >> 8;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_EQ(zoneRead(), 1);

    AppContext other{platform.services, platform.prompt};
    other.CardPath = context.CardPath;
    card.Write("setup.cfg", SetupBytes());
    CSettingDlg unshown(other);
    ASSERT_EQ(unshown.Start(), CSettingDlg::StartResult::Running);
    EXPECT_EQ(other.settings.Current().GetText(380, 32), name);
    EXPECT_EQ(other.settings.Current().GetI32(372), 540);
    EXPECT_EQ(zoneRead(), 2);
}

TEST_F(MainWindow, SaveWritesTheRecordAndRemovesTheClockFile) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    context.settings.Current().SetI32(88, 2);
    context.clockRequest.flag = 0;
    Click(2304);
    auto expected = SetupBytes();
    expected[88] = 2;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_FALSE(card.Exists("time.dat"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(context.settings.HasRecord());
}

// The driver ticks the clock box on the System page and picks a date and time; Save writes them
// with the PC zone's standard offset (UTC+9 here) in the camera's form.
TEST_F(MainWindow, TickedClockBoxWritesTheClockFileOnSave) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    Click(CSettingDlg::kTabSystem);
    CBaseDialog* system = window.Page(CSettingDlg::kTabSystem);
    auto* box = qobject_cast<QAbstractButton*>(system->Control(1326));
    auto* date = qobject_cast<QDateEdit*>(system->Control(1122));
    auto* time = qobject_cast<QTimeEdit*>(system->Control(1121));
    ASSERT_TRUE(box && date && time);
    EXPECT_FALSE(date->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_TRUE(date->isEnabled());
    date->setFocus();
    date->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(date, "20240305");
    time->setFocus();
    time->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(time, "070809");
    EXPECT_EQ(date->date(), QDate(2024, 3, 5));
    EXPECT_EQ(time->time(), QTime(7, 8, 9));
    Click(2304);
    const auto clock = card.Read("time.dat");
    EXPECT_EQ(std::string(clock.begin(), clock.end()), "2024,03,05,07,08,09,+0900");
    EXPECT_FALSE(window.isVisible());
}

// Cancel, the close button and a close by the window manager (0 here, as with Alt+F4).
TEST_F(MainWindow, CancelAndCloseWriteNothing) {
    for (int id : {2303, 2301, 0}) {
        test::TempFolder other;
        other.Write("setup.cfg", SetupBytes());
        other.WriteText("time.dat", "2023,12,31,23,59,58,+0900");
        AppContext otherContext{platform.services, platform.prompt};
        otherContext.CardPath = other.CardPath();
        CSettingDlg dialog(otherContext);
        ASSERT_EQ(dialog.Start(), CSettingDlg::StartResult::Running);
        dialog.show();
        otherContext.settings.Current().SetI32(64, 0);
        if (id != 0) {
            QTest::mouseClick(dialog.Button(id), Qt::LeftButton, {}, QPoint(5, 5));
        } else {
            dialog.close();
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog.isVisible()) << id;
        EXPECT_EQ(dialog.Page(2203), nullptr) << id;
        EXPECT_FALSE(otherContext.settings.HasRecord()) << id;
        EXPECT_EQ(other.Read("setup.cfg"), SetupBytes()) << id;
        EXPECT_TRUE(other.Exists("time.dat")) << id;
    }
}

TEST_F(MainWindow, InitializeRestoresDefaultsKeepingDeviceValues) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    Click(2302);
    const SettingsRecord& r = context.settings.Current();
    EXPECT_EQ(r.GetI32(64), 2);
    EXPECT_EQ(r.GetI32(88), 2);
    EXPECT_EQ(r.GetI32(224), 0x1234);
    EXPECT_EQ(r.GetI32(40), 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(platform.prompt.messages.empty());

    std::filesystem::remove(card.File("default.cfg"));
    Click(2302);
    EXPECT_EQ(platform.prompt.messages,
              std::vector<std::string>{"no default.cfg :" + card.CardPath() + "default.cfg"});
    EXPECT_EQ(context.settings.Current().GetI32(64), 2);
}

TEST_F(MainWindow, FailedSaveIsReportedAndKeepsTheWindowAndTheChanges) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    context.settings.Current().SetI32(64, 0);
    std::filesystem::remove(card.File("setup.cfg"));
    std::filesystem::create_directory(card.File("setup.cfg"));
    Click(2304);
    ASSERT_EQ(platform.prompt.messages.size(), 1u);
    EXPECT_NE(platform.prompt.messages[0].find(card.CardPath() + "setup.cfg"), std::string::npos);
    EXPECT_NE(platform.prompt.messages[0].find("directory"), std::string::npos)
        << platform.prompt.messages[0];
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(context.settings.HasRecord());
    EXPECT_EQ(context.settings.Current().GetI32(64), 0);
    EXPECT_TRUE(card.Exists("time.dat"));

    // The card is put right: the same Save now lands.
    std::filesystem::remove(card.File("setup.cfg"));
    Click(2304);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(card.Read("setup.cfg")[64], 0);
}

TEST_F(MainWindow, NoCardFolderEndsAtOnce) {
    context.CardPath.clear();
    EXPECT_EQ(window.Start(), CSettingDlg::StartResult::NoCardFolder);
    EXPECT_TRUE(platform.debug.lines.empty());
    EXPECT_EQ(window.Button(2304), nullptr); // no controls were made
}

TEST_F(MainWindow, FromARemovableDriveItRelaunchesACopyAndReadsNothing) {
    test::TempFolder appData;
    StartFromTheCard(appData);
    ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Relaunched);
    const std::string copy = appData.Path().string() + "/Lumavist/dashcam-setting";
    EXPECT_EQ(window.RelaunchPath(), copy);
    EXPECT_TRUE(std::filesystem::exists(copy));
    ASSERT_EQ(platform.program.started.size(), 1u);
    EXPECT_EQ(platform.program.started[0].first, copy);
    EXPECT_EQ(platform.program.started[0].second, card.CardPath());
    EXPECT_EQ(platform.debug.lines.size(), 3u);
    EXPECT_TRUE(context.clockRequest.flag == 0);
}

TEST_F(MainWindow, ASystemRunningFromARemovableDriveKeepsItsCardFolder) {
    test::TempFolder appData;
    StartFromTheCard(appData);
    platform.volumes.removable.insert(appData.Path().string() + "/Lumavist");
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    EXPECT_TRUE(platform.program.started.empty());
    EXPECT_FALSE(std::filesystem::exists(appData.Path() / "Lumavist/dashcam-setting"));
    EXPECT_EQ(window.RelaunchPath(), "");
    EXPECT_EQ(context.settings.Current().GetI32(64), 1); // the named card's setup.cfg
}

// The Memory-card page's Format button formats with the platform's formatter and asks through
// the application's prompt; the camera's files come back and the window goes on.
TEST_F(MainWindow, FormatButtonFormatsWithThePlatformsFormatter) {
    test::TempFolder appData;
    platform.program.appData = appData.Path().string();
    platform.program.executable = appData.File("dashcam-setting");
    appData.WriteText("dashcam-setting", "the program");
    card.WriteText("DCIM/video.avi", "a drive");
    platform.volumes.removable.insert(card.CardPath());
    platform.volumes.driveRoot = card.CardPath();
    platform.volumes.identity = VolumeIdentity{"/dev/sdz1", 0x811, 8ULL << 30, 0, "CAM", "1-2"};
    platform.formatter.erased = [this] { platform.volumes.identity->serial = "3-4"; };
    platform.prompt.answers = {true};
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);

    QTest::mouseClick(window.Page(2203)->Control(1341), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(platform.formatter.requests.size(), 1u);
    EXPECT_EQ(platform.formatter.requests[0].driveRoot, card.CardPath());
    EXPECT_EQ(platform.prompt.questions.size(), 1u);
    EXPECT_EQ(platform.prompt.messages,
              std::vector<std::string>{Utf8FromUtf16(context.language.GetText(u"IDS_STRING179"))});
    EXPECT_EQ(card.Read("setup.cfg"), SetupBytes());
    EXPECT_TRUE(card.Exists("lang/ver.dat"));
    EXPECT_FALSE(card.Exists("DCIM/video.avi"));
    EXPECT_TRUE(window.isVisible());
}

// The window on a card whose camera speaks English, French, Russian and Korean, in the one at
// the given index.
struct WindowInLanguage {
    explicit WindowInLanguage(int index) {
        card.Write("setup.cfg", RecordBytes(544, {{0, 544}, {428, std::uint32_t(index)}}));
        card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en fr ru ko\r\n");
        context.CardPath = card.CardPath();
    }
    CSettingDlg::StartResult Start() {
        const auto result = window.Start();
        window.show();
        return result;
    }

    test::TempFolder card;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CSettingDlg window{context};
};

// The window in four camera languages, saved into the build folder for a person to look at.
// The English tab captions all fit at the skin's size, so none is drawn smaller than another.
TEST(MainWindowScreenshots, FourLanguagesAndEqualEnglishTabCaptions) {
    const char* codes[] = {"en", "fr", "ru", "ko"};
    for (int index = 0; index < 4; ++index) {
        WindowInLanguage shown(index);
        ASSERT_EQ(shown.Start(), CSettingDlg::StartResult::Running);
        CSettingDlg& window = shown.window;
        const QString file = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("window-%1.png").arg(codes[index]));
        EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
        if (index == 0) {
            for (int tab = CSettingDlg::kTabCamera; tab <= CSettingDlg::kTabSystem; ++tab) {
                EXPECT_EQ(window.Button(tab)->CaptionFont().pixelSize(),
                          TahomaFont(13, 700).pixelSize())
                    << tab;
            }
        }
        window.close();
    }
}

struct MainWindowWithViewer : MainWindow {
    MainWindowWithViewer() : MainWindow("German") {}
};

TEST_F(MainWindowWithViewer, RunningViewerLanguageWins) {
    platform.viewer.windows.push_back(u"BREVANTIS REZORED PC VIEWER");
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    CLanguageManager german(platform.debug);
    german.LoadLanguage(u"german");
    EXPECT_EQ(window.windowTitle().toStdU16String(), german.GetText(u"IDS_STRING101"));
}

TEST_F(MainWindow, FrameShowsTheWhitePageAreaOverTheBackground) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    for (int tab = 2200; tab <= 2204; ++tab) {
        window.Page(tab)->hide();
    }
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/main-window.png");
    EXPECT_EQ(shot.pixel(300, 300), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(11, 85), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(710, 521), qRgb(255, 255, 255));
    EXPECT_NE(shot.pixel(5, 300), qRgb(255, 255, 255));
    EXPECT_NE(shot.pixel(300, 535), qRgb(255, 255, 255));
    EXPECT_NE(shot.pixel(600, 15), qRgb(255, 255, 255));
}

TEST_F(MainWindow, DraggingTheBackgroundOrTheTitleMovesTheWindow) {
    ASSERT_EQ(Start(), CSettingDlg::StartResult::Running);
    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 35));
    QMouseEvent drag(QEvent::MouseMove, QPointF(340, 55), window.mapToGlobal(QPointF(340, 55)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drag);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(340, 55));
    EXPECT_EQ(window.pos(), start + QPoint(40, 20));

    QMouseEvent plainMove(QEvent::MouseMove, QPointF(100, 35), window.mapToGlobal(QPointF(100, 35)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &plainMove);
    EXPECT_EQ(window.pos(), start + QPoint(40, 20));
}

// Every text a visible control of the Korean window carries, on every tab: none is an English
// pack text that the Korean pack words differently.
TEST(MainWindowLanguage, KoreanWindowShowsNoEnglishText) {
    NullDebugOutput debug;
    CIniText english(debug), korean(debug);
    for (auto [name, pack] : {std::pair{"english", &english}, std::pair{"korean", &korean}}) {
        const auto bytes = FindEmbeddedResource("language", name);
        ASSERT_TRUE(bytes && pack->Parse(bytes->data(), bytes->size())) << name;
    }
    QSet<QString> englishOnly;
    for (const std::u16string& key : english.KeyNames(u"text")) {
        const std::u16string text = english.GetString(u"text", key, u"").second;
        if (!text.empty() && text != korean.GetString(u"text", key, u"").second) {
            englishOnly.insert(QString::fromStdU16String(text));
        }
    }
    WindowInLanguage inKorean(3);
    ASSERT_EQ(inKorean.Start(), CSettingDlg::StartResult::Running);
    CSettingDlg& window = inKorean.window;
    for (int tab = CSettingDlg::kTabCamera; tab <= CSettingDlg::kTabSystem; ++tab) {
        QTest::mouseClick(window.Button(tab), Qt::LeftButton, {}, QPoint(10, 10));
        QStringList shown{window.windowTitle()};
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->isVisible()) {
                continue;
            }
            if (auto* label = qobject_cast<QLabel*>(control)) {
                shown << label->text();
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                shown << button->text();
            } else if (auto* skinned = qobject_cast<CRButton*>(control)) {
                shown << skinned->Caption();
            } else if (auto* list = qobject_cast<QComboBox*>(control)) {
                for (int i = 0; i < list->count(); ++i) {
                    shown << list->itemText(i);
                }
            }
            shown << control->accessibleName() << control->toolTip();
        }
        for (const QString& text : shown) {
            EXPECT_FALSE(englishOnly.contains(text)) << tab << ": " << text.toStdString();
        }
    }
}

} // namespace
} // namespace dashcam
