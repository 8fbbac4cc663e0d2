#pragma once
// The clock a day keeps on a zone that changes its offset: the one in force at the day's sunrise, or where the
// Sun does not rise, the one kept for most of the local date. The day command and the month put each date on it.

#include <optional>

#include "driver/day_view.h"
#include "zone/zone.h"

namespace kalvora {

// The clock the zone keeps for most of the local date (the earlier of two that keep it equally long); none when
// the clocks jumped over the whole date.
std::optional<ZoneOffset> OffsetForMostOf(const TimeZone& zone, LocalDate date);

// A date's day on the clock of the day.
struct ZonedDay {
    TypedZone zone;  // the offset in force at the sunrise (for most of the date where the Sun does not rise)
    DayView view;    // the day computed on it
};

// The day of a local date at a place on the zone's clock of the day; none for a date the clocks skipped. A date
// needs no fold: the day begins at its sunrise.
std::optional<ZonedDay> DayOnZone(const TypedPlace& place, const TimeZone& zone, LocalDate date,
                                  const Conventions& conventions = {});

}  // namespace kalvora
