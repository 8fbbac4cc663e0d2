// The conventions' options on every command that computes, and the "conventions" object each command's JSON ends with.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/cli_run.h"

namespace kalvora {
namespace {

using testing::RunCommandLine;

const std::vector<std::string> Delhi = {"--lat", "28:39N", "--lon", "77:13E", "--zone", "+05:30"};
const std::vector<std::string> Birth = {"--birth", "1990-05-17T06:45", "--birth-lat", "28:39N", "--birth-lon",
                                        "77:13E", "--birth-zone", "+05:30", "--name", "Asha", "--sex", "Female"};

std::vector<std::string> Command(const std::string& name) {
    std::vector<std::string> args;
    if (name == "calculation") {
        args = {"--muhurtha", "2026-12-10T10:30", "--muhurtha-lat", "28:39N", "--muhurtha-lon", "77:13E",
                "--muhurtha-zone", "+05:30", "--subject", "Marriage"};
        args.insert(args.end(), Birth.begin(), Birth.end());
    } else if (name == "find") {
        args = {"find", "--subject", "Marriage", "--from", "2026-12-10", "--to", "2026-12-10", "--muhurtha-lat",
                "28:39N", "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30", "--top", "1"};
        args.insert(args.end(), Birth.begin(), Birth.end());
    } else {
        args = {name};
        if (name == "day") args.insert(args.end(), {"--date", "2026-12-10"});
        if (name == "season") args.insert(args.end(), {"--year", "2026"});
        if (name == "month") args.insert(args.end(), {"--year", "2026", "--month", "12"});
        args.insert(args.end(), Delhi.begin(), Delhi.end());
    }
    return args;
}

TEST(Conventions, EveryCommandTakesTheConventionsAndSaysThem) {
    struct Case {
        std::vector<std::string> options;
        const char* ayanamsa;
        const char* weekday;
        const char* sunrise;
        const char* ephemeris = "specified";
    };
    const Case cases[] = {
        {{}, "lahiri", "civil", "hindu"},
        {{"--ayanamsa", "raman"}, "raman", "civil", "hindu"},
        {{"--ayanamsa", "true-pushya", "--weekday", "sunrise", "--sunrise", "standard"}, "true-pushya", "sunrise",
         "standard"},
        {{"--ephemeris", "precise"}, "lahiri", "civil", "hindu", "precise"},
    };
    for (const std::string name : {"calculation", "find", "day", "month", "season"}) {
        SCOPED_TRACE(name);
        for (const Case& c : cases) {
            std::vector<std::string> args = Command(name);
            args.push_back("--json");
            args.insert(args.end(), c.options.begin(), c.options.end());
            const auto run = RunCommandLine(args);
            ASSERT_EQ(run.status, 0) << run.err;
            const QJsonObject conventions =
                QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object()["conventions"].toObject();
            const QJsonObject expected{{"ayanamsa", c.ayanamsa},
                                       {"weekday", c.weekday},
                                       {"lunarMonth", "table"},
                                       {"sunrise", c.sunrise},
                                       {"ephemeris", c.ephemeris}};
            EXPECT_EQ(conventions, expected);
        }
        for (const auto& [option, word, expected] :
             {std::tuple{"--ayanamsa", "Raman", "expected one of lahiri, true-chitra, raman"},
              std::tuple{"--weekday", "solar", "expected one of civil, sunrise"},
              std::tuple{"--sunrise", "upper", "expected one of hindu, standard"},
              std::tuple{"--ephemeris", "moshier", "expected one of specified, precise"}}) {
            std::vector<std::string> bad = Command(name);
            bad.insert(bad.end(), {option, word});
            const auto run = RunCommandLine(bad);
            EXPECT_EQ(run.status, 2);
            EXPECT_TRUE(run.err.starts_with("kalvora-cli: " + std::string(option) + ": " + expected)) << run.err;
        }
    }
}

// The Raman nakshatra of the day's Moon begins where the Moon, 1.45 degrees further on, reaches the mansion: the
// day command's nakshatra list moves earlier by about the Moon's time over that arc (some two and a half hours).
TEST(Conventions, TheDaysNakshatrasMoveWithTheAyanamsa) {
    const auto nakshatras = [](const std::string& ayanamsa) {
        std::vector<std::string> args = Command("day");
        args.insert(args.end(), {"--json", "--ayanamsa", ayanamsa});
        const auto run = RunCommandLine(args);
        return QJsonDocument::fromJson(QByteArray::fromStdString(run.out))
            .object()["limbs"].toObject()["nakshatra"].toArray();
    };
    const auto minutes = [](const QJsonValue& span) {
        const QString t = span.toObject()["end"].toString();  // YYYY-MM-DDTHH:MM:SS
        return t.mid(8, 2).toInt() * 1440 + t.mid(11, 2).toInt() * 60 + t.mid(14, 2).toInt();
    };
    const QJsonValue lahiri = nakshatras("lahiri")[0];
    for (const QJsonValue& raman : nakshatras("raman")) {
        if (raman.toObject()["name"] != lahiri.toObject()["name"]) continue;
        const int earlier = minutes(lahiri) - minutes(raman);
        EXPECT_GT(earlier, 120);
        EXPECT_LT(earlier, 190);
        return;
    }
    ADD_FAILURE() << "no Raman span of " << lahiri.toObject()["name"].toString().toStdString();
}

// --lunar-month on every command: said in "conventions" by its word; a word of no choice is refused naming the
// option.
TEST(Conventions, EveryCommandTakesTheLunarMonth) {
    for (const std::string name : {"calculation", "find", "day", "month", "season"}) {
        SCOPED_TRACE(name);
        std::vector<std::string> args = Command(name);
        args.insert(args.end(), {"--json", "--lunar-month", "purnimanta"});
        const auto run = RunCommandLine(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject conventions =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object()["conventions"].toObject();
        EXPECT_EQ(conventions["lunarMonth"].toString(), QStringLiteral("purnimanta"));
        std::vector<std::string> bad = Command(name);
        bad.insert(bad.end(), {"--lunar-month", "Amanta"});
        const auto refused = RunCommandLine(bad);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.err.rfind("kalvora-cli: --lunar-month: expected one of table, amanta, purnimanta, got ", 0), 0u)
            << refused.err;
    }
}

}  // namespace
}  // namespace kalvora
