// The time-zone picker: its rows, what a double-click writes and where, and "&Quit"; one real message box.

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>

#include "app/gui/time_zone_picker.h"
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
    {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
    {6, "Australian Central Standard Time,ACST,+9.5", -9, -30},
    {11, "Azores Time, AT, -2.0", 2, 0},
    {27, "Eastern Standard Time,EST,-5.0", 5, 0},
    {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
    {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
    {34, "Indian Time, IST, +5.3", -5, -30},
    {36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
    {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
    {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
    {56, "South Australia Daylight Time,SAD,+10.5", -10, -30},
    {57, "South Australia Daylight Time,SDT,+10.5", -10, -30},
    {58, "South Australia Standard Time,SAST,+9.5", -9, -30},
    {59, "South Australia Standard Time,SAT,+9.5", -9, -30},
    {61, "Universal Time, UT, 0.0", 0, 0},
    {70, "Yukon War Time,YWT,-8.0", 8, 0},
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
        EXPECT_EQ(birth.zoneHours, c.hours) << c.row;
        EXPECT_EQ(birth.zoneMinutes, c.minutes) << c.row;
        EXPECT_EQ(birth.zoneIsEast, c.east) << c.row;
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
