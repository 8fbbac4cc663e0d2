// The calendar writer: the lines a calendar program reads (UTC times, all-day dates, text escaped and folded),
// and the same events with the same stamp giving the same file.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ical/calendar_writer.h"

namespace kalvora {
namespace {

// The logical lines of a calendar text: folded lines (CRLF then a space) joined again. Every physical line must
// end in CRLF and hold at most 75 octets.
std::vector<std::string> Unfolded(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        EXPECT_NE(end, std::string::npos) << "a line does not end in CRLF";
        if (end == std::string::npos) break;
        const std::string line = text.substr(from, end - from);
        EXPECT_LE(line.size(), 75u) << line;
        if (!line.empty() && line[0] == ' ' && !lines.empty()) {
            lines.back() += line.substr(1);
        } else {
            lines.push_back(line);
        }
        from = end + 2;
    }
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CalendarWriter, UtcSecondsOfLocalMinutes) {
    struct Case {
        LocalDate date;
        int minute;
        std::int32_t offset;
        std::int64_t seconds;
    } const cases[] = {
        {{1970, 1, 1}, 0, 0, 0},
        {{2026, 3, 8}, 3 * 60, -4 * 3600, 1772953200},         // New York, just after the clocks went forward
        {{2026, 3, 8}, 1 * 60 + 59, -5 * 3600, 1772953140},    // the minute before, still on standard time
        {{2026, 12, 10}, 10 * 60 + 30, 19800, 1796878800},     // India, +05:30
        {{2026, 12, 31}, 1440, 0, 1798761600},                 // the end of a day's last minute: next midnight
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UtcSeconds(c.date, c.minute, c.offset), c.seconds)
            << c.date.year << "-" << c.date.month << "-" << c.date.day << " minute " << c.minute;
    }
}

TEST(CalendarWriter, EventsInUtcOrAsDatesWithTextEscaped) {
    CalendarEvent timed;
    timed.uid = "0123456789abcdef@kalvora";
    timed.summary = "Marriage: Good (Asha, Ravi)";
    timed.description = "Asha: Good; Ravi: Average\nCombined: Average, held by a bad bala \\ noted";
    timed.startUtc = 1772953200;  // 2026-03-08T07:00:00Z
    timed.endUtc = 1773028800;    // 2026-03-09T04:00:00Z
    CalendarEvent allDay;
    allDay.uid = "day@kalvora";
    allDay.summary = "Shukla Panchami, Rohini";
    allDay.allDay = LocalDate{2026, 12, 31};
    allDay.startUtc = 123;  // not read
    const std::string text = CalendarText({timed, allDay}, 1796880600);
    const std::vector<std::string> lines = Unfolded(text);

    const std::vector<std::string> expected = {
        "BEGIN:VCALENDAR",
        "VERSION:2.0",
        "BEGIN:VEVENT",
        "UID:0123456789abcdef@kalvora",
        "DTSTAMP:20261210T053000Z",
        "DTSTART:20260308T070000Z",
        "DTEND:20260309T040000Z",
        "SUMMARY:Marriage: Good (Asha\\, Ravi)",
        "DESCRIPTION:Asha: Good\\; Ravi: Average\\nCombined: Average\\, held by a bad bala \\\\ noted",
        "UID:day@kalvora",
        "DTSTART;VALUE=DATE:20261231",
        "DTEND;VALUE=DATE:20270101",
        "SUMMARY:Shukla Panchami\\, Rohini",
        "END:VCALENDAR",
    };
    for (const std::string& line : expected) EXPECT_TRUE(Has(lines, line)) << "missing: " << line << "\n" << text;
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "BEGIN:VEVENT"), 2);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("PRODID:", 0) == 0; }));
    EXPECT_EQ(text, CalendarText({timed, allDay}, 1796880600));
}

TEST(CalendarWriter, LongTextIsFoldedAndUnfoldsWhole) {
    CalendarEvent event;
    event.uid = "long@kalvora";
    event.summary = "Marriage: Good (" + std::string(200, 'a') + ")";
    event.startUtc = 0;
    event.endUtc = 60;
    const std::vector<std::string> lines = Unfolded(CalendarText({event}, 0));
    EXPECT_TRUE(Has(lines, "SUMMARY:" + event.summary));
}

}  // namespace
}  // namespace kalvora
