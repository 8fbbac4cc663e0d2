#include "cli/conventions_options.h"

namespace kalvora {
namespace {

template <std::size_t N>
std::string Words(const std::array<ConventionWord, N>& words) {
    std::string out;
    for (const ConventionWord& word : words) out += (out.empty() ? "" : "|") + std::string(word.word);
    return out;
}

}  // namespace

void WriteConventionsJson(JsonWriter& json, const Conventions& conventions) {
    json.Key("conventions")
        .BeginObject()
        .Field("ayanamsa", WordOf(conventions.ayanamsa, AyanamsaWords).word)
        .Field("weekday", WordOf(conventions.weekday, WeekdayWords).word)
        .Field("lunarMonth", WordOf(conventions.lunarMonth, LunarMonthWords).word)
        .Field("sunrise", WordOf(conventions.sunrise, SunriseWords).word)
        .Field("ephemeris", WordOf(conventions.ephemeris, EphemerisWords).word)
        .EndObject();
}

std::string ConventionsUsage(std::size_t indent) {
    return "[--ayanamsa " + Words(AyanamsaWords) + "] [--weekday " + Words(WeekdayWords) + "]\n" +
           std::string(indent, ' ') + "[--lunar-month " + Words(LunarMonthWords) + "] [--sunrise " +
           Words(SunriseWords) + "] [--ephemeris " + Words(EphemerisWords) + "]";
}

}  // namespace kalvora
