// Limb times: a coarse step out from the minute until the limb shows another value, then halving down to the
// whole minute. A limb's index only moves forward in time (the elongation, the Moon and the sum of the Sun and
// the Moon only grow), and no value comes back within days, so within one step the minutes showing the value
// form one unbroken run and the halving finds its edge exactly.

#include "driver/limbs.h"

#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"

namespace kalvora {

namespace {

// The coarse step: shorter than the time any limb takes to come back to a value (a movable karana returns after
// seven half-tithis, more than two days), long enough that a limb of a day is crossed in a few steps.
constexpr ClockMinute CoarseStep = 360;

std::int16_t Short(long long value) { return static_cast<std::int16_t>(value); }

}  // namespace

ClockMinute ClockMinuteOf(const MomentInput& moment) {
    return ClockMinuteOf(DateOf(moment), moment.hour * MinutesPerHour + moment.minute);
}

MomentInput AtClockMinute(MomentInput placeAndZone, ClockMinute minute) {
    const LocalDate date = DateOfClockMinute(minute);
    const int ofDay = MinuteOfDay(minute);
    placeAndZone.year = Short(date.year);
    placeAndZone.month = Short(date.month);
    placeAndZone.day = Short(date.day);
    placeAndZone.hour = Short(ofDay / MinutesPerHour);
    placeAndZone.minute = Short(ofDay % MinutesPerHour);
    return placeAndZone;
}

double JdUtOfClockMinute(const MomentInput& placeAndZone, ClockMinute minute) {
    return JdUtOfClockMinute(minute, ZoneOffsetSeconds(placeAndZone));
}

LimbValue LimbAt(Limb limb, const MomentInput& moment) {
    const MomentTime time = ConvertMoment(moment);
    if (limb == Limb::Nakshatra) {
        ChartPositions chart;
        MoonFromTime(time, chart);
        return {chart.nakshatraIndex, chart.nakshatra};
    }
    const PanchangaInfo p = ComputePanchanga(time.clock);
    switch (limb) {
        case Limb::Tithi: return {static_cast<int>(p.tithiIndex), p.tithiName};
        case Limb::Yoga: return {static_cast<int>(p.yogaIndex), p.yogaName};
        case Limb::Karana: return {p.karanaIndex, p.karanaName};
        case Limb::Nakshatra: break;
    }
    return {};
}

namespace {

// The first minute after `minute` at which the limb no longer shows `index` (step forward), or the first minute
// showing it in the run that holds `minute` (step backward).
ClockMinute Edge(Limb limb, const MomentInput& placeAndZone, ClockMinute minute, int index, ClockMinute step) {
    const auto same = [&](ClockMinute m) { return LimbAt(limb, AtClockMinute(placeAndZone, m)).index == index; };
    // `inside` shows the value, `outside` does not; halve until they are neighbours.
    ClockMinute inside = minute;
    ClockMinute outside = minute + step;
    while (same(outside)) {
        inside = outside;
        outside += step;
    }
    while (inside - outside > 1 || outside - inside > 1) {
        const ClockMinute middle = inside + (outside - inside) / 2;
        (same(middle) ? inside : outside) = middle;
    }
    return step > 0 ? outside : inside;
}

}  // namespace

LimbSpan LimbSpanAt(Limb limb, const MomentInput& placeAndZone, ClockMinute minute) {
    LimbSpan span;
    span.limb = limb;
    span.value = LimbAt(limb, AtClockMinute(placeAndZone, minute));
    span.start = Edge(limb, placeAndZone, minute, span.value.index, -CoarseStep);
    span.end = Edge(limb, placeAndZone, minute, span.value.index, CoarseStep);
    return span;
}

std::array<LimbSpan, LimbCount> LimbsAt(const MomentInput& moment) {
    const ClockMinute minute = ClockMinuteOf(moment);
    std::array<LimbSpan, LimbCount> spans;
    for (std::size_t i = 0; i < LimbCount; ++i) spans[i] = LimbSpanAt(Limbs[i], moment, minute);
    return spans;
}

std::vector<LimbSpan> LimbSpansBetween(Limb limb, const MomentInput& placeAndZone, ClockMinute first,
                                       ClockMinute last) {
    std::vector<LimbSpan> spans;
    if (first > last) return spans;
    spans.push_back(LimbSpanAt(limb, placeAndZone, first));
    while (spans.back().end <= last) {
        // The next value begins where the last one ended: only its end is still to find.
        LimbSpan next;
        next.limb = limb;
        next.start = spans.back().end;
        next.value = LimbAt(limb, AtClockMinute(placeAndZone, next.start));
        next.end = Edge(limb, placeAndZone, next.start, next.value.index, CoarseStep);
        spans.push_back(next);
    }
    return spans;
}

}  // namespace kalvora
