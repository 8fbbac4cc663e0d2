// The almanac's time scale and corrections: Delta T, nutation, ayanamsa, the
// reduction into one turn and Kepler's equation.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"

namespace kalvora {
namespace {

struct DeltaTCase {
    const char* what;
    double jdUt;
    double expectedSeconds;
    double toleranceSeconds;
};

TEST(DeltaTHours, TableAndFormulas) {
    const DeltaTCase cases[] = {
        {"2000-01-01 12h, table entry", 2451545.0, 65.7, 1e-9},
        {"1985.5, between 50.5 and 56.9", 2446247.5, 54.02, 1e-9},
        {"2009-12-31, last decade of the table", 2455196.5, 75.49882614647507, 1e-9},
        {"2010.0 exactly, formula not table", 2455197.5, 73.44913560007141, 1e-9},
        {"2012-06-01, formula", 2456079.5, 76.0501717692166, 1e-9},
        {"1620.0, first table entry", 2312752.5, 124.0, 1e-9},
        {"1625.0, first decade", 2314579.5, 104.5, 1e-9},
        {"1619-12-31, before the table", 2312751.5, 82.62125667828987, 1e-8},
        {"1500-01-01, 948..1620 formula", 2268932.5, 229.45601853446277, 1e-8},
        {"948-01-01, 948..1620 formula", 2067314.5, 1850.9302887603355, 1e-8},
        {"947-12-31, before 948", 2067313.5, 1850.9416146053752, 1e-8},
        {"500-01-01, before 948", 1903682.5, 4688.160882511119, 1e-8},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(DeltaTHours(c.jdUt) * 3600.0, c.expectedSeconds, c.toleranceSeconds) << c.what;
    }
}

TEST(Corrections, NutationAndAyanamsa) {
    EXPECT_NEAR(NutationInLongitude(2451545.0) * 3600.0, -13.957, 0.0005);
    EXPECT_NEAR(NutationInLongitude(2451545.0), -0.0038769, 0.0000001);
    EXPECT_NEAR(AyanamsaCorrection(2451545.0), -23.853991, 0.0000005);
    EXPECT_NEAR(AyanamsaCorrection(2415020.0), -22.466282, 0.0000005);
    // Nutation stays within its amplitude of about 17.2" plus the small terms over the centuries used.
    for (double jde = 2415020.0; jde < 2470172.0; jde += 97.3) {
        EXPECT_LT(std::fabs(NutationInLongitude(jde)) * 3600.0, 19.5) << "jde " << jde;
    }
}

// The reduction as it reads: add 360 while below 0, then subtract 360 while above 360.
double ReduceByTurns(double angle) {
    while (angle < 0.0) angle += 360.0;
    while (angle > 360.0) angle -= 360.0;
    return angle;
}

TEST(ReduceDegrees, Values) {
    struct Case {
        double angle, expected;
    };
    const Case cases[] = {
        {-725.0, 355.0}, {360.0, 360.0}, {720.5, 0.5}, {0.0, 0.0}, {-360.0, 0.0}, {720.0, 360.0},
        {-0.25, 359.75}, {359.5, 359.5}, {36000.0, 360.0},
    };
    for (const auto& c : cases) EXPECT_EQ(ReduceDegrees(c.angle), c.expected) << c.angle;
    EXPECT_EQ(ReduceIntoPeriod(54.0, 27.0), 27.0);
    EXPECT_EQ(ReduceIntoPeriod(-0.5, 27.0), 26.5);
}

TEST(ReduceDegrees, SameAsTurnByTurn) {
    const double values[] = {481543.314543,  536298.2481,       36280.367382, -528120.0000123, -1e-20,
                             -359.999999999, 719.999999999999, 1e-300,       123456.789,      -98765.4321};
    for (double v : values) EXPECT_EQ(ReduceDegrees(v), ReduceByTurns(v)) << v;
    for (double v = -400000.0; v < 800000.0; v += 1234.5678901) {
        ASSERT_EQ(ReduceDegrees(v), ReduceByTurns(v)) << v;
    }
}

TEST(SolveKepler, Newton) {
    // A circle: the first step leaves M as it is.
    for (double m : {0.0, 45.0, 100.0, 359.0}) EXPECT_EQ(SolveKepler(m, 0.0, 0.0000003), m * DegToRad) << m;
    // At apogee E is pi.
    EXPECT_NEAR(SolveKepler(180.0, 0.0167, 0.0000003), QuadrantPi, 1e-12);
    // The result solves E - e sin E = M for the eccentricities of the Earth's orbit and beyond.
    for (double e : {0.0167, 0.02, 0.2, 0.5}) {
        for (double m = 0.0; m < 360.0; m += 7.5) {
            const double big = SolveKepler(m, e, 0.0000003);
            EXPECT_NEAR(big - e * std::sin(big), m * DegToRad, 1e-9) << "M " << m << " e " << e;
        }
    }
}

TEST(UniversalJulianDay, EastPositiveZone) {
    MomentClock clock;
    clock.month = 1;
    clock.day = 1;
    clock.year = 2000;
    clock.localHours = 17.5;
    clock.effectiveZoneHours = 5.5;  // 5 h 30 min East
    EXPECT_DOUBLE_EQ(UniversalJulianDay(clock), 2451545.0);
    EXPECT_NEAR(JulianEphemerisDay(clock), 2451545.00076, 0.000005);
    clock.localHours = 7.0;
    clock.effectiveZoneHours = -5.0;  // 5 h West: UT 12
    EXPECT_DOUBLE_EQ(UniversalJulianDay(clock), 2451545.0);
}

}  // namespace
}  // namespace kalvora
