// The minutes the finder searches: the daily window less the avoided periods of each date's sunrise-to-sunrise
// days and less the spans of the chosen vetoes.

#include "finder/searched_minutes.h"

#include <algorithm>
#include <cmath>

#include "day/periods.h"
#include "driver/day_view.h"
#include "driver/limbs.h"
#include "driver/season.h"

namespace kalvora::finding {

std::vector<MinuteRange> DailyRanges(const DailyWindow& window) {
    const int first = window.firstMinute;
    const int last = window.lastMinute;
    if (first <= last) return {{first, last}};
    if (first == last + 1) return {{0, MinutesPerDay - 1}};
    return {{0, last}, {first, MinutesPerDay - 1}};
}

AvoidedPeriods::AvoidedPeriods(const FinderQuery& query)
    : avoided_(query.avoidedPeriods),
      avoidedMarks_(query.avoidedMarks),
      typedPlace_(query.input.muhurtha.place),
      reckoning_(ReckoningOf(query.input.conventions)),
      sunrise_(query.input.conventions.sunrise),
      place_(DayPlaceOf(query.input.muhurtha.place, query.input.muhurtha.zone)) {
    for (const bool avoided : avoided_) anyPeriod_ = anyPeriod_ || avoided;
    for (const bool avoided : avoidedMarks_) anyMark_ = anyMark_ || avoided;
}

namespace {

// How many dates the marks' spans are found for at a time.
constexpr int MarkSpanDates = 35;

}  // namespace

const std::vector<TimeSpan>& AvoidedPeriods::MarkSpansOn(LocalDate date, const TypedZone& zone) {
    const std::int32_t offset = ZoneOffsetSeconds(zone);
    for (const auto& kept : marks_) {
        if (kept && kept->offsetSeconds == offset && kept->from <= date && date <= kept->to) return kept->spans;
    }
    MarkSpans found{offset, date, AddDays(date, MarkSpanDates - 1), {}};
    const ClockMinute first = ClockMinuteOf(found.from, 0);
    const ClockMinute last = ClockMinuteOf(found.to, MinutesPerDay - 1);
    for (std::size_t i = 0; i < avoidedMarks_.size(); ++i) {
        if (!avoidedMarks_[i]) continue;
        const auto spans = MarkSpansBetween(static_cast<MoonMark>(i), typedPlace_, zone, first, last, reckoning_);
        found.spans.insert(found.spans.end(), spans.begin(), spans.end());
    }
    marks_[0] = std::move(marks_[1]);
    marks_[1] = std::move(found);
    return marks_[1]->spans;
}

SunDay AvoidedPeriods::DayOf(LocalDate date, const TypedZone& zone) {
    DayPlace place = place_;
    place.zoneOffsetSeconds = ZoneOffsetSeconds(zone);
    for (const auto& kept : days_) {
        if (kept && kept->first == place.zoneOffsetSeconds && kept->second.date == date) return kept->second;
    }
    SunDay day = ComputeSunriseAndSunset(date, place, sunrise_);
    if (NeedsNextSunrise(day.weekday)) AddNextSunrise(day, place, sunrise_);
    days_[0] = std::move(days_[1]);
    days_[1] = {place.zoneOffsetSeconds, day};
    return days_[1]->second;
}

bool AvoidedPeriods::NeedsNextSunrise(int weekday) const {
    return std::abs(place_.latitudeDeg) >= EveryDayRiseAndSetLatitudeDeg || AvoidablePeriodsReachTheNight(weekday);
}

std::vector<MinuteRange> AvoidedPeriods::Ranges(LocalDate date, const TypedZone& zone) {
    const ClockMinute midnight = static_cast<ClockMinute>(DayNumber(date)) * MinutesPerDay;
    const auto jdOf = [&](int minute) { return JdUtOfClockMinute(midnight + minute, zone); };
    // The first minute of the date whose start is at or after a moment (MinutesPerDay when none is).
    const auto firstFrom = [&](double jdUt) {
        int m = static_cast<int>(std::clamp(std::ceil((jdUt - jdOf(0)) * MinutesPerDay), -1.0,
                                            static_cast<double>(MinutesPerDay)));
        m = std::clamp(m, 0, MinutesPerDay);
        while (m > 0 && jdOf(m - 1) >= jdUt) --m;
        while (m < MinutesPerDay && jdOf(m) < jdUt) ++m;
        return m;
    };
    std::vector<MinuteRange> ranges;
    if (anyMark_) {
        for (const TimeSpan& span : MarkSpansOn(date, zone)) {
            const int first = firstFrom(span.startJdUt);
            const int end = firstFrom(span.endJdUt);
            if (first < end) ranges.emplace_back(first, end - 1);
        }
    }
    if (!anyPeriod_) return ranges;
    const SunDay yesterday = DayOf(AddDays(date, -1), zone);
    const SunDay today = DayOf(date, zone);
    const int sunriseMinute = today.sunriseJdUt ? firstFrom(*today.sunriseJdUt) : 0;

    const auto add = [&](const SunDay& day, int from, int to) {  // the day's periods over minutes from..to-1
        if (day.course != SunCourse::RisesAndSets || !day.sunriseJdUt || !day.sunsetJdUt || from >= to) return;
        const auto periods = AvoidablePeriodsOf(*day.sunriseJdUt, *day.sunsetJdUt, day.nextSunriseJdUt, day.weekday);
        if (!periods) return;
        const auto take = [&](InauspiciousPeriod period, const TimeSpan& span) {
            if (!avoided_[static_cast<std::size_t>(period)]) return;
            const int first = std::max(from, firstFrom(span.startJdUt));
            const int end = std::min(to, firstFrom(span.endJdUt));
            if (first < end) ranges.emplace_back(first, end - 1);
        };
        take(InauspiciousPeriod::RahuKalam, periods->rahuKalam);
        take(InauspiciousPeriod::Yamaganda, periods->yamaganda);
        take(InauspiciousPeriod::Gulika, periods->gulika);
        for (const TimeSpan& span : periods->durmuhurtas) take(InauspiciousPeriod::Durmuhurta, span);
    };
    add(yesterday, 0, sunriseMinute);
    add(today, sunriseMinute, MinutesPerDay);
    return ranges;
}

std::vector<MinuteRange> Without(const std::vector<MinuteRange>& ranges, const std::vector<MinuteRange>& cut) {
    std::vector<MinuteRange> kept = ranges;
    for (const auto& [first, last] : cut) {
        std::vector<MinuteRange> rest;
        for (const auto& [a, b] : kept) {
            if (last < a || first > b) {
                rest.emplace_back(a, b);
                continue;
            }
            if (a < first) rest.emplace_back(a, first - 1);
            if (last < b) rest.emplace_back(last + 1, b);
        }
        kept = std::move(rest);
    }
    return kept;
}

std::vector<MinuteRange> SearchedRanges(const DailyWindow& window, AvoidedPeriods& avoided, LocalDate date,
                                        const TypedZone& zone) {
    std::vector<MinuteRange> ranges = DailyRanges(window);
    if (!avoided.Any()) return ranges;
    return Without(ranges, avoided.Ranges(date, zone));
}

VetoedMinutes::VetoedMinutes(const std::array<bool, VetoCount>& chosen, LocalDate from, LocalDate to,
                             Reckoning reckoning) {
    for (const bool on : chosen) any_ = any_ || on;
    if (!any_) return;
    // Midnight UT a day before the first date to midnight UT two days after the last: every zone's dates inside.
    const double fromJdUt = LocalMidnightJdUt(AddDays(from, -1), 0);
    const double toJdUt = LocalMidnightJdUt(AddDays(to, 2), 0);
    spans_ = LunarCalendar(fromJdUt, toJdUt, reckoning).VetoSpans(fromJdUt, toJdUt, chosen);
}

std::vector<VetoedMinutes::Range> VetoedMinutes::Ranges(LocalDate date, const TypedZone& zone) const {
    const int offset = ZoneOffsetSeconds(zone);
    const ClockMinute midnight = ClockMinuteOf(date, 0);
    const double dateStart = JdUtOfClockMinute(midnight, offset);
    const double dateEnd = JdUtOfClockMinute(midnight + MinutesPerDay, offset);
    std::vector<Range> ranges;
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        const VetoSpan& span = spans_[i];
        if (span.startJdUt >= dateEnd || span.endJdUt <= dateStart) continue;
        const VetoMinutes minutes = VetoMinutesOf(span, offset);
        const ClockMinute first = std::max(minutes.start, midnight);
        const ClockMinute end = std::min(minutes.end, midnight + MinutesPerDay);
        if (first < end) {
            ranges.push_back({i, {static_cast<int>(first - midnight), static_cast<int>(end - 1 - midnight)}});
        }
    }
    return ranges;
}

}  // namespace kalvora::finding
