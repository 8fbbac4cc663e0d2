// kalvora-cli day, the limbs and day in the calculation's JSON, and find --avoid.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/day.h"
#include "cli/find.h"
#include "cli/options.h"
#include "tests/support/cli_run.h"

namespace kalvora {
namespace {

using DayRun = testing::CliRun;

DayRun RunArgs(const std::vector<std::string>& args) { return testing::RunCommandLine(args); }

const std::vector<std::string> ChennaiDay = {"day", "--date", "2026-12-08", "--lat", "13:05N", "--lon", "80:17E",
                                             "--zone", "+05:30"};

std::vector<std::string> With(std::vector<std::string> args, std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

// The conventions every JSON object of a command ends with, here the program's defaults.
const std::string DefaultConventions = "\"conventions\": {\"ayanamsa\": \"lahiri\", \"weekday\": \"civil\", "
                                       "\"lunarMonth\": \"table\", \"sunrise\": \"hindu\", \"ephemeris\": \"specified\"}";

TEST(DayCommand, JsonIsTheCalculationsDay) {
    const DayRun day = RunArgs(With(ChennaiDay, {"--json"}));
    ASSERT_EQ(day.status, 0) << day.err;
    const DayRun calculation = RunArgs({"--muhurtha", "2026-12-08T10:00", "--muhurtha-lat", "13:05N", "--muhurtha-lon",
                                     "80:17E", "--muhurtha-zone", "+05:30", "--birth", "1990-05-17T06:45",
                                     "--birth-lat", "28:39N", "--birth-lon", "77:13E", "--birth-zone", "+05:30",
                                     "--json"});
    ASSERT_EQ(calculation.status, 0) << calculation.err;
    // The day is the calculation's last key but the season's vetoes, with the same text as the day command prints.
    const std::string key = "\"day\": ";
    const std::size_t at = calculation.out.rfind(key);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(calculation.out.substr(at + key.size()),
              day.out.substr(0, day.out.size() - 1) + ", \"seasonVetoes\": [], " + DefaultConventions + "}\n");
    // Each moment carries its limbs.
    const std::size_t limbs = calculation.out.find("\"limbs\": {\"tithi\": {\"name\"");
    ASSERT_NE(limbs, std::string::npos);
    EXPECT_NE(day.out.find("\"hora\": [{\"lord\": \"Mars\""), std::string::npos);  // a Tuesday: Mars's first hora
}

// The season closes the day's object: the month and years current at its sunrise, then every veto in force at
// some minute of it. A new moon after sunrise opens the month with the next day (Dibrugarh rises at 05:53 IST on
// 2026-12-09, before the new moon of 06:21; New Delhi at 07:06, after it).
TEST(DayCommand, SeasonOfTheDayIsThatOfItsSunrise) {
    const auto month = [](const char* amanta, const char* purnimanta, const char* adhika) {
        return std::string("\"lunarMonth\": {\"amanta\": \"") + amanta + "\", \"purnimanta\": \"" + purnimanta +
               "\", \"adhika\": " + adhika + ", \"kshaya\": false}, ";
    };
    const std::string parabhava = "\"samvat\": {\"vikram\": 2083, \"shaka\": 1948, \"samvatsara\": \"Parabhava\"}, ";
    struct Case {
        const char* date;
        const char* lat;
        const char* lon;
        std::string season;  // the season's keys, which the rest of the day's table follows
    };
    const auto cases = std::to_array<Case>({
        {"2026-06-01", "28:36N", "77:12E",
         month("Jyaistha", "Jyaistha", "true") + parabhava +
             "\"season\": [{\"id\": \"adhika\", \"start\": \"2026-05-17T01:31\", \"end\": \"2026-06-15T08:24\"}], "},
        {"2026-12-09", "28:36N", "77:12E", month("Agrahayana", "Agrahayana", "false") + parabhava + "\"season\": [], "},
        {"2026-12-09", "27:29N", "94:54E", month("Kartika", "Agrahayana", "false") + parabhava + "\"season\": [], "},
        {"2026-12-10", "27:29N", "94:54E", month("Agrahayana", "Agrahayana", "false") + parabhava + "\"season\": [], "},
    });
    for (const Case& c : cases) {
        const DayRun day =
            RunArgs({"day", "--date", c.date, "--lat", c.lat, "--lon", c.lon, "--zone", "+05:30", "--json"});
        ASSERT_EQ(day.status, 0) << day.err;
        EXPECT_NE(day.out.find(c.season + "\"lagnas\": "), std::string::npos) << c.date << " " << c.lon;
    }
    const DayRun text = RunArgs({"day", "--date", "2026-07-20", "--lat", "28:36N", "--lon", "77:12E", "--zone", "+05:30"});
    EXPECT_NE(text.out.find("  Lunar month: Asadha (amanta), Asadha (purnimanta)\n  Samvat: Vikram 2083, Shaka 1948, "
                            "Parabhava\n  Season:\n    Guru asta (Jupiter is combust)  2026-07-14T18:04 to "
                            "2026-08-13T15:54\n  Combustion is dated by the orb rule"),
              std::string::npos)
        << text.out;
}

// The calculation lists the vetoes in force at the chosen minute that apply to the undertaking, and warns of them
// under the factors; a minute before the day's sunrise is in its own season (the leap month of 2026 ends at 08:24
// IST on 15 June, before the sunrise of a place far west on the Indian clock).
TEST(DayCommand, CalculationsSeasonIsThatOfTheChosenMinuteAndUndertaking) {
    const auto run = [](const char* when, const char* lon, const char* subject, bool json) {
        std::vector<std::string> args = {"--muhurtha", when, "--muhurtha-lat", "28:36N", "--muhurtha-lon", lon,
                                         "--muhurtha-zone", "+05:30", "--birth", "1990-05-17T06:45", "--birth-lat",
                                         "28:39N", "--birth-lon", "77:13E", "--birth-zone", "+05:30", "--subject",
                                         subject};
        if (json) args.push_back("--json");
        return RunArgs(args);
    };
    const std::string combust = "\"seasonVetoes\": [{\"id\": \"guru-asta\", \"start\": \"2026-07-14T18:04\", "
                                "\"end\": \"2026-08-13T15:54\"}]}\n";
    struct Case {
        const char* when;
        const char* lon;
        const char* subject;
        std::string jsonTail;
        std::string warning;  // the text's last line
    };
    const auto cases = std::to_array<Case>({
        {"2026-07-20T10:00", "77:12E", "Marriage", combust,
         "Season: Jupiter is combust from 14 July to 13 August 2026; marriages are not held in this season by most "
         "almanacs.\n"},
        {"2026-07-20T10:00", "77:12E", "Domestic Journey", "\"seasonVetoes\": []}\n", ""},
        {"2026-06-15T08:00", "30:00E", "Marriage",
         "\"seasonVetoes\": [{\"id\": \"adhika\", \"start\": \"2026-05-17T01:31\", \"end\": \"2026-06-15T08:24\"}]}\n",
         "Season: The leap month runs from 17 May to 15 June 2026; marriages are not held in this season by most "
         "almanacs.\n"},
    });
    for (const Case& c : cases) {
        const DayRun json = run(c.when, c.lon, c.subject, true);
        ASSERT_EQ(json.status, 0) << json.err;
        // The season's vetoes come last but the conventions.
        const std::string tail = c.jsonTail.substr(0, c.jsonTail.size() - 2) + ", " + DefaultConventions + "}\n";
        ASSERT_GE(json.out.size(), tail.size());
        EXPECT_EQ(json.out.substr(json.out.size() - tail.size()), tail) << c.when << " " << c.subject;
        // The day's own season: the chosen minute at 30 E falls before the sunrise of a day already out of the
        // leap month.
        if (std::string_view(c.lon) == "30:00E") {
            EXPECT_NE(json.out.find("\"season\": [], "), std::string::npos);
        }
        const DayRun text = run(c.when, c.lon, c.subject, false);
        ASSERT_EQ(text.status, 0) << text.err;
        EXPECT_EQ(text.out.find("Season:"), c.warning.empty() ? std::string::npos : text.out.size() - c.warning.size())
            << text.out;
    }
}

TEST(DayCommand, ArgumentsAndPolarDays) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* shown;  // a text the output (or the message) holds
    };
    const auto cases = std::to_array<Case>({
        {With(ChennaiDay, {}), 0, "Rahu kalam: 2026-12-08T"},
        {With(ChennaiDay, {"--sunrise", "standard"}), 0, "Sunrise: 2026-12-08T06:"},
        {With(ChennaiDay, {"--sunrise", "vedic"}), 2, "--sunrise"},
        {{"day", "--lat", "13:05N", "--lon", "80:17E", "--zone", "+05:30"}, 2, "--date"},
        {{"day", "--date", "2026-06-21", "--lat", "69:39N", "--lon", "18:57E", "--zone", "+02:00"}, 0,
         "The Sun does not set"},
        {{"day", "--date", "2026-12-21", "--lat", "69:39N", "--lon", "18:57E", "--zone", "+01:00", "--json"}, 0,
         "\"sunrise\": null, \"sunset\": null, \"nextSunrise\": null"},
        {{"day", "--date", "2026-12-21", "--lat", "69:39N", "--lon", "18:57E", "--zone", "+01:00"}, 0,
         "The Sun does not rise"},
        // Soola is first shown at 05:55, the minute of the next sunrise (05:55:40): it is the day's last yoga.
        {{"day", "--date", "2021-08-24", "--place", "New Delhi", "--tz", "Asia/Kolkata", "--sunrise", "standard"}, 0,
         "    Soola  2021-08-25T05:55 to "},
        {{"day", "--date", "2021-08-24", "--place", "New Delhi", "--tz", "Asia/Kolkata", "--sunrise", "standard",
          "--json"},
         0, "{\"name\": \"Soola\", \"start\": \"2021-08-25T05:55:00\""},
    });
    for (const Case& c : cases) {
        const DayRun r = RunArgs(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.shown), std::string::npos) << c.shown << "\n" << r.out << r.err;
    }
}

