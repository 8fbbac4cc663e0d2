#pragma once
// Name tables of the signs and nakshatras, and the periodic terms of the Moon's longitude.

#include <array>
#include <string_view>

namespace kalvora {

struct SignName {
    std::string_view abbreviation;  // as FormatZodiacPosition writes it
    std::string_view name;          // Sanskrit name
    std::string_view lord;
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

// Month names by month - 1 ("January" .. "December").
extern const std::array<std::string_view, 12> MonthNames;

// Weekday names by number - 1 (1 = Sunday .. 7 = Saturday).
extern const std::array<std::string_view, 7> WeekdayNames;

// The 12 signs, index = Int(sidereal longitude / 30).
extern const std::array<SignName, 12> SignNames;
// The 27 nakshatras of 13 deg 20' each.
extern const std::array<NakshatraName, 27> NakshatraNames;
// The 25 largest periodic terms of the Moon's longitude, largest first.
extern const std::array<LunarTerm, 25> MoonLongitudeTerms;

}  // namespace kalvora
