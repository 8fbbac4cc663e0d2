// Special yogas, lagna and planet checks, the lunar month of a date, and the age of a child.

#include "muhurtha/checks.h"

#include <cstdlib>

#include "astro/local_time.h"
#include "muhurtha/names.h"

namespace kalvora {
namespace {

using names::Mask;
using names::MaskOf;

constexpr Mask Nakshatras(std::initializer_list<std::string_view> list) { return MaskOf(names::Nakshatras, list); }
constexpr Mask Tithis(std::initializer_list<std::string_view> list) { return MaskOf(names::TithiRuleNames, list); }
constexpr Mask Weekdays(std::initializer_list<std::string_view> list) { return MaskOf(names::Weekdays, list); }

bool NakshatraIn(Mask mask, std::string_view nakshatra) {
    return names::InMask(mask, names::IndexOf(names::Nakshatras, nakshatra));
}
bool TithiIn(Mask mask, std::string_view tithiName) {
    return names::InMask(mask, names::IndexOf(names::TithiRuleNames, tithiName));
}
bool WeekdayIn(Mask mask, std::string_view weekday) {
    return names::InMask(mask, names::IndexOf(names::Weekdays, weekday));
}

// Siddha yoga: a tithi class on its weekday (5 rows).
struct ClassOnWeekday {
    std::string_view tithiClass;
    std::string_view weekday;
};
constexpr auto SiddhaRows = std::to_array<ClassOnWeekday>({
    {"Nanda", "Friday"},
    {"Bhadra", "Wednesday"},
    {"Jaya", "Tuesday"},
    {"Rikta", "Saturday"},
    {"Poorna", "Thursday"},
});
static_assert(SiddhaRows.size() == 5);

// Sarvartha Siddha yoga: the nakshatras of each weekday (7 rows).
struct WeekdayNakshatras {
    std::string_view weekday;
    Mask nakshatras;
};
constexpr auto SarvarthaSiddhaRows = std::to_array<WeekdayNakshatras>({
    {"Monday", Nakshatras({"Shravana", "Rohini", "Mrigasira", "Pushya", "Anuradha"})},
    {"Tuesday", Nakshatras({"Ashwini", "Uttara Bhadrapada", "Krittika", "Ashlesha"})},
    {"Wednesday", Nakshatras({"Rohini", "Anuradha", "Hasta", "Krittika", "Mrigasira"})},
    {"Thursday", Nakshatras({"Revati", "Anuradha", "Ashwini", "Punarvasu", "Pushya"})},
    {"Friday", Nakshatras({"Revati", "Anuradha", "Ashwini", "Punarvasu", "Shravana"})},
    {"Saturday", Nakshatras({"Shravana", "Rohini", "Swati"})},
    {"Sunday", Nakshatras({"Hasta", "Moola", "Uttara Ashadha", "Uttara Phalguni", "Uttara Bhadrapada", "Ashwini",
                           "Pushya"})},
});
static_assert(SarvarthaSiddhaRows.size() == 7);

// Amrita Siddhi yoga: one nakshatra per weekday, three with a note (7 rows).
struct AmritaRow {
    std::string_view weekday;
    std::string_view nakshatra;
    std::string_view note;
};
constexpr auto AmritaSiddhiRows = std::to_array<AmritaRow>({
    {"Sunday", "Hasta", ""},
    {"Monday", "Mrigasira", ""},
    {"Tuesday", "Ashwini", "Not Favourable for Griha Pravesha"},
    {"Wednesday", "Anuradha", ""},
    {"Thursday", "Pushya", "Not Favourable for Marriage"},
    {"Friday", "Revati", ""},
    {"Saturday", "Rohini", "Not Favourable for Travel"},
});
static_assert(AmritaSiddhiRows.size() == 7);

// Dvipushkar and Tripushkar yogas share their tithis and weekdays and differ in the nakshatras.
constexpr Mask PushkarTithis = Tithis({"Dwitiya", "Saptami", "Dwadashi"});
constexpr Mask PushkarWeekdays = Weekdays({"Sunday", "Tuesday", "Saturday"});
constexpr Mask DvipushkarNakshatras = Nakshatras({"Dhanistha", "Chitra", "Mrigasira"});
constexpr Mask TripushkarNakshatras =
    Nakshatras({"Krittika", "Punarvasu", "Uttara Phalguni", "Vishakha", "Uttara Ashadha", "Uttara Bhadrapada"});

bool PushkarHolds(Mask nakshatras, std::string_view nakshatra, std::string_view tithiName, std::string_view weekday) {
    return NakshatraIn(nakshatras, nakshatra) && TithiIn(PushkarTithis, tithiName) &&
           WeekdayIn(PushkarWeekdays, weekday);
}

// Mrityu yoga: the tithis of each weekday (5 rows; two rows serve two weekdays).
struct WeekdaysTithis {
    Mask weekdays;
    Mask tithis;
};
constexpr auto MrityuRows = std::to_array<WeekdaysTithis>({
    {Weekdays({"Sunday", "Tuesday"}), Tithis({"Pratipada", "Shasthi", "Ekadashi"})},
    {Weekdays({"Monday", "Friday"}), Tithis({"Saptami", "Dwadashi"})},
    {Weekdays({"Wednesday"}), Tithis({"Tritiya", "Ashtami", "Triyodashi"})},
    {Weekdays({"Thursday"}), Tithis({"Chaturthi", "Navami", "Chaturdashi"})},
    {Weekdays({"Saturday"}), Tithis({"Panchami", "Dashami", "Purnima"})},
});
static_assert(MrityuRows.size() == 5);

// Dagdha and Yamaghata yogas: one nakshatra per weekday (7 rows each).
struct WeekdayNakshatra {
    std::string_view weekday;
    std::string_view nakshatra;
};
constexpr auto DagdhaRows = std::to_array<WeekdayNakshatra>({
    {"Sunday", "Bharani"}, {"Monday", "Chitra"}, {"Tuesday", "Uttara Ashadha"}, {"Wednesday", "Dhanistha"},
    {"Thursday", "Uttara Phalguni"}, {"Friday", "Jyeshtha"}, {"Saturday", "Revati"},
});
constexpr auto YamaghataRows = std::to_array<WeekdayNakshatra>({
    {"Sunday", "Magha"}, {"Monday", "Vishakha"}, {"Tuesday", "Ardra"}, {"Wednesday", "Moola"},
    {"Thursday", "Krittika"}, {"Friday", "Rohini"}, {"Saturday", "Hasta"},
});
static_assert(DagdhaRows.size() == 7 && YamaghataRows.size() == 7);

bool PairListed(const std::array<WeekdayNakshatra, 7>& rows, std::string_view nakshatra, std::string_view weekday) {
    for (const auto& row : rows) {
        if (row.weekday == weekday && row.nakshatra == nakshatra) return true;
    }
    return false;
}

// Offset of each calendar month into the table of rising signs, in minutes (January first).
constexpr auto MonthOffsetMinutes = std::to_array<int>({726, 850, 996, 1086, 1208, 1327, 6, 126, 250, 366, 491, 604});
static_assert(MonthOffsetMinutes.size() == 12);

// Table of rising signs: the sign rises until the given minute (each range starts just after the previous
// row's end); the tenth sign from it. Meena wraps round midnight (13 rows).
struct RisingSign {
    int untilMinutes;
    int position;       // 1..12
    int tenthPosition;  // 1..12
};
constexpr auto RisingSigns = std::to_array<RisingSign>({
    {76, 12, 9},
    {181, 1, 10},
    {302, 2, 11},
    {434, 3, 12},
    {566, 4, 1},
    {691, 5, 2},
    {818, 6, 3},
    {949, 7, 4},
    {1083, 8, 5},
    {1208, 9, 6},
    {1319, 10, 7},
    {1419, 11, 8},
    {1440, 12, 9},
});
static_assert(RisingSigns.size() == 13);

// Hindu month by calendar month: the change-over day and the months up to it and after it (12 rows).
struct LunarMonthRow {
    std::string_view calendarMonth;
    int changeOverDay;
    std::string_view upToChangeOver;
    std::string_view afterChangeOver;
};
constexpr auto LunarMonthRows = std::to_array<LunarMonthRow>({
    {"January", 21, "Magha", "Falguna"},
    {"February", 20, "Falguna", "Chaitra"},
    {"March", 22, "Chaitra", "Vaisakha"},
    {"April", 21, "Vaisakha", "Jyaistha"},
    {"May", 22, "Jyaistha", "Asadha"},
    {"June", 22, "Asadha", "Shravana"},
    {"July", 23, "Shravana", "Bhadra"},
    {"August", 23, "Bhadra", "Asvina"},
    {"September", 23, "Asvina", "Kartika"},
    {"October", 23, "Kartika", "Agrahayana"},
    {"November", 22, "Agrahayana", "Pausa"},
    {"December", 22, "Pausa", "Magha"},
});
static_assert(LunarMonthRows.size() == 12);

}  // namespace

bool SiddhaYogaCheck(std::string_view tithiClass, std::string_view weekday) {
    for (const auto& row : SiddhaRows) {
        if (row.tithiClass == tithiClass && row.weekday == weekday) return true;
    }
    return false;
}

bool SarvarthaSiddhaYogaCheck(std::string_view nakshatra, std::string_view weekday) {
    for (const auto& row : SarvarthaSiddhaRows) {
        if (row.weekday == weekday && NakshatraIn(row.nakshatras, nakshatra)) return true;
    }
    return false;
}

AmritaSiddhi AmritaSiddhiYogaCheck(std::string_view nakshatra, std::string_view weekday) {
    for (const auto& row : AmritaSiddhiRows) {
        if (row.weekday == weekday && row.nakshatra == nakshatra) return {true, row.note};
    }
    return {};
}

bool DvipushkarYogaCheck(std::string_view nakshatra, std::string_view tithiName, std::string_view weekday) {
    return PushkarHolds(DvipushkarNakshatras, nakshatra, tithiName, weekday);
}

bool TripushkarYogaCheck(std::string_view nakshatra, std::string_view tithiName, std::string_view weekday) {
    return PushkarHolds(TripushkarNakshatras, nakshatra, tithiName, weekday);
}

bool MrityuYogaCheck(std::string_view tithiName, std::string_view weekday) {
    for (const auto& row : MrityuRows) {
        if (WeekdayIn(row.weekdays, weekday) && TithiIn(row.tithis, tithiName)) return true;
    }
    return false;
}

bool DagdhaYogaCheck(std::string_view nakshatra, std::string_view weekday) {
    return PairListed(DagdhaRows, nakshatra, weekday);
}

bool YamaghataYogaCheck(std::string_view nakshatra, std::string_view weekday) {
    return PairListed(YamaghataRows, nakshatra, weekday);
}

int LagnaHouseCount(std::string_view birthLagna, std::string_view muhurthaLagna) {
    const int b = names::PositionOf(names::Signs, birthLagna);
    const int m = names::PositionOf(names::Signs, muhurthaLagna);
    if (m == 0) return 12;  // the count goes once round the circle without finding the sign
    const int count = ((m - b) % 12 + 12) % 12;
    return count == 0 ? 12 : count;
}

int RisingTableMinutes(int month, int day, int hour, int minute) {
    const int offset = (month >= 1 && month <= 12) ? MonthOffsetMinutes[static_cast<std::size_t>(month - 1)] : 0;
    int t = offset + 4 * day + 60 * hour + minute;
    // The table covers one day; the late evenings of the last days of June run past it, so the whole days
    // are taken off rather than one.
    while (t > MinutesPerDay) t -= MinutesPerDay;
    return t;
}

std::string_view PlanetSignAbbreviation(std::string_view planetText) {
    return planetText.size() > 3 ? planetText.substr(3, 3) : std::string_view{};
}

PlanetPlacement PlanetPlacementCheck(int month, int day, int hour, int minute,
                                     const std::array<std::string, 7>& planetTexts) {
    PlanetPlacement placement;
    placement.minutes = RisingTableMinutes(month, day, hour, minute);
    RisingSign rising = RisingSigns.back();
    for (const auto& row : RisingSigns) {
        if (placement.minutes <= row.untilMinutes) {
            rising = row;
            break;
        }
    }
    const auto sign = [](int position) { return static_cast<std::size_t>(position - 1); };
    placement.lagnaPosition = rising.position;
    placement.lagnaName = names::Signs[sign(rising.position)];
    placement.lagnaAbbreviation = names::SignAbbreviations[sign(rising.position)];
    placement.tenthAbbreviation = names::SignAbbreviations[sign(rising.tenthPosition)];
    for (std::size_t p = 0; p < names::Planets.size(); ++p) {
        if (PlanetSignAbbreviation(planetTexts[p]) == placement.tenthAbbreviation) {
            placement.tenthHousePlanets.emplace_back(names::Planets[p]);
        }
    }
    placement.jupiterInLagna = PlanetSignAbbreviation(planetTexts[names::JupiterSlot]) == placement.lagnaAbbreviation;
    return placement;
}

bool JupiterNinthCheck(std::string_view jupiterText, int lagnaPosition) {
    const int j = names::PositionOf(names::SignAbbreviations, PlanetSignAbbreviation(jupiterText));
    return j != 0 && std::abs(j - lagnaPosition) == 9;
}

std::optional<std::string> LunarMonthCheck(std::string_view monthName, int day) {
    for (const auto& row : LunarMonthRows) {
        if (row.calendarMonth == monthName) {
            return std::string(day > row.changeOverDay ? row.afterChangeOver : row.upToChangeOver);
        }
    }
    return std::nullopt;
}

ChildAge AgeAt(int birthYear, int birthMonth, int birthDay, int muhurthaYear, int muhurthaMonth, int muhurthaDay) {
    ChildAge age;
    age.days = static_cast<std::int32_t>(DayNumber({muhurthaYear, muhurthaMonth, muhurthaDay}) -
                                         DayNumber({birthYear, birthMonth, birthDay}));
    age.months = 12 * (muhurthaYear - birthYear) + (muhurthaMonth - birthMonth);
    age.years = muhurthaYear - birthYear;
    return age;
}

}  // namespace kalvora
