// kalvora-cli find: good arguments give the windows as text or JSON; every bad one gives status 2 and one line
// naming it.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/find.h"
#include "tests/support/cli_run.h"

namespace kalvora {
namespace {

// Option and value ("" for a flag).
using Options = std::vector<std::pair<std::string, std::string>>;

const Options GoodOptions = {
    {"--subject", "Marriage"}, {"--from", "2026-03-10"}, {"--to", "2026-03-10"},
    {"--muhurtha-lat", "28:39N"}, {"--muhurtha-lon", "77:13E"}, {"--muhurtha-zone", "+05:30"},
    {"--birth", "1990-05-17T06:45"}, {"--birth-lat", "19:04N"}, {"--birth-lon", "72:52E"},
    {"--birth-zone", "+05:30"}, {"--name", "Asha"}, {"--sex", "Female"}};

// The command line "find" with the good options, those in `set` taking the value given (or added), those in
// `dropped` left out.
std::vector<std::string> Find(const Options& set = {}, const std::vector<std::string>& dropped = {}) {
    Options options;
    for (const auto& option : GoodOptions) {
        if (std::find(dropped.begin(), dropped.end(), option.first) == dropped.end()) options.push_back(option);
    }
    for (const auto& change : set) {
        const auto same = [&](const auto& option) { return option.first == change.first; };
        const auto at = std::find_if(options.begin(), options.end(), same);
        if (at != options.end()) {
            at->second = change.second;
        } else {
            options.push_back(change);
        }
    }
    std::vector<std::string> line = {"find"};
    for (const auto& [option, value] : options) {
        line.push_back(option);
        if (!value.empty()) line.push_back(value);
    }
    return line;
}

using testing::CliRun;

CliRun RunWith(const std::vector<std::string>& args) { return testing::RunCommandLine(args); }

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(FindCommand, ParsesTheQuery) {
    const std::vector<std::string> args =
        Find({{"--between", "07:00-21:30"}, {"--top", "5"}, {"--skip-weekdays", "Sunday,Saturday"}});
    const FindOptions o = ParseFindArguments({args.begin() + 1, args.end()});
    EXPECT_EQ(o.query.input.subject, "Marriage");
    EXPECT_EQ(o.query.from, (LocalDate{2026, 3, 10}));
    EXPECT_EQ(o.query.between.firstMinute, 420);
    EXPECT_EQ(o.query.between.lastMinute, 1290);
    EXPECT_EQ(o.query.input.muhurtha.place.latitudeDegrees, 28);
    EXPECT_TRUE(o.query.input.muhurtha.zone.isEast);
    EXPECT_EQ(o.query.input.birth.hour, 6);
    EXPECT_EQ(o.query.input.personSex, "Female");
    EXPECT_TRUE(o.query.leftOutWeekdays[0]);
    EXPECT_TRUE(o.query.leftOutWeekdays[6]);
    EXPECT_FALSE(o.query.leftOutWeekdays[3]);
    EXPECT_EQ(o.listing.top, 5u);
    EXPECT_EQ(o.listing.order, WindowOrder::Rank);
    EXPECT_TRUE(o.listing.mergeEqualRatings);

    const std::vector<std::string> timed = Find({{"--order", "time"}});
    const FindOptions t = ParseFindArguments({timed.begin() + 1, timed.end()});
    EXPECT_EQ(t.listing.order, WindowOrder::Time);
    EXPECT_FALSE(t.listing.mergeEqualRatings);
    EXPECT_EQ(t.listing.top, 0u);
}

TEST(FindCommand, VetoesDefaultToTheUndertakingsAndNoneTurnsThemOff) {
    const auto vetoesOf = [](const Options& set) {
        const std::vector<std::string> args = Find(set);
        return ParseFindArguments({args.begin() + 1, args.end()}).query.vetoes;
    };
    constexpr std::array<bool, VetoCount> None{};
    EXPECT_EQ(vetoesOf({}), VetoesOf(MuhurthaSubject::Marriage));
    EXPECT_EQ(vetoesOf({{"--subject", "Sell Item"}}), None);
    EXPECT_EQ(vetoesOf({{"--veto", "none"}}), None);
    EXPECT_EQ(vetoesOf({{"--veto", "kharmas,guru-asta"}}),
              (std::array<bool, VetoCount>{true, false, false, false, true, false}));
    // Given before --subject it still replaces the undertaking's.
    std::vector<std::string> first = {"find", "--veto", "adhika"};
    const std::vector<std::string> rest = Find();
    first.insert(first.end(), rest.begin() + 1, rest.end());
    EXPECT_EQ(ParseFindArguments({first.begin() + 1, first.end()}).query.vetoes,
              (std::array<bool, VetoCount>{false, false, true, false, false, false}));
}

// The conventions every JSON object of a command ends with, here the program's defaults.
const std::string DefaultConventions = "\"conventions\": {\"ayanamsa\": \"lahiri\", \"weekday\": \"civil\", "
                                       "\"lunarMonth\": \"table\", \"sunrise\": \"hindu\", \"ephemeris\": \"specified\"}";

TEST(FindCommand, AWhollyVetoedSpanNamesTheVetoesAndTheNextAllowedDate) {
    const Options august = {{"--from", "2026-08-01"}, {"--to", "2026-08-05"}};
    const CliRun text = RunWith(Find(august));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(Lines(text.out), 1u);
    EXPECT_EQ(text.out.rfind("No times found: the vetoes left out cover every minute of the span (Guru asta, 14 July "
                             "to 13 August 2026; Chaturmas, 24 July to 20 November 2026). The next allowed date is "
                             "20 November 2026. ",
                             0),
              0u)
        << text.out;
    const CliRun json = RunWith([&] { auto a = Find(august); a.push_back("--json"); return a; }());
    EXPECT_EQ(json.out, "{\"windows\": [], \"vetoedBy\": [{\"id\": \"guru-asta\", \"start\": \"2026-07-14T18:04\", "
                        "\"end\": \"2026-08-13T15:54\"}, {\"id\": \"chaturmas\", \"start\": \"2026-07-24T09:14\", "
                        "\"end\": \"2026-11-20T07:16\"}], \"nextAllowed\": \"2026-11-20\", " +
                            DefaultConventions + "}\n");
    // Without the vetoes the span's windows are listed.
    const CliRun none = RunWith(Find({{"--from", "2026-08-01"}, {"--to", "2026-08-05"}, {"--veto", "none"}}));
    EXPECT_EQ(none.out.rfind("2026-08-0", 0), 0u) << none.out;
}

TEST(FindCommand, JsonWindows) {
    const std::vector<std::string> args = Find({{"--order", "time"}, {"--between", "06:00-09:59"}});
    const CliRun r = RunWith(Find({{"--order", "time"}, {"--between", "06:00-09:59"}, {"--json", ""}}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.out.rfind("{\"windows\": [{\"start\": \"2026-03-10T06:00\", \"end\": \"2026-03-10T", 0), 0u) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - DefaultConventions.size() - 6), "}], " + DefaultConventions + "}\n");
    EXPECT_EQ(Lines(r.out), 1u);
    // As many windows as the text form lists, each with its fields in order.
    const std::size_t windows = Lines(RunWith(args).out);
    EXPECT_GE(windows, 2u);
    std::size_t at = 0;
    for (std::size_t i = 0; i < windows; ++i) {
        for (const char* key : {"{\"start\": \"2026-03-10T", "\"end\": \"2026-03-10T", "\"rating\": \"",
                                "\"ratingCode\": ", "\"count\": ", "\"threshold\": 5, ", "\"totalScore\": ",
                                "\"nakshatra\": \"", "\"rashi\": \"", "\"lagna\": \"", "\"tithi\": \"",
                                "\"yoga\": \"", "\"karana\": \"", "\"weekday\": \"Tuesday\", ",
                                "\"offset\": \"+05:30\"}"}) {
            at = r.out.find(key, at);
            ASSERT_NE(at, std::string::npos) << "window " << i << ": " << key << "\n" << r.out;
        }
    }
    EXPECT_EQ(r.out.find("\"start\"", at), std::string::npos);
}

TEST(FindCommand, ZoneIdGivesEachWindowItsOffset) {
    // tzdata: New York's clocks went back from 02:00 EDT to 01:00 EST on 2021-11-07, so 01:00-01:59 is searched
    // twice, first on -04:00 and then on -05:00; typed coordinates keep the place's.
    const Options zone = {{"--from", "2021-11-07"}, {"--to", "2021-11-07"}, {"--muhurtha-tz", "America/New_York"},
                          {"--muhurtha-lat", "40:43N"}, {"--muhurtha-lon", "74:00W"}, {"--order", "time"},
                          {"--between", "00:30-02:30"}, {"--veto", "none"}};  // in Chaturmas
    const CliRun text = RunWith(Find(zone, {"--muhurtha-zone"}));
    ASSERT_EQ(text.status, 0) << text.err;
    const CliRun asJson = RunWith([&] { auto a = Find(zone, {"--muhurtha-zone"}); a.push_back("--json"); return a; }());
    ASSERT_EQ(asJson.status, 0) << asJson.err;
    EXPECT_EQ(asJson.out.rfind("{\"windows\": [{\"start\": \"2021-11-07T00:30\"", 0), 0u) << asJson.out;
    const std::size_t edt = asJson.out.find("\"end\": \"2021-11-07T01:59\"");
    const std::size_t est = asJson.out.find("{\"start\": \"2021-11-07T01:00\"");
    ASSERT_NE(edt, std::string::npos) << asJson.out;
    ASSERT_NE(est, std::string::npos) << asJson.out;
    EXPECT_LT(edt, est);
    EXPECT_NE(asJson.out.find("\"offset\": \"-04:00\"", edt), std::string::npos);
    EXPECT_EQ(asJson.out.find("\"offset\": \"-05:00\""), asJson.out.find("\"offset\": \"-05:00\"", est));
    EXPECT_EQ(asJson.out.find("\"offset\": \"-04:00\"", est), std::string::npos);
    // The text lines end with the offset; the last one ends at 02:30 on -05:00.
    EXPECT_NE(text.out.find("-02:30  "), std::string::npos) << text.out;
    EXPECT_EQ(text.out.substr(text.out.size() - 10), "UTC-05:00\n") << text.out;
    EXPECT_NE(text.out.find("UTC-04:00\n"), std::string::npos) << text.out;
}

TEST(FindCommand, TopCutsTheRankedList) {
    // Three dates give at least three windows, as none spans midnight.
    const std::vector<std::string> args = Find({{"--to", "2026-03-12"}});
    EXPECT_GE(Lines(RunWith(args).out), 3u);
    const CliRun r = RunWith(Find({{"--to", "2026-03-12"}, {"--top", "2"}}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 2u) << r.out;
}

TEST(FindCommand, TextLinesInTimeOrder) {
    const CliRun r = RunWith(Find({{"--order", "time"}, {"--between", "06:00-06:59"}}));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_GE(Lines(r.out), 1u);
    EXPECT_EQ(r.out.rfind("2026-03-10 06:00-", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("-06:59  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(count "), std::string::npos);
    EXPECT_NE(r.out.find("Tuesday, nakshatra "), std::string::npos);
}

TEST(FindCommand, Help) {
    const CliRun r = RunWith({"find", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, FindUsageText());
}

struct BadCase {
    std::vector<std::string> args;
    const char* mustName;  // the message names this argument
};

// A calendar file that cannot be written fails the command before anything is printed, and leaves nothing behind.
TEST(FindCommand, CalendarFileThatCannotBeWrittenGivesStatusOne) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kalvora-ics-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "a folder");
    const std::filesystem::path targets[] = {folder / "no such folder" / "times.ics", folder / "a folder"};
    for (const std::filesystem::path& target : targets) {
        SCOPED_TRACE(target.string());
        const CliRun r = RunWith(Find({{"--ics", target.string()}}));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("kalvora-cli: --ics: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(target.string()), std::string::npos) << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a folder"));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "a folder"));
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));
    std::filesystem::remove_all(folder);
}

