#pragma once
// The almanac engine: weekday, paksha, tithi, yoga and karana of one moment, from its own solar and lunar
// theory in ephemeris time.

#include <cstdint>
#include <string_view>
#include <utility>

#include "astro/moment.h"

namespace kalvora {

// One almanac result. Names point into the constant name tables.
struct PanchangaInfo {
    std::int16_t weekdayNumber = 1;  // 1 = Sunday .. 7 = Saturday
    std::string_view weekdayName;
    std::string_view paksha;         // "Shukla Paksha" or "Krishna Paksha"
    double tithiIndex = 0.0;         // 0..29
    std::int16_t tithiNumber = 1;    // 1..30
    std::string_view tithiName;      // display form
    std::string_view tithiRuleName;  // form the rules compare
    std::string_view tithiClass;     // "Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"
    double yogaIndex = 0.0;          // 0..26
    std::string_view yogaName;
    int karanaIndex = 0;             // 0..10
    std::string_view karanaName;
    double sunTropical = 0.0;            // apparent tropical Sun, 0..360
    double moonTropical = 0.0;           // true tropical Moon, 0..360
    double sunTropicalUnreduced = 0.0;
    double moonTropicalUnreduced = 0.0;
    double ayanamsaCorrection = 0.0;     // negative; tropical + correction = sidereal
    double jde = 0.0;                    // Julian ephemeris day of the moment
};

// The almanac of the moment described by clock (UT = localHours - effectiveZoneHours).
PanchangaInfo ComputePanchanga(const MomentClock& clock);

// Time scale and corrections.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
CalendarDate CalendarFromJulianDay(double jd);
double DeltaTHours(double jdUt);
double AyanamsaCorrection(double jde);
double NutationInLongitude(double jde);  // degrees
double ReduceDegrees(double angle);      // into 0..360 (360 stays 360)
double SolveKepler(double meanAnomalyDeg, double eccentricity, double toleranceDeg);  // radians

// Longitudes of date: first the unreduced value, second the value reduced into 0..360.
struct Longitude {
    double unreduced = 0.0;
    double reduced = 0.0;
};
Longitude SunApparentLongitude(double jde);
Longitude MoonTrueLongitude(double jde);

}  // namespace kalvora
