#include "day/sun_day.h"

#include <swephexp.h>

#include <array>

#include "astro/local_time.h"

namespace kalvora {
namespace {

// The longest gap taken between a rising and the next setting (or a setting and the next rising). Near the polar
// circles a day can run a little past 24 hours; anything longer means the Sun stayed up or down.
constexpr double LongestGapDays = 1.5;

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
