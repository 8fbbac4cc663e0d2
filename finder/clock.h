#pragma once
// The muhurtha's clock over a local date: the stretches of the date's minutes on each offset of a zone's history.

#include <vector>

#include "finder/finder.h"

namespace kalvora::finding {

// The minutes of a local date that one offset of the clock covers.
struct ClockStretch {
    TypedZone zone;
    int firstMinute = 0;
    int lastMinute = MinutesPerDay - 1;
};

// The stretches of a date's minutes by the offset in force at each minute's start, in time order: the minutes
// the clocks jumped over lie in none, those they passed twice in two. Without a clock the typed zone holds.
std::vector<ClockStretch> ClockStretches(const FinderQuery& query, LocalDate date);

}  // namespace kalvora::finding
