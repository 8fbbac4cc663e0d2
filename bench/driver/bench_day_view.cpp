// The whole day of a date at a place: sunrise, sunset and the next sunrise, the limbs current from sunrise to the
// next sunrise with their times, and the periods. Goal: under 5 ms. Also the four limb times of one moment, and
// what is shown beside a calculation: both moments' limb times, the day and its season, and the season's vetoes.

#include <benchmark/benchmark.h>

#include "driver/day_view.h"

namespace kalvora {
namespace {

MomentInput Chennai() {
    MomentInput in;
    in.zone.hours = 5;
    in.zone.minutes = 30;
    in.place.longitudeDegrees = 80;
    in.place.longitudeMinutes = 17;
    in.place.latitudeDegrees = 13;
    in.place.latitudeMinutes = 5;
    in.year = 2026;
    in.hour = 10;
    return in;
}

void BM_WholeDayView(benchmark::State& state) {
    const MomentInput place = Chennai();
    LocalDate date{2026, 1, 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeDayView(place.place, place.zone, date));
        date = AddDays(date, 1);  // a new date each time
    }
}
BENCHMARK(BM_WholeDayView)->Unit(benchmark::kMicrosecond);

void BM_LimbsOfAMoment(benchmark::State& state) {
    MomentInput moment = Chennai();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LimbsAt(moment));
        moment.day = static_cast<std::int16_t>(moment.day % 28 + 1);
    }
}
BENCHMARK(BM_LimbsOfAMoment)->Unit(benchmark::kMicrosecond);

void BM_CalculationTimes(benchmark::State& state) {
    CalculationInput input;
    input.birth = Chennai();
    input.birth.year = 1990;
    input.muhurtha = Chennai();
    input.subject = "Marriage";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeCalculationTimes(input));
        input.muhurtha.day = static_cast<std::int16_t>(input.muhurtha.day % 28 + 1);
    }
}
BENCHMARK(BM_CalculationTimes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvora
