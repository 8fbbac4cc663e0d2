// The real kalvora-cli program, run end to end on worked moments.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct ProgramResult {
    int status = -1;
    std::string out;
};

// Runs the program with the given argument text; standard error is discarded.
ProgramResult RunProgram(const std::string& arguments) {
    const std::string command = std::string("\"") + KALVORA_CLI_PATH + "\" " + arguments + " 2>/dev/null";
    ProgramResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
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

TEST(Program, BadArgumentFromTheRealProgram) {
    EXPECT_EQ(RunProgram(WorkedExample + " --muhurtha-zone 5").status, 2);
    EXPECT_EQ(RunProgram("").status, 2);
}

}  // namespace
