// Tara bala and Chandra bala: the muhurtha's nakshatra and Moon sign against the person's birth.

#include <cstdlib>

#include "muhurtha/evaluation.h"
#include "muhurtha/names.h"

namespace kalvora {

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
    const int b = names::PositionOf(names::Nakshatras, birthNakshatra);
    const int m = names::PositionOf(names::Nakshatras, muhurthaNakshatra);
    const int t = std::abs(b - m) % 9;  // the difference is taken without direction
    if (t == 0) return TaraVerdict::VeryFavourable;
    return t % 2 == 1 ? TaraVerdict::Unfavourable : TaraVerdict::Favourable;
}

MoonVerdict ChandraBalaCheck(std::string_view birthRashi, std::string_view muhurthaRashi) {
    const int b = names::PositionOf(names::Signs, birthRashi);
    const int m = names::PositionOf(names::Signs, muhurthaRashi);
    const int c = std::abs(b - m) + 1;
    return (c == 6 || c == 8 || c == 12) ? MoonVerdict::Unfavourable : MoonVerdict::Favourable;
}

}  // namespace kalvora
