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
// With another ayanamsa than Lahiri, `ayanamsaShiftDeg` (its difference from Lahiri at the moment) is taken off the
// ayanamsa correction: the yoga moves, the tithi and karana (differences of two longitudes) do not; 0 keeps Lahiri.
PanchangaInfo ComputePanchanga(const MomentClock& clock, double ayanamsaShiftDeg = 0.0);

// Time scale and corrections.
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
// The same longitudes with the nutation in longitude of jde already at hand (NutationInLongitude(jde)), so that
// the Sun and the Moon of one moment share it.
Longitude SunApparentLongitude(double jde, double nutationDeg);
Longitude MoonTrueLongitude(double jde, double nutationDeg);

// Brings a value into 0..period by whole periods (a value of exactly one period stays), as ReduceDegrees does
// for 360; any value is brought into range, however many periods away.
double ReduceIntoPeriod(double value, double period);

// Universal time of the clock as a Julian day, and the Julian ephemeris day of the same moment.
double UniversalJulianDay(const MomentClock& clock);
double JulianEphemerisDay(const MomentClock& clock);

// What the almanac limbs rest on at one Julian ephemeris day: the two longitudes and the ayanamsa correction
// (the moment searches' cheap path; ComputePanchanga uses the same numbers).
struct PanchangaLongitudes {
    Longitude sun;
    Longitude moon;
    double ayanamsaCorrection = 0.0;
    double jde = 0.0;
};
PanchangaLongitudes PanchangaLongitudesAt(double jde);

// Elongation of the Moon from the Sun, 0 <= e < 360, from the reduced tropical longitudes.
double ElongationDegrees(double sunTropical, double moonTropical);

// Paksha, tithi, yoga and karana from the longitudes of one moment (the weekday and jde fields are left as they
// are); the tropical values are reduced into 0..360, the unreduced ones feed the yoga.
PanchangaInfo PanchangaElements(double sunTropical, double moonTropical, double sunTropicalUnreduced,
                                double moonTropicalUnreduced, double ayanamsaCorrection);
PanchangaInfo PanchangaElements(const PanchangaLongitudes& longitudes);
// The almanac of a moment from the longitudes it rests on, whichever ephemeris gave them: the limbs, the weekday of
// the civil date and the longitudes' Julian ephemeris day.
PanchangaInfo AlmanacOf(const MomentClock& clock, const PanchangaLongitudes& longitudes);

}  // namespace kalvora
