#pragma once
// The options of kalvora-cli's commands: one table per command, read by one loop, and the value readers every
// command shares. Every value is checked, and a bad one is reported as an ArgumentError whose message names the
// option.
//
// A command's table lists its options in the order they are checked: the required ones are looked for in that
// order, then the given ones are read in that order, so a row may rely on the rows above it having been read.

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "driver/calculation.h"

namespace kalvora {

struct DailyWindow;  // the finder's daily window: only the callers of ParseBetween need the finder

struct ArgumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ArgumentError "option: what".
[[noreturn]] void Fail(std::string_view option, const std::string& what);
// The text in single quotes, as messages show what was given.
std::string Quoted(std::string_view text);

enum class OptionKind {
    Flag,      // given alone
    Value,     // takes the next argument as its value
    Required,  // takes a value and must be given
    Repeated,  // takes a value and may be given more than once: read once a value, in the order given
    NotTaken,  // named so that the message can say why the command refuses it
};

template <typename Options>
struct Option {
    std::string_view name;
    OptionKind kind;
    // Reads the value ("" for a flag) into the options; throws ArgumentError naming the option.
    void (*read)(Options& options, std::string_view option, std::string_view value) = nullptr;
    std::string_view refusal = {};  // the reason shown for a NotTaken option
};

// A table every command's static_assert checks: names are "--" words, none twice and none --help. (Whether each
// taken row has its reader is checked as the row is read: a reader's address is not a constant in every build.)
template <typename Options, std::size_t Rows>
constexpr bool WellFormed(const std::array<Option<Options>, Rows>& table) {
    for (std::size_t i = 0; i < Rows; ++i) {
        const Option<Options>& row = table[i];
        if (!row.name.starts_with("--") || row.name == "--help") return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (table[j].name == row.name) return false;
        }
    }
    return true;
}

namespace options_detail {
bool IsHelp(std::string_view argument);  // --help or -h, which every command takes
[[noreturn]] void Unknown(std::string_view argument, std::string_view seeHelp);
[[noreturn]] void GivenTwice(std::string_view option);
[[noreturn]] void ValueMissing(std::string_view option);
[[noreturn]] void Missing(std::string_view option, std::string_view seeHelp);
}  // namespace options_detail

// Reads a command's arguments against its table, starting from `options` (the defaults). `seeHelp` is how the
// messages point to the usage ("--help", "find --help"). With --help or -h only `help` is set. Options records
// with a `given` set get the names of the options given.
template <typename Options, std::size_t Rows>
Options ReadOptions(const std::vector<std::string>& args, const std::array<Option<Options>, Rows>& table,
                    std::string_view seeHelp, Options options = {}) {
    using namespace options_detail;
    const auto find = [&](std::string_view name) {
        return std::find_if(table.begin(), table.end(), [&](const Option<Options>& row) { return row.name == name; });
    };
    std::map<std::string_view, std::vector<std::string_view>> given;  // option name -> values, "" for a flag
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& argument = args[i];
        const auto row = find(argument);
        const bool known = row != table.end();
        if (known && row->kind == OptionKind::NotTaken) Fail(argument, std::string(row->refusal));
        if (!known && !IsHelp(argument)) Unknown(argument, seeHelp);
        if (given.count(argument) && !(known && row->kind == OptionKind::Repeated)) GivenTwice(argument);
        const bool takesValue = known && row->kind != OptionKind::Flag;
        if (takesValue && i + 1 >= args.size()) ValueMissing(argument);
        given[argument].push_back(takesValue ? std::string_view(args[++i]) : std::string_view());
    }
    if (given.count("--help") || given.count("-h")) {
        options.help = true;
        return options;
    }
    for (const Option<Options>& row : table) {
        if (row.kind == OptionKind::Required && !given.count(row.name)) Missing(row.name, seeHelp);
    }
    for (const Option<Options>& row : table) {
        if (const auto at = given.find(row.name); at != given.end()) {
            if (row.read == nullptr) throw std::logic_error(std::string(row.name) + " has no reader");
            // A command that checks which options came together keeps their names.
            if constexpr (requires { options.given.insert(row.name); }) options.given.insert(row.name);
            for (const std::string_view value : at->second) row.read(options, row.name, value);
        }
    }
    return options;
}

// The value readers (each throws ArgumentError naming `option`).
void ParseDateTime(std::string_view option, std::string_view text, MomentInput& moment);  // YYYY-MM-DDTHH:MM[:SS]
void ParseLatitude(std::string_view option, std::string_view text, MomentInput& moment);  // DD:MM(N|S)
void ParseLongitude(std::string_view option, std::string_view text, MomentInput& moment); // DDD:MM(E|W)
void ParseZone(std::string_view option, std::string_view text, MomentInput& moment);      // (+|-)HH:MM[:SS]
// The flag that puts the moment's clock on daylight saving time (the text is "").
void MarkDst(std::string_view option, std::string_view text, MomentInput& moment);
std::string ParseWeekday(std::string_view option, std::string_view text);                 // Sunday .. Saturday
std::string ParseSex(std::string_view option, std::string_view text);                     // Male or Female
LocalDate ParseDate(std::string_view option, std::string_view text);                      // YYYY-MM-DD
DailyWindow ParseBetween(std::string_view option, std::string_view text);                 // HH:MM-HH:MM
// Comma-separated weekday names, true for each one named; naming all seven is refused.
std::array<bool, 7> ParseLeftOutWeekdays(std::string_view option, std::string_view text);
// A year from FirstYear to LastYear.
int ParseYear(std::string_view option, std::string_view text);
// A whole number from 1 to `largest`; `what` names the things counted.
long ParseCount(std::string_view option, std::string_view text, long largest, std::string_view what);
// "sky" (the planets from the ephemeris) or "none" (empty planet texts).
PlanetsMode ParsePlanetsMode(std::string_view option, std::string_view text);
// One of a few words, exactly as spelt ("expected A, B or C"); returns its position among them.
std::size_t ParseChoice(std::string_view option, std::string_view text, std::initializer_list<std::string_view> words);

}  // namespace kalvora
