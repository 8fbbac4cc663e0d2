// Pictures of every page, result tab and dialog (offscreen grabs). They go to the folder named by
// KALVORA_SCREENSHOT_DIR (docs/screenshots for the documentation), else to a temporary folder; the window's pages
// and tabs once more at the size of a 1366x768 laptop screen, in its folder 1366x768. And the window's sizes: it
// opens within a laptop's screen with every page whole, and at its least size nothing is cut off.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
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
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/shell/about_dialog.h"
#include "app/gui/shell/preferences_dialog.h"
#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/moment_form.h"
#include "app/gui/pages/people_tabs.h"
#include "app/gui/pages/place_search.h"
#include "app/gui/pages/time_zone_picker.h"
#include "app/gui/month/month_window.h"
#include "app/gui/season/year_strip_window.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/moments.h"
#include "tests/support/store_folder.h"

namespace kalvora::test {
namespace {

// A 1366x768 screen less a task bar (40) and the window's title bar (30).
constexpr QSize LaptopWindow(1366, 698);

class ScreenshotTest : public WindowTest {
protected:
    // The window as it opens, and again at the size of a laptop's screen.
    void SaveBothSizes(const QString& name) {
        Save(window.get(), name);
        SaveAtLaptopSize(name);
    }

    // The main window, or another.
    void SaveAtLaptopSize(const QString& name, QWidget* other = nullptr) {
        QWidget* shown = other ? other : window.get();
        const QSize opening = shown->size();
        shown->resize(LaptopWindow);
        const QString laptop = QDir(folder).filePath(QStringLiteral("1366x768"));
        ASSERT_TRUE(QDir().mkpath(laptop));
        QCoreApplication::processEvents();
        const QString file = QDir(laptop).filePath(name + QStringLiteral(".png"));
        EXPECT_TRUE(shown->grab().save(file, "PNG")) << file.toStdString();
        shown->resize(opening);
        QCoreApplication::processEvents();
    }

