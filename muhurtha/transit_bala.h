#pragma once
// The people of a shared muhurtha and the transits wedding almanacs read beside the evaluation: the role each person
// has where the undertaking has roles, and Surya bala (the Sun for the groom) and Guru bala (Jupiter for the
// bride), the house of the body's sidereal sign counted from the person's birth Moon sign. They stand beside each
// person's rating and never change it; only the combined verdict of several people reads them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astro/enum_table.h"
#include "astro/tables.h"
#include "muhurtha/subjects.h"

namespace kalvora {

enum class Role : std::uint8_t { None, Bride, Groom };

struct RoleName {
    Role role;
    std::string_view word;  // as the command line takes it and the JSON writes it
};

inline constexpr auto RoleNames = std::to_array<RoleName>({
    {Role::None, "none"},
    {Role::Bride, "bride"},
    {Role::Groom, "groom"},
});
static_assert(InEnumeratorOrder(RoleNames, &RoleName::role), "each role sits at its enumerator's place");

constexpr std::string_view RoleWord(Role role) { return RoleNames[static_cast<std::size_t>(role)].word; }

// The role a person's sex gives by default: Female the bride, Male the groom.
constexpr Role RoleOfSex(std::string_view sex) { return sex == "Female" ? Role::Bride : Role::Groom; }

// The undertakings whose people have roles: the couple's own ceremonies.
inline constexpr auto SubjectsWithRoles = std::to_array<MuhurthaSubject>(
    {MuhurthaSubject::Engagement, MuhurthaSubject::Marriage, MuhurthaSubject::BrideEntrance});

constexpr bool HasRoles(MuhurthaSubject subject) {
    for (const MuhurthaSubject s : SubjectsWithRoles) {
        if (s == subject) return true;
    }
    return false;
}

enum class BalaVerdict : std::uint8_t { Good, Remedy, Bad };

// "good", "remedy" (acceptable with its remedy), "bad".
constexpr std::string_view BalaVerdictWord(BalaVerdict verdict) {
    constexpr std::array<std::string_view, 3> words = {"good", "remedy", "bad"};
    return words[static_cast<std::size_t>(verdict)];
}

enum class TransitBala : std::uint8_t { Surya, Guru };

// One transit's table: whose it is, which body it reads, and the verdict of each house 1..12 (index 0 is house 1).
struct TransitBalaTable {
    TransitBala bala;
    std::string_view name;  // "Surya bala"
    Role role;              // the person it is read for
    Body body;              // the body whose sign is counted
    std::array<BalaVerdict, 12> houses;
};

// Source: the transit rules wedding almanacs print for the couple, after the classical muhurtha texts: Surya bala
// of the groom, the Sun in the 3rd, 6th, 10th or 11th house from his birth Moon sign good, in the 1st, 2nd, 5th,
// 7th or 9th acceptable with a remedy, in the 4th, 8th or 12th bad; Guru bala of the bride, Jupiter in the 2nd,
// 5th, 7th, 9th or 11th from hers good, in the 1st, 3rd, 6th or 10th with a remedy, in the 4th, 8th or 12th bad.
inline constexpr auto TransitBalaTables = [] {
    constexpr BalaVerdict G = BalaVerdict::Good, R = BalaVerdict::Remedy, B = BalaVerdict::Bad;
    return std::to_array<TransitBalaTable>({
        //                                                   houses 1  2  3  4  5  6  7  8  9 10 11 12
        {TransitBala::Surya, "Surya bala", Role::Groom, Body::Sun, {R, R, G, B, R, G, R, B, R, G, G, B}},
        {TransitBala::Guru, "Guru bala", Role::Bride, Body::Jupiter, {R, G, R, B, G, R, G, B, G, R, G, B}},
    });
}();
static_assert(InEnumeratorOrder(TransitBalaTables, &TransitBalaTable::bala), "each bala sits at its place");

constexpr const TransitBalaTable& TableOf(TransitBala bala) { return TransitBalaTables[static_cast<std::size_t>(bala)]; }

// The house of a sign counted from a birth Moon sign, the Moon sign itself being house 1 (signs 0 = Mesha ..
// 11 = Meena): the Moon in Mesha and a body in Karka give house 4.
constexpr int HouseFromMoonSign(int birthMoonSign, int bodySign) {
    return ((bodySign - birthMoonSign) % 12 + 12) % 12 + 1;
}

// One person's reading of their transit.
struct BalaReading {
    TransitBala bala = TransitBala::Surya;
    int house = 1;  // 1..12
    BalaVerdict verdict = BalaVerdict::Good;
    friend bool operator==(const BalaReading&, const BalaReading&) = default;
};

// The transit read for a role: the groom's Surya bala, the bride's Guru bala, none for Role::None. `sunSign` and
// `jupiterSign` are the sidereal signs of the muhurtha's Sun and Jupiter.
std::optional<BalaReading> ReadBala(Role role, int birthMoonSign, int sunSign, int jupiterSign);

// "1st", "2nd", "3rd", "4th" .. "12th".
std::string HouseOrdinal(int house);

// The reading as a line: "Guru bala: Jupiter in the 8th house from the birth Moon sign - bad" ("good",
// "acceptable with a remedy", "bad").
std::string BalaLine(const BalaReading& reading);

}  // namespace kalvora
