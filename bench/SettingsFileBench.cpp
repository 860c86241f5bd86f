// Times a load and a save of the settings record through the settings store against a plain
// read and write of the same 544 bytes, and prints how much the store's work costs on top.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <unistd.h>
#include <vector>

#include "cli/ConsolePrompt.h"
#include "platform/NullDebugOutput.h"
#include "platform/linux/PosixFileAccess.h"
#include "settings/SettingsStore.h"

namespace {

std::string BenchFile() {
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "dashcam-bench-setup.cfg";
        std::vector<unsigned char> bytes(544, 0);
        bytes[0] = 0x20, bytes[1] = 0x02; // size word 544
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return p.string();
    }();
    return path;
}

void StoreLoadAndSave(benchmark::State& state) {
    dashcam::NullDebugOutput debug;
    dashcam::PosixFileAccess files;
    dashcam::ConsolePrompt prompt(std::cerr);
    dashcam::SettingsStore store(debug, files, prompt);
    store.CreateEmptyRecord();
    const std::string path = BenchFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.LoadSettingsFile(path));
        benchmark::DoNotOptimize(store.SaveSettingsFile(path));
    }
}

void PlainReadAndWrite(benchmark::State& state, bool flush) {
    const std::string path = BenchFile();
    unsigned char buffer[544];
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
        ::close(fd);
        fd = ::open(path.c_str(), O_RDWR);
        benchmark::DoNotOptimize(::pwrite(fd, buffer, sizeof buffer, 0));
        if (flush) {
            ::fsync(fd);
        }
        ::close(fd);
    }
}

// Keeps each run's time per iteration so the ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(StoreLoadAndSave);
BENCHMARK_CAPTURE(PlainReadAndWrite, unflushed, false);
BENCHMARK_CAPTURE(PlainReadAndWrite, flushed, true);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double store = reporter.times["StoreLoadAndSave"];
    const double plain = reporter.times["PlainReadAndWrite/unflushed"];
    const double flushed = reporter.times["PlainReadAndWrite/flushed"];
    if (store > 0 && plain > 0 && flushed > 0) {
        std::printf(
            "store load+save / plain read+write: %.2f (against a flushed plain write: %.2f)\n",
            store / plain, store / flushed);
    }
    std::filesystem::remove(BenchFile());
    benchmark::Shutdown();
    return 0;
}
