#include "planets/ayanamsa.h"

#include <array>
#include <stdexcept>
#include <string>

#include <swephexp.h>

namespace kalvora {
namespace {

// The library's sidereal modes in the order of Ayanamsa (swephexp.h, SE_SIDM_*).
constexpr auto SiderealModes = std::to_array<int32>({
    SE_SIDM_LAHIRI,
    SE_SIDM_TRUE_CITRA,
    SE_SIDM_RAMAN,
    SE_SIDM_KRISHNAMURTI,
    SE_SIDM_YUKTESHWAR,
    SE_SIDM_TRUE_PUSHYA,
    SE_SIDM_FAGAN_BRADLEY,
});
static_assert(SiderealModes.size() == AyanamsaWords.size());

}  // namespace

int SiderealModeOf(Ayanamsa ayanamsa) { return SiderealModes[static_cast<std::size_t>(ayanamsa)]; }

double LibraryAyanamsaDeg(Ayanamsa ayanamsa, double jdUt) {
    swe_set_sid_mode(SiderealModeOf(ayanamsa), 0.0, 0.0);
    double value = 0.0;
    char message[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(jdUt, SEFLG_MOSEPH, &value, message) < 0) {
        throw std::domain_error("no ayanamsa for Julian day " + std::to_string(jdUt) + ": " + message);
    }
    return value;
}

double AyanamsaShiftDeg(Ayanamsa ayanamsa, double jdUt) {
    if (ayanamsa == Ayanamsa::Lahiri) return 0.0;
    return LibraryAyanamsaDeg(ayanamsa, jdUt) - LibraryAyanamsaDeg(Ayanamsa::Lahiri, jdUt);
}

}  // namespace kalvora
