// Offsets, gaps and repeats of a zone's clock, read through GLib's GTimeZone from the system's tzdata.
//
// GTimeZone answers reliably for a universal time: which interval of the zone's history it falls in,
// and that interval's offset, daylight flag and abbreviation. A local time is resolved here from those
// answers alone: a local time L is valid in interval j when the universal time L - offset(j) falls in
// interval j. One such interval means a unique time, two a repeated one, none a time the clocks jumped
// over.

#include "zone/zone.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace kalvora {

struct ZoneAccess {
    static GTimeZone* Raw(const TimeZone& zone) { return static_cast<GTimeZone*>(zone.handle_.get()); }
};

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
// No zone's offset has ever reached 16 hours either way (local mean times included), so the universal
// time of any local time lies within this distance of the local time read as UT.
constexpr std::int64_t OffsetReachSeconds = 16 * 3600 + 1;
// Looked at when a daylight interval's standard offset is sought in its neighbours.
constexpr int NeighbourIntervals = 12;
// Year 9999: later than any transition the zone database lists or GLib expands from a zone's rule.
constexpr std::int64_t FarFutureSeconds = 253402300799;

int IntervalAt(GTimeZone* tz, std::int64_t utSeconds) {
    return g_time_zone_find_interval(tz, G_TIME_TYPE_UNIVERSAL, utSeconds);
}

int LastInterval(GTimeZone* tz) { return IntervalAt(tz, FarFutureSeconds); }

// tzdata writes a numeric placeholder ("+0630", "-10") where a zone has no abbreviation in common use.
std::string AbbreviationOf(GTimeZone* tz, int interval) {
    const char* text = g_time_zone_get_abbreviation(tz, interval);
    if (text == nullptr || text[0] == '\0' || text[0] == '+' || text[0] == '-' || (text[0] >= '0' && text[0] <= '9')) {
        return {};
    }
    return text;
}

// A daylight interval's standard offset is that of its nearest standard neighbour, before or after,
// whichever is closer to its offset (Samoa's daylight +14 of December 2011 followed -11 and preceded +13).
std::int32_t StandardOffsetOf(GTimeZone* tz, int interval, int last) {
    const std::int32_t offset = g_time_zone_get_offset(tz, interval);
    if (!g_time_zone_is_dst(tz, interval)) return offset;
    std::optional<std::int32_t> before;
    for (int k = interval - 1; k >= 0 && k >= interval - NeighbourIntervals; --k) {
        if (!g_time_zone_is_dst(tz, k)) {
            before = g_time_zone_get_offset(tz, k);
            break;
        }
    }
    std::optional<std::int32_t> after;
    for (int k = interval + 1; k <= last && k <= interval + NeighbourIntervals; ++k) {
        if (!g_time_zone_is_dst(tz, k)) {
            after = g_time_zone_get_offset(tz, k);
            break;
        }
    }
    if (before && after) return std::abs(offset - *after) < std::abs(offset - *before) ? *after : *before;
    if (before) return *before;
    if (after) return *after;
    return offset - 3600;
}

ZoneOffset OffsetOfInterval(GTimeZone* tz, int interval, int last) {
    return ZoneOffset{
        .offsetSeconds = g_time_zone_get_offset(tz, interval),
        .standardOffsetSeconds = StandardOffsetOf(tz, interval, last),
        .daylight = g_time_zone_is_dst(tz, interval) != FALSE,
        .abbreviation = AbbreviationOf(tz, interval),
    };
}

// The first second of `interval`, known to begin after `low` and no later than `high`.
std::int64_t StartOfInterval(GTimeZone* tz, int interval, std::int64_t low, std::int64_t high) {
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        if (IntervalAt(tz, middle) >= interval) {
            high = middle;
        } else {
            low = middle;
        }
    }
    return high;
}

bool IsValid(const LocalDateTime& local) {
    using namespace std::chrono;
    const year_month_day date{year{local.year}, month{static_cast<unsigned>(local.month)},
                              day{static_cast<unsigned>(local.day)}};
    return local.month >= 1 && local.month <= 12 && local.day >= 1 && date.ok() && local.hour >= 0 &&
           local.hour <= 23 && local.minute >= 0 && local.minute <= 59 && local.second >= 0 && local.second <= 59;
}

