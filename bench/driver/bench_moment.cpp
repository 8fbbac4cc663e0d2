// Time of one whole moment: ascendant, Moon and almanac, as the calculation runs them, with the planets placed and
// without.

#include <benchmark/benchmark.h>

#include "driver/calculation.h"
#include "driver/people_calculation.h"
#include "astro/ephemeris.h"

namespace {

kalvora::MomentInput Delhi() {
    kalvora::MomentInput in;
    in.year = 2026; in.month = 12; in.day = 10; in.hour = 10; in.minute = 30;
    in.zone.hours = 5; in.zone.minutes = 30; in.zone.isEast = true;
    in.place.longitudeDegrees = 77; in.place.longitudeMinutes = 13; in.place.isEast = true;
    in.place.latitudeDegrees = 28; in.place.latitudeMinutes = 39;
    return in;
}

// Moves through the minutes of a day so that no two runs see the same moment.
void NextMinute(kalvora::MomentInput& in) {
    if (++in.minute == 60) {
        in.minute = 0;
        if (++in.hour == 24) in.hour = 0;
    }
}

void WholeMoment(benchmark::State& state, kalvora::PlanetsMode planets) {
    kalvora::MomentInput in = Delhi();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalvora::ComputeMoment(in, planets));
        NextMinute(in);
    }
}

void BM_WholeMomentWithPlanets(benchmark::State& state) { WholeMoment(state, kalvora::PlanetsMode::Sky); }
BENCHMARK(BM_WholeMomentWithPlanets);

void BM_WholeMomentWithoutPlanets(benchmark::State& state) { WholeMoment(state, kalvora::PlanetsMode::None); }
BENCHMARK(BM_WholeMomentWithoutPlanets);

// A marriage muhurtha for one person, as the one-person calculation runs it, and for a couple (the muhurtha
// computed once, two births, the balas and the combined verdict).
kalvora::PeopleInput Couple() {
    kalvora::PeopleInput input;
    input.first.muhurtha = Delhi();
    input.first.birth = Delhi();
    input.first.birth.year = 1995;
    input.first.subject = "Marriage";
    input.first.personName = "Asha";
    input.first.personSex = "Female";
    input.first.muhurthaWeekdayBox = "Thursday";
    kalvora::OtherPerson ravi{"Ravi", "Male", Delhi(), {}};
    ravi.birth.year = 1993;
    input.others.push_back(ravi);
    return input;
}

void BM_CalculationForOne(benchmark::State& state) {
    kalvora::CalculationInput in = Couple().first;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalvora::Calculate(in));
        NextMinute(in.muhurtha);
    }
}
BENCHMARK(BM_CalculationForOne);

void BM_CalculationForTwo(benchmark::State& state) {
    kalvora::PeopleInput in = Couple();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalvora::CalculatePeople(in));
        NextMinute(in.first.muhurtha);
    }
}
BENCHMARK(BM_CalculationForTwo);

// One part of the chart from the moment converted each time, as the calculation converts it.
void ChartPart(benchmark::State& state, void (*part)(const kalvora::MomentTime&, kalvora::ChartPositions&, double)) {
    kalvora::MomentInput in = Delhi();
    for (auto _ : state) {
        kalvora::ChartPositions chart;
        part(kalvora::ConvertMoment(in), chart, 0.0);
        benchmark::DoNotOptimize(chart);
        NextMinute(in);
    }
}

void BM_Ascendant(benchmark::State& state) { ChartPart(state, kalvora::LagnaFromTime); }
BENCHMARK(BM_Ascendant);

void BM_Moon(benchmark::State& state) { ChartPart(state, kalvora::MoonFromTime); }
BENCHMARK(BM_Moon);

void BM_Almanac(benchmark::State& state) {
    kalvora::MomentInput in = Delhi();
    for (auto _ : state) {
        const kalvora::MomentTime time = kalvora::ConvertMoment(in);
        benchmark::DoNotOptimize(kalvora::ComputePanchanga(time.clock));
        NextMinute(in);
    }
}
BENCHMARK(BM_Almanac);

}  // namespace
