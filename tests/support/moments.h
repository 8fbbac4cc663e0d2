#pragma once
// Typed moments for tests: a MomentInput from its fields, and the Delhi moments many cases use.

#include <cstdint>

#include "astro/moment.h"

namespace kalvora::testing {

inline MomentInput Moment(int year, int month, int day, int hour, int minute, int zoneHours, int zoneMinutes,
                          bool zoneIsEast, bool dst, int lonDeg, int lonMin, bool east, int latDeg, int latMin,
                          bool south) {
    const auto s = [](int v) { return static_cast<std::int16_t>(v); };
    MomentInput in;
    in.year = s(year);
    in.month = s(month);
    in.day = s(day);
    in.hour = s(hour);
    in.minute = s(minute);
    in.zoneHours = s(zoneHours);
    in.zoneMinutes = s(zoneMinutes);
    in.zoneIsEast = zoneIsEast;
    in.isDst = dst;
    in.longitudeDegrees = s(lonDeg);
    in.longitudeMinutes = s(lonMin);
    in.isEast = east;
    in.latitudeDegrees = s(latDeg);
    in.latitudeMinutes = s(latMin);
    in.isSouth = south;
    return in;
}

// New Delhi, 77 deg 13' East, 28 deg 39' North, Indian time (5 h 30 min East).
inline MomentInput Delhi(int year, int month, int day, int hour, int minute) {
    return Moment(year, month, day, hour, minute, 5, 30, true, false, 77, 13, true, 28, 39, false);
}

}  // namespace kalvora::testing
