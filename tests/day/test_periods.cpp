// The periods of the day on a day with sunrise at 6:00 and sunset at 18:00 (the almanacs' reference day, so that
// their printed clock times can be compared directly), the tiling of real days, and the period tables themselves.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "astro/tables.h"
#include "day/periods.h"

namespace kalvora {
namespace {

// Sunday 7 January 2024 .. Saturday 13 January 2024 in UT, sunrise 6:00, sunset 18:00, next sunrise 6:00.
constexpr double FirstSundayMidnight = 2460316.5;

DayFrame ReferenceDay(int weekday) {
    const double midnight = FirstSundayMidnight + (weekday - 1);
    return {midnight + 0.25, midnight + 0.75, midnight + 1.25, weekday};
}

// "HH:MM" of a moment on the reference day (UT is the local clock there).
std::string Clock(double jdUt) { return ClockText(MinuteOfDay(ClockMinuteHolding(jdUt, 0))); }
std::string Span(const TimeSpan& span) { return Clock(span.startJdUt) + "-" + Clock(span.endJdUt); }

TEST(PeriodsOfDay, RahuKalamYamagandaAndGulikaOfEveryWeekday) {
    // The daily calendars' times for a 6:00 sunrise (spiritofchennai.com, "Rahu Kalam, Yama Gandam"), Sunday first.
    struct Case {
        const char *rahu, *yamaganda, *gulika;
    };
    const Case cases[] = {
        {"16:30-18:00", "12:00-13:30", "15:00-16:30"},  // Sunday
        {"07:30-09:00", "10:30-12:00", "13:30-15:00"},  // Monday
        {"15:00-16:30", "09:00-10:30", "12:00-13:30"},  // Tuesday
        {"12:00-13:30", "07:30-09:00", "10:30-12:00"},  // Wednesday
        {"13:30-15:00", "06:00-07:30", "09:00-10:30"},  // Thursday
        {"10:30-12:00", "15:00-16:30", "07:30-09:00"},  // Friday
        {"09:00-10:30", "13:30-15:00", "06:00-07:30"},  // Saturday
    };
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const Case& c = cases[weekday - 1];
        const DayPeriods periods = PeriodsOfDay(ReferenceDay(weekday));
        EXPECT_EQ(Span(periods.rahuKalam), c.rahu) << WeekdayNames[weekday - 1];
        EXPECT_EQ(Span(periods.yamaganda), c.yamaganda) << WeekdayNames[weekday - 1];
        EXPECT_EQ(Span(periods.gulika), c.gulika) << WeekdayNames[weekday - 1];
    }
}

TEST(PeriodsOfDay, AbhijitAndDurmuhurtasOfEveryWeekday) {
    // Muhurtas of 48 minutes from 6:00 (day) and 18:00 (night).
    struct Case {
        const char* abhijit;  // "" for none
        std::vector<std::string> durmuhurtas;
    };
    const Case cases[] = {
        {"11:36-12:24", {"16:24-17:12"}},                 // Sunday: 14th
        {"11:36-12:24", {"12:24-13:12", "14:48-15:36"}},  // Monday: 9th, 12th
        {"11:36-12:24", {"08:24-09:12", "22:48-23:36"}},  // Tuesday: 4th, 7th of the night
        {"", {"11:36-12:24"}},                            // Wednesday: 8th, so no Abhijit
        {"11:36-12:24", {"10:00-10:48", "14:48-15:36"}},  // Thursday: 6th, 12th
        {"11:36-12:24", {"08:24-09:12", "12:24-13:12"}},  // Friday: 4th, 9th
        {"11:36-12:24", {"06:00-07:36"}},                 // Saturday: 1st and 2nd, joined
    };
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const Case& c = cases[weekday - 1];
        const DayPeriods periods = PeriodsOfDay(ReferenceDay(weekday));
        EXPECT_EQ(periods.abhijit ? Span(*periods.abhijit) : "", c.abhijit) << WeekdayNames[weekday - 1];
        std::vector<std::string> spans;
        for (const TimeSpan& span : periods.durmuhurtas) spans.push_back(Span(span));
        EXPECT_EQ(spans, c.durmuhurtas) << WeekdayNames[weekday - 1];
    }
}

