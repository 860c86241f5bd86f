#pragma once

#include <string>
#include <vector>

namespace dashcam {

// The running program's place on the PC and the services to copy and start it.
class IProgramHost {
public:
    virtual ~IProgramHost() = default;
    // The full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The per-user folder for local application data, without a trailing separator.
    virtual std::string LocalAppDataFolder() = 0;
    // The folders where the system keeps the fonts the skin may register, first choice first.
    virtual std::vector<std::string> FontFolders() = 0;
    // Creates a folder; an existing one is fine.
    virtual bool MakeFolder(const std::string& path) = 0;
    // Copies a file, overwriting an older copy.
    virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
    // Starts a program detached from this one, with one argument; false when it could not be
    // started.
    virtual bool StartDetached(const std::string& program, const std::string& argument) = 0;
};

} // namespace dashcam
