#include "astro/local_time.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace kalvora {
namespace {

// Exactly `count` decimal digits at `pos`, moving past them.
bool Digits(std::string_view text, std::size_t& pos, std::size_t count, int& value) {
    if (pos + count > text.size()) return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return true;
}

bool Char(std::string_view text, std::size_t& pos, char expected) {
    if (pos >= text.size() || text[pos] != expected) return false;
    ++pos;
    return true;
}

bool ReadDate(std::string_view text, std::size_t& pos, LocalDate& date) {
    return Digits(text, pos, 4, date.year) && Char(text, pos, '-') && Digits(text, pos, 2, date.month) &&
           Char(text, pos, '-') && Digits(text, pos, 2, date.day) && date.month >= 1 && date.month <= 12 &&
           IsRealDate(date);
}

bool ReadClock(std::string_view text, std::size_t& pos, int& hour, int& minute) {
    return Digits(text, pos, 2, hour) && Char(text, pos, ':') && Digits(text, pos, 2, minute) && hour <= 23 &&
           minute <= 59;
}

}  // namespace

std::string DateText(LocalDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<LocalDate> ReadDateText(std::string_view text) {
    LocalDate date;
    std::size_t pos = 0;
    if (!ReadDate(text, pos, date) || pos != text.size()) return std::nullopt;
    return date;
}

std::string ClockText(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

std::string ClockText(int minuteOfDay) { return ClockText(minuteOfDay / MinutesPerHour, minuteOfDay % MinutesPerHour); }

std::optional<int> ReadClockText(std::string_view text) {
    int hour = 0, minute = 0;
    std::size_t pos = 0;
    if (!ReadClock(text, pos, hour, minute) || pos != text.size()) return std::nullopt;
    return hour * MinutesPerHour + minute;
}

std::string DateTimeText(LocalDate date, int minuteOfDay) { return DateText(date) + "T" + ClockText(minuteOfDay); }

std::string DateTimeText(ClockMinute minute) { return DateTimeText(DateOfClockMinute(minute), MinuteOfDay(minute)); }

std::optional<LocalDateTime> ReadDateTimeText(std::string_view text) {
    LocalDate date;
    LocalDateTime local;
    std::size_t pos = 0;
    if (!ReadDate(text, pos, date) || !Char(text, pos, 'T') || !ReadClock(text, pos, local.hour, local.minute) ||
        pos != text.size()) {
        return std::nullopt;
    }
    local.year = date.year;
    local.month = date.month;
    local.day = date.day;
    return local;
}

std::string LocalTimeText(double jdUt, int zoneOffsetSeconds) {
    const LocalDateTime local = LocalDateTimeAt(LocalSecondsNearest(jdUt, zoneOffsetSeconds));
    char seconds[8];
    std::snprintf(seconds, sizeof seconds, ":%02d", local.second);
    return DateTimeText(DateOf(local), local.hour * MinutesPerHour + local.minute) + seconds;
}

std::string OffsetText(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    char text[24];
    const char sign = offsetSeconds < 0 ? '-' : '+';
    if (magnitude % SecondsPerMinute != 0) {
        std::snprintf(text, sizeof text, "%c%02d:%02d:%02d", sign, magnitude / SecondsPerHour,
                      magnitude / SecondsPerMinute % MinutesPerHour, magnitude % SecondsPerMinute);
    } else {
        std::snprintf(text, sizeof text, "%c%02d:%02d", sign, magnitude / SecondsPerHour,
                      magnitude / SecondsPerMinute % MinutesPerHour);
    }
    return text;
}

std::optional<int> ReadOffsetText(std::string_view text, bool limited) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    int hours = 0, minutes = 0, seconds = 0;
    std::size_t pos = 1;
    if (!Digits(text, pos, 2, hours) || !Char(text, pos, ':') || !Digits(text, pos, 2, minutes)) return std::nullopt;
    if (pos != text.size() && (!Char(text, pos, ':') || !Digits(text, pos, 2, seconds) || pos != text.size())) {
        return std::nullopt;
    }
    if (minutes > 59 || seconds > 59) return std::nullopt;
    const int magnitude = hours * SecondsPerHour + minutes * SecondsPerMinute + seconds;
    if (limited && magnitude > LargestTypedOffsetSeconds) return std::nullopt;
    return text[0] == '-' ? -magnitude : magnitude;
}

}  // namespace kalvora
