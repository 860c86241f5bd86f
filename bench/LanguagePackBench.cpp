// Times a full parse of the largest language pack and a text lookup through the language
// manager.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "platform/NullDebugOutput.h"
#include "resources/EmbeddedResources.h"
#include "text/CIniText.h"
#include "text/CLanguageManager.h"

namespace {

std::span<const unsigned char> LargestPack(std::string& name) {
    std::span<const unsigned char> largest;
    for (const dashcam::EmbeddedResourceEntry& entry : dashcam::EmbeddedResources()) {
        if (std::string(entry.type) == "LANGUAGE" && entry.size > largest.size()) {
            largest = {entry.data, entry.size};
            name = entry.name;
        }
    }
    return largest;
}

void ParseLargestPack(benchmark::State& state) {
    std::string name;
    const auto pack = LargestPack(name);
    dashcam::NullDebugOutput debug;
    for (auto _ : state) {
        dashcam::CIniText ini(debug);
        benchmark::DoNotOptimize(ini.Parse(pack.data(), pack.size()));
    }
    state.SetLabel(name + ", " + std::to_string(pack.size()) + " bytes");
}

void LookUpOneKey(benchmark::State& state) {
    std::string name;
    LargestPack(name);
    dashcam::NullDebugOutput debug;
    dashcam::CLanguageManager language(debug);
    std::u16string pack(name.begin(), name.end());
    language.LoadLanguage(pack);
    std::vector<std::u16string> keys;
    for (int n = 101; n <= 330; ++n) {
        const std::string key = "IDS_STRING" + std::to_string(n);
        keys.emplace_back(key.begin(), key.end());
    }
    // One lookup per iteration, cycling through the keys, so the time column is per lookup.
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(language.GetText(keys[next]));
        next = (next + 1) % keys.size();
    }
    state.SetLabel("one GetText, fallback included");
}

} // namespace

BENCHMARK(ParseLargestPack);
BENCHMARK(LookUpOneKey);
BENCHMARK_MAIN();
