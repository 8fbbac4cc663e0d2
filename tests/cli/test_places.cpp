// Places and zones by name on the command line: historical offsets of a zone id, clock changes with and without
// a fold, unknown places and zones, the places command, and a place giving the same moment as its typed
// coordinates and zone.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/support/cli_run.h"

namespace kalvora {
namespace {

// Splits on spaces; a place text of several words is written with "~" for each space.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        for (char& c : word) {
            if (c == '~') c = ' ';
        }
        words.push_back(word);
    }
    return words;
}

using testing::CliRun;

CliRun RunLine(const std::string& line) { return testing::RunCommandLine(Words(line)); }

const std::string Muhurtha =
    "--muhurtha 2000-01-01T17:30 --muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 ";

// The text of the JSON value that follows "key": in the object of `moment` ("birth" or "muhurtha").
std::string ValueIn(const std::string& json, const std::string& moment, const std::string& key) {
    std::size_t at = json.find("\"" + moment + "\": {");
    if (at == std::string::npos) return "(no " + moment + ")";
    at = json.find("\"" + key + "\": ", at);
    if (at == std::string::npos) return "(no " + key + ")";
    at += key.size() + 4;
    const std::size_t end = json.find_first_of(",}", json[at] == '{' ? json.find('}', at) : at);
    return json.substr(at, end - at + (json[at] == '{' ? 1 : 0));
}

// --- Offsets of a zone id on historical dates --------------------------------------------------------------------

struct OffsetCase {
    const char* zoneAndTime;  // --birth-tz and --birth
    int offsetSeconds;
    const char* source;
};

TEST(ZoneId, HistoricalOffsetsGoIntoTheCalculation) {
    const OffsetCase cases[] = {
        {"--birth-tz Asia/Kolkata --birth 1901-06-01T12:00", 5 * 3600 + 21 * 60 + 10,
         "tzdata asia: Madras time +5:21:10 until 1906"},
        {"--birth-tz Asia/Kolkata --birth 1943-05-01T10:00", 6 * 3600 + 1800, "tzdata asia: war time 1942-09 to 1945-10"},
        {"--birth-tz Asia/Kolkata --birth 1946-05-01T10:00", 5 * 3600 + 1800, "tzdata asia: IST from 1945-10-15"},
        {"--birth-tz Asia/Kathmandu --birth 1985-06-01T12:00", 5 * 3600 + 1800, "tzdata asia: Nepal +5:30 until 1986"},
        {"--birth-tz Asia/Kathmandu --birth 1987-06-01T12:00", 5 * 3600 + 2700, "tzdata asia: Nepal +5:45 from 1986"},
        {"--birth-tz America/New_York --birth 1974-01-15T10:00", -4 * 3600, "tzdata northamerica: 1974 emergency DST"},
        {"--birth-tz America/New_York --birth 2021-07-01T10:00", -4 * 3600, "tzdata northamerica: EDT"},
        {"--birth-tz America/New_York --birth 2021-01-15T10:00", -5 * 3600, "tzdata northamerica: EST"},
        {"--birth-tz Europe/London --birth 1969-01-15T10:00", 3600, "tzdata europe: British Standard Time 1968-71"},
        {"--birth-tz Europe/Berlin --birth 1945-06-01T10:00", 3 * 3600, "tzdata europe: Berlin double summer 1945"},
        {"--birth-tz Australia/Lord_Howe --birth 2021-01-15T10:00", 11 * 3600, "tzdata australasia: half-hour DST"},
        {"--birth-tz Pacific/Kiritimati --birth 2021-01-15T10:00", 14 * 3600, "tzdata oceania: +14"},
    };
    for (const OffsetCase& c : cases) {
        SCOPED_TRACE(std::string(c.zoneAndTime) + " (" + c.source + ")");
        const CliRun r = RunLine(Muhurtha + "--birth-lat 10:00N --birth-lon 80:00E --json " + c.zoneAndTime);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ValueIn(r.out, "birth", "offsetSeconds"), std::to_string(c.offsetSeconds));
        // The clock time less the whole offset, seconds included.
        const std::string time = std::string(c.zoneAndTime).substr(std::string(c.zoneAndTime).find('T') + 1);
        const double clockHours = std::stoi(time.substr(0, 2)) + std::stoi(time.substr(3, 2)) / 60.0;
        EXPECT_NEAR(std::stod(ValueIn(r.out, "birth", "ut")), clockHours - c.offsetSeconds / 3600.0, 1e-9);
        EXPECT_EQ(ValueIn(r.out, "muhurtha", "zone"),
                  "{\"id\": null, \"abbreviation\": \"\", \"offsetSeconds\": 19800, \"daylight\": false}");
    }
}

