// The sidereal ascendant (lagna) of a moment and place.

#include <cmath>

#include "astro/ephemeris.h"
#include "astro/tables.h"

namespace kalvora {

double LahiriAyanamsa1900(double t) {
    double node = (933060.0 - 6962911.0 * t + 7.5 * t * t) / 3600.0;
    while (node >= 360.0) node -= 360.0;  // a negative value is not raised
    const double twiceSunMean = (259205536.0 * t + 2013816.0) / 3600.0;  // not reduced
    const double nutationArcsec = 17.23 * std::sin(node * DegToRad) + 1.27 * std::sin(twiceSunMean * DegToRad);
    return (nutationArcsec - (5025.64 + 1.11 * t) * t - 80861.27) / 3600.0;
}

void LagnaFromTime(const MomentTime& time, ChartPositions& chart, double ayanamsaShiftDeg) {
    const double t = time.centuriesSince1900;
    const double ayanamsa = LahiriAyanamsa1900(t);
    const double theta = LocalSiderealTime(time.ut, t, time.longitude) * DegToRad;
    const double obliquity = DegToRad * (23.452294 - 0.0130125 * t);
    const double phi = time.latitude * DegToRad;

    double a = QuadrantArctan(std::cos(theta), -std::sin(theta) * std::cos(obliquity) -
                                                   std::sin(obliquity) * std::tan(phi));
    if (a < 0.0) a += QuadrantPi;
    if (std::cos(theta) < 0.0) a += QuadrantPi;

    double tropical = a * RadToDeg;
    while (tropical >= 360.0) tropical -= 360.0;

    SetLagnaNames(tropical + ayanamsa - ayanamsaShiftDeg, chart);  // another ayanamsa moves it by its difference
}

void SetLagnaNames(double sidereal, ChartPositions& chart) {
    NormalizeDegrees(sidereal);
    chart.lagnaLongitude = sidereal;
    chart.lagnaSignIndex = ZodiacSignIndex(sidereal);
    chart.lagnaSign = SignNames[static_cast<std::size_t>(chart.lagnaSignIndex)].name;
}

}  // namespace kalvora
