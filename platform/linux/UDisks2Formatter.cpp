#include "platform/linux/UDisks2Formatter.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QThread>
#include <QVariantMap>

#include "platform/linux/DescriptorMkfs.h"
#include "platform/linux/WriteProtection.h"
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
const QString kPartition = QStringLiteral("org.freedesktop.UDisks2.Partition");

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

bool IsExfat(const FormatRequest& request) {
    return EqualsIgnoringAsciiCase(request.fileSystem, u"exfat");
}

bool Failed(const QDBusMessage& reply) {
    return reply.type() != QDBusMessage::ReplyMessage;
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
        message = u"UDisks2: " + why.toStdU16String();
        return false;
    }
    m_version = reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    m_route = RouteFor(m_version);
    return true;
}

UDisks2Formatter::Route UDisks2Formatter::RouteFor(const QString& version) {
    // The service's Format takes "mkfs-args" from 2.10 on; older ones drop them silently.
    const QStringList parts = version.split(QLatin1Char('.'));
    const int major = parts.value(0).toInt();
    const int minor = parts.value(1).toInt();
    return (major > 2 || (major == 2 && minor >= 10)) ? Route::ServiceFormat : Route::OpenDevice;
}

std::optional<UDisks2Formatter::Block>
UDisks2Formatter::FindBlockMountedAt(const std::string& driveRoot) {
    QDBusInterface root(m_service, kRoot, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                        m_bus);
    const QDBusReply<ManagedObjects> reply = root.call(QStringLiteral("GetManagedObjects"));
    if (!reply.isValid()) {
        return std::nullopt;
    }
    const ManagedObjects objects = reply.value();
    const std::string wanted = WithoutSeparator(driveRoot);
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        const auto fs = it.value().find(kFilesystem);
        const auto block = it.value().find(kBlock);
        if (fs == it.value().end() || block == it.value().end()) {
            continue;
        }
        for (const std::string& point : MountPoints(fs->value(QStringLiteral("MountPoints")))) {
            if (WithoutSeparator(point) == wanted) {
                const QVariantMap partition = it.value().value(kPartition);
                return Block{it.key().path(), block->value(QStringLiteral("Size")).toULongLong(),
                             block->value(QStringLiteral("ReadOnly")).toBool(),
                             partition.value(QStringLiteral("Offset")).toULongLong()};
            }
        }
    }
    return std::nullopt;
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

std::optional<QDBusUnixFileDescriptor>
UDisks2Formatter::OpenDevice(const QString& block, const QString& mode, FormatFault* refusal) {
    QDBusInterface device(m_service, block, kBlock, m_bus);
    // The desktop may ask for the administrator's password first.
    device.setTimeout(5 * 60 * 1000);
    const QDBusMessage opened = device.call(QStringLiteral("OpenDevice"), mode, QVariantMap());
    if (Failed(opened) || opened.arguments().isEmpty()) {
        if (refusal != nullptr) {
            *refusal = WriteProtection::SaysReadOnly(opened.errorMessage().toStdString())
                           ? FormatFault::WriteProtected
                       : opened.errorName().contains(QStringLiteral("NotAuthorized"))
                           ? FormatFault::NotAuthorised
                           : FormatFault::Failed;
        }
        return std::nullopt;
    }
    QDBusUnixFileDescriptor fd = qdbus_cast<QDBusUnixFileDescriptor>(opened.arguments().first());
    if (!fd.isValid()) {
        return std::nullopt;
    }
    return fd;
}

std::optional<FatLayout> UDisks2Formatter::ReadLayout(const QString& block) {
    const std::optional<QDBusUnixFileDescriptor> fd =
        OpenDevice(block, QStringLiteral("r"), nullptr);
    return fd ? FatLayout::Read(fd->fileDescriptor()) : std::nullopt;
}

bool UDisks2Formatter::FormatThroughService(const Block& block, const FormatRequest& request,
                                            const FormatCallback& callback) {
    QDBusInterface device(m_service, block.path, kBlock, m_bus);
    device.setTimeout(30 * 60 * 1000);
    const bool exfat = IsExfat(request);
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
            const double progress = JobProgress(block.path);
            while (progress >= 0 && reportedSteps < 3 && progress >= 0.2 * (reportedSteps + 1)) {
                ++reportedSteps;
                callback(kFormatStructureProgress, 0, nullptr);
            }
        });
    if (Failed(formatted) &&
        WriteProtection::SaysReadOnly(formatted.errorMessage().toStdString())) {
        // The service could not open the card for writing: nothing on it was changed.
        m_fault = FormatFault::WriteProtected;
        m_touched = false;
    }
    return !Failed(formatted);
}

