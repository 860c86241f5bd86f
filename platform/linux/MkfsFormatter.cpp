#include "platform/linux/MkfsFormatter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "text/AsciiCase.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

bool IsExfat(const FormatRequest& request) {
    return EqualsIgnoringAsciiCase(request.fileSystem, u"exfat");
}

QString Program(const FormatRequest& request) {
    return IsExfat(request) ? QStringLiteral("mkfs.exfat") : QStringLiteral("mkfs.fat");
}

QString FindTool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty()) {
        path = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    }
    return path;
}

} // namespace

bool MkfsFormatter::Load(std::u16string& message) {
    for (const char* tool : {"mkfs.fat", "mkfs.exfat"}) {
        if (FindTool(QString::fromLatin1(tool)).isEmpty()) {
            message = u"The card cannot be formatted: " + Utf16FromAscii(tool) +
                      u" is not installed (packages dosfstools and exfatprogs).";
            return false;
        }
    }
    return true;
}

std::vector<std::string> MkfsFormatter::CommandFor(const FormatRequest& request,
                                                   const std::string& device) {
    std::vector<std::string> command{Program(request).toStdString()};
    if (IsExfat(request)) {
        if (request.clusterSize != 0) {
            command.insert(command.end(), {"-c", std::to_string(request.clusterSize)});
        }
        if (!request.label.empty()) {
            command.insert(command.end(), {"-L", Utf8FromUtf16(request.label)});
        }
    } else {
        command.insert(command.end(), {"-F", "32"});
        if (request.clusterSize != 0) {
            // Sectors of 512 bytes per cluster.
            command.insert(command.end(), {"-s", std::to_string(request.clusterSize / 512)});
        }
        if (!request.label.empty()) {
            command.insert(command.end(), {"-n", Utf8FromUtf16(request.label)});
        }
    }
    command.push_back(device);
    return command;
}

void MkfsFormatter::FormatEx(const FormatRequest& request, const FormatCallback& callback) {
    unsigned char success = 0;
    m_mountPoint.clear();
    const std::string device = m_volumes.BlockDevice(request.driveRoot);
    std::string error;
    auto done = [&] { callback(kFormatDone, 0, &success); };
    if (device.empty() || !m_mounter.Unmount(request.driveRoot, error)) {
        m_mountPoint = request.driveRoot; // never taken off: the card is where it was
        done();
        return;
    }
    callback(kFormatStructureProgress, 0, nullptr);
    const std::vector<std::string> command = CommandFor(request, device);
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i) {
        arguments << QString::fromStdString(command[i]);
    }
    QProcess mkfs;
    mkfs.start(FindTool(Program(request)), arguments);
    const bool made = mkfs.waitForFinished(10 * 60 * 1000) &&
                      mkfs.exitStatus() == QProcess::NormalExit && mkfs.exitCode() == 0;
    callback(kFormatStructureProgress, 0, nullptr);
    // Mounted again whatever happened, so the card does not vanish from the user's view.
    m_mountPoint = m_mounter.Mount(device, request.driveRoot, error);
    callback(kFormatStructureProgress, 0, nullptr);
    success = made && !m_mountPoint.empty() ? 1 : 0;
    done();
}

} // namespace dashcam
