// Places from the atlas on the moment pages: the offered list, what a chosen place fills, the zone following the
// date, a typed zone taking over, the two checks of the zone on Next, and the universal time of a chosen place.

#include <cmath>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QRadioButton>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/moment_form.h"
#include "astro/ephemeris.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

// The controls of one page that these tests read, by the page's own suffix.
struct PageControls {
    const char *page, *next, *year, *month, *day, *hour, *minute, *city, *state, *country, *degreeLat, *minuteLat,
        *south, *degreeLong, *minuteLong, *west, *zoneHour, *zoneMinute, *dst, *zoneLine, *zoneNote, *places;
};
constexpr PageControls Muhurtha = {"picSearchMode", "cmdNext1", "cboMuhurthaYear", "cboMuhurthaMonth",
                                   "cboMuhurthaDate", "cboHourFrom", "cboMinuteFrom", "txtCity", "txtState",
                                   "txtCountry", "txtDegreeLat", "txtMinuteLat", "optLat_Muhurtha1",
                                   "txtDegreeLong", "txtMinuteLong", "optLong_Muhurtha1", "lblZoneHour_Muhurtha",
                                   "lblZoneMinute_Muhurtha", "chkDST_Muhurtha", "lblZoneLine_Muhurtha",
                                   "lblZoneNote_Muhurtha", "cmpPlaces_Muhurtha"};
constexpr PageControls Birth = {"picBirthDetails", "cmdNext2", "cboYear", "cboMonth", "cboDate", "cboBirthHour",
                                "cboBirthMinute", "txtBirthCity", "txtBirthState", "txtBirthCountry",
                                "txtBirthDegreeLat", "txtBirthMinuteLat", "optLat_Birth1", "txtBirthDegreeLong",
                                "txtBirthMinuteLong", "optLong_Birth1", "lblZoneHour_Birth", "lblZoneMinute_Birth",
                                "chkDST_Birth", "lblZoneLine_Birth", "lblZoneNote_Birth", "cmpPlaces_Birth"};

QString L(const char* text) { return QString::fromUtf8(text); }

struct When {
    int year;
    const char* month;
    int day, hour, minute;
};

class PlacesTest : public WindowTest {
protected:
    MomentForm* FormOf(const PageControls& p) const {
        for (QWidget* w = Find<QLineEdit>(L(p.city)); w != nullptr; w = w->parentWidget()) {
            if (auto* form = qobject_cast<MomentForm*>(w)) return form;
        }
        throw std::runtime_error("no form around " + std::string(p.city));
    }

    void SetWhen(const PageControls& p, const When& w) {
        Pick(L(p.year), QString::number(w.year));
        Pick(L(p.month), L(w.month));
        Pick(L(p.day), QString::number(w.day));
        Pick(L(p.hour), QString::number(w.hour));
        Pick(L(p.minute), QString::number(w.minute));
    }

    // Types the query into City and picks the row of the offered list as a user does, with Enter.
    void ChoosePlace(const PageControls& p, const char* query, int row = 0) {
        SharedAtlas()->Wait();
        ShowPageNamed(L(p.page));
        ClearAndType(L(p.city), L(query));
        auto* completer = Find<QCompleter>(L(p.places));
        QAbstractItemView* list = completer->popup();
        ASSERT_TRUE(list->isVisible()) << query;
        ASSERT_GT(list->model()->rowCount(), row) << query;
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(list->isVisible()) << query;
    }

    // The zone boxes and the daylight-saving box as seconds east of UT.
    int BoxesSeconds(const PageControls& p) const {
        const int hours = Text(L(p.zoneHour)).toInt();
        const int minutes = Text(L(p.zoneMinute)).toInt();
        const bool east = hours < 0 || minutes < 0;
        const int magnitude = std::abs(hours) * 3600 + std::abs(minutes) * 60;
        return (east ? magnitude : -magnitude) + (Find<QCheckBox>(L(p.dst))->isChecked() ? 3600 : 0);
    }
};

