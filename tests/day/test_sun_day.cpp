// Sunrise and sunset against published almanac times, polar days and nights, the weekday of a moment around
// sunrise, and the local clock texts.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "day/periods.h"
#include "day/sun_day.h"

namespace kalvora {
namespace {

constexpr int Hour = 3600;

// Minutes after the local midnight of the date at which a moment falls.
double LocalMinutes(double jdUt, const LocalDate& date, const DayPlace& place) {
    return (jdUt - LocalMidnightJdUt(date, place.zoneOffsetSeconds)) * 1440.0;
}

constexpr double Clock(int hour, int minute, int second = 0) { return hour * 60.0 + minute + second / 60.0; }

struct AlmanacCase {
    const char* what;  // place, date and the source of the published times
    DayPlace place;
    LocalDate date;
    std::optional<double> sunriseMinutes, sunsetMinutes;  // local clock, minutes after midnight, as published
    double toleranceMinutes;
};

// Upper limb with refraction, the definition the civil almanacs use.
TEST(SunDay, StandardSunriseAndSunsetMatchPublishedAlmanacs) {
    const DayPlace delhi{28.61, 77.21, 0.0, 5 * Hour + 1800};
    const DayPlace london{51.5, -0.125, 0.0, Hour};          // Houses of Parliament, summer time
    const DayPlace newYork{40.7833, -73.9667, 0.0, -5 * Hour};  // Central Park, standard time
    const DayPlace tromso{69.5, 19.0, 0.0, Hour};            // as the almanac's query gave it
    const AlmanacCase cases[] = {
        // whattime.city, "Sunrise and sunset on the 1st of each month in New Delhi" (28.61 N, 77.21 E, UT+5:30);
        // the table does not name its year, and these times move by under a minute from year to year: 2 minutes.
        {"New Delhi 1 January", delhi, {2026, 1, 1}, Clock(7, 15), Clock(17, 36), 2.0},
        {"New Delhi 1 June", delhi, {2026, 6, 1}, Clock(5, 25), Clock(19, 15), 2.0},
        // "Summer Solstice London", table for the Houses of Parliament (51.5 N, 0.125 W), 21 June 2025, BST, to the
        // second: 1 minute.
        {"London 21 June 2025", london, {2025, 6, 21}, Clock(4, 42, 38), Clock(21, 22, 6), 1.0},
        // US Naval Observatory times for New York City quoted in "The annual SOLSTICE message" (Dec 2006), EST,
        // to the minute: 1 minute (each date with the one time the text gives).
        {"New York 13 December 2006", newYork, {2006, 12, 13}, std::nullopt, Clock(16, 29), 1.0},
        {"New York 14 December 2006", newYork, {2006, 12, 14}, Clock(7, 12), std::nullopt, 1.0},
        {"New York 10 January 2007", newYork, {2007, 1, 10}, Clock(7, 19), std::nullopt, 1.0},
        // American Museum of Natural History, Hayden Planetarium, "The Winter Sun" (New Year's Eve 2016), EST.
        {"New York 31 December 2016", newYork, {2016, 12, 31}, Clock(7, 20), Clock(16, 38), 1.0},
        // US Naval Observatory, "Sun and Moon Data for One Day", Tromso (E 19.0, N 69.5), UT+1h, as quoted on
        // answers.com: 1 April 2014 and 17 May 2014, to the minute.
        {"Tromso 1 April 2014", tromso, {2014, 4, 1}, Clock(4, 50), Clock(18, 49), 1.0},
        {"Tromso 17 May 2014", tromso, {2014, 5, 17}, Clock(0, 29), Clock(23, 6), 1.0},
    };
    for (const AlmanacCase& c : cases) {
        const SunDay day = ComputeSunDay(c.date, c.place, SunriseDefinition::Standard);
        ASSERT_EQ(day.course, SunCourse::RisesAndSets) << c.what;
        ASSERT_TRUE(day.sunriseJdUt && day.sunsetJdUt && day.nextSunriseJdUt) << c.what;
        const double rise = LocalMinutes(*day.sunriseJdUt, c.date, c.place);
        const double set = LocalMinutes(*day.sunsetJdUt, c.date, c.place);
        if (c.sunriseMinutes) {
            EXPECT_NEAR(rise, *c.sunriseMinutes, c.toleranceMinutes)
                << c.what << ": sunrise " << LocalTimeText(*day.sunriseJdUt, c.place.zoneOffsetSeconds);
        }
        if (c.sunsetMinutes) {
            EXPECT_NEAR(set, *c.sunsetMinutes, c.toleranceMinutes)
                << c.what << ": sunset " << LocalTimeText(*day.sunsetJdUt, c.place.zoneOffsetSeconds);
        }
        // The next sunrise is the following date's sunrise.
        const SunDay next = ComputeSunDay(AddDays(c.date, 1), c.place, SunriseDefinition::Standard);
        ASSERT_TRUE(next.sunriseJdUt) << c.what;
        EXPECT_NEAR(*day.nextSunriseJdUt, *next.sunriseJdUt, 1e-6) << c.what;
    }
}

// Whatever the zone, the sunrise found is the one on the local date asked for (the search starts at the local
// midnight, not at midnight UT), the sunset follows it on the same day and the next sunrise is the next date's.
TEST(SunDay, SunriseFallsOnTheLocalDateAskedFor) {
    struct Case {
        const char* what;
        DayPlace place;
    };
    const Case cases[] = {
        {"Kiritimati, UT+14", {1.87, -157.4, 0.0, 14 * Hour}},
        {"Auckland, summer time UT+13", {-36.85, 174.76, 0.0, 13 * Hour}},
        {"Tokyo, UT+9", {35.68, 139.69, 0.0, 9 * Hour}},
        {"New Delhi, UT+5:30", {28.61, 77.21, 0.0, 19800}},
        {"Greenwich, UT", {51.48, 0.0, 0.0, 0}},
        {"Honolulu, UT-10", {21.31, -157.86, 0.0, -10 * Hour}},
        {"Pago Pago, UT-11", {-14.28, -170.7, 0.0, -11 * Hour}},
    };
    for (const Case& c : cases) {
        for (const LocalDate date : {LocalDate{2026, 1, 1}, LocalDate{2026, 7, 1}}) {
            for (const SunriseDefinition definition : {SunriseDefinition::Hindu, SunriseDefinition::Standard}) {
                const SunDay day = ComputeSunDay(date, c.place, definition);
                ASSERT_EQ(day.course, SunCourse::RisesAndSets) << c.what;
                EXPECT_EQ(LocalDateOf(*day.sunriseJdUt, c.place.zoneOffsetSeconds), date) << c.what;
                EXPECT_GT(*day.sunsetJdUt, *day.sunriseJdUt) << c.what;
                EXPECT_LT(*day.sunsetJdUt - *day.sunriseJdUt, 0.75) << c.what;
                EXPECT_EQ(LocalDateOf(*day.nextSunriseJdUt, c.place.zoneOffsetSeconds), AddDays(date, 1)) << c.what;
            }
        }
    }
}

// The centre of the disc without refraction rises later and sets earlier than the refracted upper limb: by the
// time the Sun takes to climb about 50' (34' of refraction and 16' of semi-diameter), longer far from the equator.
TEST(SunDay, HinduSunriseIsLaterAndSunsetEarlierThanStandard) {
    struct Case {
        const char* what;
        DayPlace place;
        LocalDate date;
        double minMinutes, maxMinutes;
    };
    const Case cases[] = {
        {"Chennai", {13.08, 80.27, 0.0, 19800}, {2026, 3, 20}, 3.0, 4.5},
        {"New Delhi", {28.61, 77.21, 0.0, 19800}, {2026, 1, 1}, 3.5, 5.0},
        {"London", {51.5, -0.125, 0.0, Hour}, {2025, 6, 21}, 6.0, 8.0},
    };
    for (const Case& c : cases) {
        const SunDay standard = ComputeSunDay(c.date, c.place, SunriseDefinition::Standard);
        const SunDay hindu = ComputeSunDay(c.date, c.place, SunriseDefinition::Hindu);
        ASSERT_TRUE(standard.sunsetJdUt && hindu.sunsetJdUt) << c.what;
        const double riseLater = (*hindu.sunriseJdUt - *standard.sunriseJdUt) * 1440.0;
        const double setEarlier = (*standard.sunsetJdUt - *hindu.sunsetJdUt) * 1440.0;
        EXPECT_GT(riseLater, c.minMinutes) << c.what;
        EXPECT_LT(riseLater, c.maxMinutes) << c.what;
        EXPECT_GT(setEarlier, c.minMinutes) << c.what;
        EXPECT_LT(setEarlier, c.maxMinutes) << c.what;
    }
}

// Tromso has the midnight sun from about 20 May to 22 July and the polar night from about 21 November to 21
// January (reachtheworld.org, "Jamie's Journey: Norway", week in Tromso). On 18 May 2014 the Sun rose at 00:13
// and did not set again until 25 July (US Naval Observatory, as quoted for 1 April above).
TEST(SunDay, PolarDaysAndNightsHaveNoWrongTimes) {
    const DayPlace tromso{69.65, 18.96, 0.0, Hour};
    struct Case {
        const char* what;
        DayPlace place;
        LocalDate date;
        SunriseDefinition definition;
        SunCourse course;
        bool hasSunrise;
    };
    const Case cases[] = {
        {"midsummer", tromso, {2024, 6, 21}, SunriseDefinition::Hindu, SunCourse::MidnightSun, false},
        {"midsummer, standard", tromso, {2024, 6, 21}, SunriseDefinition::Standard, SunCourse::MidnightSun, false},
        {"midwinter", tromso, {2024, 12, 21}, SunriseDefinition::Hindu, SunCourse::PolarNight, false},
        {"midwinter, standard", tromso, {2024, 12, 21}, SunriseDefinition::Standard, SunCourse::PolarNight, false},
        {"first day that does not end", {69.5, 19.0, 0.0, Hour}, {2014, 5, 18}, SunriseDefinition::Standard,
         SunCourse::MidnightSun, true},
    };
    for (const Case& c : cases) {
        const SunDay day = ComputeSunDay(c.date, c.place, c.definition);
        EXPECT_EQ(day.course, c.course) << c.what;
        EXPECT_EQ(day.sunriseJdUt.has_value(), c.hasSunrise) << c.what;
        EXPECT_FALSE(day.sunsetJdUt) << c.what;
        EXPECT_FALSE(day.nextSunriseJdUt) << c.what;
        EXPECT_FALSE(FrameOf(day)) << c.what;
    }
    const SunDay rose = ComputeSunDay({2014, 5, 18}, {69.5, 19.0, 0.0, Hour}, SunriseDefinition::Standard);
    ASSERT_TRUE(rose.sunriseJdUt);
    // The Sun only grazes the horizon here, so its rising moves a minute for a tenth of a degree of latitude or a
    // few seconds of refraction: 2 minutes.
    EXPECT_NEAR(LocalMinutes(*rose.sunriseJdUt, {2014, 5, 18}, {69.5, 19.0, 0.0, Hour}), Clock(0, 13), 2.0);
}

// The finder leaves out the next sunrise closer to the equator than this latitude, trusting it to come: check the
// solstices' seasons at the edge, both hemispheres, both definitions, in the first and the last years searched.
TEST(SunDay, TheSunRisesAndSetsEveryDayInsideTheEveryDayLatitude) {
    const double edge = EveryDayRiseAndSetLatitudeDeg - 0.01;
    for (const int year : {1901, 2050}) {
        for (const LocalDate start : {LocalDate{year, 6, 1}, LocalDate{year, 12, 1}}) {
            for (int i = 0; i < 45; ++i) {
                const LocalDate date = AddDays(start, i);
                for (const double latitude : {edge, -edge}) {
                    for (const auto definition : {SunriseDefinition::Hindu, SunriseDefinition::Standard}) {
                        const DayPlace place{latitude, 25.0, 0.0, 2 * Hour};
                        const SunDay day = ComputeSunDay(date, place, definition);
                        EXPECT_EQ(day.course, SunCourse::RisesAndSets) << year << " " << latitude;
                        // And the two steps the finder takes give the same day.
                        SunDay stepped = ComputeSunriseAndSunset(date, place, definition);
                        AddNextSunrise(stepped, place, definition);
                        EXPECT_EQ(stepped, day);
                    }
                }
            }
        }
    }
}

// New Delhi, Thursday 1 January 2026: a minute before sunrise still belongs to Wednesday.
TEST(SunDay, AMomentBeforeSunriseBelongsToThePreviousDay) {
    const DayPlace delhi{28.61, 77.21, 0.0, 19800};
    const SunDay thursday = ComputeSunDay({2026, 1, 1}, delhi, SunriseDefinition::Hindu);
    ASSERT_EQ(thursday.weekday, 5);
    ASSERT_TRUE(thursday.sunriseJdUt && thursday.nextSunriseJdUt);
    const double rise = *thursday.sunriseJdUt;
    const double midnight = LocalMidnightJdUt({2026, 1, 1}, delhi.zoneOffsetSeconds);
    const double minute = 1.0 / 1440.0;
    struct Case {
        const char* what;
        double jdUt;
        int weekday;
        LocalDate date;
    };
    const Case cases[] = {
        {"just after midnight", midnight + minute, 4, {2025, 12, 31}},
        {"a minute before sunrise", rise - minute, 4, {2025, 12, 31}},
        {"at sunrise", rise, 5, {2026, 1, 1}},
        {"a minute after sunrise", rise + minute, 5, {2026, 1, 1}},
        {"a minute before midnight", midnight + 1.0 - minute, 5, {2026, 1, 1}},
        {"a minute before the next sunrise", *thursday.nextSunriseJdUt - minute, 5, {2026, 1, 1}},
        {"at the next sunrise", *thursday.nextSunriseJdUt, 6, {2026, 1, 2}},
    };
    for (const Case& c : cases) {
        const SunDay day = SunDayOfMoment(c.jdUt, delhi, SunriseDefinition::Hindu);
        EXPECT_EQ(day.weekday, c.weekday) << c.what;
        EXPECT_EQ(day.date, c.date) << c.what;
    }
    // Where the Sun does not rise the moment keeps its civil weekday (Saturday 21 December 2024).
    const DayPlace tromso{69.65, 18.96, 0.0, Hour};
    const double morning = LocalMidnightJdUt({2024, 12, 21}, tromso.zoneOffsetSeconds) + 0.25;
    EXPECT_EQ(SunDayOfMoment(morning, tromso, SunriseDefinition::Hindu).weekday, 7);
}

}  // namespace
}  // namespace kalvora
