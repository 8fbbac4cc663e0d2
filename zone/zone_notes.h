#pragma once
// The table of regions whose own local time the zone database folds into a wider zone.

#include <array>
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

}  // namespace kalvora
