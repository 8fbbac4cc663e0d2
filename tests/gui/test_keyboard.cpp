// The window from the keyboard: Return presses the focused button or the page's default one, every button's
// mnemonic is its page's own, Ctrl+S and Ctrl+P save and print the report, and the undertaking categories are one
// stop of Tab with the arrows inside.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDateEdit>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "muhurtha/subjects.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

const MomentEntry& Muhurtha = DelhiMuhurtha;
const MomentEntry& Birth = MumbaiBirth;

// The window takes the keys again after a modal window (the zone picker) was closed.
void Activate(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

void PressReturnIn(QWidget* widget) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
}

TEST_F(WindowTest, ReturnPressesTheFocusedButtonElseThePagesNext) {
    TickSubject(QStringLiteral("Marriage"));
    const struct {
        const char* focus;  // where Return is pressed
        const char* page;   // the page in front afterwards
    } steps[] = {
        {"lstOptions", "picSearchMode"},     {"txtDegreeLat", "picBirthDetails"}, {"cmdBack2", "picSearchMode"},
        {"cboHourFrom", "picBirthDetails"},  {"optSex1", "picMuhurthaResult"},
    };
    bool filled = false;
    for (const auto& step : steps) {
        if (CurrentPageName() == QStringLiteral("picSearchMode") && !filled) {
            FillMuhurthaPage(Muhurtha);
            FillBirthPage(QStringLiteral("Asha"), true, Birth);
            ShowPageNamed(QStringLiteral("picSearchMode"));
            filled = true;
        }
        PressReturnIn(Find<QWidget>(QString::fromLatin1(step.focus)));
        ASSERT_TRUE(messages.empty()) << step.focus << ": " << messages.front().text.toStdString();
        EXPECT_EQ(CurrentPageName(), QString::fromLatin1(step.page)) << step.focus;
    }

    // Return in the City box with its list of places open takes the place and stays on the page.
    ShowPageNamed(QStringLiteral("picSearchMode"));
    SharedAtlas()->Wait();
    ClearAndType(QStringLiteral("txtCity"), QStringLiteral("New Delhi"));
    QAbstractItemView* places = Find<QCompleter>(QStringLiteral("cmpPlaces_Muhurtha"))->popup();
    ASSERT_TRUE(places->isVisible());
    places->setCurrentIndex(places->model()->index(0, 0));
    QTest::keyClick(places, Qt::Key_Return);
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picSearchMode"));
    EXPECT_TRUE(Text(QStringLiteral("lblZoneLine_Muhurtha")).startsWith(QStringLiteral("Asia/Kolkata")));
}

TEST_F(WindowTest, ReturnInTheFinderSearches) {
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha"), true, Muhurtha, Birth);
    FinderWindow* finder = OpenFinder();
    auto* from = finder->findChild<QDateEdit*>(QStringLiteral("dtpFindFrom"));
    finder->findChild<QDateEdit*>(QStringLiteral("dtpFindTo"))->setDate(from->date());
    QSignalSpy finished(finder, &FinderWindow::searchFinished);
    Activate(finder);
    PressReturnIn(from);
    ASSERT_TRUE(finder->Searching()) << "Return did not start the search";
    ASSERT_TRUE(finished.wait(120000)) << "the search did not end";
    EXPECT_TRUE(messages.empty());
}

// The letter after '&' in a caption, lower case; none without one ("&&" is a plain '&').
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
        ++i;
    }
    return {};
}

TEST_F(WindowTest, EveryButtonHasAMnemonicOfItsOwnOnEachPage) {
    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha"), true, Muhurtha, Birth);
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    const struct {
        const char* page;
        int tab;
    } views[] = {{"picMainScreen", -1}, {"picSearchMode", -1}, {"picBirthDetails", -1},
                 {"picMuhurthaResult", 0}, {"picMuhurthaResult", 1}, {"picMuhurthaResult", 2}, {"picMuhurthaResult", 3}};
    for (const auto& view : views) {
        ShowPageNamed(QString::fromLatin1(view.page));
        if (view.tab >= 0) tabs->setCurrentIndex(view.tab);
        QStringList captions = menus;
        for (QPushButton* button : CurrentPage()->findChildren<QPushButton*>()) {
            if (!button->isVisible()) continue;
            EXPECT_FALSE(Mnemonic(button->text()).isNull()) << view.page << " " << button->objectName().toStdString();
            captions << button->text();
        }
        for (qsizetype a = 0; a < captions.size(); ++a) {
            for (qsizetype b = a + 1; b < captions.size(); ++b) {
                if (Mnemonic(captions[a]).isNull()) continue;
                EXPECT_NE(Mnemonic(captions[a]), Mnemonic(captions[b]))
                    << view.page << " " << view.tab << ": " << captions[a].toStdString() << " and "
                    << captions[b].toStdString();
            }
        }
    }
    // Alt and the letter press the button.
    Activate(window.get());
    ShowPageNamed(QStringLiteral("picBirthDetails"));
    QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
    for (int turn = 0; turn < 40 && CurrentPageName() != QStringLiteral("picSearchMode"); ++turn) QTest::qWait(25);
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picSearchMode")) << "the button is pressed as a click shows it";
}

TEST_F(WindowTest, CtrlSSavesAndCtrlPPrintsTheReportFromEveryResultTab) {
    QTemporaryDir folder;
    savePath = folder.filePath(QStringLiteral("report.rtf"));
    printToPdf = folder.filePath(QStringLiteral("report.pdf"));
    // Before any result the keys do nothing.
    QTest::keySequence(window.get(), QKeySequence::Save);
    QTest::keySequence(window.get(), QKeySequence::Print);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(QFile::exists(savePath));

    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha"), true, Muhurtha, Birth);
    Activate(window.get());
    auto* tabs = Find<QTabWidget>(QStringLiteral("TS"));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QFile::remove(savePath);
        QFile::remove(printToPdf);
        QTest::keySequence(window.get(), QKeySequence::Save);
        QTest::keySequence(window.get(), QKeySequence::Print);
        EXPECT_TRUE(QFile::exists(savePath)) << tab;
        EXPECT_TRUE(QFile::exists(printToPdf)) << tab;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, TheCategoriesAreOneTabStopWithTheArrowsInside) {
    auto* list = Find<QTreeWidget>(QStringLiteral("lstOptions"));
    const auto category = [&](int c) { return Find<QWidget>(QStringLiteral("lblMainOptions%1").arg(c)); };
    const auto firstListed = [&] { return list->topLevelItem(0)->text(0); };
    const auto firstOf = [](int c) { return QString::fromUtf8(SubjectText(SubjectCategories[static_cast<std::size_t>(c)].subjects[0]).data()); };
    const int last = static_cast<int>(SubjectCategories.size()) - 1;

    category(0)->setFocus();
    const struct {
        Qt::Key key;
        int shown;  // the category shown and focused afterwards
    } keys[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_End, last}, {Qt::Key_Down, last},
                {Qt::Key_Home, 0}, {Qt::Key_Up, 0}};
    for (const auto& k : keys) {
        QTest::keyClick(QApplication::focusWidget(), k.key);
        EXPECT_EQ(QApplication::focusWidget(), category(k.shown)) << k.shown;
        EXPECT_EQ(firstListed(), firstOf(k.shown)) << k.shown;
    }
    // One Tab from the shown category reaches the list, and Shift+Tab comes back to it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), category(1));
    // A category clicked with the mouse becomes the stop.
    Click(QStringLiteral("lblMainOptions5"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), category(5));
}

}  // namespace
}  // namespace kalvora::test
