#include "driver/almanac_weekday.h"

#include "astro/calendar.h"
#include "astro/tables.h"
#include "day/sun_day.h"
#include "driver/day_view.h"
#include "driver/limbs.h"

namespace kalvora {

std::optional<int> SunriseMinuteOfDate(LocalDate date, const TypedPlace& place, const TypedZone& zone,
                                       SunriseDefinition definition) {
    const DayPlace at = DayPlaceOf(place, zone);
    const std::optional<double> sunrise = ComputeSunDay(date, at, definition).sunriseJdUt;
    if (!sunrise) return std::nullopt;
    // The minute holding the sunrise starts before it (unless the Sun rises exactly at its start): the new day's
    // first minute is the one after.
    ClockMinute first = ClockMinuteHolding(*sunrise, at.zoneOffsetSeconds);
    if (JdUtOfClockMinute(first, at.zoneOffsetSeconds) < *sunrise) ++first;
    const ClockMinute ofDay = first - ClockMinuteOf(date, 0);
    if (ofDay < 0 || ofDay >= MinutesPerDay) return std::nullopt;
    return static_cast<int>(ofDay);
}

void SetAlmanacWeekday(PanchangaInfo& almanac, int weekday) {
    almanac.weekdayNumber = static_cast<std::int16_t>(weekday);
    almanac.weekdayName = WeekdayNames[static_cast<std::size_t>(weekday - 1)];
}

int RuleWeekday(LocalDate date, int minuteOfDay, std::optional<int> sunriseMinute, WeekdayRule rule) {
    const int civil = WeekdayOf(date);
    if (rule == WeekdayRule::Civil || !sunriseMinute || minuteOfDay >= *sunriseMinute) return civil;
    return civil == 1 ? 7 : civil - 1;
}

}  // namespace kalvora
