// The real kalvora-cli program, run end to end on worked moments.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/shell_run.h"

namespace {

using kalvora::testing::ProgramResult;

// Runs the program with the given argument text; standard error is discarded.
ProgramResult RunProgram(const std::string& arguments) {
    return kalvora::testing::RunShell(std::string("\"") + KALVORA_CLI_PATH + "\" " + arguments);
}

// The text of the JSON object that follows "key": up to the matching brace.
std::string ObjectAfter(const std::string& json, const std::string& key) {
    const std::size_t start = json.find("\"" + key + "\": {");
    if (start == std::string::npos) return {};
    std::size_t pos = json.find('{', start);
    int depth = 0;
    for (std::size_t i = pos; i < json.size(); ++i) {
        if (json[i] == '{') ++depth;
        if (json[i] == '}' && --depth == 0) return json.substr(pos, i - pos + 1);
    }
    return {};
}

const std::string WorkedExample =
    "--name Ravi --sex Male "
    "--muhurtha 2000-01-01T17:30 --muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 "
    "--birth 1947-08-15T00:00:10 --birth-lat 28:39N --birth-lon 77:13E --birth-zone +05:30";

TEST(Program, WorkedMomentsAsJson) {
    const ProgramResult r = RunProgram(WorkedExample + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string birth = ObjectAfter(r.out, "birth");
    const std::string muhurtha = ObjectAfter(r.out, "muhurtha");
    for (const char* expected : {"\"rashi\": \"Kataka\"", "\"nakshatra\": \"Pushya\"", "\"nakshatraLord\": \"Saturn\"",
                                 "\"lagna\": \"Vrishabha\"", "\"vaar\": \"Friday\"", "\"ut\": -5.5"}) {
        EXPECT_NE(birth.find(expected), std::string::npos) << expected << "\n" << birth;
    }
    for (const char* expected : {"\"ut\": 12", "\"jdn\": 2451545", "\"weekdayName\": \"Saturday\"",
                                 "\"tithiNumber\": 26", "\"tithiName\": \"Ekadasi\"", "\"tithiRuleName\": \"Ekadashi\"",
                                 "\"tithiClass\": \"Nanda\"", "\"yogaName\": \"Dhrithi\"", "\"karanaName\": \"Bava\"",
                                 "\"paksha\": \"Krishna Paksha\""}) {
        EXPECT_NE(muhurtha.find(expected), std::string::npos) << expected << "\n" << muhurtha;
    }
    EXPECT_NE(r.out.find("\"taraVerdict\": \""), std::string::npos);
    EXPECT_NE(r.out.find("\"evaluation\": null"), std::string::npos);  // no subject given
}

TEST(Program, WorkedMomentsAsText) {
    const ProgramResult r = RunProgram(WorkedExample);
    ASSERT_EQ(r.status, 0);
    for (const char* expected : {"Birth Details", "  Name: Ravi", "  Date of Birth: August 15 1947 MM:DD:YYYY",
                                 "  Time of Birth: 0 0 HH:MM", "  Rashi: Kataka", "  Lagna: Vrishabha",
                                 "Muhurtha Details", "  Muhurtha Date: January 1 2000 MM:DD:YYYY",
                                 "  Muhurtha Tithi: Ekadasi", "  Muhurtha Vaar: Saturday", "Tara Bala: "}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    }
}

// The text of the JSON array that follows "key": up to the matching bracket.
std::string ArrayAfter(const std::string& json, const std::string& key) {
    const std::size_t start = json.find("\"" + key + "\": [");
    if (start == std::string::npos) return {};
    const std::size_t end = json.find(']', start);
    return end == std::string::npos ? std::string() : json.substr(start, end - start + 1);
}

TEST(Program, PlanetsOfEachMomentInJson) {
    const ProgramResult r = RunProgram(WorkedExample + " --json");
    ASSERT_EQ(r.status, 0);
    const std::string muhurtha = ObjectAfter(r.out, "muhurtha");
    const std::string planets = ArrayAfter(muhurtha, "planets");
    // Nine bodies, Sun to Ketu, each with its fields in this order; the sign abbreviation as the planet texts
    // write it.
    const char* const bodies[] = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"};
    std::size_t at = 0;
    for (const char* body : bodies) {
        at = planets.find(std::string("{\"name\": \"") + body + "\", \"longitude\": ", at);
        ASSERT_NE(at, std::string::npos) << body << "\n" << planets;
        const std::size_t end = planets.find('}', at);
        const std::string object = planets.substr(at, end - at + 1);
        std::size_t field = 0;
        for (const char* key : {"\"sign\": ", "\"signAbbreviation\": ", "\"nakshatra\": ", "\"retrograde\": "}) {
            field = object.find(key, field);
            EXPECT_NE(field, std::string::npos) << key << " in " << object;
        }
        at = end;
    }
    EXPECT_NE(planets.find("{\"name\": \"Saturn\", \"longitude\": 16.5"), std::string::npos) << planets;
    EXPECT_NE(planets.find("\"sign\": \"Makara\", \"signAbbreviation\": \"Cpr\", \"nakshatra\": \"Shravana\", "
                           "\"retrograde\": true}"),
              std::string::npos)
        << planets;  // Ketu
    // The ayanamsa follows the planets at the end of the moment: Lahiri, 23°51' at the start of 2000.
    EXPECT_NE(muhurtha.find("], \"ayanamsa\": 23.85"), std::string::npos) << muhurtha;
    EXPECT_LT(muhurtha.find("\"panchanga\": {"), muhurtha.find("\"planets\": [")) << "the planets follow the almanac";
    EXPECT_NE(ObjectAfter(r.out, "birth").find("\"planets\": ["), std::string::npos);

    const ProgramResult none = RunProgram(WorkedExample + " --json --planets none");
    ASSERT_EQ(none.status, 0);
    EXPECT_EQ(none.out.find("\"planets\""), std::string::npos);
    EXPECT_EQ(none.out.find("\"ayanamsa\": 2"), std::string::npos);  // the planets' value, not the conventions' word
}

TEST(Program, PlanetsBlockInTheText) {
    const ProgramResult sky = RunProgram(WorkedExample);
    ASSERT_EQ(sky.status, 0);
    EXPECT_NE(sky.out.find("  Muhurtha Vaar: Saturday\n  Planets:\n    Sun     Dhanus    16\u00b030'  Purva Ashadha\n"),
              std::string::npos)
        << sky.out;
    const ProgramResult none = RunProgram(WorkedExample + " --planets none");
    EXPECT_EQ(none.out.find("Planets:"), std::string::npos);
    EXPECT_EQ(RunProgram(WorkedExample + " --planets all").status, 2);
}

TEST(Program, BadArgumentFromTheRealProgram) {
    EXPECT_EQ(RunProgram(WorkedExample + " --muhurtha-zone 5").status, 2);
    EXPECT_EQ(RunProgram("").status, 2);
}

}  // namespace

namespace {

const std::string Birth =
    "--name Asha --sex Female --birth 1995-08-15T06:45 --birth-lat 19:04N --birth-lon 72:52E --birth-zone +05:30 ";
const std::string Place = "--muhurtha-lat 28:39N --muhurtha-lon 77:13E --muhurtha-zone +05:30 ";

// One subject of each category of the first page, with the threshold of its rule set.
struct CategoryCase {
    const char* subject;
    const char* muhurtha;
    int threshold;
};

TEST(Program, OneEvaluationPerCategory) {
    const CategoryCase cases[] = {
        {"Tonsuring of Head", "2026-12-10T10:30", 3},
        {"Marriage", "2027-02-14T19:05", 5},
        {"Learning of a Trade", "2026-12-11T08:00", 2},
        {"Entering a New House", "2027-01-20T06:30", 4},
        {"Start On A New Job", "2027-03-01T09:15", 4},
        {"Start A New Business", "2027-04-14T11:45", 4},
        {"Religious Journey", "2027-05-02T05:40", 8},
        {"Laying the Foundation", "2027-06-21T07:10", 3},
        {"Borrowing Money", "2027-07-07T13:00", 2},
        {"Legal", "2027-08-30T10:00", 2},
        {"Date for operations", "2027-09-09T08:20", 2},
        {"Sell Item", "2027-10-31T16:00", 3},
    };
    for (const auto& c : cases) {
        const ProgramResult r =
            RunProgram(Birth + Place + "--subject \"" + c.subject + "\" --muhurtha " + c.muhurtha + " --json");
        ASSERT_EQ(r.status, 0) << c.subject;
        const std::string evaluation = ObjectAfter(r.out, "evaluation");
        ASSERT_FALSE(evaluation.empty()) << c.subject << "\n" << r.out;
        EXPECT_NE(evaluation.find("\"stopped\": false"), std::string::npos) << c.subject;
        EXPECT_NE(evaluation.find("\"threshold\": " + std::to_string(c.threshold) + ","), std::string::npos)
            << c.subject << "\n" << evaluation;
        EXPECT_NE(evaluation.find("\\r\\n\\r\\nMuhurtha: "), std::string::npos) << c.subject;
        EXPECT_NE(evaluation.find("\"codes\": {\"tara\": "), std::string::npos) << c.subject;
    }
}

TEST(Program, DateOrderStopsTheEvaluation) {
    const ProgramResult r = RunProgram(Birth + Place + "--subject Legal --muhurtha 1995-08-14T10:00 --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"stopped\": true, \"message\": "
                         "\"Your Muhurtha Date is more than Your Birth Date. Please check.\""),
              std::string::npos)
        << r.out;
    // Every code and flag named, in their established order, and none written.
    EXPECT_NE(r.out.find("\"codes\": {\"tara\": 0, \"moon\": 0, \"nakshatra\": 0, \"tithi\": 0, \"weekday\": 0, "
                         "\"rashi\": 0, \"karana\": 0, \"yoga\": 0, \"siddha\": 0, \"sarvartha\": 0, "
                         "\"tripushkar\": 0, \"amrita\": 0, \"lunarMonth\": 0, \"lagna\": 0, \"dvipushkar\": 0, "
                         "\"saraswati\": 0}, \"flags\": {\"mrityu\": 0, \"dagdha\": 0, \"yamaghata\": 0}, "),
              std::string::npos)
        << r.out;
}

std::string ReadFile(const std::string& path) {
    std::string text;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0) text.append(buffer.data(), n);
        fclose(f);
    }
    return text;
}

