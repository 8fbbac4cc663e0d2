#pragma once
// The tradition's conventions on the command line, the same for every command that computes: --ayanamsa NAME,
// --weekday civil|sunrise, --lunar-month table|amanta|purnimanta, --sunrise hindu|standard and --ephemeris
// specified|precise, read into an options record's conventions (the program's defaults unless given), and their JSON
// object. The command line never reads the desktop program's preferences: a script's result depends on its
// arguments alone.

#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

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
// Reads the word of one convention, the Conventions member `Member`, from its table of words `Words`.
template <typename O, auto Member, const auto& Words>
void Read(O& o, std::string_view option, std::string_view text) {
    using Choice = std::remove_cvref_t<decltype(std::declval<Conventions&>().*Member)>;
    o.ConventionsChosen().*Member = ParseConvention<Choice>(option, text, Words);
}
}  // namespace conventions_options

// The rows of the conventions for a record O whose ConventionsChosen() gives the conventions it computes with.
template <typename O>
constexpr auto ConventionRows() {
    return std::to_array<Option<O>>({
        {"--ayanamsa", OptionKind::Value, conventions_options::Read<O, &Conventions::ayanamsa, AyanamsaWords>},
        {"--weekday", OptionKind::Value, conventions_options::Read<O, &Conventions::weekday, WeekdayWords>},
        {"--lunar-month", OptionKind::Value, conventions_options::Read<O, &Conventions::lunarMonth, LunarMonthWords>},
        {"--sunrise", OptionKind::Value, conventions_options::Read<O, &Conventions::sunrise, SunriseWords>},
        {"--ephemeris", OptionKind::Value, conventions_options::Read<O, &Conventions::ephemeris, EphemerisWords>},
    });
}

// "conventions": {"ayanamsa", "weekday", "lunarMonth", "sunrise", "ephemeris"}, each by its command-line word.
void WriteConventionsJson(JsonWriter& json, const Conventions& conventions);

// The usage text's part of the conventions' options: "[--ayanamsa lahiri|true-chitra|...] [--weekday ...] ...",
// on two lines.
// The second line starts with `indent` spaces, under the first.
std::string ConventionsUsage(std::size_t indent);

}  // namespace kalvora
