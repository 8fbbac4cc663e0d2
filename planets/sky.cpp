// The sky of one moment from the Swiss Ephemeris.

#include "planets/sky.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include <swephexp.h>

#include "astro/ephemeris.h"
#include "planets/ayanamsa.h"

namespace kalvora {

namespace {

// The analytical ephemeris is asked for explicitly: without it the library looks for data files on every call.
constexpr int32 EphemerisFlags = SEFLG_MOSEPH;
constexpr int32 PlaceFlags = EphemerisFlags | SEFLG_SIDEREAL;
constexpr int32 PositionFlags = PlaceFlags | SEFLG_SPEED;

// Ephemeris body numbers of the bodies the library computes, in the order of the body table; Ketu is derived.
struct EphemerisBody {
    Body body;
    int32 number;
};
constexpr auto EphemerisBodies = std::to_array<EphemerisBody>({
    {Body::Sun, SE_SUN},
    {Body::Moon, SE_MOON},
    {Body::Mercury, SE_MERCURY},
    {Body::Venus, SE_VENUS},
    {Body::Mars, SE_MARS},
    {Body::Jupiter, SE_JUPITER},
    {Body::Saturn, SE_SATURN},
    {Body::Rahu, SE_MEAN_NODE},
});

// The Moon's mean motion against the stars: one turn in a sidereal month of 27.321662 days.
constexpr double MoonMeanMotionDegPerDay = 360.0 / 27.321662;

BodyPosition PositionAt(double longitudeDeg, double speedDegPerDay) {
    BodyPosition p;
    p.longitudeDeg = WrapDegrees(longitudeDeg);
    p.speedDegPerDay = speedDegPerDay;
    p.retrograde = speedDegPerDay < 0.0;
    p.signIndex = ZodiacSignIndex(p.longitudeDeg);
    p.nakshatraIndex = NakshatraIndex(p.longitudeDeg);
    return p;
}

// The fastest geocentric motion in longitude of each body, with a margin of about a tenth: the Sun 1.02, Mercury
// 2.2, Venus 1.26, Mars 0.8, Jupiter 0.25, Saturn 0.13 degrees a day (the mean node 0.053, its true motion
// a little more); the Moon's own longitude up to 15.4. The planets tests measure them over 1901-2050.
struct DailyMotion {
    Body body;
    double largestDeg;
};
constexpr auto LargestDailyMotions = std::to_array<DailyMotion>({
    {Body::Sun, 1.1},
    {Body::Moon, 16.5},
    {Body::Mercury, 2.5},
    {Body::Venus, 1.4},
    {Body::Mars, 0.9},
    {Body::Jupiter, 0.3},
    {Body::Saturn, 0.15},
    {Body::Rahu, 0.06},
    {Body::Ketu, 0.06},
});

[[noreturn]] void Refuse(double jdUt, const char* message) {
    throw std::domain_error("no ephemeris position for Julian day " + std::to_string(jdUt) + ": " + message);
}

// The bodies from the ephemeris, the Moon only when moonToo.
Sky SkyFromEphemeris(double jdUt, bool moonToo, Ayanamsa ayanamsa) {
    // The sidereal mode lives in the library's per-thread state: set it in this thread for this call.
    swe_set_sid_mode(SiderealModeOf(ayanamsa), 0.0, 0.0);

    Sky sky;
    sky.jdUt = jdUt;
    char message[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(jdUt, EphemerisFlags, &sky.ayanamsaDeg, message) < 0) Refuse(jdUt, message);

    for (const EphemerisBody& e : EphemerisBodies) {
        if (e.body == Body::Moon && !moonToo) continue;
        double x[6] = {};  // longitude, latitude, distance and their speeds
        if (swe_calc_ut(jdUt, e.number, PositionFlags, x, message) < 0) Refuse(jdUt, message);
        sky.bodies[static_cast<std::size_t>(e.body)] = PositionAt(x[0], x[3]);
    }
    const BodyPosition& rahu = sky.at(Body::Rahu);
    sky.bodies[static_cast<std::size_t>(Body::Ketu)] = PositionAt(rahu.longitudeDeg + 180.0, rahu.speedDegPerDay);
    return sky;
}

}  // namespace

double JulianDayUt(const MomentTime& time) {
    return time.jdn - 0.5 + time.ut / 24.0;
}

Sky ComputeSky(double jdUt, Ayanamsa ayanamsa) { return SkyFromEphemeris(jdUt, true, ayanamsa); }

namespace {

// One body the ephemeris computes on its own, with or without its speed.
BodyPosition OneBody(double jdUt, Body body, int32 flags, Ayanamsa ayanamsa) {
    const auto row = std::find_if(EphemerisBodies.begin(), EphemerisBodies.end(),
                                  [body](const EphemerisBody& e) { return e.body == body; });
    if (row == EphemerisBodies.end() || body == Body::Moon) {
        throw std::invalid_argument("the ephemeris places the Sun, Mercury to Saturn and Rahu one by one");
    }
    swe_set_sid_mode(SiderealModeOf(ayanamsa), 0.0, 0.0);
    char message[AS_MAXCH] = "";
    double x[6] = {};
    if (swe_calc_ut(jdUt, row->number, flags, x, message) < 0) Refuse(jdUt, message);
    return PositionAt(x[0], x[3]);
}

}  // namespace

BodyPosition ComputeBody(double jdUt, Body body, Ayanamsa ayanamsa) {
    return OneBody(jdUt, body, PositionFlags, ayanamsa);
}

BodyPosition ComputeBodyPlace(double jdUt, Body body, Ayanamsa ayanamsa) {
    return OneBody(jdUt, body, PlaceFlags, ayanamsa);
}

BodyPosition OwnMoonPosition(double moonLongitudeDeg) {
    return PositionAt(moonLongitudeDeg, MoonMeanMotionDegPerDay);
}

double LargestDailyMotionDeg(Body body) {
    return LargestDailyMotions[static_cast<std::size_t>(body)].largestDeg;
}

Sky ComputeSky(double jdUt, double moonLongitudeDeg, Ayanamsa ayanamsa) {
    // The Moon's place is given: the ephemeris is not asked for it (it costs as much as a planet).
    Sky sky = SkyFromEphemeris(jdUt, false, ayanamsa);
    sky.bodies[static_cast<std::size_t>(Body::Moon)] = OwnMoonPosition(moonLongitudeDeg);
    return sky;
}

std::string DegreesInSign(double longitudeDeg) {
    const double wrapped = WrapDegrees(longitudeDeg);
    const double inSign = wrapped - 30.0 * ZodiacSignIndex(wrapped);
    // Whole minutes of arc within the sign; the clamps keep a value a rounding away from a boundary in its sign.
    const int minutes = std::clamp(static_cast<int>(std::floor(60.0 * inSign)), 0, 30 * 60 - 1);
    std::string text;
    const auto twoDigits = [&text](int value) {
        text += static_cast<char>('0' + value / 10);
        text += static_cast<char>('0' + value % 10);
    };
    twoDigits(minutes / 60);
    text += "\u00b0";
    twoDigits(minutes % 60);
    text += "'";
    return text;
}

std::string BodyText(Body body, const BodyPosition& position) {
    std::string text{NameOf(body).abbreviation};
    text += ' ';
    text += SignNames[static_cast<std::size_t>(position.signIndex)].planetAbbreviation;
    text += ' ';
    text += DegreesInSign(position.longitudeDeg);
    if (position.retrograde) text += " R";
    return text;
}

std::array<std::string, PlanetTextCount> PlanetTexts(const Sky& sky) {
    std::array<std::string, PlanetTextCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = BodyText(BodyNames[i].body, sky.bodies[i]);
    return texts;
}

}  // namespace kalvora
