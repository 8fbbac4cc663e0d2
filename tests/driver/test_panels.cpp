// The composed texts of the details panels.

#include <gtest/gtest.h>

#include "driver/panels.h"
#include "app/gui/zones.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

TEST(PanelTexts, DateTimeAndPlace) {
    EXPECT_EQ(PanelDateText(3, 5, 2010), "March 5 2010 MM:DD:YYYY");
    EXPECT_EQ(PanelTimeText(9, 0), "9 0 HH:MM");  // a minute of 0 shows as 0, not 00
    EXPECT_EQ(PanelPlaceText({"", "Delhi", "India"}), " Delhi India");  // empty parts are not skipped
}

TEST(PanelTexts, ValuesInRowOrder) {
    MomentInput m;
    m.month = 12; m.day = 31; m.year = 2050; m.hour = 23; m.minute = 59;
    MomentDetails d{"Mesha", "Mars", "Ashwini", "Ketu", "Meena", "Pratipad", "Siddha", "Bava", "Saturday"};
    const auto values = PanelValues("Ravi", m, {"Pune", "Maharashtra", "India"}, d);
    const std::array<std::string, PanelRowCount> expected = {
        "Ravi", "December 31 2050 MM:DD:YYYY", "23 59 HH:MM", "Pune Maharashtra India", "Mesha", "Mars", "Ashwini",
        "Ketu", "Meena", "Pratipad", "Siddha", "Bava", "Saturday"};
    EXPECT_EQ(values, expected);
}

TEST(PlanetRows, NineBodiesWithSignDegreesNakshatraAndRetrograde) {
    // 2000-01-01 12:00 UT in Delhi (17:30 Indian time). The Sun, Jupiter, Saturn and Rahu agree with the published
    // sidereal (Lahiri) places of that moment: Sun 16°30' Dhanus, Jupiter 1°24' Mesha, Saturn 16°33' Mesha
    // retrograde, Rahu 11°11' Kataka (minutes truncated here, so 1°23' and 16°32').
    const MomentResult m = ComputeMoment(testing::Delhi(2000, 1, 1, 17, 30));
    ASSERT_TRUE(m.sky);
    const auto rows = PlanetRows(*m.sky);
    const struct { const char* body; const char* sign; const char* degrees; bool retrograde; } expected[] = {
        {"Sun", "Dhanus", "16\u00b030'", false},    {"Moon", "Thula", "19\u00b027'", false},
        {"Mercury", "Dhanus", "08\u00b002'", false}, {"Venus", "Vrischika", "07\u00b042'", false},
        {"Mars", "Kumbha", "04\u00b006'", false},    {"Jupiter", "Mesha", "01\u00b023'", false},
        {"Saturn", "Mesha", "16\u00b032'", true},    {"Rahu", "Kataka", "11\u00b011'", true},
        {"Ketu", "Makara", "11\u00b011'", true},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].body, expected[i].body);
        EXPECT_EQ(rows[i].sign, expected[i].sign) << expected[i].body;
        EXPECT_EQ(rows[i].degrees, expected[i].degrees) << expected[i].body;
        EXPECT_EQ(rows[i].retrograde, expected[i].retrograde) << expected[i].body;
    }
    // The Moon row is the system's own Moon, as the details show it.
    EXPECT_EQ(rows[1].sign, m.details.rashi);
    EXPECT_EQ(rows[1].nakshatra, m.details.nakshatra);
    EXPECT_EQ(PlanetRowText(rows[6]), "Saturn  Mesha     16\u00b032'  Bharani R");
    EXPECT_EQ(PlanetRowText(rows[0]), "Sun     Dhanus    16\u00b030'  Purva Ashadha");
}

TEST(NamedZones, TellingRows) {
    const struct { std::size_t position; const char* text; int hours, minutes; } rows[] = {
        {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
        {6, "Australian Central Standard Time,ACST,+9.5", -9, -30},
        {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
        {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
        {34, "Indian Time, IST, +5.3", -5, -30},
        {36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
        {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
        {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
        {70, "Yukon War Time,YWT,-8.0", 8, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(NamedZones[r.position].text, r.text);
        EXPECT_EQ(NamedZones[r.position].hours, r.hours) << r.text;
        EXPECT_EQ(NamedZones[r.position].minutes, r.minutes) << r.text;
    }
    // The twin rows of South Australia give the same values.
    EXPECT_EQ(NamedZones[56].hours, NamedZones[57].hours);
    EXPECT_EQ(NamedZones[58].minutes, NamedZones[59].minutes);
}

}  // namespace
}  // namespace kalvora
