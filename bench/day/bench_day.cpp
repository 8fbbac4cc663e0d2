// The whole day around a date: sunrise, sunset and the next sunrise from the ephemeris, then every period.
// Goal: under 5 ms.

#include <benchmark/benchmark.h>

#include "day/periods.h"
#include "day/sun_day.h"

namespace kalvora {
namespace {

void WholeDay(benchmark::State& state, DayPlace place, SunriseDefinition definition) {
    LocalDate date{2026, 1, 1};
    for (auto _ : state) {
        const SunDay day = ComputeSunDay(date, place, definition);
        if (const auto frame = FrameOf(day)) benchmark::DoNotOptimize(PeriodsOfDay(*frame));
        benchmark::DoNotOptimize(day);
        date = AddDays(date, 1);  // a new date each time: nothing can be carried over
    }
}

void BM_WholeDayNewDelhi(benchmark::State& state) {
    WholeDay(state, {28.61, 77.21, 0.0, 19800}, SunriseDefinition::Hindu);
}
void BM_WholeDayLondonStandard(benchmark::State& state) {
    WholeDay(state, {51.5, -0.125, 0.0, 0}, SunriseDefinition::Standard);
}
void BM_WholeDayTromso(benchmark::State& state) {
    WholeDay(state, {69.65, 18.96, 0.0, 3600}, SunriseDefinition::Hindu);
}
// The day that holds a moment, which may need the date before as well.
void BM_DayOfMoment(benchmark::State& state) {
    const DayPlace delhi{28.61, 77.21, 0.0, 19800};
    double jdUt = 2461041.5;  // 2026-01-01 00:00 UT, before sunrise in New Delhi
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunDayOfMoment(jdUt, delhi));
        jdUt += 1.0;
    }
}

BENCHMARK(BM_WholeDayNewDelhi)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeDayLondonStandard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeDayTromso)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DayOfMoment)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvora
