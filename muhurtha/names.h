#pragma once
// The names the muhurtha rules compare against, in their counting order, and name masks built from them.
// A mask has bit i set for entry i of its table; a literal that is not in the table is refused at compile time,
// so a misspelt rule cannot silently never match.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "astro/calendar.h"
#include "astro/tables.h"
#include "panchanga/tables.h"

namespace kalvora::names {

// A name column of one of the engines' tables, as a plain list of names.
template <typename Row, std::size_t N, typename Field>
constexpr std::array<std::string_view, N> Column(const std::array<Row, N>& rows, Field Row::*field) {
    std::array<std::string_view, N> names{};
    for (std::size_t i = 0; i < N; ++i) names[i] = rows[i].*field;
    return names;
}

// The fifteen tithis of a fortnight in their rule form, then the new moon.
constexpr std::array<std::string_view, 16> FortnightTithiRuleNames() {
    std::array<std::string_view, 16> names{};
    for (std::size_t i = 0; i < 15; ++i) names[i] = TithiNames[i].rule;
    names[15] = TithiNames[29].rule;
    return names;
}

// The rules compare against the engines' own names: the lists below are taken from the engines' tables.

// Nakshatras, numbered 1..27 by Tara bala (entry 0 is number 1).
inline constexpr std::array<std::string_view, 27> Nakshatras = Column(NakshatraNames, &NakshatraName::name);

// Signs (Moon sign and lagna), numbered 1..12.
inline constexpr std::array<std::string_view, 12> Signs = Column(SignNames, &SignName::name);
// The three-letter sign abbreviations of the planet texts (Makara is "Cpr" there).
inline constexpr std::array<std::string_view, 12> SignAbbreviations = Column(SignNames, &SignName::planetAbbreviation);

inline constexpr std::array<std::string_view, 7> Weekdays = WeekdayNames;

// Tithi names in the form the rules compare: the fifteen of a fortnight, then the new moon.
inline constexpr std::array<std::string_view, 16> TithiRuleNames = FortnightTithiRuleNames();

inline constexpr std::array<std::string_view, 5> TithiClasses = kalvora::TithiClasses;

inline constexpr std::array<std::string_view, 2> Pakshas = PakshaNames;

inline constexpr std::array<std::string_view, 27> Yogas = YogaNames;

inline constexpr std::array<std::string_view, 11> Karanas = KaranaNames;

inline constexpr auto LunarMonths = std::to_array<std::string_view>({
    "Chaitra", "Vaisakha", "Jyaistha", "Asadha", "Shravana", "Bhadra",
    "Asvina", "Kartika", "Agrahayana", "Pausa", "Magha", "Falguna"});
static_assert(LunarMonths.size() == 12);

inline constexpr std::array<std::string_view, 12> CalendarMonths = MonthNames;

inline constexpr auto Sexes = std::to_array<std::string_view>({"Male", "Female"});
static_assert(Sexes.size() == 2);

// The first planets of the body table.
constexpr std::array<std::string_view, PlanetTextCount> PlanetNames() {
    std::array<std::string_view, PlanetTextCount> names{};
    for (std::size_t i = 0; i < PlanetTextCount; ++i) names[i] = BodyNames[i].name;
    return names;
}

// Planets of the planet texts, in the order the tenth-house list is built.
inline constexpr std::array<std::string_view, PlanetTextCount> Planets = PlanetNames();
inline constexpr std::size_t JupiterSlot = static_cast<std::size_t>(Body::Jupiter);

// Index of the first entry equal to name (exact, case-sensitive); -1 when none is.
constexpr int IndexOf(std::span<const std::string_view> table, std::string_view name) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// 1-based position of name in the table; 0 when it is not there.
constexpr int PositionOf(std::span<const std::string_view> table, std::string_view name) {
    return IndexOf(table, name) + 1;
}

using Mask = std::uint32_t;

// Mask of the given names in the table. Used in constant expressions: an unknown name stops the compilation.
constexpr Mask MaskOf(std::span<const std::string_view> table, std::initializer_list<std::string_view> members) {
    Mask mask = 0;
    for (std::string_view name : members) {
        const int i = IndexOf(table, name);
        if (i < 0 || i >= 32) throw "name not in its table";
        mask |= Mask{1} << i;
    }
    return mask;
}

// Whether entry index (-1 for a name not in the table) is in the mask.
constexpr bool InMask(Mask mask, int index) {
    return index >= 0 && index < 32 && ((mask >> index) & 1u) != 0;
}

}  // namespace kalvora::names