TEST(PeriodsOfDay, ChoghadiyasOfEveryWeekday) {
    // Day and night columns of the Gujarati choghadiya table (gujarati.webdunia.com, "Choghadia"), Sunday first.
    const std::array<std::array<const char*, 16>, 7> expected = {{
        {"Udveg", "Chal", "Labh", "Amrit", "Kaal", "Shubh", "Rog", "Udveg",
         "Shubh", "Amrit", "Chal", "Rog", "Kaal", "Labh", "Udveg", "Shubh"},
        {"Amrit", "Kaal", "Shubh", "Rog", "Udveg", "Chal", "Labh", "Amrit",
         "Chal", "Rog", "Kaal", "Labh", "Udveg", "Shubh", "Amrit", "Chal"},
        {"Rog", "Udveg", "Chal", "Labh", "Amrit", "Kaal", "Shubh", "Rog",
         "Kaal", "Labh", "Udveg", "Shubh", "Amrit", "Chal", "Rog", "Kaal"},
        {"Labh", "Amrit", "Kaal", "Shubh", "Rog", "Udveg", "Chal", "Labh",
         "Udveg", "Shubh", "Amrit", "Chal", "Rog", "Kaal", "Labh", "Udveg"},
        {"Shubh", "Rog", "Udveg", "Chal", "Labh", "Amrit", "Kaal", "Shubh",
         "Amrit", "Chal", "Rog", "Kaal", "Labh", "Udveg", "Shubh", "Amrit"},
        {"Chal", "Labh", "Amrit", "Kaal", "Shubh", "Rog", "Udveg", "Chal",
         "Rog", "Kaal", "Labh", "Udveg", "Shubh", "Amrit", "Chal", "Rog"},
        {"Kaal", "Shubh", "Rog", "Udveg", "Chal", "Labh", "Amrit", "Kaal",
         "Labh", "Udveg", "Shubh", "Amrit", "Chal", "Rog", "Kaal", "Labh"},
    }};
    const std::set<std::string_view> bad = {"Udveg", "Kaal", "Rog"};
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const DayPeriods periods = PeriodsOfDay(ReferenceDay(weekday));
        for (std::size_t i = 0; i < 16; ++i) {
            const ChoghadiyaPart& part = periods.choghadiyas[i];
            const std::string_view name = RowOf(part.choghadiya).name;
            EXPECT_EQ(name, expected[static_cast<std::size_t>(weekday - 1)][i])
                << WeekdayNames[weekday - 1] << " part " << i + 1;
            EXPECT_EQ(part.good, !bad.contains(name)) << name;
        }
        // An hour and a half each: the third part of the day and the first of the night.
        EXPECT_EQ(Span(periods.choghadiyas[2].span), "09:00-10:30");
        EXPECT_EQ(Span(periods.choghadiyas[8].span), "18:00-19:30");
    }
}

TEST(PeriodsOfDay, HorasFollowTheChaldeanOrderFromTheWeekdayLord) {
    // Sunday: from the Sun through Venus, Mercury, Moon, Saturn, Jupiter, Mars, day and night without a break.
    const std::array<std::string_view, 24> sunday = {
        "Sun", "Venus", "Mercury", "Moon", "Saturn", "Jupiter", "Mars", "Sun", "Venus", "Mercury", "Moon", "Saturn",
        "Jupiter", "Mars", "Sun", "Venus", "Mercury", "Moon", "Saturn", "Jupiter", "Mars", "Sun", "Venus", "Mercury"};
    const DayPeriods sundayPeriods = PeriodsOfDay(ReferenceDay(1));
    for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(NameOf(sundayPeriods.horas[i].lord).name, sunday[i]) << "hora " << i + 1;

    // Each day's first hora is its weekday's lord, and the hora after the last of a day is the next day's lord:
    // the order of the weekdays comes out of the order of the horas.
    const std::array<std::string_view, 7> lords = {"Sun", "Moon", "Mars", "Mercury", "Jupiter", "Venus", "Saturn"};
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const DayPeriods periods = PeriodsOfDay(ReferenceDay(weekday));
        EXPECT_EQ(NameOf(periods.horas[0].lord).name, lords[static_cast<std::size_t>(weekday - 1)]);
        const DayPeriods next = PeriodsOfDay(ReferenceDay(weekday % 7 + 1));
        const auto last = std::find(ChaldeanOrder.begin(), ChaldeanOrder.end(), periods.horas[23].lord);
        const Body after = last + 1 == ChaldeanOrder.end() ? ChaldeanOrder.front() : *(last + 1);
        EXPECT_EQ(after, next.horas[0].lord) << WeekdayNames[weekday - 1];
    }
    EXPECT_EQ(Span(sundayPeriods.horas[12].span), "18:00-19:00");
}

