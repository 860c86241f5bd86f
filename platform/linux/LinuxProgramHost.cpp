#include "platform/linux/LinuxProgramHost.h"

#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

std::vector<std::string> LinuxProgramHost::FontFolders() {
    return {"/usr/share/wine/fonts", "/usr/share/fonts/truetype/wine"};
}

bool LinuxProgramHost::MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

namespace {

// Opens the copy for writing from the start. A copy of this program that still runs cannot be
// written (ETXTBSY): its name is freed instead, and the running one keeps its own file.
int OpenCopy(const std::string& to, mode_t mode) {
    constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    int out = ::open(to.c_str(), kFlags, mode);
    if (out < 0 && errno == ETXTBSY && ::unlink(to.c_str()) == 0) {
        out = ::open(to.c_str(), kFlags, mode);
    }
    return out;
}

} // namespace

// A plain read and write loop, flushed to the device: the kernel's in-place copy calls are not
// carried out by every FUSE file system (fusefat leaves an empty file), and a card may be pulled
// out right after a copy. The copy gets the original's permission bits, so that a copied
// program can be started; an older copy made without them gets them too. File systems without
// permission bits (FAT) refuse the change, which does them no harm.
bool LinuxProgramHost::CopyFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat original {};
    if (::fstat(in, &original) != 0) {
        ::close(in);
        return false;
    }
    const mode_t mode = original.st_mode & 07777;
    const int out = OpenCopy(to, mode);
    if (out < 0) {
        ::close(in);
        return false;
    }
    (void)::fchmod(out, mode);
    bool ok = true;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR) {
                continue;
            }
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) {
            break;
        }
    }
    ok = ok && ::fsync(out) == 0;
    ok = (::close(out) == 0) && ok;
    ::close(in);
    return ok;
}

// The started program works in its own folder: a working folder on the memory card would keep
// the card's file system busy, and the card format must unmount it. False when the program
// could not be executed.
bool LinuxProgramHost::StartDetached(const std::string& program, const std::string& argument) {
    const std::string folder = program.substr(0, program.rfind('/') + 1);
    return QProcess::startDetached(QString::fromStdString(program),
                                   QStringList{QString::fromStdString(argument)},
                                   QString::fromStdString(folder));
}

} // namespace dashcam
