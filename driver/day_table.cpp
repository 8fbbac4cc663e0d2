// The rest of the day's table. The lagna and the Moon's sign are found by the change search on whole minutes, as
// the limbs are; Varjyam, Amrit kalam and Bhadra are read off the day's own nakshatra and karana lists.

#include "driver/day_table.h"

#include <cstddef>
#include <optional>

#include "astro/ephemeris.h"
#include "day/nakshatra_ghatis.h"
#include "driver/change_search.h"
#include "panchanga/tables.h"
#include "planets/reckoner.h"
#include "planets/sky.h"

namespace kalvora {

namespace {

// The karana of Bhadra.
constexpr std::string_view BhadraKarana = "Visti";
static_assert(KaranaNames[6] == BhadraKarana);
// The Moon's signs of Panchaka: Kumbha and Meena.
constexpr int FirstPanchakaSign = 10;

// How far before the day the search for the changes starts, so that the span current at its start is found whole:
// longer than any sign of the ascendant lasts away from the poles, and than the Moon stays in two signs (the run of
// Panchaka).
constexpr int LagnaLeadMinutes = 12 * MinutesPerHour;
constexpr int MoonSignLeadMinutes = 6 * MinutesPerDay;
// Longer than the Moon stays in one sign (two and a half days at the most).
constexpr int MoonSignStayMinutes = 3 * MinutesPerDay;

// The sign of an angle read at whole clock minutes of a place and zone, guided by the angle itself (30 degrees a
// sign): the ascendant's or the Moon's.
struct SignQuantity {
    using Value = int;
    enum class Of { Lagna, Moon } of;
    const TypedPlace& place;
    const TypedZone& zone;
    Reckoner reckoner;
    ChangeGuide guide;

