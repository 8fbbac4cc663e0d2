// The shared checks: special yogas, lagna house count, table lagna and planets, Jupiter in the ninth, lunar
// month, and the age of a child.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "muhurtha/checks.h"

namespace kalvora {
namespace {

struct YogaCase {
    std::string_view first;    // tithi class, nakshatra or tithi name, as the check takes it
    std::string_view weekday;
    bool present;
};

TEST(SpecialYogas, Siddha) {
    const YogaCase cases[] = {
        {"Nanda", "Friday", true},  // e.g. "Pratipada" on a Friday
        {"Bhadra", "Wednesday", true},
        {"Jaya", "Tuesday", true},
        {"Rikta", "Saturday", true},
        {"Poorna", "Thursday", true},
        {"Nanda", "Thursday", false},
        {"Poorna", "Friday", false},
        {"nanda", "Friday", false},
    };
    for (const YogaCase& c : cases) {
        EXPECT_EQ(SiddhaYogaCheck(c.first, c.weekday), c.present) << c.first << " " << c.weekday;
    }
}

TEST(SpecialYogas, SarvarthaSiddha) {
    const YogaCase cases[] = {
        {"Shravana", "Monday", true}, {"Rohini", "Monday", true}, {"Mrigasira", "Monday", true},
        {"Pushya", "Monday", true}, {"Anuradha", "Monday", true},
        {"Ashwini", "Tuesday", true}, {"Uttara Bhadrapada", "Tuesday", true}, {"Krittika", "Tuesday", true},
        {"Ashlesha", "Tuesday", true},
        {"Rohini", "Wednesday", true}, {"Anuradha", "Wednesday", true}, {"Hasta", "Wednesday", true},
        {"Krittika", "Wednesday", true}, {"Mrigasira", "Wednesday", true},
        {"Revati", "Thursday", true}, {"Anuradha", "Thursday", true}, {"Ashwini", "Thursday", true},
        {"Punarvasu", "Thursday", true}, {"Pushya", "Thursday", true},
        {"Revati", "Friday", true}, {"Anuradha", "Friday", true}, {"Ashwini", "Friday", true},
        {"Punarvasu", "Friday", true}, {"Shravana", "Friday", true},
        {"Shravana", "Saturday", true}, {"Rohini", "Saturday", true}, {"Swati", "Saturday", true},
        {"Hasta", "Sunday", true}, {"Moola", "Sunday", true}, {"Uttara Ashadha", "Sunday", true},
        {"Uttara Phalguni", "Sunday", true}, {"Uttara Bhadrapada", "Sunday", true}, {"Ashwini", "Sunday", true},
        {"Pushya", "Sunday", true},
        {"Ashwini", "Monday", false}, {"Hasta", "Saturday", false}, {"Swati", "Sunday", false},
        {"Revati", "Tuesday", false}, {"", "", false},
    };
    for (const YogaCase& c : cases) {
        EXPECT_EQ(SarvarthaSiddhaYogaCheck(c.first, c.weekday), c.present) << c.first << " " << c.weekday;
    }
}

TEST(SpecialYogas, AmritaSiddhiAndItsNote) {
    struct Case {
        std::string_view nakshatra, weekday;
        bool present;
        std::string_view note;
    };
    const Case cases[] = {
        {"Hasta", "Sunday", true, ""},
        {"Mrigasira", "Monday", true, ""},
        {"Ashwini", "Tuesday", true, "Not Favourable for Griha Pravesha"},
        {"Anuradha", "Wednesday", true, ""},
        {"Pushya", "Thursday", true, "Not Favourable for Marriage"},
        {"Revati", "Friday", true, ""},
        {"Rohini", "Saturday", true, "Not Favourable for Travel"},
        {"Rohini", "Monday", false, ""},  // after a Thursday in Pushya the note is empty again
        {"Hasta", "Monday", false, ""},
    };
    for (const Case& c : cases) {
        const AmritaSiddhi a = AmritaSiddhiYogaCheck(c.nakshatra, c.weekday);
        EXPECT_EQ(a.present, c.present) << c.nakshatra << " " << c.weekday;
        EXPECT_EQ(a.note, c.note) << c.nakshatra << " " << c.weekday;
    }
}

TEST(SpecialYogas, DvipushkarAndTripushkar) {
    struct Case {
        std::string_view nakshatra, tithi, weekday;
        bool dvipushkar, tripushkar;
    };
    const Case cases[] = {
        {"Punarvasu", "Saptami", "Sunday", false, true},
        {"Dhanistha", "Dwitiya", "Tuesday", true, false},
        {"Chitra", "Dwadashi", "Saturday", true, false},
        {"Mrigasira", "Saptami", "Sunday", true, false},
        {"Krittika", "Dwitiya", "Saturday", false, true},
        {"Uttara Phalguni", "Dwadashi", "Tuesday", false, true},
        {"Vishakha", "Saptami", "Sunday", false, true},
        {"Uttara Ashadha", "Dwitiya", "Sunday", false, true},
        {"Uttara Bhadrapada", "Dwitiya", "Sunday", false, true},
        {"Punarvasu", "Saptami", "Monday", false, false},   // weekday outside the set
        {"Punarvasu", "Tritiya", "Sunday", false, false},   // tithi outside the set
        {"Rohini", "Saptami", "Sunday", false, false},      // nakshatra outside both sets
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DvipushkarYogaCheck(c.nakshatra, c.tithi, c.weekday), c.dvipushkar) << c.nakshatra;
        EXPECT_EQ(TripushkarYogaCheck(c.nakshatra, c.tithi, c.weekday), c.tripushkar) << c.nakshatra;
    }
}

TEST(SpecialYogas, Mrityu) {
    const YogaCase cases[] = {
        {"Pratipada", "Sunday", true}, {"Shasthi", "Tuesday", true}, {"Ekadashi", "Sunday", true},
        {"Saptami", "Monday", true}, {"Dwadashi", "Friday", true},
        {"Tritiya", "Wednesday", true}, {"Ashtami", "Wednesday", true}, {"Triyodashi", "Wednesday", true},
        {"Chaturthi", "Thursday", true}, {"Navami", "Thursday", true}, {"Chaturdashi", "Thursday", true},
        {"Panchami", "Saturday", true}, {"Dashami", "Saturday", true}, {"Purnima", "Saturday", true},
        {"Pratipada", "Monday", false}, {"Purnima", "Friday", false}, {"Amavashya", "Saturday", false},
    };
    for (const YogaCase& c : cases) {
        EXPECT_EQ(MrityuYogaCheck(c.first, c.weekday), c.present) << c.first << " " << c.weekday;
    }
}

TEST(SpecialYogas, DagdhaAndYamaghata) {
    const YogaCase dagdha[] = {
        {"Bharani", "Sunday", true}, {"Chitra", "Monday", true}, {"Uttara Ashadha", "Tuesday", true},
        {"Dhanistha", "Wednesday", true}, {"Uttara Phalguni", "Thursday", true}, {"Jyeshtha", "Friday", true},
        {"Revati", "Saturday", true}, {"Bharani", "Monday", false}, {"Magha", "Sunday", false},
    };
    const YogaCase yamaghata[] = {
        {"Magha", "Sunday", true}, {"Vishakha", "Monday", true}, {"Ardra", "Tuesday", true},
        {"Moola", "Wednesday", true}, {"Krittika", "Thursday", true}, {"Rohini", "Friday", true},
        {"Hasta", "Saturday", true}, {"Magha", "Monday", false}, {"Bharani", "Sunday", false},
    };
    for (const YogaCase& c : dagdha) EXPECT_EQ(DagdhaYogaCheck(c.first, c.weekday), c.present) << c.first;
    for (const YogaCase& c : yamaghata) EXPECT_EQ(YamaghataYogaCheck(c.first, c.weekday), c.present) << c.first;
}

TEST(LagnaChecks, HouseCount) {
    struct Case {
        std::string_view birth, muhurtha;
        int count;
    };
    const Case cases[] = {
        {"Mesha", "Vrishabha", 1},
        {"Mesha", "Mesha", 12},
        {"Mesha", "Meena", 11},
        {"Meena", "Mesha", 1},
        {"Simha", "Makara", 5},
        {"Kanya", "Simha", 11},
        {"Mesha", "mesha", 12},  // a muhurtha lagna that is no sign: once round the circle
        {"", "Kataka", 4},       // no birth lagna: counted from before "Mesha"
        {"", "Meena", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LagnaHouseCount(c.birth, c.muhurtha), c.count) << c.birth << " " << c.muhurtha;
    }
}

TEST(LagnaChecks, TableTime) {
    struct Case {
        int month, day, hour, minute, minutes;
    };
    const Case cases[] = {
        {7, 1, 1, 6, 76},       // 6 + 4 + 60 + 6
        {3, 15, 10, 30, 246},   // 996 + 60 + 630 = 1686, less a day
        {6, 1, 1, 50, 1},       // 1327 + 4 + 60 + 50 = 1441
        {1, 1, 0, 0, 730},
        {12, 31, 23, 59, 727},  // 604 + 124 + 1439 = 2167
        {6, 30, 23, 59, 6},     // 1327 + 120 + 1439 = 2886: two whole days come off
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RisingTableMinutes(c.month, c.day, c.hour, c.minute), c.minutes)
            << c.month << "/" << c.day << " " << c.hour << ":" << c.minute;
    }
}