// Which avoided periods hold a moment, with the start of each span included and its end not: Friday's reference
// day has Gulika 7:30-9:00, Durmuhurtas 8:24-9:12 and 12:24-13:12, Rahu kalam 10:30-12:00, Yamaganda 15:00-16:30
// (the edges tested exactly are whole binary fractions of a day).
TEST(PeriodsOfDay, AvoidedPeriodsAtAMoment) {
    const DayFrame friday = ReferenceDay(6);
    const DayPeriods periods = PeriodsOfDay(friday);
    const double midnight = friday.sunriseJdUt - 0.25;
    auto at = [&](int hour, int minute) { return midnight + (hour * 60 + minute) / 1440.0; };
    struct Case {
        int hour, minute;
        std::vector<std::string_view> names;
    };
    const Case cases[] = {
        {7, 29, {}},
        {7, 30, {"Gulika"}},
        {8, 30, {"Gulika", "Durmuhurta"}},
        {9, 0, {"Durmuhurta"}},
        {9, 13, {}},
        {10, 30, {"Rahu kalam"}},
        {12, 0, {}},
        {12, 25, {"Durmuhurta"}},
        {16, 29, {"Yamaganda"}},
        {16, 30, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> names;
        for (const InauspiciousPeriod period : InauspiciousPeriodsAt(periods, at(c.hour, c.minute))) {
            names.push_back(NameOf(period));
        }
        EXPECT_EQ(names, c.names) << c.hour << ":" << c.minute;
    }
}

// On a real day of unequal daytime and night the parts tile each half without gaps, end exactly at sunset and at
// the next sunrise, and every period lies inside the half it belongs to.
TEST(PeriodsOfDay, PartsTileARealDay) {
    const DayPlace london{51.5, -0.125, 0.0, 3600};
    for (const LocalDate date : {LocalDate{2025, 6, 21}, LocalDate{2025, 12, 21}, LocalDate{2026, 3, 18}}) {
        const std::optional<DayFrame> frame = FrameOf(ComputeSunDay(date, london));
        ASSERT_TRUE(frame);
        const DayPeriods periods = PeriodsOfDay(*frame);
        const TimeSpan daytime{frame->sunriseJdUt, frame->sunsetJdUt};
        const TimeSpan night{frame->sunsetJdUt, frame->nextSunriseJdUt};
        auto tiles = [&](auto parts, const TimeSpan& half, const char* what) {
            EXPECT_EQ(parts.front().span.startJdUt, half.startJdUt) << what;
            EXPECT_EQ(parts.back().span.endJdUt, half.endJdUt) << what;
            for (std::size_t i = 1; i < parts.size(); ++i) {
                EXPECT_EQ(parts[i].span.startJdUt, parts[i - 1].span.endJdUt) << what << " " << i;
            }
        };
        const auto& c = periods.choghadiyas;
        const auto& h = periods.horas;
        tiles(std::vector<ChoghadiyaPart>(c.begin(), c.begin() + 8), daytime, "day choghadiyas");
        tiles(std::vector<ChoghadiyaPart>(c.begin() + 8, c.end()), night, "night choghadiyas");
        tiles(std::vector<HoraPart>(h.begin(), h.begin() + 12), daytime, "day horas");
        tiles(std::vector<HoraPart>(h.begin() + 12, h.end()), night, "night horas");
        for (const TimeSpan& span : {periods.rahuKalam, periods.yamaganda, periods.gulika}) {
            EXPECT_TRUE(daytime.Contains(span.startJdUt) && span.endJdUt <= daytime.endJdUt);
            EXPECT_NEAR((span.endJdUt - span.startJdUt) * 8.0, daytime.endJdUt - daytime.startJdUt, 1e-7);  // Julian days hold ~0.5e-9 day
        }
    }
}

TEST(PeriodTables, RowsAndValues) {
    ASSERT_EQ(KalamEighths.size(), 7u);
    ASSERT_EQ(DurmuhurtaTable.size(), 7u);
    ASSERT_EQ(ChoghadiyaTable.size(), 7u);
    ASSERT_EQ(ChaldeanOrder.size(), 7u);
    ASSERT_EQ(WeekdayLords.size(), 7u);
    for (const WeekdayEighths& row : KalamEighths) {
        for (const int eighth : {row.rahuKalam, row.yamaganda, row.gulika}) {
            EXPECT_GE(eighth, 1);
            EXPECT_LE(eighth, 8);
        }
        // The three periods of a weekday never share an eighth.
        EXPECT_NE(row.rahuKalam, row.yamaganda);
        EXPECT_NE(row.rahuKalam, row.gulika);
        EXPECT_NE(row.yamaganda, row.gulika);
    }
    for (const DurmuhurtaRow& row : DurmuhurtaTable) {
        for (const int muhurta : {row.dayMuhurtas[0], row.dayMuhurtas[1], row.nightMuhurta}) EXPECT_LE(muhurta, 15);
        EXPECT_NE(row.dayMuhurtas[0], 0);
        // In time order, so that the day's spans come out in order.
        if (row.dayMuhurtas[1] != 0) {
            EXPECT_LT(row.dayMuhurtas[0], row.dayMuhurtas[1]);
        }
    }
    // Each planet rules one choghadiya and appears once in the Chaldean order and once among the weekday lords.
    std::set<Body> rulers, chaldean(ChaldeanOrder.begin(), ChaldeanOrder.end()),
        weekdayLords(WeekdayLords.begin(), WeekdayLords.end());
    for (const ChoghadiyaRow& row : ChoghadiyaTable) rulers.insert(row.ruler);
    EXPECT_EQ(rulers.size(), 7u);
    EXPECT_EQ(chaldean.size(), 7u);
    EXPECT_EQ(weekdayLords.size(), 7u);
    
}

}  // namespace
}  // namespace kalvora
