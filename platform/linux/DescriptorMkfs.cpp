#include "platform/linux/DescriptorMkfs.h"

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/linux/MkfsFormatter.h"

namespace dashcam {

bool DescriptorMkfs::Run(int fd, const FormatRequest& request, std::uint64_t hiddenSectors,
                         std::string& error) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    QTemporaryDir folder;
    if (size <= 0 || !folder.isValid()) {
        error = "no room for the file system image";
        return false;
    }
    const std::string image = folder.filePath(QStringLiteral("card.img")).toStdString();
    const int created = ::open(image.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    const bool sized = created >= 0 && ::ftruncate(created, size) == 0;
    if (created >= 0) {
        ::close(created);
    }
    if (!sized) {
        error = "the file system image cannot be made: " + std::string(std::strerror(errno));
        return false;
    }
    std::vector<std::string> command = MkfsFormatter::CommandFor(request, image);
    command.insert(command.end() - 1, {"-h", std::to_string(hiddenSectors)});
    if (!MkfsFormatter::RunCommand(command, error)) {
        return false;
    }
    return CopyWrittenParts(image, fd, error);
}

bool DescriptorMkfs::CopyWrittenParts(const std::string& image, int fd, std::string& error) {
    const int in = ::open(image.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = "the file system image cannot be read";
        return false;
    }
    std::vector<char> buffer(1 << 20);
    const off_t end = ::lseek(in, 0, SEEK_END);
    bool copied = true;
    for (off_t data = ::lseek(in, 0, SEEK_DATA); copied && data >= 0 && data < end;
         data = ::lseek(in, data, SEEK_DATA)) {
        const off_t hole = ::lseek(in, data, SEEK_HOLE);
        while (copied && data < hole) {
            const auto chunk = static_cast<std::size_t>(
                std::min<off_t>(hole - data, static_cast<off_t>(buffer.size())));
            copied = ::pread(in, buffer.data(), chunk, data) == static_cast<ssize_t>(chunk) &&
                     ::pwrite(fd, buffer.data(), chunk, data) == static_cast<ssize_t>(chunk);
            data += static_cast<off_t>(chunk);
        }
    }
    ::close(in);
    copied = copied && ::fsync(fd) == 0;
    if (!copied) {
        error = "writing the card failed: " + std::string(std::strerror(errno));
    }
    return copied;
}

} // namespace dashcam