// Whether the id names a compiled zone of the zone database (a TZif file under TZDIR, or under
// /usr/share/zoneinfo, where GLib reads them). GLib also accepts POSIX rule strings as identifiers ("XYZ3",
// "UTC+5", which means five hours west): those are not zone ids and are refused here.
bool IsZoneOfTheDatabase(const std::string& id) {
    const bool plainCharacters = std::ranges::all_of(id, [](char c) {
        return g_ascii_isalnum(c) || c == '/' || c == '_' || c == '-' || c == '+';
    });
    if (!plainCharacters || id.front() == '/' || id.back() == '/' || id.find("//") != std::string::npos) return false;
    const char* tzdir = g_getenv("TZDIR");
    const std::string path = std::string(tzdir != nullptr && tzdir[0] != '\0' ? tzdir : "/usr/share/zoneinfo") + "/" + id;
    std::ifstream file(path, std::ios::binary);
    std::array<char, 4> magic{};
    return file.read(magic.data(), magic.size()) && std::string_view(magic.data(), magic.size()) == "TZif";
}

LocalTimeInZone Refused(LocalTimeKind kind) {
    LocalTimeInZone found;
    found.kind = kind;
    return found;
}

std::string WithUtc(std::int32_t offsetSeconds) { return "UTC" + FormatOffset(offsetSeconds); }

std::string Labelled(const ZoneOffset& offset) {
    std::string text = WithUtc(offset.offsetSeconds);
    if (!offset.abbreviation.empty()) text += " " + offset.abbreviation;
    return text;
}

}  // namespace

std::optional<TimeZone> OpenTimeZone(std::string_view zoneId) {
    const std::string id(zoneId);
    if (id.empty() || !IsZoneOfTheDatabase(id)) return std::nullopt;
    GTimeZone* tz = g_time_zone_new_identifier(id.c_str());
    if (tz == nullptr) return std::nullopt;
    TimeZone zone;
    zone.id_ = id;
    zone.handle_ = std::shared_ptr<void>(tz, [](void* p) { g_time_zone_unref(static_cast<GTimeZone*>(p)); });
    return zone;
}

ZoneOffset OffsetAtUt(const TimeZone& zone, std::int64_t utSeconds) {
    GTimeZone* tz = ZoneAccess::Raw(zone);
    return OffsetOfInterval(tz, IntervalAt(tz, utSeconds), LastInterval(tz));
}

LocalTimeInZone LookUpLocalTime(const TimeZone& zone, const LocalDateTime& local) {
    if (!IsValid(local)) return Refused(LocalTimeKind::InvalidTime);
    GTimeZone* tz = ZoneAccess::Raw(zone);
    const int last = LastInterval(tz);
    const std::int64_t asUt = SecondsSinceEpoch(local);
    const std::int64_t windowStart = asUt - OffsetReachSeconds;
    const std::int64_t windowEnd = asUt + OffsetReachSeconds;
    const int first = IntervalAt(tz, windowStart);
    const int final = IntervalAt(tz, windowEnd);

    std::array<int, 2> valid{};  // the first and the last interval in which the local time is valid
    int validCount = 0;
    std::optional<int> jumpedFrom;  // the interval whose clocks jumped over the local time
    for (int j = first; j <= final; ++j) {
        const int landsIn = IntervalAt(tz, asUt - g_time_zone_get_offset(tz, j));
        if (landsIn == j) {
            valid[validCount == 0 ? 0 : 1] = j;
            ++validCount;
        } else if (landsIn > j && j < final && !jumpedFrom &&
                   IntervalAt(tz, asUt - g_time_zone_get_offset(tz, j + 1)) <= j) {
            jumpedFrom = j;
        }
    }

    LocalTimeInZone found;
    if (validCount == 1) {
        found.kind = LocalTimeKind::Unique;
        found.offset = OffsetOfInterval(tz, valid[0], last);
        return found;
    }
    if (validCount >= 2) {
        found.kind = LocalTimeKind::Repeated;
        found.offset = OffsetOfInterval(tz, valid[0], last);
        found.later = OffsetOfInterval(tz, valid[1], last);
        found.jump = ZoneTransition{
            .utSeconds = StartOfInterval(tz, valid[0] + 1, windowStart, windowEnd),
            .before = found.offset,
            .after = OffsetOfInterval(tz, valid[0] + 1, last),
        };
        return found;
    }
    found.kind = LocalTimeKind::Missing;
    const int before = jumpedFrom.value_or(first);
    const int after = before < final ? before + 1 : before;
    found.jump = ZoneTransition{
        .utSeconds = StartOfInterval(tz, after, windowStart, windowEnd),
        .before = OffsetOfInterval(tz, before, last),
        .after = OffsetOfInterval(tz, after, last),
    };
    return found;
}

