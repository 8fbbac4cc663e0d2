// The calendar: day numbers both ways, adding days, which dates exist, weekdays and month names.

#include <gtest/gtest.h>

#include <string_view>

#include "astro/calendar.h"
#include "astro/tables.h"

namespace kalvora {
namespace {

std::string Text(LocalDate d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

struct DayNumberCase {
    LocalDate date;
    long dayNumber;
};

// Both directions at once, from Meeus, Astronomical Algorithms, ch. 7 and the almanac's epochs.
TEST(DayNumber, KnownDaysBothWays) {
    const DayNumberCase cases[] = {
        {{2000, 1, 1}, 2451545},   {{1899, 12, 31}, 2415020}, {{2011, 3, 1}, 2455622},  {{2012, 2, 29}, 2455987},
        {{1901, 1, 1}, 2415386},   {{2050, 12, 31}, 2470172}, {{1900, 2, 28}, 2415079}, {{1900, 3, 1}, 2415080},
        {{2000, 2, 29}, 2451604},  {{2000, 12, 31}, 2451910}, {{2001, 1, 1}, 2451911},  {{1957, 10, 4}, 2436116},
        {{1582, 10, 16}, 2299162}, {{1582, 10, 4}, 2299160},  {{333, 1, 27}, 1842713},  {{1500, 2, 29}, 2268992},
        {{-4712, 1, 1}, 0},  // the count's epoch
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayNumber(c.date), c.dayNumber) << Text(c.date);
        EXPECT_EQ(DateOfDayNumber(c.dayNumber), c.date) << c.dayNumber;
    }
    // 15 October 1582 keeps its Julian count: the same number as 25 October.
    EXPECT_EQ(DayNumber({1582, 10, 15}), 2299171);
    EXPECT_EQ(DateOfDayNumber(2299171), (LocalDate{1582, 10, 25}));
    // Past the end of a month the days run on into the next.
    EXPECT_EQ(DayNumber({2026, 2, 30}), DayNumber({2026, 3, 2}));
}

// Every day of the Julian years 1000..1581 and the Gregorian years 1583..2100 goes to its day number and back,
// one day number after the other, and exists.
TEST(DayNumber, EveryDayRoundTripsInOrder) {
    int failures = 0;
    for (int year = 1000; year <= 2100 && failures < 5; ++year) {
        if (year == 1582) continue;  // the switch year, in KnownDaysBothWays
        long expected = DayNumber({year, 1, 1});
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day, ++expected) {
                const LocalDate date{year, month, day};
                if (DayNumber(date) != expected || DateOfDayNumber(expected) != date || !IsRealDate(date)) {
                    ADD_FAILURE() << Text(date) << " has day number " << DayNumber(date) << ", expected " << expected;
                    ++failures;
                }
            }
        }
        EXPECT_EQ(expected, DayNumber({year + 1, 1, 1})) << year;
    }
}

TEST(IsRealDate, MonthLengthsLeapYearsAndTheSwitch) {
    const struct {
        LocalDate date;
        bool real;
    } cases[] = {
        {{2000, 2, 29}, true},   {{1900, 2, 29}, false}, {{2100, 2, 29}, false}, {{2024, 2, 29}, true},
        {{2026, 2, 29}, false},  {{1500, 2, 29}, true},  {{2026, 4, 31}, false}, {{2026, 4, 30}, true},
        {{2026, 12, 31}, true},  {{2026, 13, 1}, false}, {{2026, 0, 1}, false},  {{2026, 1, 0}, false},
        {{1582, 10, 4}, true},   {{1582, 10, 5}, false}, {{1582, 10, 14}, false}, {{1582, 10, 15}, false},
        {{1582, 10, 16}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsRealDate(c.date), c.real) << Text(c.date);
}

TEST(AddDays, AcrossMonthsYearsAndLeapDays) {
    const struct {
        LocalDate from;
        long days;
        LocalDate to;
    } cases[] = {
        {{2028, 2, 28}, 1, {2028, 2, 29}}, {{2026, 2, 28}, 1, {2026, 3, 1}},     {{2026, 12, 31}, 1, {2027, 1, 1}},
        {{2026, 3, 1}, -1, {2026, 2, 28}}, {{1900, 2, 28}, 1, {1900, 3, 1}},     {{2000, 2, 28}, 1, {2000, 2, 29}},
        {{1901, 1, 1}, 54786, {2050, 12, 31}}, {{2024, 3, 6}, 0, {2024, 3, 6}},
    };
    for (const auto& c : cases) EXPECT_EQ(AddDays(c.from, c.days), c.to) << Text(c.from) << " + " << c.days;
}

TEST(WeekdayOf, KnownDays) {
    const struct {
        LocalDate date;
        std::string_view weekday;
    } cases[] = {
        {{1901, 1, 1}, "Tuesday"},   {{2000, 1, 1}, "Saturday"},  {{1947, 8, 15}, "Friday"},
        {{2012, 2, 29}, "Wednesday"}, {{2024, 2, 29}, "Thursday"}, {{1970, 1, 1}, "Thursday"},
        {{1999, 12, 31}, "Friday"},  {{2050, 12, 31}, "Saturday"}, {{2026, 12, 8}, "Tuesday"},
    };
    for (const auto& c : cases) {
        const int weekday = WeekdayOf(c.date);
        ASSERT_GE(weekday, 1);
        ASSERT_LE(weekday, 7);
        EXPECT_EQ(WeekdayNames[static_cast<std::size_t>(weekday - 1)], c.weekday) << Text(c.date);
    }
}

TEST(MonthName, MonthsAndOutsideThem) {
    EXPECT_EQ(MonthName(1), "January");
    EXPECT_EQ(MonthName(2), "February");
    EXPECT_EQ(MonthName(12), "December");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
}

}  // namespace
}  // namespace kalvora