TEST(DayCommand, PlaceAndZoneAsTheCalculationTakesThem) {
    const DayRun typed = RunArgs(ChennaiDay);
    ASSERT_EQ(typed.status, 0) << typed.err;
    // The atlas's Chennai and the zone database's Asia/Kolkata give the same day as the typed place and zone.
    for (const std::vector<std::string>& args : {
             std::vector<std::string>{"day", "--date", "2026-12-08", "--place", "Chennai"},
             std::vector<std::string>{"day", "--date", "2026-12-08", "--lat", "13:05N", "--lon", "80:17E", "--tz",
                                      "Asia/Kolkata"},
             std::vector<std::string>{"day", "--date", "2026-12-08", "--place", "Madras", "--zone", "+05:30"}}) {
        const DayRun r = RunArgs(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, typed.out) << args[4];
    }
    // A zone id takes the offset of the date: New York's summer day runs on -04:00, its winter day on -05:00.
    const DayRun summer = RunArgs({"day", "--date", "2026-07-01", "--place", "New York", "--json"});
    const DayRun summerTyped = RunArgs({"day", "--date", "2026-07-01", "--place", "New York", "--zone", "-05:00",
                                        "--dst", "--json"});
    EXPECT_EQ(summer.out, summerTyped.out);
    EXPECT_NE(summer.out.find("\"sunrise\": \"2026-07-01T05:"), std::string::npos) << summer.out;

    struct Refused {
        std::vector<std::string> args;
        const char* named;
    };
    for (const Refused& c : std::to_array<Refused>({
             {{"day", "--date", "2026-12-08", "--lat", "13:05N", "--lon", "80:17E"}, "--zone"},
             {{"day", "--date", "2026-12-08", "--zone", "+05:30"}, "--lat"},
             {{"day", "--date", "2026-12-08", "--place", "Qwxyzzy"}, "--place"},
             {{"day", "--date", "2026-12-08", "--place", "Chennai", "--tz", "Mars/Olympus"}, "--tz"},
         })) {
        const DayRun r = RunArgs(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_EQ(r.err.rfind(std::string("kalvora-cli: ") + c.named, 0), 0u) << r.err;
    }
}

TEST(DayCommand, ADayWhoseNoonTheClocksSkippedOrRepeatedRunsOnTheOffsetOfItsSunrise) {
    struct Case {
        const char* date;
        const char* lat;
        const char* lon;
        const char* zone;
        int status;
        const char* shown;  // in the JSON, or the start of the one line on standard error
    };
    for (const Case& c : std::to_array<Case>({
             // Back from +11 at 24:00 to -12 at 01:00 of the same date: the morning is on +11.
             {"1969-09-30", "9:05N", "167:20E", "Pacific/Kwajalein", 0, "\"sunrise\": \"1969-09-30T05:42:33\""},
             // Noon jumped to 13:00; sunrise was on +00:00 (-05:29:36 in Havana).
             {"1967-06-03", "33:35N", "7:37W", "Africa/Casablanca", 0, "\"sunrise\": \"1967-06-03T05:25:22\""},
             {"1925-07-19", "23:08N", "82:22W", "America/Havana", 0, "\"sunrise\": \"1925-07-19T05:28:21\""},
             // The whole date was skipped.
             {"2011-12-30", "13:50S", "171:45W", "Pacific/Apia", 2,
              "kalvora-cli: --date: 2011-12-30 does not exist in Pacific/Apia: the clocks jumped from 2011-12-29 "
              "23:59:59 (UTC-10:00) to 2011-12-31 00:00 (UTC+14:00)\n"},
         })) {
        const DayRun r = RunArgs({"day", "--date", c.date, "--lat", c.lat, "--lon", c.lon, "--tz", c.zone, "--json"});
        EXPECT_EQ(r.status, c.status) << c.zone << " " << r.err;
        if (c.status == 0) {
            EXPECT_NE(r.out.find(c.shown), std::string::npos) << c.zone << "\n" << r.out;
        } else {
            EXPECT_EQ(r.err, c.shown);
        }
    }
}

TEST(FindAvoid, NamesThePeriods) {
    const std::vector<std::string> base = {"--subject", "Marriage", "--from", "2026-03-10", "--to", "2026-03-10",
                                           "--muhurtha-lat", "28:39N", "--muhurtha-lon", "77:13E", "--muhurtha-zone",
                                           "+05:30", "--birth", "1990-05-17T06:45", "--birth-lat", "28:39N",
                                           "--birth-lon", "77:13E", "--birth-zone", "+05:30"};
    struct Case {
        const char* value;
        std::array<bool, 4> avoided;
    };
    for (const Case& c : std::to_array<Case>({{"rahu", {true, false, false, false}},
                                              {"gulika,durmuhurta", {false, false, true, true}},
                                              {"rahu,yamaganda,gulika,durmuhurta", {true, true, true, true}}})) {
        EXPECT_EQ(ParseFindArguments(With(base, {"--avoid", c.value})).query.avoidedPeriods, c.avoided) << c.value;
    }
    for (const char* bad : {"", "rahu,", "Rahu", "rahu kalam"}) {
        EXPECT_THROW(ParseFindArguments(With(base, {"--avoid", bad})), ArgumentError) << bad;
    }
}

}  // namespace
}  // namespace kalvora