// A City typed over a chosen place is told under the boxes and before Next; the coordinates are kept only on
// purpose. A city the atlas does not know is named as such.
TEST_F(PlacesTest, ACityTypedOverAChosenPlaceIsNotComputedSilently) {
    ChoosePlace(Muhurtha, "Chennai");
    auto* check = Find<QLabel>(QStringLiteral("lblPlaceCheck_Muhurtha"));
    EXPECT_TRUE(check->isHidden());
    ClearAndType(L(Muhurtha.city), QStringLiteral("Bombay"));
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(check->text().startsWith(QStringLiteral("The coordinates and zone are still those of Chennai")))
        << check->text().toStdString();

    choiceAnswer = 0;  // pick the place: the page stays
    Click(L(Muhurtha.next));
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(CurrentPageName(), L(Muhurtha.page));
    choiceAnswer = 1;  // keep the coordinates on purpose: the page goes on, the zone is typed now
    Click(L(Muhurtha.next));
    EXPECT_EQ(CurrentPageName(), L(Birth.page));
    EXPECT_FALSE(FormOf(Muhurtha)->ChosenPlace().has_value());
    EXPECT_EQ(Text(L(Muhurtha.degreeLat)), QStringLiteral("13"));

    ShowPageNamed(L(Birth.page));
    ClearAndType(L(Birth.city), QStringLiteral("Qqxyzzy"));
    auto* unknown = Find<QLabel>(QStringLiteral("lblPlaceCheck_Birth"));
    EXPECT_FALSE(unknown->isHidden());
    EXPECT_TRUE(unknown->text().startsWith(QStringLiteral("The atlas does not know"))) << unknown->text().toStdString();
}

TEST_F(PlacesTest, ChoosingAPlaceFillsThePage) {
    const struct {
        const PageControls* page;
        const char* query;
        When when;
        const char *city, *state, *country, *degreeLat, *minuteLat;
        bool south;
        const char *degreeLong, *minuteLong;
        bool west;
        const char *zoneHour, *zoneMinute;
        bool dst;
        const char* zoneLine;
    } cases[] = {
        // IST all year since 1945 (tzdata Asia/Kolkata).
        {&Muhurtha, "Mumbai", {2000, "June", 1, 12, 0}, "Mumbai", "Maharashtra", "India", "19", "4", false, "72",
         "53", false, "-5", "-30", false, "Asia/Kolkata \u00B7 IST \u00B7 UTC+05:30"},
        // A former name finds today's city.
        {&Birth, "Bombay", {2000, "June", 1, 12, 0}, "Mumbai", "Maharashtra", "India", "19", "4", false, "72", "53",
         false, "-5", "-30", false, "Asia/Kolkata \u00B7 IST \u00B7 UTC+05:30"},
        // EDT in summer: standard -5 with daylight saving ticked (tzdata America/New_York).
        {&Birth, "New York", {2021, "July", 1, 12, 0}, "New York", "New York", "United States of America", "40", "43",
         false, "74", "0", true, "5", "0", true, "America/New_York \u00B7 EDT \u00B7 UTC-04:00"},
        // Madras time +05:21:10 until 1906: the boxes to the minute, the line to the second.
        {&Muhurtha, "Chennai", {1901, "June", 1, 12, 0}, "Chennai", "Tamil Nadu", "India", "13", "5", false, "80",
         "17", false, "-5", "-21", false, "Asia/Kolkata \u00B7 MMT \u00B7 UTC+05:21:10"},
        // South and west, a zone without an abbreviation in common use.
        {&Muhurtha, "Buenos Aires", {2021, "January", 15, 12, 0}, "Buenos Aires", "Buenos Aires F.D.", "Argentina",
         "34", "37", true, "58", "23", true, "3", "0", false, "America/Argentina/Buenos_Aires \u00B7 UTC-03:00"},
    };
    for (const auto& c : cases) {
        const PageControls& p = *c.page;
        ShowPageNamed(L(p.page));
        SetWhen(p, c.when);
        ChoosePlace(p, c.query);
        for (const auto& [name, expected] :
             {std::pair{p.city, c.city}, std::pair{p.state, c.state}, std::pair{p.country, c.country},
              std::pair{p.degreeLat, c.degreeLat}, std::pair{p.minuteLat, c.minuteLat},
              std::pair{p.degreeLong, c.degreeLong}, std::pair{p.minuteLong, c.minuteLong},
              std::pair{p.zoneHour, c.zoneHour}, std::pair{p.zoneMinute, c.zoneMinute},
              std::pair{p.zoneLine, c.zoneLine}}) {
            EXPECT_EQ(Text(L(name)), L(expected)) << c.query << " " << name;
        }
        EXPECT_EQ(Find<QRadioButton>(L(p.south))->isChecked(), c.south) << c.query;
        EXPECT_EQ(Find<QRadioButton>(L(p.west))->isChecked(), c.west) << c.query;
        EXPECT_EQ(Find<QCheckBox>(L(p.dst))->isChecked(), c.dst) << c.query;
    }
}

