#include "month/month.h"

#include <algorithm>
#include <string>

#include "astro/calendar.h"
#include "driver/season.h"
#include "month/day_zone.h"

namespace kalvora {

std::string MonthProblem(int year, int month) {
    if (month < 1 || month > 12) return "expected a month from 1 to 12, got " + std::to_string(month);
    const LocalDate first{year, month, 1};
    if (std::string problem = DateProblem(first); !problem.empty()) return problem;
    return DateProblem({year, month, DaysInMonth(year, month)});
}

std::vector<FoundWindow> BestWindowPerDate(const std::vector<FoundWindow>& timeOrdered) {
    std::vector<FoundWindow> best;
    for (const FoundWindow& w : ListWindows(timeOrdered, {WindowOrder::Rank, true, 0})) {
        if (RankedRating(w) == Rating::NotRated) continue;
        if (std::ranges::none_of(best, [&](const FoundWindow& b) { return b.date == w.date; })) best.push_back(w);
    }
    std::ranges::sort(best, {}, &FoundWindow::date);
    return best;
}

MonthView ComputeMonth(const MonthQuery& query) {
    if (const std::string problem = MonthProblem(query.year, query.month); !problem.empty()) throw FinderError(problem);
    const LocalDate first{query.year, query.month, 1};
    const LocalDate last{query.year, query.month, DaysInMonth(query.year, query.month)};
    MonthView month;
    month.year = query.year;
    month.month = query.month;
    month.searched = query.undertaking.has_value();

    // One lunar calendar for every date: from two days before the month to two days after, past any offset.
    // The veto spans too, found once (each whole) over the same stretch, which holds every day's minutes.
    const double from = LocalMidnightJdUt(first, 0) - 2.0;
    const double to = LocalMidnightJdUt(last, 0) + 3.0;
    const LunarCalendar calendar(from, to, ReckoningOf(query.conventions));
    const std::vector<VetoSpan> spans = calendar.VetoSpans(from, to);
    for (int day = 1; day <= last.day; ++day) {
        const LocalDate date{query.year, query.month, day};
        MonthDay entry;
        if (query.timeZone) {
            std::optional<ZonedDay> zoned = DayOnZone(query.place, *query.timeZone, date, query.conventions);
            if (!zoned) continue;
            entry.view = std::move(zoned->view);
        } else {
            entry.view = ComputeDayView(query.place, query.zone, date, query.conventions);
        }
        entry.season = SeasonOfDay(entry.view, calendar, spans);
        month.days.push_back(std::move(entry));
    }
    if (!query.undertaking) return month;

    FinderQuery search = *query.undertaking;
    search.input.conventions = query.conventions;
    search.from = first;
    search.to = last;
    if (query.timeZone) search.clock = ClockOfZone(*query.timeZone, first, LastDateLookedAhead(last));
    const FinderResult found = FindWindows(search);
    const std::vector<FoundWindow> best = BestWindowPerDate(found.windows);
    for (FoundWindow& w : ListWindows(found.windows, {WindowOrder::Time, true, 0})) {
        if (RankedRating(w) == Rating::Good) month.goodWindows.push_back(std::move(w));
    }
    month.search = std::move(search);
    for (MonthDay& entry : month.days) {
        const auto at = std::ranges::find_if(best, [&](const FoundWindow& w) { return w.date == entry.view.sun.date; });
        if (at != best.end()) entry.best = *at;
    }
    return month;
}

}  // namespace kalvora
