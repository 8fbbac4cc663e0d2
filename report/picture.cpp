#include "report/picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kalvora {
namespace {

constexpr Rgb Paper{255, 255, 255};
constexpr Rgb Night{15, 25, 75};
constexpr Rgb RingBlue{35, 55, 130};
constexpr Rgb Gold{212, 175, 55};
constexpr Rgb PaleGold{250, 225, 140};
constexpr Rgb SunCore{255, 214, 80};
constexpr Rgb SunRay{250, 160, 35};
constexpr Rgb MoonSilver{232, 232, 244};
constexpr Rgb StarWhite{255, 255, 255};

struct Point {
    double x, y;
};

// Emblem geometry in pixels, centred in the picture.
constexpr double Centre = ReportPictureSize / 2.0;
constexpr double OuterRim = 57.0;
constexpr double RingInner = 44.0;
constexpr double RimHalfWidth = 0.8;
constexpr double SignDotRadius = 1.8;
constexpr double SignDotOrbit = 50.5;
constexpr double SunRadius = 13.0;
constexpr double RayTip = 27.0;
constexpr double RayHalfAngleDeg = 11.0;
constexpr double MoonRadius = 8.0;
constexpr double MoonOrbit = 32.0;
constexpr double StarRadius = 0.9;

// Stars of the sky inside the ring (6 entries, pixel positions).
static constexpr auto Stars = std::to_array<Point>({
    {38.0, 30.0}, {29.0, 64.0}, {45.0, 90.0}, {79.0, 87.0}, {91.0, 62.0}, {57.0, 24.0},
});
static_assert(Stars.size() == 6);

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Angle from the centre in degrees, 0..360, counted clockwise on screen from the right.
double AngleDeg(Point p) {
    const double a = std::atan2(p.y - Centre, p.x - Centre) * 180.0 / std::numbers::pi;
    return a < 0.0 ? a + 360.0 : a;
}

// Angular distance in degrees from the nearest multiple of the given step.
double OffStep(double angleDeg, double stepDeg) {
    const double r = angleDeg - stepDeg * std::floor(angleDeg / stepDeg);
    return std::min(r, stepDeg - r);
}

Point Polar(double radius, double angleDeg) {
    const double a = angleDeg * std::numbers::pi / 180.0;
    return {Centre + radius * std::cos(a), Centre + radius * std::sin(a)};
}

// Colour of the emblem at one point, front layers first.
Rgb SceneColour(Point p) {
    const Point centre{Centre, Centre};
    const double d = Distance(p, centre);
    if (d > OuterRim + RimHalfWidth) return Paper;
    if (std::abs(d - OuterRim) <= RimHalfWidth || std::abs(d - RingInner) <= RimHalfWidth) return Gold;

    const double angle = AngleDeg(p);
    if (d > RingInner) {
        // The zodiac: twelve signs of 30 degrees, each marked with a dot in its middle.
        if (OffStep(angle, 30.0) * std::numbers::pi / 180.0 * d < 0.7) return Gold;
        const double dotAngle = 30.0 * std::floor(angle / 30.0) + 15.0;
        if (Distance(p, Polar(SignDotOrbit, dotAngle)) <= SignDotRadius) return PaleGold;
        return RingBlue;
    }

    if (d <= SunRadius) return SunCore;
    if (d <= RayTip) {
        // Twelve rays narrowing from the Sun's edge to their tips.
        const double halfAngle = RayHalfAngleDeg * (RayTip - d) / (RayTip - SunRadius);
        if (OffStep(angle + 15.0, 30.0) <= halfAngle) return SunRay;
    }

    // The crescent Moon up to the right, its lit side turned towards the Sun.
    const Point moon = Polar(MoonOrbit, 315.0);
    const Point shadow{moon.x + 3.4, moon.y - 3.4};
    if (Distance(p, moon) <= MoonRadius && Distance(p, shadow) > MoonRadius - 0.6) return MoonSilver;

    for (const Point& star : Stars) {
        if (Distance(p, star) <= StarRadius) return StarWhite;
    }
    return Night;
}

}  // namespace

Bitmap ReportPicture() {
    // Each pixel is the mean of 4 x 4 samples, which smooths the edges of the circles.
    constexpr int Samples = 4;
    Bitmap picture(ReportPictureSize, ReportPictureSize);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const Rgb c = SceneColour({x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples});
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr int n = Samples * Samples;
            picture.At(x, y) = {static_cast<std::uint8_t>((r + n / 2) / n), static_cast<std::uint8_t>((g + n / 2) / n),
                                static_cast<std::uint8_t>((b + n / 2) / n)};
        }
    }
    return picture;
}

}  // namespace kalvora