LocalTimeInZone LookUpLocalTime(std::string_view zoneId, const LocalDateTime& local) {
    const std::optional<TimeZone> zone = OpenTimeZone(zoneId);
    if (!zone) return Refused(LocalTimeKind::UnknownZone);
    return LookUpLocalTime(*zone, local);
}

std::optional<ZoneOffset> ChosenOffset(const LocalTimeInZone& found, Fold fold) {
    switch (found.kind) {
        case LocalTimeKind::Unique:
            return found.offset;
        case LocalTimeKind::Repeated:
            return fold == Fold::Earlier ? found.offset : found.later;
        case LocalTimeKind::Missing:
        case LocalTimeKind::InvalidTime:
        case LocalTimeKind::UnknownZone:
            break;
    }
    return std::nullopt;
}

std::string DescribeLocalTime(std::string_view zoneId, const LocalDateTime& local, const LocalTimeInZone& found) {
    const std::string zone(zoneId);
    const std::string when = FormatLocalDateTime(local);
    const ZoneTransition& jump = found.jump;
    const auto lastSecondBefore = [&] {
        return FormatLocalDateTime(LocalDateTimeAt(jump.utSeconds - 1 + jump.before.offsetSeconds));
    };
    const std::string firstAfter = FormatLocalDateTime(LocalDateTimeAt(jump.utSeconds + jump.after.offsetSeconds));
    switch (found.kind) {
        case LocalTimeKind::Unique:
            return {};
        case LocalTimeKind::Missing:
            return when + " does not exist in " + zone + ": the clocks jumped from " + lastSecondBefore() + " (" +
                   WithUtc(jump.before.offsetSeconds) + ") to " + firstAfter + " (" +
                   WithUtc(jump.after.offsetSeconds) + ")";
        case LocalTimeKind::Repeated:
            return when + " occurs twice in " + zone + ": the clocks went back from " + lastSecondBefore() + " (" +
                   WithUtc(jump.before.offsetSeconds) + ") to " + firstAfter + " (" +
                   WithUtc(jump.after.offsetSeconds) + "); earlier " + Labelled(found.offset) + ", later " +
                   Labelled(found.later);
        case LocalTimeKind::InvalidTime:
            return when + " is not a valid date and time";
        case LocalTimeKind::UnknownZone:
            return "unknown time zone \"" + zone + "\"";
    }
    return {};
}

std::vector<ZoneTransition> TransitionsBetween(const TimeZone& zone, std::int64_t utFromSeconds,
                                               std::int64_t utToSeconds) {
    std::vector<ZoneTransition> transitions;
    if (utToSeconds <= utFromSeconds) return transitions;
    GTimeZone* tz = ZoneAccess::Raw(zone);
    const int last = LastInterval(tz);
    const int first = IntervalAt(tz, utFromSeconds);
    const int final = IntervalAt(tz, utToSeconds - 1);
    std::int64_t low = utFromSeconds;
    for (int k = first + 1; k <= final; ++k) {
        const std::int64_t start = StartOfInterval(tz, k, low, utToSeconds - 1);
        transitions.push_back(ZoneTransition{
            .utSeconds = start,
            .before = OffsetOfInterval(tz, k - 1, last),
            .after = OffsetOfInterval(tz, k, last),
        });
        low = start;
    }
    return transitions;
}

std::string FormatOffset(std::int32_t offsetSeconds) {
    const std::int32_t magnitude = std::abs(offsetSeconds);
    const int hours = magnitude / 3600;
    const int minutes = magnitude / 60 % 60;
    const int seconds = magnitude % 60;
    std::array<char, 16> text{};
    const char sign = offsetSeconds < 0 ? '-' : '+';
    if (seconds != 0) {
        std::snprintf(text.data(), text.size(), "%c%02d:%02d:%02d", sign, hours, minutes, seconds);
    } else {
        std::snprintf(text.data(), text.size(), "%c%02d:%02d", sign, hours, minutes);
    }
    return text.data();
}

