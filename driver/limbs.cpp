// Limb times by the change search: a coarse step out from the minute until the limb shows another value, then
// halving down to the whole minute. A limb's index only moves forward in time (the elongation, the Moon and the
// sum of the Sun and the Moon only grow), and no value comes back within days, so within one step the minutes
// showing the value form one unbroken run and the halving finds its edge exactly.

#include "driver/limbs.h"

#include "astro/ephemeris.h"
#include "driver/change_search.h"
#include "panchanga/panchanga.h"
#include "planets/reckoner.h"
#include "planets/sky.h"

namespace kalvora {

namespace {

// The coarse step: shorter than the time any limb takes to come back to a value (a movable karana returns after
// seven half-tithis, more than two days), long enough that a limb of a day is crossed in a few steps.
constexpr int CoarseStep = 360;

std::int16_t Short(long long value) { return static_cast<std::int16_t>(value); }

}  // namespace

ClockMinute ClockMinuteOf(const MomentInput& moment) {
    return ClockMinuteOf(DateOf(moment), moment.hour * MinutesPerHour + moment.minute);
}

MomentInput AtClockMinute(const TypedPlace& place, const TypedZone& zone, ClockMinute minute) {
    const LocalDate date = DateOfClockMinute(minute);
    const int ofDay = MinuteOfDay(minute);
    MomentInput moment;
    moment.year = Short(date.year);
    moment.month = Short(date.month);
    moment.day = Short(date.day);
    moment.hour = Short(ofDay / MinutesPerHour);
    moment.minute = Short(ofDay % MinutesPerHour);
    moment.zone = zone;
    moment.place = place;
    return moment;
}

double JdUtOfClockMinute(ClockMinute minute, const TypedZone& zone) {
    return JdUtOfClockMinute(minute, ZoneOffsetSeconds(zone));
}

namespace {

// The limb as the calculation shows it at a typed moment, read with `reckoner`.
LimbValue LimbOf(Limb limb, const MomentInput& moment, Reckoner& reckoner) {
    const MomentTime time = ConvertMoment(moment);
    if (limb == Limb::Nakshatra) {
        ChartPositions chart;
        reckoner.Moon(time, chart);
        return {chart.nakshatraIndex, chart.nakshatra};
    }
    const PanchangaInfo p = reckoner.Almanac(time);
    switch (limb) {
        case Limb::Tithi: return {static_cast<int>(p.tithiIndex), p.tithiName};
        case Limb::Yoga: return {static_cast<int>(p.yogaIndex), p.yogaName};
        case Limb::Karana: return {p.karanaIndex, p.karanaName};
        case Limb::Nakshatra: break;
    }
    return {};
}

}  // namespace

LimbValue LimbAt(Limb limb, const MomentInput& moment, Reckoning reckoning) {
    Reckoner reckoner(reckoning);
    return LimbOf(limb, moment, reckoner);
}

namespace {

// A limb read at whole clock minutes of a place and zone for the change search, which steps CoarseStep minutes at
// a time until it reads another value and then halves down to the whole minute.
struct LimbQuantity {
    using Value = LimbValue;
    Limb limb;
    const TypedPlace& place;
    const TypedZone& zone;
    Reckoner reckoner;
    ChangeGuide guide{0, {}, {}, CoarseStep};

    ChangeReading<Value> Read(ClockMinute minute) {
        return {minute, LimbOf(limb, AtClockMinute(place, zone, minute), reckoner), {}};
    }
    static bool Same(const Value& a, const Value& b) { return a.index == b.index; }
};

}  // namespace

LimbSpan LimbSpanAt(Limb limb, const TypedPlace& place, const TypedZone& zone, ClockMinute minute,
                    Reckoning reckoning) {
    LimbQuantity quantity{limb, place, zone, Reckoner(reckoning)};
    ChangeReading<LimbValue> at = quantity.Read(minute);
    const LimbValue value = at.value;
    const ClockMinute start = RunStart(quantity, at);
    return {limb, value, start, NextChange(quantity, at, NoLastMinute)->minute};
}

std::array<LimbSpan, LimbCount> LimbsAt(const MomentInput& moment, Reckoning reckoning) {
    const ClockMinute minute = ClockMinuteOf(moment);
    std::array<LimbSpan, LimbCount> spans;
    for (std::size_t i = 0; i < LimbCount; ++i) {
        spans[i] = LimbSpanAt(Limbs[i], moment.place, moment.zone, minute, reckoning);
    }
    return spans;
}

std::vector<LimbSpan> LimbSpansBetween(Limb limb, const TypedPlace& place, const TypedZone& zone,
                                       ClockMinute first, ClockMinute last, Reckoning reckoning) {
    std::vector<LimbSpan> spans;
    if (first > last) return spans;
    LimbQuantity quantity{limb, place, zone, Reckoner(reckoning)};
    ChangeReading<LimbValue> at = quantity.Read(first);
    ClockMinute start = RunStart(quantity, at);
    for (;;) {
        // Each value's end is the next value's start, read there by the search.
        const LimbValue value = at.value;
        ChangeReading<LimbValue> next = *NextChange(quantity, at, NoLastMinute);
        spans.push_back({limb, value, start, next.minute});
        if (next.minute > last) return spans;
        start = next.minute;
        at = std::move(next);
    }
}

}  // namespace kalvora
