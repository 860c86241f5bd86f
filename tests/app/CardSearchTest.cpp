#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "app/CCardChooserDlg.h"
#include "app/CCardWaitDlg.h"
#include "app/CardSearch.h"
#include "platform/linux/LinuxMountTable.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

// What the volumes say about each mounted folder; a folder it does not know is a fixed disk.
class FakeCardVolumes : public IVolumes {
public:
    struct Facts {
        bool removable = true;
        std::uint64_t size = 0;
        VolumeIdentity identity;
    };
    std::string DriveRoot(const std::string& path) override { return path; }
    std::string BlockDevice(const std::string& path) override { return Of(path).identity.device; }
    bool IsRemovable(const std::string& path) override { return Of(path).removable; }
    std::uint64_t CapacityBytes(const std::string& path) override { return Of(path).size; }
    VolumeIdentity Identify(const std::string& path) override { return Of(path).identity; }

    std::map<std::string, Facts> facts;

private:
    Facts Of(const std::string& path) {
        const auto found = facts.find(path);
        return found == facts.end() ? Facts{false, 0, {}} : found->second;
    }
};

// A mount watch the test fires by hand.
class FakeMountWatch : public IMountWatch {
public:
    void Start(std::function<void()> changed) override { m_changed = std::move(changed); }
    void Stop() override { m_changed = nullptr; }
    bool Watching() const { return m_changed != nullptr; }
    void Fire() {
        if (m_changed) {
            m_changed();
        }
    }

private:
    std::function<void()> m_changed;
};

std::vector<std::uint8_t> Record(const std::string& product) {
    std::vector<std::uint8_t> bytes = test::RecordBytes(544, {{0, 544}});
    std::copy(product.begin(), product.end(), bytes.begin() + 8);
    return bytes;
}

// Cards and other volumes in folders of a temporary folder, listed in a fake mount table.
struct CardSearchTest : ::testing::Test {
    CardSearchTest() {
        context.language.LoadLanguage(u"english");
        sys.Mount("8:2", "/", "/dev/sda2");
    }
    // A mounted volume; `files` says which card files it holds.
    std::string Mount(const std::string& name, bool removable, const std::string& files,
                      const std::string& label = "", std::uint64_t size = 0) {
        const std::string folder = volumesFolder.CardPath() + name;
        std::filesystem::create_directories(folder);
        if (files.find("setup") != std::string::npos) {
            volumesFolder.Write(name + "/setup.cfg", Record("M40-" + name));
        }
        if (files.find("default") != std::string::npos) {
            volumesFolder.Write(name + "/default.cfg", Record("D" + name));
        }
        sys.Mount("8:" + std::to_string(++minor), folder, "/dev/sd" + name);
        volumes.facts[folder + "/"] = {removable, size, {"/dev/sd" + name, 0, size, 0, label, ""}};
        return folder + "/";
    }
    std::vector<FoundCard> Find() { return FindCards(mountTable, volumes, platform.files); }
    std::string Run() { return CardSearch(context, mountTable, watch).Run(); }
    // Answers the next modal window once it is up.
    template <typename Window> void WhenShown(std::function<void(Window&)> answer) {
        QTimer::singleShot(0, [answer] {
            QTRY_VERIFY(qobject_cast<Window*>(QApplication::activeModalWidget()) != nullptr);
            answer(*qobject_cast<Window*>(QApplication::activeModalWidget()));
        });
    }

    test::TestPlatform platform;
    FakeCardVolumes volumes;
    PlatformServices services{platform.debug,  platform.files,     platform.zone,
                              volumes,         platform.registry,  platform.program,
                              platform.viewer, platform.timeZones, platform.formatter};
    AppContext context{services, platform.prompt};
    test::TempFolder volumesFolder;
    test::FakeSysfs sys;
    LinuxMountTable mountTable{sys.ProcRoot()};
    FakeMountWatch watch;
    int minor = 16;
};

