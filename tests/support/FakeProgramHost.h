#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ProgramHost.h"
#include "platform/linux/LinuxProgramHost.h"

namespace dashcam::test {

// Real folders and copies, but a chosen executable path and app-data folder, and starts that are
// recorded, and run only when the test asks for real starts.
class FakeProgramHost : public IProgramHost {
public:
    std::string ExecutablePath() override { return executable; }
    std::string LocalAppDataFolder() override { return appData; }
    std::vector<std::string> FontFolders() override { return real.FontFolders(); }
    bool MakeFolder(const std::string& path) override { return real.MakeFolder(path); }
    bool CopyFile(const std::string& from, const std::string& to) override {
        if (!failCopiesTo.empty() && to.find(failCopiesTo) != std::string::npos) {
            return false;
        }
        return real.CopyFile(from, to);
    }
    bool StartDetached(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return startForReal ? real.StartDetached(program, argument) : true;
    }

    std::string executable = "/opt/editor/dashcam-setting";
    std::string appData = "/nonexistent";
    std::string failCopiesTo; // copies to a path holding this text fail
    bool startForReal = false;
    std::vector<std::pair<std::string, std::string>> started;

private:
    LinuxProgramHost real;
};

} // namespace dashcam::test
