#pragma once
// Local clock time, the layer above the calendar: a local date and time, whole minutes of a local clock, the day's
// units, the 1970 count of seconds, and the texts every program writes and reads for dates, clock times and zone
// offsets.
//
// Conventions, for every function below:
// - A zone offset is the local clock minus universal time in whole seconds, east of Greenwich positive.
// - Moments are Julian days of universal time (jdUt). The local date of day number d begins at local midnight,
//   Julian day d - 0.5 of the local clock, so (d - 0.5) - offset / SecondsPerDay of universal time.
// - A clock minute counts the whole minutes of a local clock: DayNumber(date) * MinutesPerDay + the minute of the
//   date (0 is 00:00, 1439 is 23:59).
// - The minute that holds a moment is the whole minute its local clock shows once half a second is added: a moment
//   a hair before a whole minute (an edge a search found, a sunrise the ephemeris gave) counts as that minute, as
//   it does when the clock is first rounded to the nearest second and then cut to the minute. Every minute shown
//   is found so (ClockMinuteHolding) except the report appendix's, which rounds to the second first
//   (ClockMinuteOfRoundedSecond): the two sums round differently in floating point, and for about three moments in
//   ten million, within a rounding error of half a second past a whole minute, they land on either side of it; the
//   appendix keeps its own so that the reports stay as they have been written.
// - The second that holds a moment on a local clock is the nearest whole second (texts to the second); the second
//   of universal time that holds a moment, by which a zone's offset in force is looked up, is the one it falls in.
// - Seconds since the epoch count from 1970-01-01 00:00: of universal time for moments, of the local clock read as
//   if it were universal time for local times.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astro/calendar.h"

