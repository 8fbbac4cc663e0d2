#pragma once
// The kinds of factor an evaluation reports on, their names, and the report code each kind is given. A rule set's
// factor names the kind it writes; the report and the command line's JSON walk the kinds to show the codes.
// A new kind is one row here (and its enumerator) plus its report texts.

#include <array>
#include <cstdint>
#include <string_view>

#include "astro/enum_table.h"

namespace kalvora {

// The report code of a factor kind: 0 not evaluated, 1 unfavourable, 2 favourable or neutral. The three journey
// kinds (Mrityu, Dagdha, Yamaghata) are flags instead: 1 when the factor was shown as unfavourable, else 0.
enum class FactorKind : std::uint8_t {
    Tara, Moon, Nakshatra, Tithi, Weekday, Rashi, Karana, Yoga, Siddha, Sarvartha, Tripushkar, Amrita,
    LunarMonth, Lagna, Dvipushkar, Saraswati, Mrityu, Dagdha, Yamaghata,
};

struct FactorKindName {
    FactorKind kind;
    std::string_view name;  // the key of the kind's code in the command line's JSON
    bool journeyFlag;       // a flag set only by an unfavourable outcome, listed apart from the codes
};

// The factor kinds in enumerator order.
inline constexpr auto FactorKinds = std::to_array<FactorKindName>({
    {FactorKind::Tara, "tara", false},
    {FactorKind::Moon, "moon", false},
    {FactorKind::Nakshatra, "nakshatra", false},
    {FactorKind::Tithi, "tithi", false},
    {FactorKind::Weekday, "weekday", false},
    {FactorKind::Rashi, "rashi", false},
    {FactorKind::Karana, "karana", false},
    {FactorKind::Yoga, "yoga", false},
    {FactorKind::Siddha, "siddha", false},
    {FactorKind::Sarvartha, "sarvartha", false},
    {FactorKind::Tripushkar, "tripushkar", false},
    {FactorKind::Amrita, "amrita", false},
    {FactorKind::LunarMonth, "lunarMonth", false},
    {FactorKind::Lagna, "lagna", false},
    {FactorKind::Dvipushkar, "dvipushkar", false},
    {FactorKind::Saraswati, "saraswati", false},
    {FactorKind::Mrityu, "mrityu", true},
    {FactorKind::Dagdha, "dagdha", true},
    {FactorKind::Yamaghata, "yamaghata", true},
});
inline constexpr std::size_t FactorKindCount = FactorKinds.size();

static_assert(InEnumeratorOrder(FactorKinds, &FactorKindName::kind), "each factor kind sits at its enumerator's place");
static_assert(static_cast<std::size_t>(FactorKind::Yamaghata) + 1 == FactorKindCount,
              "every factor kind has its row");

constexpr const FactorKindName& NameOf(FactorKind kind) { return FactorKinds[static_cast<std::size_t>(kind)]; }

// The report codes of an evaluation, one per factor kind (flags for the journey kinds).
struct FactorCodes {
    std::array<std::int16_t, FactorKindCount> values{};

    std::int16_t operator[](FactorKind kind) const { return values[static_cast<std::size_t>(kind)]; }
    std::int16_t& operator[](FactorKind kind) { return values[static_cast<std::size_t>(kind)]; }
    friend bool operator==(const FactorCodes&, const FactorCodes&) = default;
};

// The code of a kind no factor wrote, and the codes a factor writes.
inline constexpr std::int16_t NotEvaluatedCode = 0;
inline constexpr std::int16_t UnfavourableCode = 1;
inline constexpr std::int16_t FavourableCode = 2;

}  // namespace kalvora
