// The Moon and the ascendant of worked moments, and the names read from a Moon longitude.

#include <gtest/gtest.h>

#include "astro/ephemeris.h"
#include "tests/astro/angle_compare.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Delhi;
using testing::Moment;

struct LagnaCase {
    const char* what;
    MomentInput input;
    double expectedUt;
    double tropical;  // tropical ascendant, degrees
    double sidereal;  // lagnaLongitude
    const char* sign;
};

TEST(LagnaFromTime, WorkedMoments) {
    const LagnaCase cases[] = {
        {"2000-01-01 12:00 Greenwich, equator", Moment().On(2000, 1, 1).At(12, 0),
         12.0, 11.378, 347.524, "Meena"},
        {"1947-08-15 00:00 Delhi", Delhi(1947, 8, 15, 0, 0),
         -5.5, 60.885, 37.762, "Vrishabha"},
        {"1947-08-14 18:00 Delhi", Delhi(1947, 8, 14, 18, 0),
         12.5, -1, 280.287, "Makara"},
        {"1947-08-14 14:00 Delhi", Delhi(1947, 8, 14, 14, 0),
         8.5, -1, 223.067, "Vrischika"},
        {"1947-08-14 16:00 Delhi", Delhi(1947, 8, 14, 16, 0),
         10.5, -1, 249.665, "Dhanus"},
        {"1990-07-04 12:00 New York, daylight saving",
         Moment().On(1990, 7, 4).At(12, 0).ZoneWest(5).DaylightSaving().West(74, 0).North(40, 43), 16.0, 178.730, 155.001, "Kanya"},
        {"2005-01-26 09:30 Sydney, daylight saving",
         Moment().On(2005, 1, 26).At(9, 30).ZoneEast(10).DaylightSaving().East(151, 12).South(33, 52), -1.5, 346.530, 322.604,
         "Kumbha"},
    };
    for (const auto& c : cases) {
        ChartPositions chart;
        const MomentTime time = ConvertMoment(c.input);
        LagnaFromTime(time, chart);
        EXPECT_DOUBLE_EQ(time.ut, c.expectedUt) << c.what;
        EXPECT_NEAR(chart.lagnaLongitude, c.sidereal, 1e-3) << c.what;
        if (c.tropical >= 0) {
            EXPECT_ANGLE_NEAR(chart.lagnaLongitude - LahiriAyanamsa1900(time.centuriesSince1900), c.tropical, 1e-3)
                << c.what;
        }
        EXPECT_EQ(chart.lagnaSign, c.sign) << c.what;
        EXPECT_EQ(time.clock.year, c.input.year);
        EXPECT_DOUBLE_EQ(time.clock.localHours, c.input.hour + c.input.minute / 60.0);
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

TEST(MoonFromTime, WorkedMoments) {
    const MoonCase cases[] = {
        {"2000-01-01 12:00 Greenwich", Moment().On(2000, 1, 1).At(12, 0),
         199.4626, 1e-4, "Thula", "Venus", 14, "Swati", "Rahu"},
        {"1947-08-15 00:00 Delhi", Delhi(1947, 8, 15, 0, 0), 93.99,
         5e-3, "Kataka", "Moon", 7, "Pushya", "Saturn"},
    };
    for (const auto& c : cases) {
        ChartPositions chart;
        MoonFromTime(ConvertMoment(c.input), chart);
        EXPECT_NEAR(chart.moonLongitude, c.longitude, c.tolerance) << c.what;
        EXPECT_EQ(chart.rashi, c.rashi) << c.what;
        EXPECT_EQ(chart.rashiLord, c.rashiLord) << c.what;
        EXPECT_EQ(chart.nakshatraIndex, c.nakshatraIndex) << c.what;
        EXPECT_EQ(chart.nakshatra, c.nakshatra) << c.what;
        EXPECT_EQ(chart.nakshatraLord, c.nakshatraLord) << c.what;
    }
}

TEST(MoonFromTime, TropicalMoonOfTheEpoch) {
    // At T = 0 the Moon before the ayanamsa is about 223.3161 degrees.
    ChartPositions chart;
    MoonFromTime(ConvertMoment(Moment().On(2000, 1, 1).At(12, 0)), chart);
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