namespace kalvora {

inline constexpr int SecondsPerMinute = 60;
inline constexpr int MinutesPerHour = 60;
inline constexpr int SecondsPerHour = 3600;
inline constexpr int MinutesPerDay = 1440;  // minutes of a local date: 0 is 00:00, 1439 is 23:59
inline constexpr int SecondsPerDay = 86400;

// 1970-01-01, the origin of the second counts: its day number, and the Julian day of its midnight in UT.
inline constexpr long EpochDayNumber = 2440588;
inline constexpr double EpochJdUt = 2440587.5;
static_assert(DayNumber({1970, 1, 1}) == EpochDayNumber);

// A wall-clock date and time, to the second, as a person would read it off a clock.
struct LocalDateTime {
    int year = FirstYear;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend constexpr auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

constexpr LocalDate DateOf(const LocalDateTime& local) { return {local.year, local.month, local.day}; }

// Seconds since 1970-01-01 00:00 of a local date and time read as if it were universal time, and back.
constexpr std::int64_t SecondsSinceEpoch(const LocalDateTime& local) {
    return (DayNumber(DateOf(local)) - EpochDayNumber) * std::int64_t{SecondsPerDay} +
           local.hour * SecondsPerHour + local.minute * SecondsPerMinute + local.second;
}
constexpr LocalDateTime LocalDateTimeAt(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, SecondsPerDay);
    const std::int64_t rest = seconds - days * SecondsPerDay;
    const LocalDate date = DateOfDayNumber(days + EpochDayNumber);
    return {date.year, date.month, date.day, static_cast<int>(rest / SecondsPerHour),
            static_cast<int>(rest / SecondsPerMinute % MinutesPerHour), static_cast<int>(rest % SecondsPerMinute)};
}

// ---- Clock minutes.

// A whole minute of a local clock, counted as DayNumber(date) * MinutesPerDay + minute of the date.
using ClockMinute = std::int64_t;

constexpr ClockMinute ClockMinuteOf(LocalDate date, int minuteOfDay) {
    return static_cast<ClockMinute>(DayNumber(date)) * MinutesPerDay + minuteOfDay;
}
constexpr LocalDate DateOfClockMinute(ClockMinute minute) {
    return DateOfDayNumber(FloorDiv(minute, MinutesPerDay));
}
// The minute of its date, 0..1439.
constexpr int MinuteOfDay(ClockMinute minute) {
    return static_cast<int>(minute - FloorDiv(minute, MinutesPerDay) * MinutesPerDay);
}

// The universal time at which a clock minute begins on a zone.
inline double JdUtOfClockMinute(ClockMinute minute, int zoneOffsetSeconds) {
    return static_cast<double>(minute) / MinutesPerDay - 0.5 - zoneOffsetSeconds / static_cast<double>(SecondsPerDay);
}
// The universal time of the local midnight that begins a date.
inline double LocalMidnightJdUt(LocalDate date, int zoneOffsetSeconds) {
    return static_cast<double>(DayNumber(date)) - 0.5 - zoneOffsetSeconds / static_cast<double>(SecondsPerDay);
}

// The clock minute that holds a moment on a zone (see the conventions above).
inline ClockMinute ClockMinuteHolding(double jdUt, int zoneOffsetSeconds) {
    const double minutes = (jdUt + 0.5) * MinutesPerDay + zoneOffsetSeconds / 60.0;
    return static_cast<ClockMinute>(std::floor(minutes + 1.0 / 120.0));
}

// The minute that holds a moment as the report appendix finds it: the clock rounded to the nearest second, then cut
// to the minute (see the conventions above for how it differs from ClockMinuteHolding).
inline ClockMinute ClockMinuteOfRoundedSecond(double jdUt, int zoneOffsetSeconds) {
    const double seconds = std::round((jdUt + 0.5) * SecondsPerDay) + zoneOffsetSeconds;
    return static_cast<ClockMinute>(std::floor(seconds / SecondsPerMinute));
}

// The local clock of a moment in whole seconds since 1970-01-01 00:00 of that clock, to the nearest second.
inline std::int64_t LocalSecondsNearest(double jdUt, int zoneOffsetSeconds) {
    return std::llround((jdUt - EpochJdUt) * SecondsPerDay) + zoneOffsetSeconds;
}
// The second of universal time (since 1970-01-01 00:00 UT) in which a moment falls.
inline std::int64_t UtSecondHolding(double jdUt) {
    return static_cast<std::int64_t>(std::floor((jdUt - EpochJdUt) * SecondsPerDay));
}
// The local date of a moment on a zone (its clock rounded to the nearest second).
inline LocalDate LocalDateOf(double jdUt, int zoneOffsetSeconds) {
    return DateOfDayNumber(FloorDiv(LocalSecondsNearest(jdUt, zoneOffsetSeconds), SecondsPerDay) + EpochDayNumber);
}

// ---- Texts and their readers. A reader takes exactly the shape its text writes (two-digit fields, four-digit
// year) and returns none for another shape or for a field out of range.

// "2026-03-08"; the reader also refuses a date the calendar does not have.
std::string DateText(LocalDate date);
std::optional<LocalDate> ReadDateText(std::string_view text);

// "07:05" of a minute of the day (0..1439), or of an hour and minute.
std::string ClockText(int minuteOfDay);
std::string ClockText(int hour, int minute);
std::optional<int> ReadClockText(std::string_view text);  // the minute of the day

// "2026-03-08T07:05" of a clock minute, or of a date and a minute of the day; the reader gives the second 0.
std::string DateTimeText(ClockMinute minute);
std::string DateTimeText(LocalDate date, int minuteOfDay);
std::optional<LocalDateTime> ReadDateTimeText(std::string_view text);

// "2026-03-08T07:05:09": a moment's local clock to the nearest second.
std::string LocalTimeText(double jdUt, int zoneOffsetSeconds);

// "+05:30", "-04:00", "+05:21:10" (seconds only when there are any); the reader takes an offset of at most
// LargestTypedOffsetSeconds either way unless `limited` is false. Every offset the zone database gives any of its
// zones since 1901 lies within it (the farthest are +14:00 and -12:00).
inline constexpr int LargestTypedOffsetSeconds = 14 * SecondsPerHour;
std::string OffsetText(int offsetSeconds);
std::optional<int> ReadOffsetText(std::string_view text, bool limited = true);

}  // namespace kalvora