TEST(LagnaChecks, TableLagnaAtTheBoundariesOfEveryRange) {
    struct Case {
        int minutes;
        std::string_view lagna;
        int position;
        std::string_view abbreviation, tenth;
    };
    const Case cases[] = {
        {10, "Meena", 12, "Pis", "Sag"},      {76, "Meena", 12, "Pis", "Sag"},
        {77, "Mesha", 1, "Ari", "Cpr"},       {181, "Mesha", 1, "Ari", "Cpr"},
        {182, "Vrishabha", 2, "Tau", "Aqu"},  {302, "Vrishabha", 2, "Tau", "Aqu"},
        {303, "Mithuna", 3, "Gem", "Pis"},    {434, "Mithuna", 3, "Gem", "Pis"},
        {435, "Kataka", 4, "Can", "Ari"},     {566, "Kataka", 4, "Can", "Ari"},
        {567, "Simha", 5, "Leo", "Tau"},      {691, "Simha", 5, "Leo", "Tau"},
        {692, "Kanya", 6, "Vir", "Gem"},      {818, "Kanya", 6, "Vir", "Gem"},
        {819, "Thula", 7, "Lib", "Can"},      {949, "Thula", 7, "Lib", "Can"},
        {950, "Vrischika", 8, "Sco", "Leo"},  {1083, "Vrischika", 8, "Sco", "Leo"},
        {1084, "Dhanus", 9, "Sag", "Vir"},    {1208, "Dhanus", 9, "Sag", "Vir"},
        {1209, "Makara", 10, "Cpr", "Lib"},   {1319, "Makara", 10, "Cpr", "Lib"},
        {1320, "Kumbha", 11, "Aqu", "Sco"},   {1419, "Kumbha", 11, "Aqu", "Sco"},
        {1420, "Meena", 12, "Pis", "Sag"},    {1440, "Meena", 12, "Pis", "Sag"},
    };
    const std::array<std::string, 7> noPlanets{};
    for (const Case& c : cases) {
        // On 1 July the table time is 10 minutes at midnight.
        const int typed = c.minutes - 10;
        const PlanetPlacement p = PlanetPlacementCheck(7, 1, typed / 60, typed % 60, noPlanets);
        EXPECT_EQ(p.minutes, c.minutes);
        EXPECT_EQ(p.lagnaName, c.lagna) << c.minutes;
        EXPECT_EQ(p.lagnaPosition, c.position) << c.minutes;
        EXPECT_EQ(p.lagnaAbbreviation, c.abbreviation) << c.minutes;
        EXPECT_EQ(p.tenthAbbreviation, c.tenth) << c.minutes;
    }
}