    void Save(QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();  // the layout as it settles once the contents are shown
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
    SaveBothSizes(QStringLiteral("01-undertaking"));

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
    SaveAtLaptopSize(QStringLiteral("02-muhurtha"));

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
    SaveBothSizes(QStringLiteral("03-birth"));
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
    SaveBothSizes(QStringLiteral("04-wait"));
    ShowPageNamed(QStringLiteral("picBirthDetails"));

    Click(QStringLiteral("cmdNext2"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    const char* tabNames[] = {"05-birth-details", "06-muhurtha-details", "07-muhurtha-analysis", "11-day"};
    for (int i = 0; i < 4; ++i) {
        tabs->setCurrentIndex(i);
        SaveBothSizes(QString::fromLatin1(tabNames[i]));
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

    TimeZonePicker picker(window.get(), LocalDateTime{2026, 12, 10, 10, 30, 0});
    picker.show();
    Save(&picker, QStringLiteral("08-time-zone-picker"));
    PlaceSearchDialog placeSearch(SharedAtlas().get(), QStringLiteral("Hyderabad"), window.get());
    placeSearch.show();
    Save(&placeSearch, QStringLiteral("16-place-search"));
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

    // A marriage in a span the season's vetoes cover: the vetoes and the next allowed date in place of the list.
    TickSubject(QStringLiteral("Marriage"));
    finder->findChild<QDateEdit*>(QStringLiteral("dtpFindFrom"))->setDate(QDate(2026, 8, 1));
    finder->findChild<QDateEdit*>(QStringLiteral("dtpFindTo"))->setDate(QDate(2026, 8, 5));
    SearchAndWait(finder);
    QCoreApplication::processEvents();
    Save(finder, QStringLiteral("10-find-vetoed"));
    SaveAtLaptopSize(QStringLiteral("10-find-vetoed"), finder);
}

// Whether a widget shows whole: outside the scrolled parts, every control is at least as large as it needs and lies
// within the window and each of its parents; a scrolled part shows a scroll bar wherever its contents do not fit.
std::vector<std::string> CutOff(QWidget* page) {
    std::vector<std::string> cut;
    const auto name = [](const QWidget* w) {
        return (w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString());
    };
    const auto scrolled = [&](const QWidget* w) {
        for (const QWidget* p = w->parentWidget(); p != nullptr && p != page; p = p->parentWidget()) {
            const auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget());
            if (area != nullptr && area->viewport() == p) return true;
        }
        return false;
    };
    for (QWidget* w : page->findChildren<QWidget*>()) {
        // The parts a box draws inside itself (a line edit's clear button) are the box's own business.
        const bool part = qobject_cast<QLineEdit*>(w->parentWidget()) != nullptr;
        if (!w->isVisible() || w->isWindow() || part || scrolled(w)) continue;
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QLabel*>(w);
        if (control) {
            const QSize least = w->minimumSizeHint();
            if (w->width() < least.width() || w->height() < least.height()) {
                cut.push_back(name(w) + " is smaller than it needs");
            }
            for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
                const QRect within(w->mapTo(p, QPoint(0, 0)), w->size());
                if (!p->rect().contains(within)) {
                    cut.push_back(name(w) + " runs out of " + name(p));
                    break;
                }
                if (p == page->window()) break;
            }
        }
        if (auto* area = qobject_cast<QScrollArea*>(w); area != nullptr && area->widget() != nullptr) {
            const QSize contents = area->widget()->minimumSizeHint();
            if (contents.width() > area->viewport()->width() && !area->horizontalScrollBar()->isVisible()) {
                cut.push_back(name(area) + " hides its contents' right");
            }
            if (contents.height() > area->viewport()->height() && !area->verticalScrollBar()->isVisible()) {
                cut.push_back(name(area) + " hides its contents' foot");
            }
        }
    }
    return cut;
}

// The pages' contents (scr...) that show a scroll bar. The Day tab is a long page by design: it scrolls down,
// never sideways.
std::vector<std::string> Scrolled(QWidget* page) {
    std::vector<std::string> scrolled;
    for (QScrollArea* area : page->findChildren<QScrollArea*>()) {
        if (!area->isVisible()) continue;
        const bool contents = area->objectName().startsWith(QStringLiteral("scr"));
        const bool dayTab = area->parentWidget() != nullptr && area->parentWidget()->objectName() == QStringLiteral("picDay");
        if ((contents || dayTab) && area->horizontalScrollBar()->isVisible()) {
            scrolled.push_back(area->objectName().toStdString() + " sideways");
        }
        if (contents && area->verticalScrollBar()->isVisible()) scrolled.push_back(area->objectName().toStdString());
    }
    return scrolled;
}

TEST_F(ScreenshotTest, TheWindowFitsALaptopScreenAndNothingIsCutOffAtItsLeastSize) {
    const QSize opening = window->size();
    EXPECT_LE(opening.width(), LaptopWindow.width());
    EXPECT_LE(opening.height(), LaptopWindow.height());
    EXPECT_LE(window->minimumWidth(), opening.width());
    EXPECT_LE(window->minimumHeight(), opening.height());

    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true,
                 {"December", 10, 2026, 10, 30, 0, "28", "39", false, "77", "13", false, 34, false, "New Delhi",
                  "Delhi", "India"},
                 {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "Mumbai",
                  "Maharashtra", "India"});
    Click(QStringLiteral("cmdSavePerson"));  // the line of the saved person shows on the birth page
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    const struct {
        const char* page;
        int tab;
    } views[] = {{"picMainScreen", -1},     {"picSearchMode", -1},     {"picBirthDetails", -1},
                 {"picMessage", -1},        {"picMuhurthaResult", 0}, {"picMuhurthaResult", 1},
                 {"picMuhurthaResult", 2}, {"picMuhurthaResult", 3}};
    const struct {
        QSize size;
        bool whole;  // every page shows whole, without scrolling
    } sizes[] = {{opening, true}, {LaptopWindow, true}, {window->minimumSize(), false}};
    for (const auto& size : sizes) {
        window->resize(size.size);
        for (const auto& view : views) {
            ShowPageNamed(QString::fromLatin1(view.page));
            if (view.tab >= 0) tabs->setCurrentIndex(view.tab);
            QCoreApplication::processEvents();
            const std::string where = std::string(view.page) + " " + std::to_string(view.tab) + " at " +
                                      std::to_string(window->width()) + "x" + std::to_string(window->height());
            ASSERT_EQ(window->size(), size.size) << where;
            EXPECT_EQ(CutOff(CurrentPage()), std::vector<std::string>{}) << where;
            if (size.whole) {
                EXPECT_EQ(Scrolled(CurrentPage()), std::vector<std::string>{}) << where;
            }
        }
    }

    // The other windows open within the laptop's screen too.
    TimeZonePicker picker(window.get());
    PlaceSearchDialog places(SharedAtlas().get(), QStringLiteral("Delhi"), window.get());
    AboutDialog about(window.get());
    window->OpenPeople();
    FinderWindow* finder = OpenFinder();
    for (QWidget* other : {static_cast<QWidget*>(&picker), static_cast<QWidget*>(&places),
                           static_cast<QWidget*>(&about), window->findChild<QWidget*>(QStringLiteral("dlgPeople")),
                           static_cast<QWidget*>(finder)}) {
        ASSERT_NE(other, nullptr);
        other->show();
        QCoreApplication::processEvents();
        EXPECT_LE(other->width(), LaptopWindow.width()) << other->objectName().toStdString();
        EXPECT_LE(other->height(), LaptopWindow.height()) << other->objectName().toStdString();
        EXPECT_EQ(CutOff(other), std::vector<std::string>{}) << other->objectName().toStdString();
        other->close();
    }
}

TEST_F(ScreenshotTest, DayTabWhereTheSunDoesNotRise) {
    ASSERT_TRUE(QDir().mkpath(folder));
    // Tromso in the polar night, on the universal clock.
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true,
                 {"December", 21, 2026, 12, 0, 0, "69", "39", false, "18", "57", false, -1, false, "", "", ""},
                 {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "", "", ""});
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(3);
    QCoreApplication::processEvents();
    SaveBothSizes(QStringLiteral("13-day-polar-night"));
}

// The year strip of New York's 2026 (a clock that changes twice in the year), as it opens and at a laptop's size.
TEST_F(ScreenshotTest, SeasonOfTheYear) {
    ASSERT_TRUE(QDir().mkpath(folder));
    SeasonPlace place{QStringLiteral("New York, United States"), {}, "America/New_York"};
    YearStripWindow season(place, 2026, window.get());
    season.show();
    Save(&season, QStringLiteral("14-season-year"));
    const QString laptop = QDir(folder).filePath(QStringLiteral("1366x768"));
    ASSERT_TRUE(QDir().mkpath(laptop));
    season.resize(LaptopWindow);
    Save(&season, QStringLiteral("1366x768/14-season-year"));
    EXPECT_LE(season.minimumSizeHint().width(), LaptopWindow.width());
}

TEST_F(ScreenshotTest, SeasonOnTheAnalysisAndDayTabs) {
    ASSERT_TRUE(QDir().mkpath(folder));
    // A marriage while Jupiter is combust (14 July to 13 August 2026), in New Delhi.
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true,
                 {"July", 20, 2026, 10, 0, 0, "28", "39", false, "77", "13", false, 34, false, "", "", ""},
                 {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "", "", ""});
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    tabs->setCurrentIndex(2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblSeasonWarning"))->isVisible());
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblSeasonWarning"))->text().startsWith(
        QStringLiteral("Season: Jupiter is combust from 14 July to 13 August 2026; marriages")));
    SaveBothSizes(QStringLiteral("17-analysis-season"));
    tabs->setCurrentIndex(3);
    QCoreApplication::processEvents();
    SaveBothSizes(QStringLiteral("18-day-season"));
    Save(Find<QWidget>(QStringLiteral("picDayContent")), QStringLiteral("19-day-season-tables"));
}

