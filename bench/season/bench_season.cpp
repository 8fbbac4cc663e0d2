// The season: a year's lunar months and veto spans (goal: under 20 ms), and the season of one day as the day view
// and the calculation show it.

#include <benchmark/benchmark.h>

#include <limits>

#include "driver/season.h"
#include "driver/season_year.h"

namespace kalvora {
namespace {

constexpr int IndiaSeconds = 19800;

void BM_YearSeason(benchmark::State& state) {
    int year = 2020;
    for (auto _ : state) {
        const double from = LocalMidnightJdUt({year, 1, 1}, IndiaSeconds);
        const double to = LocalMidnightJdUt({year + 1, 1, 1}, IndiaSeconds);
        const LunarCalendar calendar(from, to);
        benchmark::DoNotOptimize(calendar.MonthsBetween(from, to));
        benchmark::DoNotOptimize(calendar.VetoSpans(from, to));
        year = year == 2039 ? 2020 : year + 1;  // a new year each time: nothing can be carried over
    }
}

void BM_DaySeason(benchmark::State& state) {
    LocalDate date{2026, 1, 1};
    TypedPlace delhi;
    SetLatitude(delhi, 28.61);
    SetLongitude(delhi, 77.21);
    TypedZone india;
    india.hours = 5;
    india.minutes = 30;
    const DayView first = ComputeDayView(delhi, india, date);
    for (auto _ : state) {
        DayView day = first;
        day.sun.date = date;
        *day.sun.sunriseJdUt += DayNumber(date) - DayNumber(first.sun.date);
        *day.sun.nextSunriseJdUt += DayNumber(date) - DayNumber(first.sun.date);
        benchmark::DoNotOptimize(SeasonOfDay(day));
        date = AddDays(date, 1);
    }
}

// The season command's and the year strip's year: the calendar a day wider on each side, every edge on a clock that
// changes twice in the year (five hours west, with daylight saving from early March to early November).
void BM_SeasonOfYear(benchmark::State& state) {
    TypedZone winter;
    winter.hours = 5;
    winter.isEast = false;
    TypedZone summer = winter;
    summer.isDst = true;
    int year = 2020;
    for (auto _ : state) {
        const std::int64_t march = (DayNumber({year, 3, 8}) - EpochDayNumber) * SecondsPerDay + 7 * SecondsPerHour;
        const std::int64_t november = (DayNumber({year, 11, 1}) - EpochDayNumber) * SecondsPerDay + 6 * SecondsPerHour;
        const SeasonClock clock = {{std::numeric_limits<std::int64_t>::min(), winter}, {march, summer}, {november, winter}};
        benchmark::DoNotOptimize(SeasonOfYear(year, clock));
        year = year == 2039 ? 2020 : year + 1;
    }
}

BENCHMARK(BM_YearSeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DaySeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeasonOfYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora
