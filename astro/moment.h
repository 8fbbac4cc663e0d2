#pragma once
// The records that carry one moment through the astronomical and almanac engines.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/calendar.h"

#ifdef __FAST_MATH__
#error "Kalvora's formulas depend on exact IEEE arithmetic: do not build with -ffast-math"
#endif

namespace kalvora {

// A place exactly as typed on an input page: degrees and minutes of arc as magnitudes, each with its hemisphere.
// Signed degrees are north and east positive.
struct TypedPlace {
    std::int16_t latitudeDegrees = 0;
    std::int16_t latitudeMinutes = 0;
    bool isSouth = false;  // South latitude
    std::int16_t longitudeDegrees = 0;
    std::int16_t longitudeMinutes = 0;
    bool isEast = true;  // East longitude
    friend bool operator==(const TypedPlace&, const TypedPlace&) = default;
};

// Signed degrees of the typed coordinates, degrees + minutes / 60.
constexpr double SignedLatitude(const TypedPlace& p) {
    const double degrees = p.latitudeDegrees + p.latitudeMinutes / 60.0;
    return p.isSouth ? -degrees : degrees;
}
constexpr double SignedLongitude(const TypedPlace& p) {
    const double degrees = p.longitudeDegrees + p.longitudeMinutes / 60.0;
    return p.isEast ? degrees : -degrees;
}
// Whole minutes of arc of a coordinate's magnitude, rounded to the nearest.
inline long MinutesOfArc(double degrees) { return std::lround(std::fabs(degrees) * 60.0); }
// A coordinate in signed degrees into the degree, minute and hemisphere boxes, rounded to whole minutes of arc.
inline void SetLatitude(TypedPlace& p, double latitudeDeg) {
    const long minutes = MinutesOfArc(latitudeDeg);
    p.latitudeDegrees = static_cast<std::int16_t>(minutes / 60);
    p.latitudeMinutes = static_cast<std::int16_t>(minutes % 60);
    p.isSouth = latitudeDeg < 0.0;
}
inline void SetLongitude(TypedPlace& p, double longitudeDeg) {
    const long minutes = MinutesOfArc(longitudeDeg);
    p.longitudeDegrees = static_cast<std::int16_t>(minutes / 60);
    p.longitudeMinutes = static_cast<std::int16_t>(minutes % 60);
    p.isEast = longitudeDeg >= 0.0;
}

// The texts of coordinates, each to the whole minute of arc. They differ where their readers need it: a typed
// place shows the hemispheres of its boxes, so a coordinate typed as 0°00'S stays south; one in signed degrees
// shows the positive hemisphere for a value that rounds to 0°00', except in the people listing, which shows the
// hemisphere of the sign (-0.001 is "0:00S").
// "28°39'N 77°13'E": the place the boxes hold.
std::string CoordinatesText(const TypedPlace& place);
// "28°39'N", "77°13'E": a coordinate in signed degrees.
std::string AngleText(double degrees, char positive, char negative);
// "13:05N", "080:17E": a coordinate in signed degrees as the command line's options take it, the degrees padded
// with zeros to `width` digits.
std::string OptionAngleText(double degrees, int width, char positive, char negative);
// "13:05N": a coordinate in signed degrees as the people listing writes it, unpadded, the hemisphere by the sign.
std::string ListedAngleText(double degrees, char positive, char negative);

// A zone exactly as typed on an input page: the offset's hours, minutes and seconds as magnitudes, its direction
// (a zone's own sign, not the hemisphere of the place) and the daylight-saving box. Offsets made of it are east
// positive, in seconds.
struct TypedZone {
    std::int16_t hours = 0;    // magnitude
    std::int16_t minutes = 0;  // magnitude
    std::int16_t seconds = 0;  // magnitude: the seconds of a zone such as Madras time (+05:21:10) or local mean
                               // time; 0 for every zone typed on the pages
    bool isEast = true;        // the zone lies east of Greenwich (UT = clock - zone)
    bool isDst = false;        // daylight saving in force: one hour added
    friend bool operator==(const TypedZone&, const TypedZone&) = default;
};

// The whole offset the zone boxes give, east positive, seconds and the daylight-saving hour included.
constexpr std::int32_t ZoneOffsetSeconds(const TypedZone& z) {
    const std::int32_t magnitude = z.hours * 3600 + z.minutes * 60 + z.seconds;
    return (z.isEast ? magnitude : -magnitude) + (z.isDst ? 3600 : 0);
}
// The offset the hour, minute and seconds boxes hold, without the daylight-saving hour.
constexpr std::int32_t ZoneBoxesOffsetSeconds(const TypedZone& z) { return ZoneOffsetSeconds(z) - (z.isDst ? 3600 : 0); }
// The zone in hours as the almanac reads it (MomentClock::effectiveZoneHours): hours + minutes / 60, the seconds
// added only when there are any (so that a zone of whole minutes gives the same hours to the last bit as without
// them), the direction applied, then the daylight-saving hour added.
constexpr double EffectiveZoneHours(const TypedZone& z) {
    double zone = z.hours + z.minutes / 60.0;
    if (z.seconds != 0) zone += z.seconds / 3600.0;
    if (!z.isEast) zone = -zone;
    if (z.isDst) zone += 1.0;
    return zone;
}
// An east-positive offset into the zone boxes (magnitudes and direction); the daylight-saving box is left as it is.
constexpr void SetZoneBoxes(TypedZone& z, std::int32_t offsetSeconds) {
    const std::int32_t magnitude = offsetSeconds < 0 ? -offsetSeconds : offsetSeconds;
    z.hours = static_cast<std::int16_t>(magnitude / 3600);
    z.minutes = static_cast<std::int16_t>(magnitude / 60 % 60);
    z.seconds = static_cast<std::int16_t>(magnitude % 60);
    z.isEast = offsetSeconds >= 0;
}

// One local moment exactly as typed on an input page: the clock, the zone and the place.
struct MomentInput {
    std::int16_t month = 1;  // 1..12
    std::int16_t day = 1;
    std::int16_t year = FirstYear;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    TypedZone zone;
    TypedPlace place;
    friend bool operator==(const MomentInput&, const MomentInput&) = default;
};

// A stretch of universal time over which a place's clock keeps one offset, as a zone's history gives it.
struct ClockPeriod {
    std::int64_t fromUtSeconds = 0;  // its first second, counted from 1970-01-01 00:00 UT
    TypedZone zone;  // the zone a moment on this clock takes
    friend bool operator==(const ClockPeriod&, const ClockPeriod&) = default;
};

// The clock of one moment as the astronomical engine hands it to the almanac engine.
struct MomentClock {
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t year = FirstYear;
    double localHours = 0.0;          // hour + minute / 60, no daylight-saving adjustment
    double effectiveZoneHours = 0.0;  // east-positive zone in hours, daylight-saving hour included
};

// The local date of a typed moment and of a published clock.
constexpr LocalDate DateOf(const MomentInput& input) { return {input.year, input.month, input.day}; }
constexpr LocalDate DateOf(const MomentClock& clock) { return {clock.year, clock.month, clock.day}; }

// The time arguments of one moment: signed place, universal time and the two century counts.
struct MomentTime {
    double longitude = 0.0;  // degrees, east positive
    double latitude = 0.0;   // degrees, North positive
    double ut = 0.0;         // universal time in hours, not wrapped into 0..24
    double jdn = 0.0;        // Julian day number of the civil date (an integer held in a double)
    double centuriesSince1900 = 0.0;
    double centuriesSince2000 = 0.0;
    MomentClock clock;
};

// The astronomical engine's result for one moment. The names point into the constant name tables.
struct ChartPositions {
    double lagnaLongitude = 0.0;  // sidereal ascendant, degrees 0..360
    int lagnaSignIndex = 0;       // 0 = Mesha .. 11 = Meena
    std::string_view lagnaSign;
    double moonLongitude = 0.0;   // sidereal Moon, degrees 0..<360
    int rashiIndex = 0;           // sign of the Moon, 0..11
    std::string_view rashi;
    std::string_view rashiLord;
    int nakshatraIndex = 0;       // 0..26
    std::string_view nakshatra;
    std::string_view nakshatraLord;
};

}  // namespace kalvora