// A marriage for two people: the birth page with the second person's tab and the roles, and the analysis tab with
// the combined verdict and a column each.
TEST_F(ScreenshotTest, TwoPeopleForAMarriage) {
    ASSERT_TRUE(QDir().mkpath(folder));
    TickSubject(QStringLiteral("Marriage"));
    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage(DelhiMuhurtha);
    Click(QStringLiteral("cmdNext1"));
    FillBirthPage(QStringLiteral("Asha Menon"), true, MumbaiBirth);
    Click(QStringLiteral("cmdAddPerson"));
    Person ravi = kalvora::testing::Sample("Ravi Menon");
    ravi.sex = "Male";
    ravi.born = {1992, 2, 3, 9, 15};
    window->BirthPeople()->Forms().at(1)->ShowPerson(ravi);
    SaveBothSizes(QStringLiteral("20-birth-second-person"));
    window->BirthPeople()->ShowPerson(0);
    SaveBothSizes(QStringLiteral("21-birth-first-of-two"));
    Click(QStringLiteral("cmdNext2"));
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(2);
    SaveBothSizes(QStringLiteral("22-analysis-two-people"));

    // The finder for both: the combined verdict ranks the list and everyone's rating is beside it.
    FinderWindow* finder = OpenFinder();
    finder->findChild<QDateEdit*>(QStringLiteral("dtpFindTo"))->setDate(QDate(2026, 12, 16));
    finder->findChild<QCheckBox*>(QStringLiteral("chkFindAllGood"))->setChecked(true);
    SearchAndWait(finder);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    QCoreApplication::processEvents();
    Save(finder, QStringLiteral("23-find-two-people"));
}

