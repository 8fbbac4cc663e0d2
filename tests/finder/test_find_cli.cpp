// kalvora-cli find: good arguments give the windows as text or JSON; every bad one gives status 2 and one line
// naming it.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "cli/find.h"

namespace kalvora {
namespace {

std::vector<std::string> GoodArguments() {
    return {"find", "--subject", "Marriage", "--from", "2026-03-10", "--to", "2026-03-10",
            "--muhurtha-lat", "28:39N", "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30",
            "--birth", "1990-05-17T06:45", "--birth-lat", "19:04N", "--birth-lon", "72:52E", "--birth-zone", "+05:30",
            "--name", "Asha", "--sex", "Female"};
}

std::vector<std::string> With(std::vector<std::string> args, const std::string& option, const std::string& value) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == option) {
            args[i + 1] = value;
            return args;
        }
    }
    args.push_back(option);
    if (!value.empty()) args.push_back(value);
    return args;
}

std::vector<std::string> Appended(std::vector<std::string> args, const std::string& option, const std::string& value) {
    args.push_back(option);
    args.push_back(value);
    return args;
}

std::vector<std::string> Without(std::vector<std::string> args, const std::string& option) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == option) {
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }
    return args;
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunWith(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun r;
    r.status = RunCli(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::size_t Lines(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(FindCommand, ParsesTheQuery) {
    const std::vector<std::string> args = With(With(With(GoodArguments(), "--between", "07:00-21:30"), "--top", "5"),
                                               "--skip-weekdays", "Sunday,Saturday");
    const FindOptions o = ParseFindArguments({args.begin() + 1, args.end()});
    EXPECT_EQ(o.query.subject, "Marriage");
    EXPECT_EQ(o.query.from, (LocalDate{2026, 3, 10}));
    EXPECT_EQ(o.query.between.firstMinute, 420);
    EXPECT_EQ(o.query.between.lastMinute, 1290);
    EXPECT_EQ(o.query.place.latitudeDegrees, 28);
    EXPECT_TRUE(o.query.place.zoneIsEast);
    EXPECT_EQ(o.query.birth.hour, 6);
    EXPECT_EQ(o.query.personSex, "Female");
    EXPECT_TRUE(o.query.leftOutWeekdays[0]);
    EXPECT_TRUE(o.query.leftOutWeekdays[6]);
    EXPECT_FALSE(o.query.leftOutWeekdays[3]);
    EXPECT_EQ(o.listing.top, 5u);
    EXPECT_EQ(o.listing.order, WindowOrder::Rank);
    EXPECT_TRUE(o.listing.mergeEqualRatings);

    const std::vector<std::string> timed = With(GoodArguments(), "--order", "time");
    const FindOptions t = ParseFindArguments({timed.begin() + 1, timed.end()});
    EXPECT_EQ(t.listing.order, WindowOrder::Time);
    EXPECT_FALSE(t.listing.mergeEqualRatings);
    EXPECT_EQ(t.listing.top, 0u);
}

TEST(FindCommand, JsonWindows) {
    const std::vector<std::string> args = With(With(GoodArguments(), "--order", "time"), "--between", "06:00-09:59");
    const CliRun r = RunWith(With(args, "--json", ""));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.out.rfind("{\"windows\": [{\"start\": \"2026-03-10T06:00\", \"end\": \"2026-03-10T", 0), 0u) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 4), "}]}\n");
    EXPECT_EQ(Lines(r.out), 1u);
    // As many windows as the text form lists, each with its fields in order.
    const std::size_t windows = Lines(RunWith(args).out);
    EXPECT_GE(windows, 2u);
    std::size_t at = 0;
    for (std::size_t i = 0; i < windows; ++i) {
        for (const char* key : {"{\"start\": \"2026-03-10T", "\"end\": \"2026-03-10T", "\"rating\": \"",
                                "\"ratingCode\": ", "\"count\": ", "\"threshold\": 5, ", "\"totalScore\": ",
                                "\"nakshatra\": \"", "\"rashi\": \"", "\"lagna\": \"", "\"tithi\": \"",
                                "\"yoga\": \"", "\"karana\": \"", "\"weekday\": \"Tuesday\"}"}) {
            at = r.out.find(key, at);
            ASSERT_NE(at, std::string::npos) << "window " << i << ": " << key << "\n" << r.out;
        }
    }
    EXPECT_EQ(r.out.find("\"start\"", at), std::string::npos);
}

TEST(FindCommand, TopCutsTheRankedList) {
    // Three dates give at least three windows, as none spans midnight.
    const std::vector<std::string> args = With(GoodArguments(), "--to", "2026-03-12");
    EXPECT_GE(Lines(RunWith(args).out), 3u);
    const CliRun r = RunWith(With(args, "--top", "2"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 2u) << r.out;
}

TEST(FindCommand, TextLinesInTimeOrder) {
    const CliRun r = RunWith(With(With(GoodArguments(), "--order", "time"), "--between", "06:00-06:59"));
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

TEST(FindCommand, EachBadArgumentGivesStatusTwoAndOneLine) {
    const std::vector<std::string> good = GoodArguments();
    const BadCase cases[] = {
        {With(good, "--from", "2026-3-10"), "--from"},
        {With(good, "--from", "2026-02-30"), "--from"},
        {With(good, "--from", "1900-12-31"), "--from"},
        {With(good, "--to", "2026-03-10T10:00"), "--to"},
        {With(good, "--to", "2026-03-09"), "--to"},
        {With(good, "--to", "2036-03-10"), "--to"},
        {Without(good, "--from"), "--from"},
        {Without(good, "--to"), "--to"},
        {Without(good, "--subject"), "--subject"},
        {With(good, "--subject", "Wedding"), "--subject"},
        {With(good, "--between", "07:00"), "--between"},
        {With(good, "--between", "07:00-24:00"), "--between"},
        {With(good, "--between", "7:00-21:00"), "--between"},
        {With(good, "--top", "0"), "--top"},
        {With(good, "--top", "ten"), "--top"},
        {With(good, "--top", "-3"), "--top"},
        {With(With(good, "--order", "time"), "--top", "5"), "--top"},
        {With(good, "--order", "score"), "--order"},
        {With(good, "--skip-weekdays", "Funday"), "--skip-weekdays"},
        {With(good, "--skip-weekdays", "Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday"), "--skip-weekdays"},
        {With(good, "--muhurtha", "2026-03-10T10:00"), "--muhurtha"},
        {With(good, "--muhurtha-lat", "95:00N"), "--muhurtha-lat"},
        {With(good, "--muhurtha-lon", "77:13X"), "--muhurtha-lon"},
        {With(good, "--muhurtha-zone", "05:30"), "--muhurtha-zone"},
        {Without(good, "--muhurtha-zone"), "--muhurtha-zone"},
        {With(good, "--birth", "1990-05-17"), "--birth"},
        {With(good, "--birth-lat", "19:64N"), "--birth-lat"},
        {Without(good, "--birth-lon"), "--birth-lon"},
        {With(good, "--birth-zone", "+15:00"), "--birth-zone"},
        {With(good, "--sex", "male"), "--sex"},
        {With(good, "--muhurtha-weekday", "Sunday"), "--muhurtha-weekday"},
        {With(good, "--report", "out.rtf"), "--report"},
        {Appended(good, "--from", "2026-03-12"), "--from"},  // given twice
        {{"find", "--subject"}, "--subject"},
    };
    for (const BadCase& c : cases) {
        const std::vector<std::string>& args = c.args;
        const CliRun r = RunWith(args);
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
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
