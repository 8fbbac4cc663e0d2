#pragma once
// The records of a day's season (its lunar month and samvat years, and the veto spans on its clock), apart from
// how they are computed (driver/season.h) so that the day's and the calculation's records can hold them.

#include <vector>

#include "astro/local_time.h"
#include "season/season.h"

namespace kalvora {

// A veto span on a clock: start is the first whole minute in force, end the first whole minute no longer in force
// (a minute is in force when its start lies in the span).
struct VetoMinutes {
    Veto veto = Veto::GuruAsta;
    ClockMinute start = 0;
    ClockMinute end = 0;
    friend bool operator==(const VetoMinutes&, const VetoMinutes&) = default;
};

// The season of one day.
struct DaySeason {
    SeasonAt atSunrise;               // at the minute holding the sunrise; at midnight where the Sun does not rise
    std::vector<VetoMinutes> vetoes;  // every veto in force at some minute of the day, each whole, by start
};

}  // namespace kalvora
