// kalvora-cli season: the months and veto spans that begin in a year, on a zone's clock.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"

namespace kalvora {
namespace {

using testing::RunCommandLine;

// Times are the first minute in force and the first minute no longer in force (a new moon at 01:30:52 opens the
// month at 01:31), as every veto span of the program is given.
TEST(SeasonCommand, YearInNewDelhiListsWhatBeginsInTheYear) {
    const testing::CliRun run = RunCommandLine({"season", "--year", "2026", "--place", "New Delhi", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Pausa began on 2025-12-20: the year's first month is Magha; the leap month is Jyaistha's.
    EXPECT_EQ(run.out.find("{\"year\": 2026, \"months\": [{\"name\": \"Magha\", \"adhika\": false, \"kshaya\": false, "
                           "\"start\": \"2026-01-19T01:22\""),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("{\"name\": \"Jyaistha\", \"adhika\": true, \"kshaya\": false, \"start\": "
                           "\"2026-05-17T01:31\", \"end\": \"2026-06-15T08:24\"}, {\"name\": \"Jyaistha\", \"adhika\": "
                           "false"),
              std::string::npos)
        << run.out;
    // The Shukra asta and Kharmas begun in 2025 are left out; the Kharmas begun on 16 December is given whole.
    EXPECT_NE(run.out.find("\"vetoes\": [{\"id\": \"kharmas\", \"start\": \"2026-03-15T01:04\", \"end\": "
                           "\"2026-04-14T09:33\"}, {\"id\": \"adhika\", \"start\": \"2026-05-17T01:31\", \"end\": "
                           "\"2026-06-15T08:24\"}, {\"id\": \"guru-asta\", \"start\": \"2026-07-14T18:04\", \"end\": "
                           "\"2026-08-13T15:54\"}, {\"id\": \"chaturmas\", \"start\": \"2026-07-24T09:14\", \"end\": "
                           "\"2026-11-20T07:16\"}, {\"id\": \"pitru-paksha\", \"start\": \"2026-09-26T22:19\", \"end\": "
                           "\"2026-10-10T21:20\"}, {\"id\": \"shukra-asta\", \"start\": \"2026-10-19T08:16\", \"end\": "
                           "\"2026-10-29T09:40\"}, {\"id\": \"kharmas\", \"start\": \"2026-12-16T10:27\", \"end\": "
                           "\"2027-01-14T21:12\"}], \"conventions\": "),
              std::string::npos)
        << run.out;
}

// Chaturmas 2026 begins in New York's summer time and ends in its winter time: each edge is on its own offset,
// which neither fixed offset gives for both.
TEST(SeasonCommand, EachTimeIsOnTheOffsetInForceThen) {
    struct Case {
        std::vector<std::string> zone;
        const char* chaturmas;
    };
    const auto cases = std::to_array<Case>({
        {{"--tz", "America/New_York"}, R"({"id": "chaturmas", "start": "2026-07-23T23:44", "end": "2026-11-19T20:46"})"},
        {{"--place", "New York"}, R"({"id": "chaturmas", "start": "2026-07-23T23:44", "end": "2026-11-19T20:46"})"},
        {{"--zone", "-05:00"}, R"({"id": "chaturmas", "start": "2026-07-23T22:44", "end": "2026-11-19T20:46"})"},
        {{"--zone", "-05:00", "--dst"}, R"({"id": "chaturmas", "start": "2026-07-23T23:44", "end": "2026-11-19T21:46"})"},
    });
    for (const Case& c : cases) {
        std::vector<std::string> args = {"season", "--year", "2026", "--json"};
        args.insert(args.end(), c.zone.begin(), c.zone.end());
        const testing::CliRun run = RunCommandLine(args);
        ASSERT_EQ(run.status, 0) << c.zone.front() << ": " << run.err;
        EXPECT_NE(run.out.find(c.chaturmas), std::string::npos) << c.zone.back() << "\n" << run.out;
    }
    // The text says which offset each time is on where the clock changes, and how combustion is dated.
    const testing::CliRun text = RunCommandLine({"season", "--year", "2026", "--tz", "America/New_York"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Chaturmas  2026-07-23T23:44 (UTC-04:00) to 2026-11-19T20:46 (UTC-05:00)"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Adhika Jyaistha  2026-05-16T16:01"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Combustion is dated by the orb rule"), std::string::npos) << text.out;
}

TEST(SeasonCommand, BadArgumentsGiveStatusTwoWithOneLine) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const auto cases = std::to_array<Case>({
        {{"season", "--zone", "+05:30"}, "kalvora-cli: --year: missing (see season --help)\n"},
        {{"season", "--year", "1900", "--zone", "+05:30"},
         "kalvora-cli: --year: expected a year from 1901 to 2050, got '1900'\n"},
        {{"season", "--year", "2051", "--zone", "+05:30"},
         "kalvora-cli: --year: expected a year from 1901 to 2050, got '2051'\n"},
        {{"season", "--year", "2026x", "--zone", "+05:30"},
         "kalvora-cli: --year: expected a year from 1901 to 2050, got '2026x'\n"},
        {{"season", "--year", "2026", "--zone", "+05:30", "--date", "2026-01-01"},
         "kalvora-cli: unknown argument '--date' (see season --help)\n"},
        {{"season", "--year", "2026"}, "kalvora-cli: --zone: missing (see season --help)\n"},
        {{"season", "--year", "2026", "--tz", "Asia/Kolkata", "--zone", "+05:30"},
         "kalvora-cli: --tz: not taken with --zone or --dst\n"},
    });
    for (const Case& c : cases) {
        const testing::CliRun run = RunCommandLine(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace kalvora
