#pragma once
// The Sun, the Moon and the ascendant in the sidereal zodiac as the conventions reckon them: on the program's
// closed-form series (Lahiri in its closed forms, another ayanamsa by its difference from the library's Lahiri) or,
// with the precise ephemeris, from the ephemeris library (Moshier, apparent positions, with its own ayanamsa). Every
// part that reads these quantities (the calculation, the limbs, the day, the season and the finder) reads them here,
// so that a search and the calculation it stands for agree to the last bit.

#include <array>
#include <cstdint>
#include <limits>

#include "astro/conventions.h"
#include "astro/moment.h"
#include "panchanga/panchanga.h"
#include "planets/ayanamsa.h"

namespace kalvora {

// The precise ephemeris' Sun and Moon, and the nutation and obliquity, as every reading takes them: asked of the
// library every half day and carried between by the polynomial through the eight readings about the instant (within
// a ten-thousandth of an arc second of the library's own Moon, far closer for the Sun). The value at an instant
// depends on that instant alone; the object remembers the readings it has asked for, so that a search asks the
// library twice a day rather than at every reading.
class PreciseLongitudes {
public:
    struct Reading {
        double moon = 0.0;       // apparent geocentric Moon from the mean equinox of date, degrees (not reduced)
        double sun = 0.0;        // apparent geocentric Sun from the mean equinox of date, degrees (not reduced)
        double nutation = 0.0;   // nutation in longitude, degrees
        double obliquity = 0.0;  // true obliquity of the ecliptic, degrees
        // Apparent sidereal time at Greenwich less the Earth's mean turning since J2000 (EarthTurnDeg), degrees:
        // what remains turns slowly, so it is carried between the readings as the rest are.
        double siderealExcess = 0.0;
    };
    // The reading at an instant (Julian day in universal time). Throws std::domain_error outside the ephemeris.
    Reading At(double jdUt);
    // The Earth's mean turning since J2000 at an instant, 0..<360 degrees (the rate of sidereal time).
    static double EarthTurnDeg(double jdUt);

private:
    static constexpr double Step = 0.5;  // days between two readings of the library
    struct Kept {
        std::int64_t index = std::numeric_limits<std::int64_t>::min();  // the reading's instant in steps from Julian day 0, none yet
        Reading reading;
    };
    const Reading& Asked(std::int64_t index);
    std::array<Kept, 16> kept_{};
};

class Reckoner {
public:
    explicit Reckoner(Reckoning reckoning = {})
        : reckoning_(reckoning), chosen_(reckoning.ayanamsa), lahiri_(Ayanamsa::Lahiri) {}
    const Reckoning& Chosen() const { return reckoning_; }

    // The sidereal Moon with its rashi and nakshatra, and the sidereal ascendant, of a converted moment.
    void Moon(const MomentTime& time, ChartPositions& chart);
    void Lagna(const MomentTime& time, ChartPositions& chart);
    // The almanac of a converted moment (its weekday is the civil date's).
    PanchangaInfo Almanac(const MomentTime& time);
    // The longitudes the almanac rests on at an instant (Julian day in universal time), their ayanamsa correction
    // the chosen ayanamsa's; and the Sun's sidereal longitude there, 0..<360.
    PanchangaLongitudes LongitudesAt(double jdUt);
    double SiderealSunDeg(double jdUt);
    // The value of the chosen ayanamsa at an instant, as the sidereal longitudes read it (positive, with nutation).
    double AyanamsaDeg(double jdUt);

private:
    double ShiftAt(double jdUt) { return AyanamsaShiftDeg(chosen_, lahiri_, jdUt); }
    bool Precise() const { return reckoning_.ephemeris == EphemerisChoice::Precise; }

    Reckoning reckoning_;
    AyanamsaDays chosen_;
    AyanamsaDays lahiri_;
    PreciseLongitudes precise_;
};

}  // namespace kalvora