TEST(Program, ReportFiles) {
    const std::string folder = ::testing::TempDir() + "kalvora-cli-report-" + std::to_string(getpid());
    ASSERT_EQ(system(("mkdir -p '" + folder + "'").c_str()), 0);
    const std::string common = Birth + Place + "--subject \"Domestic Journey\" --muhurtha 2026-12-10T10:30 ";

    ASSERT_EQ(RunProgram(common + "--report '" + folder + "/a.rtf'").status, 0);
    const std::string rtf = ReadFile(folder + "/a.rtf");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("{\\pict\\wmetafile8"), std::string::npos);
    EXPECT_NE(rtf.find("Domestic Journey"), std::string::npos);
    // The details of the calculation close the report unless left out.
    EXPECT_NE(rtf.find("Details of the Calculation"), std::string::npos);
    ASSERT_EQ(RunProgram(common + "--report-appendix none --report '" + folder + "/c.rtf'").status, 0);
    const std::string withoutAppendix = ReadFile(folder + "/c.rtf");
    EXPECT_EQ(withoutAppendix.find("Details of the Calculation"), std::string::npos);

    // Two people: a section each, then the combined verdict.
    const std::string couple = Birth + Place + "--subject Marriage --muhurtha 2026-12-10T10:30 --partner 1992-02-03T09:15 "
                               "--partner-lat 13:05N --partner-lon 80:17E --partner-zone +05:30 --partner-name Ravi "
                               "--partner-sex Male --report-appendix none ";
    ASSERT_EQ(RunProgram(couple + "--report '" + folder + "/d.rtf'").status, 0);
    const std::string two = ReadFile(folder + "/d.rtf");
    const std::size_t ravi = two.find("Ravi (groom)");
    ASSERT_NE(ravi, std::string::npos);
    EXPECT_LT(ravi, two.find("Combined Verdict"));
    EXPECT_NE(two.find("Surya bala: "), std::string::npos);

    // A file that cannot be written is reported, with status 1.
    EXPECT_EQ(RunProgram(common + "--report '" + folder + "/missing/folder/a.rtf'").status, 1);
    // A report needs a subject.
    EXPECT_EQ(RunProgram(Birth + Place + "--muhurtha 2026-12-10T10:30 --report '" + folder + "/b.rtf'").status, 2);

    if (!KALVORA_CLI_PDF) {
        // Without the desktop build the program says it writes RTF only.
        EXPECT_EQ(RunProgram(common + "--report '" + folder + "/a.pdf'").status, 1);
        return;
    }
    ASSERT_EQ(RunProgram(common + "--report '" + folder + "/a.pdf'").status, 0);
    const ProgramResult text = [&] {
        ProgramResult t;
        FILE* pipe = popen(("pdftotext '" + folder + "/a.pdf' - 2>/dev/null").c_str(), "r");
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while (pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) t.out.append(buffer.data(), n);
        if (pipe) t.status = pclose(pipe);
        return t;
    }();
    EXPECT_NE(text.out.find("Kalvora Report"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Chosen Muhurtha Date"), std::string::npos);
    EXPECT_NE(text.out.find("December 10, 2026"), std::string::npos);
}

// A report replaces only a regular file, and only once it is written whole: a failed write leaves the earlier file
// and no temporary, anything but a regular file (or a link to one) is refused with one line naming it.
TEST(Program, AReportReplacesOnlyARegularFileWrittenWhole) {
    namespace fs = std::filesystem;
    const fs::path folder = ::testing::TempDir() + "kalvora-cli-replace-" + std::to_string(getpid());
    const std::string common = Birth + Place + "--subject \"Domestic Journey\" --muhurtha 2026-12-10T10:30 ";
    const auto write = [](const fs::path& path, const std::string& text) { std::ofstream(path) << text; };
    const struct {
        const char* what;
        const char* name;
        void (*prepare)(const fs::path& folder, const char* name);
        const char* limit;  // shell words run before the program
        int status;
    } cases[] = {
        {"a write past the file-size limit", "old.rtf", nullptr, "ulimit -f 16;", 1},
        {"a PDF past the file-size limit", "old.pdf", nullptr, "ulimit -f 16;", 1},
        {"a pipe", "pipe.rtf", [](const fs::path& f, const char* n) { mkfifo((f / n).c_str(), 0644); }, "", 1},
        {"a link to a pipe", "link.pdf",
         [](const fs::path& f, const char* n) {
             mkfifo((f / "pipe").c_str(), 0644);
             fs::create_symlink("pipe", f / n);
         }, "", 1},
        {"a link to nothing", "dangling.rtf", [](const fs::path& f, const char* n) { fs::create_symlink("none", f / n); },
         "", 1},
        {"a link to a regular file", "link.rtf",
         [](const fs::path& f, const char* n) {
             std::ofstream(f / "target") << "old";
             fs::create_symlink("target", f / n);
         }, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!KALVORA_CLI_PDF && fs::path(c.name).extension() == ".pdf") continue;
        fs::remove_all(folder);
        fs::create_directories(folder);
        if (c.prepare) {
            c.prepare(folder, c.name);
        } else {
            write(folder / c.name, "old");
        }
        const auto before = fs::symlink_status(folder / c.name).type();
        const std::string path = (folder / c.name).string();
        // Standard error to the pipe and standard output away, inside a group whose own standard error is discarded.
        const ProgramResult run = kalvora::testing::RunShell(std::string("(") + c.limit + " \"" + KALVORA_CLI_PATH +
                                                             "\" " + common + "--report '" + path + "' 2>&1 >/dev/null)");
        EXPECT_EQ(run.status, c.status) << run.out;
        if (c.status != 0) {
            EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
            EXPECT_NE(run.out.find(path), std::string::npos) << run.out;
        }
        EXPECT_EQ(fs::symlink_status(folder / c.name).type(), before);
        for (const auto& entry : fs::directory_iterator(folder)) {
            EXPECT_EQ(entry.path().filename().string().rfind(".kalvora-", 0), std::string::npos) << entry.path();
        }
        if (!c.prepare) {
            EXPECT_EQ(ReadFile(path), "old");
        }
        if (c.status == 0) {
            EXPECT_EQ(ReadFile(path).rfind("{\\rtf1", 0), 0u);
        }
    }
    fs::remove_all(folder);
}

}  // namespace
