// Times the editor from process start to its first painted frame on the sample card, and a bare
// Qt window of the same size with the same toolkit set-up, each in a fresh process, the two in
// turns, and reports the median times, peak memories and their ratios.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

std::vector<Sample> g_editor;
std::vector<Sample> g_bare;

// Each iteration starts both programs, in turns of order, so that a change in the machine's
// load falls on both alike; the iteration's time is the editor's.
void EditorThenBareWindow(benchmark::State& state) {
    for (auto _ : state) {
        const bool editorFirst = g_editor.size() % 2 == 0;
        const Sample first = RunOnce(editorFirst ? "editor" : "bare");
        const Sample second = RunOnce(editorFirst ? "bare" : "editor");
        if (first.seconds == 0 || second.seconds == 0) {
            state.SkipWithError("a child did not paint");
            return;
        }
        const Sample& editor = editorFirst ? first : second;
        g_editor.push_back(editor);
        g_bare.push_back(editorFirst ? second : first);
        state.SetIterationTime(editor.seconds);
    }
}

template <typename Value> Value Median(const std::vector<Sample>& samples, Value Sample::*field) {
    std::vector<Value> values;
    for (const Sample& sample : samples) {
        values.push_back(sample.*field);
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

BENCHMARK(EditorThenBareWindow)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

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
    if (!g_bare.empty() && g_bare.size() == g_editor.size()) {
        const double editor = Median(g_editor, &Sample::seconds);
        const double bare = Median(g_bare, &Sample::seconds);
        const long editorPeak = Median(g_editor, &Sample::peakKiB);
        const long barePeak = Median(g_bare, &Sample::peakKiB);
        std::printf("medians of %zu alternating runs: editor %.1f ms, bare Qt window %.1f ms, "
                    "time ratio %.3f; peak memory editor %ld KiB, bare %ld KiB, ratio %.3f\n",
                    g_editor.size(), editor * 1e3, bare * 1e3, editor / bare, editorPeak, barePeak,
                    double(editorPeak) / double(barePeak));
    }
    std::filesystem::remove_all(card);
    benchmark::Shutdown();
    return 0;
}
