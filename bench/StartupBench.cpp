// Times the editor from process start to its first painted frame on the sample card, and a bare
// Qt window of the same size with the same toolkit set-up, each in a fresh process, and reports
// both times, their ratio and each process's peak memory.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/CSettingApp.h"
#include "app/CSettingDlg.h"
#include "bench/BareWindow.h"
#include "platform/linux/LinuxProgramHost.h"
#include "skin/SkinFonts.h"

namespace {

std::string g_self;
std::string g_card;

// In the child: once the first paint of a top-level window has been drawn whole (the window
// and its children, flushed), report it on the pipe and end at once.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(int fd) : m_fd(fd) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            const int fd = m_fd;
            QMetaObject::invokeMethod(
                qApp,
                [fd] {
                    const char done = 1;
                    (void)!::write(fd, &done, 1);
                    ::_exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    int m_fd;
};

int RunChild(const std::string& kind, int fd, int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    FirstPaint watcher(fd);
    if (kind == "editor") {
        int childArgc = 2;
        char* childArgv[] = {argv[0], g_card.data(), nullptr};
        dashcam::CSettingApp app(childArgc, childArgv);
        app.installEventFilter(&watcher);
        return app.InitInstance();
    }
    QApplication app(argc, argv);
    dashcam::RegisterTahomaIfMissing(dashcam::LinuxProgramHost().FontFolders());
    app.installEventFilter(&watcher);
    BareWindow window;
    window.show();
    return app.exec();
}

struct Sample {
    double seconds;
    long peakKiB;
};

Sample RunOnce(const char* kind) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {0, 0};
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, STDERR_FILENO);
        const std::string fd = std::to_string(pipeFds[1]);
        ::execl(g_self.c_str(), g_self.c_str(), "--child", kind, fd.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char done = 0;
    const bool painted = ::read(pipeFds[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!painted) {
        return {0, 0};
    }
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

std::map<std::string, double> g_seconds;
std::map<std::string, long> g_peak;

void StartToFirstFrame(benchmark::State& state, const char* kind) {
    double total = 0;
    long peak = 0;
    for (auto _ : state) {
        const Sample s = RunOnce(kind);
        if (s.seconds == 0) {
            state.SkipWithError("the child did not paint");
            return;
        }
        state.SetIterationTime(s.seconds);
        total += s.seconds;
        peak = std::max(peak, s.peakKiB);
    }
    state.counters["peak_KiB"] = double(peak);
    g_seconds[kind] = total / double(state.iterations());
    g_peak[kind] = peak;
}

} // namespace

BENCHMARK_CAPTURE(StartToFirstFrame, editor, "editor")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToFirstFrame, bare_qt_window, "bare")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    g_self = std::filesystem::read_symlink("/proc/self/exe").string();
    // A scratch copy of the sample card, so the benchmark never changes examples/card.
    const std::filesystem::path card =
        std::filesystem::temp_directory_path() / "dashcam-startup-card";
    g_card = card.string() + "/";
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argv[2], std::atoi(argv[3]), 1, argv);
    }
    std::filesystem::remove_all(card);
    std::filesystem::copy(std::filesystem::path(DASHCAM_SAMPLE_CARD), card,
                          std::filesystem::copy_options::recursive);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (g_seconds["bare"] > 0) {
        std::printf("editor %.1f ms, bare Qt window %.1f ms, ratio %.2f; peak memory editor %ld "
                    "KiB, bare %ld KiB\n",
                    g_seconds["editor"] * 1e3, g_seconds["bare"] * 1e3,
                    g_seconds["editor"] / g_seconds["bare"], g_peak["editor"], g_peak["bare"]);
    }
    std::filesystem::remove_all(card);
    benchmark::Shutdown();
    return 0;
}
