#include "platform/linux/CommandMounter.h"

#include <QProcess>
#include <QStringList>

namespace dashcam {
namespace {

bool Run(const QString& program, const QStringList& arguments, std::string& error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60 * 1000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error = process.readAllStandardError().trimmed().toStdString();
        if (error.empty()) {
            error = (program + QStringLiteral(" failed")).toStdString();
        }
        return false;
    }
    return true;
}

} // namespace

bool CommandMounter::Unmount(const std::string& mountPoint, std::string& error) {
    return Run(QStringLiteral("umount"), {QString::fromStdString(mountPoint)}, error);
}

std::string CommandMounter::Mount(const std::string& device, const std::string& mountPoint,
                                  std::string& error) {
    return Run(QStringLiteral("mount"),
               {QString::fromStdString(device), QString::fromStdString(mountPoint)}, error)
               ? mountPoint
               : std::string();
}

} // namespace dashcam
