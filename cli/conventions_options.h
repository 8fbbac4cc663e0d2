#pragma once
// The tradition's conventions on the command line, the same for every command that computes: --ayanamsa NAME,
// --weekday civil|sunrise, --lunar-month table|amanta|purnimanta and --sunrise hindu|standard, read into an options
// record's conventions (the program's defaults unless given), and their JSON object. The command line never reads
// the desktop program's preferences: a script's result depends on its arguments alone.

#include <array>
#include <string>
#include <string_view>

#include "astro/conventions.h"
#include "cli/json.h"
#include "cli/options.h"

namespace kalvora {

// The choice a word names in a table of convention words. Throws ArgumentError naming `option` and listing the
// words.
template <typename Choice, std::size_t N>
Choice ParseConvention(std::string_view option, std::string_view text, const std::array<ConventionWord, N>& words) {
    if (const std::optional<Choice> choice = ChoiceOf<Choice>(text, words)) return *choice;
    std::string expected;
    for (const ConventionWord& word : words) expected += (expected.empty() ? "" : ", ") + std::string(word.word);
    Fail(option, "expected one of " + expected + ", got " + Quoted(text));
}

namespace conventions_options {
template <typename O>
void ReadAyanamsa(O& o, std::string_view option, std::string_view text) {
    o.ConventionsChosen().ayanamsa = ParseConvention<Ayanamsa>(option, text, AyanamsaWords);
}
template <typename O>
void ReadWeekday(O& o, std::string_view option, std::string_view text) {
    o.ConventionsChosen().weekday = ParseConvention<WeekdayRule>(option, text, WeekdayWords);
}
template <typename O>
void ReadSunrise(O& o, std::string_view option, std::string_view text) {
    o.ConventionsChosen().sunrise = ParseConvention<SunriseDefinition>(option, text, SunriseWords);
}
template <typename O>
void ReadLunarMonth(O& o, std::string_view option, std::string_view text) {
    o.ConventionsChosen().lunarMonth = ParseConvention<LunarMonthRule>(option, text, LunarMonthWords);
}
}  // namespace conventions_options

// The rows of the conventions for a record O whose ConventionsChosen() gives the conventions it computes with.
template <typename O>
constexpr auto ConventionRows() {
    return std::to_array<Option<O>>({
        {"--ayanamsa", OptionKind::Value, conventions_options::ReadAyanamsa<O>},
        {"--weekday", OptionKind::Value, conventions_options::ReadWeekday<O>},
        {"--lunar-month", OptionKind::Value, conventions_options::ReadLunarMonth<O>},
        {"--sunrise", OptionKind::Value, conventions_options::ReadSunrise<O>},
    });
}

// "conventions": {"ayanamsa", "weekday", "lunarMonth", "sunrise", "ephemeris"}, each by its command-line word.
void WriteConventionsJson(JsonWriter& json, const Conventions& conventions);

// The usage text's part of the conventions' options: "[--ayanamsa lahiri|true-chitra|...] [--weekday ...] ...",
// on two lines.
// The second line starts with `indent` spaces, under the first.
std::string ConventionsUsage(std::size_t indent);

}  // namespace kalvora
