// Times building the time-zone catalogue from the system's time-zone database, as the program
// does once at every start.
#include <benchmark/benchmark.h>

#include "platform/NullDebugOutput.h"
#include "platform/linux/QtPcTimeZone.h"
#include "platform/linux/QtTimeZoneSource.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace {

void BuildCatalogue(benchmark::State& state) {
    dashcam::NullDebugOutput debug;
    dashcam::QtPcTimeZone pc;
    std::size_t zones = 0;
    for (auto _ : state) {
        dashcam::QtTimeZoneSource source;
        dashcam::CTimeZoneInfoManager manager(source, pc, debug);
        zones = manager.Entries().size();
        benchmark::DoNotOptimize(manager.FindCurrentZone());
    }
    state.SetLabel(std::to_string(zones) + " zones");
}

BENCHMARK(BuildCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
