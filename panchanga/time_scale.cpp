// The almanac engine's time scale (universal time to ephemeris time), the nutation and ayanamsa corrections,
// and its two general routines: the reduction of an angle into one turn and Kepler's equation.

#include <algorithm>
#include <cmath>

#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"
#include "panchanga/tables.h"

namespace kalvora {

namespace {
constexpr double Arcsec = 3600.0;  // arcseconds per degree

// Julian centuries since 1900 January 0.5 of a Julian ephemeris day.
double CenturiesSince1900(double jde) { return (jde - 2415020.0) / 36525.0; }
}  // namespace

double DeltaTHours(double jdUt) {
    const LocalDate date = DateOfDayNumber(static_cast<long>(std::floor(jdUt + 0.5)));  // the day from noon to noon
    const double y = date.year + (date.month - 1) / 12.0 + (date.day - 1) / 365.25;  // decimal year
    const double t = (jdUt - 2378497.0) / 36525.0;

    double seconds = 0.0;
    if (y >= 2010.0) {
        seconds = 25.5 * t * t - 39.0;
    } else if (y >= DeltaTFirstYear) {
        // Linear interpolation inside the decade; the index never passes the second-to-last entry.
        const int i = std::min(static_cast<int>(std::floor((y - DeltaTFirstYear) / 10.0)),
                               static_cast<int>(DeltaTTable.size()) - 2);
        const double f = y - (DeltaTFirstYear + 10.0 * i);
        const auto at = static_cast<std::size_t>(i);
        seconds = DeltaTTable[at] + (DeltaTTable[at + 1] - DeltaTTable[at]) * f / 10.0;
    } else if (y >= 948.0) {
        seconds = 25.5 * t * t;
    } else {
        seconds = 1361.7 + 320.0 * t + 44.3 * t * t;
    }
    return seconds / 3600.0;
}

double AyanamsaCorrection(double jde) {
    const double t = CenturiesSince1900(jde);
    const double t2 = t * t;
    const double node = 259.183275 - 1934.14200833321 * t + 0.0020777778 * t2 + 0.0000022222222 * t2 * t;
    const double sunMean = 279.696678 + 36000.76892 * t + 0.0003025 * t2;
    // Nutation part in arcseconds, taken off the ayanamsa.
    const double n = 17.23 * std::sin(node * DegToRad) + 1.27 * std::sin(2.0 * sunMean * DegToRad);
    return (n - (5025.64 + 1.11 * t) * t - 80861.27) / Arcsec;
}

double NutationInLongitude(double jde) {
    const double t = CenturiesSince1900(jde);
    const double t2 = t * t;
    const double sunMean = DegToRad * (279.6967 + 36000.7689 * t + 0.000303 * t2);
    const double moonMean = DegToRad * (270.4341639 + 481267.8831417 * t - 0.0011333333 * t2);
    const double sunAnomaly = DegToRad * (358.475833333333 + 35999.0497499996 * t - 0.000150000005960465 * t2);
    const double moonAnomaly = DegToRad * (296.104608333376 + 477198.849108334 * t + 0.0091916667090522 * t2);
    const double elongation = DegToRad * (350.737486111058 + 445267.114216667 * t - 0.00143611113230387 * t2);
    const double node = DegToRad * (259.183275000254 - 1934.14200833321 * t + 0.0020777778 * t2);

    double psi = (-17.2327 - 0.01737 * t) * std::sin(node);
    psi += 0.2088 * std::sin(2.0 * node);
    psi += 0.0675 * std::sin(moonAnomaly);
    psi += -0.0149 * std::sin(moonAnomaly - 2.0 * elongation);
    psi += -0.0342 * std::sin(2.0 * moonMean - node);
    psi += 0.0114 * std::sin(2.0 * moonMean - moonAnomaly);
    psi += -0.2037 * std::sin(2.0 * moonMean);
    psi += -0.0261 * std::sin(2.0 * moonMean + moonAnomaly);
    psi += 0.0124 * std::sin(2.0 * sunMean - node);
    psi += 0.0214 * std::sin(2.0 * sunMean - sunAnomaly);
    psi += -1.2729 * std::sin(2.0 * sunMean);
    psi += -0.0497 * std::sin(2.0 * sunMean + sunAnomaly);
    psi += 0.1261 * std::sin(sunAnomaly);
    return psi / Arcsec;
}

double ReduceIntoPeriod(double value, double period) {
    // The same number as adding the period while the value is below 0 and then subtracting it while the value
    // is above one period: for a whole-numbered period every such step but the last one up is exact, and
    // std::fmod is exact, so the remainder is taken in one step instead of one step per turn.
    if (value < 0.0) {
        const double r = std::fmod(value, period);  // in (-period, 0]
        return r < 0.0 ? r + period : 0.0;
    }
    if (value > period) {
        const double r = std::fmod(value, period);  // in [0, period)
        return r == 0.0 ? period : r;               // a whole number of periods stops at one period
    }
    return value;
}

double ReduceDegrees(double angle) { return ReduceIntoPeriod(angle, 360.0); }

double SolveKepler(double meanAnomalyDeg, double eccentricity, double toleranceDeg) {
    const double m = meanAnomalyDeg * DegToRad;
    const double tolerance = toleranceDeg * DegToRad;
    double e = m;
    double delta = 1.0;
    // Newton's iteration; for the Earth's orbit it settles in a few steps. The cap only keeps an eccentricity
    // of 1 or more (never passed by the engine) from looping without end.
    for (int step = 0; std::fabs(delta) >= tolerance && step < 100; ++step) {
        delta = (m + eccentricity * std::sin(e) - e) / (1.0 - eccentricity * std::cos(e));
        e = e + delta;
    }
    return e;
}

double UniversalJulianDay(const MomentClock& clock) {
    const double ut = clock.localHours - clock.effectiveZoneHours;  // the zone is east-positive
    return static_cast<double>(DayNumber(DateOf(clock))) - 0.5 + ut / 24.0;
}

double JulianEphemerisDay(const MomentClock& clock) {
    const double jdUt = UniversalJulianDay(clock);
    return jdUt + DeltaTHours(jdUt) / 24.0;
}

}  // namespace kalvora
