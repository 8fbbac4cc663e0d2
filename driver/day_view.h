#pragma once
// The day around a muhurtha: its sunrise, sunset and next sunrise at the muhurtha's place, the weekday the day
// belongs to, the values of the tithi, nakshatra, yoga and karana current during it with their times, and the
// periods of the day. Where the Sun does not rise or set the times it would give and the periods are left out.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/moment.h"
#include "day/periods.h"
#include "day/sun_day.h"
#include "driver/calculation.h"
#include "driver/day_season.h"
#include "driver/limbs.h"

namespace kalvora {

// The rest of the day's table (driver/day_table.h says how each is found): whole spans overlapping the day.
struct LagnaPart {
    int sign = 0;            // 0 = Mesha .. 11 = Meena
    std::string_view name;   // the sign's name as the lagna shows it
    TimeSpan span;
    bool operator==(const LagnaPart&) const = default;
};

struct DayTable {
    std::vector<LagnaPart> lagnas;
    std::vector<TimeSpan> varjyam;
    std::vector<TimeSpan> amritKalam;
    std::vector<TimeSpan> bhadra;
    std::vector<TimeSpan> panchaka;
    bool operator==(const DayTable&) const = default;
};

struct DayView {
    DayPlace place;   // the place and its whole zone offset for the date
    SunDay sun;       // date, weekday, sunrise, sunset, next sunrise (empty where the Sun does not rise or set)
    std::optional<DayPeriods> periods;  // none for a polar day or night
    // Per limb (in the order of Limbs) the values shown at the minutes from the one holding the sunrise to the one
    // holding the next sunrise, both included; where there is no sunrise, over the local date from midnight to
    // midnight.
    std::array<std::vector<LimbSpan>, LimbCount> limbs;
    DayTable table;  // the lagnas, Varjyam, Amrit kalam, Bhadra and Panchaka
    // What it was computed with: the sunrise, and the ayanamsa and ephemeris of its limbs, lagnas and Moon marks.
    Conventions conventions;
};

// A typed place and zone as the day computes with them: signed degrees and the zone's whole offset.
DayPlace DayPlaceOf(const TypedPlace& place, const TypedZone& zone);

// The day of a local date at a typed place on a typed zone.
// The conventions' sunrise, ayanamsa and ephemeris place it; the day keeps them all (the JSON says them).
DayView ComputeDayView(const TypedPlace& place, const TypedZone& zone, LocalDate date,
                       const Conventions& conventions = {});

// What is shown beside a calculation: the limb times of both moments, the day of the muhurtha's local date with its
// season, and the vetoes in force at the chosen minute that apply to the undertaking with their warning.
struct CalculationTimes {
    std::array<LimbSpan, LimbCount> birthLimbs{};
    std::array<LimbSpan, LimbCount> muhurthaLimbs{};
    DayView muhurthaDay;
    DaySeason muhurthaSeason;
    std::vector<VetoMinutes> seasonVetoes;  // by start; none for a subject that names no undertaking
    std::string seasonWarning;              // "Season: ..." ("" when no veto is in force)
};

// The day is taken with the input's conventions: its sunrise and its ayanamsa.
CalculationTimes ComputeCalculationTimes(const CalculationInput& input);

}  // namespace kalvora
