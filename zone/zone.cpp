// Offsets, gaps and repeats of a zone's clock, read from the system's tzdata through GLib's GTimeZone, or through
// Qt's QTimeZone for the zones whose rule GLib misreads.
//
// Both readers answer for a universal time which stretch of the zone's history (an interval) it falls in, and
// that interval's offset, daylight flag and abbreviation. GLib reads every zone but one kind: after the last
// change its file lists, a zone keeps its clock by a rule, and GLib misreads a rule whose daylight saving is
// negative (Europe/Dublin's winter GMT below its standard +01:00 comes out at +02:00). Such a zone is read through
// Qt, which reads that rule right and the listed history as GLib does. GLib stays the reader of the others: Qt
// drops the daylight flag of an interval that kept the standard offset (Argentina's summer of 1999-2000, flagged
// daylight saving in the zone file, comes out as standard time).
//
// A local time is resolved here from those answers alone: a local time L is valid in interval j when the
// universal time L - offset(j) falls in interval j. One such interval means a unique time, two a repeated one,
// none a time the clocks jumped over.

#include "zone/zone.h"

#include <glib.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace kalvora {

// The reader of one zone: GLib's zone, or Qt's for a zone whose rule has negative daylight saving.
struct ZoneReader {
    GTimeZone* glib = nullptr;
    QTimeZone qt;
    ZoneReader() = default;
    ZoneReader(const ZoneReader&) = delete;
    ZoneReader& operator=(const ZoneReader&) = delete;
    ~ZoneReader() {
        if (glib != nullptr) g_time_zone_unref(glib);
    }
};

struct ZoneAccess {
    static const ZoneReader& Reader(const TimeZone& zone) { return *static_cast<const ZoneReader*>(zone.handle_.get()); }
};

