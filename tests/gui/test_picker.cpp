// The time-zone picker: its rows, what a double-click writes and where, and "&Quit"; one real message box.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>

#include "app/gui/pages/time_zone_picker.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

struct ZoneRowCase {
    int position;
    const char* text;
    int hour, minute;
};

// The telling rows of the list: whole, half-hour and the odd "+5.3" zones, both ends of the list and the twins.
const ZoneRowCase ZoneRows[] = {
    {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", -9, 0},
    {6, "Australian Central Standard Time,ACST,+9.5", 9, 30},
    {11, "Azores Time, AT, -2.0", -2, 0},
    {27, "Eastern Standard Time,EST,-5.0", -5, 0},
    {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
    {32, "Hawaiian Standard Time,HST,-10.5", -10, -30},
    {34, "Indian Time, IST, +5.3", 5, 30},
    {36, "Int'l Date Line West,IDLW,-12.0", -12, 0},
    {46, "New Zealand Std Summer Time,NZST,+13.0", 13, 0},
    {50, "Newfoundland Standard Time,NST,-3.5", -3, -30},
    {56, "South Australia Daylight Time,SAD,+10.5", 10, 30},
    {57, "South Australia Daylight Time,SDT,+10.5", 10, 30},
    {58, "South Australia Standard Time,SAST,+9.5", 9, 30},
    {59, "South Australia Standard Time,SAT,+9.5", 9, 30},
    {61, "Universal Time, UT, 0.0", 0, 0},
    {70, "Yukon War Time,YWT,-8.0", -8, 0},
};

TEST(TimeZonePicker, ListsTheZonesAndHandsOnTheChosenRow) {
    for (const ZoneRowCase& c : ZoneRows) {
        TimeZonePicker picker;
        picker.show();
        EXPECT_EQ(picker.objectName(), QStringLiteral("frmTimeZone"));
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("Kalvora v1.75"));
        auto* list = picker.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 71);
        EXPECT_EQ(list->item(c.position)->text(), QString::fromLatin1(c.text));

        QSignalSpy chosen(&picker, &TimeZonePicker::zoneChosen);
        DoubleClickItem(list, list->item(c.position));
        ASSERT_EQ(chosen.count(), 1) << c.text;
        EXPECT_EQ(chosen[0][0].toInt(), c.hour) << c.text;
        EXPECT_EQ(chosen[0][1].toInt(), c.minute) << c.text;
        EXPECT_FALSE(picker.isVisible()) << "a double-click closes the picker";
    }
}

// The rows of each list that a search leaves shown.
QStringList ShownNamed(const QListWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden()) shown << list->item(row)->text();
    }
    return shown;
}

QStringList ShownDatabase(const QTreeWidget* list) {
    QStringList shown;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        if (!item->isHidden()) shown << item->text(0) + QLatin1Char(' ') + item->text(1);
    }
    return shown;
}

TEST(TimeZonePicker, SearchFiltersBothListsWithOffsetsAtThePagesDate) {
    const struct {
        LocalDateTime at;
        const char* typed;
        QStringList named;
        const char* databaseRow;  // a row the database list shows
        qsizetype databaseRows;   // how many it shows (-1: not counted)
    } cases[] = {
        {{2026, 12, 10, 10, 30, 0}, "kathmandu", {}, "Asia/Kathmandu +05:45", 1},
        // Nepal kept +05:30 until 1986.
        {{1980, 1, 1, 12, 0, 0}, "Kathmandu", {}, "Asia/Kathmandu +05:30", 1},
        {{2026, 7, 1, 12, 0, 0}, "new york", {}, "America/New_York -04:00 EDT", 1},
        {{2026, 12, 10, 10, 30, 0}, "+05:45", {}, "Asia/Kathmandu +05:45", -1},
        {{2026, 12, 10, 10, 30, 0}, "Indian Time", {QStringLiteral("Indian Time, IST, +5.3")}, "", 0},
    };
    for (const auto& c : cases) {
        TimeZonePicker picker(nullptr, c.at);
        picker.show();
        auto* search = picker.findChild<QLineEdit*>(QStringLiteral("txtZoneSearch"));
        auto* named = picker.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        auto* database = picker.findChild<QTreeWidget*>(QStringLiteral("lstZoneDatabase"));
        ASSERT_TRUE(search && named && database);
        EXPECT_GT(database->topLevelItemCount(), 300) << "every zone of the database";
        QTest::keyClicks(search, QString::fromLatin1(c.typed));
        EXPECT_EQ(ShownNamed(named), c.named) << c.typed;
        const QStringList rows = ShownDatabase(database);
        if (c.databaseRows >= 0) {
            EXPECT_EQ(rows.size(), c.databaseRows) << c.typed;
        }
        if (c.databaseRow[0] != '\0') {
            EXPECT_TRUE(rows.contains(QString::fromLatin1(c.databaseRow))) << c.typed;
        }
        EXPECT_EQ(named->count(), 71) << "filtering hides rows, the list stays whole";
    }
}