TEST(FindCommand, EachBadArgumentGivesStatusTwoAndOneLine) {
    const BadCase cases[] = {
        {Find({{"--from", "2026-3-10"}}), "--from"},
        {Find({{"--from", "2026-02-30"}}), "--from"},
        {Find({{"--from", "1900-12-31"}}), "--from"},
        {Find({{"--to", "2026-03-10T10:00"}}), "--to"},
        {Find({{"--to", "2026-03-09"}}), "--to"},
        {Find({{"--to", "2036-03-10"}}), "--to"},
        {Find({}, {"--from"}), "--from"},
        {Find({}, {"--to"}), "--to"},
        {Find({}, {"--subject"}), "--subject"},
        {Find({{"--subject", "Wedding"}}), "--subject"},
        {Find({{"--between", "07:00"}}), "--between"},
        {Find({{"--between", "07:00-24:00"}}), "--between"},
        {Find({{"--between", "7:00-21:00"}}), "--between"},
        {Find({{"--top", "0"}}), "--top"},
        {Find({{"--top", "ten"}}), "--top"},
        {Find({{"--top", "-3"}}), "--top"},
        {Find({{"--order", "time"}, {"--top", "5"}}), "--top"},
        {Find({{"--order", "score"}}), "--order"},
        {Find({{"--skip-weekdays", "Funday"}}), "--skip-weekdays"},
        {Find({{"--skip-weekdays", "Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday"}}), "--skip-weekdays"},
        {Find({{"--muhurtha", "2026-03-10T10:00"}}), "--muhurtha"},
        {Find({{"--muhurtha-lat", "95:00N"}}), "--muhurtha-lat"},
        {Find({{"--muhurtha-lon", "77:13X"}}), "--muhurtha-lon"},
        {Find({{"--muhurtha-zone", "05:30"}}), "--muhurtha-zone"},
        {Find({}, {"--muhurtha-zone"}), "--muhurtha-zone"},
        {Find({{"--birth", "1990-05-17"}}), "--birth"},
        {Find({{"--birth-lat", "19:64N"}}), "--birth-lat"},
        {Find({}, {"--birth-lon"}), "--birth-lon"},
        {Find({{"--birth-zone", "+15:00"}}), "--birth-zone"},
        {Find({{"--sex", "male"}}), "--sex"},
        {Find({{"--muhurtha-weekday", "Sunday"}}), "--muhurtha-weekday"},
        {Find({{"--report", "out.rtf"}}), "--report"},
        {[] { auto twice = Find(); twice.insert(twice.end(), {"--from", "2026-03-12"}); return twice; }(),
         "--from"},  // given twice
        {{"find", "--subject"}, "--subject"},
        {Find({{"--muhurtha-tz", "America/New_York"}}), "--muhurtha-tz"},  // beside --muhurtha-zone
        {Find({{"--muhurtha-tz", "Mars/Olympus"}}, {"--muhurtha-zone"}), "--muhurtha-tz"},
        {Find({{"--muhurtha-place", "Qwxyzzz"}}), "--muhurtha-place"},
        {Find({{"--muhurtha-fold", "later"}}), "--muhurtha-fold"},
        {Find({{"--veto", "guru"}}), "--veto"},
        {Find({{"--veto", "kharmas,"}}), "--veto"},
        {Find({{"--veto", "none,kharmas"}}), "--veto"},
        {Find({{"--veto", "Kharmas"}}), "--veto"},
        {Find({{"--birth-tz", "America/New_York"}, {"--birth", "2021-03-14T02:30"}}, {"--birth-zone"}), "--birth"},
        {Find({{"--roles", "groom,bride"}}), "--roles"},  // one person
        {Find({{"--partner-name", "Ravi"}}), "--partner-name"},  // no --partner
        {Find({{"--partner", "1988-03-09T21:10"}, {"--partner-place", "Delhi"}}), "--partner-name"},
        {Find({{"--group", "Asha and Ravi"}}), "--birth: not taken with --group"},  // beside the typed person
        {Find({{"--ics", ""}}), "--ics"},
    };
    for (const BadCase& c : cases) {
        const CliRun r = RunWith(c.args);
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        SCOPED_TRACE(shown);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("kalvora-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.mustName), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace kalvora
