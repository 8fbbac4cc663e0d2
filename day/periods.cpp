#include "day/periods.h"

#include <cstddef>
#include <utility>

namespace kalvora {
namespace {

constexpr int DayEighths = 8;
constexpr int Muhurtas = 15;
constexpr int HalfDayHoras = 12;

std::size_t WeekdayRow(int weekday) { return static_cast<std::size_t>(weekday - 1); }

// Position of a planet in the Chaldean order.
int ChaldeanIndex(Body planet) {
    for (std::size_t i = 0; i < ChaldeanOrder.size(); ++i) {
        if (ChaldeanOrder[i] == planet) return static_cast<int>(i);
    }
    return 0;
}

Body ChaldeanAt(int index) {
    const int n = static_cast<int>(ChaldeanOrder.size());
    return ChaldeanOrder[static_cast<std::size_t>(((index % n) + n) % n)];
}

// The choghadiya a planet rules.
Choghadiya ChoghadiyaRuledBy(Body planet) {
    for (std::size_t i = 0; i < ChoghadiyaTable.size(); ++i) {
        if (ChoghadiyaTable[i].ruler == planet) return static_cast<Choghadiya>(i);
    }
    return Choghadiya::Udveg;
}

// Appends a span, joining it to the last one when they touch.
void AppendJoined(std::vector<TimeSpan>& spans, const TimeSpan& span) {
    if (!spans.empty() && spans.back().endJdUt == span.startJdUt) {
        spans.back().endJdUt = span.endJdUt;
    } else {
        spans.push_back(span);
    }
}

}  // namespace

std::optional<DayFrame> FrameOf(const SunDay& day) {
    if (day.course != SunCourse::RisesAndSets || !day.sunriseJdUt || !day.sunsetJdUt || !day.nextSunriseJdUt) {
        return std::nullopt;
    }
    return DayFrame{*day.sunriseJdUt, *day.sunsetJdUt, *day.nextSunriseJdUt, day.weekday};
}

TimeSpan PartOf(double startJdUt, double endJdUt, int count, int part) {
    const double length = (endJdUt - startJdUt) / count;
    // The last part ends exactly at the span's end, so that parts tile the span without a rounding gap.
    const double end = part == count ? endJdUt : startJdUt + length * part;
    return {startJdUt + length * (part - 1), end};
}

bool AvoidablePeriodsReachTheNight(int weekday) { return DurmuhurtaTable[WeekdayRow(weekday)].nightMuhurta != 0; }

std::optional<AvoidablePeriods> AvoidablePeriodsOf(double sunriseJdUt, double sunsetJdUt,
                                                   std::optional<double> nextSunriseJdUt, int weekday) {
    const std::size_t row = WeekdayRow(weekday);
    const double rise = sunriseJdUt;
    const double set = sunsetJdUt;
    AvoidablePeriods periods;
    const WeekdayEighths& eighths = KalamEighths[row];
    periods.rahuKalam = PartOf(rise, set, DayEighths, eighths.rahuKalam);
    periods.yamaganda = PartOf(rise, set, DayEighths, eighths.yamaganda);
    periods.gulika = PartOf(rise, set, DayEighths, eighths.gulika);

    const DurmuhurtaRow& durmuhurta = DurmuhurtaTable[row];
    for (const std::uint8_t muhurta : durmuhurta.dayMuhurtas) {
        if (muhurta != 0) AppendJoined(periods.durmuhurtas, PartOf(rise, set, Muhurtas, muhurta));
    }
    if (durmuhurta.nightMuhurta != 0) {
        if (!nextSunriseJdUt) return std::nullopt;
        AppendJoined(periods.durmuhurtas, PartOf(set, *nextSunriseJdUt, Muhurtas, durmuhurta.nightMuhurta));
    }
    return periods;
}

DayPeriods PeriodsOfDay(const DayFrame& frame) {
    DayPeriods periods;
    const std::size_t row = WeekdayRow(frame.weekday);
    const double rise = frame.sunriseJdUt;
    const double set = frame.sunsetJdUt;
    const double nextRise = frame.nextSunriseJdUt;

    AvoidablePeriods avoidable = *AvoidablePeriodsOf(rise, set, nextRise, frame.weekday);
    periods.rahuKalam = avoidable.rahuKalam;
    periods.yamaganda = avoidable.yamaganda;
    periods.gulika = avoidable.gulika;
    periods.durmuhurtas = std::move(avoidable.durmuhurtas);

    if (frame.weekday != AbsentAbhijitWeekday) periods.abhijit = PartOf(rise, set, Muhurtas, AbhijitMuhurta);

    const int lord = ChaldeanIndex(WeekdayLords[row]);
    const int nightLord = ChaldeanIndex(WeekdayLords[(row + NightChoghadiyaWeekdayStep) % WeekdayLords.size()]);
    for (int i = 0; i < DayEighths; ++i) {
        const Choghadiya day = ChoghadiyaRuledBy(ChaldeanAt(lord + i));
        const Choghadiya night = ChoghadiyaRuledBy(ChaldeanAt(nightLord + NightChoghadiyaChaldeanStep * i));
        periods.choghadiyas[static_cast<std::size_t>(i)] = {day, RowOf(day).good, PartOf(rise, set, DayEighths, i + 1)};
        periods.choghadiyas[static_cast<std::size_t>(DayEighths + i)] = {night, RowOf(night).good,
                                                                         PartOf(set, nextRise, DayEighths, i + 1)};
    }

    for (int i = 0; i < HalfDayHoras; ++i) {
        periods.horas[static_cast<std::size_t>(i)] = {ChaldeanAt(lord + i), PartOf(rise, set, HalfDayHoras, i + 1)};
        periods.horas[static_cast<std::size_t>(HalfDayHoras + i)] = {ChaldeanAt(lord + HalfDayHoras + i),
                                                                     PartOf(set, nextRise, HalfDayHoras, i + 1)};
    }
    return periods;
}

std::vector<InauspiciousPeriod> InauspiciousPeriodsAt(const DayPeriods& periods, double jdUt) {
    std::vector<InauspiciousPeriod> found;
    if (periods.rahuKalam.Contains(jdUt)) found.push_back(InauspiciousPeriod::RahuKalam);
    if (periods.yamaganda.Contains(jdUt)) found.push_back(InauspiciousPeriod::Yamaganda);
    if (periods.gulika.Contains(jdUt)) found.push_back(InauspiciousPeriod::Gulika);
    for (const TimeSpan& span : periods.durmuhurtas) {
        if (span.Contains(jdUt)) found.push_back(InauspiciousPeriod::Durmuhurta);
    }
    return found;
}

}  // namespace kalvora
