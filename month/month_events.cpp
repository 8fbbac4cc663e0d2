#include "month/month_events.h"

#include <cstdio>
#include <string>

#include "astro/local_time.h"
#include "driver/season.h"
#include "finder/window_events.h"
#include "season/tables.h"

namespace kalvora {
namespace {

// "07:06", or "2026-12-10 08:47" on another date than the day's.
std::string TimeOnDay(ClockMinute minute, LocalDate day) {
    const LocalDate date = DateOfClockMinute(minute);
    const std::string clock = ClockText(MinuteOfDay(minute));
    return date == day ? clock : DateText(date) + " " + clock;
}

std::string DayEventDescription(const MonthDay& entry) {
    const DayView& day = entry.view;
    const LocalDate date = day.sun.date;
    std::string text;
    for (const Limb limb : {Limb::Tithi, Limb::Nakshatra}) {
        text += std::string(LimbHeadings[static_cast<std::size_t>(limb)]) + ":";
        for (const LimbSpan& span : day.limbs[static_cast<std::size_t>(limb)]) {
            text += (&span == &day.limbs[static_cast<std::size_t>(limb)].front() ? " " : ", ") +
                    std::string(span.value.name) + " until " + TimeOnDay(span.end, date);
        }
        text += "\n";
    }
    const auto sunTime = [&](const std::optional<double>& jdUt) {
        return jdUt ? TimeOnDay(ClockMinuteHolding(*jdUt, day.place.zoneOffsetSeconds), date) : std::string("none");
    };
    text += "Sunrise " + sunTime(day.sun.sunriseJdUt) + ", sunset " + sunTime(day.sun.sunsetJdUt) + "\n";
    text += "Lunar month: " + LunarMonthText(entry.season.atSunrise.month);
    for (const VetoMinutes& veto : entry.season.vetoes) {
        text += "\n" + std::string(RowOf(veto.veto).name) + " (" + std::string(RowOf(veto.veto).what) + ")";
    }
    return text;
}

std::string PlaceKey(const DayPlace& place) {
    char key[64];
    std::snprintf(key, sizeof key, "%.4f,%.4f", place.latitudeDeg, place.longitudeDeg);
    return key;
}

}  // namespace

std::vector<CalendarEvent> MonthEvents(const MonthView& month) {
    std::vector<CalendarEvent> events;
    for (const MonthDay& entry : month.days) {
        const DayView& day = entry.view;
        CalendarEvent event;
        event.allDay = day.sun.date;
        const auto first = [&](Limb limb) {
            const auto& spans = day.limbs[static_cast<std::size_t>(limb)];
            return spans.empty() ? std::string("none") : std::string(spans.front().value.name);
        };
        event.summary = "Tithi " + first(Limb::Tithi) + ", nakshatra " + first(Limb::Nakshatra);
        event.description = DayEventDescription(entry);
        event.uid = StableUid({"day", DateText(day.sun.date), PlaceKey(day.place)});
        events.push_back(std::move(event));
    }
    if (month.search) {
        for (CalendarEvent& event : WindowEvents(*month.search, month.goodWindows)) events.push_back(std::move(event));
    }
    return events;
}

}  // namespace kalvora
