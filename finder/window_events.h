#pragma once
// The finder's windows as calendar events, for a calendar file that puts the chosen times in the user's calendar.

#include <vector>

#include "finder/finder.h"
#include "ical/calendar_writer.h"

namespace kalvora {

// One event per window, in the order given (the order the windows are listed in). An event runs from the
// window's first minute to the minute after its last (a calendar's end is exclusive), in UTC from the window's
// offset. Its summary is the undertaking, the rating the window is ranked by and the people's names ("Marriage:
// Good (Asha, Ravi)"); its description the local times, the names of the muhurtha and everyone's rating. The UID
// follows from the undertaking, the start in UTC and the people's names, so that the same window found again
// gives the same UID and a calendar that imports it again updates the event instead of adding a second.
std::vector<CalendarEvent> WindowEvents(const FinderQuery& query, const std::vector<FoundWindow>& windows);

}  // namespace kalvora
