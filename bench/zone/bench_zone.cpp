// The cost of a zone's offset for one local time, and of a year's clock changes (what a search over a
// span with a zone id reads).

#include <benchmark/benchmark.h>

#include "zone/zone.h"

namespace kalvora {
namespace {

void LookUpOneLocalTime(benchmark::State& state) {
    const TimeZone zone = *OpenTimeZone("America/New_York");
    for (auto _ : state) benchmark::DoNotOptimize(LookUpLocalTime(zone, {2021, 7, 1, 12, 0, 0}));
}
BENCHMARK(LookUpOneLocalTime)->Unit(benchmark::kMicrosecond);

void OpenAndLookUp(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(LookUpLocalTime("Asia/Kolkata", {1943, 3, 1, 6, 0, 0}));
}
BENCHMARK(OpenAndLookUp)->Unit(benchmark::kMicrosecond);

void TransitionsOfAYear(benchmark::State& state) {
    const TimeZone zone = *OpenTimeZone("America/New_York");
    const std::int64_t from = SecondsSinceEpoch({2021, 1, 1, 0, 0, 0});
    const std::int64_t to = SecondsSinceEpoch({2022, 1, 1, 0, 0, 0});
    for (auto _ : state) benchmark::DoNotOptimize(TransitionsBetween(zone, from, to));
}
BENCHMARK(TransitionsOfAYear)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvora
