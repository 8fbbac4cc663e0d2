#include "ical/calendar_writer.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <stdexcept>

#include <libical/ical.h>

#include "kalvora_version.h"

namespace kalvora {

std::string StableUid(const std::vector<std::string>& parts) {
    // 64-bit FNV-1a over the parts, each ended by a byte no text holds, so that no two different lists of parts
    // join to the same key.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const std::string& part : parts) {
        for (const char c : part + '\x1f') {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ULL;
        }
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(hex) + "@kalvora";
}

namespace {

constexpr long UnixEpochDay = 2440588;  // day number of 1970-01-01

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype UtcTime(std::int64_t seconds) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0, icaltimezone_get_utc_timezone());
}

icaltimetype DateValue(LocalDate date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    return t;
}

icalcomponent* EventComponent(const CalendarEvent& event, icaltimetype stamp) {
    icalcomponent* vevent = icalcomponent_new_vevent();
    icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
    if (event.allDay) {
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(DateValue(*event.allDay)));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(DateValue(AddDays(*event.allDay, 1))));
    } else {
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(UtcTime(event.startUtc)));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(UtcTime(event.endUtc)));
    }
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.summary.c_str()));
    if (!event.description.empty()) {
        icalcomponent_add_property(vevent, icalproperty_new_description(event.description.c_str()));
    }
    return vevent;
}

}  // namespace

std::int64_t UtcSeconds(LocalDate date, int minute, std::int32_t offsetSeconds) {
    return (static_cast<std::int64_t>(DayNumber(date)) - UnixEpochDay) * 86400 + std::int64_t{minute} * 60 -
           offsetSeconds;
}

std::string CalendarText(const std::vector<CalendarEvent>& events, std::int64_t stampUtc) {
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Kalvora//Kalvora " KALVORA_VERSION "//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = UtcTime(stampUtc);
    for (const CalendarEvent& event : events) {
        icalcomponent_add_component(calendar.get(), EventComponent(event, stamp));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    if (text == nullptr) throw std::runtime_error("the calendar could not be written out");
    std::string result(text);
    icalmemory_free_buffer(text);
    return result;
}

}  // namespace kalvora
