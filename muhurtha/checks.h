#pragma once
// The checks the rule sets call before the factors that read them: the special yogas of weekday with tithi or
// nakshatra, the lagna and planet checks, the Hindu lunar month of a date, and the age of a child.
// Names are compared exactly (case-sensitive, whole string).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

// --- Special yogas -------------------------------------------------------------------------------------------

// Tithi class with weekday: Nanda-Friday, Bhadra-Wednesday, Jaya-Tuesday, Rikta-Saturday, Poorna-Thursday.
bool SiddhaYogaCheck(std::string_view tithiClass, std::string_view weekday);
// The nakshatra is one of the weekday's set.
bool SarvarthaSiddhaYogaCheck(std::string_view nakshatra, std::string_view weekday);

struct AmritaSiddhi {
    bool present = false;
    std::string_view note;  // "", or "Not Favourable for Griha Pravesha" / "... for Marriage" / "... for Travel"
};
// One nakshatra per weekday; three of the pairs carry a note.
AmritaSiddhi AmritaSiddhiYogaCheck(std::string_view nakshatra, std::string_view weekday);

// Nakshatra, tithi name and weekday each in their set.
bool DvipushkarYogaCheck(std::string_view nakshatra, std::string_view tithiName, std::string_view weekday);
bool TripushkarYogaCheck(std::string_view nakshatra, std::string_view tithiName, std::string_view weekday);

// The tithi name is one of the weekday's set.
bool MrityuYogaCheck(std::string_view tithiName, std::string_view weekday);
// One nakshatra per weekday.
bool DagdhaYogaCheck(std::string_view nakshatra, std::string_view weekday);
bool YamaghataYogaCheck(std::string_view nakshatra, std::string_view weekday);

// --- Lagna and planets ---------------------------------------------------------------------------------------

// Signs counted forward from the birth lagna to the muhurtha lagna, 1..12 (12 for the same sign, and when the
// muhurtha lagna is not a sign name; an unknown birth lagna counts from before "Mesha").
int LagnaHouseCount(std::string_view birthLagna, std::string_view muhurthaLagna);

// Minutes into the table of rising signs for a muhurtha date and typed time: the month's offset, four minutes
// per day of the month, 60 per hour, plus the minutes, brought back into 0..1440.
int RisingTableMinutes(int month, int day, int hour, int minute);

// The sign abbreviation a planet text holds in its characters 4 to 6 ("" when the text is shorter).
std::string_view PlanetSignAbbreviation(std::string_view planetText);

struct PlanetPlacement {
    int minutes = 0;                  // the table time of RisingTableMinutes
    std::string_view lagnaName;       // table lagna, "Mesha" .. "Meena"
    int lagnaPosition = 0;            // 1..12
    std::string_view lagnaAbbreviation;
    std::string_view tenthAbbreviation;         // the tenth sign from the table lagna
    std::vector<std::string> tenthHousePlanets;  // planets whose text holds the tenth sign, in planet order
    bool jupiterInLagna = false;
};

// Table lagna of the muhurtha's month, day and typed time, and the planets placed against it. The seven planet
// texts are those of Sun, Moon, Mercury, Venus, Mars, Jupiter and Saturn; empty texts match no sign.
PlanetPlacement PlanetPlacementCheck(int month, int day, int hour, int minute,
                                     const std::array<std::string, 7>& planetTexts);

// Jupiter's sign position and the table lagna position differ by exactly 9 (a Jupiter text without a sign
// abbreviation never does).
bool JupiterNinthCheck(std::string_view jupiterText, int lagnaPosition);

// --- Lunar month ---------------------------------------------------------------------------------------------

// The Hindu month of a calendar month name ("January" .. "December") and day of month; std::nullopt when the
// month name matches no row (the caller then keeps its previous month).
std::optional<std::string> LunarMonthCheck(std::string_view monthName, int day);

// --- Age of a child ------------------------------------------------------------------------------------------

struct ChildAge {
    std::int32_t days = 0;    // whole civil days from the birth date to the muhurtha date
    std::int32_t months = 0;  // 12 x year difference + month difference
    std::int32_t years = 0;   // difference of the year numbers
};
ChildAge AgeAt(int birthYear, int birthMonth, int birthDay, int muhurthaYear, int muhurthaMonth, int muhurthaDay);

}  // namespace kalvora
