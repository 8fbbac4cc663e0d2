#pragma once
// The ayanamsas other than the program's own Lahiri, from the Swiss Ephemeris: their values at a moment and how far
// each moves a sidereal longitude away from Lahiri's.

#include "astro/conventions.h"

namespace kalvora {

// The ephemeris library's sidereal mode of an ayanamsa (its SE_SIDM_ number).
int SiderealModeOf(Ayanamsa ayanamsa);

// The library's value of an ayanamsa at a moment (Julian day in universal time), in degrees, positive:
// sidereal = tropical - ayanamsa. Sets the sidereal mode in the calling thread. Throws std::domain_error outside
// the ephemeris' range.
double LibraryAyanamsaDeg(Ayanamsa ayanamsa, double jdUt);

// What a sidereal longitude of the program's Lahiri takes off to become the chosen ayanamsa's: the library's value
// of the chosen ayanamsa less the library's Lahiri at that moment (degrees). Exactly 0 for Lahiri, whose own
// closed forms stay as they are; the tithi and karana, which are differences of two longitudes, never move.
double AyanamsaShiftDeg(Ayanamsa ayanamsa, double jdUt);

}  // namespace kalvora
