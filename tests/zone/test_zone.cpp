// Historical offsets, gaps and repeats of zones, the zone boxes, the offset texts and the zone notes.
// Every expected offset and change of the clocks was read from the system's tzdata with zdump -v.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "astro/ephemeris.h"
#include "zone/zone.h"
#include "zone/zone_notes.h"

namespace kalvora {
namespace {

struct OffsetCase {
    const char* zone;
    LocalDateTime local;
    std::int32_t offsetSeconds;
    std::int32_t standardOffsetSeconds;
    bool daylight;
    const char* abbreviation;
};

TEST(LookUpLocalTime, HistoricalOffsets) {
    const OffsetCase cases[] = {
        // IANA tzdata (zone Asia/Kolkata): Madras time until 1906, war time +06:30 from October 1941
        // with IST from 15 May to 1 September 1942, and IST after 15 October 1945.
        {"Asia/Kolkata", {1901, 6, 1, 12, 0, 0}, 19270, 19270, false, "MMT"},
        {"Asia/Kolkata", {1850, 1, 1, 12, 0, 0}, 21208, 21208, false, "LMT"},
        {"Asia/Kolkata", {1942, 1, 10, 6, 0, 0}, 23400, 19800, true, ""},
        {"Asia/Kolkata", {1942, 6, 10, 6, 0, 0}, 19800, 19800, false, "IST"},
        {"Asia/Kolkata", {1943, 3, 10, 6, 0, 0}, 23400, 19800, true, ""},
        {"Asia/Kolkata", {1946, 3, 10, 6, 0, 0}, 19800, 19800, false, "IST"},
        // IANA tzdata (zone Asia/Kathmandu): +05:30 until the end of 1985, +05:45 from 1986.
        {"Asia/Kathmandu", {1985, 6, 1, 12, 0, 0}, 19800, 19800, false, ""},
        {"Asia/Kathmandu", {1987, 6, 1, 12, 0, 0}, 20700, 20700, false, ""},
        // IANA tzdata (zone America/New_York): daylight time from 6 January 1974.
        {"America/New_York", {1974, 1, 15, 12, 0, 0}, -14400, -18000, true, "EDT"},
        {"America/New_York", {2021, 7, 1, 12, 0, 0}, -14400, -18000, true, "EDT"},
        {"America/New_York", {2021, 1, 15, 12, 0, 0}, -18000, -18000, false, "EST"},
        // IANA tzdata (zone Europe/London): British Standard Time, +01:00 as standard time, 1968-10-27 to 1971-10-31.
        {"Europe/London", {1969, 1, 15, 12, 0, 0}, 3600, 3600, false, "BST"},
        // IANA tzdata (zone Europe/Berlin): double summer time +03:00 from 24 May to 24 September 1945.
        {"Europe/Berlin", {1945, 6, 15, 12, 0, 0}, 10800, 3600, true, "CEMT"},
        // IANA tzdata (zone Australia/Lord_Howe): +10:30 standard, half an hour of daylight saving.
        {"Australia/Lord_Howe", {2021, 1, 15, 12, 0, 0}, 39600, 37800, true, ""},
        {"Australia/Lord_Howe", {2021, 7, 15, 12, 0, 0}, 37800, 37800, false, ""},
        // IANA tzdata (zone Pacific/Kiritimati): +14 since the end of 1994.
        {"Pacific/Kiritimati", {2021, 1, 1, 12, 0, 0}, 50400, 50400, false, ""},
        // IANA tzdata (zone Pacific/Apia): daylight -10 before the skipped day, daylight +14 after it,
        // whose standard time is the +13 that followed (not the -11 before).
        {"Pacific/Apia", {2011, 12, 29, 12, 0, 0}, -36000, -39600, true, ""},
        {"Pacific/Apia", {2011, 12, 31, 12, 0, 0}, 50400, 46800, true, ""},
        // IANA tzdata (zone America/New_York): a summer past the listed transitions, from the zone's rule.
        {"America/New_York", {2060, 7, 1, 12, 0, 0}, -14400, -18000, true, "EDT"},
        // IANA tzdata (zone UTC): no transitions at all.
        {"UTC", {1850, 1, 1, 0, 0, 0}, 0, 0, false, "UTC"},
        // IANA tzdata (zone Asia/Manila): local mean time west of Greenwich until the end of 1844.
        {"Asia/Manila", {1844, 6, 1, 12, 0, 0}, -57368, -57368, false, "LMT"},
        // IANA tzdata (zone Europe/Dublin): winter time is daylight saving below the standard +01:00.
        {"Europe/Dublin", {2021, 1, 15, 12, 0, 0}, 0, 3600, true, "GMT"},
    };
    for (const auto& c : cases) {
        const LocalTimeInZone found = LookUpLocalTime(c.zone, c.local);
        const std::string what = std::string(c.zone) + " " + FormatLocalDateTime(c.local);
        ASSERT_EQ(found.kind, LocalTimeKind::Unique) << what;
        EXPECT_EQ(found.offset.offsetSeconds, c.offsetSeconds) << what;
        EXPECT_EQ(found.offset.standardOffsetSeconds, c.standardOffsetSeconds) << what;
        EXPECT_EQ(found.offset.daylight, c.daylight) << what;
        EXPECT_EQ(found.offset.abbreviation, c.abbreviation) << what;
    }
}

struct EdgeCase {
    const char* zone;
    LocalDateTime local;
    LocalTimeKind kind;
    std::int32_t offsetSeconds;  // Unique: the offset; Repeated: the earlier; Missing: the one jumped from
    std::int32_t otherSeconds;   // Repeated: the later; Missing: the one jumped to
};

TEST(LookUpLocalTime, GapsAndRepeatsOnBothSides) {
    const EdgeCase cases[] = {
        // IANA tzdata (zone America/New_York): 2021-03-14 02:00 EST became 03:00 EDT.
        {"America/New_York", {2021, 3, 14, 1, 59, 59}, LocalTimeKind::Unique, -18000, 0},
        {"America/New_York", {2021, 3, 14, 2, 0, 0}, LocalTimeKind::Missing, -18000, -14400},
        {"America/New_York", {2021, 3, 14, 2, 59, 59}, LocalTimeKind::Missing, -18000, -14400},
        {"America/New_York", {2021, 3, 14, 3, 0, 0}, LocalTimeKind::Unique, -14400, 0},
        // IANA tzdata (zone America/New_York): 2021-11-07 02:00 EDT became 01:00 EST.
        {"America/New_York", {2021, 11, 7, 0, 59, 59}, LocalTimeKind::Unique, -14400, 0},
        {"America/New_York", {2021, 11, 7, 1, 0, 0}, LocalTimeKind::Repeated, -14400, -18000},
        {"America/New_York", {2021, 11, 7, 1, 59, 59}, LocalTimeKind::Repeated, -14400, -18000},
        {"America/New_York", {2021, 11, 7, 2, 0, 0}, LocalTimeKind::Unique, -18000, 0},
        // IANA tzdata (zone Pacific/Apia): 2011-12-29 24:00 at -10 became 2011-12-31 00:00 at +14.
        {"Pacific/Apia", {2011, 12, 29, 23, 59, 59}, LocalTimeKind::Unique, -36000, 0},
        {"Pacific/Apia", {2011, 12, 30, 0, 0, 0}, LocalTimeKind::Missing, -36000, 50400},
        {"Pacific/Apia", {2011, 12, 30, 23, 59, 59}, LocalTimeKind::Missing, -36000, 50400},
        {"Pacific/Apia", {2011, 12, 31, 0, 0, 0}, LocalTimeKind::Unique, 50400, 0},
        // IANA tzdata (zone Asia/Kathmandu): 1986-01-01 00:00 at +05:30 became 00:15 at +05:45.
        {"Asia/Kathmandu", {1986, 1, 1, 0, 0, 0}, LocalTimeKind::Missing, 19800, 20700},
        {"Asia/Kathmandu", {1986, 1, 1, 0, 14, 59}, LocalTimeKind::Missing, 19800, 20700},
        {"Asia/Kathmandu", {1986, 1, 1, 0, 15, 0}, LocalTimeKind::Unique, 20700, 0},
        // IANA tzdata (zone Australia/Lord_Howe): 2021-04-04 02:00 at +11 became 01:30 at +10:30.
        {"Australia/Lord_Howe", {2021, 4, 4, 1, 29, 59}, LocalTimeKind::Unique, 39600, 0},
        {"Australia/Lord_Howe", {2021, 4, 4, 1, 30, 0}, LocalTimeKind::Repeated, 39600, 37800},
        {"Australia/Lord_Howe", {2021, 4, 4, 1, 59, 59}, LocalTimeKind::Repeated, 39600, 37800},
        {"Australia/Lord_Howe", {2021, 4, 4, 2, 0, 0}, LocalTimeKind::Unique, 37800, 0},
        // IANA tzdata (zone Europe/Berlin): 1945-09-24 03:00 double summer time became 02:00 summer time.
        {"Europe/Berlin", {1945, 9, 24, 2, 30, 0}, LocalTimeKind::Repeated, 10800, 7200},
        // IANA tzdata (zone Asia/Kolkata): 1906-01-01 00:00 Madras time became 00:08:50 IST.
        {"Asia/Kolkata", {1906, 1, 1, 0, 8, 49}, LocalTimeKind::Missing, 19270, 19800},
        {"Asia/Kolkata", {1906, 1, 1, 0, 8, 50}, LocalTimeKind::Unique, 19800, 0},
        // IANA tzdata (zone Asia/Manila): 1844-12-30 24:00 at -15:56:08 became 1845-01-01 00:00 at +08:03:52.
        {"Asia/Manila", {1844, 12, 31, 12, 0, 0}, LocalTimeKind::Missing, -57368, 29032},
        // IANA tzdata (zone Europe/London): 1968-10-27 British Summer Time became British Standard Time
        // at the same offset: no gap and no repeat.
        {"Europe/London", {1968, 10, 27, 0, 30, 0}, LocalTimeKind::Unique, 3600, 0},
    };
    for (const auto& c : cases) {
        const LocalTimeInZone found = LookUpLocalTime(c.zone, c.local);
        const std::string what = std::string(c.zone) + " " + FormatLocalDateTime(c.local);
        ASSERT_EQ(found.kind, c.kind) << what;
        switch (c.kind) {
            case LocalTimeKind::Unique:
                EXPECT_EQ(found.offset.offsetSeconds, c.offsetSeconds) << what;
                break;
            case LocalTimeKind::Repeated:
                EXPECT_EQ(found.offset.offsetSeconds, c.offsetSeconds) << what;
                EXPECT_EQ(found.later.offsetSeconds, c.otherSeconds) << what;
                EXPECT_EQ(ChosenOffset(found, Fold::Earlier), found.offset) << what;
                EXPECT_EQ(ChosenOffset(found, Fold::Later), found.later) << what;
                break;
            default:
                EXPECT_EQ(found.jump.before.offsetSeconds, c.offsetSeconds) << what;
                EXPECT_EQ(found.jump.after.offsetSeconds, c.otherSeconds) << what;
                EXPECT_FALSE(ChosenOffset(found, Fold::Earlier)) << what;
                break;
        }
    }
}

TEST(LookUpLocalTime, NegativeDaylightSavingPastTheListedChanges) {
    // IANA tzdata (zone Europe/Dublin, linked as Eire), as zdump -v -c 2041,2042 and -c 2099,2100 print it: past the
    // changes its file lists (to 2037) the zone keeps its rule IST-1GMT0,M10.5.0,M3.5.0/1, winter GMT being daylight
    // saving (isdst=1) one hour below the standard IST; 2041-03-31 01:00 UT GMT became IST, 2041-10-27 01:00 UT IST
    // became GMT.
    const struct {
        LocalDateTime local;
        LocalTimeKind kind;
        std::int32_t offsetSeconds;  // Unique: the offset; Repeated: the earlier; Missing: the one jumped from
        std::int32_t otherSeconds;   // Repeated: the later; Missing: the one jumped to
        LocalDateTime jumpUt;        // Repeated and Missing: the change of the clocks, in UT
    } cases[] = {
        {{2041, 1, 15, 12, 0, 0}, LocalTimeKind::Unique, 0, 0, {}},
        {{2041, 7, 15, 12, 0, 0}, LocalTimeKind::Unique, 3600, 0, {}},
        {{2099, 1, 15, 12, 0, 0}, LocalTimeKind::Unique, 0, 0, {}},
        {{2099, 7, 15, 12, 0, 0}, LocalTimeKind::Unique, 3600, 0, {}},
        {{2041, 3, 31, 1, 30, 0}, LocalTimeKind::Missing, 0, 3600, {2041, 3, 31, 1, 0, 0}},
        {{2041, 10, 27, 1, 30, 0}, LocalTimeKind::Repeated, 3600, 0, {2041, 10, 27, 1, 0, 0}},
    };
    for (const char* zone : {"Europe/Dublin", "Eire"}) {
        for (const auto& c : cases) {
            const LocalTimeInZone found = LookUpLocalTime(zone, c.local);
            const std::string what = std::string(zone) + " " + FormatLocalDateTime(c.local);
            ASSERT_EQ(found.kind, c.kind) << what;
            const ZoneOffset& first = c.kind == LocalTimeKind::Missing ? found.jump.before : found.offset;
            const ZoneOffset& second = c.kind == LocalTimeKind::Missing ? found.jump.after : found.later;
            EXPECT_EQ(first.offsetSeconds, c.offsetSeconds) << what;
            EXPECT_EQ(first.daylight, c.offsetSeconds == 0) << what;
            EXPECT_EQ(first.standardOffsetSeconds, 3600) << what;
            EXPECT_EQ(first.abbreviation, c.offsetSeconds == 0 ? "GMT" : "IST") << what;
            if (c.kind == LocalTimeKind::Unique) continue;
            EXPECT_EQ(second.offsetSeconds, c.otherSeconds) << what;
            EXPECT_EQ(found.jump.utSeconds, SecondsSinceEpoch(c.jumpUt)) << what;
        }
    }
}

TEST(DescribeLocalTime, SaysWhenTheClocksChanged) {
    const struct {
        const char* zone;
        LocalDateTime local;
        const char* expected;
    } cases[] = {
        // IANA tzdata (zone Pacific/Apia): the whole of 2011-12-30 was skipped.
        {"Pacific/Apia", {2011, 12, 30, 12, 0, 0},
         "2011-12-30 12:00 does not exist in Pacific/Apia: the clocks jumped from 2011-12-29 23:59:59 (UTC-10:00) "
         "to 2011-12-31 00:00 (UTC+14:00)"},
        // IANA tzdata (zone America/New_York): 2021-11-07 02:00 EDT became 01:00 EST.
        {"America/New_York", {2021, 11, 7, 1, 30, 0},
         "2021-11-07 01:30 occurs twice in America/New_York: the clocks went back from 2021-11-07 01:59:59 "
         "(UTC-04:00) to 2021-11-07 01:00 (UTC-05:00); earlier UTC-04:00 EDT, later UTC-05:00 EST"},
        {"Asia/Kolkata", {2021, 2, 29, 12, 0, 0}, "2021-02-29 12:00 is not a valid date and time"},
        {"Asia/Calcutta_Old", {2021, 2, 1, 12, 0, 0}, "unknown time zone \"Asia/Calcutta_Old\""},
        {"Asia/Kolkata", {2021, 2, 1, 12, 0, 0}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeLocalTime(c.zone, c.local, LookUpLocalTime(c.zone, c.local)), c.expected) << c.zone;
    }
}

TEST(LookUpLocalTime, RefusesUnknownZonesAndInvalidTimes) {
    EXPECT_EQ(LookUpLocalTime("Mars/Olympus_Mons", {2000, 1, 1, 0, 0, 0}).kind, LocalTimeKind::UnknownZone);
    EXPECT_EQ(LookUpLocalTime("", {2000, 1, 1, 0, 0, 0}).kind, LocalTimeKind::UnknownZone);
    // Zone ids only: not POSIX rule strings, offsets, other spellings or other files.
    for (const char* id : {"../../etc/passwd", "XYZ3", "UTC+5", "+05:30", "asia/kolkata", "Asia/Kolkata ", "/Asia/Kolkata",
                           "Asia//Kolkata", "zone.tab", "tzdata.zi", "Asia"}) {
        EXPECT_FALSE(OpenTimeZone(id)) << id;
    }
    for (const char* id : {"Asia/Kolkata", "UTC", "America/Argentina/Buenos_Aires", "Etc/GMT-14", "EST5EDT"}) {
        EXPECT_TRUE(OpenTimeZone(id)) << id;
    }
    const LocalDateTime invalid[] = {
        {2021, 13, 1, 0, 0, 0}, {2021, 4, 31, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
        {2021, 1, 1, 24, 0, 0}, {2021, 1, 1, 0, 60, 0}, {2021, 1, 1, 0, 0, 60},
    };
    for (const auto& local : invalid) {
        EXPECT_EQ(LookUpLocalTime("Asia/Kolkata", local).kind, LocalTimeKind::InvalidTime) << FormatLocalDateTime(local);
    }
}

TEST(TransitionsBetween, NewYork2021) {
    // IANA tzdata (zone America/New_York): 2021-03-14 07:00 UT and 2021-11-07 06:00 UT.
    const std::optional<TimeZone> zone = OpenTimeZone("America/New_York");
    ASSERT_TRUE(zone);
    const std::int64_t from = SecondsSinceEpoch({2021, 1, 1, 0, 0, 0});
    const std::int64_t to = SecondsSinceEpoch({2022, 1, 1, 0, 0, 0});
    const std::vector<ZoneTransition> changes = TransitionsBetween(*zone, from, to);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].utSeconds, SecondsSinceEpoch({2021, 3, 14, 7, 0, 0}));
    EXPECT_EQ(changes[0].after.offsetSeconds, -14400);
    EXPECT_EQ(changes[1].utSeconds, SecondsSinceEpoch({2021, 11, 7, 6, 0, 0}));
    EXPECT_EQ(changes[1].after.offsetSeconds, -18000);
    EXPECT_EQ(OffsetAtUt(*zone, changes[1].utSeconds - 1).offsetSeconds, -14400);
    EXPECT_TRUE(TransitionsBetween(*zone, to, from).empty());
}

TEST(ZoneIds, ListsTheCompiledZonesOfTheFolderOnly) {
    // A folder standing in for the database: compiled zones (any file that starts "TZif"), the tables beside
    // them, and the copies and special files that are no zone of a place.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kalvora-zones-" + std::to_string(::getpid()));
    const struct {
        const char* path;
        const char* content;
    } files[] = {
        {"Asia/Kathmandu", "TZif2..."}, {"UTC", "TZif"},          {"America/Argentina/Salta", "TZif3"},
        {"zone.tab", "# tz zone descriptions"}, {"tzdata.zi", "# version"}, {"posix/Asia/Kathmandu", "TZif"},
        {"right/UTC", "TZif"},           {"posixrules", "TZif"}, {"localtime", "TZif"},
        {"Factory", "TZif"},             {"Etc/short", "TZ"},
    };
    for (const auto& f : files) {
        std::filesystem::create_directories((folder / f.path).parent_path());
        std::ofstream(folder / f.path, std::ios::binary) << f.content;
    }
    const char* saved = std::getenv("TZDIR");
    const std::string savedValue = saved != nullptr ? saved : "";
    ::setenv("TZDIR", folder.c_str(), 1);
    const std::vector<std::string> listed = ZoneIds();
    if (saved != nullptr) ::setenv("TZDIR", savedValue.c_str(), 1);
    else ::unsetenv("TZDIR");
    std::filesystem::remove_all(folder);
    EXPECT_EQ(listed, (std::vector<std::string>{"America/Argentina/Salta", "Asia/Kathmandu", "UTC"}));

    // The system's database: every id listed opens, and the zones of the places in the tests are there.
    const std::vector<std::string> system = ZoneIds();
    for (const char* id : {"Asia/Kathmandu", "Asia/Kolkata", "America/New_York", "Pacific/Apia", "UTC"}) {
        EXPECT_TRUE(std::ranges::binary_search(system, std::string(id))) << id;
    }
    for (const std::string& id : system) EXPECT_TRUE(OpenTimeZone(id)) << id;
}

TEST(OffsetText, SecondsOnlyWhenPresent) {
    const struct { std::int32_t seconds; const char* text; } cases[] = {
        {19800, "+05:30"}, {19270, "+05:21:10"}, {-14400, "-04:00"}, {0, "+00:00"},
        {50400, "+14:00"}, {-36000, "-10:00"}, {-1521, "-00:25:21"},
    };
    for (const auto& c : cases) EXPECT_EQ(OffsetText(c.seconds), c.text) << c.seconds;
}

TEST(LocalDateTimeAt, RoundTripsAcrossTheEpoch) {
    const LocalDateTime cases[] = {
        {1970, 1, 1, 0, 0, 0}, {1969, 12, 31, 23, 59, 59}, {1850, 1, 1, 12, 0, 0}, {2000, 2, 29, 6, 7, 8},
    };
    for (const auto& local : cases) EXPECT_EQ(LocalDateTimeAt(SecondsSinceEpoch(local)), local) << FormatLocalDateTime(local);
    EXPECT_EQ(SecondsSinceEpoch({1969, 12, 31, 23, 59, 59}), -1);
}

TEST(SplitIntoBoxes, AddUpToTheOffsetToTheMinute) {
    const struct {
        const char* what;
        ZoneOffset offset;
        ZoneBoxes boxes;
    } cases[] = {
        {"IST", {19800, 19800, false, "IST"}, {5, 30, true, false}},
        {"India war time: one hour of daylight saving", {23400, 19800, true, ""}, {5, 30, true, true}},
        {"EDT", {-14400, -18000, true, "EDT"}, {5, 0, false, true}},
        {"Berlin double summer time: two hours", {10800, 3600, true, "CEMT"}, {3, 0, true, false}},
        {"Lord Howe: half an hour", {39600, 37800, true, ""}, {11, 0, true, false}},
        {"Dublin winter: below standard", {0, 3600, true, "GMT"}, {0, 0, true, false}},
        {"Madras time rounds down to the minute", {19270, 19270, false, "MMT"}, {5, 21, true, false}},
        {"Calcutta local mean time rounds up", {21208, 21208, false, "LMT"}, {5, 53, true, false}},
        {"Dublin mean time, west", {-1521, -1521, false, "DMT"}, {0, 25, false, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitIntoBoxes(c.offset), c.boxes) << c.what;
        // The moment's zone fields hold the same boxes and daylight saving, and convert to the offset to the second.
        MomentInput moment;
        moment.zone = TypedZoneOf(c.offset);
        EXPECT_EQ(moment.zone.isEast, c.boxes.isEast) << c.what;
        EXPECT_EQ(moment.zone.isDst, c.boxes.daylight) << c.what;
        EXPECT_NEAR(ConvertMoment(moment).clock.effectiveZoneHours * 3600.0, c.offset.offsetSeconds, 1e-6) << c.what;
    }
}

TEST(ZoneNoteFor, BombayAndCalcuttaBeforeTheyTookIndianTime) {
    const struct {
        const char* what;
        double latitudeDeg, longitudeDeg;
        LocalDateTime local;
        bool warned;
    } cases[] = {
        {"Mumbai 1950", 19.07, 72.88, {1950, 6, 1, 12, 0, 0}, true},
        {"Mumbai 1955", 19.07, 72.88, {1955, 1, 1, 0, 0, 0}, false},
        {"Kolkata 1947", 22.56, 88.36, {1947, 12, 31, 23, 59, 0}, true},
        {"Kolkata 1948", 22.56, 88.36, {1948, 1, 1, 0, 0, 0}, false},
        {"Pune 1950, outside Bombay", 18.52, 73.86, {1950, 6, 1, 12, 0, 0}, false},
        {"Chennai 1930", 13.09, 80.28, {1930, 6, 1, 12, 0, 0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(!ZoneNoteFor(c.latitudeDeg, c.longitudeDeg, c.local).empty(), c.warned) << c.what;
    }
    EXPECT_EQ(ZoneNoteFor(19.07, 72.88, {1950, 6, 1, 12, 0, 0}),
              "Bombay kept its own local time (about UTC+04:51) until 1955; the local time may have differed.");
    EXPECT_EQ(ZoneNotes.size(), 2u);
}

TEST(ZonePeriodName, NamesTheTimesAbbreviationsDoNotName) {
    const struct {
        const char* zone;
        LocalDateTime local;
        const char* name;
    } cases[] = {
        // IANA tzdata (zone Asia/Kolkata): war time +06:30, but IST in the summer of 1942.
        {"Asia/Kolkata", {1943, 3, 10, 6, 0, 0}, "war time"},
        {"Asia/Kolkata", {1942, 6, 10, 6, 0, 0}, ""},
        {"Asia/Kolkata", {1946, 3, 10, 6, 0, 0}, ""},
        // IANA tzdata (zone Europe/London): double summer time in 1944, British Standard Time in 1969.
        {"Europe/London", {1944, 6, 1, 12, 0, 0}, "double summer time"},
        {"Europe/London", {1944, 12, 1, 12, 0, 0}, ""},
        {"Europe/London", {1969, 1, 15, 12, 0, 0}, "British Standard Time"},
        {"Europe/London", {1972, 7, 1, 12, 0, 0}, ""},
        // IANA tzdata (zone Europe/Berlin): double summer time from 24 May 1945.
        {"Europe/Berlin", {1945, 6, 15, 12, 0, 0}, "double summer time"},
        {"Europe/Berlin", {1945, 5, 1, 12, 0, 0}, ""},
    };
    for (const auto& c : cases) {
        const LocalTimeInZone found = LookUpLocalTime(c.zone, c.local);
        ASSERT_EQ(found.kind, LocalTimeKind::Unique) << c.zone << " " << FormatLocalDateTime(c.local);
        EXPECT_EQ(ZonePeriodName(c.zone, c.local, found.offset), c.name) << c.zone << " " << FormatLocalDateTime(c.local);
    }
    EXPECT_EQ(ZonePeriods.size(), 5u);
    for (const ZonePeriod& period : ZonePeriods) {
        EXPECT_TRUE(OpenTimeZone(period.zoneId)) << period.zoneId;
        EXPECT_LT((LocalDateTime{period.fromYear, period.fromMonth, period.fromDay, 0, 0, 0}),
                  (LocalDateTime{period.untilYear, period.untilMonth, period.untilDay, 0, 0, 0}))
            << period.zoneId << " " << period.name;
    }
}

}  // namespace
}  // namespace kalvora
