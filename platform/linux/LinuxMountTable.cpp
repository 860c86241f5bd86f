#include "platform/linux/LinuxMountTable.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace dashcam {
namespace {

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The table writes a blank, a tab, a line feed and a backslash in a path as \ooo.
std::string Unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            text += char(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

} // namespace

bool ParseMountInfoLine(const std::string& line, MountInfoLine& mount) {
    std::istringstream fields(line);
    std::string id, parent, root, mountPoint;
    if (!(fields >> id >> parent >> mount.numbers >> root >> mountPoint)) {
        return false;
    }
    std::string field;
    while (fields >> field && field != "-") {
    }
    std::string type, source;
    if (!(fields >> type >> source)) {
        return false;
    }
    mount.mountPoint = Unescaped(mountPoint);
    mount.source = Unescaped(source);
    return true;
}

std::vector<std::string> LinuxMountTable::MountPoints() {
    std::vector<std::string> points;
    std::ifstream in(m_proc + "/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        MountInfoLine mount;
        if (ParseMountInfoLine(line, mount)) {
            points.push_back(mount.mountPoint);
        }
    }
    return points;
}

} // namespace dashcam