TEST(LagnaChecks, PlanetsInTheTenthAndJupiterInTheLagna) {
    // 1 July 01:30: table time 100, lagna "Ari", tenth sign "Cpr".
    std::array<std::string, 7> texts{};
    texts[0] = "SunCpr 12";
    texts[3] = "VenTau";
    texts[4] = "MarCpr";
    texts[5] = "JupAri";
    texts[6] = "Cp";  // too short to hold a sign
    const PlanetPlacement p = PlanetPlacementCheck(7, 1, 1, 30, texts);
    EXPECT_EQ(p.lagnaAbbreviation, "Ari");
    EXPECT_EQ(p.tenthHousePlanets, (std::vector<std::string>{"Sun", "Mars"}));
    EXPECT_TRUE(p.jupiterInLagna);

    const PlanetPlacement none = PlanetPlacementCheck(7, 1, 1, 30, {});
    EXPECT_TRUE(none.tenthHousePlanets.empty());
    EXPECT_FALSE(none.jupiterInLagna);
    EXPECT_EQ(PlanetSignAbbreviation("MarCpr"), "Cpr");
    EXPECT_EQ(PlanetSignAbbreviation("Mar"), "");
}

TEST(LagnaChecks, JupiterInTheNinth) {
    struct Case {
        std::string_view jupiter;
        int lagna;
        bool ninth;
    };
    const Case cases[] = {
        {"JupPis", 1, false},  // |12 - 1| = 11
        {"JupCpr", 1, true},   // |10 - 1| = 9
        {"JupSag", 1, false},  // nine signs on by a forward count, but |9 - 1| = 8
        {"JupAri", 10, true},
        {"JupPis", 3, true},
        {"", 9, false},        // no Jupiter text: never ninth
        {"Jup", 9, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JupiterNinthCheck(c.jupiter, c.lagna), c.ninth) << c.jupiter << " " << c.lagna;
    }
}

