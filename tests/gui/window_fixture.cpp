#include "tests/gui/window_fixture.h"

#include <QPrinter>

#include <memory>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/shell/preferences.h"
#include "muhurtha/subjects.h"

namespace kalvora::test {

namespace {

constexpr int PollTurns = 200;

void PollForModal(const std::shared_ptr<std::function<void(QWidget*)>>& action, int turnsLeft) {
    QTimer::singleShot(0, [action, turnsLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (turnsLeft > 0) PollForModal(action, turnsLeft - 1);
            else ADD_FAILURE() << "no modal window was shown";
            return;
        }
        QPointer<QWidget> shown(modal);
        (*action)(modal);
        // Guard: whatever the action did, the modal window must not outlive it by much.
        auto turns = std::make_shared<int>(PollTurns);
        auto check = std::make_shared<std::function<void()>>();
        *check = [shown, turns, check] {
            if (shown.isNull() || !shown->isVisible()) return;
            if (--*turns > 0) {
                QTimer::singleShot(0, *check);
                return;
            }
            ADD_FAILURE() << "modal window " << shown->objectName().toStdString() << " stayed open";
            shown->close();
        };
        QTimer::singleShot(0, *check);
    });
}

// As a mouse does it: the first click, then the second press arriving as a double-click.
void DoubleClickAt(QAbstractItemView* view, const QPoint& at) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

void DoubleClickItem(QListWidget* list, QListWidgetItem* item) {
    list->scrollToItem(item);
    DoubleClickAt(list, list->visualItemRect(item).center());
}

void DoubleClickItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    DoubleClickAt(tree, tree->visualItemRect(item).center());
}

void WhenModalShows(std::function<void(QWidget* modal)> action) {
    PollForModal(std::make_shared<std::function<void(QWidget*)>>(std::move(action)), PollTurns);
}

std::shared_ptr<AtlasSource> SharedAtlas() {
    static const std::shared_ptr<AtlasSource> atlas = std::make_shared<AtlasSource>();
    return atlas;
}

void WindowTest::SetUp() {
    dataFolder = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dataFolder->isValid());
    qputenv("KALVORA_DATA_DIR", dataFolder->path().toUtf8());
    // The pages start as the tests expect them, on 1 January 1901 at 00:00 with no place, unless a test says
    // otherwise.
    Preferences firstDay;
    firstDay.pageStart = PageStart::FirstDay;
    SavePreferences(firstDay);
    MakeWindow(0);
}

void WindowTest::TearDown() {
    window.reset();
    qunsetenv("KALVORA_DATA_DIR");
    dataFolder.reset();
}

