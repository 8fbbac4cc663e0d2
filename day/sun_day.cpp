#include "day/sun_day.h"

#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "astro/calendar.h"

namespace kalvora {
namespace {

constexpr double SecondsPerDay = 86400.0;
// Julian day of 1970-01-01 00:00 UT, the origin of the day count the calendar conversions below use.
constexpr double UnixEpochJd = 2440587.5;
// The longest gap taken between a rising and the next setting (or a setting and the next rising). Near the polar
// circles a day can run a little past 24 hours; anything longer means the Sun stayed up or down.
constexpr double LongestGapDays = 1.5;

// Day number of 1970-01-01, the origin of the local second count below.
constexpr long UnixEpochDayNumber = 2440588;

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// Local clock of a moment in whole seconds since 1970-01-01 00:00 local time, rounded to the nearest second.
long long LocalSeconds(double jdUt, int zoneOffsetSeconds) {
    return std::llround((jdUt - UnixEpochJd) * SecondsPerDay) + zoneOffsetSeconds;
}

std::string ClockText(long long localSeconds, bool withSeconds) {
    const long long days = FloorDiv(localSeconds, 86400);
    const long long secondOfDay = localSeconds - days * 86400;
    const LocalDate date = DateOfDayNumber(static_cast<long>(days) + UnixEpochDayNumber);
    const int hour = static_cast<int>(secondOfDay / 3600);
    const int minute = static_cast<int>(secondOfDay / 60 % 60);
    const int second = static_cast<int>(secondOfDay % 60);
    std::array<char, 40> text{};
    if (withSeconds) {
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", date.year, date.month, date.day, hour,
                      minute, second);
    } else {
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d", date.year, date.month, date.day, hour,
                      minute);
    }
    return text.data();
}

int32 RiseSetFlags(SunriseDefinition definition, int32 event) {
    return definition == SunriseDefinition::Hindu ? (event | SE_BIT_HINDU_RISING) : event;
}

// The first rising (or setting) of the Sun after a moment, or nothing when the ephemeris finds none (the Sun is
// circumpolar or stays down) or finds one further away than the longest gap. Moshier's analytical ephemeris is
// asked for explicitly: it needs no data files.
std::optional<double> NextEvent(double afterJdUt, const DayPlace& place, SunriseDefinition definition, int32 event) {
    std::array<double, 3> geopos = {place.longitudeDeg, place.latitudeDeg, place.heightM};
    std::array<double, 10> found{};
    std::array<char, AS_MAXCH> error{};
    // Pressure 0: the library estimates it from the height; 15 degrees Celsius is the standard atmosphere.
    const int32 status = swe_rise_trans(afterJdUt, SE_SUN, nullptr, SEFLG_MOSEPH, RiseSetFlags(definition, event),
                                        geopos.data(), 0.0, 15.0, found.data(), error.data());
    if (status != 0 || found[0] <= afterJdUt || found[0] - afterJdUt > LongestGapDays) return std::nullopt;
    return found[0];
}

// Whether the centre of the Sun is above the horizon at a moment (no refraction): tells a midnight sun from a
// polar night where no rising or setting is found.
bool SunIsUp(double jdUt, const DayPlace& place) {
    std::array<double, 6> ecliptic{};
    std::array<char, AS_MAXCH> error{};
    swe_calc_ut(jdUt, SE_SUN, SEFLG_MOSEPH, ecliptic.data(), error.data());
    std::array<double, 3> geopos = {place.longitudeDeg, place.latitudeDeg, place.heightM};
    std::array<double, 3> horizontal{};
    swe_azalt(jdUt, SE_ECL2HOR, geopos.data(), 0.0, 15.0, ecliptic.data(), horizontal.data());
    return horizontal[1] > 0.0;
}

}  // namespace

LocalDate LocalDateOf(double jdUt, int zoneOffsetSeconds) {
    return DateOfDayNumber(static_cast<long>(FloorDiv(LocalSeconds(jdUt, zoneOffsetSeconds), 86400)) +
                           UnixEpochDayNumber);
}

double LocalMidnightJdUt(const LocalDate& date, int zoneOffsetSeconds) {
    return static_cast<double>(DayNumber(date)) - 0.5 - zoneOffsetSeconds / SecondsPerDay;
}

std::string LocalTimeText(double jdUt, int zoneOffsetSeconds) {
    return ClockText(LocalSeconds(jdUt, zoneOffsetSeconds), true);
}

std::string LocalMinuteText(double jdUt, int zoneOffsetSeconds) {
    return ClockText(LocalSeconds(jdUt, zoneOffsetSeconds), false);
}

SunDay ComputeSunriseAndSunset(const LocalDate& date, const DayPlace& place, SunriseDefinition definition) {
    SunDay day;
    day.date = date;
    day.weekday = WeekdayOf(date);
    const double midnight = LocalMidnightJdUt(date, place.zoneOffsetSeconds);
    const double nextMidnight = LocalMidnightJdUt(AddDays(date, 1), place.zoneOffsetSeconds);

    const std::optional<double> sunrise = NextEvent(midnight, place, definition, SE_CALC_RISE);
    if (!sunrise || *sunrise >= nextMidnight) {
        day.course = SunIsUp(midnight + 0.5, place) ? SunCourse::MidnightSun : SunCourse::PolarNight;
        return day;
    }
    day.sunriseJdUt = sunrise;
    day.sunsetJdUt = NextEvent(*sunrise, place, definition, SE_CALC_SET);
    if (!day.sunsetJdUt) day.course = SunCourse::MidnightSun;
    return day;
}

void AddNextSunrise(SunDay& day, const DayPlace& place, SunriseDefinition definition) {
    if (!day.sunsetJdUt || day.nextSunriseJdUt) return;
    day.nextSunriseJdUt = NextEvent(*day.sunsetJdUt, place, definition, SE_CALC_RISE);
    day.course = day.nextSunriseJdUt ? SunCourse::RisesAndSets : SunCourse::PolarNight;
}

SunDay ComputeSunDay(const LocalDate& date, const DayPlace& place, SunriseDefinition definition) {
    SunDay day = ComputeSunriseAndSunset(date, place, definition);
    AddNextSunrise(day, place, definition);
    return day;
}

SunDay SunDayOfMoment(double jdUt, const DayPlace& place, SunriseDefinition definition) {
    const LocalDate date = LocalDateOf(jdUt, place.zoneOffsetSeconds);
    SunDay day = ComputeSunDay(date, place, definition);
    if (day.sunriseJdUt && jdUt < *day.sunriseJdUt) day = ComputeSunDay(AddDays(date, -1), place, definition);
    return day;
}

}  // namespace kalvora
