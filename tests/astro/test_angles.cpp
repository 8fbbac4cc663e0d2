// Universal time, the angle routines and the zodiac text.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/ephemeris.h"

namespace kalvora {
namespace {

struct ZoneCase {
    const char* what;
    int hour;
    int zoneHours, zoneMinutes;
    bool zoneIsEast, placeIsEast, dst;
    double expectedZone, expectedUt;
    int zoneSeconds = 0;
};

TEST(ConvertMoment, ZoneAndUniversalTime) {
    const ZoneCase cases[] = {
        {"5:30 East", 10, 5, 30, true, true, false, 5.5, 4.5},
        {"5:30 East, daylight saving", 10, 5, 30, true, true, true, 6.5, 3.5},
        {"5 West, daylight saving", 10, 5, 0, false, false, true, -4.0, 14.0},
        {"Greenwich, zone 0, daylight saving", 10, 0, 0, true, false, true, 1.0, 9.0},
        {"Greenwich, zone 0 marked west, daylight saving", 10, 0, 0, false, false, true, 1.0, 9.0},
        // A zone on the other side of Greenwich from the place: London in summer time (place west, zone east).
        {"London in British Summer Time", 12, 0, 0, true, false, true, 1.0, 11.0},
        {"Madrid in Central European Time", 12, 1, 0, true, false, false, 1.0, 11.0},
        // Madras time, the zone of Indian places before 1906 (IANA tzdata, Asia/Kolkata): +05:21:10.
        {"Madras time", 12, 5, 21, true, true, false, 5 + 21 / 60.0 + 10 / 3600.0, 12 - (5 + 21 / 60.0 + 10 / 3600.0),
         10},
        // Local mean time west of Greenwich (IANA tzdata, America/New_York before 1883: -04:56:02).
        {"New York local mean time", 12, 4, 56, false, false, false, -(4 + 56 / 60.0 + 2 / 3600.0),
         12 + 4 + 56 / 60.0 + 2 / 3600.0, 2},
    };
    for (const auto& c : cases) {
        MomentInput in;
        in.hour = static_cast<std::int16_t>(c.hour);
        in.zone.hours = static_cast<std::int16_t>(c.zoneHours);
        in.zone.minutes = static_cast<std::int16_t>(c.zoneMinutes);
        in.zone.seconds = static_cast<std::int16_t>(c.zoneSeconds);
        in.zone.isEast = c.zoneIsEast;
        in.place.isEast = c.placeIsEast;
        in.place.longitudeDegrees = 3;
        in.zone.isDst = c.dst;
        const MomentTime t = ConvertMoment(in);
        EXPECT_DOUBLE_EQ(t.clock.effectiveZoneHours, c.expectedZone) << c.what;
        EXPECT_DOUBLE_EQ(t.ut, c.expectedUt) << c.what;
    }
}

TEST(ConvertMoment, SignedPlaceAndCenturies) {
    MomentInput in;
    in.month = 1; in.day = 1; in.year = 2000; in.hour = 12;
    in.place.longitudeDegrees = 77; in.place.longitudeMinutes = 13; in.place.isEast = true;
    in.place.latitudeDegrees = 33; in.place.latitudeMinutes = 52; in.place.isSouth = true;
    const MomentTime t = ConvertMoment(in);
    EXPECT_NEAR(t.longitude, 77 + 13 / 60.0, 1e-12);
    EXPECT_NEAR(t.latitude, -(33 + 52 / 60.0), 1e-12);
    EXPECT_DOUBLE_EQ(t.jdn, 2451545.0);
    EXPECT_DOUBLE_EQ(t.centuriesSince2000, 0.0);
    EXPECT_DOUBLE_EQ(t.centuriesSince1900, (2451545.0 - 2415020.0) / 36525.0);
}

TEST(QuadrantArctan, Quadrants) {
    const double pi = QuadrantPi;
    const struct { double y, x, expected; } cases[] = {
        {0, 0, 0}, {1, 0, pi / 2}, {-1, 0, -pi / 2}, {0, -1, 0},  // strictly inside -pi..pi
        {1, 1, std::atan(1.0)}, {1, -1, pi - std::atan(1.0)}, {-1, -1, -(pi - std::atan(1.0))},
        {-1, 1, -std::atan(1.0)},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(QuadrantArctan(c.y, c.x), c.expected) << c.y << "," << c.x;
}

TEST(NormalizeDegrees, OneStepEachWay) {
    const struct { double in, out; } cases[] = {{-10, 350}, {370, 10}, {360, 360}, {0, 0}, {-360, 0}, {725, 365}};
    for (const auto& c : cases) {
        double a = c.in;
        EXPECT_DOUBLE_EQ(NormalizeDegrees(a), c.out) << c.in;
        EXPECT_DOUBLE_EQ(a, c.out) << "argument updated for " << c.in;
    }
}

TEST(FormatZodiacPosition, Texts) {
    const struct { double x; const char* text; int sign; } cases[] = {
        {45.5, "15\u00b0 30' 0\" Tau", 1},
        {0, "0\u00b0 0' 0\" Ari", 0},
        {359.9999, "29\u00b0 59' 59\" Pis", 11},
        {123.456789, "3\u00b0 27' 24\" Leo", 4},
        {30, "0\u00b0 0' 0\" Tau", 1},
        {13 + 20 / 60.0, "13\u00b0 20' 0\" Ari", 0},
        {12, "12\u00b0 0' 0\" Ari", 0},
        {-45.5, "15\u00b0 30' 0\" Tau", 1},  // the absolute value is formatted
        {329.99, "29\u00b0 59' 24\" Aqu", 10},
    };
    for (const auto& c : cases) {
        const std::string text = FormatZodiacPosition(c.x);
        EXPECT_EQ(text, c.text) << c.x;
        EXPECT_EQ(ZodiacSignIndex(c.x), c.sign) << c.x;
    }
}

TEST(ZodiacSignIndex, AgreesWithTheFormattedAbbreviation) {
    static const char* const abbreviations[] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
    for (double x = 0.0; x < 360.0; x += 0.37) {
        const std::string text = FormatZodiacPosition(x);
        EXPECT_EQ(text.substr(text.size() - 3), abbreviations[ZodiacSignIndex(x)]) << x;
    }
    // One full turn reads as the first sign rather than an empty name.
    EXPECT_EQ(ZodiacSignIndex(360.0), 0);
}

TEST(LocalSiderealTime, ReducedOnlyFromAbove) {
    // 1 January 2000 12:00 UT at Greenwich.
    const double t = (2451545.0 - 2415020.0) / 36525.0;
    EXPECT_NEAR(LocalSiderealTime(12.0, t, 0.0), 280.461, 1e-3);
    // An east longitude is added.
    EXPECT_NEAR(LocalSiderealTime(12.0, t, 10.0), 290.461, 1e-3);
    EXPECT_LT(LocalSiderealTime(0.0, 0.0, -200.0), 0.0);  // a negative value is not raised
}

TEST(Ayanamsa, EpochValues) {
    EXPECT_NEAR(LahiriAyanamsa1900(0.0), -22.46628, 1e-5);
    EXPECT_NEAR(LahiriAyanamsa1900(1.0), -23.85399, 1e-5);
    EXPECT_NEAR(LahiriAyanamsa2000(0.0), -23.85350, 1e-5);
}

}  // namespace
}  // namespace kalvora
