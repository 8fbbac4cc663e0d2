// The almanac limbs of one moment: weekday, paksha, tithi, yoga and karana.

#include <algorithm>
#include <cmath>

#include "panchanga/panchanga.h"

#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "panchanga/tables.h"

namespace kalvora {

namespace {
// The two constants of the yoga sum; they act only through their sum modulo 360.
constexpr double YogaMoonOffset = 491143.076989739;
constexpr double YogaSunOffset = 36976.912405792;

// Karana of a half-tithi number k (0..59): k = 0 is the last fixed karana, 1..56 cycle through the seven movable
// ones, 57..59 are the first three fixed ones.
int KaranaIndex(int k) {
    if (k == 0) return 10;
    if (k >= 57) return k - 50;
    return (k - 1) - 7 * ((k - 1) / 7);  // k - 1 >= 0, so integer division is the floor
}
}  // namespace

double ElongationDegrees(double sunTropical, double moonTropical) {
    double m = moonTropical;
    if (moonTropical < sunTropical) m = m + 360.0;
    double e = m - sunTropical;
    // A whole turn (a Moon of exactly 360 over a Sun of 0, or a sum that rounds up to 360) is the conjunction,
    // where the first tithi begins again.
    if (e >= 360.0) e = e - 360.0;
    return e;
}

PanchangaLongitudes PanchangaLongitudesAt(double jde) {
    const double nutation = NutationInLongitude(jde);
    PanchangaLongitudes out;
    out.jde = jde;
    out.ayanamsaCorrection = AyanamsaCorrection(jde);
    out.moon = MoonTrueLongitude(jde, nutation);
    out.sun = SunApparentLongitude(jde, nutation);
    return out;
}

PanchangaInfo PanchangaElements(double sunTropical, double moonTropical, double sunTropicalUnreduced,
                                double moonTropicalUnreduced, double ayanamsaCorrection) {
    PanchangaInfo info;
    info.sunTropical = sunTropical;
    info.moonTropical = moonTropical;
    info.sunTropicalUnreduced = sunTropicalUnreduced;
    info.moonTropicalUnreduced = moonTropicalUnreduced;
    info.ayanamsaCorrection = ayanamsaCorrection;

    const double e = ElongationDegrees(sunTropical, moonTropical);

    // Tithi: 12 degrees of elongation each. The paksha is the half of the month the tithi lies in.
    const int tithi = std::min(static_cast<int>(std::floor(e / 12.0)), 29);
    const auto tithiAt = static_cast<std::size_t>(tithi);
    info.tithiIndex = tithi;
    info.tithiNumber = static_cast<std::int16_t>(tithi + 1);
    info.tithiName = TithiNames[tithiAt].display;
    info.tithiRuleName = TithiNames[tithiAt].rule;
    info.tithiClass = TithiClasses[tithiAt % TithiClasses.size()];
    info.paksha = PakshaNames[tithi < 15 ? 0 : 1];

    // Yoga: the sidereal sum of the unreduced longitudes in steps of 80/6 = 13 deg 20'.
    double y = ((moonTropicalUnreduced + ayanamsaCorrection) - YogaMoonOffset) +
               ((sunTropicalUnreduced + ayanamsaCorrection) - YogaSunOffset);
    y = y * 6.0 / 80.0;
    y = ReduceIntoPeriod(y, 27.0);
    int yoga = static_cast<int>(std::floor(y));
    if (yoga >= 27) yoga = 0;  // exactly 27 is a whole turn: the first yoga begins again
    info.yogaIndex = yoga;
    info.yogaName = YogaNames[static_cast<std::size_t>(yoga)];

    // Karana: half a tithi each.
    const int k = std::min(static_cast<int>(std::floor(e / 6.0)), 59);
    info.karanaIndex = KaranaIndex(k);
    info.karanaName = KaranaNames[static_cast<std::size_t>(info.karanaIndex)];
    return info;
}

PanchangaInfo PanchangaElements(const PanchangaLongitudes& longitudes) {
    return PanchangaElements(longitudes.sun.reduced, longitudes.moon.reduced, longitudes.sun.unreduced,
                             longitudes.moon.unreduced, longitudes.ayanamsaCorrection);
}

PanchangaInfo ComputePanchanga(const MomentClock& clock, double ayanamsaShiftDeg) {
    const double jde = JulianEphemerisDay(clock);
    PanchangaLongitudes longitudes = PanchangaLongitudesAt(jde);
    longitudes.ayanamsaCorrection -= ayanamsaShiftDeg;  // another ayanamsa than Lahiri: moves the yoga alone
    return AlmanacOf(clock, longitudes);
}

PanchangaInfo AlmanacOf(const MomentClock& clock, const PanchangaLongitudes& longitudes) {
    PanchangaInfo info = PanchangaElements(longitudes);
    info.jde = longitudes.jde;
    // The weekday of the civil date: it changes at local midnight, whatever the clock time.
    const int weekday = WeekdayOf(DateOf(clock));
    info.weekdayNumber = static_cast<std::int16_t>(weekday);
    info.weekdayName = WeekdayNames[static_cast<std::size_t>(weekday - 1)];
    return info;
}

}  // namespace kalvora
