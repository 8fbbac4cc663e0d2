// Pictures of every page, result tab and dialog (offscreen grabs). They go to the folder named by
// KALVORA_SCREENSHOT_DIR (docs/screenshots for the documentation), else to a temporary folder.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/about_dialog.h"
#include "app/gui/atlas_source.h"
#include "app/gui/time_zone_picker.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/moments.h"
#include "tests/support/store_folder.h"

namespace kalvora::test {
namespace {

class ScreenshotTest : public WindowTest {
protected:
    void Save(QWidget* widget, const QString& name) {
        const QPixmap picture = widget->grab();
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_GT(picture.width(), 200) << name.toStdString();
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        EXPECT_TRUE(picture.save(file, "PNG")) << file.toStdString();
    }

    // The window with a popup list drawn where it shows over the window.
    void SaveWithPopup(QWidget* popup, const QString& name) {
        QPixmap picture = window->grab();
        QPainter painter(&picture);
        painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)), popup->grab());
        painter.end();
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        EXPECT_TRUE(picture.save(file, "PNG")) << file.toStdString();
    }

    QTemporaryDir temporary;
    QString folder = qEnvironmentVariableIsEmpty("KALVORA_SCREENSHOT_DIR") ? temporary.path()
                                                                          : qEnvironmentVariable("KALVORA_SCREENSHOT_DIR");
};

