// Time of the whole sky of one moment (the nine bodies and the ayanamsa), of its planet texts, and of one planet.

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

// One planet as the finder reads it, with its speed (for its direction) and without (its sign alone).
void OneBody(benchmark::State& state, kalvora::BodyPosition (*read)(double, kalvora::Body, kalvora::Ayanamsa)) {
    double jdUt = StartJdUt;
    for (auto _ : state) {
        benchmark::DoNotOptimize(read(jdUt, kalvora::Body::Mercury, kalvora::Ayanamsa::Lahiri));
        jdUt += OneMinute;
    }
}
void BM_BodyWithSpeed(benchmark::State& state) { OneBody(state, kalvora::ComputeBody); }
BENCHMARK(BM_BodyWithSpeed);
void BM_BodyWithoutSpeed(benchmark::State& state) { OneBody(state, kalvora::ComputeBodyPlace); }
BENCHMARK(BM_BodyWithoutSpeed);

}  // namespace