// Only removable volumes holding the camera's files count; a volume mounted twice is one card.
TEST_F(CardSearchTest, FindsMountedCardsWithTheirLabelSizeAndProduct) {
    EXPECT_TRUE(Find().empty());
    const std::string a = Mount("a", true, "setup default", "DASHCAM", 31'900'000'000);
    Mount("stick", true, "");              // a USB stick without the camera's files
    Mount("disk", false, "setup default"); // a fixed disk that happens to hold them
    const std::string b = Mount("b", true, "default", "", 500'000'000);
    sys.Mount("8:17", a + "again", "/dev/sda"); // the first card bound a second time
    volumes.facts[a + "again/"] = volumes.facts[a];
    std::filesystem::create_directories(a + "again");
    volumesFolder.Write("a/again/setup.cfg", Record("x"));

    const std::vector<FoundCard> cards = Find();
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].folder, a);
    EXPECT_EQ(cards[0].label, "DASHCAM");
    EXPECT_EQ(cards[0].sizeBytes, 31'900'000'000u);
    EXPECT_EQ(cards[0].productName, "M40-a");
    EXPECT_EQ(cards[1].folder, b);
    EXPECT_EQ(cards[1].productName, "Db"); // no setup.cfg yet: the factory record names it
    EXPECT_EQ(CCardChooserDlg::Describe(cards[0], context.language),
              QStringLiteral("DASHCAM  ·  31.9 GB  ·  M40-a"));
    EXPECT_EQ(CCardChooserDlg::Describe(cards[1], context.language),
              QStringLiteral("No label  ·  500 MB  ·  Db"));
}

// The kernel writes blanks and backslashes in a mount point as octal escapes.
TEST_F(CardSearchTest, MountPointsAreReadUnescaped) {
    sys.Mount("8:33", "/media/me/MY\\040CARD", "/dev/sdc1");
    sys.Mount("8:34", "/media/me/back\\134slash", "/dev/sdd1");
    EXPECT_EQ(mountTable.MountPoints(),
              (std::vector<std::string>{"/", "/media/me/MY CARD", "/media/me/back\\slash"}));
}

TEST_F(CardSearchTest, OneCardOpensWithoutAWindow) {
    Mount("stick", true, "");
    const std::string card = Mount("a", true, "setup");
    EXPECT_EQ(Run(), card);
    EXPECT_FALSE(watch.Watching());
}

