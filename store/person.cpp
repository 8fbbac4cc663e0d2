#include "store/person.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "astro/calendar.h"

namespace kalvora {
namespace {

// Zones in use lie between 12 hours west and 14 hours east.
constexpr int LargestOffsetSeconds = 14 * 3600;

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

std::string TwoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

std::string BirthDateText(const BirthClock& b) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", b.year, b.month, b.day);
    return buffer;
}

std::string BornText(const BirthClock& b) {
    return BirthDateText(b) + "T" + TwoDigits(b.hour) + ":" + TwoDigits(b.minute);
}

std::optional<BirthClock> ReadBornText(std::string_view text) {
    BirthClock b;
    std::size_t pos = 0;
    const bool shape = Digits(text, pos, 4, b.year) && Char(text, pos, '-') && Digits(text, pos, 2, b.month) &&
                       Char(text, pos, '-') && Digits(text, pos, 2, b.day) && Char(text, pos, 'T') &&
                       Digits(text, pos, 2, b.hour) && Char(text, pos, ':') && Digits(text, pos, 2, b.minute) &&
                       pos == text.size();
    if (!shape || b.month < 1 || b.month > 12 || b.hour > 23 || b.minute > 59) return std::nullopt;
    if (!IsRealDate({b.year, b.month, b.day})) return std::nullopt;
    return b;
}

std::string OffsetText(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    std::string text = (offsetSeconds < 0 ? "-" : "+") + TwoDigits(magnitude / 3600) + ":" +
                       TwoDigits(magnitude / 60 % 60);
    if (magnitude % 60 != 0) text += ":" + TwoDigits(magnitude % 60);
    return text;
}

std::optional<int> ReadOffsetText(std::string_view text) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    int hours = 0, minutes = 0, seconds = 0;
    std::size_t pos = 1;
    if (!Digits(text, pos, 2, hours) || !Char(text, pos, ':') || !Digits(text, pos, 2, minutes)) return std::nullopt;
    if (pos != text.size() && (!Char(text, pos, ':') || !Digits(text, pos, 2, seconds) || pos != text.size())) {
        return std::nullopt;
    }
    if (minutes > 59 || seconds > 59) return std::nullopt;
    const int magnitude = hours * 3600 + minutes * 60 + seconds;
    if (magnitude > LargestOffsetSeconds) return std::nullopt;
    return text[0] == '-' ? -magnitude : magnitude;
}

std::string PersonProblem(const Person& p) {
    if (p.name.empty()) return "the name is empty";
    if (std::find(PersonSexes.begin(), PersonSexes.end(), p.sex) == PersonSexes.end()) {
        return "the sex must be Male or Female, got '" + p.sex + "'";
    }
    const BirthClock& b = p.born;
    if (b.year < FirstYear || b.year > LastYear) {
        return "the birth year must be between " + std::to_string(FirstYear) + " and " + std::to_string(LastYear);
    }
    if (b.month < 1 || b.month > 12 || !IsRealDate({b.year, b.month, b.day})) {
        return "there is no date " + BirthDateText(b) + " in the calendar";
    }
    if (b.hour < 0 || b.hour > 23 || b.minute < 0 || b.minute > 59) return "the birth time is not a time of day";
    if (!std::isfinite(p.latitude) || std::abs(p.latitude) > 90.0) return "the latitude must be between -90 and 90";
    if (!std::isfinite(p.longitude) || std::abs(p.longitude) > 180.0) {
        return "the longitude must be between -180 and 180";
    }
    if (p.zone.id.has_value() == p.zone.offsetSeconds.has_value()) {
        return "the zone must be either a zone id or a typed offset";
    }
    if (p.zone.id && p.zone.id->empty()) return "the zone id is empty";
    if (p.zone.offsetSeconds && std::abs(*p.zone.offsetSeconds) > LargestOffsetSeconds) {
        return "the zone's offset must be at most 14 hours";
    }
    return {};
}

}  // namespace kalvora
