#pragma once
// The names the muhurtha rules compare against, in their counting order, and name masks built from them.
// A mask has bit i set for entry i of its table; a literal that is not in the table is refused at compile time,
// so a misspelt rule cannot silently never match.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace kalvora::names {

// Nakshatras, numbered 1..27 by Tara bala (entry 0 is number 1).
inline constexpr std::array<std::string_view, 27> Nakshatras = {
    "Ashwini", "Bharani", "Krittika", "Rohini", "Mrigasira", "Ardra", "Punarvasu", "Pushya", "Ashlesha",
    "Magha", "Poorva Phalguni", "Uttara Phalguni", "Hasta", "Chitra", "Swati", "Vishakha", "Anuradha", "Jyeshtha",
    "Moola", "Purva Ashadha", "Uttara Ashadha", "Shravana", "Dhanistha", "Shatabhisha", "Poorva Bhadrapada",
    "Uttara Bhadrapada", "Revati"};

// Signs (Moon sign and lagna), numbered 1..12, with the three-letter abbreviations of the planet texts.
inline constexpr std::array<std::string_view, 12> Signs = {
    "Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya",
    "Thula", "Vrischika", "Dhanus", "Makara", "Kumbha", "Meena"};
inline constexpr std::array<std::string_view, 12> SignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cpr", "Aqu", "Pis"};

inline constexpr std::array<std::string_view, 7> Weekdays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Tithi names in the form the rules compare: the fifteen of a fortnight, then the new moon.
inline constexpr std::array<std::string_view, 16> TithiRuleNames = {
    "Pratipada", "Dwitiya", "Tritiya", "Chaturthi", "Panchami", "Shasthi", "Saptami", "Ashtami",
    "Navami", "Dashami", "Ekadashi", "Dwadashi", "Triyodashi", "Chaturdashi", "Purnima", "Amavashya"};

inline constexpr std::array<std::string_view, 5> TithiClasses = {"Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"};

inline constexpr std::array<std::string_view, 2> Pakshas = {"Shukla Paksha", "Krishna Paksha"};

inline constexpr std::array<std::string_view, 27> Yogas = {
    "Vishkambha", "Prithi", "Ayushman", "Saubhagya", "Sobhana", "Atiganda", "Sukarman", "Dhrithi", "Soola",
    "Ganda", "Vridhi", "Dhruva", "Vyaghata", "Harshana", "Vajra", "Siddhi", "Vyatipata", "Variyan",
    "Parigha", "Siva", "Siddha", "Sadhya", "Subha", "Sukla", "Bramha", "Indra", "Vaidhruthi"};

inline constexpr std::array<std::string_view, 11> Karanas = {
    "Bava", "Balava", "Kaulava", "Taitula", "Garija", "Vanija", "Visti",
    "Sakuna", "Chatuspada", "Naga", "Kimstughna"};

inline constexpr std::array<std::string_view, 12> LunarMonths = {
    "Chaitra", "Vaisakha", "Jyaistha", "Asadha", "Shravana", "Bhadra",
    "Asvina", "Kartika", "Agrahayana", "Pausa", "Magha", "Falguna"};

inline constexpr std::array<std::string_view, 12> CalendarMonths = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};

inline constexpr std::array<std::string_view, 2> Sexes = {"Male", "Female"};

// Planets of the planet texts, in the order the tenth-house list is built.
inline constexpr std::array<std::string_view, 7> Planets = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
inline constexpr std::size_t JupiterSlot = 5;

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
