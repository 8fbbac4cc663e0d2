#pragma once
// The minutes of a local date the finder searches: those inside the daily window and outside every avoided period.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "day/sun_day.h"
#include "finder/finder.h"

namespace kalvora::finding {

// Minutes first..last of a date, both included.
using MinuteRange = std::pair<int, int>;

// The minutes of a date inside the daily window, as one or two ranges.
std::vector<MinuteRange> DailyRanges(const DailyWindow& window);

// The avoided periods of a query at the muhurtha's place (Hindu sunrise), date by date. The days of the last two
// dates asked about are kept: a date's early minutes belong to the day of the date before, which was the date
// searched before it.
class AvoidedPeriods {
public:
    explicit AvoidedPeriods(const FinderQuery& query);
    bool Any() const { return any_; }
    // The minutes of the date (0..1439) whose start lies in an avoided period, as ranges, on a zone's clock. A
    // minute before the date's sunrise lies in the day of the date before; from the sunrise on (or
    // all day where the Sun does not rise) in the date's own day.
    std::vector<MinuteRange> Ranges(LocalDate date, const TypedZone& zone);

private:
    // The day of a local date at the muhurtha's place on a zone's clock, its next sunrise found only where needed.
    SunDay DayOf(LocalDate date, const TypedZone& zone);
    // The next sunrise is found only where the day's periods reach into the night, or far enough from the
    // equator that it may not come (a polar night then begins, and the day has no periods).
    bool NeedsNextSunrise(int weekday) const;

    const std::array<bool, InauspiciousPeriodNames.size()>& avoided_;
    bool any_ = false;
    const DayPlace place_;
    std::array<std::optional<std::pair<std::int32_t, SunDay>>, 2> days_;  // by the zone offset they were found on
};

// The minutes of the date inside the daily window and outside every avoided period, as ranges, on a zone's clock.
std::vector<MinuteRange> SearchedRanges(const DailyWindow& window, AvoidedPeriods& avoided, LocalDate date,
                                        const TypedZone& zone);

}  // namespace kalvora::finding
