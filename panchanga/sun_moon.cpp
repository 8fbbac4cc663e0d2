// Geocentric tropical longitudes of date of the Sun (mean elements, Kepler's equation, long-period and
// planetary perturbations, aberration, nutation) and of the Moon (mean elements with long-period terms, a main
// series of 93 periodic terms, a minor series of 27 and 8 planetary terms), at one Julian ephemeris day.

#include <cmath>

#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"
#include "panchanga/tables.h"

namespace kalvora {

namespace {
constexpr double Arcsec = 3600.0;                 // arcseconds per degree
constexpr double Revolution = DegToRad * 360.0;  // one revolution in radians, from the engine's own constant

// Sine and cosine of an angle in degrees.
double SinDeg(double deg) { return std::sin(deg * DegToRad); }
double CosDeg(double deg) { return std::cos(deg * DegToRad); }
// Sine of an angle given in revolutions.
double SinRev(double revolutions) { return std::sin(revolutions * Revolution); }

// The argument l l* + m M* + f F* + d D* of one lunar term, in radians.
double TermArgument(const MoonSeriesTerm& term, double lStar, double mStar, double fStar, double dStar) {
    return term.l * lStar + term.m * mStar + term.f * fStar + term.d * dStar;
}

Longitude Reduced(double unreduced) { return {unreduced, ReduceDegrees(unreduced)}; }
}  // namespace

Longitude SunApparentLongitude(double jde) { return SunApparentLongitude(jde, NutationInLongitude(jde)); }

Longitude SunApparentLongitude(double jde, double nutationDeg) {
    const double d = jde - 2415020.0;
    const double t = d / 36525.0;
    const double t2 = t * t;
    const double t3 = t2 * t;

    const double meanLongitude = 279.696678 + 0.9856473354 * d + 1.089 * t2 / Arcsec;
    const double perihelion = 101.220833 + 6189.03 * t / Arcsec + 1.63 * t2 / Arcsec + 0.012 * t3 / Arcsec;
    const double meanAnomaly = ReduceDegrees(meanLongitude - perihelion + 180.0);
    // Long-period terms: the first two are summed before the third is added.
    const double longPeriod = (6.4 * SinDeg(231.19 + 20.2 * t) + 0.266 * SinDeg(31.8 + 119.0 * t)) +
                              (1.882 - 0.016 * t) * SinDeg(57.24 + 150.27 * t);
    const double perturbedAnomaly = meanAnomaly + longPeriod / Arcsec;

    const double e = 0.01675104 - 0.0000418 * t - 0.000000126 * t2;
    const double eccentricAnomaly = SolveKepler(perturbedAnomaly, e, 0.0000003);
    double trueAnomaly = eccentricAnomaly;  // at apogee (E = pi) the half-angle tangent is not used
    if (std::fabs(QuadrantPi - eccentricAnomaly) >= 1e-10) {
        trueAnomaly = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(eccentricAnomaly / 2.0));
    }
    trueAnomaly = ReduceDegrees(trueAnomaly * RadToDeg);

    // Perturbations by Venus (A, B), Mars (C), the Moon (D), long-period (G) and Jupiter (H).
    const double a = 153.23 + 22518.7541 * t;
    const double b = 216.57 + 45037.5082 * t;
    const double c = 312.69 + 32964.3577 * t;
    const double moonElongation = 350.74 + 445267.1142 * t - 0.00144 * t2;
    const double g = 315.6 + 893.3 * t;
    const double h = 353.4 + 65928.7155 * t;
    const double deltaLongitude = 0.00134 * CosDeg(a) + 0.00154 * CosDeg(b) + 0.002 * CosDeg(c) +
                                  0.00179 * SinDeg(moonElongation) + 0.202 * SinDeg(g) / Arcsec;
    const double deltaRadius = 0.00000543 * SinDeg(a) + 0.00001575 * SinDeg(b) + 0.00001627 * SinDeg(c) +
                               0.00003076 * CosDeg(moonElongation) + 0.00000927 * SinDeg(h);

    // True longitude: the unperturbed mean anomaly is taken off, so the long-period terms act through nu.
    const double trueLongitude = meanLongitude + deltaLongitude + trueAnomaly - meanAnomaly;
    const double oneMinusE2 = 1.0 - e * e;
    const double radius = 1.0000002 * oneMinusE2 / (1.0 + e * CosDeg(trueAnomaly)) + deltaRadius;
    const double aberration = 20.496 / Arcsec * oneMinusE2 / radius;

    return Reduced(trueLongitude + nutationDeg - aberration);
}

Longitude MoonTrueLongitude(double jde) { return MoonTrueLongitude(jde, NutationInLongitude(jde)); }

