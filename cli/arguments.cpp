#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"

namespace kalvora {
namespace {

// Zones in use lie between 12 hours west and 14 hours east.
constexpr int LargestZoneHours = 14;

[[noreturn]] void Fail(std::string_view option, const std::string& what) {
    throw ArgumentError(std::string(option) + ": " + what);
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// Reads exactly `digits` decimal digits at `pos`, or fails.
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

// Degrees and minutes "DD:MM" followed by one of two hemisphere letters; returns the letter (upper case).
char ParseAngle(std::string_view option, std::string_view text, int maxDegrees, const char* letters,
                const char* example, int& degrees, int& minutes) {
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
    return letter;
}

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

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
    int degrees = 0, minutes = 0;
    const char letter = ParseAngle(option, text, 90, "NS", "28:39N", degrees, minutes);
    moment.latitudeDegrees = Short(degrees);
    moment.latitudeMinutes = Short(minutes);
    moment.isSouth = letter == 'S';
}

void ParseLongitude(std::string_view option, std::string_view text, MomentInput& moment) {
    int degrees = 0, minutes = 0;
    const char letter = ParseAngle(option, text, 180, "EW", "77:13E", degrees, minutes);
    moment.longitudeDegrees = Short(degrees);
    moment.longitudeMinutes = Short(minutes);
    moment.isEast = letter == 'E';
}

void ParseZone(std::string_view option, std::string_view text, MomentInput& moment) {
    const std::string expected = "expected a signed offset from UT, east positive, as +HH:MM or -HH:MM "
                                 "(for example +05:30), got " + Quoted(text);
    if (text.empty() || (text[0] != '+' && text[0] != '-')) Fail(option, expected);
    int hours = 0, minutes = 0;
    std::size_t pos = 1;
    if (!ReadDigits(text, pos, 2, 2, hours) || !ReadChar(text, pos, ':') || !ReadDigits(text, pos, 2, 2, minutes) ||
        pos != text.size()) {
        Fail(option, expected);
    }
    if (hours > LargestZoneHours) Fail(option, "the zone's hours must be between 00 and 14, got " + Quoted(text));
    if (minutes > 59) Fail(option, "the zone's minutes must be between 00 and 59, got " + Quoted(text));
    moment.zoneHours = Short(hours);
    moment.zoneMinutes = Short(minutes);
    moment.zoneIsEast = text[0] == '+';
}

std::string ParseWeekday(std::string_view option, std::string_view text) {
    if (std::find(WeekdayNames.begin(), WeekdayNames.end(), text) == WeekdayNames.end()) {
        Fail(option, "expected one of Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, got " +
                         Quoted(text));
    }
    return std::string(text);
}

std::string UsageText() {
    return "usage: kalvora-cli --muhurtha YYYY-MM-DDTHH:MM[:SS] --muhurtha-lat DD:MM(N|S) --muhurtha-lon DDD:MM(E|W)\n"
           "                  --muhurtha-zone (+|-)HH:MM [--muhurtha-dst] [--muhurtha-weekday NAME]\n"
           "                  --birth YYYY-MM-DDTHH:MM[:SS] --birth-lat DD:MM(N|S) --birth-lon DDD:MM(E|W)\n"
           "                  --birth-zone (+|-)HH:MM [--birth-dst] [--birth-weekday NAME]\n"
           "                  [--subject TEXT] [--name TEXT] [--sex Male|Female] [--json] [--report FILE.rtf|FILE.pdf]\n"
           "Zones are offsets from UT, east positive (+05:30 for India, -05:00 for New York in winter).\n";
}

CliOptions ParseArguments(const std::vector<std::string>& args) {
    CliOptions options;
    options.input.personSex = "Male";

    // Options that take a value, and the flags.
    static const std::vector<std::string> valued = {
        "--subject", "--name", "--sex", "--report",
        "--muhurtha", "--muhurtha-lat", "--muhurtha-lon", "--muhurtha-zone", "--muhurtha-weekday",
        "--birth", "--birth-lat", "--birth-lon", "--birth-zone", "--birth-weekday"};
    static const std::vector<std::string> flags = {"--json", "--muhurtha-dst", "--birth-dst", "--help", "-h"};

    std::map<std::string, std::string> values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isFlag = std::find(flags.begin(), flags.end(), arg) != flags.end();
        const bool isValued = std::find(valued.begin(), valued.end(), arg) != valued.end();
        if (!isFlag && !isValued) throw ArgumentError("unknown argument " + Quoted(arg) + " (see --help)");
        if (values.count(arg)) throw ArgumentError(arg + ": given more than once");
        if (isValued) {
            if (i + 1 >= args.size()) throw ArgumentError(arg + ": a value is missing");
            values[arg] = args[++i];
        } else {
            values[arg] = "";
        }
    }

    if (values.count("--help") || values.count("-h")) {
        options.help = true;
        return options;
    }
    options.json = values.count("--json") > 0;

    for (const char* required : {"--muhurtha", "--muhurtha-lat", "--muhurtha-lon", "--muhurtha-zone", "--birth",
                                 "--birth-lat", "--birth-lon", "--birth-zone"}) {
        if (!values.count(required)) throw ArgumentError(std::string(required) + ": missing (see --help)");
    }

    const auto readMoment = [&](const std::string& prefix, MomentInput& moment) {
        ParseDateTime(prefix, values[prefix], moment);
        ParseLatitude(prefix + "-lat", values[prefix + "-lat"], moment);
        ParseLongitude(prefix + "-lon", values[prefix + "-lon"], moment);
        ParseZone(prefix + "-zone", values[prefix + "-zone"], moment);
        moment.isDst = values.count(prefix + "-dst") > 0;
    };
    readMoment("--birth", options.input.birth);
    readMoment("--muhurtha", options.input.muhurtha);

    const MomentInput& m = options.input.muhurtha;
    options.input.muhurthaWeekdayBox =
        values.count("--muhurtha-weekday")
            ? ParseWeekday("--muhurtha-weekday", values["--muhurtha-weekday"])
            : std::string(WeekdayNames[static_cast<std::size_t>(WeekdayOf(DateOf(m)) - 1)]);
    // The birth weekday box is shown on the birth page only; it is checked but plays no part in the rules.
    if (values.count("--birth-weekday")) ParseWeekday("--birth-weekday", values["--birth-weekday"]);

    if (values.count("--subject")) options.input.subject = values["--subject"];
    if (values.count("--name")) options.input.personName = values["--name"];
    if (values.count("--sex")) {
        const std::string& sex = values["--sex"];
        if (sex != "Male" && sex != "Female") throw ArgumentError("--sex: expected Male or Female, got " + Quoted(sex));
        options.input.personSex = sex;
    }
    if (values.count("--report")) {
        const std::string& path = values["--report"];
        const auto endsWith = [&](std::string_view suffix) {
            if (path.size() <= suffix.size()) return false;
            for (std::size_t i = 0; i < suffix.size(); ++i) {
                const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(path[path.size() - suffix.size() + i])));
                if (c != suffix[i]) return false;
            }
            return true;
        };
        if (!endsWith(".rtf") && !endsWith(".pdf")) {
            throw ArgumentError("--report: the file name must end in .rtf or .pdf, got " + Quoted(path));
        }
        if (!FindSubject(options.input.subject)) {
            throw ArgumentError("--report: a report needs a --subject naming one of the undertakings");
        }
        options.reportPath = path;
    }
    return options;
}

}  // namespace kalvora