TEST_F(WindowTest, ZoneOfTheDatabaseFollowsThePagesDateIntoTheCalculation) {
    // Asia/Kathmandu: +05:30 until 1986, +05:45 since. Choosing it keeps the typed place and coordinates.
    const struct {
        bool muhurthaPage;
        MomentEntry moment;
        const char* shownOffset;
        std::int32_t offsetSeconds;
        const char *hour, *minute;
    } cases[] = {
        {true, {"December", 10, 2026, 10, 30, 0, "27", "42", false, "85", "19", false, -1, false, "Kathmandu", "", "Nepal"},
         "+05:45", 5 * 3600 + 45 * 60, "-5", "-45"},
        {false, {"January", 1, 1980, 12, 0, 0, "27", "42", false, "85", "19", false, -1, false, "Kathmandu", "", "Nepal"},
         "+05:30", 5 * 3600 + 30 * 60, "-5", "-30"},
    };
    for (const auto& c : cases) {
        ShowPageNamed(c.muhurthaPage ? QStringLiteral("picSearchMode") : QStringLiteral("picBirthDetails"));
        FillMoment(c.muhurthaPage, c.moment);
        QString offered;
        WhenModalShows([&](QWidget* modal) {
            QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("txtZoneSearch")), QStringLiteral("Kathmandu"));
            auto* database = modal->findChild<QTreeWidget*>(QStringLiteral("lstZoneDatabase"));
            ASSERT_NE(database, nullptr);
            const QList<QTreeWidgetItem*> rows =
                database->findItems(QStringLiteral("Asia/Kathmandu"), Qt::MatchExactly, 0);
            ASSERT_EQ(rows.size(), 1);
            offered = rows[0]->text(1);
            DoubleClickItem(database, rows[0]);
        });
        Click(c.muhurthaPage ? QStringLiteral("lblTZHelp_Muhurtha") : QStringLiteral("lblTZHelp_Birth"));
        EXPECT_EQ(offered, QString::fromLatin1(c.shownOffset));

        const CalculationInput input = window->ReadCalculationInput();
        const MomentInput& moment = c.muhurthaPage ? input.muhurtha : input.birth;
        const MomentOrigin& origin = c.muhurthaPage ? input.muhurthaOrigin : input.birthOrigin;
        EXPECT_EQ(ZoneOffsetSeconds(moment.zone), c.offsetSeconds) << c.shownOffset;
        ASSERT_TRUE(origin.zone);
        EXPECT_EQ(origin.zone->id, "Asia/Kathmandu");
        EXPECT_FALSE(origin.place) << "the place stays typed";
        const QString suffix = c.muhurthaPage ? QStringLiteral("_Muhurtha") : QStringLiteral("_Birth");
        EXPECT_EQ(Text(QStringLiteral("lblZoneHour") + suffix), QString::fromLatin1(c.hour));
        EXPECT_EQ(Text(QStringLiteral("lblZoneMinute") + suffix), QString::fromLatin1(c.minute));
        EXPECT_TRUE(Text(QStringLiteral("lblZoneLine") + suffix).startsWith(QStringLiteral("Asia/Kathmandu")));
        EXPECT_EQ(Text(c.muhurthaPage ? QStringLiteral("txtCity") : QStringLiteral("txtBirthCity")),
                  QStringLiteral("Kathmandu"));
    }
    // The zones carry through to the results.
    TickSubject(QStringLiteral("Marriage"));
    ClearAndType(QStringLiteral("txtBirthName"), QStringLiteral("Asha"));
    Click(QStringLiteral("cmdNext2"));
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    ASSERT_TRUE(window->LastCalculation());
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
}

