#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "finder/finder.h"
#include "store/person.h"
#include "zone/zone.h"

namespace kalvora {
namespace {


// Reads from `minDigits` to `maxDigits` decimal digits at `pos` and moves past them, or fails.
bool ReadDigits(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits, int& value) {
    std::size_t n = 0;
    value = 0;
    while (pos + n < text.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(text[pos + n]))) {
        value = value * 10 + (text[pos + n] - '0');
        ++n;
    }
    if (n < minDigits) return false;
    pos += n;
    return true;
}

bool ReadChar(std::string_view text, std::size_t& pos, char expected) {
    if (pos < text.size() && text[pos] == expected) {
        ++pos;
        return true;
    }
    return false;
}

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

// Degrees and minutes "DD:MM" followed by one of two hemisphere letters, stored in `degreesOut` and
// `minutesOut`; returns the letter (upper case).
char ParseAngle(std::string_view option, std::string_view text, int maxDegrees, const char* letters,
                const char* example, std::int16_t& degreesOut, std::int16_t& minutesOut) {
    int degrees = 0, minutes = 0;
    const std::string expected = std::string("expected degrees:minutes and ") + letters[0] + " or " + letters[1] +
                                 " (for example " + example + "), got " + Quoted(text);
    std::size_t pos = 0;
    if (!ReadDigits(text, pos, 1, 3, degrees) || !ReadChar(text, pos, ':') || !ReadDigits(text, pos, 1, 2, minutes) ||
        pos + 1 != text.size()) {
        Fail(option, expected);
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
    if (letter != letters[0] && letter != letters[1]) Fail(option, expected);
    if (degrees > maxDegrees) {
        Fail(option, "degrees must be between 0 and " + std::to_string(maxDegrees) + ", got " + Quoted(text));
    }
    if (minutes > 59) Fail(option, "minutes must be between 0 and 59, got " + Quoted(text));
    if (degrees == maxDegrees && minutes != 0) {
        Fail(option, std::to_string(maxDegrees) + " degrees allows only 0 minutes, got " + Quoted(text));
    }
    degreesOut = Short(degrees);
    minutesOut = Short(minutes);
    return letter;
}

}  // namespace

void Fail(std::string_view option, const std::string& what) {
    throw ArgumentError(std::string(option) + ": " + what);
}

std::string Quoted(std::string_view text) { return QuotedText(text); }

namespace options_detail {

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

void Unknown(std::string_view argument, std::string_view seeHelp) {
    throw ArgumentError("unknown argument " + Quoted(argument) + " (see " + std::string(seeHelp) + ")");
}

void GivenTwice(std::string_view option) { Fail(option, "given more than once"); }

void ValueMissing(std::string_view option) { Fail(option, "a value is missing"); }

void Missing(std::string_view option, std::string_view seeHelp) {
    Fail(option, "missing (see " + std::string(seeHelp) + ")");
}

}  // namespace options_detail

void ParseDateTime(std::string_view option, std::string_view text, MomentInput& moment) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::size_t pos = 0;
    const bool shapeOk = ReadDigits(text, pos, 4, 4, year) && ReadChar(text, pos, '-') &&
                         ReadDigits(text, pos, 2, 2, month) && ReadChar(text, pos, '-') &&
                         ReadDigits(text, pos, 2, 2, day) && ReadChar(text, pos, 'T') &&
                         ReadDigits(text, pos, 2, 2, hour) && ReadChar(text, pos, ':') &&
                         ReadDigits(text, pos, 2, 2, minute) &&
                         (pos == text.size() || (ReadChar(text, pos, ':') && ReadDigits(text, pos, 2, 2, second))) &&
                         pos == text.size();
    if (!shapeOk) Fail(option, "expected YYYY-MM-DDTHH:MM or YYYY-MM-DDTHH:MM:SS, got " + Quoted(text));
    if (year < FirstYear || year > LastYear) {
        Fail(option, "the year must be between " + std::to_string(FirstYear) + " and " + std::to_string(LastYear) +
                         ", got " + Quoted(text));
    }
    if (month < 1 || month > 12) Fail(option, "the month must be between 01 and 12, got " + Quoted(text));
    if (day < 1 || day > DaysInMonth(year, month)) {
        Fail(option, "there is no day " + std::to_string(day) + " in " +
                         std::string(MonthNames[static_cast<std::size_t>(month - 1)]) + " " + std::to_string(year));
    }
    if (hour > 23) Fail(option, "the hour must be between 00 and 23, got " + Quoted(text));
    if (minute > 59) Fail(option, "the minute must be between 00 and 59, got " + Quoted(text));
    if (second > 59) Fail(option, "the second must be between 00 and 59, got " + Quoted(text));
    moment.year = Short(year);
    moment.month = Short(month);
    moment.day = Short(day);
    moment.hour = Short(hour);
    moment.minute = Short(minute);  // seconds are accepted but play no part in the calculation
}

void ParseLatitude(std::string_view option, std::string_view text, MomentInput& moment) {
    moment.place.isSouth =
        ParseAngle(option, text, 90, "NS", "28:39N", moment.place.latitudeDegrees, moment.place.latitudeMinutes) == 'S';
}

