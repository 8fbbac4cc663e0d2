#pragma once
// The records that carry one moment through the astronomical and almanac engines.

#include <cstdint>
#include <string_view>

#include "astro/calendar.h"

#ifdef __FAST_MATH__
#error "Kalvora's formulas depend on exact IEEE arithmetic: do not build with -ffast-math"
#endif

namespace kalvora {

// One local moment and place exactly as typed on an input page. Zone hours and minutes are magnitudes;
// the direction of the zone is zoneIsEast (a zone's own sign, not the hemisphere of the place).
struct MomentInput {
    std::int16_t month = 1;  // 1..12
    std::int16_t day = 1;
    std::int16_t year = FirstYear;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t zoneHours = 0;    // magnitude
    std::int16_t zoneMinutes = 0;  // magnitude
    std::int16_t zoneSeconds = 0;  // magnitude: the seconds of a zone such as Madras time (+05:21:10) or local
                                   // mean time; 0 for every zone typed on the pages
    bool zoneIsEast = true;        // the zone lies east of Greenwich (UT = clock - zone)
    std::int16_t longitudeDegrees = 0;
    std::int16_t longitudeMinutes = 0;
    std::int16_t latitudeDegrees = 0;
    std::int16_t latitudeMinutes = 0;
    bool isEast = true;   // East longitude
    bool isSouth = false; // South latitude
    bool isDst = false;   // daylight saving in force
    friend bool operator==(const MomentInput&, const MomentInput&) = default;
};

// A stretch of universal time over which a place's clock keeps one offset, as a zone's history gives it.
struct ClockPeriod {
    std::int64_t fromUtSeconds = 0;  // its first second, counted from 1970-01-01 00:00 UT
    // The zone fields (zoneHours, zoneMinutes, zoneSeconds, zoneIsEast, isDst) a moment on this clock takes;
    // the other fields are ignored.
    MomentInput zone;
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
    double longitude = 0.0;  // degrees, East negative, West positive
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
