// The almanac's Sun and Moon: worked values, published positions, independent lower-precision theories over
// 1901..2050, and the lunar term tables.

#include <gtest/gtest.h>

#include <cmath>

#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"
#include "panchanga/tables.h"
#include "tests/astro/angle_compare.h"

namespace kalvora {
namespace {

struct LongitudeCase {
    const char* what;
    Longitude (*compute)(double);
    double jde;
    double expectedReduced, expectedUnreduced, tolerance;
};

TEST(Longitudes, WorkedValues) {
    const auto sun = static_cast<Longitude (*)(double)>(&SunApparentLongitude);
    const auto moon = static_cast<Longitude (*)(double)>(&MoonTrueLongitude);
    const LongitudeCase cases[] = {
        {"Sun at J2000", sun, 2451545.0, 280.3674, 36280.3674, 0.00005},
        {"Sun at 1900 January 0.5", sun, 2415020.0, 279.6412, 279.6412, 0.00005},
        {"Moon at J2000", moon, 2451545.0, 223.3145, 481543.3145, 0.00005},
        {"Moon at 1900 January 0.5", moon, 2415020.0, 265.2978, 265.2978, 0.00005},
    };
    for (const auto& c : cases) {
        const Longitude result = c.compute(c.jde);
        EXPECT_NEAR(result.reduced, c.expectedReduced, c.tolerance) << c.what;
        EXPECT_NEAR(result.unreduced, c.expectedUnreduced, c.tolerance) << c.what;
    }
}

TEST(Longitudes, UnreducedGrowAndReduceToTheSameAngle) {
    const double jde2011 = 2455700.5;  // 2011 May 20
    const Longitude moon = MoonTrueLongitude(jde2011);
    const Longitude sun = SunApparentLongitude(jde2011);
    EXPECT_GT(moon.unreduced, 500000.0);
    EXPECT_GT(sun.unreduced, 36000.0);
    EXPECT_EQ(moon.reduced, ReduceDegrees(moon.unreduced));
    EXPECT_EQ(sun.reduced, ReduceDegrees(sun.unreduced));
    EXPECT_ANGLE_NEAR(moon.unreduced, moon.reduced, 1e-6);
}

TEST(Longitudes, SharedNutationGivesTheSameNumbers) {
    for (double jde = 2415020.0; jde < 2470172.0; jde += 1111.1) {
        const double nutation = NutationInLongitude(jde);
        const Longitude sunA = SunApparentLongitude(jde), sunB = SunApparentLongitude(jde, nutation);
        const Longitude moonA = MoonTrueLongitude(jde), moonB = MoonTrueLongitude(jde, nutation);
        EXPECT_EQ(sunA.unreduced, sunB.unreduced) << jde;
        EXPECT_EQ(moonA.unreduced, moonB.unreduced) << jde;
        const PanchangaLongitudes both = PanchangaLongitudesAt(jde);
        EXPECT_EQ(both.sun.unreduced, sunA.unreduced) << jde;
        EXPECT_EQ(both.moon.unreduced, moonA.unreduced) << jde;
        EXPECT_EQ(both.ayanamsaCorrection, AyanamsaCorrection(jde)) << jde;
    }
}

// Apparent positions published in Meeus, Astronomical Algorithms (2nd ed.), examples 25.a and 47.a.
TEST(Longitudes, PublishedPositions) {
    EXPECT_ANGLE_NEAR(SunApparentLongitude(2448908.5).reduced, 199.90988, 0.01);   // 1992 October 13.0 TD
    EXPECT_ANGLE_NEAR(MoonTrueLongitude(2448724.5).reduced, 133.167265, 0.005);   // 1992 April 12.0 TD
}

// A low-precision apparent Sun (equation of the centre to 3M, approximate nutation and aberration), good to
// about 0.01 degree.
double LowPrecisionSun(double jde) {
    const double t = (jde - 2451545.0) / 36525.0;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * DegToRad;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2.0 * m) + 0.000289 * std::sin(3.0 * m);
    const double node = (125.04 - 1934.136 * t) * DegToRad;
    return l0 + c - 0.00569 - 0.00478 * std::sin(node);
}

TEST(Longitudes, AgreeWithIndependentTheoriesOver1901To2050) {
    // The astronomical engine's Moon (25 terms, universal time, no nutation) less its own ayanamsa is the
    // tropical Moon to within a few hundredths of a degree.
    double worstSun = 0.0, worstMoon = 0.0;
    for (double jdUt = 2415385.5; jdUt < 2470172.0; jdUt += 9.87654) {
        const double jde = jdUt + DeltaTHours(jdUt) / 24.0;
        const PanchangaLongitudes here = PanchangaLongitudesAt(jde);
        worstSun = std::max(worstSun, std::fabs(testing::WrappedDifference(here.sun.reduced, LowPrecisionSun(jde))));

        MomentTime time;
        time.centuriesSince2000 = (jdUt - 2451545.0) / 36525.0;
        ChartPositions chart;
        MoonFromTime(time, chart);
        const double astroTropical = chart.moonLongitude - LahiriAyanamsa2000(time.centuriesSince2000);
        worstMoon = std::max(worstMoon, std::fabs(testing::WrappedDifference(here.moon.reduced, astroTropical)));
    }
    EXPECT_LT(worstSun, 0.015);
    EXPECT_LT(worstMoon, 0.1);
}

TEST(MoonSeries, Tables) {
    struct RowCase {
        const MoonSeriesTerm& term;
        int l, m, f, d;
        double coefficient;
    };
    const RowCase rows[] = {
        {MoonLongitudeSeries[0], 0, 0, 0, 4, 13.902},       {MoonLongitudeSeries[4], 1, 0, 0, 0, 22639.5},
        {MoonLongitudeSeries[5], 1, 0, 0, -2, -4586.465},   {MoonLongitudeSeries[34], 0, 0, 2, 0, -411.608},
        {MoonLongitudeSeries[36], 0, 0, 2, -4, 0.025},      {MoonLongitudeSeries[61], 0, 3, 0, -2, -0.344},
        {MoonLongitudeSeries[92], 2, -1, 0, -1, -0.352},    {MoonMinorSeries[0], 0, 0, 0, 6, 0.127},
        {MoonMinorSeries[4], 2, 1, 1, -6, -0.091},          {MoonMinorSeries[26], 3, 0, 2, -2, 0.092},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.term.l, r.l);
        EXPECT_EQ(r.term.m, r.m);
        EXPECT_EQ(r.term.f, r.f);
        EXPECT_EQ(r.term.d, r.d);
        EXPECT_EQ(r.term.coefficientArcsec, r.coefficient);
    }
    // Sums of the coefficients and of the multipliers guard against a changed row.
    double mainSum = 0.0, minorSum = 0.0;
    int mainMultipliers = 0, minorMultipliers = 0;
    for (const auto& t : MoonLongitudeSeries) {
        mainSum += t.coefficientArcsec;
        mainMultipliers += t.l + 2 * t.m + 3 * t.f + 5 * t.d;
    }
    for (const auto& t : MoonMinorSeries) {
        minorSum += t.coefficientArcsec;
        minorMultipliers += t.l + 2 * t.m + 3 * t.f + 5 * t.d;
    }
    EXPECT_NEAR(mainSum, 19561.316, 1e-9);
    EXPECT_NEAR(minorSum, 0.337, 1e-12);
    EXPECT_EQ(mainMultipliers, -81);
    EXPECT_EQ(minorMultipliers, -76);
}

}  // namespace
}  // namespace kalvora
