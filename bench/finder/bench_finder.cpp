// The finder over one whole year at one place, for a simple rule set and a journey (and a marriage with its
// season's vetoes left out), against a minute-by-minute run of the normal calculation over the same year.

#include <benchmark/benchmark.h>

#include <string>

#include "cli/places.h"
#include "finder/finder.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"

namespace kalvora {
namespace {

MomentInput DelhiPlace() {
    MomentInput in;
    in.zone.hours = 5;
    in.zone.minutes = 30;
    in.place.longitudeDegrees = 77;
    in.place.longitudeMinutes = 13;
    in.place.latitudeDegrees = 28;
    in.place.latitudeMinutes = 39;
    return in;
}

FinderQuery YearQuery(const char* subject) {
    FinderQuery q;
    q.input.subject = subject;
    q.input.birth = DelhiPlace();
    q.input.birth.year = 1990;
    q.input.birth.month = 5;
    q.input.birth.day = 17;
    q.input.birth.hour = 6;
    q.input.birth.minute = 45;
    q.input.personName = "Asha";
    q.input.personSex = "Female";
    q.input.muhurtha = DelhiPlace();
    q.from = {2026, 1, 1};
    q.to = {2026, 12, 31};
    return q;
}

const char* const Subjects[] = {"Sell Item", "Domestic Journey"};

// Times the search of a query; the label names the subject, what else the case sets, and the windows found.
void TimeSearch(benchmark::State& state, const FinderQuery& q, const std::string& what = "") {
    std::size_t windows = 0;
    for (auto _ : state) {
        const FinderResult r = FindWindows(q);
        windows = r.windows.size();
        benchmark::DoNotOptimize(r.windows.data());
    }
    state.SetLabel(q.input.subject + ", " + what + std::to_string(windows) + " windows");
}

void BM_FinderYear(benchmark::State& state) {
    TimeSearch(state, YearQuery(Subjects[state.range(0)]));
}
BENCHMARK(BM_FinderYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same year at New York on its zone's clock (two changes of offset), the clock read from the zone database
// as the command line reads it.
void BM_FinderYearOnZoneClock(benchmark::State& state) {
    FinderQuery q = YearQuery(Subjects[state.range(0)]);
    q.input.muhurtha.place.longitudeDegrees = 74;
    q.input.muhurtha.place.longitudeMinutes = 0;
    q.input.muhurtha.place.isEast = false;
    q.input.muhurtha.place.latitudeDegrees = 40;
    q.input.muhurtha.place.latitudeMinutes = 43;
    q.clock = ClockOfZone(*OpenTimeZone("America/New_York"), q.from, q.to);
    TimeSearch(state, q, "America/New_York, ");
}
BENCHMARK(BM_FinderYearOnZoneClock)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same year with Rahu kalam, Yamaganda, Gulika and the Durmuhurtas left out: each date's sunrises as well.
void BM_FinderYearAvoidingPeriods(benchmark::State& state) {
    FinderQuery q = YearQuery(Subjects[state.range(0)]);
    q.avoidedPeriods.fill(true);
    TimeSearch(state, q, "every period avoided, ");
}
BENCHMARK(BM_FinderYearAvoidingPeriods)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same year with Varjyam, Bhadra and Panchaka left out: the Moon's and the karanas' spans found a few weeks at
// a time.
void BM_FinderYearAvoidingMarks(benchmark::State& state) {
    FinderQuery q = YearQuery(Subjects[state.range(0)]);
    q.avoidedMarks.fill(true);
    TimeSearch(state, q, "Varjyam, Bhadra and Panchaka avoided, ");
}
BENCHMARK(BM_FinderYearAvoidingMarks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A marriage over the year with and without its vetoes (combust Jupiter and Venus, the leap month, Chaturmas,
// Kharmas, Pitru paksha): the lunar calendar and its spans once, then fewer minutes to search.
void BM_FinderYearMarriage(benchmark::State& state) {
    FinderQuery q = YearQuery("Marriage");
    if (state.range(0) == 1) q.vetoes = VetoesOf(MuhurthaSubject::Marriage);
    TimeSearch(state, q, state.range(0) == 1 ? "its vetoes left out, " : "no veto, ");
}
BENCHMARK(BM_FinderYearMarriage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A new house over the year with the lunar month of its rules read from the table, the amanta or the purnimanta
// month: the true month from one lunar calendar for the search.
void BM_FinderYearLunarMonth(benchmark::State& state) {
    FinderQuery q = YearQuery("Entering a New House");
    q.input.conventions.lunarMonth = static_cast<LunarMonthRule>(state.range(0));
    TimeSearch(state, q, std::string(WordOf(q.input.conventions.lunarMonth, LunarMonthWords).word) + " month, ");
}
BENCHMARK(BM_FinderYearLunarMonth)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Selling over the year on each ephemeris (the series, the library's), with Lahiri, True Chitra (whose star the
// library computes) and Raman: the cost of reading the Sun, the Moon and the ascendant another way.
void BM_FinderYearReckoning(benchmark::State& state) {
    FinderQuery q = YearQuery("Sell Item");
    q.input.conventions.ephemeris = static_cast<EphemerisChoice>(state.range(0));
    q.input.conventions.ayanamsa = static_cast<Ayanamsa>(state.range(1));
    TimeSearch(state, q,
               std::string(WordOf(q.input.conventions.ephemeris, EphemerisWords).word) + " ephemeris, " +
                   std::string(WordOf(q.input.conventions.ayanamsa, AyanamsaWords).word) + ", ");
}
BENCHMARK(BM_FinderYearReckoning)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// A marriage over the year for two people, the bride and the groom (no veto): each person evaluated at every
// stretch, the Sun's and Jupiter's signs searched for their balas, and the combined verdict of each window.
void BM_FinderYearMarriageTwoPeople(benchmark::State& state) {
    FinderQuery q = YearQuery("Marriage");
    OtherPerson groom{"Ravi", "Male", DelhiPlace(), {}};
    groom.birth.year = 1988;
    groom.birth.month = 11;
    groom.birth.day = 2;
    groom.birth.hour = 21;
    groom.birth.minute = 10;
    q.others.push_back(groom);
    q.allGood = state.range(0) == 1;
    TimeSearch(state, q, q.allGood ? "two people, good for both, " : "two people, ");
}
BENCHMARK(BM_FinderYearMarriageTwoPeople)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every minute of the year through the normal calculation, counting the windows the same way.
void BM_MinuteScanYear(benchmark::State& state) {
    const FinderQuery q = YearQuery(Subjects[state.range(0)]);
    std::size_t windows = 0;
    for (auto _ : state) {
        windows = 0;
        const MomentResult birth = ComputeMoment(q.input.birth);
        for (LocalDate date = q.from; date <= q.to; date = AddDays(date, 1)) {
            CalculationInput in = MinuteInput(q, date, 0);
            std::string previous;
            for (int minute = 0; minute < MinutesPerDay; ++minute) {
                in.muhurtha.hour = static_cast<std::int16_t>(minute / 60);
                in.muhurtha.minute = static_cast<std::int16_t>(minute % 60);
                const MomentResult m = ComputeMoment(in.muhurtha);
                const Evaluation e = *EvaluateMuhurtha(MakeEvaluationInput(in, birth, m));
                std::string shown = e.resultText;
                for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) shown += "|" + m.details.Slot(slot);
                if (shown != previous) ++windows;
                previous = std::move(shown);
            }
        }
        benchmark::DoNotOptimize(windows);
    }
    state.SetLabel(std::string(Subjects[state.range(0)]) + ", " + std::to_string(windows) + " windows");
}
BENCHMARK(BM_MinuteScanYear)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace kalvora
