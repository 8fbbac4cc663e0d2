#pragma once
// A month at a place: every date's day (its times, limbs, periods and table) and season, each exactly as the day
// of that date alone gives them, and with an undertaking chosen, each date's best window as the finder ranks it.
// One finder search covers the whole month; each date then takes the first of its windows in the finder's order.

#include <optional>
#include <vector>

#include "driver/day_view.h"
#include "finder/finder.h"
#include "zone/zone.h"

namespace kalvora {

struct MonthQuery {
    int year = 2026;
    int month = 1;  // 1..12
    TypedPlace place;
    TypedZone zone;                     // the clock of every date when no zone is followed
    std::optional<TimeZone> timeZone;   // followed: each date on the offset in force at its sunrise
    Conventions conventions;  // of the days (their sunrise, ayanamsa), their season and the search
    // The undertaking and its people as the finder takes them (input with the subject, others, roles, and the
    // vetoes, periods and other choices of the search); the month sets the dates searched and, with a zone
    // followed, the clock. None for the days alone.
    std::optional<FinderQuery> undertaking;
};

struct MonthDay {
    DayView view;
    DaySeason season;
    // The first window the finder ranks on the date (windows of one rating joined, as the finder lists them);
    // none when the date has no rated window or no undertaking was chosen.
    std::optional<FoundWindow> best;
};

struct MonthView {
    int year = 0;
    int month = 0;
    std::vector<MonthDay> days;  // in date order; a date the zone's clocks skipped entirely is left out
    bool searched = false;       // an undertaking was searched, so `best` is meaningful
    // Where an undertaking was searched: the query as searched, and its windows rated Good as the finder lists them
    // in time order (neighbours of one rating joined), for the calendar file.
    std::optional<FinderQuery> search;
    std::vector<FoundWindow> goodWindows;
};

// "" when the month can be shown (a month 1..12 of a year whose dates the finder can search), else why not.
std::string MonthProblem(int year, int month);

// The month; throws FinderError for a month MonthProblem refuses or a search the finder refuses.
MonthView ComputeMonth(const MonthQuery& query);

// Each date's best window among a search's windows (in time order): the first rated one by the finder's listing
// (neighbours of one rating joined, ranked best first), by date.
std::vector<FoundWindow> BestWindowPerDate(const std::vector<FoundWindow>& timeOrdered);

}  // namespace kalvora
