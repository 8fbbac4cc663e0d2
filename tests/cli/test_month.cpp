// kalvora-cli month: its days are the day command's, its best windows the finder's, and --month's values.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/shell_run.h"

namespace kalvora {
namespace {

using testing::RunCommandLine;

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

QJsonObject Parsed(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// Each date's object is the one the day command gives for that date at that place: a typed zone, a zone whose
// clocks change inside the month (each date on the offset of its sunrise), and one that skipped a whole date.
TEST(MonthCommand, DaysAreTheDayCommandsDays) {
    struct Case {
        std::vector<std::string> place;
        std::string year, month;
        int days;
    };
    const Case cases[] = {
        {{"--lat", "28:39N", "--lon", "77:13E", "--zone", "+05:30"}, "2026", "12", 31},
        {{"--lat", "40:43N", "--lon", "74:00W", "--tz", "America/New_York", "--sunrise", "standard"}, "2026", "03", 31},
        {{"--lat", "13:50S", "--lon", "171:45W", "--tz", "Pacific/Apia"}, "2011", "12", 30},  // no 2011-12-30
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place[5]);
        const auto month = RunCommandLine(Join({"month", "--year", c.year, "--month", c.month, "--json"}, c.place));
        ASSERT_EQ(month.status, 0) << month.err;
        const QJsonObject object = Parsed(month.out);
        EXPECT_EQ(object["year"].toInt(), std::stoi(c.year));
        EXPECT_EQ(object["month"].toInt(), std::stoi(c.month));
        const QJsonArray days = object["days"].toArray();
        ASSERT_EQ(days.size(), c.days);
        for (const QJsonValue& value : days) {
            const QJsonObject day = value.toObject();
            const std::string date = day["date"].toString().toStdString();
            EXPECT_FALSE(day.contains("best")) << date;  // no undertaking, no best window
            const auto alone = RunCommandLine(Join({"day", "--date", date, "--json"}, c.place));
            ASSERT_EQ(alone.status, 0) << alone.err;
            EXPECT_EQ(day, Parsed(alone.out)) << date;
        }
    }
}

// Each date's best window is the first that find ranks for that date alone, for two people by their combined
// verdict; a date without one (a veto of marriages in force all day) is null.
TEST(MonthCommand, BestIsTheFindersFirstWindowOfTheDate) {
    const std::vector<std::string> people = {
        "--subject", "Marriage", "--birth", "1995-08-15T06:45", "--birth-lat", "19:04N", "--birth-lon", "72:52E",
        "--birth-zone", "+05:30", "--name", "Asha", "--sex", "Female", "--partner", "1993-02-11T09:10",
        "--partner-lat", "28:39N", "--partner-lon", "77:13E", "--partner-zone", "+05:30", "--partner-name", "Ravi"};
    const auto month = RunCommandLine(Join({"month", "--year", "2026", "--month", "11", "--lat", "40:43N", "--lon",
                                            "74:00W", "--tz", "America/New_York", "--json"},
                                           people));
    ASSERT_EQ(month.status, 0) << month.err;
    int rated = 0, none = 0;
    for (const QJsonValue& value : Parsed(month.out)["days"].toArray()) {
        const QJsonObject day = value.toObject();
        const std::string date = day["date"].toString().toStdString();
        ASSERT_TRUE(day.contains("best")) << date;
        const auto find = RunCommandLine(Join({"find", "--from", date, "--to", date, "--muhurtha-lat", "40:43N",
                                               "--muhurtha-lon", "74:00W", "--muhurtha-tz", "America/New_York",
                                               "--top", "1", "--json"},
                                              people));
        ASSERT_EQ(find.status, 0) << find.err;
        const QJsonArray windows = Parsed(find.out)["windows"].toArray();
        const QJsonObject first = windows.isEmpty() ? QJsonObject() : windows[0].toObject();
        const QString rating = first["combined"].toObject()["rating"].toString();
        if (windows.isEmpty() || rating == "Not rated") {
            EXPECT_TRUE(day["best"].isNull()) << date;
            ++none;
            continue;
        }
        ++rated;
        const QJsonObject best = day["best"].toObject();
        EXPECT_EQ(best, (QJsonObject{{"start", first["start"]}, {"end", first["end"]}, {"rating", rating}})) << date;
    }
    // November 2026 holds both: Chaturmas ends inside it, and the DST change falls on 2026-11-01.
    EXPECT_GT(rated, 0);
    EXPECT_GT(none, 0);
}

TEST(MonthCommand, MonthTakesOneToTwelveWithOrWithoutALeadingZero) {
    struct Case {
        const char* text;
        int status;
    };
    for (const Case c : {Case{"1", 0}, Case{"01", 0}, Case{"12", 0}, Case{"0", 2}, Case{"13", 2}, Case{"x", 2},
                         Case{"00", 2}, Case{"012", 2}, Case{"", 2}, Case{"+1", 2}}) {
        const auto run = RunCommandLine({"month", "--year", "2026", "--month", c.text, "--lat", "28:39N", "--lon",
                                         "77:13E", "--zone", "+05:30"});
        EXPECT_EQ(run.status, c.status) << c.text;
        if (c.status == 2) {
            EXPECT_TRUE(run.err.starts_with("kalvora-cli: --month: ")) << run.err;
        }
    }
    // People need an undertaking to be weighed for.
    const auto run = RunCommandLine({"month", "--year", "2026", "--month", "1", "--lat", "28:39N", "--lon", "77:13E",
                                     "--zone", "+05:30", "--partner-name", "Ravi"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("kalvora-cli: --partner-name: ")) << run.err;
}

// --pdf: one landscape page of the paper asked (A4 by default) whose text holds the month's days and marks, in a
// separate process as a user runs it (the PDF needs Qt's painting); bad paper and an unwritable file are refused.
TEST(MonthCommand, PdfIsOneLandscapePageOfThePaperAsked) {
    if (!KALVORA_CLI_PDF) GTEST_SKIP() << "this build of kalvora-cli writes no PDF";
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("kalvora-month-pdf-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string cli = std::string("\"") + KALVORA_CLI_PATH + "\" month --year 2026 --month 12 --lat 28:39N "
                            "--lon 77:13E --tz Asia/Kolkata --subject Marriage --birth 1995-08-15T06:45 "
                            "--birth-lat 19:04N --birth-lon 72:52E --birth-zone +05:30 --name Asha --sex Female ";
    struct Case {
        std::string paper;
        std::string mediaBox;
    };
    for (const Case& c : {Case{"", "/MediaBox [0 0 842.000000 595.000000]"},
                          Case{"--paper a4", "/MediaBox [0 0 842.000000 595.000000]"},
                          Case{"--paper letter", "/MediaBox [0 0 792.000000 612.000000]"}}) {
        SCOPED_TRACE(c.paper);
        const std::string path = (folder / "month.pdf").string();
        ASSERT_EQ(testing::RunShell(cli + "--pdf '" + path + "' " + c.paper).status, 0);
        std::ifstream file(path, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        const std::string pdf = bytes.str();
        EXPECT_TRUE(pdf.starts_with("%PDF-"));
        EXPECT_NE(pdf.find(c.mediaBox), std::string::npos);
        std::size_t pages = 0;
        for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
        }
        EXPECT_EQ(pages, 1u);
        const std::string text = testing::RunShell("pdftotext '" + path + "' -").out;
        for (const char* expected : {"December 2026", "Asia/Kolkata", "1 Tue", "31 Thu", "Ashtami to 23:14",
                                     "\u2605 Good 00:00\u201323:59", "\u2298 Kharmas", "no rated window"}) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        }
    }
    const std::string kept = (folder / "kept.pdf").string();
    std::ofstream(kept) << "old";
    for (const std::string& bad : {"--pdf '" + kept + "' --paper a5", std::string("--paper letter"),
                                   "--pdf '" + (folder / "none" / "m.pdf").string() + "'"}) {
        EXPECT_NE(testing::RunShell(cli + bad + " >/dev/null").status, 0) << bad;
    }
    std::ifstream old(kept);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kalvora