TEST_F(WindowTest, ZonePickedForOnePageChangesOnlyThatPage) {
    const struct {
        bool muhurthaPage;
        int row;
        const char *birthHour, *birthMinute, *muhurthaHour, *muhurthaMinute;
    } steps[] = {
        {false, 34, "-5", "-30", "0", "0"},
        {true, 27, "-5", "-30", "5", "0"},
        {true, 32, "-5", "-30", "10", "30"},
        {false, 29, "0", "0", "10", "30"},
    };
    for (const auto& s : steps) {
        ShowPageNamed(s.muhurthaPage ? QStringLiteral("picSearchMode") : QStringLiteral("picBirthDetails"));
        ChooseZone(s.muhurthaPage, s.row);
        EXPECT_EQ(Text(QStringLiteral("lblZoneHour_Birth")), QString::fromLatin1(s.birthHour)) << s.row;
        EXPECT_EQ(Text(QStringLiteral("lblZoneMinute_Birth")), QString::fromLatin1(s.birthMinute)) << s.row;
        EXPECT_EQ(Text(QStringLiteral("lblZoneHour_Muhurtha")), QString::fromLatin1(s.muhurthaHour)) << s.row;
        EXPECT_EQ(Text(QStringLiteral("lblZoneMinute_Muhurtha")), QString::fromLatin1(s.muhurthaMinute)) << s.row;
    }
}

TEST_F(WindowTest, ZoneCaptionsGiveMagnitudesAndTheZoneSide) {
    const struct {
        int row;
        int hours, minutes;
        bool east;
    } cases[] = {{34, 5, 30, true}, {27, 5, 0, false}, {50, 3, 30, false}, {6, 9, 30, true}, {29, 0, 0, false}};
    for (const auto& c : cases) {
        ShowPageNamed(QStringLiteral("picBirthDetails"));
        ChooseZone(false, c.row);
        const MomentInput birth = window->ReadCalculationInput().birth;
        EXPECT_EQ(birth.zone.hours, c.hours) << c.row;
        EXPECT_EQ(birth.zone.minutes, c.minutes) << c.row;
        EXPECT_EQ(birth.zone.isEast, c.east) << c.row;
    }
}

TEST_F(WindowTest, QuitClosesThePickerWithoutAChange) {
    ShowPageNamed(QStringLiteral("picSearchMode"));
    ChooseZone(true, 34);
    WhenModalShows([](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), QStringLiteral("frmTimeZone"));
        auto* quit = modal->findChild<QPushButton*>(QStringLiteral("cmdQuit"));
        ASSERT_NE(quit, nullptr);
        EXPECT_EQ(quit->text(), QStringLiteral("&Quit"));
        QTest::mouseClick(quit, Qt::LeftButton);
    });
    Click(QStringLiteral("lblTZHelp_Muhurtha"));
    EXPECT_EQ(Text(QStringLiteral("lblZoneHour_Muhurtha")), QStringLiteral("-5"));
    EXPECT_EQ(Text(QStringLiteral("lblZoneMinute_Muhurtha")), QStringLiteral("-30"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MessageBox, IsModalWithTheTitleTextAndIcon) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    ShowMessageBox(nullptr, QMessageBox::Critical, QStringLiteral("Please Enter Your Name"));
    EXPECT_EQ(title, QStringLiteral("Kalvora v1.75"));
    EXPECT_EQ(text, QStringLiteral("Please Enter Your Name"));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace kalvora::test
