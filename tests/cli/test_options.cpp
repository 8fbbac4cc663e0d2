// The option-table reader every command uses: which message wins, in which order the rows are read, and the
// shared value readers' messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/options.h"
#include "finder/finder.h"

namespace kalvora {
namespace {

struct Probe {
    bool help = false;
    std::string log;  // each read row appends "name=value;"
    int count = 0;
};

void Log(Probe& p, std::string_view option, std::string_view value) {
    p.log += std::string(option) + "=" + std::string(value) + ";";
}

// --count relies on --first having been read before it.
void ReadCount(Probe& p, std::string_view option, std::string_view value) {
    Log(p, option, value);
    if (p.log.find("--first=") == std::string::npos) Fail(option, "read before --first");
    p.count = static_cast<int>(ParseCount(option, value, 5, "things"));
}

constexpr auto ProbeTable = std::to_array<Option<Probe>>({
    {"--old", OptionKind::NotTaken, nullptr, "not taken here"},
    {"--first", OptionKind::Required, Log},
    {"--flag", OptionKind::Flag, Log},
    {"--count", OptionKind::Value, ReadCount},
    {"--last", OptionKind::Required, Log},
});

static_assert(WellFormed(ProbeTable));
static_assert(
    !WellFormed(std::to_array<Option<Probe>>({{"--a", OptionKind::Flag, Log}, {"--a", OptionKind::Value, Log}})));
static_assert(!WellFormed(std::to_array<Option<Probe>>({{"-a", OptionKind::Flag, Log}})));

TEST(ReadOptions, ATakenOptionWithoutItsReaderIsAProgrammingError) {
    const auto table = std::to_array<Option<Probe>>({{"--a", OptionKind::Flag}});
    EXPECT_THROW(ReadOptions({"--a"}, table, "probe --help"), std::logic_error);
}

std::string Message(const std::vector<std::string>& args) {
    try {
        ReadOptions(args, ProbeTable, "probe --help");
    } catch (const ArgumentError& e) {
        return e.what();
    }
    return "";
}

TEST(ReadOptions, FirstProblemWins) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "--first: missing (see probe --help)"},
        {{"--first", "a"}, "--last: missing (see probe --help)"},
        {{"--last", "z", "--old"}, "--old: not taken here"},
        {{"--old", "--nope"}, "--old: not taken here"},  // a refusal is reported where it stands
        {{"--nope", "--old"}, "unknown argument '--nope' (see probe --help)"},
        {{"--flag", "--flag", "--nope"}, "--flag: given more than once"},
        {{"-h", "-h"}, "-h: given more than once"},
        {{"--last", "z", "--first"}, "--first: a value is missing"},
        {{"--count", "9"}, "--first: missing (see probe --help)"},  // presence before values
        {{"--count", "0", "--first", "a", "--last", "z"},
         "--count: expected a whole number of things from 1 to 5, got '0'"},
        {{"--count", "3", "--first", "a", "--last", "z"}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Message(c.args), c.message) << ::testing::PrintToString(c.args);
}

TEST(ReadOptions, HelpSkipsEveryOtherCheckAndRowsAreReadInTableOrder) {
    EXPECT_TRUE(ReadOptions({"--count", "x", "--help"}, ProbeTable, "").help);
    const Probe p = ReadOptions({"--last", "z", "--count", "2", "--flag", "--first", "a"}, ProbeTable, "");
    EXPECT_FALSE(p.help);
    EXPECT_EQ(p.log, "--first=a;--flag=;--count=2;--last=z;");
    EXPECT_EQ(p.count, 2);
}

TEST(ValueReaders, Messages) {
    const auto message = [](auto read) {
        try {
            read();
        } catch (const ArgumentError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([] { ParseChoice("--o", "x", {"a", "b", "c"}); }), "--o: expected a, b or c, got 'x'");
    EXPECT_EQ(message([] { ParseSex("--sex", "male"); }), "--sex: expected Male or Female, got 'male'");
    EXPECT_EQ(message([] { ParseCount("--n", "1234567890", 2000000000, "days"); }),
              "--n: expected a whole number of days from 1 to 2000000000, got '1234567890'");
    EXPECT_EQ(message([] { ParseBetween("--b", "07:00-21:00 "); }),
              "--b: expected two clock times HH:MM-HH:MM between 00:00 and 23:59 (for example 07:00-21:00), got "
              "'07:00-21:00 '");
    EXPECT_EQ(message([] { ParseDate("--d", "2026-003-1"); }), "--d: expected a date YYYY-MM-DD, got '2026-003-1'");
    EXPECT_EQ(ParseChoice("--o", "c", {"a", "b", "c"}), 2u);
    EXPECT_EQ(ParseBetween("--b", "22:00-02:30").lastMinute, 150);
    EXPECT_EQ(ParseCount("--n", "000000007", 9, "days"), 7);
}

}  // namespace
}  // namespace kalvora