void WindowTest::MakeWindow(int waitPauseMs) {
    window.reset();
    ShellServices services;
    services.showMessage = [this](QWidget*, QMessageBox::Icon icon, const QString& text) {
        messages.push_back({icon, text});
    };
    services.openUrl = [this](const QUrl& url) {
        urls.push_back(url);
        return browserOpens;
    };
    services.waitPauseMs = waitPauseMs;
    services.askSavePath = [this](QWidget*) { return savePath; };
    services.askCalendarPath = [this](QWidget*) { return calendarPath; };
    services.askPdfPath = [this](QWidget*) { return pdfPath; };
    services.askPrinter = [this](QWidget*, QPrinter& printer) {
        if (printToPdf.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
        return true;
    };
    services.askChoice = [this](QWidget*, const QString& question, const QStringList& answers) {
        choices.push_back({question, answers});
        return choiceAnswer;
    };
    services.atlas = SharedAtlas();
    window = std::make_unique<MainWindow>(services);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
}

QString WindowTest::Text(const QString& name) const {
    if (auto* label = window->findChild<QLabel*>(name)) return label->text();
    if (auto* box = window->findChild<QLineEdit*>(name)) return box->text();
    if (auto* combo = window->findChild<QComboBox*>(name)) return combo->currentText();
    throw std::runtime_error("no text control named " + name.toStdString());
}

void WindowTest::ShowPageNamed(const QString& pageName) {
    Find<QStackedWidget>(QStringLiteral("stkPages"))->setCurrentWidget(Find<QWidget>(pageName));
}

void WindowTest::Click(const QString& name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }

void WindowTest::Pick(const QString& comboName, const QString& text) {
    auto* combo = Find<QComboBox>(comboName);
    const int index = combo->findText(text);
    if (index < 0) throw std::runtime_error(comboName.toStdString() + " offers no " + text.toStdString());
    combo->setCurrentIndex(index);
}

void WindowTest::Type(const QString& boxName, const QString& text) {
    auto* box = Find<QLineEdit>(boxName);
    box->setFocus();
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {  // a character no key of the test keyboard produces: its key events carry it as text
            QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void WindowTest::ClearAndType(const QString& boxName, const QString& text) {
    Find<QLineEdit>(boxName)->clear();
    Type(boxName, text);
}

void WindowTest::TickSubject(const QString& subject) {
    for (std::size_t c = 0; c < SubjectCategories.size(); ++c) {
        const SubjectCategory& category = SubjectCategories[c];
        for (std::size_t i = 0; i < category.size; ++i) {
            if (QString::fromUtf8(SubjectText(category.subjects[i]).data()) != subject) continue;
            Click(QStringLiteral("lblMainOptions") + QString::number(c));
            auto* list = Find<QTreeWidget>(QStringLiteral("lstOptions"));
            list->topLevelItem(static_cast<int>(i))->setCheckState(0, Qt::Checked);
            return;
        }
    }
    throw std::runtime_error("no subject " + subject.toStdString());
}

void WindowTest::ChooseZone(bool muhurthaPage, int row) {
    WhenModalShows([row](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        ASSERT_NE(list, nullptr);
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        DoubleClickItem(list, item);
    });
    Click(muhurthaPage ? QStringLiteral("lblTZHelp_Muhurtha") : QStringLiteral("lblTZHelp_Birth"));
}

namespace {

// The controls of one page that a moment entry fills.
struct PageNames {
    const char *month, *day, *year, *hour, *minute, *second, *degreeLat, *minuteLat, *optLat, *degreeLong,
        *minuteLong, *optLong, *dst, *city, *state, *country;
};

constexpr PageNames MuhurthaNames = {"cboMuhurthaMonth", "cboMuhurthaDate", "cboMuhurthaYear",  "cboHourFrom",
                                     "cboMinuteFrom",    "cboSecondFrom",   "txtDegreeLat",     "txtMinuteLat",
                                     "optLat_Muhurtha",  "txtDegreeLong",   "txtMinuteLong",    "optLong_Muhurtha",
                                     "chkDST_Muhurtha",  "txtCity",         "txtState",         "txtCountry"};
constexpr PageNames BirthNames = {"cboMonth",           "cboDate",           "cboYear",           "cboBirthHour",
                                  "cboBirthMinute",     "cboBirthSecond",    "txtBirthDegreeLat", "txtBirthMinuteLat",
                                  "optLat_Birth",       "txtBirthDegreeLong", "txtBirthMinuteLong", "optLong_Birth",
                                  "chkDST_Birth",       "txtBirthCity",      "txtBirthState",     "txtBirthCountry"};

QString L(const char* s) { return QString::fromLatin1(s); }

}  // namespace

void WindowTest::FillMoment(bool muhurthaPage, const MomentEntry& m) {
    const PageNames& n = muhurthaPage ? MuhurthaNames : BirthNames;
    Pick(L(n.year), QString::number(m.year));
    Pick(L(n.month), L(m.month));
    Pick(L(n.day), QString::number(m.day));
    Pick(L(n.hour), QString::number(m.hour));
    Pick(L(n.minute), QString::number(m.minute));
    Pick(L(n.second), QString::number(m.second));
    for (const auto& [box, text] : {std::pair{n.degreeLat, m.degreeLat}, std::pair{n.minuteLat, m.minuteLat},
                                    std::pair{n.degreeLong, m.degreeLong}, std::pair{n.minuteLong, m.minuteLong},
                                    std::pair{n.city, m.city}, std::pair{n.state, m.state},
                                    std::pair{n.country, m.country}}) {
        ClearAndType(L(box), L(text));
    }
    Click(L(n.optLat) + (m.south ? QLatin1Char('1') : QLatin1Char('0')));
    Click(L(n.optLong) + (m.west ? QLatin1Char('1') : QLatin1Char('0')));
    Find<QCheckBox>(L(n.dst))->setChecked(m.dst);
    if (m.zoneRow >= 0) ChooseZone(muhurthaPage, m.zoneRow);
}

void WindowTest::FillMuhurthaPage(const MomentEntry& m) { FillMoment(true, m); }

void WindowTest::FillBirthPage(const QString& name, bool female, const MomentEntry& b) {
    ClearAndType(QStringLiteral("txtBirthName"), name);
    Click(female ? QStringLiteral("optSex1") : QStringLiteral("optSex0"));
    FillMoment(false, b);
}

}  // namespace kalvora::test

namespace kalvora::test {

void WindowTest::RunToResults(const QString& subject, const QString& name, bool female, const MomentEntry& muhurtha,
                              const MomentEntry& birth) {
    TickSubject(subject);
    Click(QStringLiteral("cmdNext0"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picSearchMode"));
    FillMuhurthaPage(muhurtha);
    Click(QStringLiteral("cmdNext1"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picBirthDetails"));
    FillBirthPage(name, female, birth);
    Click(QStringLiteral("cmdNext2"));
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
}

FinderWindow* WindowTest::OpenFinder() {
    auto* entry = window->findChild<QAction*>(QStringLiteral("mnuFindBestTimes"));
    if (entry == nullptr) throw std::runtime_error("no menu entry mnuFindBestTimes");
    entry->trigger();
    return Find<FinderWindow>(QStringLiteral("frmFindBestTimes"));
}

void WindowTest::SearchAndWait(FinderWindow* finder) {
    constexpr int SearchTimeoutMs = 120000;
    QSignalSpy finished(finder, &FinderWindow::searchFinished);
    QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("cmdFindSearch")), Qt::LeftButton);
    ASSERT_TRUE(finder->Searching()) << "the search did not start";
    ASSERT_TRUE(finished.wait(SearchTimeoutMs)) << "the search did not end";
}

}  // namespace kalvora::test
