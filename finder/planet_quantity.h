#pragma once
// The planets' signs as a quantity of the finder.

#include <array>
#include <limits>
#include <vector>

#include "driver/change_search.h"
#include "finder/quantities.h"
#include "planets/sky.h"

namespace kalvora::finding {

// The planets whose signs the planet texts carry to the planet check.
constexpr auto SignPlanets = std::to_array<Body>({Body::Sun, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter,
                                                  Body::Saturn});

// The signs of the Sun, Mercury, Venus, Mars, Jupiter and Saturn, which the planet texts carry to the planet
// check (the Moon's sign is the Moon quantity's). A planet can turn back into the sign it left, so forward motion
// is not assumed. Planets are read without their speeds, which halves the cost of a reading. Between two readings
// at most a date apart a planet moves less than a sign and turns at most once (two stations of one planet lie
// weeks apart), so:
// - readings in two signs: it crossed the boundary between them exactly once, and a search on whole minutes,
//   guided by a straight line through the longitudes to the boundary, finds the first minute of the new sign;
// - readings in one sign, farther from its boundaries than the planet could go and come back: no change;
// - readings in one sign closer to a boundary: the directions at both ends decide (speeds read there). One
//   direction means it moved one way only and stayed in the sign; two put a station in between, which is found
//   first (the first minute moving the other way) and splits the range into two one-way pieces.
// A planet farther from a sign boundary than its largest motion can carry it is not read again until then, and the
// reading that ends a range is the start of the next one when that begins the minute after.
class PlanetQuantity {
public:
    explicit PlanetQuantity(DateMoments& moments);

    // The readings at `first` and at each minute of first..last where a planet's sign changes, in time order.
    // Their skies hold each planet where its current sign was read: only the signs are meant to be used.
    void FindChanges(int first, int last, std::vector<ChangeReading<Sky>>& out);

private:
    // One planet read at a minute.
    struct Placed {
        int minute = 0;
        double jdUt = -std::numeric_limits<double>::infinity();
        BodyPosition position;
    };
    struct Change {
        int minute;
        Body body;
        BodyPosition position;
    };

    double JdAt(int minute);
    // A planet at a minute, in the sign the calculation's full reading gives it.
    Placed Read(Body body, int minute, double jdUt) const;
    // Whether a planet read in one sign at two moments can have left it in between: out and back over a boundary
    // takes at least the way there and the way back, at no more than its largest motion.
    static bool MayLeaveAndReturn(Body body, const Placed& lo, const Placed& hi);
    // The changes between two readings of a planet.
    void Changes(Body body, const Placed& lo, const Placed& hi);
    // The first minute of the new sign between two readings in two signs, over which the planet crossed the
    // boundary between them once.
    void Crossing(Body body, Placed lo, Placed hi);

    DateMoments& moments_;
    Sky known_;  // each planet where it was last read
    std::array<double, SignPlanets.size()> quietUntilJd_{};  // until when its sign cannot change from there
    std::array<Placed, SignPlanets.size()> ended_{};         // each planet's reading at the end of the last range
    std::vector<Change> changes_;
};

}  // namespace kalvora::finding
