#pragma once
// Name tables of the calendar, the signs, the nakshatras and the bodies of the sky, and the periodic terms of the
// Moon's longitude.

#include <array>
#include <cstddef>
#include <string_view>

#include "astro/enum_table.h"

namespace kalvora {

struct SignName {
    std::string_view abbreviation;        // as FormatZodiacPosition writes it
    std::string_view name;                // Sanskrit name
    std::string_view lord;
    std::string_view planetAbbreviation;  // as the planet texts write it (Makara is "Cpr" there)
};

struct NakshatraName {
    std::string_view name;
    std::string_view lord;
};

// One periodic term: coefficient (degrees) x E (when timesE) x sin(d D + m M + mPrime M' + f F).
struct LunarTerm {
    int d, m, mPrime, f;
    double coefficientDeg;
    bool timesE;
};

// Weekday names by number - 1 (1 = Sunday .. 7 = Saturday).
inline constexpr auto WeekdayNames = std::to_array<std::string_view>({
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
static_assert(WeekdayNames.size() == 7);

// The 12 signs, index = Int(sidereal longitude / 30).
inline constexpr auto SignNames = std::to_array<SignName>({
    {"Ari", "Mesha", "Mars", "Ari"},
    {"Tau", "Vrishabha", "Venus", "Tau"},
    {"Gem", "Mithuna", "Mercury", "Gem"},
    {"Can", "Kataka", "Moon", "Can"},
    {"Leo", "Simha", "Sun", "Leo"},
    {"Vir", "Kanya", "Mercury", "Vir"},
    {"Lib", "Thula", "Venus", "Lib"},
    {"Sco", "Vrischika", "Mars", "Sco"},
    {"Sag", "Dhanus", "Jupiter", "Sag"},
    {"Cap", "Makara", "Saturn", "Cpr"},
    {"Aqu", "Kumbha", "Saturn", "Aqu"},
    {"Pis", "Meena", "Jupiter", "Pis"},
});
static_assert(SignNames.size() == 12);

// The 27 nakshatras of 13 deg 20' each; the lords repeat with period 9: Ketu, Venus, Sun, Moon, Mars, Rahu,
// Jupiter, Saturn, Mercury.
inline constexpr auto NakshatraNames = std::to_array<NakshatraName>({
    {"Ashwini", "Ketu"},           {"Bharani", "Venus"},          {"Krittika", "Sun"},
    {"Rohini", "Moon"},            {"Mrigasira", "Mars"},         {"Ardra", "Rahu"},
    {"Punarvasu", "Jupiter"},      {"Pushya", "Saturn"},          {"Ashlesha", "Mercury"},
    {"Magha", "Ketu"},             {"Poorva Phalguni", "Venus"},  {"Uttara Phalguni", "Sun"},
    {"Hasta", "Moon"},             {"Chitra", "Mars"},            {"Swati", "Rahu"},
    {"Vishakha", "Jupiter"},       {"Anuradha", "Saturn"},        {"Jyeshtha", "Mercury"},
    {"Moola", "Ketu"},             {"Purva Ashadha", "Venus"},    {"Uttara Ashadha", "Sun"},
    {"Shravana", "Moon"},          {"Dhanistha", "Mars"},         {"Shatabhisha", "Rahu"},
    {"Poorva Bhadrapada", "Jupiter"}, {"Uttara Bhadrapada", "Saturn"}, {"Revati", "Mercury"},
});
static_assert(NakshatraNames.size() == 27);

// The bodies of the sky in the order the planets block lists them: the Sun, the Moon, the five planets, then the
// mean lunar nodes Rahu (ascending) and Ketu (descending). The first seven are the planets of the planet texts.
enum class Body { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu };

struct BodyName {
    Body body;                      // checked against the row's place by the tests
    std::string_view name;
    std::string_view abbreviation;  // two letters, as the planet texts begin
};

inline constexpr auto BodyNames = std::to_array<BodyName>({
    {Body::Sun, "Sun", "Su"},
    {Body::Moon, "Moon", "Mo"},
    {Body::Mercury, "Mercury", "Me"},
    {Body::Venus, "Venus", "Ve"},
    {Body::Mars, "Mars", "Ma"},
    {Body::Jupiter, "Jupiter", "Ju"},
    {Body::Saturn, "Saturn", "Sa"},
    {Body::Rahu, "Rahu", "Ra"},
    {Body::Ketu, "Ketu", "Ke"},
});

// Number of planets the planet texts hold: the Sun through Saturn.
inline constexpr std::size_t PlanetTextCount = static_cast<std::size_t>(Body::Saturn) + 1;

// The name row of a body.
static_assert(InEnumeratorOrder(BodyNames, &BodyName::body), "each body sits at its enumerator's place");
static_assert(static_cast<std::size_t>(Body::Ketu) + 1 == BodyNames.size(), "every body has its row");

constexpr const BodyName& NameOf(Body body) { return BodyNames[static_cast<std::size_t>(body)]; }

// The 25 largest periodic terms of the Moon's longitude, largest first, degrees; columns D, M, M', F.
inline constexpr auto MoonLongitudeTerms = std::to_array<LunarTerm>({
    {0, 0, 1, 0, 6.288774, false},
    {2, 0, -1, 0, 1.274027, false},
    {2, 0, 0, 0, 0.658314, false},
    {0, 0, 2, 0, 0.213618, false},
    {0, 1, 0, 0, -0.185116, true},
    {0, 0, 0, 2, -0.114332, false},
    {2, 0, -2, 0, 0.058793, false},
    {2, -1, -1, 0, 0.057066, true},
    {2, 0, 1, 0, 0.053322, false},
    {2, -1, 0, 0, 0.045758, true},
    {0, 1, -1, 0, -0.040923, true},
    {1, 0, 0, 0, -0.03472, false},
    {0, 1, 1, 0, -0.030383, true},
    {2, 0, 0, -2, 0.015327, false},
    {0, 0, 1, 2, -0.012528, false},
    {0, 0, 1, -2, 0.01098, false},
    {4, 0, -1, 0, 0.010675, false},
    {0, 0, 3, 0, 0.010034, false},
    {4, 0, -2, 0, 0.008548, false},
    {2, 1, -1, 0, -0.007888, true},
    {2, 1, 0, 0, -0.006766, true},
    {1, 0, -1, 0, -0.005163, false},
    {1, 1, 0, 0, 0.004987, true},
    {2, -1, 1, 0, 0.004036, true},
    {2, 0, 2, 0, 0.003994, false},
});
static_assert(MoonLongitudeTerms.size() == 25);

}  // namespace kalvora
