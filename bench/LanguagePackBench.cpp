// Times the parse of the largest language pack, a full load through the language manager (the
// pack and the English pack behind it), and one text lookup, cycling through every shown key.
#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "platform/NullDebugOutput.h"
#include "resources/EmbeddedResources.h"
#include "tests/text/ShownTexts.h"
#include "text/CIniText.h"
#include "text/CLanguageManager.h"

namespace {

struct Pack {
    std::u16string name;
    std::span<const unsigned char> bytes;
};

Pack LargestPack() {
    Pack largest;
    for (const dashcam::EmbeddedResourceEntry& entry : dashcam::EmbeddedResources()) {
        if (std::string(entry.type) == "LANGUAGE" && entry.size > largest.bytes.size()) {
            const std::string name = entry.name;
            largest = {std::u16string(name.begin(), name.end()), {entry.data, entry.size}};
        }
    }
    return largest;
}

std::string Label(const Pack& pack) {
    return std::string(pack.name.begin(), pack.name.end()) + ", " +
           std::to_string(pack.bytes.size()) + " bytes";
}

void ParseLargestPack(benchmark::State& state) {
    const Pack pack = LargestPack();
    dashcam::NullDebugOutput debug;
    for (auto _ : state) {
        dashcam::CIniText ini(debug);
        benchmark::DoNotOptimize(ini.Parse(pack.bytes.data(), pack.bytes.size()));
    }
    state.SetLabel(Label(pack));
}

void LoadLargestPack(benchmark::State& state) {
    const Pack pack = LargestPack();
    dashcam::NullDebugOutput debug;
    dashcam::CLanguageManager language(debug);
    for (auto _ : state) {
        benchmark::DoNotOptimize(language.LoadLanguage(pack.name));
    }
    state.SetLabel(Label(pack) + ", English fallback included");
}

void LookUpShownKey(benchmark::State& state) {
    const Pack pack = LargestPack();
    dashcam::NullDebugOutput debug;
    dashcam::CLanguageManager language(debug);
    if (!language.LoadLanguage(pack.name)) {
        state.SkipWithError("the largest pack does not load");
        return;
    }
    // One lookup per iteration, so the time column is the time per lookup.
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(language.GetText(dashcam::test::kShownTexts[next].key));
        next = (next + 1) % dashcam::test::kShownTexts.size();
    }
    state.SetLabel(Label(pack) + ", " + std::to_string(dashcam::test::kShownTexts.size()) +
                   " shown keys in turn");
}

} // namespace

BENCHMARK(ParseLargestPack);
BENCHMARK(LoadLargestPack);
BENCHMARK(LookUpShownKey);
BENCHMARK_MAIN();
