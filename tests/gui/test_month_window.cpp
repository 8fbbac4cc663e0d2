// "Month...": the month grid of the muhurtha page's place, opened from the Day tab, the Tools menu and the finder;
// its cells against the month's known days at New Delhi, its marks for a screen reader, and a click on a day.

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include "app/gui/month/month_window.h"
#include "zone/zone.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/shell_run.h"

namespace kalvora::test {
namespace {

class MonthWindowTest : public WindowTest {
protected:
    void SetUp() override {
        // A week starting on Monday, so that the grid's first column is not the weekday the month model counts
        // from.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        WindowTest::SetUp();
        RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha Menon"), true, DelhiMuhurtha, MumbaiBirth);
        Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(3);
        Click(QStringLiteral("cmdDayMonth"));
        month = Find<MonthWindow>(QStringLiteral("dlgMonth"));
    }
    void TearDown() override {
        WindowTest::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    QString Cell(int day) const {
        const QTableWidgetItem* cell = month->Grid()->CellOf({2026, 12, day});
        return cell ? cell->text() : QStringLiteral("(no cell)");
    }

    MonthWindow* month = nullptr;
};

TEST_F(MonthWindowTest, CellsHoldTheDaysOfDecemberAtNewDelhi) {
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblMonthTitle"))->text(), QStringLiteral("December 2026"));
    MonthGrid* grid = month->Grid();
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Monday"));
    // Tuesday the 1st in the second column; Thursday the 31st in the fifth row.
    EXPECT_EQ(grid->DateAt(0, 1), (LocalDate{2026, 12, 1}));
    EXPECT_FALSE(grid->DateAt(0, 0).has_value());
    EXPECT_EQ(grid->DateAt(4, 3), (LocalDate{2026, 12, 31}));

    struct Case {
        int day;
        std::vector<QString> shown;
        std::vector<QString> notShown;
    };
    const std::vector<Case> cases = {
        {1, {"1 Tue   \u2600 07:00\u201317:19", "Ashtami to 23:14", "Magha to 09:03", "Kartika, Krishna Paksha"}, {"\u2298"}},
        // The new lunar month and the bright half begin; the next day says neither again.
        {9, {"Pratipad to 10 Dec 08:47", "Jyeshtha to 21:03", "Agrahayana, Shukla Paksha"}, {}},
        {10, {"Pratipad to 08:47", "Moola to 11 Dec 00:01"}, {"Agrahayana", "\u2298"}},
        {16, {"Saptami to 22:46", "\u2298 Kharmas"}, {}},
        {31, {"Ashtami to 12:33", "Hasta to 16:16", "\u2298 Kharmas"}, {}},
    };
    for (const Case& c : cases) {
        const QString text = Cell(c.day);
        for (const QString& s : c.shown) EXPECT_TRUE(text.contains(s)) << c.day << ": " << text.toStdString();
        for (const QString& s : c.notShown) EXPECT_FALSE(text.contains(s)) << c.day << ": " << text.toStdString();
    }
    // A screen reader hears the vetoed days, and only those while no undertaking is searched.
    const QString description = grid->accessibleDescription();
    EXPECT_TRUE(description.contains(QStringLiteral("2026-12-16 Saptami to 22:46")));
    EXPECT_FALSE(description.contains(QStringLiteral("2026-12-15")));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Description), description);
}

TEST_F(MonthWindowTest, BestWindowsAreTheMonthModelsAndMarkedBySymbol) {
    Find<QCheckBox>(QStringLiteral("chkMonthBest"))->setChecked(true);
    ASSERT_TRUE(month->Month().searched);
    // The finder's first window of each date, as kalvora-cli month gives them for these people.
    EXPECT_TRUE(Cell(15).contains(QStringLiteral("\u2605 Good 00:00\u201323:59")));
    EXPECT_TRUE(Cell(16).contains(QStringLiteral("\u2605 Good 00:00\u201310:26")));
    EXPECT_TRUE(Cell(17).contains(QStringLiteral("no rated window")));
    for (const MonthDay& day : month->Month().days) {
        const QString text = Cell(day.view.sun.date.day);
        if (day.best) {
            EXPECT_TRUE(text.contains(QString::fromStdString(ClockText(day.best->firstMinute)) + QStringLiteral("\u2013") +
                                      QString::fromStdString(ClockText(day.best->lastMinute))))
                << text.toStdString();
        }
    }
    EXPECT_TRUE(month->Grid()->accessibleDescription().contains(QStringLiteral("2026-12-15")));

    // The best window of the 16th opens as the full result of its first minute.
    month->Grid()->setCurrentCell(month->Grid()->row(month->Grid()->CellOf({2026, 12, 16})),
                                  month->Grid()->column(month->Grid()->CellOf({2026, 12, 16})));
    choiceAnswer = 0;
    Click(QStringLiteral("cmdMonthShowBest"));
    QCoreApplication::processEvents();
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    ASSERT_TRUE(window->LastCalculation().has_value());
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("TS"))->currentIndex(), 0);
    EXPECT_TRUE(choices.back().question.contains(QStringLiteral("2026-12-16 00:00")));
}

