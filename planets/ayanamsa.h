#pragma once
// The ayanamsas other than the program's own Lahiri, from the Swiss Ephemeris: their values at a moment and how far
// each moves a sidereal longitude away from Lahiri's.

#include <array>

#include "astro/conventions.h"

namespace kalvora {

// The ephemeris library's sidereal mode of an ayanamsa (its SE_SIDM_ number).
int SiderealModeOf(Ayanamsa ayanamsa);

// The library's value of an ayanamsa at a moment (Julian day in universal time), in degrees, positive:
// sidereal = tropical - ayanamsa. Sets the sidereal mode in the calling thread. Throws std::domain_error outside
// the ephemeris' range.
double LibraryAyanamsaDeg(Ayanamsa ayanamsa, double jdUt);

// The library's mean ayanamsa (without nutation) at a moment, in degrees: a longitude from the mean equinox of date
// less this value is the sidereal longitude the library gives (the nutation cancels between the two). Throws as
// LibraryAyanamsaDeg does.
double LibraryMeanAyanamsaDeg(Ayanamsa ayanamsa, double jdUt);

// The mean ayanamsa as every sidereal quantity reads it: asked of the library at the start and at the quarters of
// each Julian day, and taken along the straight line between the day's ends. A day whose quarters leave that line by
// more than a thousandth of an arc second (a true ayanamsa whose star passes near the Sun, which bends its light by
// arc seconds within hours) is asked of the library at every instant instead. The value at an instant depends on
// that instant alone; the object remembers the last two days it read (a local date spans two Julian days), so that
// a search reading one day many times asks the library four times a day rather than at every reading.
class AyanamsaDays {
public:
    explicit AyanamsaDays(Ayanamsa ayanamsa) : ayanamsa_(ayanamsa) {}
    Ayanamsa Chosen() const { return ayanamsa_; }
    double At(double jdUt);

private:
    struct Day {
        double day = -1.0;  // the Julian day read (a whole number), none yet
        double start = 0.0;
        double end = 0.0;
        bool straight = false;  // whether the line holds on that day
    };
    Ayanamsa ayanamsa_;
    std::array<Day, 2> days_{};  // by the parity of the day
};

// What a sidereal longitude of the program's Lahiri takes off to become the chosen ayanamsa's: the chosen ayanamsa
// less Lahiri, each as AyanamsaDays reads it (to well under a thousandth of an arc second of the library's own
// difference, away from a true ayanamsa's star passing the Sun). Exactly 0 for Lahiri, whose own closed forms stay
// as they are; the tithi and karana, which are differences of two longitudes, never move.
double AyanamsaShiftDeg(Ayanamsa ayanamsa, double jdUt);
// The same, remembering the days read in `chosen` and `lahiri` (which must hold the chosen ayanamsa and Lahiri).
double AyanamsaShiftDeg(AyanamsaDays& chosen, AyanamsaDays& lahiri, double jdUt);

}  // namespace kalvora
