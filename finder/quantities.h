#pragma once
// The quantities the finder searches for changes (see driver/change_search.h), read at whole minutes of one local
// date through the engine routines the normal calculation uses: the Moon's nakshatra and sign, the ascendant's
// sign, the almanac's limbs and the planet check's table lagna. The planets' signs are PlanetQuantity's
// (finder/planet_quantity.h).

#include <array>
#include <cstdint>
#include <string>

#include "astro/ephemeris.h"
#include "driver/change_search.h"
#include "finder/clock.h"
#include "finder/finder.h"
#include "muhurtha/checks.h"
#include "panchanga/panchanga.h"
#include "planets/reckoner.h"
#include "planets/sky.h"

namespace kalvora::finding {

inline std::int16_t Short(std::int64_t value) { return static_cast<std::int16_t>(value); }

// One local date of the query: its minutes as typed moments, converted the way the calculation converts them.
class DateMoments {
public:
    // The moments are at `place`; SetZone puts them on a clock before any is read.
    explicit DateMoments(const TypedPlace& place, Reckoning reckoning = {}) : reckoner_(reckoning) {
        input_.place = place;
    }
    void SetDate(LocalDate date) {
        input_.year = Short(date.year);
        input_.month = Short(date.month);
        input_.day = Short(date.day);
    }
    // Puts the moments on a zone's clock.
    void SetZone(const TypedZone& zone) { input_.zone = zone; }
    const MomentInput& At(std::int64_t minute) {
        input_.hour = Short(minute / 60);
        input_.minute = Short(minute % 60);
        return input_;
    }
    MomentTime TimeAt(std::int64_t minute) { return ConvertMoment(At(minute)); }
    // The ayanamsa the planets are placed with, and what reads the Sun, the Moon and the ascendant (one for the
    // whole search, so that it remembers what the ephemeris gave).
    Ayanamsa ChosenAyanamsa() const { return reckoner_.Chosen().ayanamsa; }
    Reckoner& Reckon() { return reckoner_; }

private:
    MomentInput input_;
    Reckoner reckoner_;
};

// Mean daily motions, the first guesses of the rates before any are measured (degrees per minute).
constexpr double MoonRate = 13.18 / MinutesPerDay;
constexpr double ElongationRate = 12.19 / MinutesPerDay;
constexpr double SumRate = 14.17 / MinutesPerDay;  // Moon plus Sun, for the yoga
constexpr double AscendantRate = 360.0 / MinutesPerDay;
constexpr double NakshatraArc = 40.0 / 3.0;  // 13 deg 20'

// The Moon's nakshatra and sign.
struct MoonQuantity {
    using Value = ChartPositions;
    DateMoments& moments;
    ChangeGuide guide{2, {NakshatraArc, 30.0}, {MoonRate, MoonRate}, 720};

    ChangeReading<Value> Read(std::int64_t minute) {
        ChangeReading<Value> r{minute, {}, {}};
        const MomentTime time = moments.TimeAt(minute);
        moments.Reckon().Moon(time, r.value);
        r.phase = {r.value.moonLongitude, r.value.moonLongitude};
        return r;
    }
    static bool Same(const Value& a, const Value& b) {
        return a.nakshatraIndex == b.nakshatraIndex && a.rashiIndex == b.rashiIndex;
    }
};

// Beyond this latitude (north or south) the ascendant turns back for part of the day, as the ecliptic no longer
// rises and sets whole (about 66.5 degrees, less a margin): there its sign is read at every minute.
constexpr double ForwardAscendantLatitude = 66.0;

// The ascendant's sign.
struct AscendantQuantity {
    using Value = ChartPositions;
    DateMoments& moments;
    ChangeGuide guide{1, {30.0, 0.0}, {AscendantRate, 0.0}, 120};

    ChangeReading<Value> Read(std::int64_t minute) {
        ChangeReading<Value> r{minute, {}, {}};
        const MomentTime time = moments.TimeAt(minute);
        moments.Reckon().Lagna(time, r.value);
        r.phase = {r.value.lagnaLongitude, 0.0};
        return r;
    }
    static bool Same(const Value& a, const Value& b) { return a.lagnaSignIndex == b.lagnaSignIndex; }
};

// The almanac's tithi, yoga, karana and paksha (its weekday follows the date).
struct AlmanacQuantity {
    using Value = PanchangaInfo;
    DateMoments& moments;
    // Karanas change every 6 degrees of elongation (tithis every 12); yogas every 13 deg 20' of the sidereal sum
    // of Sun and Moon (the almanac's own yoga origin lies a hundredth of a degree off; the search allows for it).
    ChangeGuide guide{2, {6.0, NakshatraArc}, {ElongationRate, SumRate}, 720};

    ChangeReading<Value> Read(std::int64_t minute) {
        const MomentTime time = moments.TimeAt(minute);
        ChangeReading<Value> r{minute, moments.Reckon().Almanac(time), {}};
        const PanchangaInfo& p = r.value;
        r.phase = {ElongationDegrees(p.sunTropical, p.moonTropical),
                   ReduceDegrees(p.moonTropicalUnreduced + p.sunTropicalUnreduced + 2.0 * p.ayanamsaCorrection)};
        return r;
    }
    static bool Same(const Value& a, const Value& b) {
        return a.tithiIndex == b.tithiIndex && a.yogaIndex == b.yogaIndex && a.karanaIndex == b.karanaIndex &&
               a.paksha == b.paksha;
    }
};

// The table lagna of the planet check, from the check itself (month, day and typed time; it steps forward
// through its table as the minutes pass). It has no phase, so the search steps and halves.
struct TableLagnaQuantity {
    using Value = PlanetPlacement;
    DateMoments& moments;
    const std::array<std::string, 7>& planetTexts;
    ChangeGuide guide{0, {}, {}, 64};

    ChangeReading<Value> Read(std::int64_t minute) {
        const MomentInput& in = moments.At(minute);
        return {minute, PlanetPlacementCheck(in.month, in.day, in.hour, in.minute, planetTexts), {}};
    }
    static bool Same(const Value& a, const Value& b) {
        return a.lagnaPosition == b.lagnaPosition && a.lagnaName == b.lagnaName &&
               a.lagnaAbbreviation == b.lagnaAbbreviation && a.tenthAbbreviation == b.tenthAbbreviation &&
               a.jupiterInLagna == b.jupiterInLagna && a.tenthHousePlanets == b.tenthHousePlanets;
    }
};

}  // namespace kalvora::finding
