#include "cli/calendar_file.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "cli/command.h"
#include "report/file_replace.h"

namespace kalvora {
namespace {

// The moment a calendar file is made (its DTSTAMP): now, or SOURCE_DATE_EPOCH where it is set, for files that
// come out the same from the same search.
std::int64_t CalendarStamp() {
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH"); fixed != nullptr && *fixed != '\0') {
        char* end = nullptr;
        const long long seconds = std::strtoll(fixed, &end, 10);
        if (*end == '\0' && seconds >= 0) return seconds;
    }
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace

void WriteCalendarFile(const std::string& path, const std::vector<CalendarEvent>& events) {
    const std::string text = CalendarText(events, CalendarStamp());
    std::string cause;
    if (!ReplaceFile(path, text, &cause)) {
        throw CommandError("--ics: cannot write the calendar to \"" + path + "\": " + cause, 1);
    }
}

}  // namespace kalvora
