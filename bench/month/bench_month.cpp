// A month at New Delhi with an undertaking and one person: thirty-one days with their tables and seasons, and one
// finder search for the best windows; then its parts alone, to say where the time goes.

#include <benchmark/benchmark.h>

#include "driver/season.h"
#include "month/month.h"

namespace kalvora {
namespace {

MonthQuery DelhiMonth(bool undertaking) {
    MonthQuery q;
    q.year = 2026;
    q.month = 12;
    q.place.latitudeDegrees = 28;
    q.place.latitudeMinutes = 39;
    q.place.longitudeDegrees = 77;
    q.place.longitudeMinutes = 13;
    q.zone.hours = 5;
    q.zone.minutes = 30;
    if (!undertaking) return q;
    FinderQuery search;
    search.input.subject = "Marriage";
    search.input.personName = "Asha";
    search.input.personSex = "Female";
    search.input.birth.place = q.place;
    search.input.birth.zone = q.zone;
    search.input.birth.year = 1995;
    search.input.birth.month = 8;
    search.input.birth.day = 15;
    search.input.birth.hour = 6;
    search.input.birth.minute = 45;
    search.input.muhurtha.place = q.place;
    search.input.muhurtha.zone = q.zone;
    search.vetoes = VetoesOf(*FindSubject(search.input.subject));
    q.undertaking = search;
    return q;
}

void BM_MonthWithUndertaking(benchmark::State& state) {
    const MonthQuery q = DelhiMonth(true);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMonth(q).days.data());
}
BENCHMARK(BM_MonthWithUndertaking)->Unit(benchmark::kMillisecond);

// The days alone (each day's view with its table, and its season).
void BM_MonthDaysOnly(benchmark::State& state) {
    const MonthQuery q = DelhiMonth(false);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMonth(q).days.data());
}
BENCHMARK(BM_MonthDaysOnly)->Unit(benchmark::kMillisecond);

// The days' views alone (times, limbs, periods and the table of lagnas, Varjyam, Amrit kalam, Bhadra, Panchaka).
void BM_MonthDayViews(benchmark::State& state) {
    const MonthQuery q = DelhiMonth(false);
    for (auto _ : state) {
        for (int day = 1; day <= 31; ++day) {
            benchmark::DoNotOptimize(ComputeDayView(q.place, q.zone, {q.year, q.month, day}).table.lagnas.data());
        }
    }
}
BENCHMARK(BM_MonthDayViews)->Unit(benchmark::kMillisecond);

// The lunar calendar the month's seasons share.
void BM_MonthCalendar(benchmark::State& state) {
    for (auto _ : state) {
        const LunarCalendar calendar(LocalMidnightJdUt({2026, 12, 1}, 0) - 2.0, LocalMidnightJdUt({2026, 12, 31}, 0) + 3.0);
        benchmark::DoNotOptimize(calendar.At(LocalMidnightJdUt({2026, 12, 15}, 0)));
    }
}
BENCHMARK(BM_MonthCalendar)->Unit(benchmark::kMillisecond);

// The finder's search of the month alone.
void BM_MonthSearchOnly(benchmark::State& state) {
    FinderQuery q = *DelhiMonth(true).undertaking;
    q.from = {2026, 12, 1};
    q.to = {2026, 12, 31};
    for (auto _ : state) benchmark::DoNotOptimize(FindWindows(q).windows.data());
}
BENCHMARK(BM_MonthSearchOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora
