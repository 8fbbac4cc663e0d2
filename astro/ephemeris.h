#pragma once
// The astronomical engine: time scales and angles, the sidereal Moon and the sidereal ascendant of one moment.

#include <cmath>
#include <string>

#include "astro/moment.h"

namespace kalvora {

// Angle constants, exactly as the formulas use them (not full-precision pi/180, 180/pi and pi).
inline constexpr double DegToRad = 0.0174532925199433;
inline constexpr double RadToDeg = 57.2957795130823;
inline constexpr double QuadrantPi = 3.14159265358979;

// Arctangent of y / x in radians, strictly between -pi and pi (0 for x < 0 and y = 0).
double QuadrantArctan(double y, double x);

// Brings an angle into range by one step each way (360 stays 360); updates the argument and returns it.
double NormalizeDegrees(double& angle);

// Brings any angle into 0..<360 degrees, however many turns away (a tiny negative value that would round up to a
// full turn gives 0).
inline double WrapDegrees(double degrees) {
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped < 0.0) wrapped += 360.0;
    return wrapped >= 360.0 ? 0.0 : wrapped;
}

// Display text of a zodiac position, for example 45.5 gives 15° 30' 0" Tau.
std::string FormatZodiacPosition(double longitude);

// Sign index 0..11 of a longitude, as the last three characters of FormatZodiacPosition name it
// (a longitude of exactly 360 counts as 0).
int ZodiacSignIndex(double longitude);

// Nakshatra index 0..26 of a sidereal longitude: whole arcs of 13 deg 20' (a longitude of exactly 360 counts as 0).
int NakshatraIndex(double longitude);

// Local sidereal time in degrees from universal time, centuries since 1900 and the signed longitude (east positive).
double LocalSiderealTime(double ut, double centuriesSince1900, double longitude);

// Lahiri ayanamsa in degrees (negative: sidereal = tropical + ayanamsa), in the form used for the ascendant.
double LahiriAyanamsa1900(double centuriesSince1900);
// Lahiri ayanamsa in degrees, in the form used for the Moon.
double LahiriAyanamsa2000(double centuriesSince2000);

// Signed place, effective zone, universal time, day number and century counts of one typed moment.
MomentTime ConvertMoment(const MomentInput& input);

// Sign, nakshatra and their lords of a sidereal Moon longitude (0..<360), written into chart.
void SetMoonNames(double moonLongitude, ChartPositions& chart);

// Sign of a sidereal ascendant, written into chart with the longitude brought into range by one step each way.
void SetLagnaNames(double siderealLongitude, ChartPositions& chart);

// Sidereal ascendant of a converted moment: fills the lagna fields of chart only. With another ayanamsa than
// Lahiri, `ayanamsaShiftDeg` is its difference from Lahiri at the moment (planets/ayanamsa.h AyanamsaShiftDeg),
// taken off the sidereal longitude; 0 keeps the closed form's Lahiri exactly.
void LagnaFromTime(const MomentTime& time, ChartPositions& chart, double ayanamsaShiftDeg = 0.0);
// Sidereal Moon, its sign and nakshatra, of a converted moment: fills the Moon fields of chart only. The shift as
// for the ascendant.
void MoonFromTime(const MomentTime& time, ChartPositions& chart, double ayanamsaShiftDeg = 0.0);

}  // namespace kalvora
