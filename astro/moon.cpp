// The sidereal geocentric Moon with its sign (rashi) and lunar mansion (nakshatra).

#include <cmath>

#include "astro/ephemeris.h"
#include "astro/tables.h"

namespace kalvora {

double LahiriAyanamsa2000(double t) {
    const double node = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
    const double sunMean = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
    const double nutationArcsec = 17.23 * std::sin(node * DegToRad) + 1.27 * std::sin(2.0 * sunMean * DegToRad);
    return (nutationArcsec - (5025.64 + 1.11 * t) * t - 85886.27) / 3600.0;
}

void MoonFromTime(const MomentTime& time, ChartPositions& chart, double ayanamsaShiftDeg) {
    const double t = time.centuriesSince2000;
    const double ayanamsa = LahiriAyanamsa2000(t);

    // Mean elements in degrees, linear in T and not reduced to one turn.
    const double meanLongitude = 218.3164591 + 481267.88134236 * t;
    const double d = (297.8502042 + 445267.1115168 * t) * DegToRad;
    const double m = (357.5291092 + 35999.0502909 * t) * DegToRad;
    const double mPrime = (134.9634114 + 477198.8676313 * t) * DegToRad;
    const double f = (93.2720993 + 483202.0175273 * t) * DegToRad;
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t * t;

    double sum = 0.0;
    for (const LunarTerm& term : MoonLongitudeTerms) {
        double value = term.coefficientDeg * std::sin(term.d * d + term.m * m + term.mPrime * mPrime + term.f * f);
        if (term.timesE) value *= e;
        sum += value;
    }

    double lambda = meanLongitude + sum;
    while (lambda < 0.0) lambda += 360.0;
    while (lambda > 360.0) lambda -= 360.0;

    // Another ayanamsa than Lahiri moves the sidereal Moon by its difference from Lahiri (0 for Lahiri itself).
    double sidereal = lambda + ayanamsa - ayanamsaShiftDeg;
    if (sidereal < 0.0) sidereal += 360.0;
    if (sidereal >= 360.0) sidereal -= 360.0;
    SetMoonNames(sidereal, chart);
}

void SetMoonNames(double sidereal, ChartPositions& chart) {
    chart.moonLongitude = sidereal;
    chart.rashiIndex = ZodiacSignIndex(sidereal);
    chart.rashi = SignNames[static_cast<std::size_t>(chart.rashiIndex)].name;
    chart.rashiLord = SignNames[static_cast<std::size_t>(chart.rashiIndex)].lord;

    chart.nakshatraIndex = NakshatraIndex(sidereal);
    chart.nakshatra = NakshatraNames[static_cast<std::size_t>(chart.nakshatraIndex)].name;
    chart.nakshatraLord = NakshatraNames[static_cast<std::size_t>(chart.nakshatraIndex)].lord;
}

int NakshatraIndex(double longitude) {
    // Whole arcs of 13 deg 20'; a longitude of exactly 360 would read as the first mansion.
    const int nakshatra = static_cast<int>(std::floor(60.0 * longitude / 800.0));
    return ((nakshatra % 27) + 27) % 27;
}

}  // namespace kalvora
