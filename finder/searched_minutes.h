#pragma once
// The minutes of a local date the finder searches: those inside the daily window, outside every avoided period and
// outside the spans of the chosen vetoes.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "day/sun_day.h"
#include "finder/finder.h"
#include "season/season.h"

namespace kalvora::finding {

// Minutes first..last of a date, both included.
using MinuteRange = std::pair<int, int>;

// The minutes of a date inside the daily window, as one or two ranges.
std::vector<MinuteRange> DailyRanges(const DailyWindow& window);

// The avoided periods of a query at the muhurtha's place (the sunrise of its conventions), date by date. The days of the last two
// dates asked about are kept: a date's early minutes belong to the day of the date before, which was the date
// searched before it.
class AvoidedPeriods {
public:
    explicit AvoidedPeriods(const FinderQuery& query);
    bool Any() const { return anyPeriod_ || anyMark_; }
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

    // The avoided marks' spans found on a zone's clock over a run of dates holding `date`: found for some weeks at
    // a time, since they come from searches of the Moon's and the almanac's changes.
    struct MarkSpans {
        std::int32_t offsetSeconds = 0;
        LocalDate from, to;
        std::vector<TimeSpan> spans;  // of every avoided mark
    };
    const std::vector<TimeSpan>& MarkSpansOn(LocalDate date, const TypedZone& zone);

    const std::array<bool, InauspiciousPeriodNames.size()>& avoided_;
    const std::array<bool, MoonMarkNames.size()>& avoidedMarks_;
    bool anyPeriod_ = false;
    bool anyMark_ = false;
    const TypedPlace typedPlace_;
    const Reckoning reckoning_;  // the Moon of the marks' spans is read with it
    const SunriseDefinition sunrise_;  // the days' sunrise
    const DayPlace place_;
    std::array<std::optional<std::pair<std::int32_t, SunDay>>, 2> days_;  // by the zone offset they were found on
    std::array<std::optional<MarkSpans>, 2> marks_;  // the two last found, as for the days
};

// The minutes of the date inside the daily window and outside every avoided period, as ranges, on a zone's clock.
std::vector<MinuteRange> SearchedRanges(const DailyWindow& window, AvoidedPeriods& avoided, LocalDate date,
                                        const TypedZone& zone);

// The ranges less the minutes of `cut` (both in order).
std::vector<MinuteRange> Without(const std::vector<MinuteRange>& ranges, const std::vector<MinuteRange>& cut);

// The spans of the chosen vetoes over a run of dates, found once (from one lunar calendar, a day wider each side
// than the dates, so that every zone's clock is covered) and put on each date's clock as asked. With no veto
// chosen no calendar is built.
class VetoedMinutes {
public:
    VetoedMinutes(const std::array<bool, VetoCount>& chosen, LocalDate from, LocalDate to,
                  Reckoning reckoning = {});
    bool Any() const { return any_; }
    const std::vector<VetoSpan>& Spans() const { return spans_; }

    // The minutes of a date whose start lies in a span (index into Spans()), on a zone's clock, by span.
    struct Range {
        std::size_t span = 0;
        MinuteRange minutes;
    };
    std::vector<Range> Ranges(LocalDate date, const TypedZone& zone) const;

private:
    bool any_ = false;
    std::vector<VetoSpan> spans_;
};

}  // namespace kalvora::finding
