#include "planets/ayanamsa.h"

#include <array>
#include <cmath>
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

namespace {

double AskLibrary(Ayanamsa ayanamsa, double jdUt, int32 flags) {
    swe_set_sid_mode(SiderealModeOf(ayanamsa), 0.0, 0.0);
    double value = 0.0;
    char message[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(jdUt, SEFLG_MOSEPH | flags, &value, message) < 0) {
        throw std::domain_error("no ayanamsa for Julian day " + std::to_string(jdUt) + ": " + message);
    }
    return value;
}

// How far the quarters of a day may leave the straight line between its ends (degrees: a thousandth of an arc
// second), and the quarters themselves.
constexpr double StraightTolerance = 0.001 / 3600.0;
constexpr auto Quarters = std::to_array({0.25, 0.5, 0.75});

}  // namespace

double LibraryAyanamsaDeg(Ayanamsa ayanamsa, double jdUt) { return AskLibrary(ayanamsa, jdUt, 0); }

double LibraryMeanAyanamsaDeg(Ayanamsa ayanamsa, double jdUt) { return AskLibrary(ayanamsa, jdUt, SEFLG_NONUT); }

double AyanamsaDays::At(double jdUt) {
    const double day = std::floor(jdUt);
    Day& d = days_[static_cast<std::size_t>(std::fmod(std::fabs(day), 2.0))];
    if (d.day != day) {
        const Day& other = days_[&d == &days_[0] ? 1 : 0];
        // A day's start is the day before's end, and its end the day after's start, as already read.
        d.start = other.day == day - 1.0 ? other.end : LibraryMeanAyanamsaDeg(ayanamsa_, day);
        d.end = other.day == day + 1.0 ? other.start : LibraryMeanAyanamsaDeg(ayanamsa_, day + 1.0);
        d.straight = true;
        for (const double q : Quarters) {
            const double line = d.start + (d.end - d.start) * q;
            if (std::fabs(LibraryMeanAyanamsaDeg(ayanamsa_, day + q) - line) > StraightTolerance) d.straight = false;
        }
        d.day = day;
    }
    return d.straight ? d.start + (d.end - d.start) * (jdUt - day) : LibraryMeanAyanamsaDeg(ayanamsa_, jdUt);
}

double AyanamsaShiftDeg(AyanamsaDays& chosen, AyanamsaDays& lahiri, double jdUt) {
    if (chosen.Chosen() == Ayanamsa::Lahiri) return 0.0;
    return chosen.At(jdUt) - lahiri.At(jdUt);
}

double AyanamsaShiftDeg(Ayanamsa ayanamsa, double jdUt) {
    AyanamsaDays chosen(ayanamsa);
    AyanamsaDays lahiri(Ayanamsa::Lahiri);
    return AyanamsaShiftDeg(chosen, lahiri, jdUt);
}

}  // namespace kalvora