void ParseLongitude(std::string_view option, std::string_view text, MomentInput& moment) {
    moment.place.isEast =
        ParseAngle(option, text, 180, "EW", "77:13E", moment.place.longitudeDegrees, moment.place.longitudeMinutes) == 'E';
}

void ParseZone(std::string_view option, std::string_view text, MomentInput& moment) {
    // The same reader as a saved person's offset, so that every program takes the same offsets.
    const std::optional<int> offset = ReadOffsetText(text);
    if (!offset) {
        const std::optional<int> unlimited = ReadOffsetText(text, false);
        Fail(option, unlimited ? "the zone must be at most 14:00 east or west of UT, got " + Quoted(text)
                               : "expected a signed offset from UT, east positive, as +HH:MM, -HH:MM or +HH:MM:SS "
                                 "(for example +05:30), got " + Quoted(text));
    }
    SetZoneBoxes(moment.zone, *offset);
    moment.zone.isEast = text[0] == '+';  // "-00:00" keeps the direction it was typed with
}

void MarkDst(std::string_view, std::string_view, MomentInput& moment) { moment.zone.isDst = true; }

std::string ParseSex(std::string_view option, std::string_view text) {
    ParseChoice(option, text, {"Male", "Female"});
    return std::string(text);
}

std::string ParseWeekday(std::string_view option, std::string_view text) {
    if (std::find(WeekdayNames.begin(), WeekdayNames.end(), text) == WeekdayNames.end()) {
        Fail(option, "expected one of Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, got " +
                         Quoted(text));
    }
    return std::string(text);
}

LocalDate ParseDate(std::string_view option, std::string_view text) {
    LocalDate date;
    std::size_t pos = 0;
    if (!ReadDigits(text, pos, 4, 4, date.year) || !ReadChar(text, pos, '-') ||
        !ReadDigits(text, pos, 2, 2, date.month) || !ReadChar(text, pos, '-') ||
        !ReadDigits(text, pos, 2, 2, date.day) || pos != text.size()) {
        Fail(option, "expected a date YYYY-MM-DD, got " + Quoted(text));
    }
    if (const std::string problem = DateProblem(date); !problem.empty()) Fail(option, problem);
    return date;
}

DailyWindow ParseBetween(std::string_view option, std::string_view text) {
    constexpr std::size_t ClockLength = 5;  // "HH:MM"
    const bool shape = text.size() == 2 * ClockLength + 1 && text[ClockLength] == '-';
    const std::optional<int> first = shape ? ReadClockText(text.substr(0, ClockLength)) : std::nullopt;
    const std::optional<int> last = shape ? ReadClockText(text.substr(ClockLength + 1)) : std::nullopt;
    if (!first || !last) {
        Fail(option, "expected two clock times HH:MM-HH:MM between 00:00 and 23:59 (for example 07:00-21:00), got " +
                         Quoted(text));
    }
    return DailyWindow{*first, *last};
}

std::array<bool, 7> ParseLeftOutWeekdays(std::string_view option, std::string_view text) {
    std::array<bool, 7> leftOut{};
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string name = ParseWeekday(option, text.substr(start, comma - start));
        const auto at = std::find(WeekdayNames.begin(), WeekdayNames.end(), name) - WeekdayNames.begin();
        leftOut[static_cast<std::size_t>(at)] = true;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (std::all_of(leftOut.begin(), leftOut.end(), [](bool b) { return b; })) {
        Fail(option, "leaves out every weekday, so nothing would be searched");
    }
    return leftOut;
}

int ParseYear(std::string_view option, std::string_view text) {
    int year = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (error != std::errc() || end != text.data() + text.size() || year < FirstYear || year > LastYear) {
        Fail(option, "expected a year from " + std::to_string(FirstYear) + " to " + std::to_string(LastYear) +
                         ", got " + Quoted(text));
    }
    return year;
}

long ParseCount(std::string_view option, std::string_view text, long largest, std::string_view what) {
    int value = 0;
    std::size_t pos = 0;
    // Nine digits at most keep the number in range before it is compared.
    const bool digits = ReadDigits(text, pos, 1, 9, value) && pos == text.size();
    if (!digits || value < 1 || value > largest) {
        Fail(option, "expected a whole number of " + std::string(what) + " from 1 to " + std::to_string(largest) +
                         ", got " + Quoted(text));
    }
    return value;
}

PlanetsMode ParsePlanetsMode(std::string_view option, std::string_view text) {
    return ParseChoice(option, text, {"sky", "none"}) == 0 ? PlanetsMode::Sky : PlanetsMode::None;
}

std::size_t ParseChoice(std::string_view option, std::string_view text, std::initializer_list<std::string_view> words) {
    const auto at = std::find(words.begin(), words.end(), text);
    if (at == words.end()) {
        std::string expected;
        for (auto word = words.begin(); word != words.end(); ++word) {
            if (word != words.begin()) expected += word + 1 == words.end() ? " or " : ", ";
            expected += *word;
        }
        Fail(option, "expected " + expected + ", got " + Quoted(text));
    }
    return static_cast<std::size_t>(at - words.begin());
}

}  // namespace kalvora
