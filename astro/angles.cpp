// Time scales and angle routines shared by the ascendant and the Moon.

#include <cmath>
#include <string>

#include "astro/ephemeris.h"

namespace kalvora {

double QuadrantArctan(double y, double x) {
    const double sgnY = (y > 0.0) - (y < 0.0);
    if (x > 0.0) return std::atan(y / x);
    if (x < 0.0) return sgnY * (QuadrantPi - std::atan(std::fabs(y / x)));
    return sgnY * QuadrantPi / 2.0;  // x = 0: 0 when y is 0 too
}

double NormalizeDegrees(double& angle) {
    if (angle < 0.0) angle += 360.0;
    if (angle > 360.0) angle -= 360.0;
    return angle;
}

namespace {
constexpr std::string_view SignAbbreviations = "AriTauGemCanLeoVirLibScoSagCapAquPis";
}

std::string FormatZodiacPosition(double longitude) {
    const double a = std::fabs(longitude);
    double d = std::floor(a);
    const double mf = 60.0 * (a - d);
    const double m = std::floor(mf);
    const double s = std::floor(60.0 * (mf - m));  // seconds are truncated, never rounded
    const auto sign = static_cast<std::size_t>(std::floor(d / 30.0));
    while (d >= 30.0) d -= 30.0;
    const std::string_view abbreviation =
        3 * sign < SignAbbreviations.size() ? SignAbbreviations.substr(3 * sign, 3) : std::string_view{};

    std::string text = std::to_string(static_cast<long long>(d));
    text += "\u00b0 ";
    text += std::to_string(static_cast<long long>(m));
    text += "' ";
    text += std::to_string(static_cast<long long>(s));
    text += "\" ";
    text += abbreviation;
    return text;
}

int ZodiacSignIndex(double longitude) {
    // The sign FormatZodiacPosition writes: Int(Int(|x|) / 30); one full turn reads as the first sign.
    const int sign = static_cast<int>(std::floor(std::floor(std::fabs(longitude)) / 30.0));
    return ((sign % 12) + 12) % 12;
}

double LocalSiderealTime(double ut, double centuriesSince1900, double longitude) {
    const double t = centuriesSince1900;
    double lst = 15.0 * (ut + 6.6460656 + 2400.0513 * t + 0.0000258 * t * t) + longitude;
    while (lst >= 360.0) lst -= 360.0;  // a negative value is left as it is: it only enters sines and cosines
    return lst;
}

MomentTime ConvertMoment(const MomentInput& input) {
    MomentTime out;
    out.longitude = SignedLongitude(input.place);
    out.latitude = SignedLatitude(input.place);
    const double zone = EffectiveZoneHours(input.zone);

    out.clock.month = input.month;
    out.clock.day = input.day;
    out.clock.year = input.year;
    out.clock.localHours = input.hour + input.minute / 60.0;
    out.clock.effectiveZoneHours = zone;

    out.ut = out.clock.localHours - zone;
    out.jdn = static_cast<double>(DayNumber(DateOf(input)));
    out.centuriesSince1900 = (out.jdn - 2415020.0 + out.ut / 24.0 - 0.5) / 36525.0;
    out.centuriesSince2000 = (out.jdn - 2451545.0 + out.ut / 24.0 - 0.5) / 36525.0;
    return out;
}

}  // namespace kalvora
