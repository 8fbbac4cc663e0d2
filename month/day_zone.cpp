#include "month/day_zone.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kalvora {
namespace {

// Past the largest offset any zone has had, so that these bounds hold every clock of a local date.
constexpr std::int64_t OffsetReachSeconds = 16 * 3600;

}  // namespace

std::optional<ZoneOffset> OffsetForMostOf(const TimeZone& zone, LocalDate date) {
    const std::int64_t dayStart = SecondsSinceEpoch({date.year, date.month, date.day, 0, 0, 0});
    const std::int64_t dayEnd = dayStart + SecondsPerDay;
    const std::int64_t from = dayStart - OffsetReachSeconds;
    const std::int64_t to = dayEnd + OffsetReachSeconds;
    std::vector<std::pair<ZoneOffset, std::int64_t>> kept;  // each clock with the local seconds of the date it keeps
    const auto keep = [&](const ZoneOffset& clock, std::int64_t utFrom, std::int64_t utTo) {
        const std::int64_t seconds = std::min(utTo + clock.offsetSeconds, dayEnd) -
                                     std::max(utFrom + clock.offsetSeconds, dayStart);
        if (seconds <= 0) return;
        const auto same = std::ranges::find_if(kept, [&](const auto& k) { return k.first == clock; });
        if (same == kept.end()) {
            kept.emplace_back(clock, seconds);
        } else {
            same->second += seconds;
        }
    };
    ZoneOffset clock = OffsetAtUt(zone, from);
    std::int64_t since = from;
    for (const ZoneTransition& change : TransitionsBetween(zone, from, to)) {
        keep(clock, since, change.utSeconds);
        clock = change.after;
        since = change.utSeconds;
    }
    keep(clock, since, to);
    if (kept.empty()) return std::nullopt;
    return std::ranges::max_element(kept, [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

std::optional<ZonedDay> DayOnZone(const TypedPlace& place, const TimeZone& zone, LocalDate date,
                                  const Conventions& conventions) {
    const std::optional<ZoneOffset> most = OffsetForMostOf(zone, date);
    if (!most) return std::nullopt;
    ZonedDay day{TypedZoneOf(*most), ComputeDayView(place, TypedZoneOf(*most), date, conventions)};
    const std::optional<double> sunrise = day.view.sun.sunriseJdUt;
    if (!sunrise) return day;
    const TypedZone atSunrise = TypedZoneOf(OffsetAtUt(zone, UtSecondHolding(*sunrise)));
    // The same clock gives the same day: computed once unless the clocks changed between midnight and sunrise.
    if (atSunrise == day.zone) return day;
    return ZonedDay{atSunrise, ComputeDayView(place, atSunrise, date, conventions)};
}

}  // namespace kalvora
