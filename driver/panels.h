#pragma once
// The rows of the two details panels: headings and the composed value texts, shared by the window and the
// command line.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "driver/calculation.h"
#include "driver/day_view.h"
#include "driver/limbs.h"

namespace kalvora {

inline constexpr std::size_t PanelRowCount = 13;

inline constexpr auto BirthPanelHeadings = std::to_array<std::string_view>({
    "Name", "Date of Birth", "Time of Birth", "Place of Birth", "Rashi", "Rashi Lord", "Nakshatra",
    "Nakshatra Lord", "Lagna", "Tithi", "Yoga", "Karana", "Vaar"});
static_assert(BirthPanelHeadings.size() == PanelRowCount);

inline constexpr auto MuhurthaPanelHeadings = std::to_array<std::string_view>({
    "Name", "Muhurtha Date", "Muhurtha Time", "Place of Muhurtha", "Muhurtha Rashi", "Muhurtha Rashi Lord",
    "Muhurtha Nakshatra", "Muhurtha Nakshatra Lord", "Muhurtha Lagna", "Muhurtha Tithi", "Muhurtha Yoga",
    "Muhurtha Karana", "Muhurtha Vaar"});
static_assert(MuhurthaPanelHeadings.size() == PanelRowCount);

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

// The rows of a details panel that show a limb, in the order of Limbs: tithi, nakshatra, yoga, karana.
inline constexpr auto LimbPanelRows = std::to_array<std::size_t>({9, 6, 10, 11});
static_assert(LimbPanelRows.size() == LimbCount);

// A clock minute as "14:32", or "9 Mar 14:32" when it falls on another local date than the reference date.
std::string ShortClockText(ClockMinute minute, const LocalDate& reference);
// When a limb's value ends, seen from a moment: "until 14:32", or "until 9 Mar 14:32" on another date.
std::string UntilText(const LimbSpan& span, ClockMinute moment);
// The "until" texts of a details panel by row: the four limb rows filled, the others empty.
std::array<std::string, PanelRowCount> PanelUntilTexts(const std::array<LimbSpan, LimbCount>& limbs,
                                                       const MomentInput& moment);

// The texts of the Day tab for the day around a chosen moment.
struct DayLine {
    std::string heading;  // "Sunrise", "Rahu kalam"
    std::string text;     // "06:58", "10:30 – 12:00"
    bool holdsChosen = false;  // the period holds the chosen minute
    bool operator==(const DayLine&) const = default;
};
struct DayRow {
    std::string name;    // limb value, choghadiya or hora lord
    std::string detail;  // limb heading, "good" / "bad", or "" for a hora
    std::string start, end;
    bool good = false;   // a good choghadiya
    bool holdsChosen = false;  // the value or part holds the chosen minute
    bool operator==(const DayRow&) const = default;
};
struct DayPanelTexts {
    std::string title;    // "Tuesday, 8 December 2026"
    std::string span;     // what the day runs over: sunrise to the next sunrise, or midnight to midnight
    std::string sunNote;  // said where the Sun does not rise or set, else ""
    std::string chosen;   // where the chosen minute stands: an avoided period it falls in, or outside the day
    bool chosenAvoided = false;  // the chosen minute falls in Rahu kalam, Yamaganda, Gulika or a Durmuhurta
    std::vector<DayLine> sun;        // sunrise, sunset, next sunrise, weekday
    std::vector<DayRow> limbs;       // every value of each limb current during the day, tithi first
    std::vector<DayLine> periods;    // Rahu kalam .. Durmuhurtas; none without sunrise and sunset
    std::vector<DayRow> choghadiyas; // 16, or none
    std::vector<DayRow> horas;       // 24, or none
    std::vector<DayRow> lagnas;      // each sign of the ascendant during the day, the dates shown where they differ
    // Varjyam, Amrit kalam, Bhadra and Panchaka: a line for each span, or one saying "none" for a kind without any.
    std::vector<DayLine> marked;
};

// The day in sentences, for a screen reader reading the drawing of the day: the sun's times, the periods, each
// limb's values and the rest of the day's table, each with its times.
std::string DayDescriptionOf(const DayPanelTexts& texts);

// The avoided periods of a day with their spans, in time order of kind: Rahu kalam, Yamaganda, Gulika, then each
// Durmuhurta.
std::vector<std::pair<InauspiciousPeriod, TimeSpan>> AvoidedSpans(const DayPeriods& periods);

DayPanelTexts DayPanelTextsOf(const DayView& day, const MomentInput& chosen);

// The season of a day as the Day tab, the day's text and the report show it.
struct SeasonTexts {
    std::string months;  // "Adhika Jyaistha (amanta), Jyaistha (purnimanta)"
    std::string years;   // "Vikram 2083, Shaka 1948, Parabhava"
    struct VetoLine {
        std::string name;        // "Guru asta"
        std::string what;        // "Jupiter is combust"
        ClockMinute start = 0;   // the first minute in force
        ClockMinute end = 0;     // the first minute no longer in force
    };
    std::vector<VetoLine> vetoes;    // every veto in force at some minute of the day, whole, by start
    std::string note;            // how combustion is dated, where a combustion span is listed; else ""
};
SeasonTexts SeasonTextsOf(const DaySeason& season);

// The ayanamsa named with its value at a moment, "Raman, 22°46'12\"" (whole seconds of arc), when it is another
// than the program's own Lahiri or comes from the precise ephemeris; "" for the program's own, which the details
// and the appendix do not name.
std::string AyanamsaText(Reckoning reckoning, double jdUt);

}  // namespace kalvora
