#pragma once
// Calendar files (iCalendar): events written as the text of one VCALENDAR through libical, which does the line
// folding, the escaping of text and the forms of dates and times, so that any calendar program reads them back.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astro/calendar.h"

namespace kalvora {

// One event of a calendar file. A timed event runs from startUtc to endUtc, in seconds since
// 1970-01-01T00:00:00 UTC, the end exclusive (the first second no longer in it). An all-day event (allDay set)
// covers that one civil date wherever the reader is, and its start and end seconds are not read.
struct CalendarEvent {
    // Unique and stable: a calendar that imports an event with a UID it holds updates that event.
    std::string uid;
    std::string summary;
    std::string description;  // may hold several lines
    std::int64_t startUtc = 0;
    std::int64_t endUtc = 0;
    std::optional<LocalDate> allDay;
};

// A UID that follows from its parts alone ("0123456789abcdef@kalvora": a fixed 64-bit hash of the parts in hex), the
// same on every machine and in every run, so that the same event written again gets the same UID.
std::string StableUid(const std::vector<std::string>& parts);

// Seconds since 1970-01-01T00:00:00 UTC of a date's minute on a clock `offsetSeconds` east of UTC.
std::int64_t UtcSeconds(LocalDate date, int minute, std::int32_t offsetSeconds);

// The text of a VCALENDAR (PRODID of this program, VERSION 2.0) holding one VEVENT per event, in their order:
// UID, DTSTAMP (stampUtc, the moment the file is made, which the caller chooses so that the same events give the
// same file), DTSTART and DTEND in UTC ("...Z"), or as dates (VALUE=DATE, the end the next date) for an all-day
// event, SUMMARY and DESCRIPTION. Lines end in CRLF as the format wants.
std::string CalendarText(const std::vector<CalendarEvent>& events, std::int64_t stampUtc);

}  // namespace kalvora