// The month of New Delhi's December 2026 with the best windows of a marriage, as it opens and at a laptop's size.
TEST_F(ScreenshotTest, MonthWithBestWindows) {
    ASSERT_TRUE(QDir().mkpath(folder));
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true, DelhiMuhurtha, MumbaiBirth);
    window->findChild<QAction*>(QStringLiteral("mnuMonth"))->trigger();
    auto* month = Find<MonthWindow>(QStringLiteral("dlgMonth"));
    Find<QCheckBox>(QStringLiteral("chkMonthBest"))->setChecked(true);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    Save(month, QStringLiteral("24-month"));
    SaveAtLaptopSize(QStringLiteral("24-month"), month);
    EXPECT_LE(month->minimumSizeHint().width(), LaptopWindow.width());
}

// Edit > Preferences... with a convention other than the default and a home place, as it opens and at a laptop's
// size.
TEST_F(ScreenshotTest, Preferences) {
    ASSERT_TRUE(QDir().mkpath(folder));
    Preferences shown;
    shown.conventions.ayanamsa = Ayanamsa::Raman;
    shown.conventions.lunarMonth = LunarMonthRule::Amanta;
    shown.conventions.ephemeris = EphemerisChoice::Precise;
    shown.homePlace = Place{"Chennai", "Tamil Nadu", "India", "IN", "Asia/Kolkata", 13.0878, 80.2785, 0};
    PreferencesDialog dialog(shown, SharedAtlas().get(), window.get());
    dialog.show();
    Save(&dialog, QStringLiteral("25-preferences"));
    EXPECT_LE(dialog.sizeHint().width(), LaptopWindow.width());
    EXPECT_LE(dialog.sizeHint().height(), LaptopWindow.height());
}

}  // namespace
}  // namespace kalvora::test
