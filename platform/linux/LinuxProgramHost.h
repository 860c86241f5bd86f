#pragma once

#include "platform/ProgramHost.h"

namespace dashcam {

// The program's executable and the per-user data folder ($XDG_DATA_HOME, ~/.local/share).
class LinuxProgramHost : public IProgramHost {
public:
    std::string ExecutablePath() override;
    std::string LocalAppDataFolder() override;
    // Where Debian's fonts-wine puts its metric-compatible Tahoma.
    std::vector<std::string> FontFolders() override;
    bool MakeFolder(const std::string& path) override;
    bool CopyFile(const std::string& from, const std::string& to) override;
    bool StartDetached(const std::string& program, const std::string& argument) override;
};

} // namespace dashcam
