// Local clock time: the minute that holds a moment, and each text read back into what it was written from.

#include "astro/local_time.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

constexpr int Hour = 3600;

TEST(LocalTime, ClockTextsAndCalendarSteps) {
    const double noon2000 = 2451545.0;  // 2000-01-01 12:00 UT
    struct TextCase {
        double jdUt;
        int offset;
        const char* seconds;
        const char* minute;  // the minute that holds the moment
    };
    const TextCase texts[] = {
        {noon2000, 0, "2000-01-01T12:00:00", "2000-01-01T12:00"},
        {noon2000, 19800, "2000-01-01T17:30:00", "2000-01-01T17:30"},
        {noon2000, -5 * Hour, "2000-01-01T07:00:00", "2000-01-01T07:00"},
        {noon2000 - 0.5 - 1.0 / 86400.0, 0, "1999-12-31T23:59:59", "1999-12-31T23:59"},
        // 0.3 s before the minute: rounds to the whole minute, not down to the one before.
        {noon2000 + (2.0 * 60.0 - 0.3) / 86400.0, 0, "2000-01-01T12:02:00", "2000-01-01T12:02"},
        {noon2000 + 59.0 / 1440.0 + 40.0 / 86400.0, 0, "2000-01-01T12:59:40", "2000-01-01T12:59"},
        {2460369.5, 0, "2024-02-29T00:00:00", "2024-02-29T00:00"},
        {2460369.5 + 0.7 / 86400.0, 19270, "2024-02-29T05:21:11", "2024-02-29T05:21"},  // seconds in the zone
    };
    for (const TextCase& t : texts) {
        EXPECT_EQ(LocalTimeText(t.jdUt, t.offset), t.seconds);
        EXPECT_EQ(DateTimeText(ClockMinuteHolding(t.jdUt, t.offset)), t.minute);
        EXPECT_EQ(ClockMinuteOfRoundedSecond(t.jdUt, t.offset), ClockMinuteHolding(t.jdUt, t.offset));
    }

    struct StepCase {
        LocalDate from;
        int days;
        LocalDate to;
    };
    const StepCase steps[] = {
        {{2024, 2, 28}, 1, {2024, 2, 29}}, {{2023, 2, 28}, 1, {2023, 3, 1}}, {{2000, 3, 1}, -1, {2000, 2, 29}},
        {{1900, 3, 1}, -1, {1900, 2, 28}}, {{2025, 12, 31}, 1, {2026, 1, 1}}, {{2026, 1, 1}, -366, {2024, 12, 31}},
    };
    for (const StepCase& s : steps) EXPECT_EQ(AddDays(s.from, s.days), s.to);

    // The local midnight of a date and the date of a moment are inverse to each other on both sides of Greenwich.
    for (const int offset : {0, 19800, -5 * Hour, 14 * Hour, -12 * Hour}) {
        const LocalDate date{2026, 3, 1};
        const double midnight = LocalMidnightJdUt(date, offset);
        EXPECT_EQ(LocalDateOf(midnight + 1.0 / 1440.0, offset), date) << offset;
        EXPECT_EQ(LocalDateOf(midnight - 1.0 / 1440.0, offset), (LocalDate{2026, 2, 28})) << offset;
        EXPECT_EQ(LocalTimeText(midnight, offset), "2026-03-01T00:00:00") << offset;
    }
}

// Every minute's start lies in that minute, and so does a moment a third of a second before it (an edge found a
// hair early), on zones east and west, with seconds, across a year's turn and before 1970.
TEST(LocalTime, TheMinuteThatHoldsAMinutesStartIsThatMinute) {
    for (const int offset : {0, 19800, 19270, -5 * Hour, -(9 * Hour + 30 * 60), 14 * Hour}) {
        for (const LocalDate date : {LocalDate{1901, 1, 1}, LocalDate{1969, 12, 31}, LocalDate{2026, 12, 31}}) {
            for (int minute = 0; minute < MinutesPerDay; minute += 7) {
                const ClockMinute m = ClockMinuteOf(date, minute);
                const double start = JdUtOfClockMinute(m, offset);
                ASSERT_EQ(ClockMinuteHolding(start, offset), m) << offset << " " << minute;
                ASSERT_EQ(ClockMinuteHolding(start - 0.3 / SecondsPerDay, offset), m) << offset << " " << minute;
                ASSERT_EQ(ClockMinuteHolding(start - 0.7 / SecondsPerDay, offset), m - 1) << offset << " " << minute;
                ASSERT_EQ(DateOfClockMinute(m), date);
                ASSERT_EQ(MinuteOfDay(m), minute);
            }
        }
    }
    EXPECT_EQ(LocalMidnightJdUt({2026, 3, 8}, 19800), JdUtOfClockMinute(ClockMinuteOf({2026, 3, 8}, 0), 19800));
}

// Each text is read back into what it was written from; what the writer never writes is refused.
TEST(LocalTime, TextsReadBackAndOtherShapesAreRefused) {
    for (const LocalDate date : {LocalDate{1901, 1, 1}, LocalDate{2024, 2, 29}, LocalDate{2050, 12, 31}}) {
        EXPECT_EQ(ReadDateText(DateText(date)), date);
    }
    for (const int minute : {0, 1, 59, 60, 725, 1439}) EXPECT_EQ(ReadClockText(ClockText(minute)), minute);
    for (const ClockMinute m : {ClockMinuteOf({1901, 1, 1}, 0), ClockMinuteOf({2026, 3, 8}, 7 * 60 + 5)}) {
        const std::optional<LocalDateTime> local = ReadDateTimeText(DateTimeText(m));
        ASSERT_TRUE(local);
        EXPECT_EQ(ClockMinuteOf(DateOf(*local), local->hour * MinutesPerHour + local->minute), m);
    }
    for (const int offset : {0, 19800, -14400, 19270, -(9 * Hour + 30 * 60 + 5), 14 * Hour, -14 * Hour}) {
        EXPECT_EQ(ReadOffsetText(OffsetText(offset)), offset) << OffsetText(offset);
    }
    EXPECT_EQ(OffsetText(0), "+00:00");
    EXPECT_EQ(OffsetText(19270), "+05:21:10");
    EXPECT_EQ(ReadOffsetText("+14:00:01"), std::nullopt);
    EXPECT_EQ(ReadOffsetText("+14:00:01", false), 14 * Hour + 1);
    for (const std::int64_t seconds : {std::int64_t{-2177452800}, std::int64_t{-1}, std::int64_t{0},
                                       std::int64_t{1772953509}}) {
        EXPECT_EQ(SecondsSinceEpoch(LocalDateTimeAt(seconds)), seconds);
    }
    EXPECT_EQ(LocalDateTimeAt(-1), (LocalDateTime{1969, 12, 31, 23, 59, 59}));

    for (const char* bad : {"2023-02-29", "2026-13-01", "2026-3-08", "2026-03-08 ", "26-03-08"}) {
        EXPECT_EQ(ReadDateText(bad), std::nullopt) << bad;
    }
    for (const char* bad : {"24:00", "12:60", "7:05", "07-05", "07:05:00"}) EXPECT_EQ(ReadClockText(bad), std::nullopt) << bad;
    for (const char* bad : {"2026-03-08 07:05", "2026-03-08T07:05:00", "2026-02-30T07:05", "2026-03-08T24:00"}) {
        EXPECT_EQ(ReadDateTimeText(bad), std::nullopt) << bad;
    }
    for (const char* bad : {"05:30", "+5:30", "+05:60", "+05:30:60", "+05:30:", "+15:00"}) {
        EXPECT_EQ(ReadOffsetText(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace kalvora
