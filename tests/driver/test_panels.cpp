// The composed texts of the details panels.

#include <gtest/gtest.h>

#include "driver/panels.h"
#include "app/gui/zones.h"

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
