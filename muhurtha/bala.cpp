// Tara bala and Chandra bala: the muhurtha's nakshatra and Moon sign against the person's birth.

#include <array>
#include <cstdlib>

#include "muhurtha/evaluation.h"

namespace kalvora {
namespace {

// Nakshatras numbered 1..27 and signs numbered 1..12, as the two checks count them.
constexpr std::array<std::string_view, 27> BalaNakshatras = {
    "Ashwini", "Bharani", "Krittika", "Rohini", "Mrigasira", "Ardra", "Punarvasu", "Pushya", "Ashlesha",
    "Magha", "Poorva Phalguni", "Uttara Phalguni", "Hasta", "Chitra", "Swati", "Vishakha", "Anuradha", "Jyeshtha",
    "Moola", "Purva Ashadha", "Uttara Ashadha", "Shravana", "Dhanistha", "Shatabhisha", "Poorva Bhadrapada",
    "Uttara Bhadrapada", "Revati"};

constexpr std::array<std::string_view, 12> BalaSigns = {
    "Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya",
    "Thula", "Vrischika", "Dhanus", "Makara", "Kumbha", "Meena"};

// Number of the first entry equal to name (1-based); 0 when no entry matches.
template <std::size_t N>
int PositionOf(const std::array<std::string_view, N>& table, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == name) return static_cast<int>(i) + 1;
    }
    return 0;
}

}  // namespace

std::string_view VerdictText(TaraVerdict v) {
    switch (v) {
        case TaraVerdict::Unfavourable: return "Unfavourable";
        case TaraVerdict::Favourable: return "Favourable";
        case TaraVerdict::VeryFavourable: return "Very Favourable";
    }
    return "Unfavourable";
}

std::string_view VerdictText(MoonVerdict v) {
    return v == MoonVerdict::Favourable ? "Favourable" : "Unfavourable";
}

TaraVerdict TaraBalaCheck(std::string_view birthNakshatra, std::string_view muhurthaNakshatra) {
    const int b = PositionOf(BalaNakshatras, birthNakshatra);
    const int m = PositionOf(BalaNakshatras, muhurthaNakshatra);
    const int t = std::abs(b - m) % 9;  // the difference is taken without direction
    if (t == 0) return TaraVerdict::VeryFavourable;
    return t % 2 == 1 ? TaraVerdict::Unfavourable : TaraVerdict::Favourable;
}

MoonVerdict ChandraBalaCheck(std::string_view birthRashi, std::string_view muhurthaRashi) {
    const int b = PositionOf(BalaSigns, birthRashi);
    const int m = PositionOf(BalaSigns, muhurthaRashi);
    const int c = std::abs(b - m) + 1;
    return (c == 6 || c == 8 || c == 12) ? MoonVerdict::Unfavourable : MoonVerdict::Favourable;
}

}  // namespace kalvora
