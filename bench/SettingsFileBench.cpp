// Times a load and a save of the settings record through the settings store against a plain
// read and write of the same 544 bytes, and the store's save alone (locked, merged, replaced
// whole through a flushed temporary file) against a plain flushed write of the same bytes, and
// prints how much the store's work costs on top.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <unistd.h>
#include <vector>

#include "bench/RatioReporter.h"
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

// A settings store over the real files, with the record loaded from the bench file.
struct BenchStore {
    BenchStore() {
        store.CreateEmptyRecord();
        store.LoadSettingsFile(path);
        store.RememberCardState();
    }
    dashcam::NullDebugOutput debug;
    dashcam::PosixFileAccess files;
    dashcam::ConsolePrompt prompt{std::cerr};
    dashcam::SettingsStore store{debug, files, prompt};
    const std::string path = BenchFile();
};

// A driver saves once in a while, not in a tight loop: a pause (not timed) before each save lets
// the file's modification time move on, so every plain write also flushes that change, as a real
// one does.
void PauseBetweenSaves(benchmark::State& state) {
    state.PauseTiming();
    ::usleep(5000);
    state.ResumeTiming();
}

void StoreLoadAndSave(benchmark::State& state) {
    BenchStore bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.store.LoadSettingsFile(bench.path));
        benchmark::DoNotOptimize(bench.store.SaveSettingsFile(bench.path));
    }
}

// The save both front ends use: locked, merged over the card's content, replaced whole.
void StoreSave(benchmark::State& state) {
    BenchStore bench;
    const auto keepMine = [](const dashcam::SettingsField&, const dashcam::SettingsRecord&,
                             const dashcam::SettingsRecord&) { return true; };
    std::int32_t value = 0;
    for (auto _ : state) {
        PauseBetweenSaves(state);
        bench.store.Current().SetI32(64, value++ % 3);
        benchmark::DoNotOptimize(bench.store.SaveChanges(bench.path, keepMine));
    }
}

void PlainFlushedWrite(benchmark::State& state) {
    const std::string path = BenchFile();
    std::vector<unsigned char> bytes(544, 0);
    for (auto _ : state) {
        PauseBetweenSaves(state);
        const int fd = ::open(path.c_str(), O_RDWR);
        benchmark::DoNotOptimize(::pwrite(fd, bytes.data(), bytes.size(), 0));
        ::fsync(fd);
        ::close(fd);
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

} // namespace

BENCHMARK(StoreLoadAndSave);
BENCHMARK(StoreSave)->Iterations(300);
BENCHMARK(PlainFlushedWrite)->Iterations(300);
BENCHMARK_CAPTURE(PlainReadAndWrite, unflushed, false);
BENCHMARK_CAPTURE(PlainReadAndWrite, flushed, true);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double store = reporter.times["StoreLoadAndSave"];
    const double plain = reporter.times["PlainReadAndWrite/unflushed"];
    const double flushed = reporter.times["PlainReadAndWrite/flushed"];
    const double save = reporter.times["StoreSave/iterations:300"];
    const double plainSave = reporter.times["PlainFlushedWrite/iterations:300"];
    if (save > 0 && plainSave > 0) {
        std::printf("store save / plain flushed write of the same bytes: %.2f\n", save / plainSave);
    }
    if (store > 0 && plain > 0 && flushed > 0) {
        std::printf(
            "store load+save / plain read+write: %.2f (against a flushed plain write: %.2f)\n",
            store / plain, store / flushed);
    }
    std::filesystem::remove(BenchFile());
    benchmark::Shutdown();
    return 0;
}
