// The muhurtha's clock: which offset of a zone's history each minute of a local date is searched on.

#include "finder/clock.h"

#include <algorithm>
#include <cstdint>

namespace kalvora {

namespace finding {

namespace {

// a / b rounded up, for any sign of a and b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a / b + ((a % b != 0 && a > 0) ? 1 : 0); }

}  // namespace

std::vector<ClockStretch> ClockStretches(const FinderQuery& query, LocalDate date) {
    if (query.clock.empty()) return {{query.input.muhurtha.zone, 0, MinutesPerDay - 1}};
    const std::int64_t dayStart = (DayNumber(date) - EpochDayNumber) * SecondsPerDay;  // local seconds
    std::vector<ClockStretch> stretches;
    for (std::size_t i = 0; i < query.clock.size(); ++i) {
        const ClockPeriod& period = query.clock[i];
        const std::int64_t offset = ZoneOffsetSeconds(period.zone);
        // The local seconds [low, high) this offset covers; the first period reaches back without end.
        int first = 0;
        if (i > 0) first = static_cast<int>(std::clamp<std::int64_t>(
                       CeilDiv(period.fromUtSeconds + offset - dayStart, 60), 0, MinutesPerDay));
        int last = MinutesPerDay - 1;
        if (i + 1 < query.clock.size()) {
            last = static_cast<int>(std::clamp<std::int64_t>(
                       CeilDiv(query.clock[i + 1].fromUtSeconds + offset - dayStart, 60), 0, MinutesPerDay)) - 1;
        }
        if (first <= last) stretches.push_back({period.zone, first, last});
    }
    return stretches;
}

}  // namespace finding

CalculationInput WindowStartInput(const FinderQuery& query, const FoundWindow& window) {
    CalculationInput in = MinuteInput(query, window.date, window.firstMinute);
    for (const finding::ClockStretch& stretch : finding::ClockStretches(query, window.date)) {
        if (stretch.firstMinute <= window.firstMinute && window.firstMinute <= stretch.lastMinute &&
            ZoneOffsetSeconds(stretch.zone) == window.offsetSeconds) {
            in.muhurtha.zone = stretch.zone;
            break;
        }
    }
    return in;
}

}  // namespace kalvora
