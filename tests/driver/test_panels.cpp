// The composed texts of the details panels.

#include <gtest/gtest.h>

#include <algorithm>

#include "driver/panels.h"
#include "app/gui/pages/zones.h"
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

TEST(UntilTexts, TheDateIsAddedOnlyWhenTheEndFallsOnAnotherDate) {
    const ClockMinute midnight = static_cast<ClockMinute>(DayNumber({2026, 3, 8})) * 1440;  // 8 March 2026 00:00
    const struct { ClockMinute moment, end; const char* text; } cases[] = {
        {midnight + 600, midnight + 14 * 60 + 32, "until 14:32"},
        {midnight, midnight + 1439, "until 23:59"},                   // the last minute of the date
        {midnight + 1439, midnight + 1440, "until 9 Mar 00:00"},      // the next midnight is another date
        {midnight + 600, midnight + 1440 + 9 * 60 + 5, "until 9 Mar 09:05"},
        {midnight + 600, midnight + 26 * 1440, "until 3 Apr 00:00"},  // across the month
    };
    for (const auto& c : cases) {
        LimbSpan span;
        span.end = c.end;
        EXPECT_EQ(UntilText(span, c.moment), c.text);
    }
    const ClockMinute newYear = static_cast<ClockMinute>(DayNumber({2027, 1, 1})) * 1440;
    EXPECT_EQ(ShortClockText(newYear + 47, {2026, 12, 31}), "1 Jan 00:47");
    EXPECT_EQ(ShortClockText(newYear - 1, {2027, 1, 1}), "31 Dec 23:59");  // an earlier date too
}

TEST(UntilTexts, TheFourLimbRowsOfAPanel) {
    // The end minutes are the engines' own (checked minute by minute in the limb tests); here, which row shows
    // which end and how. By row: nakshatra (6), tithi (9), yoga (10), karana (11).
    const struct {
        const char* what;
        MomentInput moment;
        std::array<const char*, 4> rows6_9_10_11;
    } cases[] = {
        {"New Delhi, the documentation's muhurtha", testing::Delhi(2026, 12, 10, 10, 30),
         {"until 11 Dec 00:01", "until 11 Dec 11:24", "until 11 Dec 10:18", "until 22:04"}},
        {"New Delhi, the last hour of the year", testing::Delhi(2026, 12, 31, 23, 0),
         {"until 1 Jan 17:32", "until 1 Jan 13:11", "until 1 Jan 11:43", "until 1 Jan 00:47"}},
        {"Tromso in the polar night", testing::Moment().On(2026, 12, 21).At(12, 0).ZoneEast(1).East(18, 57).North(69, 39),
         {"until 22 Dec 06:17", "until 13:07", "until 21:02", "until 13:07"}},
    };
    for (const auto& c : cases) {
        const auto texts = PanelUntilTexts(LimbsAt(c.moment), c.moment);
        const std::array<std::size_t, 4> rows = {6, 9, 10, 11};
        for (std::size_t r = 0; r < PanelRowCount; ++r) {
            const auto at = std::find(rows.begin(), rows.end(), r);
            const std::string expected = at == rows.end() ? "" : c.rows6_9_10_11[static_cast<std::size_t>(at - rows.begin())];
            EXPECT_EQ(texts[r], expected) << c.what << ", row " << r;
        }
    }
}

TEST(DayPanelTexts, PeriodsOfAWednesdayAndDaysWithoutSunriseOrSunset) {
    const MomentInput wednesday = testing::Delhi(2026, 12, 9, 12, 0);
    const DayPanelTexts day =
        DayPanelTextsOf(ComputeDayView(wednesday.place, wednesday.zone, DateOf(wednesday)), wednesday);
    // The periods holding the chosen 12:00 are marked.
    const std::vector<DayLine> periods = {{"Rahu kalam", "12:13 \u2013 13:30", false},
                                          {"Yamaganda", "08:23 \u2013 09:39", false},
                                          {"Gulika", "10:56 \u2013 12:13", true},
                                          {"Abhijit", "none on Wednesday", false},
                                          {"Durmuhurta", "11:52 \u2013 12:33", true}};
    EXPECT_EQ(day.periods, periods);
    EXPECT_TRUE(day.chosenAvoided);
    EXPECT_EQ(day.chosen, "The chosen time 12:00 falls in Gulika (10:56 \u2013 12:13) and Durmuhurta (11:52 \u2013 12:33).");
    EXPECT_EQ(day.choghadiyas.size(), 16u);
    EXPECT_EQ(day.horas.size(), 24u);
    // Exactly one choghadiya, one hora and one value of each limb hold the chosen minute.
    const auto marked = [](const std::vector<DayRow>& rows) {
        return std::count_if(rows.begin(), rows.end(), [](const DayRow& row) { return row.holdsChosen; });
    };
    EXPECT_EQ(marked(day.choghadiyas), 1);
    EXPECT_EQ(marked(day.horas), 1);
    EXPECT_EQ(marked(day.limbs), static_cast<long>(LimbCount));

    // Tromso: the Sun stays down on 21 December and up on 21 June. No periods, no time left empty.
    const struct { MomentInput moment; const char* note; } polar[] = {
        {testing::Moment().On(2026, 12, 21).At(12, 0).ZoneEast(1).East(18, 57).North(69, 39),
         "The Sun does not rise on this day at this place."},
        {testing::Moment().On(2026, 6, 21).At(12, 0).ZoneEast(2).East(18, 57).North(69, 39),
         "The Sun does not set on this day at this place."},
    };
    for (const auto& c : polar) {
        const DayPanelTexts texts = DayPanelTextsOf(ComputeDayView(c.moment.place, c.moment.zone, DateOf(c.moment)), c.moment);
        EXPECT_EQ(texts.sunNote.rfind(c.note, 0), 0u) << texts.sunNote;
        EXPECT_TRUE(texts.periods.empty() && texts.choghadiyas.empty() && texts.horas.empty());
        EXPECT_EQ(texts.chosen, "");
        ASSERT_EQ(texts.sun.size(), 4u);
        for (const DayLine& line : texts.sun) EXPECT_FALSE(line.text.empty()) << line.heading;
        ASSERT_FALSE(texts.limbs.empty());
        for (const DayRow& row : texts.limbs) {
            EXPECT_FALSE(row.name.empty() || row.start.empty() || row.end.empty()) << row.detail;
        }
    }
}

TEST(NamedZones, TellingRows) {
    const struct { std::size_t position; const char* text; int hours, minutes; } rows[] = {
        {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", -9, 0},
        {6, "Australian Central Standard Time,ACST,+9.5", 9, 30},
        {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
        {32, "Hawaiian Standard Time,HST,-10.5", -10, -30},
        {34, "Indian Time, IST, +5.3", 5, 30},
        {36, "Int'l Date Line West,IDLW,-12.0", -12, 0},
        {46, "New Zealand Std Summer Time,NZST,+13.0", 13, 0},
        {50, "Newfoundland Standard Time,NST,-3.5", -3, -30},
        {70, "Yukon War Time,YWT,-8.0", -8, 0},
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
