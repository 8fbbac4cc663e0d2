#include "driver/season.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <utility>

#include "muhurtha/names.h"

namespace kalvora {

ClockMinute FirstMinuteFrom(double jdUt, int zoneOffsetSeconds) {
    // The arithmetic guess, then settled on the very conversion the minutes are read with.
    const double minutes = (jdUt + 0.5) * MinutesPerDay + zoneOffsetSeconds / 60.0;
    ClockMinute m = static_cast<ClockMinute>(std::ceil(minutes));
    while (JdUtOfClockMinute(m - 1, zoneOffsetSeconds) >= jdUt) --m;
    while (JdUtOfClockMinute(m, zoneOffsetSeconds) < jdUt) ++m;
    return m;
}

VetoMinutes VetoMinutesOf(const VetoSpan& span, int zoneOffsetSeconds) {
    return {span.veto, FirstMinuteFrom(span.startJdUt, zoneOffsetSeconds),
            FirstMinuteFrom(span.endJdUt, zoneOffsetSeconds)};
}

std::pair<ClockMinute, ClockMinute> MonthMinutes(const LunarMonth& month, int zoneOffsetSeconds) {
    return {FirstMinuteFrom(month.startJdUt, zoneOffsetSeconds), FirstMinuteFrom(month.endJdUt, zoneOffsetSeconds)};
}

namespace {

// The day's minutes: from the one holding the sunrise to the one holding the next sunrise (the whole date where
// the Sun does not rise).
std::pair<ClockMinute, ClockMinute> MinutesOfDay(const DayView& day) {
    const int offset = day.place.zoneOffsetSeconds;
    if (day.sun.sunriseJdUt && day.sun.nextSunriseJdUt) {
        return {ClockMinuteHolding(*day.sun.sunriseJdUt, offset), ClockMinuteHolding(*day.sun.nextSunriseJdUt, offset)};
    }
    return {ClockMinuteOf(day.sun.date, 0), ClockMinuteOf(day.sun.date, MinutesPerDay - 1)};
}

}  // namespace

DaySeason SeasonOfDay(const DayView& day, const LunarCalendar& calendar, const std::vector<VetoSpan>& spans) {
    const int offset = day.place.zoneOffsetSeconds;
    const auto [first, last] = MinutesOfDay(day);
    DaySeason season;
    season.atSunrise = calendar.At(JdUtOfClockMinute(first, offset));
    for (const VetoSpan& span : spans) {
        const VetoMinutes minutes = VetoMinutesOf(span, offset);
        if (minutes.start <= last && minutes.end > first) season.vetoes.push_back(minutes);
    }
    return season;
}

DaySeason SeasonOfDay(const DayView& day, const LunarCalendar* calendar) {
    const int offset = day.place.zoneOffsetSeconds;
    const auto [first, last] = MinutesOfDay(day);
    const double from = JdUtOfClockMinute(first, offset);
    const double to = JdUtOfClockMinute(last + 1, offset);
    std::optional<LunarCalendar> own;
    if (!calendar) calendar = &own.emplace(from, to, ReckoningOf(day.conventions));
    return SeasonOfDay(day, *calendar, calendar->VetoSpans(from, to));
}

std::vector<VetoMinutes> VetoesAtMinute(const DaySeason& season, ClockMinute minute, MuhurthaSubject subject) {
    const std::array<bool, VetoCount> applies = VetoesOf(subject);
    std::vector<VetoMinutes> out;
    for (const VetoMinutes& v : season.vetoes) {
        if (applies[static_cast<std::size_t>(v.veto)] && v.start <= minute && minute < v.end) out.push_back(v);
    }
    return out;
}

namespace {

std::string DayAndMonth(LocalDate date) { return std::to_string(date.day) + " " + std::string(MonthName(date.month)); }

}  // namespace

std::string SpanDatesText(const VetoMinutes& span) {
    const LocalDate start = DateOfClockMinute(span.start);
    const LocalDate end = DateOfClockMinute(span.end);
    std::string text = DayAndMonth(start);
    if (start.year != end.year) text += " " + std::to_string(start.year);
    return text + " to " + DayAndMonth(end) + " " + std::to_string(end.year);
}

std::string SeasonWarning(const std::vector<VetoMinutes>& vetoes, MuhurthaSubject subject) {
    const SeasonalSubject* row = SeasonalRowOf(subject);
    std::string text;
    for (const VetoMinutes& v : vetoes) {
        if (!text.empty()) text += " ";
        text += "Season: ";
        const std::string what(RowOf(v.veto).what);
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(what[0])));
        text += what.substr(1) + " from " + SpanDatesText(v) + "; ";
        text += row ? std::string(row->advice) : std::string("most almanacs hold no seasonal rite in it");
        text += ".";
    }
    return text;
}

std::string LunarMonthText(const LunarMonth& month) {
    std::string text = month.adhika ? "Adhika " : "";
    text += names::LunarMonths[static_cast<std::size_t>(month.nameIndex)];
    if (month.kshaya) text += " (kshaya)";
    return text;
}

}  // namespace kalvora
