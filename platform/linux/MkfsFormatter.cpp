#include "platform/linux/MkfsFormatter.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "platform/linux/FatLayout.h"
#include "platform/linux/WriteProtection.h"
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

std::uint64_t DeviceBytes(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ::close(fd);
    return size > 0 ? static_cast<std::uint64_t>(size) : 0;
}

} // namespace

bool MkfsFormatter::Load(std::u16string& message) {
    for (const char* tool : {"mkfs.fat", "mkfs.exfat"}) {
        if (FindTool(QString::fromLatin1(tool)).isEmpty()) {
            // The system's own words for a missing program, as a shell would give them.
            message = Utf16FromAscii(tool) + u": " +
                      Utf16FromUtf8(std::generic_category().message(ENOENT));
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

bool MkfsFormatter::RunCommand(const std::vector<std::string>& command, std::string& error) {
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i) {
        arguments << QString::fromStdString(command[i]);
    }
    QProcess mkfs;
    mkfs.setProcessChannelMode(QProcess::MergedChannels);
    mkfs.start(FindTool(QString::fromStdString(command.front())), arguments);
    const bool made = mkfs.waitForFinished(10 * 60 * 1000) &&
                      mkfs.exitStatus() == QProcess::NormalExit && mkfs.exitCode() == 0;
    if (!made) {
        error = command.front() + ": " + mkfs.readAll().trimmed().toStdString();
    }
    return made;
}

bool MkfsFormatter::CheckCard(const FormatRequest& request, const std::string& device,
                              FormatRequest& chosen) {
    chosen = request;
    if (WriteProtection::MountIsReadOnly(request.driveRoot) ||
        WriteProtection::DeviceRefusesWrites(device)) {
        m_fault = FormatFault::WriteProtected;
        return false;
    }
    if (!IsExfat(request) && request.clusterSize != 0) {
        chosen.clusterSize =
            FatLayout::Fat32ClusterSizeFor(DeviceBytes(device), request.clusterSize);
        if (chosen.clusterSize == 0) {
            m_fault = FormatFault::TooSmall;
            return false;
        }
    }
    return true;
}

void MkfsFormatter::FormatEx(const FormatRequest& request, const FormatCallback& callback) {
    unsigned char success = 0;
    m_mountPoint = request.driveRoot; // until it is taken off, the card is where it was
    m_fault = FormatFault::Failed;
    m_touched = false;
    m_layout.clear();
    const std::string device = m_volumes.BlockDevice(request.driveRoot);
    std::string error;
    auto done = [&] { callback(kFormatDone, 0, &success); };
    FormatRequest chosen;
    if (device.empty() || !CheckCard(request, device, chosen) ||
        !m_mounter.Unmount(request.driveRoot, error)) {
        done();
        return;
    }
    m_touched = true;
    callback(kFormatStructureProgress, 0, nullptr);
    const bool made = RunCommand(CommandFor(chosen, device), error);
    const std::optional<FatLayout> layout = FatLayout::ReadFile(device);
    const bool asAsked = made && layout && layout->Matches(IsExfat(chosen), chosen.clusterSize);
    m_layout = layout ? layout->Describe() : std::string();
    callback(kFormatStructureProgress, 0, nullptr);
    // Mounted again whatever happened, so the card does not vanish from the user's view.
    m_mountPoint = m_mounter.Mount(device, request.driveRoot, error);
    callback(kFormatStructureProgress, 0, nullptr);
    success = asAsked && !m_mountPoint.empty() ? 1 : 0;
    m_fault = success == 1 ? FormatFault::None
                           : (made && !asAsked ? FormatFault::WrongLayout : FormatFault::Failed);
    done();
}

} // namespace dashcam
