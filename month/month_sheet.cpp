#include "month/month_sheet.h"

#include <algorithm>

#include "astro/calendar.h"
#include "astro/local_time.h"
#include "astro/tables.h"
#include "driver/panels.h"
#include "driver/season.h"
#include "panchanga/tables.h"
#include "season/tables.h"

namespace kalvora {
namespace {

constexpr std::string_view Dash = "\u2013";

std::string Weekday(int weekday) { return std::string(WeekdayNames[static_cast<std::size_t>(weekday - 1)]); }

std::string Paksha(const DayView& day) {
    const auto& tithis = day.limbs[static_cast<std::size_t>(Limb::Tithi)];
    if (tithis.empty()) return {};
    return std::string(PakshaNames[tithis.front().value.index < 15 ? 0 : 1]);
}

// The limb current at sunrise to its end: "Ashtami to 23:14", "Chaturdasi to 8 Dec 04:13".
std::string LimbLine(const DayView& day, Limb limb) {
    const auto& spans = day.limbs[static_cast<std::size_t>(limb)];
    if (spans.empty()) return {};
    return std::string(spans.front().value.name) + " to " + ShortClockText(spans.front().end, day.sun.date);
}

// The date and its weekday, "1 Tue"; sunrise and sunset, "☀ 07:00–17:19".
std::string DateOnly(const DayView& day) {
    return std::to_string(day.sun.date.day) + " " + Weekday(day.sun.weekday).substr(0, 3);
}

std::string SunText(const DayView& day) {
    const auto clock = [&](const std::optional<double>& jd) {
        return jd ? ShortClockText(ClockMinuteHolding(*jd, day.place.zoneOffsetSeconds), day.sun.date)
                  : std::string("none");
    };
    return "\u2600 " + clock(day.sun.sunriseJdUt) + std::string(Dash) + clock(day.sun.sunsetJdUt);
}

std::string BestLine(const FoundWindow& best) {
    const Rating rating = RankedRating(best);
    return RatingSymbol(rating) + " " + std::string(RatingWord(rating)) + " " + ClockText(best.firstMinute) +
           std::string(Dash) + ClockText(best.lastMinute);
}

std::string VetoLine(const DaySeason& season) {
    std::string names;
    for (const VetoMinutes& veto : season.vetoes) {
        names += (names.empty() ? "" : ", ") + std::string(RowOf(veto.veto).name);
    }
    return names.empty() ? names : std::string(VetoSymbol) + " " + names;
}

// The lunar month and paksha, said on the month's first date and wherever either changes.
std::string MonthLine(const MonthDay& day, const MonthDay* before) {
    const std::string month = LunarMonthText(day.season.atSunrise.month);
    const std::string paksha = Paksha(day.view);
    if (before != nullptr && LunarMonthText(before->season.atSunrise.month) == month &&
        Paksha(before->view) == paksha) {
        return {};
    }
    return month + ", " + paksha;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t from, std::string_view separator) {
    std::string out;
    for (std::size_t i = from; i < lines.size(); ++i) out += (i == from ? "" : std::string(separator)) + lines[i];
    return out;
}

}  // namespace

std::string RatingSymbol(Rating rating) {
    switch (rating) {
        case Rating::Good: return "\u2605";     // a star
        case Rating::Average: return "\u25C6";  // a diamond
        case Rating::Bad: return "\u2716";      // a cross
        case Rating::NotRated: break;
    }
    return {};
}

std::string MonthClockNote(std::string_view place, std::string_view clock) {
    return (place.empty() ? std::string() : std::string(place) + ": ") + "each day from sunrise, on the clock of " +
           std::string(clock) + ".";
}

std::string MonthSearchNote(const FinderQuery& search) {
    std::string names = search.input.personName;
    for (const OtherPerson& other : search.others) {
        if (!other.name.empty()) names += (names.empty() ? "" : ", ") + other.name;
    }
    const bool vetoes = std::ranges::any_of(search.vetoes, [](bool on) { return on; });
    return search.input.subject + (names.empty() ? "" : " for " + names) +
           ": the first window the finder ranks on each date" + (vetoes ? ", with the undertaking's vetoes." : ".");
}

MonthSheet LayOutMonth(const MonthView& month, int firstWeekday) {
    MonthSheet sheet;
    sheet.title = std::string(MonthName(month.month)) + " " + std::to_string(month.year);
    for (int i = 0; i < 7; ++i) sheet.headings[static_cast<std::size_t>(i)] = Weekday((firstWeekday - 1 + i) % 7 + 1);
    const auto columnOf = [firstWeekday](int weekday) { return (weekday - firstWeekday + 7) % 7; };
    // The column of the 1st, counted back from the first date listed (a date the clocks skipped is left out).
    const int lead = month.days.empty() ? 0
                                        : ((columnOf(month.days.front().view.sun.weekday) -
                                            (month.days.front().view.sun.date.day - 1)) % 7 + 7) % 7;
    const int lastDay = month.days.empty() ? 0 : month.days.back().view.sun.date.day;
    sheet.rows = (lead + lastDay + 6) / 7;

    std::string marks;
    for (std::size_t i = 0; i < month.days.size(); ++i) {
        const MonthDay& day = month.days[i];
        MonthCell cell;
        cell.date = day.view.sun.date;
        const int place = lead + cell.date.day - 1;
        cell.row = place / 7;
        cell.column = place % 7;
        cell.dateText = DateOnly(day.view);
        cell.sunText = SunText(day.view);
        cell.lines = {cell.dateText + "   " + cell.sunText, LimbLine(day.view, Limb::Tithi),
                      LimbLine(day.view, Limb::Nakshatra)};
        if (std::string lunar = MonthLine(day, i == 0 ? nullptr : &month.days[i - 1]); !lunar.empty()) {
            cell.lines.push_back(std::move(lunar));
        }
        if (std::string vetoes = VetoLine(day.season); !vetoes.empty()) {
            cell.vetoed = true;
            cell.lines.push_back(std::move(vetoes));
        }
        if (month.searched) {
            cell.bestLine = cell.lines.size();
            cell.lines.push_back(day.best ? BestLine(*day.best) : std::string(Dash) + " no rated window");
            if (day.best) cell.best = RankedRating(*day.best);
        }
        if (cell.vetoed || cell.best) {
            marks += (marks.empty() ? "" : "; ") + DateText(cell.date) + " " + Joined(cell.lines, 1, ", ");
        }
        sheet.cells.push_back(std::move(cell));
    }
    const std::string symbols = std::string(VetoSymbol) + " a veto of the season in force during the day" +
                                (month.searched ? "; best window " + RatingSymbol(Rating::Good) + " Good, " +
                                                      RatingSymbol(Rating::Average) + " Average, " +
                                                      RatingSymbol(Rating::Bad) + " Bad"
                                                : std::string());
    sheet.legend = "Tithi and nakshatra at sunrise, each to its end; \u2600 sunrise " + std::string(Dash) +
                   " sunset; " + symbols + ".";
    sheet.description = (marks.empty() ? std::string("No day of the month is marked.")
                                       : "Marked days: " + marks + ".") +
                        " Symbols: " + symbols + ".";
    return sheet;
}

}  // namespace kalvora