TEST_F(PlacesTest, TheZoneFollowsTheDateWhileItComesFromThePlace) {
    const struct {
        const char* query;
        When when;
        const char *zoneHour, *zoneMinute;
        bool dst;
        const char* lineHas;  // a part of the zone line
        const char* noteHas;  // a part of the note under the zone boxes, "" when it is hidden
    } steps[] = {
        // tzdata Asia/Kolkata: +06:30 from 1941-10-01 to 1945-10-15, IST again after.
        {"Kolkata", {2000, "January", 1, 12, 0}, "-5", "-30", false, "UTC+05:30", ""},
        // Standard time +05:30 and one hour of daylight saving in the boxes.
        {"Kolkata", {1943, "January", 1, 12, 0}, "-5", "-30", true, "UTC+06:30 war time",
         "Calcutta kept its own local time"},
        {"Kolkata", {1950, "January", 1, 12, 0}, "-5", "-30", false, "IST \u00B7 UTC+05:30", ""},
        // Bombay kept its own time until 1955, Calcutta until 1948 (the zone notes).
        {"Mumbai", {1950, "January", 1, 12, 0}, "-5", "-30", false, "UTC+05:30", "Bombay kept its own local time"},
        {"Mumbai", {1960, "January", 1, 12, 0}, "-5", "-30", false, "UTC+05:30", ""},
        // tzdata Asia/Kathmandu: +05:30 until 1986, +05:45 after.
        {"Kathmandu", {1985, "June", 1, 12, 0}, "-5", "-30", false, "UTC+05:30", ""},
        {"Kathmandu", {1987, "June", 1, 12, 0}, "-5", "-45", false, "UTC+05:45", ""},
        // tzdata America/New_York: daylight time all of January 1974.
        {"New York", {1974, "January", 15, 12, 0}, "5", "0", true, "EDT \u00B7 UTC-04:00", ""},
        {"New York", {2021, "January", 15, 12, 0}, "5", "0", false, "EST \u00B7 UTC-05:00", ""},
        // tzdata Europe/Berlin: CEMT +3 in the summer of 1945, two hours of daylight saving in the boxes.
        {"Berlin", {1945, "June", 1, 12, 0}, "-3", "0", false, "UTC+03:00 double summer time", ""},
    };
    const char* chosen = "";
    for (const auto& s : steps) {
        // The place is chosen once; the later steps of the same place only change the date.
        if (std::string_view(chosen) != s.query) {
            ChoosePlace(Muhurtha, s.query);
            chosen = s.query;
        }
        SetWhen(Muhurtha, s.when);
        EXPECT_EQ(Text(L(Muhurtha.zoneHour)), L(s.zoneHour)) << s.query << " " << s.when.year;
        EXPECT_EQ(Text(L(Muhurtha.zoneMinute)), L(s.zoneMinute)) << s.query << " " << s.when.year;
        EXPECT_EQ(Find<QCheckBox>(L(Muhurtha.dst))->isChecked(), s.dst) << s.query << " " << s.when.year;
        const QString line = Text(L(Muhurtha.zoneLine));
        EXPECT_TRUE(line.contains(L(s.lineHas))) << line.toStdString();
        const QString note = Text(L(Muhurtha.zoneNote));
        const bool noted = *s.noteHas != '\0';
        EXPECT_TRUE(note.contains(L(s.noteHas))) << note.toStdString();
        EXPECT_EQ(Find<QLabel>(L(Muhurtha.zoneNote))->isVisibleTo(window.get()), noted) << s.query << s.when.year;
    }
}

