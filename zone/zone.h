#pragma once
// The offset of a place's clock from universal time on a given local date and time, read from the
// system's zone database (tzdata) by IANA zone id, with the gaps and repeats that clock changes leave.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "astro/local_time.h"
#include "astro/moment.h"

namespace kalvora {

// One zone's clock in one interval of its history.
struct ZoneOffset {
    std::int32_t offsetSeconds = 0;          // east of UT, daylight saving included
    std::int32_t standardOffsetSeconds = 0;  // the zone's standard time at that moment
    bool daylight = false;                   // daylight (or war, or double summer) time in force
    std::string abbreviation;                // "IST", "EDT"; "" where the zone has no common one
    friend bool operator==(const ZoneOffset&, const ZoneOffset&) = default;
};

// A moment at which a zone's clocks were changed.
struct ZoneTransition {
    std::int64_t utSeconds = 0;  // the first second of the new offset, seconds since 1970-01-01 00:00 UT
    ZoneOffset before;
    ZoneOffset after;
    friend bool operator==(const ZoneTransition&, const ZoneTransition&) = default;
};

// What a local date and time is in a zone.
enum class LocalTimeKind {
    Unique,       // occurs once: `offset`
    Repeated,     // the clocks went back: occurs first at `offset`, then again at `later`
    Missing,      // the clocks jumped forward over it: `jump` says when and from what to what
    InvalidTime,  // not a calendar date or not a time of day
    UnknownZone,  // the zone database has no such zone id
};

struct LocalTimeInZone {
    LocalTimeKind kind = LocalTimeKind::UnknownZone;
    ZoneOffset offset;     // Unique: the offset; Repeated: the earlier of the two
    ZoneOffset later;      // Repeated: the later of the two
    ZoneTransition jump;   // Missing (the jump over it) and Repeated (the setting back)
    friend bool operator==(const LocalTimeInZone&, const LocalTimeInZone&) = default;
};

// Which of the two offsets of a repeated local time is meant.
enum class Fold { Earlier, Later };

// A zone of the zone database, opened once; cheap to copy. Holds no state beyond the zone's data.
class TimeZone {
public:
    const std::string& id() const { return id_; }

private:
    friend std::optional<TimeZone> OpenTimeZone(std::string_view zoneId);
    friend struct ZoneAccess;
    std::string id_;
    std::shared_ptr<void> handle_;  // the reader of the zone: GLib's zone object, or Qt's
};

// The zone of an IANA zone id ("Asia/Kolkata"); none when the zone database has no such zone.
std::optional<TimeZone> OpenTimeZone(std::string_view zoneId);

// The ids of every zone of the system's zone database ("Asia/Kathmandu", "UTC"), sorted: the compiled zones
// under TZDIR, or /usr/share/zoneinfo, as OpenTimeZone reads them. The database's posix/ and right/ copies,
// "localtime", "posixrules" and "Factory" are left out; empty when the folder cannot be read.
std::vector<std::string> ZoneIds();

// The offset in force at a universal time (seconds since 1970-01-01 00:00 UT).
ZoneOffset OffsetAtUt(const TimeZone& zone, std::int64_t utSeconds);

// What a local date and time is in a zone: its offset, its two offsets, or the jump over it.
LocalTimeInZone LookUpLocalTime(const TimeZone& zone, const LocalDateTime& local);
LocalTimeInZone LookUpLocalTime(std::string_view zoneId, const LocalDateTime& local);

// The offset of a looked-up local time, the fold choosing between the two of a repeated one;
// none for a missing or invalid time or an unknown zone.
std::optional<ZoneOffset> ChosenOffset(const LocalTimeInZone& found, Fold fold);

// A one-line explanation of a looked-up local time that needs the user's attention: the jump over a
// missing time, the two offsets of a repeated one, an invalid time or an unknown zone; "" when unique.
std::string DescribeLocalTime(std::string_view zoneId, const LocalDateTime& local, const LocalTimeInZone& found);

// Every change of the clocks with utFromSeconds < utSeconds < utToSeconds, in order (the clock in force at
// utFromSeconds, even one that began on that second, is OffsetAtUt's).
std::vector<ZoneTransition> TransitionsBetween(const TimeZone& zone, std::int64_t utFromSeconds,
                                               std::int64_t utToSeconds);

// "2011-12-31 00:00", with ":ss" only when the seconds are not zero.
std::string FormatLocalDateTime(const LocalDateTime& local);

// The zone boxes of an input page: hours and minutes as magnitudes, a direction and the daylight-saving
// box that adds one hour. The boxes hold the standard offset with the box ticked when exactly one hour
// of daylight saving applies, and otherwise the whole offset; either way they add up to the offset
// rounded to the minute.
struct ZoneBoxes {
    int hours = 0;
    int minutes = 0;
    bool isEast = true;
    bool daylight = false;
    friend bool operator==(const ZoneBoxes&, const ZoneBoxes&) = default;
};
ZoneBoxes SplitIntoBoxes(const ZoneOffset& offset);

// The clock of a zone over the local dates from..to: the offset in force before the first date, then each
// change up to the end of the last.
std::vector<ClockPeriod> ClockOfZone(const TimeZone& zone, LocalDate from, LocalDate to);

// An offset as a typed zone, exactly, seconds included: as the boxes hold it (the standard offset with daylight
// saving when exactly one hour of it applies, otherwise the whole offset), its hours and minutes as whole
// magnitudes and the seconds left over.
TypedZone TypedZoneOf(const ZoneOffset& offset);

// A short warning where the zone database gives one zone to a region that kept its own time on that
// date (Bombay until 1955, Calcutta until 1948); "" elsewhere.
std::string_view ZoneNoteFor(double latitudeDeg, double longitudeDeg, const LocalDateTime& local);

// A name for the zone's time at that date where its abbreviation does not give one: "war time" for
// India's +06:30 of 1941-45, "double summer time", "British Standard Time"; "" otherwise.
std::string_view ZonePeriodName(std::string_view zoneId, const LocalDateTime& local, const ZoneOffset& offset);

}  // namespace kalvora
