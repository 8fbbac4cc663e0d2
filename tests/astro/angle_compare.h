#pragma once
// Angle comparison through the wrapped difference, so that a sign error cannot pass.

#include <cmath>

namespace kalvora::testing {

inline double WrappedDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

}  // namespace kalvora::testing

#define EXPECT_ANGLE_NEAR(actual, expected, tolerance)                                               \
    EXPECT_LE(std::fabs(::kalvora::testing::WrappedDifference((actual), (expected))), (tolerance)) \
        << "actual " << (actual) << " expected " << (expected)
