// The planets' signs: each planet's sign changes over a range of minutes, found from readings at its ends, the
// station between them when the planet turned, and a guided search on whole minutes for each boundary crossed.

#include "finder/planet_quantity.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kalvora::finding {

namespace {

// Closer than this to a sign boundary, a reading without speed may put the planet on the other side of it than
// the calculation's reading does (they differ by about 1e-13 degrees): the planet is read in full there.
constexpr double BoundaryHairDeg = 1e-9;
// Guided probes in one sign-change search before the bracket is halved instead.
constexpr int MaxGuidedPlanetProbes = 4;

constexpr double OneMinuteJd = 1.0 / MinutesPerDay;
constexpr double SameMomentJd = 1e-3 / SecondsPerDay;  // a millisecond

std::size_t Index(Body body) { return static_cast<std::size_t>(body); }
double InSign(const BodyPosition& p) { return p.longitudeDeg - 30.0 * p.signIndex; }

}  // namespace

PlanetQuantity::PlanetQuantity(DateMoments& moments) : moments_(moments) {
    quietUntilJd_.fill(-std::numeric_limits<double>::infinity());
}

void PlanetQuantity::FindChanges(int first, int last, std::vector<ChangeReading<Sky>>& out) {
    changes_.clear();
    Sky start = known_;
    const double firstJd = JdAt(first);
    const double lastJd = JdAt(last);
    for (std::size_t i = 0; i < SignPlanets.size(); ++i) {
        if (lastJd <= quietUntilJd_[i]) continue;  // no boundary within reach: the sign holds over the range
        const Body body = SignPlanets[i];
        const Placed hi = Read(body, last, lastJd);
        // The last reading, when it was taken the minute before `first`, stands in for a reading at `first`: a
        // change found at `first` then sets the starting sign. An older one in the same sign as `last`, too far
        // from the boundaries for the planet to have left the sign and come back since, shows no change at all.
        Placed lo = ended_[i];
        if (std::abs(firstJd - OneMinuteJd - lo.jdUt) < SameMomentJd) {
            lo.minute = first - 1;
            start.bodies[Index(body)] = lo.position;
            Changes(body, lo, hi);
        } else if (lo.jdUt < firstJd && lo.position.signIndex == hi.position.signIndex &&
                   !MayLeaveAndReturn(body, lo, hi)) {
            start.bodies[Index(body)] = hi.position;
        } else {
            lo = Read(body, first, firstJd);
            start.bodies[Index(body)] = lo.position;
            Changes(body, lo, hi);
        }
        ended_[i] = hi;
        known_.bodies[Index(body)] = hi.position;
        const double inSign = InSign(hi.position);
        quietUntilJd_[i] = lastJd + std::min(inSign, 30.0 - inSign) / LargestDailyMotionDeg(body);
    }
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const Change& x, const Change& y) { return x.minute < y.minute; });
    out.clear();
    out.push_back({first, start, {}});
    for (const Change& c : changes_) {
        if (out.back().minute != c.minute) out.push_back({c.minute, out.back().value, {}});
        out.back().value.bodies[Index(c.body)] = c.position;
    }
}

double PlanetQuantity::JdAt(int minute) { return JulianDayUt(moments_.TimeAt(minute)); }

PlanetQuantity::Placed PlanetQuantity::Read(Body body, int minute, double jdUt) const {
    Placed p{minute, jdUt, ComputeBodyPlace(jdUt, body, moments_.ChosenAyanamsa())};
    const double inSign = InSign(p.position);
    if (inSign < BoundaryHairDeg || inSign > 30.0 - BoundaryHairDeg) {
        p.position = ComputeBody(jdUt, body, moments_.ChosenAyanamsa());
    }
    return p;
}

bool PlanetQuantity::MayLeaveAndReturn(Body body, const Placed& lo, const Placed& hi) {
    const double reach = LargestDailyMotionDeg(body) * (hi.jdUt - lo.jdUt);
    const double inLo = InSign(lo.position);
    const double inHi = InSign(hi.position);
    return inLo + inHi <= reach || (30.0 - inLo) + (30.0 - inHi) <= reach;
}

void PlanetQuantity::Changes(Body body, const Placed& lo, const Placed& hi) {
    if (lo.position.signIndex != hi.position.signIndex) {
        Crossing(body, lo, hi);
        return;
    }
    if (!MayLeaveAndReturn(body, lo, hi)) return;

    const BodyPosition loMoving = ComputeBody(lo.jdUt, body, moments_.ChosenAyanamsa());
    const BodyPosition hiMoving = ComputeBody(hi.jdUt, body, moments_.ChosenAyanamsa());
    if (loMoving.retrograde == hiMoving.retrograde) return;  // one way only: it stayed in the sign
    // The station: the last minute moving as at lo, then the first moving the other way.
    Placed before{lo.minute, lo.jdUt, loMoving};
    Placed after{hi.minute, hi.jdUt, hiMoving};
    while (after.minute - before.minute > 1) {
        const int mid = before.minute + (after.minute - before.minute) / 2;
        const Placed m{mid, JdAt(mid), ComputeBody(JdAt(mid), body, moments_.ChosenAyanamsa())};
        (m.position.retrograde == loMoving.retrograde ? before : after) = m;
    }
    for (const auto& [from, to] : {std::pair{lo, before}, std::pair{before, after}, std::pair{after, hi}}) {
        if (from.position.signIndex != to.position.signIndex) Crossing(body, from, to);
    }
}

void PlanetQuantity::Crossing(Body body, Placed lo, Placed hi) {
    const int sign = lo.position.signIndex;
    const int upper = (sign + 1) % 12;
    const double boundary = 30.0 * (hi.position.signIndex == upper ? upper : sign);
    for (int probes = 0; hi.minute - lo.minute > 1; ++probes) {
        int probe = lo.minute + (hi.minute - lo.minute) / 2;
        // Where a straight line through the two readings meets the boundary (degrees past it, either way).
        const double a = std::remainder(lo.position.longitudeDeg - boundary, 360.0);
        const double b = std::remainder(hi.position.longitudeDeg - boundary, 360.0);
        if (probes < MaxGuidedPlanetProbes && (a < 0.0) != (b < 0.0)) {
            const double crossing = lo.minute + (hi.minute - lo.minute) * a / (a - b);
            probe = std::clamp(static_cast<int>(std::ceil(crossing)), lo.minute + 1, hi.minute - 1);
        }
        const Placed m = Read(body, probe, JdAt(probe));
        (m.position.signIndex == sign ? lo : hi) = m;
    }
    changes_.push_back({hi.minute, body, hi.position});
}

}  // namespace kalvora::finding
