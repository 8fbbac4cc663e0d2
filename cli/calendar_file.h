#pragma once
// Writing a calendar file for --ics: the events as one VCALENDAR, replacing the file whole or leaving it as it was.

#include <string>
#include <vector>

#include "ical/calendar_writer.h"

namespace kalvora {

// Writes the events to `path`, stamped now (or at SOURCE_DATE_EPOCH where it is set, so that the same events give
// the same file); a file that cannot be written throws CommandError (status 1) naming --ics, the path and the cause.
void WriteCalendarFile(const std::string& path, const std::vector<CalendarEvent>& events);

}  // namespace kalvora
