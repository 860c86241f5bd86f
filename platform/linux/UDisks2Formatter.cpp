#include "platform/linux/UDisks2Formatter.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QEventLoop>
#include <QThread>
#include <QVariantMap>

#include "text/AsciiCase.h"

namespace dashcam {
namespace {

using InterfaceMap = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceMap>;

const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kManager = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kJob = QStringLiteral("org.freedesktop.UDisks2.Job");

void RegisterTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<InterfaceMap>();
        qDBusRegisterMetaType<ManagedObjects>();
        return true;
    }();
    (void)registered;
}

std::string WithoutSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Mount points come as NUL-terminated byte strings.
std::vector<std::string> MountPoints(const QVariant& value) {
    std::vector<std::string> points;
    const QDBusArgument argument = value.value<QDBusArgument>();
    QList<QByteArray> list;
    if (argument.currentType() != QDBusArgument::UnknownType) {
        argument >> list;
    } else {
        list = value.value<QList<QByteArray>>();
    }
    for (QByteArray bytes : list) {
        if (bytes.endsWith('\0')) {
            bytes.chop(1);
        }
        points.push_back(bytes.toStdString());
    }
    return points;
}

// Waits for a reply while the worker thread keeps reading the job's progress.
template <typename Poll> QDBusMessage Await(QDBusPendingCall call, Poll poll) {
    while (!call.isFinished()) {
        poll();
        QEventLoop loop;
        loop.processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    return call.reply();
}

} // namespace

bool UDisks2Formatter::Load(std::u16string& message) {
    RegisterTypes();
    QDBusInterface manager(m_service, kManager, QStringLiteral("org.freedesktop.DBus.Properties"),
                           m_bus);
    const QDBusMessage reply =
        manager.call(QStringLiteral("Get"), QStringLiteral("org.freedesktop.UDisks2.Manager"),
                     QStringLiteral("Version"));
    if (!m_bus.isConnected() || reply.type() == QDBusMessage::ErrorMessage) {
        const QString why =
            m_bus.isConnected() ? reply.errorMessage() : m_bus.lastError().message();
        message = u"The card cannot be formatted: the desktop's disk service (UDisks2) is not "
                  u"available (" +
                  why.toStdU16String() + u").";
        return false;
    }
    return true;
}

QString UDisks2Formatter::FindBlockMountedAt(const std::string& driveRoot) {
    QDBusInterface root(m_service, kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                        m_bus);
    const QDBusReply<ManagedObjects> reply = root.call(QStringLiteral("GetManagedObjects"));
    if (!reply.isValid()) {
        return {};
    }
    const ManagedObjects objects = reply.value();
    const std::string wanted = WithoutSeparator(driveRoot);
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        const auto fs = it.value().find(kFilesystem);
        if (fs == it.value().end() || !it.value().contains(kBlock)) {
            continue;
        }
        for (const std::string& point : MountPoints(fs->value(QStringLiteral("MountPoints")))) {
            if (WithoutSeparator(point) == wanted) {
                return it.key().path();
            }
        }
    }
    return {};
}

double UDisks2Formatter::JobProgress(const QString& block) {
    QDBusInterface root(m_service, kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                        m_bus);
    const QDBusReply<ManagedObjects> objects = root.call(QStringLiteral("GetManagedObjects"));
    if (!objects.isValid()) {
        return -1;
    }
    for (const InterfaceMap& interfaces : objects.value()) {
        const auto job = interfaces.find(kJob);
        if (job == interfaces.end()) {
            continue;
        }
        const QList<QDBusObjectPath> on =
            qdbus_cast<QList<QDBusObjectPath>>(job->value(QStringLiteral("Objects")));
        for (const QDBusObjectPath& path : on) {
            if (path.path() == block) {
                return job->value(QStringLiteral("Progress")).toDouble();
            }
        }
    }
    return -1;
}

void UDisks2Formatter::FormatEx(const FormatRequest& request, const FormatCallback& callback) {
    RegisterTypes();
    unsigned char success = 0;
    m_mountPoint.clear();
    auto done = [&] { callback(kFormatDone, 0, &success); };
    const QString block = FindBlockMountedAt(request.driveRoot);
    if (block.isEmpty()) {
        m_mountPoint = request.driveRoot; // nothing was done to the card
        done();
        return;
    }
    QDBusInterface filesystem(m_service, block, kFilesystem, m_bus);
    QDBusInterface device(m_service, block, kBlock, m_bus);
    filesystem.setTimeout(60 * 1000);
    device.setTimeout(30 * 60 * 1000);
    if (filesystem.call(QStringLiteral("Unmount"), QVariantMap()).type() ==
        QDBusMessage::ErrorMessage) {
        m_mountPoint = request.driveRoot; // never taken off: the card is where it was
        done();
        return;
    }
    callback(kFormatStructureProgress, 0, nullptr);

    const bool exfat = EqualsIgnoringAsciiCase(request.fileSystem, u"exfat");
    QVariantMap options{{QStringLiteral("label"), QString::fromStdU16String(request.label)}};
    if (!exfat && request.clusterSize != 0) {
        options[QStringLiteral("mkfs-args")] =
            QStringList{QStringLiteral("-F"), QStringLiteral("32"), QStringLiteral("-s"),
                        QString::number(request.clusterSize / 512)};
    }
    // Each fifth of the service's job is one step of structure progress.
    int reportedSteps = 0;
    const QDBusMessage formatted = Await(
        device.asyncCall(QStringLiteral("Format"),
                         exfat ? QStringLiteral("exfat") : QStringLiteral("vfat"), options),
        [&] {
            const double progress = JobProgress(block);
            while (progress >= 0 && reportedSteps < 3 && progress >= 0.2 * (reportedSteps + 1)) {
                ++reportedSteps;
                callback(kFormatStructureProgress, 0, nullptr);
            }
        });
    const bool made = formatted.type() == QDBusMessage::ReplyMessage;
    callback(kFormatStructureProgress, 0, nullptr);
    // Mounted again whatever happened, so the card does not vanish from the user's view.
    const QDBusMessage mounted = filesystem.call(QStringLiteral("Mount"), QVariantMap());
    if (mounted.type() == QDBusMessage::ReplyMessage && !mounted.arguments().isEmpty()) {
        m_mountPoint = mounted.arguments().first().toString().toStdString();
        if (!m_mountPoint.empty() && m_mountPoint.back() != '/') {
            m_mountPoint += '/';
        }
    }
    success = made && !m_mountPoint.empty() ? 1 : 0;
    done();
}

} // namespace dashcam
