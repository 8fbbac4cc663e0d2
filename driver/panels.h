#pragma once
// The rows of the two details panels: headings and the composed value texts, shared by the window and the
// command line.

#include <array>
#include <string>
#include <string_view>

#include "driver/calculation.h"

namespace kalvora {

inline constexpr std::size_t PanelRowCount = 13;

inline constexpr std::array<std::string_view, PanelRowCount> BirthPanelHeadings = {
    "Name", "Date of Birth", "Time of Birth", "Place of Birth", "Rashi", "Rashi Lord", "Nakshatra",
    "Nakshatra Lord", "Lagna", "Tithi", "Yoga", "Karana", "Vaar"};

inline constexpr std::array<std::string_view, PanelRowCount> MuhurthaPanelHeadings = {
    "Name", "Muhurtha Date", "Muhurtha Time", "Place of Muhurtha", "Muhurtha Rashi", "Muhurtha Rashi Lord",
    "Muhurtha Nakshatra", "Muhurtha Nakshatra Lord", "Muhurtha Lagna", "Muhurtha Tithi", "Muhurtha Yoga",
    "Muhurtha Karana", "Muhurtha Vaar"};

// The place as typed: city, state and country joined by single blanks (empty parts are not skipped).
struct PlaceText {
    std::string city, state, country;
};

// "January 1 1990 MM:DD:YYYY"
std::string PanelDateText(int month, int day, int year);
// "10 5 HH:MM" (no leading zeros)
std::string PanelTimeText(int hour, int minute);
std::string PanelPlaceText(const PlaceText& place);

// One row of a details panel's planets block.
struct PlanetRow {
    std::string_view body;       // "Sun" .. "Ketu"
    std::string_view sign;       // Sanskrit sign name
    std::string degrees;         // degrees and minutes within the sign, "16°30'"
    std::string_view nakshatra;
    bool retrograde = false;     // shown as "R"
};

// The planets block of a moment: the nine bodies, Sun to Ketu.
std::array<PlanetRow, BodyNames.size()> PlanetRows(const Sky& sky);

// One row as a line of text: body, sign, degrees, nakshatra and " R" when retrograde, in aligned columns.
std::string PlanetRowText(const PlanetRow& row);

// The thirteen values of a details panel, top to bottom: name, date, time, place, then the nine names.
std::array<std::string, PanelRowCount> PanelValues(const std::string& name, const MomentInput& moment,
                                                   const PlaceText& place, const MomentDetails& details);

}  // namespace kalvora