TEST(LunarMonth, ChangeOverDayOfEveryMonth) {
    struct Case {
        std::string_view month;
        int day;
        std::string_view lunarMonth;
    };
    const Case cases[] = {
        {"January", 21, "Magha"},       {"January", 22, "Falguna"},
        {"February", 20, "Falguna"},    {"February", 21, "Chaitra"},
        {"March", 22, "Chaitra"},       {"March", 23, "Vaisakha"},
        {"April", 21, "Vaisakha"},      {"April", 22, "Jyaistha"},
        {"May", 22, "Jyaistha"},        {"May", 23, "Asadha"},
        {"June", 22, "Asadha"},         {"June", 23, "Shravana"},
        {"July", 23, "Shravana"},       {"July", 24, "Bhadra"},
        {"August", 23, "Bhadra"},       {"August", 24, "Asvina"},
        {"September", 23, "Asvina"},    {"September", 24, "Kartika"},
        {"October", 23, "Kartika"},     {"October", 24, "Agrahayana"},
        {"November", 22, "Agrahayana"}, {"November", 23, "Pausa"},
        {"December", 22, "Pausa"},      {"December", 23, "Magha"},
        {"December", 31, "Magha"},      {"January", 1, "Magha"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarMonthCheck(c.month, c.day), std::optional<std::string>(c.lunarMonth)) << c.month << " " << c.day;
    }
    EXPECT_EQ(LunarMonthCheck("january", 5), std::nullopt);
    EXPECT_EQ(LunarMonthCheck("", 5), std::nullopt);
}

TEST(ChildAgeCount, DaysMonthsAndYears) {
    struct Case {
        int by, bm, bd, my, mm, md;
        ChildAge age;
    };
    const Case cases[] = {
        {2024, 3, 6, 2024, 3, 16, {10, 0, 0}},
        {2024, 2, 25, 2024, 3, 6, {10, 1, 0}},    // over the leap day
        {2023, 2, 25, 2023, 3, 7, {10, 1, 0}},
        {2023, 12, 28, 2024, 1, 9, {12, 1, 1}},   // over the turn of the year
        {2023, 11, 30, 2024, 5, 1, {153, 6, 1}},
        {1901, 1, 1, 2050, 12, 31, {54786, 1799, 149}},
        {2010, 12, 31, 2010, 12, 31, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const ChildAge a = AgeAt(c.by, c.bm, c.bd, c.my, c.mm, c.md);
        EXPECT_EQ(a.days, c.age.days) << c.by << "-" << c.bm << "-" << c.bd << " to " << c.my << "-" << c.mm;
        EXPECT_EQ(a.months, c.age.months);
        EXPECT_EQ(a.years, c.age.years);
    }
}

}  // namespace
}  // namespace kalvora
