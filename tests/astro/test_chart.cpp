// The Moon and the ascendant of worked moments, and the names read from a Moon longitude.

#include <gtest/gtest.h>

#include "astro/ephemeris.h"
#include "tests/astro/angle_compare.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Moment;

struct LagnaCase {
    const char* what;
    MomentInput input;
    double expectedUt;
    double tropical;  // tropical ascendant, degrees
    double sidereal;  // lagnaLongitude
    const char* sign;
};

TEST(ComputeLagna, WorkedMoments) {
    const LagnaCase cases[] = {
        {"2000-01-01 12:00 Greenwich, equator", Moment(2000, 1, 1, 12, 0, 0, 0, true, false, 0, 0, false, 0, 0, false),
         12.0, 11.378, 347.524, "Meena"},
        {"1947-08-15 00:00 Delhi", Moment(1947, 8, 15, 0, 0, 5, 30, true, false, 77, 13, true, 28, 39, false),
         -5.5, 60.885, 37.762, "Vrishabha"},
        {"1947-08-14 18:00 Delhi", Moment(1947, 8, 14, 18, 0, 5, 30, true, false, 77, 13, true, 28, 39, false),
         12.5, -1, 280.287, "Makara"},
        {"1947-08-14 14:00 Delhi", Moment(1947, 8, 14, 14, 0, 5, 30, true, false, 77, 13, true, 28, 39, false),
         8.5, -1, 223.067, "Vrischika"},
        {"1947-08-14 16:00 Delhi", Moment(1947, 8, 14, 16, 0, 5, 30, true, false, 77, 13, true, 28, 39, false),
         10.5, -1, 249.665, "Dhanus"},
        {"1990-07-04 12:00 New York, daylight saving",
         Moment(1990, 7, 4, 12, 0, 5, 0, false, true, 74, 0, false, 40, 43, false), 16.0, 178.730, 155.001, "Kanya"},
        {"2005-01-26 09:30 Sydney, daylight saving",
         Moment(2005, 1, 26, 9, 30, 10, 0, true, true, 151, 12, true, 33, 52, true), -1.5, 346.530, 322.604,
         "Kumbha"},
    };
    for (const auto& c : cases) {
        ChartPositions chart;
        MomentClock clock;
        ComputeLagna(c.input, chart, clock);
        const MomentTime time = ConvertMoment(c.input);
        EXPECT_DOUBLE_EQ(time.ut, c.expectedUt) << c.what;
        EXPECT_NEAR(chart.lagnaLongitude, c.sidereal, 1e-3) << c.what;
        if (c.tropical >= 0) {
            EXPECT_ANGLE_NEAR(chart.lagnaLongitude - LahiriAyanamsa1900(time.centuriesSince1900), c.tropical, 1e-3)
                << c.what;
        }
        EXPECT_EQ(chart.lagnaSign, c.sign) << c.what;
        EXPECT_EQ(clock.year, c.input.year);
        EXPECT_DOUBLE_EQ(clock.localHours, c.input.hour + c.input.minute / 60.0);
    }
}

struct MoonCase {
    const char* what;
    MomentInput input;
    double longitude, tolerance;
    const char* rashi;
    const char* rashiLord;
    int nakshatraIndex;
    const char* nakshatra;
    const char* nakshatraLord;
};

TEST(ComputeMoon, WorkedMoments) {
    const MoonCase cases[] = {
        {"2000-01-01 12:00 Greenwich", Moment(2000, 1, 1, 12, 0, 0, 0, true, false, 0, 0, false, 0, 0, false),
         199.4626, 1e-4, "Thula", "Venus", 14, "Swati", "Rahu"},
        {"1947-08-15 00:00 Delhi", Moment(1947, 8, 15, 0, 0, 5, 30, true, false, 77, 13, true, 28, 39, false), 93.99,
         5e-3, "Kataka", "Moon", 7, "Pushya", "Saturn"},
    };
    for (const auto& c : cases) {
        ChartPositions chart;
        MomentClock clock;
        ComputeMoon(c.input, chart, clock);
        EXPECT_NEAR(chart.moonLongitude, c.longitude, c.tolerance) << c.what;
        EXPECT_EQ(chart.rashi, c.rashi) << c.what;
        EXPECT_EQ(chart.rashiLord, c.rashiLord) << c.what;
        EXPECT_EQ(chart.nakshatraIndex, c.nakshatraIndex) << c.what;
        EXPECT_EQ(chart.nakshatra, c.nakshatra) << c.what;
        EXPECT_EQ(chart.nakshatraLord, c.nakshatraLord) << c.what;
    }
}

TEST(ComputeMoon, TropicalMoonOfTheEpoch) {
    // At T = 0 the Moon before the ayanamsa is about 223.3161 degrees.
    MomentInput in = Moment(2000, 1, 1, 12, 0, 0, 0, true, false, 0, 0, false, 0, 0, false);
    ChartPositions chart;
    MomentClock clock;
    ComputeMoon(in, chart, clock);
    EXPECT_NEAR(chart.moonLongitude - LahiriAyanamsa2000(0.0), 223.3161, 1e-4);
}

TEST(SetMoonNames, BoundariesOfSignsAndMansions) {
    const struct { double longitude; const char* rashi; const char* lord; int nak; const char* nakshatra; const char* nakLord; }
    cases[] = {
        {0.0, "Mesha", "Mars", 0, "Ashwini", "Ketu"},
        {13.3, "Mesha", "Mars", 0, "Ashwini", "Ketu"},
        {13 + 20 / 60.0, "Mesha", "Mars", 1, "Bharani", "Venus"},
        {30.0, "Vrishabha", "Venus", 2, "Krittika", "Sun"},
        {215.0, "Vrischika", "Mars", 16, "Anuradha", "Saturn"},
        {245.0, "Dhanus", "Jupiter", 18, "Moola", "Ketu"},
        {275.0, "Makara", "Saturn", 20, "Uttara Ashadha", "Sun"},
        {359.99, "Meena", "Jupiter", 26, "Revati", "Mercury"},
    };
    for (const auto& c : cases) {
        ChartPositions chart;
        SetMoonNames(c.longitude, chart);
        EXPECT_EQ(chart.rashi, c.rashi) << c.longitude;
        EXPECT_EQ(chart.rashiLord, c.lord) << c.longitude;
        EXPECT_EQ(chart.nakshatraIndex, c.nak) << c.longitude;
        EXPECT_EQ(chart.nakshatra, c.nakshatra) << c.longitude;
        EXPECT_EQ(chart.nakshatraLord, c.nakLord) << c.longitude;
    }
}

}  // namespace
}  // namespace kalvora