// --- Clock changes: a time jumped over, a time passed twice -----------------------------------------------------

struct ChangeCase {
    const char* arguments;
    int status;
    const char* expected;  // status 0: the offset in seconds; status 2: the one line of the message
};

TEST(ZoneId, GapsAndRepeatsOnBothSidesOfAChange) {
    // tzdata: New York 2021-03-14 02:00 -> 03:00 and 2021-11-07 02:00 -> 01:00; London 2021-10-31 02:00 -> 01:00;
    // Samoa skipped 2011-12-30.
    const ChangeCase cases[] = {
        {"--birth 2021-03-14T01:59 --birth-tz America/New_York", 0, "-18000"},
        {"--birth 2021-03-14T03:00 --birth-tz America/New_York", 0, "-14400"},
        {"--birth 2021-03-14T02:30 --birth-tz America/New_York --birth-fold later", 2,
         "kalvora-cli: --birth: 2021-03-14 02:30 does not exist in America/New_York: the clocks jumped from "
         "2021-03-14 01:59:59 (UTC-05:00) to 2021-03-14 03:00 (UTC-04:00)\n"},
        {"--birth 2021-11-07T00:59 --birth-tz America/New_York", 0, "-14400"},
        {"--birth 2021-11-07T02:00 --birth-tz America/New_York", 0, "-18000"},
        {"--birth 2021-11-07T01:30 --birth-tz America/New_York --birth-fold earlier", 0, "-14400"},
        {"--birth 2021-11-07T01:30 --birth-tz America/New_York --birth-fold later", 0, "-18000"},
        {"--birth 2021-11-07T01:00 --birth-tz America/New_York", 2,
         "kalvora-cli: --birth: 2021-11-07 01:00 occurs twice in America/New_York: the clocks went back from "
         "2021-11-07 01:59:59 (UTC-04:00) to 2021-11-07 01:00 (UTC-05:00); earlier UTC-04:00 EDT, later "
         "UTC-05:00 EST; choose one with --birth-fold earlier or later\n"},
        {"--birth 2021-10-31T01:30 --birth-tz Europe/London --birth-fold earlier", 0, "3600"},
        {"--birth 2021-10-31T01:30 --birth-tz Europe/London --birth-fold later", 0, "0"},
        {"--birth 2011-12-30T12:00 --birth-tz Pacific/Apia", 2,
         "kalvora-cli: --birth: 2011-12-30 12:00 does not exist in Pacific/Apia: the clocks jumped from "
         "2011-12-29 23:59:59 (UTC-10:00) to 2011-12-31 00:00 (UTC+14:00)\n"},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun r = RunLine(Muhurtha + "--birth-lat 40:43N --birth-lon 74:00W --json " + c.arguments);
        ASSERT_EQ(r.status, c.status) << r.err;
        if (c.status == 0) {
            EXPECT_EQ(ValueIn(r.out, "birth", "offsetSeconds"), c.expected);
        } else {
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, c.expected);
        }
    }
}

// --- Refusals: one line and status 2 -----------------------------------------------------------------------------