TEST_F(CardSearchTest, SeveralCardsAreListedForTheUserToChoose) {
    Mount("a", true, "setup", "FRONT", 32'000'000'000);
    const std::string second = Mount("b", true, "setup", "REAR", 64'000'000'000);
    QStringList rows;
    WhenShown<CCardChooserDlg>([&](CCardChooserDlg& chooser) {
        for (int i = 0; i < chooser.List()->count(); ++i) {
            rows << chooser.List()->item(i)->text();
        }
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Choose the memory card"));
        chooser.List()->setCurrentRow(1);
        chooser.grab().save(QStringLiteral(DASHCAM_SCREENSHOT_DIR "/card-chooser.png"));
        QTest::mouseClick(chooser.OpenButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Run(), second);
    EXPECT_EQ(rows, (QStringList{QStringLiteral("FRONT  ·  32.0 GB  ·  M40-a"),
                                 QStringLiteral("REAR  ·  64.0 GB  ·  M40-b")}));

    WhenShown<CCardChooserDlg>([](CCardChooserDlg& chooser) { chooser.CancelButton()->click(); });
    EXPECT_EQ(Run(), "");
}

// No card: the window asks for one and opens the first one mounted; a volume without the
// camera's files mounted meanwhile does not end the wait.
TEST_F(CardSearchTest, WaitsForACardToBeMounted) {
    std::string card;
    QString text;
    WhenShown<CCardWaitDlg>([&](CCardWaitDlg& wait) {
        text = wait.TextControl()->text();
        wait.grab().save(QStringLiteral(DASHCAM_SCREENSHOT_DIR "/card-wait.png"));
        EXPECT_TRUE(watch.Watching());
        Mount("stick", true, "");
        watch.Fire();
        EXPECT_TRUE(wait.isVisible());
        card = Mount("a", true, "setup default");
        watch.Fire();
    });
    EXPECT_EQ(Run(), card);
    EXPECT_EQ(text, QStringLiteral("Insert the memory card."));
    EXPECT_FALSE(watch.Watching());
}

// A card mounted after the first look but before the watch started is still found.
TEST_F(CardSearchTest, ACardMountedBeforeTheWatchStartsEndsTheWait) {
    struct LateWatch : FakeMountWatch {
        std::function<void()> before;
        void Start(std::function<void()> changed) override {
            before();
            FakeMountWatch::Start(std::move(changed));
        }
    } late;
    std::string card;
    late.before = [&] { card = Mount("a", true, "setup"); };
    EXPECT_EQ(CardSearch(context, mountTable, late).Run(), card);
}

TEST_F(CardSearchTest, WaitingCanBeCancelled) {
    WhenShown<CCardWaitDlg>(
        [](CCardWaitDlg& wait) { QTest::mouseClick(wait.CancelButton(), Qt::LeftButton); });
    EXPECT_EQ(Run(), "");
    EXPECT_FALSE(watch.Watching());
}

// Two cards mounted at once while it waits: the user chooses.
TEST_F(CardSearchTest, TwoCardsMountedWhileWaitingAreOfferedToChoose) {
    std::string first;
    WhenShown<CCardWaitDlg>([&](CCardWaitDlg&) {
        first = Mount("a", true, "setup");
        Mount("b", true, "setup");
        WhenShown<CCardChooserDlg>([](CCardChooserDlg& chooser) { chooser.accept(); });
        watch.Fire();
    });
    EXPECT_EQ(Run(), first);
}

// The insert-card window and the chooser in the driver's language: every text is the Korean
// pack's, the sizes in its units. Both are saved as screenshots.
TEST_F(CardSearchTest, WaitAndChooserSpeakThePack) {
    ASSERT_TRUE(context.language.LoadLanguage(u"korean"));
    const auto text = [this](std::u16string_view key) {
        return QString::fromStdU16String(context.language.GetText(key));
    };
    QStringList wait, chooser;
    WhenShown<CCardWaitDlg>([&](CCardWaitDlg& window) {
        wait << window.windowTitle() << window.TextControl()->text()
             << window.CancelButton()->text();
        window.grab().save(QStringLiteral(DASHCAM_SCREENSHOT_DIR "/card-wait-korean.png"));
        Mount("a", true, "setup", "", 32'000'000'000);
        Mount("b", true, "setup", "REAR", 500'000'000);
        WhenShown<CCardChooserDlg>([&](CCardChooserDlg& window) {
            chooser << window.windowTitle() << window.TextControl()->text()
                    << window.OpenButton()->text() << window.CancelButton()->text()
                    << window.List()->item(0)->text() << window.List()->item(1)->text();
            window.grab().save(QStringLiteral(DASHCAM_SCREENSHOT_DIR "/card-chooser-korean.png"));
            window.CancelButton()->click();
        });
        watch.Fire();
    });
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(wait, (QStringList{text(u"IDS_STRING101"), text(u"IDS_STRING182"),
                                 text(u"IDS_STRING107")}));
    EXPECT_EQ(chooser,
              (QStringList{text(u"IDS_STRING543"), text(u"IDS_STRING544"), text(u"IDS_STRING545"),
                           text(u"IDS_STRING107"),
                           text(u"IDS_STRING542") + u"  ·  "_qs +
                               text(u"IDS_STRING540").arg(u"32.0"_qs) + u"  ·  M40-a"_qs,
                           u"REAR  ·  "_qs + text(u"IDS_STRING541").arg(500) + u"  ·  M40-b"_qs}));
}

// The real program without a card folder: it stays up waiting for a card; with two arguments
// it ends at once with its usage line.
TEST(EditorStartTest, WithoutArgumentItWaitsAndWithTwoItEnds) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::freopen("/dev/null", "w", stderr);
        ::execl(DASHCAM_EDITOR, DASHCAM_EDITOR, nullptr);
        ::_exit(127);
    }
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    while (timer.elapsed() < 2000 && ::waitpid(pid, &status, WNOHANG) == 0) {
        QTest::qWait(100);
    }
    const bool stillUp = ::waitpid(pid, &status, WNOHANG) == 0;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(stillUp);

    const test::ProgramEnd end =
        test::RunProgram(DASHCAM_EDITOR, {"/a", "/b"}, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 2);
}

} // namespace
} // namespace dashcam
