// Preloaded into a program under test to fail it, or kill it, at one chosen point of a file
// save, the way a full or pulled card or a power cut would.
//
//   DASHCAM_FAULT=OP:N:ACTION   ACTION is fail or kill; OP is
//     write    the write that would pass byte N of all bytes written so far (it writes the
//              bytes up to N first, as a device that fills up part-way does)
//     fsync    the N-th fsync;  close  the N-th close of a descriptor that was written to
//     rename   the N-th rename, before it happens;  renamed  the N-th rename, after it
//   DASHCAM_FAULT_MARK=PATH      created when the fault fires, so a test knows it did
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

struct Plan {
    std::string op;
    long n = -1;
    bool kill = false;
};

Plan ReadPlan() {
    Plan plan;
    const char* text = std::getenv("DASHCAM_FAULT");
    char op[16] = {}, action[8] = {};
    if (text != nullptr && std::sscanf(text, "%15[a-z]:%ld:%7s", op, &plan.n, action) == 3) {
        plan.op = op;
        plan.kill = std::strcmp(action, "kill") == 0;
    }
    return plan;
}

const Plan& ThePlan() {
    static const Plan plan = ReadPlan();
    return plan;
}

long g_bytesWritten = 0;
long g_calls[4] = {}; // fsync, close, rename, renamed
bool g_fired = false;
bool g_writtenFd[4096] = {};

template <class F> F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Fires the fault: marks it, then kills the process or lets the caller fail the call.
void Fire() {
    g_fired = true;
    if (const char* mark = std::getenv("DASHCAM_FAULT_MARK")) {
        static auto realOpen = Next<int (*)(const char*, int, ...)>("open");
        static auto realClose = Next<int (*)(int)>("close");
        realClose(realOpen(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    }
    if (ThePlan().kill) {
        ::raise(SIGKILL);
    }
}

// True when the OP call counted by `slot` is the planned one.
bool Due(const char* op, int slot) {
    if (g_fired || ThePlan().op != op) {
        return false;
    }
    return ++g_calls[slot] == ThePlan().n;
}

template <class Write> ssize_t Written(int fd, size_t size, Write write) {
    if (fd >= 0 && fd < 4096) {
        g_writtenFd[fd] = true;
    }
    if (!g_fired && ThePlan().op == "write" && g_bytesWritten + long(size) > ThePlan().n) {
        const long before = ThePlan().n - g_bytesWritten;
        if (before > 0) {
            write(size_t(before));
        }
        Fire();
        errno = ENOSPC;
        return -1;
    }
    const ssize_t done = write(size);
    if (done > 0) {
        g_bytesWritten += done;
    }
    return done;
}

} // namespace

extern "C" {

ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    return Written(fd, size, [&](size_t n) { return real(fd, data, n, at); });
}

ssize_t pwrite64(int fd, const void* data, size_t size, off_t at) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64");
    return Written(fd, size, [&](size_t n) { return real(fd, data, n, at); });
}

ssize_t write(int fd, const void* data, size_t size) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (fd <= 2) {
        return real(fd, data, size); // the program's own output is no file save
    }
    return Written(fd, size, [&](size_t n) { return real(fd, data, n); });
}

int fsync(int fd) {
    static auto real = Next<int (*)(int)>("fsync");
    if (Due("fsync", 0)) {
        Fire();
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int close(int fd) {
    static auto real = Next<int (*)(int)>("close");
    const bool written = fd >= 0 && fd < 4096 && g_writtenFd[fd];
    if (written) {
        g_writtenFd[fd] = false;
    }
    if (written && Due("close", 1)) {
        real(fd);
        Fire();
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int rename(const char* from, const char* to) {
    static auto real = Next<int (*)(const char*, const char*)>("rename");
    if (Due("rename", 2)) {
        Fire();
        errno = EIO;
        return -1;
    }
    const int result = real(from, to);
    if (Due("renamed", 3)) {
        Fire();
    }
    return result;
}

} // extern "C"
