#pragma once
// The sky of one moment: sidereal longitudes (Lahiri unless another ayanamsa is chosen), speeds and signs of the Sun, the Moon, the five planets and
// the mean lunar nodes, from the Swiss Ephemeris in its built-in analytical (Moshier) mode, and their texts.

#include <array>
#include <string>

#include "astro/conventions.h"
#include "astro/moment.h"
#include "astro/tables.h"

namespace kalvora {

// Where one body stands.
struct BodyPosition {
    double longitudeDeg = 0.0;    // sidereal, 0..<360
    double speedDegPerDay = 0.0;  // in longitude; negative while the body moves backward
    bool retrograde = false;      // speed < 0; the mean nodes always move backward, so Rahu and Ketu always are
    int signIndex = 0;            // 0 = Mesha .. 11 = Meena
    int nakshatraIndex = 0;       // 0..26

    bool operator==(const BodyPosition&) const = default;
};

// The bodies of one moment, indexed by Body.
struct Sky {
    double jdUt = 0.0;        // the moment, Julian day in universal time
    double ayanamsaDeg = 0.0;  // the library's value of the sky's ayanamsa, positive: sidereal = tropical - ayanamsa
    std::array<BodyPosition, BodyNames.size()> bodies{};

    const BodyPosition& at(Body body) const { return bodies[static_cast<std::size_t>(body)]; }
    bool operator==(const Sky&) const = default;
};

// Julian day in universal time of a converted moment (its day number counts from noon).
double JulianDayUt(const MomentTime& time);

// The sky at a moment. Safe to call from any thread: the ephemeris keeps its state per thread, and the sidereal
// mode is set in the calling thread on every call. Throws std::domain_error for a moment outside the ephemeris'
// range (roughly the years -3000 to 3000).
Sky ComputeSky(double jdUt, Ayanamsa ayanamsa = Ayanamsa::Lahiri);

// The same with the Moon at the system's own sidereal longitude, so that the planets, the details and the checks
// show one Moon. The ephemeris is not asked for the Moon then: its speed is its mean motion, 13.18 deg a day (the
// Moon never moves backward).
Sky ComputeSky(double jdUt, double moonLongitudeDeg, Ayanamsa ayanamsa = Ayanamsa::Lahiri);

// One body from the ephemeris at a moment: the Sun, Mercury to Saturn, or Rahu (not the Moon, whose place is the
// system's own, nor Ketu, which is Rahu's opposite). Sets the sidereal mode in the calling thread as ComputeSky
// does, and gives the same position ComputeSky gives for that body.
BodyPosition ComputeBody(double jdUt, Body body, Ayanamsa ayanamsa = Ayanamsa::Lahiri);

// The same body's longitude, sign and nakshatra alone, for half the cost: its speed is not computed, so
// speedDegPerDay is 0 and retrograde false whatever the body does. The longitude may differ from ComputeBody's in
// the last bits (a ten-trillionth of a degree); a caller that needs the very sign ComputeBody gives next to a
// boundary asks ComputeBody there.
BodyPosition ComputeBodyPlace(double jdUt, Body body, Ayanamsa ayanamsa = Ayanamsa::Lahiri);

// The Moon's position from the system's own sidereal longitude, as ComputeSky(jdUt, moonLongitudeDeg) places it.
BodyPosition OwnMoonPosition(double moonLongitudeDeg);

// The most a body's longitude moves in a day, either way, with a margin over the fastest motion of 1901-2050
// (degrees a day): no sign boundary farther away than this times the days can be reached in those days.
double LargestDailyMotionDeg(Body body);

// Degrees and whole minutes within the sign, truncated, never rounded: 256.5157 gives "16°30'".
std::string DegreesInSign(double longitudeDeg);

// One body's line: abbreviation, sign abbreviation as the planet texts write it, degrees in the sign, and " R"
// when retrograde, for example "Sa Ari 16°32' R". The sign stands in characters 4 to 6.
std::string BodyText(Body body, const BodyPosition& position);

// The planet texts of the evaluation: the lines of the Sun through Saturn.
std::array<std::string, PlanetTextCount> PlanetTexts(const Sky& sky);

}  // namespace kalvora
