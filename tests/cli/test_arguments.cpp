// The command line's argument checks: every bad value gives status 2 and one line naming the argument.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/arguments.h"
#include "cli/cli.h"

namespace kalvora {
namespace {

std::vector<std::string> GoodArguments() {
    return {"--subject", "Marriage", "--name", "Asha", "--sex", "Female",
            "--muhurtha", "2026-12-10T10:30", "--muhurtha-lat", "28:39N", "--muhurtha-lon", "77:13E",
            "--muhurtha-zone", "+05:30",
            "--birth", "1990-05-17T06:45:30", "--birth-lat", "19:04N", "--birth-lon", "72:52E",
            "--birth-zone", "+05:30"};
}

std::vector<std::string> With(std::vector<std::string> args, const std::string& option, const std::string& value) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == option) {
            args[i + 1] = value;
            return args;
        }
    }
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

TEST(ParseArguments, GoodArgumentsFillBothMoments) {
    const CliOptions o = ParseArguments(GoodArguments());
    EXPECT_EQ(o.input.subject, "Marriage");
    EXPECT_EQ(o.input.personSex, "Female");
    EXPECT_EQ(o.input.muhurtha.year, 2026);
    EXPECT_EQ(o.input.muhurtha.minute, 30);
    EXPECT_EQ(o.input.muhurtha.place.latitudeDegrees, 28);
    EXPECT_TRUE(o.input.muhurtha.place.isEast);
    EXPECT_TRUE(o.input.muhurtha.zone.isEast);
    EXPECT_EQ(o.input.muhurtha.zone.hours, 5);
    EXPECT_EQ(o.input.muhurtha.zone.minutes, 30);
    EXPECT_EQ(o.input.birth.hour, 6);
    EXPECT_EQ(o.input.muhurthaWeekdayBox, "Thursday");  // the weekday of 10 December 2026
}

TEST(ParseArguments, ValuesOfEachForm) {
    MomentInput m;
    ParseZone("--z", "-05:00", m);
    EXPECT_FALSE(m.zone.isEast);
    EXPECT_EQ(m.zone.hours, 5);
    ParseZone("--z", "+00:00", m);
    EXPECT_TRUE(m.zone.isEast);
    EXPECT_EQ(m.zone.hours, 0);
    ParseLatitude("--lat", "33:52s", m);
    EXPECT_TRUE(m.place.isSouth);
    EXPECT_EQ(m.place.latitudeMinutes, 52);
    ParseLongitude("--lon", "180:00W", m);
    EXPECT_FALSE(m.place.isEast);
    EXPECT_EQ(m.place.longitudeDegrees, 180);
    ParseDateTime("--when", "2000-02-29T23:59:59", m);
    EXPECT_EQ(m.day, 29);
    const CliOptions o = ParseArguments(With(GoodArguments(), "--muhurtha-weekday", "Sunday"));
    EXPECT_EQ(o.input.muhurthaWeekdayBox, "Sunday");
}

struct BadCase {
    std::vector<std::string> args;
    const char* mustName;  // the message names this argument
};

// A second person typed beside the first.
std::vector<std::string> WithPartner(std::vector<std::string> args) {
    for (const char* word : {"--partner", "1993-02-03T21:10", "--partner-lat", "28:39N", "--partner-lon", "77:13E",
                             "--partner-zone", "+05:30", "--partner-name", "Ravi"}) {
        args.push_back(word);
    }
    return args;
}

