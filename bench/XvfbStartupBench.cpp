// Start-up of the editor and of the bare Tahoma window on a real X server: starts its own Xvfb,
// then runs the two programs alternately, timing each from its start until its window is mapped
// and drawn (a pixel of it is no longer the black root), and reads each one's peak memory when
// it is ended there. Prints the medians and the editor's ratios to the bare window.
// Usage: xvfb_startup_bench [runs of each, default 9] [another build of the editor to time]
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double ms = 0;
    long peakKiB = 0;
};

// Starts a program with its output thrown away; open descriptors are inherited.
pid_t Spawn(const std::vector<std::string>& argv) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, STDERR_FILENO);
        ::dup2(devnull, STDOUT_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

// Starts Xvfb with a black root on a free display; returns its pid and sets DISPLAY.
pid_t StartXvfb() {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    const pid_t pid = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                             "1024x768x24", "-br", "-nolisten", "tcp"});
    ::close(fds[1]);
    char buffer[16] = {};
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer - 1);
    ::close(fds[0]);
    if (got <= 0) {
        return -1;
    }
    ::setenv("DISPLAY", (":" + std::string(buffer, std::strcspn(buffer, "\n"))).c_str(), 1);
    return pid;
}

bool WaitForEvent(xcb_connection_t* x, int timeoutMs) {
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    return ::poll(&fd, 1, timeoutMs) > 0;
}

bool Drawn(xcb_connection_t* x, xcb_window_t window) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 40, 300, 1, 1, ~0u), nullptr);
    if (image == nullptr) {
        return false;
    }
    const std::uint8_t* data = xcb_get_image_data(image);
    const bool drawn = std::any_of(data, data + xcb_get_image_data_length(image),
                                   [](std::uint8_t b) { return b != 0; });
    std::free(image);
    return drawn;
}

// Runs one program until its top-level window is mapped and drawn, then ends it.
Sample RunOnce(xcb_connection_t* x, const std::vector<std::string>& argv) {
    const auto start = Clock::now();
    const pid_t pid = Spawn(argv);
    xcb_window_t window = 0;
    const auto deadline = start + std::chrono::seconds(20);
    while (window == 0 && Clock::now() < deadline) {
        if (!WaitForEvent(x, 50)) {
            continue;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            }
            std::free(event);
        }
    }
    while (window != 0 && !Drawn(x, window) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    Sample sample;
    sample.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    sample.peakKiB = usage.ru_maxrss;
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
        std::free(event); // the unmap and destroy of the window just ended
    }
    return window != 0 && Clock::now() < deadline ? sample : Sample{};
}

template <typename T> T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::filesystem::path card = std::filesystem::temp_directory_path() /
                                       ("dashcam-xvfb-card-" + std::to_string(::getpid()));
    std::filesystem::copy(DASHCAM_SAMPLE_CARD, card, std::filesystem::copy_options::recursive);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const pid_t xvfb = StartXvfb();
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xvfb < 0 || xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<Sample> editor, bare;
    const std::vector<std::string> editorArgv{argc > 2 ? argv[2] : DASHCAM_EDITOR,
                                              card.string() + "/"};
    const std::vector<std::string> bareArgv{DASHCAM_BARE_WINDOW};
    RunOnce(x, editorArgv); // warm the file cache for both
    RunOnce(x, bareArgv);
    for (int i = 0; i < runs; ++i) {
        editor.push_back(RunOnce(x, editorArgv));
        bare.push_back(RunOnce(x, bareArgv));
    }
    xcb_disconnect(x);
    ::kill(xvfb, SIGTERM);
    ::waitpid(xvfb, nullptr, 0);
    std::filesystem::remove_all(card);

    const auto ms = [](const std::vector<Sample>& s) {
        std::vector<double> v;
        for (const Sample& one : s) {
            v.push_back(one.ms);
        }
        return Median(v);
    };
    const auto peak = [](const std::vector<Sample>& s) {
        std::vector<long> v;
        for (const Sample& one : s) {
            v.push_back(one.peakKiB);
        }
        return Median(v);
    };
    if (ms(editor) == 0 || ms(bare) == 0) {
        std::fprintf(stderr, "a program did not show its window\n");
        return 1;
    }
    std::printf("Xvfb, median of %d: editor %.1f ms, bare window %.1f ms, ratio %.3f; peak memory "
                "editor %ld KiB, bare %ld KiB, ratio %.3f\n",
                runs, ms(editor), ms(bare), ms(editor) / ms(bare), peak(editor), peak(bare),
                double(peak(editor)) / double(peak(bare)));
    return 0;
}
