#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "platform/linux/UDisks2Formatter.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

// A private bus with the fake disk service on it, ended with the test.
class PrivateDiskService {
public:
    PrivateDiskService(const std::string& log, const std::string& mountPoint,
                       const QString& failure) {
        m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (!m_bus.waitForReadyRead(5000)) {
            return;
        }
        address = QString::fromUtf8(m_bus.readLine()).trimmed();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        m_service.setProcessEnvironment(env);
        QStringList arguments{QStringLiteral(DASHCAM_FAKE_UDISKS2), QString::fromStdString(log),
                              QString::fromStdString(mountPoint)};
        if (!failure.isEmpty()) {
            arguments << failure;
        }
        m_service.start(QStringLiteral("/usr/bin/python3"), arguments);
        connection =
            QDBusConnection::connectToBus(address, QStringLiteral("test-%1").arg(++s_count));
        for (int i = 0; i < 100 && connection.isConnected(); ++i) {
            if (connection.interface()->isServiceRegistered(
                    QStringLiteral("org.freedesktop.UDisks2"))) {
                ready = true;
                break;
            }
            QThread::msleep(50);
        }
    }
    ~PrivateDiskService() {
        m_service.kill();
        m_service.waitForFinished();
        m_bus.kill();
        m_bus.waitForFinished();
    }

    QString address;
    QDBusConnection connection{QStringLiteral("none")};
    bool ready = false;

private:
    static inline int s_count = 0;
    QProcess m_bus, m_service;
};

struct UDisks2 : ::testing::Test {
    std::vector<std::string> Log() {
        std::ifstream in(folder.File("calls.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    struct Outcome {
        int structureReports = 0;
        int success = -1;
    };
    Outcome Format(UDisks2Formatter& formatter, std::u16string fileSystem, std::uint32_t cluster) {
        FormatRequest request;
        request.driveRoot = "/media/me/CARD/";
        request.fileSystem = std::move(fileSystem);
        request.clusterSize = cluster;
        Outcome outcome;
        formatter.FormatEx(request, [&](int command, int, const void* data) {
            if (command == kFormatStructureProgress) {
                ++outcome.structureReports;
            } else if (command == kFormatDone) {
                outcome.success = *static_cast<const unsigned char*>(data);
            }
            return true;
        });
        return outcome;
    }
    bool ToolsPresent() {
        return QProcess::execute(
                   QStringLiteral("sh"),
                   {"-c", "command -v dbus-daemon && /usr/bin/python3 -c 'import dbus, gi'"}) == 0;
    }
    test::TempFolder folder;
};

TEST_F(UDisks2, UnmountsFormatsWithTheAskedTypeAndMountsAgain) {
    if (!ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message));
    const Outcome fat = Format(formatter, u"FAT32", 32768);
    EXPECT_EQ(fat.success, 1);
    EXPECT_GE(fat.structureReports, 4); // unmount, job quarters, format end, mount
    EXPECT_LE(fat.structureReports, 5);
    EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD-new/");
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "Unmount", "Format vfat label= mkfs-args=-F 32 -s 64", "Mount"}));
}

TEST_F(UDisks2, ExfatHasNoClusterArguments) {
    if (!ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    EXPECT_EQ(Format(formatter, u"exfat", 0).success, 1);
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"Unmount", "Format exfat label= mkfs-args=", "Mount"}));
}

TEST_F(UDisks2, RefusedCallsAreAFailedFormat) {
    if (!ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    for (const char* failure : {"fail-unmount", "fail-format", "fail-mount"}) {
        std::filesystem::remove(folder.File("calls.log"));
        PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", failure);
        ASSERT_TRUE(service.ready) << failure;
        UDisks2Formatter formatter(service.connection);
        EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0) << failure;
        const auto log = Log();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), "Unmount");
        EXPECT_EQ(log.size(), std::string(failure) == "fail-unmount" ? 1u : 3u) << failure;
    }
}

TEST_F(UDisks2, CardNotKnownToTheServiceOrNoServiceAtAll) {
    if (!ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/OTHER", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0);
    EXPECT_TRUE(Log().empty());

    UDisks2Formatter absent(service.connection, QStringLiteral("org.example.NoSuchService"));
    std::u16string message;
    EXPECT_FALSE(absent.Load(message));
    EXPECT_NE(message.find(u"UDisks2"), std::u16string::npos);
}

} // namespace
} // namespace dashcam
