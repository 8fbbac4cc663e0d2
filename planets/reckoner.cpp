#include "planets/reckoner.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include <swephexp.h>

#include "astro/ephemeris.h"
#include "planets/sky.h"

namespace kalvora {
namespace {

// The library's Moshier ephemeris, apparent positions referred to the mean equinox of date: the nutation is kept
// apart, so that it can be added to the tropical longitudes and cancels from the sidereal ones.
constexpr int32 MeanEquinoxFlags = SEFLG_MOSEPH | SEFLG_NONUT;

// The longitude of a body.
double Ask(double jdUt, int body, int32 flags) {
    double x[6] = {};
    char message[AS_MAXCH] = "";
    if (swe_calc_ut(jdUt, body, flags, x, message) < 0) {
        throw std::domain_error("no position for Julian day " + std::to_string(jdUt) + ": " + message);
    }
    return x[0];
}

// The readings about an instant: eight, from three steps before the step it lies in to four after.
constexpr int FirstNode = -3;
constexpr int Nodes = 8;

// A longitude carried by whole turns to lie within half a turn of `near`.
double Near(double longitude, double near) { return near + std::remainder(longitude - near, 360.0); }

}  // namespace

const PreciseLongitudes::Reading& PreciseLongitudes::Asked(std::int64_t index) {
    Kept& k = kept_[static_cast<std::size_t>(index & static_cast<std::int64_t>(kept_.size() - 1))];
    if (k.index != index) {
        const double jdUt = static_cast<double>(index) * Step;
        k.reading.moon = Ask(jdUt, SE_MOON, MeanEquinoxFlags);
        k.reading.sun = Ask(jdUt, SE_SUN, MeanEquinoxFlags);
        double x[6] = {};
        char message[AS_MAXCH] = "";
        if (swe_calc_ut(jdUt, SE_ECL_NUT, SEFLG_MOSEPH, x, message) < 0) {
            throw std::domain_error("no nutation for Julian day " + std::to_string(jdUt) + ": " + message);
        }
        k.reading.obliquity = x[0];
        k.reading.nutation = x[2];
        k.reading.siderealExcess =
            std::remainder(swe_sidtime0(jdUt, x[0], x[2]) * 15.0 - EarthTurnDeg(jdUt), 360.0);
        k.index = index;
    }
    return k.reading;
}

PreciseLongitudes::Reading PreciseLongitudes::At(double jdUt) {
    if (!std::isfinite(jdUt)) throw std::domain_error("no position for a Julian day that is not a number");
    const double steps = std::floor(jdUt / Step);
    const double t = jdUt / Step - steps;  // 0..<1 within the step
    const auto step = static_cast<std::int64_t>(steps);

    // Lagrange's weights of the eight nodes FirstNode .. FirstNode + 7 at t.
    std::array<double, Nodes> weight{};
    for (int j = 0; j < Nodes; ++j) {
        double w = 1.0;
        for (int m = 0; m < Nodes; ++m) {
            if (m != j) w *= (t - (FirstNode + m)) / static_cast<double>(j - m);
        }
        weight[static_cast<std::size_t>(j)] = w;
    }

    Reading sum{};
    double moonNear = 0.0;
    double sunNear = 0.0;
    for (int j = 0; j < Nodes; ++j) {
        const Reading& r = Asked(step + FirstNode + j);
        // The longitudes turn through 360 within the eight readings: each is taken near the one before.
        moonNear = j == 0 ? r.moon : Near(r.moon, moonNear);
        sunNear = j == 0 ? r.sun : Near(r.sun, sunNear);
        const double w = weight[static_cast<std::size_t>(j)];
        sum.moon += w * moonNear;
        sum.sun += w * sunNear;
        sum.nutation += w * r.nutation;
        sum.obliquity += w * r.obliquity;
        sum.siderealExcess += w * r.siderealExcess;
    }
    return sum;
}

double PreciseLongitudes::EarthTurnDeg(double jdUt) {
    constexpr double J2000 = 2451545.0;
    constexpr double DegreesPerDay = 360.98564736629;  // the mean sidereal day
    return WrapDegrees(DegreesPerDay * (jdUt - J2000));
}

void Reckoner::Moon(const MomentTime& time, ChartPositions& chart) {
    const double jdUt = JulianDayUt(time);
    if (!Precise()) {
        MoonFromTime(time, chart, ShiftAt(jdUt));
        return;
    }
    SetMoonNames(WrapDegrees(precise_.At(jdUt).moon - chosen_.At(jdUt)), chart);
}

void Reckoner::Lagna(const MomentTime& time, ChartPositions& chart) {
    const double jdUt = JulianDayUt(time);
    if (!Precise()) {
        LagnaFromTime(time, chart, ShiftAt(jdUt));
        return;
    }
    // The library's apparent sidereal time at Greenwich turned to the place, and its ascendant there (which it
    // keeps on the eastern horizon beyond the polar circles too). The ascendant is from the true equinox, so the
    // nutation comes off with the mean ayanamsa.
    const PreciseLongitudes::Reading r = precise_.At(jdUt);
    const double localSiderealDeg =
        WrapDegrees(PreciseLongitudes::EarthTurnDeg(jdUt) + r.siderealExcess + time.longitude);
    double cusps[13] = {};
    double angles[10] = {};
    swe_houses_armc(localSiderealDeg, time.latitude, r.obliquity, 'E', cusps, angles);
    SetLagnaNames(angles[0] - r.nutation - chosen_.At(jdUt), chart);
}

PanchangaLongitudes Reckoner::LongitudesAt(double jdUt) {
    if (!Precise()) {
        PanchangaLongitudes l = PanchangaLongitudesAt(jdUt + DeltaTHours(jdUt) / 24.0);
        l.ayanamsaCorrection -= ShiftAt(jdUt);
        return l;
    }
    const PreciseLongitudes::Reading r = precise_.At(jdUt);
    PanchangaLongitudes l;
    const double moon = r.moon + r.nutation;
    const double sun = r.sun + r.nutation;
    l.moon = {moon, ReduceDegrees(moon)};
    l.sun = {sun, ReduceDegrees(sun)};
    l.ayanamsaCorrection = -(chosen_.At(jdUt) + r.nutation);
    l.jde = jdUt + DeltaTHours(jdUt) / 24.0;
    return l;
}

PanchangaInfo Reckoner::Almanac(const MomentTime& time) {
    if (!Precise()) return ComputePanchanga(time.clock, ShiftAt(JulianDayUt(time)));
    PanchangaLongitudes l = LongitudesAt(JulianDayUt(time));
    l.jde = JulianEphemerisDay(time.clock);
    return AlmanacOf(time.clock, l);
}

double Reckoner::SiderealSunDeg(double jdUt) {
    const PanchangaLongitudes l = LongitudesAt(jdUt);
    return WrapDegrees(l.sun.reduced + l.ayanamsaCorrection);
}

double Reckoner::AyanamsaDeg(double jdUt) {
    if (!Precise()) return LibraryAyanamsaDeg(reckoning_.ayanamsa, jdUt);
    return chosen_.At(jdUt) + precise_.At(jdUt).nutation;
}

}  // namespace kalvora
