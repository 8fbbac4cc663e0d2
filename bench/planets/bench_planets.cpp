// Time of the whole sky of one moment (the nine bodies and the ayanamsa), and of its planet texts.

#include <benchmark/benchmark.h>

#include "planets/sky.h"

namespace {

constexpr double StartJdUt = 2461384.708333333;  // 10 December 2026, 05:00 UT (10:30 Indian time)
constexpr double OneMinute = 1.0 / 1440.0;

// A new minute every run, so that the ephemeris cannot answer from the positions of the run before.
void BM_Sky(benchmark::State& state) {
    double jdUt = StartJdUt;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalvora::ComputeSky(jdUt));
        jdUt += OneMinute;
    }
}
BENCHMARK(BM_Sky);

void BM_SkyWithOwnMoonAndTexts(benchmark::State& state) {
    double jdUt = StartJdUt;
    for (auto _ : state) {
        const kalvora::Sky sky = kalvora::ComputeSky(jdUt, 123.456);
        benchmark::DoNotOptimize(kalvora::PlanetTexts(sky));
        jdUt += OneMinute;
    }
}
BENCHMARK(BM_SkyWithOwnMoonAndTexts);

}  // namespace
