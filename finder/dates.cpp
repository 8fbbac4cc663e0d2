// The finder's dates: the checks of a query's dates, span and daily window, and the pages' input
// for one minute of the query.

#include <algorithm>

#include "astro/tables.h"
#include "finder/finder.h"
#include "finder/quantities.h"

namespace kalvora {

using finding::Short;

int DatesInSpan(LocalDate from, LocalDate to) {
    return static_cast<int>(std::max(0L, DayNumber(to) - DayNumber(from) + 1));
}

LocalDate LastDateLookedAhead(LocalDate to) {
    return std::min(AddDays(to, LookAheadDays), LocalDate{LastYear, 12, 31});
}

std::string DateProblem(LocalDate date) {
    if (!IsRealDate(date)) return DateText(date) + " is not a date of the calendar";
    if (date.year < FirstYear || date.year > LastYear) {
        return DateText(date) + " lies outside the years " + std::to_string(FirstYear) + " to " +
               std::to_string(LastYear);
    }
    return {};
}

std::string SpanProblem(LocalDate from, LocalDate to) {
    for (const LocalDate date : {from, to}) {
        if (std::string problem = DateProblem(date); !problem.empty()) return problem;
    }
    if (to < from) return "the last date " + DateText(to) + " comes before the first date " + DateText(from);
    // The same day of the month MaximumSpanYears later (29 February becomes 1 March) is the first date too far.
    const long limit = DayNumber({from.year + MaximumSpanYears, from.month, from.day});
    if (DayNumber(to) >= limit) {
        return "the span may cover at most " + std::to_string(MaximumSpanYears) + " years: from " + DateText(from) +
               " the last date may be " + DateText(DateOfDayNumber(limit - 1)) + " at the latest, got " +
               DateText(to);
    }
    return {};
}

std::string QueryProblem(const FinderQuery& query) {
    const std::string& subject = query.input.subject;
    if (!FindSubject(subject)) return "'" + subject + "' is not one of the undertakings";
    if (std::string problem = SpanProblem(query.from, query.to); !problem.empty()) return problem;
    for (const int minute : {query.between.firstMinute, query.between.lastMinute}) {
        if (minute < 0 || minute >= MinutesPerDay) {
            return "the minutes of the daily window must lie between 0 (00:00) and 1439 (23:59), got " +
                   std::to_string(minute);
        }
    }
    return {};
}

CalculationInput MinuteInput(const FinderQuery& query, LocalDate date, int minute) {
    CalculationInput in = query.input;
    in.muhurtha.year = Short(date.year);
    in.muhurtha.month = Short(date.month);
    in.muhurtha.day = Short(date.day);
    in.muhurtha.hour = Short(minute / 60);
    in.muhurtha.minute = Short(minute % 60);
    in.muhurthaWeekdayBox = WeekdayNames[static_cast<std::size_t>(WeekdayOf(date) - 1)];
    return in;
}

}  // namespace kalvora
