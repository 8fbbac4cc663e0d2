#pragma once
// The conventions a tradition chooses: the ayanamsa, which weekday the rules read, which lunar month the "Hindu
// Lunar Month" factor reads, where the sunrise is taken and which ephemeris gives the Sun, the Moon and the
// ascendant. The defaults are the program's own: the Lahiri ayanamsa in its closed forms, the civil weekday of the
// date, the lunar month table, the Hindu sunrise and the closed-form series.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kalvora {

enum class Ayanamsa : std::uint8_t {
    Lahiri,  // the program's closed forms
    TrueChitra,
    Raman,
    Krishnamurti,
    Yukteshwar,
    TruePushya,
    FaganBradley,
};

enum class WeekdayRule : std::uint8_t {
    Civil,    // the weekday of the civil date, changing at midnight
    Sunrise,  // the almanac's weekday, from sunrise to the next sunrise at the muhurtha's place
};

enum class LunarMonthRule : std::uint8_t {
    Table,       // the lunar month table of the rule sets
    Amanta,      // the true month of the season, new moon to new moon
    Purnimanta,  // the true month of the season, full moon to full moon
};

// Which point of the Sun's disc marks rising and setting.
enum class SunriseDefinition : std::uint8_t {
    Hindu,     // centre of the disc on the horizon, no refraction (the almanacs' sunrise)
    Standard,  // upper limb on the horizon, with the standard atmospheric refraction
};

enum class EphemerisChoice : std::uint8_t {
    Specified,  // the program's closed-form series for the Sun, the Moon and the ascendant
    Precise,    // the Sun, the Moon, the ascendant and the ayanamsa from the ephemeris library
};

struct Conventions {
    Ayanamsa ayanamsa = Ayanamsa::Lahiri;
    WeekdayRule weekday = WeekdayRule::Civil;
    LunarMonthRule lunarMonth = LunarMonthRule::Table;
    SunriseDefinition sunrise = SunriseDefinition::Hindu;
    EphemerisChoice ephemeris = EphemerisChoice::Specified;
    friend bool operator==(const Conventions&, const Conventions&) = default;
};

// The part of the conventions that places the Sun, the Moon and the ascendant in the sidereal zodiac: the ayanamsa
// and the ephemeris. An ayanamsa alone stands for itself on the closed-form series.
struct Reckoning {
    Ayanamsa ayanamsa = Ayanamsa::Lahiri;
    EphemerisChoice ephemeris = EphemerisChoice::Specified;
    constexpr Reckoning() = default;
    // Not explicit: wherever an ayanamsa alone is given, it is read on the closed-form series.
    constexpr Reckoning(Ayanamsa chosen, EphemerisChoice source = EphemerisChoice::Specified)
        : ayanamsa(chosen), ephemeris(source) {}
    friend bool operator==(const Reckoning&, const Reckoning&) = default;
};
constexpr Reckoning ReckoningOf(const Conventions& c) { return {c.ayanamsa, c.ephemeris}; }
// The program's own: Lahiri in its closed forms on the closed-form series.
constexpr bool IsOwnReckoning(const Reckoning& r) { return r == Reckoning{}; }

// The word of each choice on the command line, in the JSON and in the saved preferences, and its name for people.
struct ConventionWord {
    std::string_view word;
    std::string_view name;
};

inline constexpr auto AyanamsaWords = std::to_array<ConventionWord>({
    {"lahiri", "Lahiri"},
    {"true-chitra", "True Chitra"},
    {"raman", "Raman"},
    {"krishnamurti", "Krishnamurti"},
    {"yukteshwar", "Yukteshwar"},
    {"true-pushya", "True Pushya"},
    {"fagan-bradley", "Fagan-Bradley"},
});
inline constexpr auto WeekdayWords = std::to_array<ConventionWord>({
    {"civil", "the civil weekday of the date"},
    {"sunrise", "the weekday from sunrise to sunrise"},
});
inline constexpr auto LunarMonthWords = std::to_array<ConventionWord>({
    {"table", "the lunar month table"},
    {"amanta", "the true amanta month"},
    {"purnimanta", "the true purnimanta month"},
});
inline constexpr auto SunriseWords = std::to_array<ConventionWord>({
    {"hindu", "Hindu sunrise (centre of the disc, no refraction)"},
    {"standard", "standard sunrise (upper limb, with refraction)"},
});
inline constexpr auto EphemerisWords = std::to_array<ConventionWord>({
    {"specified", "the closed-form series"},
    {"precise", "the Swiss Ephemeris (Moshier)"},
});

static_assert(AyanamsaWords.size() == static_cast<std::size_t>(Ayanamsa::FaganBradley) + 1);
static_assert(WeekdayWords.size() == static_cast<std::size_t>(WeekdayRule::Sunrise) + 1);
static_assert(LunarMonthWords.size() == static_cast<std::size_t>(LunarMonthRule::Purnimanta) + 1);
static_assert(SunriseWords.size() == static_cast<std::size_t>(SunriseDefinition::Standard) + 1);
static_assert(EphemerisWords.size() == static_cast<std::size_t>(EphemerisChoice::Precise) + 1);

template <typename Choice, std::size_t N>
constexpr const ConventionWord& WordOf(Choice choice, const std::array<ConventionWord, N>& words) {
    return words[static_cast<std::size_t>(choice)];
}

// The choice a word names, none for a word of no choice.
template <typename Choice, std::size_t N>
constexpr std::optional<Choice> ChoiceOf(std::string_view word, const std::array<ConventionWord, N>& words) {
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i].word == word) return static_cast<Choice>(i);
    }
    return std::nullopt;
}

}  // namespace kalvora
