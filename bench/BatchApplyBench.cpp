// Times `dashcam-cfg apply` of a profile to 1000 card folders (each card loaded, checked,
// locked, merged and replaced whole through a flushed temporary file) against a plain copy of
// setup.cfg into the same folders, as a fleet operator's `cp` would do it, and prints the time
// per card and the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "bench/RatioReporter.h"
#include "cli/DashcamCfg.h"
#include "platform/linux/LinuxPlatform.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCards = 1000;

void WriteFile(const fs::path& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// 1000 card folders, each with a camera's setup.cfg, and a profile of two settings.
struct Fleet {
    Fleet() {
        std::string record(544, '\0');
        record[0] = 0x20, record[1] = 0x02; // size word 544
        record[52] = 3, record[76] = 2, record[112] = 2, record[120] = 3, record[176] = 2;
        record[200] = 24, record[212] = 1;
        root = fs::temp_directory_path() / ("dashcam-bench-fleet-" + std::to_string(::getpid()));
        fs::create_directories(root);
        WriteFile(root / "setup.cfg", record);
        WriteFile(root / "fleet.ini", "front_brightness = 2\nspeed_unit = 1\n");
        for (int i = 0; i < kCards; ++i) {
            cards.push_back((root / ("card" + std::to_string(i))).string());
            fs::create_directory(cards.back());
            fs::copy_file(root / "setup.cfg", cards.back() + "/setup.cfg");
        }
    }
    ~Fleet() { fs::remove_all(root); }
    fs::path root;
    std::vector<std::string> cards;
};

Fleet& TheFleet() {
    static Fleet fleet;
    return fleet;
}

void ApplyProfile(benchmark::State& state) {
    Fleet& fleet = TheFleet();
    dashcam::LinuxPlatform platform;
    std::vector<std::string> arguments{"apply", (fleet.root / "fleet.ini").string()};
    arguments.insert(arguments.end(), fleet.cards.begin(), fleet.cards.end());
    for (auto _ : state) {
        std::ostringstream out, err;
        std::istringstream in;
        const int status = dashcam::DashcamCfg(platform.Services(), in, out, err).Run(arguments);
        if (status != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}

void PlainCopy(benchmark::State& state, bool flush) {
    Fleet& fleet = TheFleet();
    const fs::path source = fleet.root / "setup.cfg";
    for (auto _ : state) {
        for (const std::string& card : fleet.cards) {
            const fs::path target = card + "/setup.cfg";
            fs::copy_file(source, target, fs::copy_options::overwrite_existing);
            if (flush) {
                const int fd = ::open(target.c_str(), O_RDWR);
                ::fsync(fd);
                ::close(fd);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}

} // namespace

BENCHMARK(ApplyProfile)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, unflushed, false)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainCopy, flushed, true)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double apply = reporter.times["ApplyProfile/iterations:3"];
    const double copy = reporter.times["PlainCopy/unflushed/iterations:3"];
    const double flushed = reporter.times["PlainCopy/flushed/iterations:3"];
    if (apply > 0 && copy > 0 && flushed > 0) {
        std::printf("per card: apply %.3f ms, plain copy %.3f ms, flushed copy %.3f ms\n",
                    apply / kCards, copy / kCards, flushed / kCards);
        std::printf("apply / plain copy of setup.cfg: %.1f (against a flushed copy: %.2f)\n",
                    apply / copy, apply / flushed);
    }
    benchmark::Shutdown();
    return 0;
}