TEST(PlaceOptions, RefusalsNameTheOption) {
    const std::string birth = "--birth 2000-01-01T10:00 ";
    const std::pair<std::string, std::string> cases[] = {
        {"--birth-place Qwxyzzz", "--birth-place: no place matches 'Qwxyzzz'\n"},
        {"--birth-place Chenai",
         "--birth-place: no place matches 'Chenai'; nearest: Chennai, Tamil Nadu, India; "},
        {"--birth-lat 10:00N --birth-lon 80:00E --birth-tz Mars/Olympus",
         "--birth-tz: unknown time zone 'Mars/Olympus'\n"},
        {"--birth-place Chennai --birth-zone +05:30 --birth-tz Asia/Kolkata",
         "--birth-tz: not taken with --birth-zone or --birth-dst\n"},
        {"--birth-place Chennai --birth-dst", "--birth-dst: taken only with --birth-zone, which it adds an hour to\n"},
        {"--birth-lat 10:00N --birth-lon 80:00E --birth-zone +05:30 --birth-fold later",
         "--birth-fold: taken only with a zone id (--birth-tz or --birth-place)\n"},
        {"--birth-place Chennai --birth-fold sooner", "--birth-fold: expected earlier or later, got 'sooner'\n"},
        {"--birth-lat 10:00N --birth-tz Asia/Kolkata", "--birth-lon: missing (see --help)\n"},
        {"--birth-lat 10:00N --birth-lon 80:00E", "--birth-zone: missing (see --help)\n"},
    };
    for (const auto& [arguments, expected] : cases) {
        SCOPED_TRACE(arguments);
        const CliRun r = RunLine(Muhurtha + birth + arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kalvora-cli: " + expected, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    }
}

// --- A place: its rounded coordinates and its zone ---------------------------------------------------------------

TEST(PlaceOptions, PlaceGivesTheSameMomentAsItsTypedCoordinatesAndZone) {
    // Chennai in the atlas: 13.08784 N 80.27847 E, rounded to 13:05N 080:17E; Asia/Kolkata is +05:30 in 1990.
    const std::string birth = "--birth 1990-05-17T06:45 --subject Marriage ";
    const CliRun byPlace = RunLine(Muhurtha + birth + "--birth-place Chennai");
    const CliRun typed = RunLine(Muhurtha + birth + "--birth-lat 13:05N --birth-lon 080:17E --birth-zone +05:30");
    ASSERT_EQ(byPlace.status, 0) << byPlace.err;
    EXPECT_EQ(byPlace.out, typed.out);

    const CliRun json = RunLine(Muhurtha + birth + "--birth-place Chennai --json");
    const CliRun typedJson = RunLine(Muhurtha + birth + "--birth-lat 13:05N --birth-lon 080:17E --birth-zone +05:30 --json");
    for (const char* key : {"ut", "lagnaLongitude", "moonLongitude"}) {
        EXPECT_EQ(ValueIn(json.out, "birth", key), ValueIn(typedJson.out, "birth", key)) << key;
    }
    EXPECT_EQ(ValueIn(json.out, "birth", "place"),
              "{\"name\": \"Chennai\", \"state\": \"Tamil Nadu\", \"country\": \"India\", \"latitude\": "
              "13.083333333333334, \"longitude\": 80.283333333333331}");
    EXPECT_EQ(ValueIn(json.out, "birth", "zone"),
              "{\"id\": \"Asia/Kolkata\", \"abbreviation\": \"IST\", \"offsetSeconds\": 19800, \"daylight\": false}");
    EXPECT_EQ(ValueIn(typedJson.out, "birth", "place"), "null");
}

TEST(PlaceOptions, FormerNamesAndTypedOverrides) {
    // Bombay is Mumbai's former name; typed coordinates and a typed zone take the place's.
    const CliRun r = RunLine(Muhurtha + "--birth 1990-05-17T06:45 --birth-place Bombay --birth-lat 19:00N "
                                    "--birth-zone +05:00 --birth-dst --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ValueIn(r.out, "birth", "name"), "\"Mumbai\"");
    EXPECT_EQ(ValueIn(r.out, "birth", "latitude"), "19");
    EXPECT_EQ(ValueIn(r.out, "birth", "zone"),
              "{\"id\": null, \"abbreviation\": \"\", \"offsetSeconds\": 21600, \"daylight\": true}");
    // The muhurtha takes a place too.
    const CliRun m = RunLine("--muhurtha 2000-01-01T17:30 --muhurtha-place Delhi --birth 1990-05-17T06:45 "
                         "--birth-place Mumbai --json");
    ASSERT_EQ(m.status, 0) << m.err;
    EXPECT_EQ(ValueIn(m.out, "muhurtha", "name"), "\"Delhi\"");
    EXPECT_EQ(ValueIn(m.out, "muhurtha", "offsetSeconds"), "19800");
}

// --- The places command ------------------------------------------------------------------------------------------

TEST(PlacesCommand, JsonTextAndRefusals) {
    const CliRun json = RunLine("places Bombay --top 1 --json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"places\": [{\"name\": \"Mumbai\", \"state\": \"Maharashtra\", \"country\": "
                             "\"India\", \"countryCode\": \"IN\", \"latitude\": 19.", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"timeZone\": \"Asia/Kolkata\", \"population\": "), std::string::npos) << json.out;
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}]}\n");

    const CliRun three = RunLine("places Springfield,~US --top 3");
    ASSERT_EQ(three.status, 0) << three.err;
    EXPECT_EQ(std::count(three.out.begin(), three.out.end(), '\n'), 3);
    EXPECT_EQ(three.out.rfind("Springfield, Missouri, United States of America (US)  37:13N 093:18W  "
                              "America/Chicago  population ", 0), 0u) << three.out;

    EXPECT_EQ(RunLine("places Qwxyzzz --json").out, "{\"places\": []}\n");
    EXPECT_EQ(RunLine("places Qwxyzzz").out, "no place matches 'Qwxyzzz'\n");
    EXPECT_EQ(RunLine("places").status, 2);
    EXPECT_EQ(RunLine("places Delhi --top 0").status, 2);
    EXPECT_EQ(RunLine("places Delhi Mumbai").status, 2);
    const CliRun help = RunLine("places --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: kalvora-cli places QUERY", 0), 0u);
}

