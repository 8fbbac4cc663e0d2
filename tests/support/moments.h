#pragma once
// Typed moments for tests, written the way one reads them out:
//     Moment().On(1947, 8, 15).At(0, 0).ZoneEast(5, 30).East(77, 13).North(28, 39)
// and the Delhi moments many cases use.

#include <cstdint>

#include "astro/moment.h"

namespace kalvora::testing {

// Starts at 00:00 on 1 January 2000 on the Greenwich meridian (0 deg West) and the equator, zone 0, no daylight
// saving; each call sets one thing, and the builder reads as the MomentInput it holds.
class MomentBuilder {
public:
    MomentBuilder() { in_.place.isEast = false; }

    MomentBuilder& On(int year, int month, int day) {
        in_.year = Short(year);
        in_.month = Short(month);
        in_.day = Short(day);
        return *this;
    }
    MomentBuilder& At(int hour, int minute) {
        in_.hour = Short(hour);
        in_.minute = Short(minute);
        return *this;
    }
    MomentBuilder& ZoneEast(int hours, int minutes = 0) { return Zone(hours, minutes, true); }
    MomentBuilder& ZoneWest(int hours, int minutes = 0) { return Zone(hours, minutes, false); }
    MomentBuilder& DaylightSaving() {
        in_.zone.isDst = true;
        return *this;
    }
    MomentBuilder& East(int degrees, int minutes) { return Longitude(degrees, minutes, true); }
    MomentBuilder& West(int degrees, int minutes) { return Longitude(degrees, minutes, false); }
    MomentBuilder& North(int degrees, int minutes) { return Latitude(degrees, minutes, false); }
    MomentBuilder& South(int degrees, int minutes) { return Latitude(degrees, minutes, true); }

    operator MomentInput() const { return in_; }

private:
    static std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }
    MomentBuilder& Zone(int hours, int minutes, bool east) {
        in_.zone.hours = Short(hours);
        in_.zone.minutes = Short(minutes);
        in_.zone.isEast = east;
        return *this;
    }
    MomentBuilder& Longitude(int degrees, int minutes, bool east) {
        in_.place.longitudeDegrees = Short(degrees);
        in_.place.longitudeMinutes = Short(minutes);
        in_.place.isEast = east;
        return *this;
    }
    MomentBuilder& Latitude(int degrees, int minutes, bool south) {
        in_.place.latitudeDegrees = Short(degrees);
        in_.place.latitudeMinutes = Short(minutes);
        in_.place.isSouth = south;
        return *this;
    }

    MomentInput in_;
};

inline MomentBuilder Moment() { return {}; }

// New Delhi, 77 deg 13' East, 28 deg 39' North, Indian time (5 h 30 min East).
inline MomentInput Delhi(int year, int month, int day, int hour, int minute) {
    return Moment().On(year, month, day).At(hour, minute).ZoneEast(5, 30).East(77, 13).North(28, 39);
}

}  // namespace kalvora::testing
