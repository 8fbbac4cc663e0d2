// Sign changes and stations of 2026-2030 found with the ephemeris, kept for the finder's tests: each is checked
// on both sides, so that a change of the ephemeris or of its settings shows here first.

#include <gtest/gtest.h>

#include "planets/sky.h"

namespace kalvora {
namespace {

// A body changes sign, moving forward or (retrograde) back into the sign it left.
struct SignChange {
    const char* when;  // UT, to the minute
    Body body;
    double jdUt;       // the change, to a hundredth of a second
    int signBefore;
    int signAfter;
};

// A body stands still and turns; distanceDeg is how far it stands from the nearest sign boundary.
struct Station {
    const char* when;
    Body body;
    double jdUt;
    bool retrogradeAfter;
    int sign;
    double distanceDeg;
};

// source: bisection of the ephemeris' sidereal longitudes (sign changes) and speeds (stations)
constexpr SignChange SignChanges[] = {
    {"2026-01-17 04:54", Body::Mercury, 2461057.704228, 8, 9},
    {"2026-06-22 10:00", Body::Mercury, 2461213.917140, 2, 3},
    {"2026-07-07 05:16", Body::Mercury, 2461228.719705, 3, 2},  // back into Mithuna
    {"2026-08-05 14:24", Body::Mercury, 2461258.100192, 2, 3},
    {"2026-11-05 19:34", Body::Venus, 2461350.315538, 6, 5},    // back into Kanya
    {"2026-11-22 11:51", Body::Venus, 2461366.993868, 5, 6},
    {"2026-11-12 14:48", Body::Mars, 2461357.117072, 3, 4},
    {"2027-01-24 20:01", Body::Jupiter, 2461430.334534, 4, 3},  // back into Kataka
    {"2029-08-08 07:04", Body::Saturn, 2462356.794543, 0, 1},
    {"2029-10-05 11:20", Body::Saturn, 2462414.972737, 1, 0},   // back into Mesha
};

constexpr Station Stations[] = {
    {"2026-06-29 17:34", Body::Mercury, 2461221.232346, true, 3, 2.03},   // 2 deg 01' into Kataka
    {"2026-11-14 00:29", Body::Venus, 2461358.520706, false, 5, 1.37},    // 28 deg 37' Kanya
    {"2029-05-05 19:02", Body::Mars, 2462262.293728, false, 5, 0.66},     // 0 deg 39' Kanya, does not go back
    {"2029-09-06 08:15", Body::Saturn, 2462385.844123, true, 1, 0.74},    // 0 deg 44' Vrishabha
    {"2029-12-16 23:45", Body::Venus, 2462487.490086, true, 8, 0.25},     // 29 deg 44' Dhanus, turns short of Makara
};

TEST(RecordedEvents, SignChangesBothSides) {
    constexpr double Margin = 1.0 / 1440.0;  // a minute
    for (const SignChange& c : SignChanges) {
        EXPECT_EQ(ComputeSky(c.jdUt - Margin).at(c.body).signIndex, c.signBefore) << c.when;
        EXPECT_EQ(ComputeSky(c.jdUt + Margin).at(c.body).signIndex, c.signAfter) << c.when;
        const bool backward = (c.signAfter - c.signBefore + 12) % 12 == 11;
        EXPECT_EQ(ComputeSky(c.jdUt).at(c.body).retrograde, backward) << c.when;
    }
}

TEST(RecordedEvents, StationsBothSides) {
    constexpr double Margin = 1.0 / 24.0;  // an hour: near a station the speed is close to nothing
    for (const Station& s : Stations) {
        const BodyPosition before = ComputeSky(s.jdUt - Margin).at(s.body);
        const BodyPosition after = ComputeSky(s.jdUt + Margin).at(s.body);
        EXPECT_EQ(before.retrograde, !s.retrogradeAfter) << s.when;
        EXPECT_EQ(after.retrograde, s.retrogradeAfter) << s.when;
        EXPECT_EQ(after.signIndex, s.sign) << s.when;
        const double inSign = after.longitudeDeg - 30.0 * s.sign;
        EXPECT_NEAR(std::min(inSign, 30.0 - inSign), s.distanceDeg, 0.01) << s.when;
    }
}

}  // namespace
}  // namespace kalvora
