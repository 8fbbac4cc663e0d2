#pragma once
// The civil calendar every layer uses: local dates, their day numbers, adding days, which dates exist, the
// month names and the years the program works in.
//
// Day numbers are Julian day numbers (the day counted at noon; 1 January 2000 is 2451545). Dates up to
// 4 October 1582 are in the Julian calendar and later dates in the Gregorian one, so the days 5 to 14 October
// 1582 do not exist. Every day number is an exact integer: the astronomy holds it in a double.

#include <array>
#include <compare>
#include <cstdint>
#include <string_view>

namespace kalvora {

// The years the input pages offer and the command line and the finder accept.
inline constexpr int FirstYear = 1901;
inline constexpr int LastYear = 2050;

// A local civil date.
struct LocalDate {
    int year = FirstYear;
    int month = 1;  // 1..12
    int day = 1;
    friend constexpr auto operator<=>(const LocalDate&, const LocalDate&) = default;
};

// Month names by month - 1 ("January" .. "December").
inline constexpr auto MonthNames = std::to_array<std::string_view>(
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
     "December"});
static_assert(MonthNames.size() == 12);

// "January" .. "December" for months 1..12; "" otherwise.
constexpr std::string_view MonthName(int month) {
    return month >= 1 && month <= 12 ? MonthNames[static_cast<std::size_t>(month - 1)] : std::string_view{};
}

// Floor division (the formulas' "Int"), also right for a negative dividend: FloorDiv(-1, 60) is -1.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

namespace calendar_detail {
inline constexpr long FirstGregorianDay = 2299161;  // 15 October 1582
}  // namespace calendar_detail

// Leap years: every fourth year in the Julian calendar; in the Gregorian one not the centuries, except every
// fourth century (1900 and 2100 are not leap years, 2000 is).
constexpr bool IsLeapYear(int year) {
    if (year < 1582) return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of a month (1..12) of a year; 0 for a month outside 1..12.
constexpr int DaysInMonth(int year, int month) {
    constexpr auto days = std::to_array({31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31});
    static_assert(days.size() == 12);
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Day number of a date. Days past the end of the month run on into the next month (30 February is 1 or 2 March)
// and months past 12 into the next year. 15 October 1582 is still counted as a Julian date (see IsRealDate).
constexpr long DayNumber(LocalDate date) {
    const long m = 12L * (date.year + 4800L) + date.month - 3;
    long j = FloorDiv(2 * (m - 12 * FloorDiv(m, 12)) + 7 + 365 * m, 12) + date.day + FloorDiv(m, 48) - 32083;
    if (j > calendar_detail::FirstGregorianDay + 10) {  // after the Julian count of 15 October 1582
        j += FloorDiv(m, 4800) - FloorDiv(m, 1200) + 38;
    }
    return j;
}

// The date of a day number.
constexpr LocalDate DateOfDayNumber(long dayNumber) {
    long a = dayNumber;
    if (dayNumber >= calendar_detail::FirstGregorianDay) {
        const long alpha = FloorDiv(4 * dayNumber - 7468865, 146097);  // the Gregorian calendar's dropped days
        a = dayNumber + 1 + alpha - FloorDiv(alpha, 4);
    }
    const long b = a + 1524;
    const long c = FloorDiv(20 * b - 2442, 7305);  // years of 365.25 days
    const long d = FloorDiv(1461 * c, 4);
    const long e = FloorDiv(10000 * (b - d), 306001);  // months of 30.6001 days
    LocalDate date;
    date.day = static_cast<int>(b - d - FloorDiv(306001 * e, 10000));
    date.month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    date.year = static_cast<int>(date.month > 2 ? c - 4716 : c - 4715);
    return date;
}

// The date `days` after `date` (negative: before).
constexpr LocalDate AddDays(LocalDate date, long days) { return DateOfDayNumber(DayNumber(date) + days); }

// The date exists in the calendar and its day number leads back to it: no 30 February, no 31 April, none of
// the days 5 to 14 October 1582 that the switch to the Gregorian calendar dropped, and not 15 October 1582,
// whose day number is that of 25 October (the day numbers switch calendars one day late).
constexpr bool IsRealDate(LocalDate date) {
    if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) return false;
    return DateOfDayNumber(DayNumber(date)) == date;
}

// Day of the week: 1 = Sunday .. 7 = Saturday (1 January 1901 is a Tuesday, 3). Day number 0 fell on a Monday.
constexpr int WeekdayOf(LocalDate date) {
    const long n = DayNumber(date) + 1;
    return static_cast<int>(n - 7 * FloorDiv(n, 7)) + 1;
}

}  // namespace kalvora