namespace {

// No zone's offset has ever reached 16 hours either way (local mean times included), so the universal
// time of any local time lies within this distance of the local time read as UT.
constexpr std::int64_t OffsetReachSeconds = 16 * 3600 + 1;
// Looked at when a daylight interval's standard offset is sought in its neighbours.
constexpr int NeighbourIntervals = 12;
// Year 9999: later than any transition the zone database lists or GLib expands from a zone's rule.
constexpr std::int64_t FarFutureSeconds = 253402300799;
// A year whose clock every zone keeps by its rule: zone files list changes up to 2087 at the latest.
constexpr int RuleYear = 2500;

// One interval of a zone's history as a reader gives it; the standard offset is worked out afterwards.
struct Interval {
    std::int64_t start = 0;  // its first second, or for the first interval of a span the span's first second
    ZoneOffset clock;
};

// tzdata writes a numeric placeholder ("+0630", "-10") where a zone has no abbreviation in common use.
std::string Abbreviation(std::string text) {
    if (text.empty() || text[0] == '+' || text[0] == '-' || (text[0] >= '0' && text[0] <= '9')) return {};
    return text;
}

// ---- GLib: intervals by their index in GLib's list of the zone's history.

int IntervalAt(GTimeZone* tz, std::int64_t utSeconds) {
    return g_time_zone_find_interval(tz, G_TIME_TYPE_UNIVERSAL, utSeconds);
}

int LastInterval(GTimeZone* tz) { return IntervalAt(tz, FarFutureSeconds); }

ZoneOffset ClockOfInterval(GTimeZone* tz, int interval) {
    const char* abbreviation = g_time_zone_get_abbreviation(tz, interval);
    return ZoneOffset{
        .offsetSeconds = g_time_zone_get_offset(tz, interval),
        .standardOffsetSeconds = 0,
        .daylight = g_time_zone_is_dst(tz, interval) != FALSE,
        .abbreviation = Abbreviation(abbreviation != nullptr ? abbreviation : ""),
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

// ---- Qt: intervals between the transitions QTimeZone reports.

QDateTime AtUt(std::int64_t utSeconds) { return QDateTime::fromSecsSinceEpoch(utSeconds, Qt::UTC); }

ZoneOffset ClockOf(const QTimeZone::OffsetData& data) {
    return ZoneOffset{
        .offsetSeconds = data.offsetFromUtc,
        .standardOffsetSeconds = 0,
        .daylight = data.daylightTimeOffset != 0,
        .abbreviation = Abbreviation(data.abbreviation.toStdString()),
    };
}

// The first transition after the second `utSeconds`. Transitions fall on whole seconds, so it is asked for from
// the second's first millisecond on: Qt 6.4 answers none when asked from exactly the last transition the zone
// file lists, and from a moment after it reads the zone's rule.
std::optional<QTimeZone::OffsetData> NextTransition(const QTimeZone& tz, std::int64_t utSeconds) {
    QTimeZone::OffsetData next = tz.nextTransition(QDateTime::fromMSecsSinceEpoch(utSeconds * 1000 + 1, Qt::UTC));
    if (!next.atUtc.isValid()) return std::nullopt;
    return next;
}

// The first second of the interval holding `utSeconds`; none for the first interval of the zone's history.
std::optional<std::int64_t> StartOfIntervalAt(const QTimeZone& tz, std::int64_t utSeconds) {
    const QTimeZone::OffsetData last = tz.previousTransition(AtUt(utSeconds + 1));
    if (!last.atUtc.isValid()) return std::nullopt;
    return last.atUtc.toSecsSinceEpoch();
}

// Whether the clock the zone keeps by its rule has negative daylight saving, as Europe/Dublin's GMT in winter.
// (Qt gives no offsets for a zone it holds without a history, such as UTC: that has no rule.)
bool RuleHasNegativeSaving(const QTimeZone& tz) {
    return std::ranges::any_of(std::array{1, 7}, [&](int month) {
        const QTimeZone::OffsetData data = tz.offsetData(QDateTime(QDate(RuleYear, month, 15), QTime(12, 0), Qt::UTC));
        return data.atUtc.isValid() && data.daylightTimeOffset < 0;
    });
}

// ---- Either reader.

ZoneOffset ClockAt(const ZoneReader& zone, std::int64_t utSeconds) {
    if (zone.glib != nullptr) return ClockOfInterval(zone.glib, IntervalAt(zone.glib, utSeconds));
    return ClockOf(zone.qt.offsetData(AtUt(utSeconds)));
}

// The interval holding utFrom, then each interval beginning after it and no later than utTo.
std::vector<Interval> IntervalsBetween(const ZoneReader& zone, std::int64_t utFrom, std::int64_t utTo) {
    std::vector<Interval> intervals{Interval{.start = utFrom, .clock = ClockAt(zone, utFrom)}};
    if (GTimeZone* tz = zone.glib) {
        const int first = IntervalAt(tz, utFrom);
        const int final = IntervalAt(tz, utTo);
        std::int64_t low = utFrom;
        for (int k = first + 1; k <= final; ++k) {
            low = StartOfInterval(tz, k, low, utTo);
            intervals.push_back(Interval{.start = low, .clock = ClockOfInterval(tz, k)});
        }
        return intervals;
    }
    for (std::optional<QTimeZone::OffsetData> next = NextTransition(zone.qt, utFrom);
         next && next->atUtc.toSecsSinceEpoch() <= utTo; next = NextTransition(zone.qt, next->atUtc.toSecsSinceEpoch())) {
        intervals.push_back(Interval{.start = next->atUtc.toSecsSinceEpoch(), .clock = ClockOf(*next)});
    }
    return intervals;
}

// The offsets of the nearest standard-time intervals before and after the one holding utSeconds, each looked
// for among the NeighbourIntervals intervals on its side.
struct StandardNeighbours {
    std::optional<std::int32_t> before;
    std::optional<std::int32_t> after;
};

StandardNeighbours StandardNeighboursAt(const ZoneReader& zone, std::int64_t utSeconds) {
    StandardNeighbours found;
    if (GTimeZone* tz = zone.glib) {
        const int interval = IntervalAt(tz, utSeconds);
        const int last = LastInterval(tz);
        for (int k = interval - 1; k >= 0 && k >= interval - NeighbourIntervals; --k) {
            if (!g_time_zone_is_dst(tz, k)) {
                found.before = g_time_zone_get_offset(tz, k);
                break;
            }
        }
        for (int k = interval + 1; k <= last && k <= interval + NeighbourIntervals; ++k) {
            if (!g_time_zone_is_dst(tz, k)) {
                found.after = g_time_zone_get_offset(tz, k);
                break;
            }
        }
        return found;
    }
    std::optional<std::int64_t> start = StartOfIntervalAt(zone.qt, utSeconds);
    for (int k = 0; start && k < NeighbourIntervals; ++k) {
        const ZoneOffset previous = ClockAt(zone, *start - 1);
        if (!previous.daylight) {
            found.before = previous.offsetSeconds;
            break;
        }
        start = StartOfIntervalAt(zone.qt, *start - 1);
    }
    std::optional<QTimeZone::OffsetData> next = NextTransition(zone.qt, utSeconds);
    for (int k = 0; next && k < NeighbourIntervals; ++k) {
        if (next->daylightTimeOffset == 0) {
            found.after = next->offsetFromUtc;
            break;
        }
        next = NextTransition(zone.qt, next->atUtc.toSecsSinceEpoch());
    }
    return found;
}

// Fills in the standard offset of the clock of the interval holding utSeconds. A daylight interval's standard
// offset is that of its nearest standard neighbour, before or after, whichever is closer to its offset (Samoa's
// daylight +14 of December 2011 followed -11 and preceded +13).
ZoneOffset WithStandardOffset(const ZoneReader& zone, std::int64_t utSeconds, ZoneOffset clock) {
    clock.standardOffsetSeconds = clock.offsetSeconds;
    if (!clock.daylight) return clock;
    const StandardNeighbours standard = StandardNeighboursAt(zone, utSeconds);
    const std::int32_t offset = clock.offsetSeconds;
    if (standard.before && standard.after) {
        clock.standardOffsetSeconds = std::abs(offset - *standard.after) < std::abs(offset - *standard.before)
                                          ? *standard.after
                                          : *standard.before;
    } else if (standard.before || standard.after) {
        clock.standardOffsetSeconds = standard.before ? *standard.before : *standard.after;
    } else {
        clock.standardOffsetSeconds = offset - 3600;
    }
    return clock;
}

ZoneOffset OffsetOf(const ZoneReader& zone, const Interval& interval) {
    return WithStandardOffset(zone, interval.start, interval.clock);
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

std::string WithUtc(std::int32_t offsetSeconds) { return "UTC" + OffsetText(offsetSeconds); }

std::string Labelled(const ZoneOffset& offset) {
    std::string text = WithUtc(offset.offsetSeconds);
    if (!offset.abbreviation.empty()) text += " " + offset.abbreviation;
    return text;
}

}  // namespace

std::optional<TimeZone> OpenTimeZone(std::string_view zoneId) {
    const std::string id(zoneId);
    if (id.empty() || !IsZoneOfTheDatabase(id)) return std::nullopt;
    auto reader = std::make_shared<ZoneReader>();
    const QTimeZone qt(QByteArray::fromStdString(id));
    if (qt.isValid() && RuleHasNegativeSaving(qt)) {
        reader->qt = qt;
    } else {
        reader->glib = g_time_zone_new_identifier(id.c_str());
        if (reader->glib == nullptr) return std::nullopt;
    }
    TimeZone zone;
    zone.id_ = id;
    zone.handle_ = std::move(reader);
    return zone;
}

ZoneOffset OffsetAtUt(const TimeZone& zone, std::int64_t utSeconds) {
    const ZoneReader& reader = ZoneAccess::Reader(zone);
    return WithStandardOffset(reader, utSeconds, ClockAt(reader, utSeconds));
}

LocalTimeInZone LookUpLocalTime(const TimeZone& zone, const LocalDateTime& local) {
    if (!IsValid(local)) return Refused(LocalTimeKind::InvalidTime);
    const ZoneReader& reader = ZoneAccess::Reader(zone);
    const std::int64_t asUt = SecondsSinceEpoch(local);
    // Interval j spans from its start to the next one's; the first begins before the window, the last ends after it.
    const std::vector<Interval> intervals = IntervalsBetween(reader, asUt - OffsetReachSeconds, asUt + OffsetReachSeconds);
    const int final = static_cast<int>(intervals.size()) - 1;
    const auto intervalAt = [&](std::int64_t utSeconds) {
        int j = final;
        while (j > 0 && intervals[j].start > utSeconds) --j;
        return j;
    };
    const auto offsetOf = [&](int j) { return intervals[j].clock.offsetSeconds; };

    std::array<int, 2> valid{};  // the first and the last interval in which the local time is valid
    int validCount = 0;
    std::optional<int> jumpedFrom;  // the interval whose clocks jumped over the local time
    for (int j = 0; j <= final; ++j) {
        const int landsIn = intervalAt(asUt - offsetOf(j));
        if (landsIn == j) {
            valid[validCount == 0 ? 0 : 1] = j;
            ++validCount;
        } else if (landsIn > j && j < final && !jumpedFrom && intervalAt(asUt - offsetOf(j + 1)) <= j) {
            jumpedFrom = j;
        }
    }

    LocalTimeInZone found;
    if (validCount == 1) {
        found.kind = LocalTimeKind::Unique;
        found.offset = OffsetOf(reader, intervals[valid[0]]);
        return found;
    }
    if (validCount >= 2) {
        found.kind = LocalTimeKind::Repeated;
        found.offset = OffsetOf(reader, intervals[valid[0]]);
        found.later = OffsetOf(reader, intervals[valid[1]]);
        found.jump = ZoneTransition{
            .utSeconds = intervals[valid[0] + 1].start,
            .before = found.offset,
            .after = OffsetOf(reader, intervals[valid[0] + 1]),
        };
        return found;
    }
    found.kind = LocalTimeKind::Missing;
    const int before = jumpedFrom.value_or(0);
    const int after = before < final ? before + 1 : before;
    found.jump = ZoneTransition{
        .utSeconds = intervals[after].start,
        .before = OffsetOf(reader, intervals[before]),
        .after = OffsetOf(reader, intervals[after]),
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
    const ZoneReader& reader = ZoneAccess::Reader(zone);
    const std::vector<Interval> intervals = IntervalsBetween(reader, utFromSeconds, utToSeconds - 1);
    for (std::size_t k = 1; k < intervals.size(); ++k) {
        transitions.push_back(ZoneTransition{
            .utSeconds = intervals[k].start,
            .before = OffsetOf(reader, intervals[k - 1]),
            .after = OffsetOf(reader, intervals[k]),
        });
    }
    return transitions;
}

std::string FormatLocalDateTime(const LocalDateTime& local) {
    std::string text = DateText(DateOf(local)) + " " + ClockText(local.hour, local.minute);
    if (local.second == 0) return text;
    std::array<char, 8> seconds{};
    std::snprintf(seconds.data(), seconds.size(), ":%02d", local.second);
    return text + seconds.data();
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
    const std::int64_t utFrom = (DayNumber(from) - EpochDayNumber - 2) * std::int64_t{SecondsPerDay};
    const std::int64_t utTo = (DayNumber(to) - EpochDayNumber + 3) * std::int64_t{SecondsPerDay};
    std::vector<ClockPeriod> clock(1);
    clock.front().fromUtSeconds = utFrom;
    clock.front().zone = TypedZoneOf(OffsetAtUt(zone, utFrom));
    for (const ZoneTransition& change : TransitionsBetween(zone, utFrom, utTo)) {
        ClockPeriod period;
        period.fromUtSeconds = change.utSeconds;
        period.zone = TypedZoneOf(change.after);
        clock.push_back(period);
    }
    return clock;
}

TypedZone TypedZoneOf(const ZoneOffset& offset) {
    TypedZone zone;
    SetZoneBoxes(zone, OffsetInBoxes(offset));
    zone.isDst = OneHourDaylight(offset);
    return zone;
}

}  // namespace kalvora
