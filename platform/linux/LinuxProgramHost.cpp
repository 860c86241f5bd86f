#include "platform/linux/LinuxProgramHost.h"

#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <filesystem>

namespace dashcam {

std::string LinuxProgramHost::ExecutablePath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

std::string LinuxProgramHost::LocalAppDataFolder() {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return data;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share";
}

bool LinuxProgramHost::MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

bool LinuxProgramHost::CopyFile(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

bool LinuxProgramHost::StartDetached(const std::string& program, const std::string& argument) {
    return QProcess::startDetached(QString::fromStdString(program),
                                   QStringList{QString::fromStdString(argument)});
}

} // namespace dashcam