// A place named in another language: the place as usual, and which name matched.
TEST(PlacesCommand, NamesInOtherLanguages) {
    const CliRun json = RunLine("places दिल्ली --top 1 --json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"places\": [{\"name\": \"Delhi\", \"state\": \"National Capital Territory of Delhi\", "
                             "\"country\": \"India\", \"countryCode\": \"IN\", ", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"timeZone\": \"Asia/Kolkata\""), std::string::npos) << json.out;
    const std::string end = "\"matchedName\": \"दिल्ली\"}]}\n";
    EXPECT_EQ(json.out.substr(json.out.size() - std::min(end.size(), json.out.size())), end);
    EXPECT_NE(RunLine("places Bombay --top 1 --json").out.find("\"matchedName\": \"Bombay\"}"), std::string::npos);
    EXPECT_NE(RunLine("places Mumbai --top 1 --json").out.find("\"matchedName\": \"Mumbai\"}"), std::string::npos);

    const CliRun text = RunLine("places ঢাকা --top 1");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Dhaka, Dhaka, Bangladesh (BD), also called ঢাকা  23:43N 090:24E  Asia/Dhaka  ", 0), 0u)
        << text.out;

    // A moment's place too.
    const CliRun birth = RunLine(Muhurtha + "--birth 1990-05-17T06:45 --birth-place नागपूर --json");
    ASSERT_EQ(birth.status, 0) << birth.err;
    EXPECT_EQ(ValueIn(birth.out, "birth", "name"), "\"Nagpur\"");
    EXPECT_EQ(ValueIn(birth.out, "birth", "offsetSeconds"), "19800");
}

}  // namespace
}  // namespace kalvora
