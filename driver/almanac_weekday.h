#pragma once
// The weekday the rules read. By default the civil weekday of the date, changing at midnight; with the sunrise
// rule the almanac's weekday, the day from sunrise to the next sunrise at the muhurtha's place, so that 05:00 on a
// Tuesday before the Sun rises is still Monday. A clock minute belongs to the new day when its start is at or
// after the sunrise; where the Sun does not rise that date the civil weekday holds all day.

#include <optional>

#include "astro/conventions.h"
#include "astro/moment.h"
#include "astro/local_time.h"
#include "panchanga/panchanga.h"

namespace kalvora {

// The first clock minute of a local date (0..1439) whose start is at or after the date's sunrise at a typed place
// on a typed zone; none where the Sun does not rise that date.
std::optional<int> SunriseMinuteOfDate(LocalDate date, const TypedPlace& place, const TypedZone& zone,
                                       SunriseDefinition definition);

// The weekday (1 = Sunday .. 7 = Saturday) the rules read at a minute of a date, given the date's sunrise minute.
int RuleWeekday(LocalDate date, int minuteOfDay, std::optional<int> sunriseMinute, WeekdayRule rule);

// Puts a weekday (1 = Sunday .. 7 = Saturday) into the almanac's weekday number and name.
void SetAlmanacWeekday(PanchangaInfo& almanac, int weekday);

}  // namespace kalvora
