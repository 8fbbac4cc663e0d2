// The almanac limbs: paksha, tithi and karana from the elongation, the yoga from the unreduced sum, the weekday,
// the worked moment of 1 January 2000 and a sweep over 1901..2050.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "panchanga/panchanga.h"
#include "panchanga/tables.h"
#include "tests/astro/angle_compare.h"

namespace kalvora {
namespace {

constexpr double YogaMoonOffset = 491143.076989739;
constexpr double YogaSunOffset = 36976.912405792;

// Elements from reduced longitudes only (the yoga is not looked at).
PanchangaInfo ElementsOf(double sun, double moon) { return PanchangaElements(sun, moon, sun, moon, 0.0); }

struct ElongationCase {
    const char* what;
    double sun, moon;
    int tithiIndex;
    std::string_view tithiName, ruleName, tithiClass, paksha;
    int karanaIndex;
};

TEST(PanchangaElements, TithiPakshaAndKaranaFromTheElongation) {
    const double belowTwelve = std::nextafter(12.0, 0.0);
    const ElongationCase cases[] = {
        {"Moon numerically below the Sun: e = 20", 350.0, 10.0, 1, "Dwithiai", "Dwitiya", "Bhadra", "Shukla Paksha", 2},
        {"e = 260", 200.0, 100.0, 21, "Saptami", "Saptami", "Bhadra", "Krishna Paksha", 0},
        {"e just below 12", 0.0, belowTwelve, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 0},
        {"e = 12 exactly", 100.0, 112.0, 1, "Dwithiai", "Dwitiya", "Bhadra", "Shukla Paksha", 1},
        {"e just below 360", 10.0, 9.9999, 29, "Ammavasai", "Amavashya", "Poorna", "Krishna Paksha", 9},
        {"e in 0..6: k = 0", 50.0, 53.0, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 10},
        {"e = 0", 123.0, 123.0, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 10},
        {"e = 6 exactly: k = 1", 50.0, 56.0, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 0},
        // Whole-degree difference 180 but tithi 14: the paksha follows the tithi.
        {"Moon 100, Sun 280.5: e = 179.5", 280.5, 100.0, 14, "Poornami", "Purnima", "Poorna", "Shukla Paksha", 0},
        {"e = 180 exactly", 90.0, 270.0, 15, "Pratipad", "Pratipada", "Nanda", "Krishna Paksha", 1},
        {"e = 336: k = 56", 0.0, 336.0, 28, "Chaturdasi", "Chaturdashi", "Rikta", "Krishna Paksha", 6},
        {"e = 342: k = 57", 0.0, 342.0, 28, "Chaturdasi", "Chaturdashi", "Rikta", "Krishna Paksha", 7},
        {"e = 348: k = 58", 0.0, 348.0, 29, "Ammavasai", "Amavashya", "Poorna", "Krishna Paksha", 8},
        {"e = 54: k = 9, second round", 0.0, 54.0, 4, "Panchami", "Panchami", "Poorna", "Shukla Paksha", 1},
        {"e = 150: tithi 13", 10.0, 160.0, 12, "Triodasi", "Triyodashi", "Jaya", "Shukla Paksha", 3},
        // A Moon of a whole turn over a Sun of 0, and a sum that rounds to 360: the conjunction.
        {"Moon 360, Sun 0", 0.0, 360.0, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 10},
        {"Moon 0, Sun 1e-14", 1e-14, 0.0, 0, "Pratipad", "Pratipada", "Nanda", "Shukla Paksha", 10},
    };
    for (const auto& c : cases) {
        const PanchangaInfo info = ElementsOf(c.sun, c.moon);
        EXPECT_EQ(info.tithiIndex, c.tithiIndex) << c.what;
        EXPECT_EQ(info.tithiNumber, c.tithiIndex + 1) << c.what;
        EXPECT_EQ(info.tithiName, c.tithiName) << c.what;
        EXPECT_EQ(info.tithiRuleName, c.ruleName) << c.what;
        EXPECT_EQ(info.tithiClass, c.tithiClass) << c.what;
        EXPECT_EQ(info.paksha, c.paksha) << c.what;
        EXPECT_EQ(info.karanaIndex, c.karanaIndex) << c.what;
        EXPECT_EQ(info.karanaName, KaranaNames[static_cast<std::size_t>(c.karanaIndex)]) << c.what;
    }
}

TEST(PanchangaElements, KaranaOfEveryHalfTithi) {
    // k = 0 Kimstughna, k = 1..56 Bava..Visti seven times over, 57..59 Sakuna, Chatuspada, Naga.
    const std::string_view expected[] = {"Kimstughna", "Bava", "Balava", "Kaulava", "Taitula", "Garija", "Vanija",
                                         "Visti",      "Bava"};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(ElementsOf(0.0, 6.0 * k + 3.0).karanaName, expected[k]) << "k " << k;
    EXPECT_EQ(ElementsOf(0.0, 6.0 * 49 + 3.0).karanaName, "Visti");
    EXPECT_EQ(ElementsOf(0.0, 6.0 * 50 + 3.0).karanaName, "Bava");
    EXPECT_EQ(ElementsOf(0.0, 6.0 * 57 + 3.0).karanaName, "Sakuna");
    EXPECT_EQ(ElementsOf(0.0, 6.0 * 58 + 3.0).karanaName, "Chatuspada");
    EXPECT_EQ(ElementsOf(0.0, 6.0 * 59 + 3.0).karanaName, "Naga");
}

TEST(PanchangaElements, TithiClassesRepeatEveryFive) {
    const std::string_view classes[] = {"Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"};
    for (int number = 1; number <= 30; ++number) {
        const PanchangaInfo info = ElementsOf(0.0, 12.0 * (number - 1) + 6.0);
        EXPECT_EQ(info.tithiNumber, number);
        EXPECT_EQ(info.tithiClass, classes[(number - 1) % 5]) << "tithi " << number;
    }
    for (std::size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(TithiNames[i + 15].display, TithiNames[i].display) << i;
        EXPECT_EQ(TithiNames[i + 15].rule, TithiNames[i].rule) << i;
    }
}

struct YogaCase {
    const char* what;
    double sunUnreduced, moonUnreduced, ayanamsa;
    int yogaIndex;
    std::string_view yogaName;
};

TEST(PanchangaElements, YogaFromTheUnreducedSum) {
    // Sun at its offset and Moon at its offset plus x give y = x * 6 / 80 before the wrap.
    const YogaCase cases[] = {
        {"sum 0", YogaSunOffset, YogaMoonOffset, 0.0, 0, "Vishkambha"},
        {"sum 100", YogaSunOffset, YogaMoonOffset + 100.0, 0.0, 7, "Dhrithi"},
        {"sum 359: 26.925", YogaSunOffset, YogaMoonOffset + 359.0, 0.0, 26, "Vaidhruthi"},
        {"sum 360: exactly 27 after the wrap", YogaSunOffset, YogaMoonOffset + 360.0, 0.0, 0, "Vishkambha"},
        {"sum 720: exactly 54, wraps to 27", YogaSunOffset, YogaMoonOffset + 720.0, 0.0, 0, "Vishkambha"},
        {"sum -1: below 0", YogaSunOffset, YogaMoonOffset - 1.0, 0.0, 26, "Vaidhruthi"},
        {"sum 820: two turns up", YogaSunOffset, YogaMoonOffset + 820.0, 0.0, 7, "Dhrithi"},
        {"sum 14 from the ayanamsa", YogaSunOffset + 10.0, YogaMoonOffset + 10.0, -3.0, 1, "Prithi"},
        {"small longitudes: many turns below", 280.0, 270.0, -22.5, 10, "Vridhi"},
    };
    for (const auto& c : cases) {
        const PanchangaInfo info = PanchangaElements(0.0, 0.0, c.sunUnreduced, c.moonUnreduced, c.ayanamsa);
        EXPECT_EQ(info.yogaIndex, c.yogaIndex) << c.what;
        EXPECT_EQ(info.yogaName, c.yogaName) << c.what;
    }
}

TEST(PanchangaElements, YogaIsTheSiderealSumPlusASmallOffset) {
    // The two constants act only through their sum modulo 360: the yoga is that of the sidereal sum of the Sun
    // and the Moon plus 0.0106044690 degrees.
    for (double jde = 2415385.5; jde < 2470172.0; jde += 123.456) {
        const PanchangaLongitudes at = PanchangaLongitudesAt(jde);
        const double sum = ReduceDegrees(std::fmod(at.sun.reduced + at.moon.reduced + 2.0 * at.ayanamsaCorrection +
                                                       0.0106044690, 360.0));
        const double expected = sum / (80.0 / 6.0);
        const double fraction = expected - std::floor(expected);
        if (fraction < 1e-6 || fraction > 1.0 - 1e-6) continue;  // too near a boundary to compare
        EXPECT_EQ(PanchangaElements(at).yogaIndex, std::floor(expected)) << "jde " << jde;
    }
}

MomentClock Clock(int year, int month, int day, double localHours, double zoneHours) {
    MomentClock clock;
    clock.year = static_cast<std::int16_t>(year);
    clock.month = static_cast<std::int16_t>(month);
    clock.day = static_cast<std::int16_t>(day);
    clock.localHours = localHours;
    clock.effectiveZoneHours = zoneHours;
    return clock;
}

TEST(ComputePanchanga, WeekdayChangesAtLocalMidnight) {
    // 00:10 at 5 h 30 min East is still 31 December 1999 in universal time.
    for (double hours : {0.0, 10.0 / 60.0, 5.0, 23.99}) {
        const PanchangaInfo info = ComputePanchanga(Clock(2000, 1, 1, hours, 5.5));
        EXPECT_EQ(info.weekdayNumber, 7) << hours;
        EXPECT_EQ(info.weekdayName, "Saturday") << hours;
    }
}

// 1 January 2000, 17:30 at 5 h 30 min East.
TEST(ComputePanchanga, WorkedMoment) {
    const PanchangaInfo info = ComputePanchanga(Clock(2000, 1, 1, 17.5, 5.5));
    EXPECT_NEAR(info.jde, 2451545.00076, 0.000005);
    EXPECT_NEAR((info.jde - 2451545.0) * 86400.0, 65.7, 1e-4);
    EXPECT_NEAR(info.ayanamsaCorrection, -23.854, 0.0005);
    EXPECT_ANGLE_NEAR(info.moonTropical, 223.324, 0.0005);
    EXPECT_ANGLE_NEAR(info.sunTropical, 280.368, 0.0005);
    EXPECT_EQ(info.weekdayNumber, 7);
    EXPECT_EQ(info.weekdayName, "Saturday");
    EXPECT_NEAR(ElongationDegrees(info.sunTropical, info.moonTropical), 302.956, 0.0005);
    EXPECT_EQ(info.paksha, "Krishna Paksha");
    EXPECT_EQ(info.tithiIndex, 25);
    EXPECT_EQ(info.tithiNumber, 26);
    EXPECT_EQ(info.tithiName, "Ekadasi");
    EXPECT_EQ(info.tithiRuleName, "Ekadashi");
    EXPECT_EQ(info.tithiClass, "Nanda");
    EXPECT_EQ(info.yogaIndex, 7);
    EXPECT_EQ(info.yogaName, "Dhrithi");
    EXPECT_EQ(info.karanaIndex, 0);
    EXPECT_EQ(info.karanaName, "Bava");
    // The unreduced sum behind the yoga: y = 7.200 after the wrap.
    const double y = ((info.moonTropicalUnreduced + info.ayanamsaCorrection) - YogaMoonOffset) +
                     ((info.sunTropicalUnreduced + info.ayanamsaCorrection) - YogaSunOffset);
    EXPECT_NEAR(ReduceIntoPeriod(y * 6.0 / 80.0, 27.0), 7.200, 0.0005);
}

template <std::size_t N>
bool InTable(std::string_view name, const std::array<std::string_view, N>& table) {
    return std::find(table.begin(), table.end(), name) != table.end();
}

TEST(ComputePanchanga, SweepOver1901To2050) {
    int moments = 0;
    for (int year = 1901; year <= 2050; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 9, 17, 28}) {
                const double hours = (year * 7 + month * 5 + day) % 24 + 0.25 * (day % 4);
                const double zone = ((year + month) % 27 - 13) * 0.5;
                const PanchangaInfo info = ComputePanchanga(Clock(year, month, day, hours, zone));
                ++moments;
                ASSERT_TRUE(std::isfinite(info.jde));
                ASSERT_TRUE(info.sunTropical >= 0.0 && info.sunTropical <= 360.0) << info.sunTropical;
                ASSERT_TRUE(info.moonTropical >= 0.0 && info.moonTropical <= 360.0) << info.moonTropical;
                ASSERT_GE(info.weekdayNumber, 1);
                ASSERT_LE(info.weekdayNumber, 7);
                ASSERT_EQ(info.weekdayName, WeekdayNames[static_cast<std::size_t>(info.weekdayNumber - 1)]);
                ASSERT_TRUE(info.tithiIndex >= 0 && info.tithiIndex <= 29) << info.tithiIndex;
                ASSERT_EQ(info.tithiNumber, info.tithiIndex + 1);
                const auto tithi = static_cast<std::size_t>(info.tithiIndex);
                ASSERT_EQ(info.tithiName, TithiNames[tithi].display);
                ASSERT_EQ(info.tithiRuleName, TithiNames[tithi].rule);
                ASSERT_EQ(info.tithiClass, TithiClasses[tithi % 5]);
                ASSERT_EQ(info.paksha, PakshaNames[info.tithiIndex < 15 ? 0 : 1]);
                ASSERT_TRUE(info.yogaIndex >= 0 && info.yogaIndex <= 26) << info.yogaIndex;
                ASSERT_EQ(info.yogaName, YogaNames[static_cast<std::size_t>(info.yogaIndex)]);
                ASSERT_TRUE(info.karanaIndex >= 0 && info.karanaIndex <= 10) << info.karanaIndex;
                ASSERT_EQ(info.karanaName, KaranaNames[static_cast<std::size_t>(info.karanaIndex)]);
                ASSERT_TRUE(InTable(info.karanaName, KaranaNames) && InTable(info.yogaName, YogaNames));
                for (std::string_view name : {info.weekdayName, info.paksha, info.tithiName, info.tithiRuleName,
                                              info.tithiClass, info.yogaName, info.karanaName}) {
                    ASSERT_FALSE(name.empty());
                }
            }
        }
    }
    EXPECT_EQ(moments, 150 * 12 * 4);
}

// The almanac reads the clock of the converted moment; the worked moment through both.
TEST(ComputePanchanga, ReadsTheClockOfTheConvertedMoment) {
    MomentInput in;
    in.year = 2000;
    in.month = 1;
    in.day = 1;
    in.hour = 17;
    in.minute = 30;
    in.zone.hours = 5;
    in.zone.minutes = 30;
    in.zone.isEast = true;
    in.place.longitudeDegrees = 77;
    in.place.isEast = true;
    const MomentClock clock = ConvertMoment(in).clock;
    const PanchangaInfo info = ComputePanchanga(clock);
    EXPECT_DOUBLE_EQ(UniversalJulianDay(clock), 2451545.0);
    EXPECT_EQ(info.tithiNumber, 26);
    EXPECT_EQ(info.yogaName, "Dhrithi");
}

}  // namespace
}  // namespace kalvora