TEST(RunCli, EveryBadArgumentGivesStatusTwoAndOneLine) {
    const std::vector<std::string> good = GoodArguments();
    const std::vector<std::string> two = WithPartner(good);
    const BadCase cases[] = {
        {With(good, "--muhurtha", "2026-12-10"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-13-10T10:30"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-02-29T10:30"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-04-31T10:30"), "--muhurtha"},
        {With(good, "--muhurtha", "1900-01-01T10:30"), "--muhurtha"},
        {With(good, "--muhurtha", "2051-01-01T10:30"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-12-10T24:00"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-12-10T10:60"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-12-10T10:30:61"), "--muhurtha"},
        {With(good, "--muhurtha", "2026-12-10T10:30Z"), "--muhurtha"},
        {With(good, "--birth", "abc"), "--birth"},
        {With(good, "--muhurtha-lat", "91:00N"), "--muhurtha-lat"},
        {With(good, "--muhurtha-lat", "90:01N"), "--muhurtha-lat"},
        {With(good, "--muhurtha-lat", "28:60N"), "--muhurtha-lat"},
        {With(good, "--muhurtha-lat", "28:39E"), "--muhurtha-lat"},
        {With(good, "--muhurtha-lat", "28.5N"), "--muhurtha-lat"},
        {With(good, "--birth-lat", "-28:39N"), "--birth-lat"},
        {With(good, "--muhurtha-lon", "181:00E"), "--muhurtha-lon"},
        {With(good, "--muhurtha-lon", "77:13N"), "--muhurtha-lon"},
        {With(good, "--birth-lon", "77:13"), "--birth-lon"},
        {With(good, "--muhurtha-zone", "05:30"), "--muhurtha-zone"},
        {With(good, "--muhurtha-zone", "+15:00"), "--muhurtha-zone"},
        {With(good, "--muhurtha-zone", "+05:60"), "--muhurtha-zone"},
        {With(good, "--birth-zone", "+5:30"), "--birth-zone"},
        {With(good, "--muhurtha-weekday", "sunday"), "--muhurtha-weekday"},
        {With(good, "--birth-weekday", "Funday"), "--birth-weekday"},
        {With(good, "--sex", "male"), "--sex"},
        {With(good, "--report", "report.txt"), "--report"},
        {With(good, "--report-appendix", "all"), "--report-appendix"},
        {Without(good, "--muhurtha-zone"), "--muhurtha-zone"},
        {Without(good, "--birth"), "--birth"},
        {With(good, "--colour", "blue"), "--colour"},
        {[&] { auto a = good; a.push_back("--json"); a.push_back("--json"); return a; }(), "--json"},
        {[&] { auto a = good; a.push_back("--name"); return a; }(), "--name"},
        // The second person's options, and the roles.
        {With(two, "--partner", "1993-02-03"), "--partner"},
        {With(two, "--partner-lat", "91:00N"), "--partner-lat"},
        {With(two, "--partner-zone", "+15:00"), "--partner-zone"},
        {With(two, "--partner-sex", "female"), "--partner-sex"},
        {With(two, "--partner-fold", "first"), "--partner-fold"},
        {Without(two, "--partner-zone"), "--partner-zone"},
        {Without(two, "--partner-name"), "--partner-name"},
        {Without(two, "--name"), "--name"},
        {Without(two, "--partner"), "--partner-lat"},
        {With(two, "--roles", "groom,wife"), "--roles"},
        {With(two, "--roles", "groom"), "--roles"},
        {With(two, "--roles", "groom,bride,none"), "--roles"},
        {With(With(two, "--roles", "groom,bride"), "--subject", "Entering a New House"), "--roles"},
        {With(good, "--roles", "bride"), "--roles"},
        {[&] { auto a = two; a.push_back("--partner"); a.push_back("1993-02-03T21:10"); return a; }(), "--partner"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(c.args, out, err), 2) << c.mustName;
        const std::string message = err.str();
        EXPECT_NE(message.find(c.mustName), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_TRUE(out.str().empty()) << c.mustName;
    }
}

TEST(RunCli, WithoutArgumentsTheMuhurthaIsNamedFirst) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({}, out, err), 2);
    EXPECT_EQ(err.str(), "kalvora-cli: --muhurtha: missing (see --help)\n");
}

TEST(RunCli, HelpPrintsUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("usage: kalvora-cli"), std::string::npos);
}

}  // namespace
}  // namespace kalvora