Longitude MoonTrueLongitude(double jde, double nutationDeg) {
    const double d = jde - 2415020.0;
    const double d2 = d * d;
    const double t = d / 36525.0;
    const double t2 = t * t;
    const double t3 = t2 * t;

    // Mean elements, degrees.
    const double meanLongitude = 270.4337361 + 13.1763965445281 * d - 5.86 * t2 / Arcsec + 0.0068 * t3 / Arcsec;
    const double elongation =
        350.737486111058 + 445267.114216667 * t - 0.00143611113230387 * t2 + 0.0000018888889 * t3;
    const double perigee = 334.329556 + 14648522.52 * t / Arcsec - 37.17 * t2 / Arcsec - 0.045 * t3 / Arcsec;
    const double sunAnomaly =
        358.475833333333 + 35999.0497499996 * t - 0.000150000005960465 * t2 - 0.0000033333333623078 * t3;
    const double node = 259.183275 - 6962911.23 * t / Arcsec + 7.48 * t2 / Arcsec + 0.008 * t3 / Arcsec;
    const double moonAnomaly = ReduceDegrees(meanLongitude - perigee);
    const double latitudeArgument = ReduceDegrees(meanLongitude - node);

    // Long-period arguments in revolutions.
    const double s1 = SinRev(0.53733431 - 10104982e-12 * d + 191e-16 * d2);
    const double a2 = (0.71995354 - 147094228e-12 * d + 43e-16 * d2) * Revolution;
    const double s2 = std::sin(a2);
    const double s3 = SinRev(0.14222222 + 1536238e-12 * d);
    const double a4 = (0.48398132 - 147269147e-12 * d + 43e-16 * d2) * Revolution;
    const double s4 = std::sin(a4);
    const double s5 = SinRev(0.52453688 - 147162675e-12 * d + 43e-16 * d2);
    const double s6 = SinRev(0.84536324 - 11459387e-12 * d);
    const double s7 = SinRev(0.23363774 + 1232723e-12 * d + 191e-16 * d2);
    const double s8 = SinRev(0.5875 + 9050118e-12 * d);
    const double s9 = SinRev(0.61043085 - 67718733e-12 * d);

    // Additive terms, arcseconds.
    const double dMeanLongitude = 0.84 * s3 + 0.31 * s7 + 14.27 * s1 + 7.261 * s2 + 0.282 * s4 + 0.237 * s6;
    const double dPerigee = -2.1 * s3 - 2.076 * s2 - 0.84 * s4 - 0.593 * s6;
    const double dNode = 0.63 * s3 + 95.96 * s2 + 15.58 * s4 + 1.86 * s5;
    const double dSunAnomaly = -6.4 * s3 - 0.27 * s8 - 1.89 * s6 + 0.2 * s9;
    const double g = 1.000002708 + 139.978 * ((-4.318 * std::cos(a2) - 0.698 * std::cos(a4)) / 3600.0 / 360.0);

    // Corrected arguments, radians.
    const double lStar = DegToRad * (moonAnomaly + (dMeanLongitude - dPerigee) / Arcsec);
    const double mStar = DegToRad * (sunAnomaly + dSunAnomaly / Arcsec);
    const double fStar = DegToRad * (latitudeArgument + (dMeanLongitude - dNode) / Arcsec);
    const double dStar = DegToRad * (elongation + (dMeanLongitude - dSunAnomaly) / Arcsec);

    const double eccentricityFactor = 1.0 - 0.00000006832 * d;
    const double nodeFactor = g * g;

    double mainSum = 0.0;
    for (const MoonSeriesTerm& term : MoonLongitudeSeries) {
        double value = std::sin(TermArgument(term, lStar, mStar, fStar, dStar));
        if (term.m != 0) value = value * eccentricityFactor;
        if (term.m == 2 || term.m == -2) value = value * eccentricityFactor;
        if (term.f != 0) value = value * nodeFactor;
        mainSum = mainSum + term.coefficientArcsec * value;
    }
    double minorSum = 0.0;
    for (const MoonSeriesTerm& term : MoonMinorSeries) {
        minorSum = minorSum + term.coefficientArcsec * std::sin(TermArgument(term, lStar, mStar, fStar, dStar));
    }

    // Planetary terms, arcseconds, arguments in revolutions.
    const double planetary = 0.822 * SinRev(0.3248 - 0.0017125594 * d) + 0.307 * SinRev(0.14905 - 0.0034251187 * d) +
                             0.348 * SinRev(0.68266 - 0.0006873156 * d) + 0.662 * SinRev(0.65162 + 0.0365724168 * d) +
                             0.643 * SinRev(0.88098 - 0.0025069941 * d) + 1.137 * SinRev(0.85823 + 0.036448727 * d) +
                             0.436 * SinRev(0.71892 + 0.036217918 * d) + 0.327 * SinRev(0.97639 + 0.000173491 * d);

    return Reduced((meanLongitude + nutationDeg) + (dMeanLongitude + mainSum + minorSum + planetary) / Arcsec);
}

}  // namespace kalvora
