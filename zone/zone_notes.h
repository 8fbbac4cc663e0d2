#pragma once
// The table of regions whose own local time the zone database folds into a wider zone.

#include <array>
#include <cstdint>
#include <string_view>

namespace kalvora {

// A circle around a city, the first date on which the city's clocks kept the zone's time, and the
// warning shown for earlier dates there.
struct ZoneNote {
    std::string_view region;
    double latitudeDeg;   // north positive
    double longitudeDeg;  // east positive
    double radiusKm;
    int untilYear, untilMonth, untilDay;
    std::string_view warning;
};

// Both cities lie in the zone Asia/Kolkata, which gives them Madras time before 1906 and Indian Standard
// Time after, while their clocks kept the cities' own times.
inline constexpr auto ZoneNotes = std::to_array<ZoneNote>({
    // Source: Bombay Time, 38 min 50 s behind Indian Standard Time (+04:51:10), kept by the Bombay
    // Municipal Corporation and most of the city until 1955 (histories of Bombay Time and of Indian
    // Standard Time). Circle: the island city and its suburbs.
    {"Bombay", 18.96, 72.83, 40.0, 1955, 1, 1,
     "Bombay kept its own local time (about UTC+04:51) until 1955; the local time may have differed."},
    // Source: Calcutta Time (+05:53:20), one of the two zones of British India from 1884, remained in
    // effect after Indian Standard Time was adopted on 1 January 1906, until 1948 (Indian Railways Fan
    // Club, "Odds and Ends"). Circle: Calcutta, Howrah and the river towns around them.
    {"Calcutta", 22.57, 88.36, 40.0, 1948, 1, 1,
     "Calcutta kept its own local time (about UTC+05:53:20) until 1948; the local time may have differed."},
});

// A name for a period of a zone's history that its abbreviation does not give ("+0630" in India's war
// years) or gives ambiguously (Britain's "BST" of 1968-71 was standard time, not summer time), for the
// zone line of the pages.
struct ZonePeriod {
    std::string_view zoneId;
    int fromYear, fromMonth, fromDay;     // local date of the first day
    int untilYear, untilMonth, untilDay;  // local date of the first day after
    std::int32_t offsetSeconds;           // the offset the name belongs to
    std::string_view name;
};

inline constexpr auto ZonePeriods = std::to_array<ZonePeriod>({
    // IANA tzdata (zone Asia/Kolkata): +06:30 from 1941-10-01 to 1945-10-15, with IST from 1942-05-15 to
    // 1942-09-01; kept as war time.
    {"Asia/Kolkata", 1941, 10, 1, 1945, 10, 15, 23400, "war time"},
    // IANA tzdata (zone Asia/Karachi): +06:30 from 1942-09-01 to 1945-10-15, the same war time.
    {"Asia/Karachi", 1942, 9, 1, 1945, 10, 15, 23400, "war time"},
    // IANA tzdata (zone Europe/London): BDST, two hours ahead of GMT, in the summers of 1941 to 1945 and 1947.
    {"Europe/London", 1941, 1, 1, 1948, 1, 1, 7200, "double summer time"},
    // IANA tzdata (zone Europe/London): BST kept as standard time all year from 1968-10-27 to 1971-10-31.
    {"Europe/London", 1968, 10, 27, 1971, 10, 31, 3600, "British Standard Time"},
    // IANA tzdata (zone Europe/Berlin): CEMT, three hours ahead of UT, in the summers of 1945 and 1947.
    {"Europe/Berlin", 1945, 1, 1, 1948, 1, 1, 10800, "double summer time"},
});

}  // namespace kalvora
