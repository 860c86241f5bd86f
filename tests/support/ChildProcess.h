#pragma once

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace dashcam::test {

// How a program started by RunProgram ended.
struct ProgramEnd {
    bool exited = false;
    int status = -1; // the exit status, or the signal that ended it
};

// Runs a program with extra environment entries ("NAME=value"), its output thrown away, and
// waits for it.
inline ProgramEnd RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment = {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const std::string& entry : environment) {
            ::putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProgramEnd end;
    end.exited = WIFEXITED(status);
    end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return end;
}

} // namespace dashcam::test