TEST_F(PlacesTest, AZoneTypedByHandDropsThePlacesZone) {
    const struct {
        bool byPicker;  // else the daylight-saving box is clicked
        const char *zoneHour, *zoneMinute;
        bool dst;
    } cases[] = {{true, "5", "0", false}, {false, "-5", "-30", true}};
    for (const auto& c : cases) {
        SetWhen(Muhurtha, {2000, "January", 1, 12, 0});
        ChoosePlace(Muhurtha, "Kolkata");
        MomentForm* form = FormOf(Muhurtha);
        ASSERT_EQ(form->ZoneId(), "Asia/Kolkata");
        // The calculation is told where the place and its zone came from, as the command line tells it.
        const MomentOrigin chosen = form->Origin();
        ASSERT_TRUE(chosen.place && chosen.zone);
        EXPECT_EQ(chosen.place->name, "Kolkata");
        EXPECT_EQ(chosen.zone->id, "Asia/Kolkata");
        EXPECT_EQ(chosen.zone->offsetSeconds, 19800);
        if (c.byPicker) ChooseZone(true, 27);  // Eastern Standard Time
        else Click(L(Muhurtha.dst));
        EXPECT_EQ(form->ZoneId(), "");
        EXPECT_FALSE(form->ChosenPlace().has_value());
        EXPECT_TRUE(Text(L(Muhurtha.zoneLine)).startsWith(QStringLiteral("Zone typed by hand"))) << c.byPicker;
        // The date no longer moves the zone.
        Pick(L(Muhurtha.year), QStringLiteral("1943"));
        EXPECT_EQ(Text(L(Muhurtha.zoneHour)), L(c.zoneHour)) << c.byPicker;
        EXPECT_EQ(Text(L(Muhurtha.zoneMinute)), L(c.zoneMinute)) << c.byPicker;
        EXPECT_EQ(Find<QCheckBox>(L(Muhurtha.dst))->isChecked(), c.dst) << c.byPicker;
        EXPECT_EQ(form->ReadMoment().zone.seconds, 0);
        EXPECT_EQ(form->Origin(), MomentOrigin{});
    }
}