std::string FormatLocalDateTime(const LocalDateTime& local) {
    std::array<char, 48> text{};
    if (local.second != 0) {
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", local.year, local.month, local.day,
                      local.hour, local.minute, local.second);
    } else {
        std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d", local.year, local.month, local.day,
                      local.hour, local.minute);
    }
    return text.data();
}

std::int64_t SecondsSinceEpoch(const LocalDateTime& local) {
    using namespace std::chrono;
    const sys_days date{year{local.year} / month{static_cast<unsigned>(local.month)} /
                        day{static_cast<unsigned>(local.day)}};
    return static_cast<std::int64_t>(date.time_since_epoch().count()) * SecondsPerDay + local.hour * 3600 +
           local.minute * 60 + local.second;
}

LocalDateTime LocalDateTimeAt(std::int64_t seconds) {
    using namespace std::chrono;
    std::int64_t days = seconds / SecondsPerDay;
    std::int64_t rest = seconds % SecondsPerDay;
    if (rest < 0) {
        rest += SecondsPerDay;
        --days;
    }
    const year_month_day date{sys_days{std::chrono::days{days}}};
    return LocalDateTime{
        .year = static_cast<int>(date.year()),
        .month = static_cast<int>(static_cast<unsigned>(date.month())),
        .day = static_cast<int>(static_cast<unsigned>(date.day())),
        .hour = static_cast<int>(rest / 3600),
        .minute = static_cast<int>(rest / 60 % 60),
        .second = static_cast<int>(rest % 60),
    };
}

namespace {

// Whether the boxes show the standard offset with the daylight-saving box ticked.
bool OneHourDaylight(const ZoneOffset& offset) {
    return offset.daylight && offset.offsetSeconds - offset.standardOffsetSeconds == 3600;
}

// The offset the hour and minute boxes hold.
std::int32_t OffsetInBoxes(const ZoneOffset& offset) {
    return OneHourDaylight(offset) ? offset.standardOffsetSeconds : offset.offsetSeconds;
}

}  // namespace

ZoneBoxes SplitIntoBoxes(const ZoneOffset& offset) {
    const bool oneHourDaylight = OneHourDaylight(offset);
    const std::int32_t inBoxes = OffsetInBoxes(offset);
    const int roundedMinutes = (std::abs(inBoxes) + 30) / 60;
    return ZoneBoxes{
        .hours = roundedMinutes / 60,
        .minutes = roundedMinutes % 60,
        .isEast = inBoxes >= 0,
        .daylight = oneHourDaylight,
    };
}

std::vector<ClockPeriod> ClockOfZone(const TimeZone& zone, LocalDate from, LocalDate to) {
    // Two days either side reach past any offset a zone has had.
    constexpr std::int64_t Day = 86400;
    const long epoch = DayNumber({1970, 1, 1});
    const std::int64_t utFrom = (DayNumber(from) - epoch - 2) * Day;
    const std::int64_t utTo = (DayNumber(to) - epoch + 3) * Day;
    std::vector<ClockPeriod> clock(1);
    clock.front().fromUtSeconds = utFrom;
    SetMomentZone(clock.front().zone, OffsetAtUt(zone, utFrom));
    for (const ZoneTransition& change : TransitionsBetween(zone, utFrom, utTo)) {
        ClockPeriod period;
        period.fromUtSeconds = change.utSeconds;
        SetMomentZone(period.zone, change.after);
        clock.push_back(period);
    }
    return clock;
}

void SetMomentZone(MomentInput& moment, const ZoneOffset& offset) {
    const std::int32_t inBoxes = OffsetInBoxes(offset);
    const std::int32_t magnitude = std::abs(inBoxes);
    moment.zoneHours = static_cast<std::int16_t>(magnitude / 3600);
    moment.zoneMinutes = static_cast<std::int16_t>(magnitude / 60 % 60);
    moment.zoneSeconds = static_cast<std::int16_t>(magnitude % 60);
    moment.zoneIsEast = inBoxes >= 0;
    moment.isDst = OneHourDaylight(offset);
}

}  // namespace kalvora