    ChangeReading<Value> Read(ClockMinute minute) {
        const MomentTime time = ConvertMoment(AtClockMinute(place, zone, minute));
        ChartPositions chart;
        if (of == Of::Lagna) {
            reckoner.Lagna(time, chart);
            return {minute, chart.lagnaSignIndex, {chart.lagnaLongitude, 0.0}};
        }
        reckoner.Moon(time, chart);
        return {minute, chart.rashiIndex, {chart.moonLongitude, 0.0}};
    }
    static bool Same(int a, int b) { return a == b; }
};

struct SignRun {
    int sign = 0;
    ClockMinute start = 0;
    ClockMinute end = 0;
};

// The whole runs of one sign that end after `first` - lead and begin up to `last`, looked for up to `last` + lead
// (a run still going on there is left out, as is the one going on at `first` - lead, whose start is not known).
std::vector<SignRun> SignRuns(SignQuantity quantity, ClockMinute first, ClockMinute last, int lead) {
    std::vector<SignRun> runs;
    ChangeReading<int> lo = quantity.Read(first - lead);
    SignRun run{lo.value, lo.minute, lo.minute};
    bool whole = false;
    for (;;) {
        const std::optional<ChangeReading<int>> next = NextChange(quantity, lo, last + lead);
        if (!next) return runs;
        run.end = next->minute;
        if (whole) runs.push_back(run);
        if (next->minute > last) return runs;
        run = {next->value, next->minute, next->minute};
        whole = true;
        lo = *next;
    }
}

struct DayBounds {
    double start = 0.0;  // the sunrise, or the midnight that begins the date
    double end = 0.0;    // the next sunrise, or the next midnight
    bool Overlaps(const TimeSpan& span) const { return span.startJdUt < end && span.endJdUt > start; }
};

DayBounds BoundsOf(const DayView& day) {
    if (day.sun.sunriseJdUt && day.sun.nextSunriseJdUt) return {*day.sun.sunriseJdUt, *day.sun.nextSunriseJdUt};
    const double midnight = LocalMidnightJdUt(day.sun.date, day.place.zoneOffsetSeconds);
    return {midnight, midnight + 1.0};
}

}  // namespace

TimeSpan KalamOf(const TimeSpan& nakshatra, double startGhati) {
    const double length = nakshatra.endJdUt - nakshatra.startJdUt;
    return {nakshatra.startJdUt + length * startGhati / GhatisPerNakshatra,
            nakshatra.startJdUt + length * (startGhati + KalamGhatis) / GhatisPerNakshatra};
}

namespace {

TimeSpan SpanOf(ClockMinute start, ClockMinute end, int offset) {
    return {JdUtOfClockMinute(start, offset), JdUtOfClockMinute(end, offset)};
}

// The Varjyam or Amrit kalam of each nakshatra of a list.
std::vector<TimeSpan> KalamsOf(const std::vector<LimbSpan>& nakshatras, const std::array<double, 27>& ghatis,
                               int offset) {
    std::vector<TimeSpan> kalams;
    for (const LimbSpan& nakshatra : nakshatras) {
        kalams.push_back(KalamOf(SpanOf(nakshatra.start, nakshatra.end, offset),
                                 ghatis[static_cast<std::size_t>(nakshatra.value.index)]));
    }
    return kalams;
}

// The Visti karanas of a list.
std::vector<TimeSpan> BhadraOf(const std::vector<LimbSpan>& karanas, int offset) {
    std::vector<TimeSpan> bhadra;
    for (const LimbSpan& karana : karanas) {
        if (karana.value.name == BhadraKarana) bhadra.push_back(SpanOf(karana.start, karana.end, offset));
    }
    return bhadra;
}

// The runs of the Moon in Kumbha and Meena, each whole, that begin up to `last` and end after `first` - lead.
std::vector<TimeSpan> PanchakaBetween(const TypedPlace& place, const TypedZone& zone, ClockMinute first,
                                      ClockMinute last, Reckoning reckoning) {
    const int offset = ZoneOffsetSeconds(zone);
    std::vector<TimeSpan> spans;
    std::optional<SignRun> panchaka;
    // Meena begins within a sign's stay of the last Kumbha that begins by `last`, so the runs are taken up to one
    // beginning that long after.
    const SignQuantity moonSign{SignQuantity::Of::Moon, place, zone, Reckoner(reckoning), {1, {30.0, 0.0}, {}, 360}};
    for (const SignRun& run : SignRuns(moonSign, first, last + MoonSignStayMinutes, MoonSignLeadMinutes)) {
        if (run.sign < FirstPanchakaSign) continue;
        if (panchaka && panchaka->end == run.start) {
            panchaka->end = run.end;
        } else {
            if (panchaka) spans.push_back(SpanOf(panchaka->start, panchaka->end, offset));
            panchaka = run;
        }
    }
    if (panchaka) spans.push_back(SpanOf(panchaka->start, panchaka->end, offset));
    return spans;
}

// Leaves in a list only the spans that overlap start..end.
std::vector<TimeSpan> Overlapping(std::vector<TimeSpan> spans, double start, double end) {
    std::erase_if(spans, [&](const TimeSpan& s) { return !(s.startJdUt < end && s.endJdUt > start); });
    return spans;
}

}  // namespace

DayTable ComputeDayTable(const TypedPlace& place, const TypedZone& zone, const DayView& day) {
    DayTable table;
    const DayBounds bounds = BoundsOf(day);
    const int offset = day.place.zoneOffsetSeconds;
    const ClockMinute first = ClockMinuteHolding(bounds.start, offset);
    const ClockMinute last = ClockMinuteHolding(bounds.end, offset);

    const Reckoning reckoning = ReckoningOf(day.conventions);
    const ChangeGuide signGuide{1, {30.0, 0.0}, {}, 60};
    for (const SignRun& run : SignRuns({SignQuantity::Of::Lagna, place, zone, Reckoner(reckoning), signGuide}, first, last,
                                       LagnaLeadMinutes)) {
        const TimeSpan span = SpanOf(run.start, run.end, offset);
        if (bounds.Overlaps(span)) {
            table.lagnas.push_back({run.sign, SignNames[static_cast<std::size_t>(run.sign)].name, span});
        }
    }
    const auto& nakshatras = day.limbs[static_cast<std::size_t>(Limb::Nakshatra)];
    table.varjyam = Overlapping(KalamsOf(nakshatras, VarjyamStartGhatis, offset), bounds.start, bounds.end);
    table.amritKalam = Overlapping(KalamsOf(nakshatras, AmritKalamStartGhatis, offset), bounds.start, bounds.end);
    table.bhadra = Overlapping(BhadraOf(day.limbs[static_cast<std::size_t>(Limb::Karana)], offset), bounds.start,
                               bounds.end);
    table.panchaka = Overlapping(PanchakaBetween(place, zone, first, last, reckoning), bounds.start, bounds.end);
    return table;
}

std::vector<TimeSpan> MarkSpansBetween(MoonMark mark, const TypedPlace& place, const TypedZone& zone, ClockMinute first,
                                       ClockMinute last, Reckoning reckoning) {
    const int offset = ZoneOffsetSeconds(zone);
    std::vector<TimeSpan> spans;
    switch (mark) {
        case MoonMark::Varjyam:
            spans = KalamsOf(LimbSpansBetween(Limb::Nakshatra, place, zone, first, last, reckoning), VarjyamStartGhatis,
                             offset);
            break;
        case MoonMark::Bhadra:
            spans = BhadraOf(LimbSpansBetween(Limb::Karana, place, zone, first, last, reckoning), offset);
            break;
        case MoonMark::Panchaka:
            spans = PanchakaBetween(place, zone, first, last, reckoning);
            break;
    }
    return Overlapping(std::move(spans), JdUtOfClockMinute(first, offset), JdUtOfClockMinute(last + 1, offset));
}

}  // namespace kalvora