TEST_F(ScreenshotTest, EveryPageAndResultTab) {
    ASSERT_TRUE(QDir().mkpath(folder));
    Click(QStringLiteral("lblMainOptions1"));
    TickSubject(QStringLiteral("Marriage"));
    Find<QTreeWidget>(QStringLiteral("lstOptions"))->setCurrentItem(
        Find<QTreeWidget>(QStringLiteral("lstOptions"))->topLevelItem(1));
    Save(window.get(), QStringLiteral("01-undertaking"));

    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage({"December", 10, 2026, 10, 30, 0, "28", "39", false, "77", "13", false, 34, false, "New Delhi",
                      "Delhi", "India"});
    // The place chosen from the list under City, and the list offered again as the name is typed anew.
    SharedAtlas()->Wait();
    QAbstractItemView* places = Find<QCompleter>(QStringLiteral("cmpPlaces_Muhurtha"))->popup();
    for (int pass = 0; pass < 2; ++pass) {
        ClearAndType(QStringLiteral("txtCity"), QStringLiteral("New Delhi"));
        ASSERT_TRUE(places->isVisible());
        places->setCurrentIndex(places->model()->index(0, 0));
        if (pass == 1) SaveWithPopup(places, QStringLiteral("02-muhurtha"));
        QTest::keyClick(places, Qt::Key_Return);
    }

    // Three people saved already, two of one name; the page saved as a fourth.
    for (const auto& [name, year] : {std::pair{"Ravi Kumar", 1961}, std::pair{"Meera Iyer", 1984},
                                     std::pair{"Meera Iyer", 1990}}) {
        Person person = kalvora::testing::Sample(name);
        person.born.year = year;
        window->People().Add(person);
    }
    Click(QStringLiteral("cmdNext1"));
    FillBirthPage(QStringLiteral("Asha Menon"), true,
                  {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "Mumbai",
                   "Maharashtra", "India"});
    Click(QStringLiteral("cmdSavePerson"));
    Save(window.get(), QStringLiteral("03-birth"));
    // The list filtered as a name is typed into it.
    auto* people = Find<QComboBox>(QStringLiteral("cboPeople"));
    people->setFocus();
    people->lineEdit()->clear();
    QTest::keyClicks(people->lineEdit(), QStringLiteral("ee"));
    QAbstractItemView* offered = people->completer()->popup();
    ASSERT_TRUE(offered->isVisible());
    SaveWithPopup(offered, QStringLiteral("14-birth-people-list"));
    offered->hide();
    people->setCurrentIndex(people->findText(QStringLiteral("Asha Menon")));

    ShowPageNamed(QStringLiteral("picMessage"));
    Save(window.get(), QStringLiteral("04-wait"));
    ShowPageNamed(QStringLiteral("picBirthDetails"));

    Click(QStringLiteral("cmdNext2"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    const char* tabNames[] = {"05-birth-details", "06-muhurtha-details", "07-muhurtha-analysis", "11-day"};
    for (int i = 0; i < 4; ++i) {
        tabs->setCurrentIndex(i);
        Save(window.get(), QString::fromLatin1(tabNames[i]));
    }
    // The whole Day tab, the tables below the timeline included, once its layout has taken the tables' rows.
    QCoreApplication::processEvents();
    Save(Find<QWidget>(QStringLiteral("picDayContent")), QStringLiteral("12-day-tables"));

    // The muhurtha's planets block holds the rows of the calculation's sky, Sun to Ketu.
    const MomentResult muhurtha = ComputeMoment(kalvora::testing::Delhi(2026, 12, 10, 10, 30));
    ASSERT_TRUE(muhurtha.sky);
    const auto rows = PlanetRows(*muhurtha.sky);
    for (std::size_t b = 0; b < rows.size(); ++b) {
        const auto cell = [&](int column) {
            const QString name = QStringLiteral("lblMuhurthaDetailsPlanet%1_%2").arg(b).arg(column);
            auto* label = window->findChild<QLabel*>(name);
            return label ? label->text().toStdString() : "(no " + name.toStdString() + ")";
        };
        EXPECT_EQ(cell(0), rows[b].body);
        EXPECT_EQ(cell(1), rows[b].sign) << rows[b].body;
        EXPECT_EQ(cell(2), rows[b].degrees) << rows[b].body;
        EXPECT_EQ(cell(3), rows[b].nakshatra) << rows[b].body;
        EXPECT_EQ(cell(4), rows[b].retrograde ? "R" : "") << rows[b].body;
    }

    TimeZonePicker picker(window.get());
    picker.show();
    Save(&picker, QStringLiteral("08-time-zone-picker"));
    AboutDialog about(window.get());
    about.show();
    Save(&about, QStringLiteral("09-about"));
    window->OpenPeople();
    auto* peopleWindow = window->findChild<QDialog*>(QStringLiteral("dlgPeople"));
    ASSERT_NE(peopleWindow, nullptr);
    peopleWindow->findChild<QTableWidget*>(QStringLiteral("lstPeople"))->selectRow(1);
    Save(peopleWindow, QStringLiteral("15-people"));
    peopleWindow->close();

    // The finder over four days for an undertaking whose rating changes through the day.
    TickSubject(QStringLiteral("Religious Journey"));
    Pick(QStringLiteral("cboMuhurthaDate"), QStringLiteral("10"));
    FinderWindow* finder = OpenFinder();
    finder->findChild<QDateEdit*>(QStringLiteral("dtpFindTo"))->setDate(QDate(2026, 12, 13));
    finder->findChild<QCheckBox*>(QStringLiteral("chkFindBetween"))->setChecked(true);
    finder->findChild<QTimeEdit*>(QStringLiteral("timFindFrom"))->setTime(QTime(6, 0));
    finder->findChild<QTimeEdit*>(QStringLiteral("timFindTo"))->setTime(QTime(21, 0));
    finder->findChild<QCheckBox*>(QStringLiteral("chkFindLeaveOut2"))->setChecked(true);
    SearchAndWait(finder);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    QCoreApplication::processEvents();
    Save(finder, QStringLiteral("10-find-best-times"));
}

TEST_F(ScreenshotTest, DayTabWhereTheSunDoesNotRise) {
    ASSERT_TRUE(QDir().mkpath(folder));
    // Tromso in the polar night, on the universal clock.
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true,
                 {"December", 21, 2026, 12, 0, 0, "69", "39", false, "18", "57", false, -1, false, "", "", ""},
                 {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "", "", ""});
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(3);
    QCoreApplication::processEvents();
    Save(window.get(), QStringLiteral("13-day-polar-night"));
}

}  // namespace
}  // namespace kalvora::test
