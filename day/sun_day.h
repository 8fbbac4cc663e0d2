#pragma once
// Sunrise, sunset and the next sunrise of a local date at a place, and the day (sunrise to the next sunrise) that a
// moment belongs to. Times are Julian days of universal time; the place's zone offset only says which civil date is
// meant and turns times into local clock texts. The Sun's risings come from Swiss Ephemeris, which keeps internal
// state of its own: call these functions from one thread at a time.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "astro/calendar.h"
#include "astro/conventions.h"  // SunriseDefinition
#include "astro/local_time.h"  // LocalDateOf, LocalMidnightJdUt, LocalTimeText

namespace kalvora {

// A place and its clock. The caller resolves the zone (and daylight saving) into one offset for the date.
struct DayPlace {
    double latitudeDeg = 0.0;    // north positive
    double longitudeDeg = 0.0;   // east positive
    double heightM = 0.0;        // above sea level
    int zoneOffsetSeconds = 0;   // local clock minus universal time, east positive
    bool operator==(const DayPlace&) const = default;
};

// Whether the Sun rose, set and rose again for a date. Where it does not, the times not found are left empty.
enum class SunCourse : std::uint8_t {
    RisesAndSets,  // sunrise, sunset and the next sunrise are all found
    MidnightSun,   // the Sun stays above the horizon: no sunrise on the date, or no sunset after it
    PolarNight,    // the Sun stays below the horizon: no sunrise on the date, or no sunrise again after sunset
};

// The day of one local date: its sunrise, the following sunset and the sunrise after that. The weekday is the
// local date's (1 = Sunday .. 7 = Saturday); the day it names runs from sunrise to the next sunrise.
struct SunDay {
    LocalDate date;
    int weekday = 1;
    SunCourse course = SunCourse::RisesAndSets;
    std::optional<double> sunriseJdUt;
    std::optional<double> sunsetJdUt;
    std::optional<double> nextSunriseJdUt;
    bool operator==(const SunDay&) const = default;
};

// Sunrise of the date (the first rising after the local midnight that begins it, if that rising falls on the date),
// the first setting after it and the first rising after that. A setting or next rising more than a day away is
// not taken: the Sun is then circumpolar or stays down, and the course says which.
SunDay ComputeSunDay(const LocalDate& date, const DayPlace& place,
                     SunriseDefinition definition = SunriseDefinition::Hindu);

// ComputeSunDay in two steps, for a caller that needs the next sunrise only on some days. The first finds the
// sunrise and the sunset and leaves the next sunrise empty (a day with both keeps the course RisesAndSets until the
// second step says otherwise); the second adds the next sunrise to such a day. Both steps give exactly the day
// ComputeSunDay gives.
SunDay ComputeSunriseAndSunset(const LocalDate& date, const DayPlace& place,
                               SunriseDefinition definition = SunriseDefinition::Hindu);
void AddNextSunrise(SunDay& day, const DayPlace& place, SunriseDefinition definition = SunriseDefinition::Hindu);

// Closer to the equator than this (north or south) the Sun rises and sets on every date, by either definition, so a
// sunset is always followed by a sunrise (the polar day and night begin about 66 degrees out).
inline constexpr double EveryDayRiseAndSetLatitudeDeg = 60.0;

// The day that holds a moment: that of the moment's local date, or of the date before when the moment comes
// before the date's sunrise (a minute before sunrise belongs to the previous weekday). Where the local date has no
// sunrise, the moment keeps its civil date. (Close to the polar circles a date can hold two sunrises, one just after
// midnight and one just before the next; a moment after the second is still counted in the first one's day.)
SunDay SunDayOfMoment(double jdUt, const DayPlace& place,
                      SunriseDefinition definition = SunriseDefinition::Hindu);

}  // namespace kalvora