TEST_F(MonthWindowTest, ClickingADayShowsItsDayTabAndTheMonthsMoveOn) {
    choiceAnswer = 0;
    QTableWidgetItem* cell = month->Grid()->CellOf({2026, 12, 23});
    ASSERT_NE(cell, nullptr);
    QTest::mouseClick(month->Grid()->viewport(), Qt::LeftButton, {}, month->Grid()->visualItemRect(cell).center());
    QCoreApplication::processEvents();
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    EXPECT_EQ(Find<QTabWidget>(QStringLiteral("TS"))->currentIndex(), 3);
    EXPECT_EQ(Find<QLabel>(QStringLiteral("lblDayTitle"))->text().toStdString(), "The Day of Wednesday, 23 December 2026");

    Click(QStringLiteral("cmdMonthNext"));
    EXPECT_EQ(month->Month().year, 2027);
    EXPECT_EQ(month->Month().month, 1);
    Click(QStringLiteral("cmdMonthPrevious"));
    Click(QStringLiteral("cmdMonthPrevious"));
    EXPECT_EQ(month->Month().month, 11);
    // The Tools menu brings the same window to the front.
    window->findChild<QAction*>(QStringLiteral("mnuMonth"))->trigger();
    EXPECT_EQ(window->findChildren<MonthWindow*>().size(), 1);
}

// File > Export Month as PDF... and Print... put the month shown on one landscape page of the locale's paper
// (A4 for the United Kingdom) with its notes and marks; a file that cannot be written is said, not lost.
TEST_F(MonthWindowTest, TheMonthPrintsAndSavesOnOneLandscapePage) {
    Find<QCheckBox>(QStringLiteral("chkMonthBest"))->setChecked(true);
    const QTemporaryDir folder;
    struct Case {
        const char* name;
        std::function<void(const QString& path)> save;
    };
    const Case cases[] = {
        {"export", [this](const QString& path) {
             pdfPath = path;
             window->findChild<QAction*>(QStringLiteral("mnuExportMonthPdf"))->trigger();
         }},
        {"print", [this](const QString& path) {
             printToPdf = path;
             Click(QStringLiteral("cmdMonthPrint"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        c.save(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
                      pdf.count("/Type /Page "), 1);
        EXPECT_TRUE(pdf.contains("/MediaBox [0 0 842"));
        const std::string text = testing::RunShell("pdftotext '" + path.toStdString() + "' -").out;
        for (const char* expected : {"December 2026", "each day from sunrise", "Marriage for Asha Menon",
                                     "Kartika, Krishna Paksha", "\u2605 Good 00:00\u201310:26"}) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
        }
    }
    EXPECT_TRUE(messages.empty());
    pdfPath = folder.filePath(QStringLiteral("none/month.pdf"));
    Click(QStringLiteral("cmdMonthExportPdf"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back().icon, QMessageBox::Critical);
    EXPECT_TRUE(messages.back().text.startsWith(QStringLiteral("Cannot save the month to "))) << messages.back().text.toStdString();
}

// Apia's clocks skipped 30 December 2011: the grid leaves that cell empty and keeps the 31st on its Saturday.
TEST(MonthGrid, ADateTheClocksSkippedLeavesItsCellEmpty) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));  // weeks from Sunday
    MonthQuery query;
    query.year = 2011;
    query.month = 12;
    query.place = {13, 50, true, 171, 45, false};
    query.timeZone = OpenTimeZone("Pacific/Apia");
    ASSERT_TRUE(query.timeZone.has_value());
    MonthGrid grid;
    grid.ShowMonth(ComputeMonth(query));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(grid.DateAt(0, 4), (LocalDate{2011, 12, 1}));  // a Thursday
    EXPECT_EQ(grid.CellOf({2011, 12, 30}), nullptr);
    EXPECT_EQ(grid.DateAt(4, 6), (LocalDate{2011, 12, 31}));
    EXPECT_FALSE(grid.DateAt(4, 5).has_value());
}

}  // namespace
}  // namespace kalvora::test
