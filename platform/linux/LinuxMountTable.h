#pragma once

#include <string>
#include <vector>

#include "platform/MountTable.h"

namespace dashcam {

// One line of the kernel's mount table (mountinfo): the mounted file system's device number
// ("major:minor"), its mount point and its source, with the table's escapes undone.
struct MountInfoLine {
    std::string numbers, mountPoint, source;
};

bool ParseMountInfoLine(const std::string& line, MountInfoLine& mount);

// The mount table of this process's mount namespace (a test gives a fake proc root).
class LinuxMountTable : public IMountTable {
public:
    explicit LinuxMountTable(std::string procRoot = "/proc") : m_proc(std::move(procRoot)) {}

    std::vector<std::string> MountPoints() override;

private:
    std::string m_proc;
};

} // namespace dashcam
