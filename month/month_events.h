#pragma once
// The month as calendar events, for a calendar file that puts the almanac of the month in the user's calendar.

#include <vector>

#include "ical/calendar_writer.h"
#include "month/month.h"

namespace kalvora {

// One all-day event a date, in date order: its summary the tithi and nakshatra current at the date's sunrise, its
// description every tithi and nakshatra of the day with its times, the sunrise and sunset, the lunar month and the
// vetoes in force. Then, where an undertaking was searched, one event for each window rated Good, as the finder
// lists them joined (WindowEvents). A date's UID follows from the date and the place, so that the month exported
// again updates its events instead of adding more.
std::vector<CalendarEvent> MonthEvents(const MonthView& month);

}  // namespace kalvora