bool UDisks2Formatter::FormatThroughDescriptor(const Block& block, const FormatRequest& request,
                                               const FormatCallback& callback,
                                               std::optional<FatLayout>& layout) {
    const std::optional<QDBusUnixFileDescriptor> fd =
        OpenDevice(block.path, QStringLiteral("rw"), &m_fault);
    if (!fd) {
        m_touched = false; // the card was never opened for writing
        return false;
    }
    callback(kFormatStructureProgress, 0, nullptr);
    std::string error;
    const bool made = DescriptorMkfs::Run(fd->fileDescriptor(), request, block.offset / 512, error);
    layout = FatLayout::Read(fd->fileDescriptor());
    return made;
}

void UDisks2Formatter::MountAgain(const QString& block) {
    QDBusInterface filesystem(m_service, block, kFilesystem, m_bus);
    filesystem.setTimeout(60 * 1000);
    const QDBusMessage mounted = filesystem.call(QStringLiteral("Mount"), QVariantMap());
    if (!Failed(mounted) && !mounted.arguments().isEmpty()) {
        m_mountPoint = mounted.arguments().first().toString().toStdString();
        if (!m_mountPoint.empty() && m_mountPoint.back() != '/') {
            m_mountPoint += '/';
        }
    }
}

void UDisks2Formatter::FormatEx(const FormatRequest& request, const FormatCallback& callback) {
    RegisterTypes();
    unsigned char success = 0;
    m_mountPoint = request.driveRoot; // until it is taken off, the card is where it was
    m_fault = FormatFault::Failed;
    m_touched = false;
    m_layout.clear();
    auto done = [&] { callback(kFormatDone, 0, &success); };
    const std::optional<Block> block = FindBlockMountedAt(request.driveRoot);
    if (!block) {
        done();
        return;
    }
    const bool exfat = IsExfat(request);
    if (block->readOnly || WriteProtection::MountIsReadOnly(request.driveRoot)) {
        m_fault = FormatFault::WriteProtected;
        done();
        return;
    }
    FormatRequest chosen = request;
    if (!exfat && request.clusterSize != 0) {
        chosen.clusterSize = FatLayout::Fat32ClusterSizeFor(block->size, request.clusterSize);
        if (chosen.clusterSize == 0) {
            m_fault = FormatFault::TooSmall;
            done();
            return;
        }
    }
    QDBusInterface filesystem(m_service, block->path, kFilesystem, m_bus);
    filesystem.setTimeout(60 * 1000);
    if (Failed(filesystem.call(QStringLiteral("Unmount"), QVariantMap()))) {
        done(); // never taken off: the card is where it was
        return;
    }
    m_mountPoint.clear();
    m_touched = true;
    callback(kFormatStructureProgress, 0, nullptr);
    std::optional<FatLayout> layout;
    bool made = false;
    const bool byService = exfat || m_route == Route::ServiceFormat;
    if (byService) {
        made = FormatThroughService(*block, chosen, callback);
    } else {
        made = FormatThroughDescriptor(*block, chosen, callback, layout);
    }
    callback(kFormatStructureProgress, 0, nullptr);
    // Mounted again whatever happened, so the card does not vanish from the user's view.
    MountAgain(block->path);
    if (made && byService) {
        // The mounted volume tells its layout without asking the user for a password; the
        // device is opened for reading only when it cannot.
        layout = m_mountPoint.empty() ? std::nullopt : FatLayout::ReadMounted(m_mountPoint);
        layout = layout ? layout : ReadLayout(block->path);
    }
    const bool asAsked = made && layout && layout->Matches(exfat, chosen.clusterSize);
    m_layout = layout ? layout->Describe() : std::string();
    success = asAsked && !m_mountPoint.empty() ? 1 : 0;
    if (success == 1) {
        m_fault = FormatFault::None;
    } else if (made && !asAsked) {
        m_fault = FormatFault::WrongLayout;
    }
    done();
}

} // namespace dashcam