TEST_F(PlacesTest, NextAsksForTheOffsetOfARepeatedTimeAndRefusesAMissingOne) {
    const struct {
        const PageControls* page;
        const char* query;
        When when;
        int answer;  // to the question of the two offsets
        bool asked;
        bool passes;
        const char* zoneHour;
        bool dst;
        bool refused;  // a message and the focus on the hour
    } cases[] = {
        // tzdata America/New_York: 2021-11-07 02:00 EDT went back to 01:00 EST; 2021-03-14 02:00 EST jumped to 03:00.
        {&Muhurtha, "New York", {2021, "November", 7, 1, 30}, -1, true, false, "5", true, false},
        {&Muhurtha, "New York", {2021, "November", 7, 1, 30}, 0, true, true, "5", true, false},
        {&Muhurtha, "New York", {2021, "November", 7, 1, 30}, 1, true, true, "5", false, false},
        {&Muhurtha, "New York", {2021, "March", 14, 2, 30}, 0, false, false, "5", false, true},
        {&Muhurtha, "New York", {2021, "March", 14, 3, 30}, 0, false, true, "5", true, false},
        // tzdata Pacific/Apia: Samoa skipped 2011-12-30 to cross the date line.
        {&Muhurtha, "Apia", {2011, "December", 30, 12, 0}, 0, false, false, "11", false, true},
    };
    for (const auto& c : cases) {
        const PageControls& p = *c.page;
        messages.clear();
        choices.clear();
        choiceAnswer = c.answer;
        ChoosePlace(p, c.query);
        SetWhen(p, c.when);
        MomentForm* form = FormOf(p);
        Click(L(p.next));
        EXPECT_EQ(choices.size(), c.asked ? 1u : 0u) << c.query;
        if (c.asked && !choices.empty()) {
            EXPECT_EQ(choices[0].answers,
                      QStringList({QStringLiteral("Earlier: UTC-04:00 EDT"), QStringLiteral("Later: UTC-05:00 EST")}));
        }
        EXPECT_EQ(CurrentPageName(), c.passes ? QStringLiteral("picBirthDetails") : L(p.page)) << c.query;
        if (c.refused) {
            ASSERT_EQ(messages.size(), 1u) << c.query;
            const auto found = form->LookUpZone();
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(messages[0].text,
                      QString::fromStdString(DescribeLocalTime(form->ZoneId(), form->LocalTime(), *found)));
            EXPECT_TRUE(messages[0].text.contains(QStringLiteral("the clocks jumped from"))) << c.query;
            EXPECT_TRUE(Find<QComboBox>(L(p.hour))->hasFocus()) << c.query;
            EXPECT_EQ(Text(L(p.zoneNote)), messages[0].text) << c.query;
        } else {
            EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
        }
        if (c.passes) {
            EXPECT_EQ(Text(L(p.zoneHour)), L(c.zoneHour)) << c.query;
            EXPECT_EQ(Find<QCheckBox>(L(p.dst))->isChecked(), c.dst) << c.query;
            // The choice holds: Next again does not ask again.
            ShowPageNamed(L(p.page));
            Click(L(p.next));
            EXPECT_EQ(choices.size(), c.asked ? 1u : 0u) << c.query;
        }
    }
}

TEST_F(PlacesTest, AChosenPlaceGivesTheUniversalTimeOfItsZoneOnThatDate) {
    const struct {
        const char* query;
        When when;
        double offsetHours;  // the zone's offset on that date, east positive
    } cases[] = {
        // tzdata Asia/Kolkata: Madras time +05:21:10 until 1906, +06:30 in 1943.
        {"Chennai", {1901, "June", 1, 12, 0}, 5.0 + 21.0 / 60 + 10.0 / 3600},
        {"Kolkata", {1943, "March", 1, 12, 0}, 6.5},
        // tzdata America/New_York: EDT all of January 1974; EST in winter 2021.
        {"New York", {1974, "January", 15, 12, 0}, -4.0},
        {"New York", {2021, "January", 15, 12, 0}, -5.0},
        // tzdata Europe/London: BST kept as standard time 1968-71.
        {"London", {1969, "January", 15, 12, 0}, 1.0},
        // tzdata Asia/Kathmandu: +05:45 since 1986.
        {"Kathmandu", {1987, "June", 1, 12, 0}, 5.75},
        // tzdata Europe/Berlin: +03:00 in the summer of 1945.
        {"Berlin", {1945, "June", 1, 12, 0}, 3.0},
        // tzdata Australia/Adelaide: +09:30 standard time in the southern winter.
        {"Adelaide", {2021, "June", 1, 12, 0}, 9.5},
    };
    for (const auto& c : cases) {
        SetWhen(Muhurtha, c.when);
        ChoosePlace(Muhurtha, c.query);
        const MomentInput moment = window->ReadCalculationInput().muhurtha;
        const double expectedUt = c.when.hour + c.when.minute / 60.0 - c.offsetHours;
        EXPECT_NEAR(ConvertMoment(moment).ut, expectedUt, 1e-9) << c.query << " " << c.when.year;
        // The boxes add up to the offset to the minute.
        EXPECT_EQ(BoxesSeconds(Muhurtha), std::lround(c.offsetHours * 60) * 60) << c.query << " " << c.when.year;
    }
}

}  // namespace
}  // namespace kalvora::test
