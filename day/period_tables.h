#pragma once
// The tables of the periods of the day: which eighth of the daytime each weekday gives to Rahu kalam, Yamaganda
// and Gulika, which of the fifteen muhurtas are the weekday's Durmuhurtas, the seven choghadiyas and the order of
// the hora lords. Rows are indexed by weekday - 1 (Sunday first); planets are bodies of the body table.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "astro/tables.h"

namespace kalvora {


// The seven choghadiyas.
enum class Choghadiya : std::uint8_t { Udveg, Chal, Labh, Amrit, Kaal, Shubh, Rog };

// One weekday's eighths of the daytime (1 = the eighth that begins at sunrise .. 8 = the one that ends at sunset).
struct WeekdayEighths {
    std::uint8_t rahuKalam, yamaganda, gulika;
};

// Rahu kalam, Yamaganda and Gulika by weekday, Sunday .. Saturday. Source: the daily sheet calendars of South India,
// which print them for a 6:00 sunrise in eighths of 1 h 30 min, as tabulated in spiritofchennai.com, "Rahu Kalam,
// Yama Gandam" (Rahu kalam 16:30, 7:30, 15:00, 12:00, 13:30, 10:30, 9:00; Yamaganda 12:00, 10:30, 9:00, 7:30, 6:00,
// 15:00, 13:30; Gulika 15:00, 13:30, 12:00, 10:30, 9:00, 7:30, 6:00). The Rahu kalam column is the one every
// almanac agrees on; a Saturday Yamaganda of 14:30 seen in one copied list is a misprint of 13:30 (it is not an
// eighth of the day).
inline constexpr auto KalamEighths = std::to_array<WeekdayEighths>({
    {8, 5, 7},  // Sunday
    {2, 4, 6},  // Monday
    {7, 3, 5},  // Tuesday
    {5, 2, 4},  // Wednesday
    {6, 1, 3},  // Thursday
    {4, 7, 2},  // Friday
    {3, 6, 1},  // Saturday
});

// One weekday's Durmuhurtas: up to two of the fifteen muhurtas of the daytime and one of the fifteen of the night
// (1 = the muhurta that begins at sunrise, or at sunset for the night; 0 = none).
struct DurmuhurtaRow {
    std::array<std::uint8_t, 2> dayMuhurtas;
    std::uint8_t nightMuhurta;
};

// Durmuhurtas by weekday, Sunday .. Saturday, the table the North Indian almanacs print daily: Sunday the 14th
// (Aryaman), Monday the 9th and 12th, Tuesday the 4th and the 7th muhurta of the night, Wednesday the 8th, Thursday
// the 6th and 12th, Friday the 4th and 9th, Saturday the 1st and 2nd. Sunday's agrees with the list of the thirty
// muhurtas of day and night (Wikipedia, "Muhurta": Aryaman good "except Sundays"). That list also marks Vidhi, the
// 8th, bad on Monday and Friday; it is not followed here, because the almanacs' daily Abhijit and Durmuhurta
// entries use the weekday table above instead.
inline constexpr auto DurmuhurtaTable = std::to_array<DurmuhurtaRow>({
    {{14, 0}, 0},   // Sunday
    {{9, 12}, 0},   // Monday
    {{4, 0}, 7},    // Tuesday
    {{8, 0}, 0},    // Wednesday
    {{6, 12}, 0},   // Thursday
    {{4, 9}, 0},    // Friday
    {{1, 2}, 0},    // Saturday
});

// Abhijit is the 8th of the fifteen daytime muhurtas (the one around local noon). On Wednesday that muhurta is the
// day's Durmuhurta (table above), so, with the almanacs that print "none" for Abhijit on Wednesdays, there is none.
inline constexpr std::uint8_t AbhijitMuhurta = 8;
inline constexpr int AbsentAbhijitWeekday = 4;  // Wednesday

// One choghadiya: its name, whether it is good for a beginning, and its ruling planet (the planet whose hora
// sequence the choghadiyas follow).
struct ChoghadiyaRow {
    std::string_view name;
    bool good;
    Body ruler;
};

// The seven choghadiyas, in enum order. Good: Amrit, Shubh, Labh and Chal (Chal, "moving", is counted good, as the
// Gujarati almanacs that list four good choghadiyas do; some call it middling); bad: Udveg, Kaal, Rog. Rulers as in
// the same almanacs: Udveg Sun, Chal Venus, Labh Mercury, Amrit Moon, Kaal Saturn, Shubh Jupiter, Rog Mars.
inline constexpr auto ChoghadiyaTable = std::to_array<ChoghadiyaRow>({
    {"Udveg", false, Body::Sun},
    {"Chal", true, Body::Venus},
    {"Labh", true, Body::Mercury},
    {"Amrit", true, Body::Moon},
    {"Kaal", false, Body::Saturn},
    {"Shubh", true, Body::Jupiter},
    {"Rog", false, Body::Mars},
});

// The order of the planets ruling successive horas (and choghadiyas): the Chaldean order, from the slowest planet
// to the fastest (Surya Siddhanta, ch. 12, on the lords of the hours). Each hora's lord is the next in this list.
inline constexpr auto ChaldeanOrder = std::to_array<Body>({
    Body::Saturn, Body::Jupiter, Body::Mars, Body::Sun, Body::Venus, Body::Mercury, Body::Moon,
});

// The lords of the weekdays, Sunday .. Saturday: the first hora of each day is its lord's.
inline constexpr auto WeekdayLords = std::to_array<Body>({
    Body::Sun, Body::Moon, Body::Mars, Body::Mercury, Body::Jupiter, Body::Venus, Body::Saturn,
});

// The daytime choghadiyas begin at sunrise with the weekday lord's choghadiya; the night ones begin at sunset with
// that of the lord of the fifth weekday counted from this one (Sunday night: Thursday's lord, Jupiter, Shubh).
// Both then run on through the Chaldean order, eight to the day and eight to the night (Gujarati almanacs' day and
// night choghadiya tables, e.g. gujarati.webdunia.com "Choghadia": Sunday day Udveg, Chal, Labh, Amrit, Kaal, Shubh,
// Rog, Udveg; Sunday night Shubh, Amrit, Chal, Rog, Kaal, Labh, Udveg, Shubh).
inline constexpr int NightChoghadiyaWeekdayStep = 4;
// Successive night choghadiyas step this far through the Chaldean order (Jupiter, Moon, Venus, Mars ...).
inline constexpr int NightChoghadiyaChaldeanStep = 5;

// The periods a beginning avoids, and their names as the day's texts show them.
enum class InauspiciousPeriod : std::uint8_t { RahuKalam, Yamaganda, Gulika, Durmuhurta };
inline constexpr auto InauspiciousPeriodNames =
    std::to_array<std::string_view>({"Rahu kalam", "Yamaganda", "Gulika", "Durmuhurta"});

// The name of a planet or a choghadiya, for the report and JSON boundary.
constexpr std::string_view NameOf(InauspiciousPeriod period) {
    return InauspiciousPeriodNames[static_cast<std::size_t>(period)];
}
constexpr const ChoghadiyaRow& RowOf(Choghadiya choghadiya) {
    return ChoghadiyaTable[static_cast<std::size_t>(choghadiya)];
}

}  // namespace kalvora
