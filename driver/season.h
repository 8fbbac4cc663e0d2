#pragma once
// The season on a clock: the lunar month and samvat years of a day (those current at its sunrise, as its tithi
// is), the veto spans as whole minutes of a zone's clock, and the season's line beside a calculation.

#include <string>
#include <vector>

#include "astro/local_time.h"
#include "driver/day_season.h"
#include "driver/day_view.h"
#include "muhurtha/subjects.h"
#include "season/season.h"

namespace kalvora {

// The first clock minute on a zone whose start is at or after an instant.
ClockMinute FirstMinuteFrom(double jdUt, int zoneOffsetSeconds);
VetoMinutes VetoMinutesOf(const VetoSpan& span, int zoneOffsetSeconds);
// A lunar month's first minute and the first minute of the next, on a zone.
std::pair<ClockMinute, ClockMinute> MonthMinutes(const LunarMonth& month, int zoneOffsetSeconds);

// The day's season: the day's minutes are those its limbs are listed over (from the minute holding the sunrise to
// the one holding the next sunrise). A calendar covering the day may be given so that many days share it.
DaySeason SeasonOfDay(const DayView& day, const LunarCalendar* calendar = nullptr);
// The same with the veto spans already found (calendar.VetoSpans over a stretch holding the day, each whole), so
// that the days of a month search the planets' combustions once.
DaySeason SeasonOfDay(const DayView& day, const LunarCalendar& calendar, const std::vector<VetoSpan>& spans);

// The vetoes of a day in force at a minute that apply to an undertaking.
std::vector<VetoMinutes> VetoesAtMinute(const DaySeason& season, ClockMinute minute, MuhurthaSubject subject);

// "Season: Jupiter is combust from 14 July to 13 August 2026; marriages are not held in this season by most
// almanacs." for each veto in force (one sentence each); "" when none is.
std::string SeasonWarning(const std::vector<VetoMinutes>& vetoes, MuhurthaSubject subject);
// "14 July to 13 August 2026": the dates of a span's first minute and of its end.
std::string SpanDatesText(const VetoMinutes& span);
// "Adhika Jyaistha", "Agrahayana (kshaya)": an amanta month as the texts name it.
std::string LunarMonthText(const LunarMonth& month);
// How the combustion spans are dated, for wherever they are shown.
inline constexpr std::string_view CombustionNote =
    "Combustion is dated by the orb rule (Jupiter within 11 degrees of the Sun, Venus within 10, 8 while "
    "retrograde), so the spans are exact and reproducible; almanacs that date it from the planet's visibility "
    "differ among themselves by days.";

}  // namespace kalvora
