#include "driver/season_year.h"

#include <algorithm>
#include <limits>

namespace kalvora {

SeasonClock FixedClock(const TypedZone& zone) {
    return {ClockPeriod{std::numeric_limits<std::int64_t>::min(), zone}};
}

int OffsetOnClock(const SeasonClock& clock, double jdUt) {
    if (clock.empty()) return 0;
    const std::int64_t second = UtSecondHolding(jdUt);
    // The last stretch begun at or before the instant's second.
    const auto after = std::ranges::upper_bound(clock, second, {}, &ClockPeriod::fromUtSeconds);
    return ZoneOffsetSeconds(after == clock.begin() ? clock.front().zone : std::prev(after)->zone);
}

namespace {

SeasonEdge EdgeOf(const SeasonClock& clock, double jdUt) {
    const int offset = OffsetOnClock(clock, jdUt);
    return {FirstMinuteFrom(jdUt, offset), offset};
}

}  // namespace

SeasonYear SeasonOfYear(int year, const SeasonClock& clock, Reckoning reckoning) {
    // A day on either side of universal midnight holds every clock's 1 January; the local year is sorted out by
    // each edge's own date.
    const double from = LocalMidnightJdUt({year, 1, 1}, 0) - 1.0;
    const double to = LocalMidnightJdUt({year + 1, 1, 1}, 0) + 1.0;
    const LunarCalendar calendar(from, to, reckoning);
    const ClockMinute first = ClockMinuteOf({year, 1, 1}, 0);
    const ClockMinute next = ClockMinuteOf({year + 1, 1, 1}, 0);
    SeasonYear season;
    season.year = year;
    for (const LunarMonth& month : calendar.MonthsBetween(from, to)) {
        const SeasonYearMonth m{month, EdgeOf(clock, month.startJdUt), EdgeOf(clock, month.endJdUt)};
        if (m.start.minute >= first && m.start.minute < next) {
            season.months.push_back(m);
        } else if (m.start.minute < first && m.end.minute > first) {
            season.monthRunning = m;
        }
    }
    for (const VetoSpan& span : calendar.VetoSpans(from, to)) {
        const SeasonYearVeto v{span.veto, EdgeOf(clock, span.startJdUt), EdgeOf(clock, span.endJdUt)};
        if (v.start.minute >= first && v.start.minute < next) {
            season.vetoes.push_back(v);
        } else if (v.start.minute < first && v.end.minute > first) {
            season.vetoesRunning.push_back(v);
        }
    }
    const auto offsetOf = [](const SeasonEdge& edge) { return edge.offsetSeconds; };
    std::vector<int> offsets;
    for (const SeasonYearMonth& m : season.months) offsets.insert(offsets.end(), {offsetOf(m.start), offsetOf(m.end)});
    for (const SeasonYearVeto& v : season.vetoes) offsets.insert(offsets.end(), {offsetOf(v.start), offsetOf(v.end)});
    season.clockChanges = std::ranges::adjacent_find(offsets, std::ranges::not_equal_to{}) != offsets.end();
    return season;
}

}  // namespace kalvora

namespace kalvora {

std::string SeasonEdgeText(const SeasonEdge& edge, bool withOffset) {
    std::string text = DateTimeText(edge.minute);
    if (withOffset) text += " (UTC" + OffsetText(edge.offsetSeconds) + ")";
    return text;
}

std::pair<LocalDate, LocalDate> SeasonClockDates(int year) { return {{year - 1, 12, 31}, {year + 1, 12, 31}}; }

}  // namespace kalvora
