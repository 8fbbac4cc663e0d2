#pragma once
// The change search: the first whole minute at which a value read at whole minutes changes, found like a root on
// whole minutes. The finder's quantities and the day's limb times both run on it.
//
// A quantity provides `Value`, `Read(minute) -> ChangeReading<Value>`, `static Same(a, b)` (whether the caller
// sees the two values as one) and a `ChangeGuide guide`. Its value only moves forward: equal values at two minutes
// mean no change in between. The search steps out from a reading until a probe reads another value, predicting the
// step from the guide's phases when it has any (angles in degrees that move forward, the value changing each time
// one passes a multiple of its period) and their rates, then closes in on the minute where the value differs from
// the minute before: where the phases put it while they guide well, else by halving.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace kalvora {

inline constexpr int MaxChangePhases = 2;

// A quantity read at one minute: its value and the phases that guide the search (unused without them).
template <class Value>
struct ChangeReading {
    std::int64_t minute = 0;
    Value value;
    std::array<double, MaxChangePhases> phase{};
};

namespace change_search_detail {

// How far an angle has moved forward from `from` to `to`, 0..<360 degrees.
inline double Forward(double from, double to) {
    const double d = std::fmod(to - from, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

// Degrees still to go from `phase` to the next multiple of `period`.
inline double ToNextMultiple(double phase, double period) {
    return period - (phase - period * std::floor(phase / period));
}

// A predicted minute as a whole minute low..high, rounded up.
inline std::int64_t Clamp(double minute, std::int64_t low, std::int64_t high) {
    if (!(minute > low)) return low;  // also for a prediction that is not a number
    if (minute >= high) return high;
    return static_cast<std::int64_t>(std::ceil(minute));
}

}  // namespace change_search_detail

// The guide of one quantity: its phases' periods, their rates as last measured, and how far one probe may reach.
// Without phases the search steps maxStep minutes at a time and then halves.
struct ChangeGuide {
    int phases = 0;
    std::array<double, MaxChangePhases> period{};
    std::array<double, MaxChangePhases> ratePerMinute{};
    int maxStep = 60;
    bool everyMinute = false;  // read every minute: the value may move back, so no minute can be skipped

    // Minutes until the next change as the phases' rates predict it.
    double Predict(const std::array<double, MaxChangePhases>& phase) const {
        double minutes = maxStep;
        for (int i = 0; i < phases; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const double toNext = change_search_detail::ToNextMultiple(phase[at], period[at]);
            minutes = std::min(minutes, toNext / ratePerMinute[at]);
        }
        return minutes;
    }

    // Where, between a reading before the change and one after it, the first phase to pass a multiple does so
    // on a straight line through the two. A phase whose multiple seems not quite reached yet still counts: the
    // value may change a little before the guide's multiple (the yoga's), and the estimate then falls at the end.
    std::optional<double> Crossing(std::int64_t loMinute, const std::array<double, MaxChangePhases>& lo,
                                   std::int64_t hiMinute, const std::array<double, MaxChangePhases>& hi) const {
        std::optional<double> first;
        for (int i = 0; i < phases; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const double moved = change_search_detail::Forward(lo[at], hi[at]);
            if (moved <= 0.0) continue;
            const double minute =
                loMinute + (hiMinute - loMinute) * change_search_detail::ToNextMultiple(lo[at], period[at]) / moved;
            if (!first || minute < *first) first = minute;
        }
        return first;
    }

    void Learn(std::int64_t loMinute, const std::array<double, MaxChangePhases>& lo, std::int64_t minute,
               const std::array<double, MaxChangePhases>& at) {
        if (minute <= loMinute) return;
        for (int i = 0; i < phases; ++i) {
            const auto p = static_cast<std::size_t>(i);
            const double moved = change_search_detail::Forward(lo[p], at[p]);
            if (moved > 0.0) ratePerMinute[p] = moved / static_cast<double>(minute - loMinute);
        }
    }
};

// Guided probes into one bracket before it is halved instead.
inline constexpr int MaxGuidedProbes = 6;

// No last minute: the search goes on until the value changes.
inline constexpr std::int64_t NoLastMinute = std::numeric_limits<std::int64_t>::max();

// The first reading after `lo`, at `last` at the latest, whose value is not the same as lo's; none when the value
// holds up to `last`. Moves `lo` on to the last reading found with lo's value.
template <class Quantity>
std::optional<ChangeReading<typename Quantity::Value>> NextChange(Quantity& quantity,
                                                                  ChangeReading<typename Quantity::Value>& lo,
                                                                  std::int64_t last) {
    using R = ChangeReading<typename Quantity::Value>;
    using change_search_detail::Clamp;
    ChangeGuide& guide = quantity.guide;
    if (lo.minute >= last) return std::nullopt;
    std::optional<R> hi;  // the earliest reading known to differ from lo
    // Once the change is bracketed, probes go where the phases put it. When the guide misses on one side twice
    // running, each further probe reaches twice as far past its estimate, and after a few the bracket is halved,
    // so that a poor guide costs only a few probes more.
    int bracketProbes = 0;
    std::int64_t reachBack = 1;  // a probe at or after the change: the next one lands at least this far before hi
    std::int64_t reachOn = 1;    // a probe before the change: the next one lands at least this far after lo
    bool lastBefore = false;     // the last guided probe fell before the change
    bool lastAfter = false;      // ... at or after it
    const auto nextProbe = [&]() {
        const std::int64_t low = lo.minute + 1;
        if (!hi) {
            if (guide.everyMinute) return low;
            return Clamp(static_cast<double>(lo.minute) + guide.Predict(lo.phase), low,
                         std::min(last, lo.minute + guide.maxStep));
        }
        const std::int64_t high = hi->minute - 1;
        if (bracketProbes++ < MaxGuidedProbes) {
            if (const auto crossing = guide.Crossing(lo.minute, lo.phase, hi->minute, hi->phase)) {
                const std::int64_t guided =
                    std::max(std::min(Clamp(*crossing, low, high), hi->minute - reachBack), lo.minute + reachOn);
                return std::clamp(guided, low, high);
            }
        }
        return lo.minute + (hi->minute - lo.minute) / 2;
    };
    for (;;) {
        const bool bracketed = hi.has_value();
        R r = quantity.Read(nextProbe());
        guide.Learn(lo.minute, lo.phase, r.minute, r.phase);
        if (Quantity::Same(r.value, lo.value)) {
            lo = std::move(r);  // nothing changed up to here: the value only moves forward
            if (!hi && lo.minute == last) return std::nullopt;
            if (bracketed && lastBefore) reachOn *= 2;
            reachBack = 1;
            lastBefore = bracketed;
            lastAfter = false;
        } else {
            hi = std::move(r);
            if (bracketed && lastAfter) reachBack *= 2;
            reachOn = 1;
            lastAfter = bracketed;
            lastBefore = false;
        }
        if (hi && hi->minute == lo.minute + 1) return hi;
    }
}

// The readings of a quantity at `first` and at each minute of first..last where its value changes, in time order.
template <class Quantity>
void FindChanges(Quantity& quantity, std::int64_t first, std::int64_t last,
                 std::vector<ChangeReading<typename Quantity::Value>>& out) {
    out.clear();
    ChangeReading<typename Quantity::Value> lo = quantity.Read(first);
    out.push_back(lo);
    while (auto change = NextChange(quantity, lo, last)) {
        out.push_back(*change);
        lo = std::move(*change);
    }
}

// A quantity read back in time: minute m is the quantity's minute -m, so that a search forward on it runs back
// from a minute. Only a guide without phases (steps and halving) runs this way.
template <class Quantity>
struct ReadBackward {
    using Value = typename Quantity::Value;
    Quantity& forward;
    ChangeGuide guide = forward.guide;

    ChangeReading<Value> Read(std::int64_t minute) {
        ChangeReading<Value> r = forward.Read(-minute);
        r.minute = minute;
        return r;
    }
    static bool Same(const Value& a, const Value& b) { return Quantity::Same(a, b); }
};

// The first minute of the unbroken run of minutes up to `at` whose values are the same as at's.
template <class Quantity>
std::int64_t RunStart(Quantity& quantity, ChangeReading<typename Quantity::Value> at) {
    ReadBackward<Quantity> backward{quantity};
    at.minute = -at.minute;
    return -NextChange(backward, at, NoLastMinute)->minute + 1;
}

}  // namespace kalvora
