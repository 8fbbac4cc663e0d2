// Start-up state, the subject list, the weekday boxes, the Back paths, the wait panel, menus and links, and the
// one-copy lock.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/shell/single_instance.h"
#include "muhurtha/subjects.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

QStringList ListedSubjects(const WindowTest& t) {
    QStringList texts;
    auto* list = t.Find<QTreeWidget>(QStringLiteral("lstOptions"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(0);
    return texts;
}

QStringList TickedSubjects(const WindowTest& t) {
    QStringList texts;
    auto* list = t.Find<QTreeWidget>(QStringLiteral("lstOptions"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked) texts << list->topLevelItem(i)->text(0);
    }
    return texts;
}

void SetTicked(WindowTest& t, const QString& subject, bool ticked) {
    auto* list = t.Find<QTreeWidget>(QStringLiteral("lstOptions"));
    const auto found = list->findItems(subject, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << subject.toStdString();
    found[0]->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

TEST_F(WindowTest, OpensOnTheFirstPageWithTheDefaults) {
    EXPECT_EQ(window->objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kalvora v1.75"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMainScreen"));
    EXPECT_EQ(ListedSubjects(*this).size(), 7);
    EXPECT_TRUE(TickedSubjects(*this).isEmpty());
    EXPECT_EQ(window->ChosenSubject(), QString());
    EXPECT_EQ(Find<QTreeWidget>(QStringLiteral("lstOptions"))->headerItem()->text(0), QStringLiteral("Options"));

    const struct {
        const char* name;
        const char* text;
        int count;
    } lists[] = {
        {"cboMonth", "January", 12},  {"cboMuhurthaMonth", "January", 12}, {"cboDate", "1", 31},
        {"cboMuhurthaDate", "1", 31}, {"cboYear", "1901", 150},            {"cboMuhurthaYear", "1901", 150},
        {"cboWeekday", "Tuesday", 7}, {"cboMuhurthaWeekday", "Tuesday", 7}, {"cboBirthHour", "0", 24},
        {"cboHourFrom", "0", 24},     {"cboBirthMinute", "0", 60},         {"cboMinuteFrom", "0", 60},
        {"cboBirthSecond", "0", 60},  {"cboSecondFrom", "0", 60},
    };
    for (const auto& l : lists) {
        auto* combo = Find<QComboBox>(QString::fromLatin1(l.name));
        EXPECT_EQ(combo->currentText(), QString::fromLatin1(l.text)) << l.name;
        EXPECT_EQ(combo->count(), l.count) << l.name;
        EXPECT_FALSE(combo->isEditable()) << l.name;
    }
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("cboYear"))->itemText(149), QStringLiteral("2050"));
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("cboWeekday"))->itemText(0), QStringLiteral("Sunday"));
    for (const char* option : {"optLat_Muhurtha0", "optLong_Muhurtha0", "optLat_Birth0", "optLong_Birth0", "optSex0"}) {
        EXPECT_TRUE(Find<QRadioButton>(QString::fromLatin1(option))->isChecked()) << option;
    }
    EXPECT_EQ(Find<QRadioButton>(QStringLiteral("optLat_Birth1"))->text(), QStringLiteral("South"));
    EXPECT_EQ(Find<QRadioButton>(QStringLiteral("optLong_Birth1"))->text(), QStringLiteral("West"));
    EXPECT_EQ(Find<QRadioButton>(QStringLiteral("optSex1"))->text(), QStringLiteral("Female"));
    for (const char* dst : {"chkDST_Birth", "chkDST_Muhurtha"}) {
        EXPECT_FALSE(Find<QCheckBox>(QString::fromLatin1(dst))->isChecked());
    }
    for (const char* zone : {"lblZoneHour_Birth", "lblZoneMinute_Birth", "lblZoneHour_Muhurtha", "lblZoneMinute_Muhurtha"}) {
        EXPECT_EQ(Text(QString::fromLatin1(zone)), QStringLiteral("0"));
    }
    EXPECT_EQ(Find<QLineEdit>(QStringLiteral("txtBirthDegreeLat"))->maxLength(), 3);
    EXPECT_EQ(Find<QPushButton>(QStringLiteral("cmdSearch0"))->text(),
              QStringLiteral("Click here to find &Latitude && Longitude"));
}

TEST_F(WindowTest, EachCategoryListsItsSubjects) {
    for (std::size_t c = 0; c < SubjectCategories.size(); ++c) {
        const QString label = QStringLiteral("lblMainOptions%1").arg(c);
        EXPECT_EQ(Text(label), QString::fromUtf8(SubjectCategories[c].caption.data())) << c;
        Click(label);
        QStringList expected;
        for (std::size_t i = 0; i < SubjectCategories[c].size; ++i) {
            expected << QString::fromUtf8(SubjectText(SubjectCategories[c].subjects[i]).data());
        }
        EXPECT_EQ(ListedSubjects(*this), expected) << c;
    }
}

TEST_F(WindowTest, AtMostOneSubjectIsTicked) {
    SetTicked(*this, QStringLiteral("Tonsuring of Head"), true);
    EXPECT_EQ(window->ChosenSubject(), QStringLiteral("Tonsuring of Head"));
    SetTicked(*this, QStringLiteral("Adoption of a Child"), true);
    EXPECT_EQ(TickedSubjects(*this), QStringList{QStringLiteral("Adoption of a Child")});
    EXPECT_EQ(window->ChosenSubject(), QStringLiteral("Adoption of a Child"));
    SetTicked(*this, QStringLiteral("Naming of The Child or Namakarana"), true);  // one above the ticked one
    EXPECT_EQ(TickedSubjects(*this), QStringList{QStringLiteral("Naming of The Child or Namakarana")});

    // Another category replaces the list; the choice stays until the list is clicked again.
    Click(QStringLiteral("lblMainOptions6"));
    EXPECT_TRUE(TickedSubjects(*this).isEmpty());
    EXPECT_EQ(window->ChosenSubject(), QStringLiteral("Naming of The Child or Namakarana"));
    Click(QStringLiteral("lblMainOptions0"));
    EXPECT_EQ(TickedSubjects(*this), QStringList{QStringLiteral("Naming of The Child or Namakarana")});

    SetTicked(*this, QStringLiteral("Naming of The Child or Namakarana"), false);
    EXPECT_EQ(window->ChosenSubject(), QString());
    Click(QStringLiteral("cmdNext0"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Please Select A Subject"));
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMainScreen"));
}

TEST_F(WindowTest, CategoryUnderThePointerTurnsGreen) {
    auto* marriage = Find<QLabel>(QStringLiteral("lblMainOptions1"));
    auto* legal = Find<QLabel>(QStringLiteral("lblMainOptions9"));
    const QPointF inside(5, 5);
    QEnterEvent enter(inside, inside, marriage->mapToGlobal(inside));
    QApplication::sendEvent(marriage, &enter);
    EXPECT_EQ(marriage->palette().color(marriage->foregroundRole()), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(legal->palette().color(legal->foregroundRole()), QColor(0x00, 0x00, 0x00));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(marriage, &leave);
    EXPECT_EQ(marriage->palette().color(marriage->foregroundRole()), QColor(0x00, 0x00, 0x00));
}

TEST_F(WindowTest, WeekdayBoxFollowsItsDate) {
    const struct {
        const char *year, *month, *day, *weekday;
    } cases[] = {
        {"1901", "January", "1", "Tuesday"},   {"1947", "August", "15", "Friday"},   {"2000", "February", "29", "Tuesday"},
        {"2000", "January", "1", "Saturday"},  {"2026", "December", "8", "Tuesday"}, {"2050", "December", "31", "Saturday"},
        {"1999", "February", "28", "Sunday"},
    };
    const struct {
        const char *year, *month, *day, *weekday;
    } pages[] = {{"cboYear", "cboMonth", "cboDate", "cboWeekday"},
                 {"cboMuhurthaYear", "cboMuhurthaMonth", "cboMuhurthaDate", "cboMuhurthaWeekday"}};
    for (const auto& p : pages) {
        for (const auto& c : cases) {
            Pick(QString::fromLatin1(p.year), QString::fromLatin1(c.year));
            Pick(QString::fromLatin1(p.month), QString::fromLatin1(c.month));
            Pick(QString::fromLatin1(p.day), QString::fromLatin1(c.day));
            EXPECT_EQ(Text(QString::fromLatin1(p.weekday)), QString::fromLatin1(c.weekday))
                << p.weekday << " " << c.year << " " << c.month << " " << c.day;
        }
        // An impossible date leaves the box alone; the user may still choose another weekday.
        Pick(QString::fromLatin1(p.day), QStringLiteral("31"));
        Pick(QString::fromLatin1(p.month), QStringLiteral("February"));
        EXPECT_EQ(Text(QString::fromLatin1(p.weekday)), QStringLiteral("Sunday")) << "28 February 1999 was kept";
        Pick(QString::fromLatin1(p.weekday), QStringLiteral("Monday"));
        EXPECT_EQ(Text(QString::fromLatin1(p.weekday)), QStringLiteral("Monday"));
    }
    EXPECT_EQ(window->ReadCalculationInput().muhurthaWeekdayBox, "Monday");
}

// Values typed on both moment pages, read back control by control.
QStringList TypedValues(const WindowTest& t) {
    QStringList values;
    for (const char* name :
         {"cboMuhurthaMonth", "cboMuhurthaDate", "cboMuhurthaYear", "cboMuhurthaWeekday", "cboHourFrom", "cboMinuteFrom",
          "cboSecondFrom", "txtDegreeLat", "txtMinuteLat", "txtDegreeLong", "txtMinuteLong", "txtCity", "txtState",
          "txtCountry", "lblZoneHour_Muhurtha", "lblZoneMinute_Muhurtha", "txtBirthName", "cboMonth", "cboDate",
          "cboYear", "cboWeekday", "cboBirthHour", "cboBirthMinute", "cboBirthSecond", "txtBirthDegreeLat",
          "txtBirthMinuteLat", "txtBirthDegreeLong", "txtBirthMinuteLong", "txtBirthCity", "txtBirthState",
          "txtBirthCountry", "lblZoneHour_Birth", "lblZoneMinute_Birth"}) {
        values << t.Text(QString::fromLatin1(name));
    }
    for (const char* name : {"optLat_Muhurtha1", "optLong_Muhurtha1", "optLat_Birth1", "optLong_Birth1", "optSex1"}) {
        values << (t.Find<QRadioButton>(QString::fromLatin1(name))->isChecked() ? "on" : "off");
    }
    for (const char* name : {"chkDST_Muhurtha", "chkDST_Birth"}) {
        values << (t.Find<QCheckBox>(QString::fromLatin1(name))->isChecked() ? "on" : "off");
    }
    return values;
}

TEST_F(WindowTest, BackKeepsEverythingTyped) {
    TickSubject(QStringLiteral("Buying Land"));
    Click(QStringLiteral("cmdBack0"));  // Back on the first page does nothing
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMainScreen"));
    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage({"September", 9, 2031, 16, 20, 45, "9", "55", true, "32", "3", true, 3, true, "Lima", "Lima", "Peru"});
    Click(QStringLiteral("cmdNext1"));
    FillBirthPage(QStringLiteral("Nila"), true,
                  {"May", 5, 1977, 5, 5, 5, "8", "30", false, "76", "57", false, 34, false, "Thiruvananthapuram",
                   "Kerala", "India"});
    const QStringList typed = TypedValues(*this);

    Click(QStringLiteral("cmdBack2"));
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picSearchMode"));
    EXPECT_EQ(TypedValues(*this), typed);
    Click(QStringLiteral("cmdBack1"));
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMainScreen"));
    EXPECT_EQ(TypedValues(*this), typed);
    EXPECT_EQ(window->ChosenSubject(), QStringLiteral("Buying Land"));

    // From each result panel: the subject is unticked, page 1 shows, the typed data stays.
    for (const char* back : {"cmdBack3", "cmdBack4", "cmdBack5", "cmdBack6"}) {
        TickSubject(QStringLiteral("Buying Land"));
        for (const char* next : {"cmdNext0", "cmdNext1", "cmdNext2"}) Click(QString::fromLatin1(next));
        ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult")) << back;
        Find<QTabWidget>(QStringLiteral("TS"))->setCurrentWidget(Find<QWidget>(QString::fromLatin1(back))->parentWidget());
        Click(QString::fromLatin1(back));
        EXPECT_EQ(CurrentPageName(), QStringLiteral("picMainScreen")) << back;
        EXPECT_EQ(window->ChosenSubject(), QString()) << back;
        EXPECT_TRUE(TickedSubjects(*this).isEmpty()) << back;
        EXPECT_EQ(TypedValues(*this), typed) << back;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, WaitPanelShowsWhileInputIsBlocked) {
    MakeWindow(40);
    TickSubject(QStringLiteral("Marriage"));
    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage({"March", 14, 2026, 9, 30, 0, "12", "58", false, "77", "35", false, -1, false, "", "", ""});
    Click(QStringLiteral("cmdNext1"));
    FillBirthPage(QStringLiteral("Kavya"), true,
                  {"October", 2, 1990, 4, 10, 0, "22", "34", false, "88", "22", false, -1, false, "", "", ""});

    QString pageDuringWait;
    bool closedDuringWait = true;
    QTimer::singleShot(0, [&] {
        pageDuringWait = CurrentPageName();
        // Typing and closing during the pause reach nothing.
        QTest::keyClicks(Find<QLineEdit>(QStringLiteral("txtBirthName")), QStringLiteral("XYZ"));
        QTest::mouseClick(Find<QWidget>(QStringLiteral("lblMainOptions3")), Qt::LeftButton);
        closedDuringWait = window->close();
    });
    Click(QStringLiteral("cmdNext2"));
    EXPECT_EQ(pageDuringWait, QStringLiteral("picMessage"));
    EXPECT_FALSE(closedDuringWait);
    EXPECT_EQ(Text(QStringLiteral("lblWait")), QStringLiteral("Please wait while Kalvora is generating the result...."));
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    EXPECT_EQ(Text(QStringLiteral("txtBirthName")), QStringLiteral("Kavya"));
    EXPECT_EQ(ListedSubjects(*this).size(), 3) << "the click on a category was swallowed";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, HelpEntriesAndLinksOpenThePublishersPages) {
    const struct {
        const char* action;
        const char* caption;
        const char* url;
    } entries[] = {
        {"mnuOnline", "&Online Help", "https://www.kalvora.example/help"},
        {"mnuVisit", "&Visit Us Online", "https://www.kalvora.example"},
        {"mnuUpdate", "Check for Software &Update", "https://www.kalvora.example/update"},
    };
    for (const auto& e : entries) {
        urls.clear();
        auto* action = window->findChild<QAction*>(QString::fromLatin1(e.action));
        ASSERT_NE(action, nullptr) << e.action;
        EXPECT_EQ(action->text(), QString::fromLatin1(e.caption));
        action->trigger();
        ASSERT_EQ(urls.size(), 1u) << e.action;
        EXPECT_EQ(urls[0], QUrl(QString::fromLatin1(e.url))) << e.action;
    }
    urls.clear();
    Click(QStringLiteral("lblVisitUs"));
    ShowPageNamed(QStringLiteral("picMuhurthaResult"));
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(2);
    Click(QStringLiteral("lblDetailedAnalysis"));
    ASSERT_EQ(urls.size(), 2u);
    for (const QUrl& url : urls) EXPECT_TRUE(url.toString().startsWith(QStringLiteral("https://www.kalvora.example")));
}

TEST_F(WindowTest, APageNoBrowserOpensIsGivenInAMessage) {
    browserOpens = false;
    const struct {
        const char* control;  // a menu entry or a link label
        const char* url;
    } links[] = {
        {"mnuOnline", "https://www.kalvora.example/help"},
        {"mnuVisit", "https://www.kalvora.example"},
        {"mnuUpdate", "https://www.kalvora.example/update"},
        {"lblVisitUs", "https://www.kalvora.example"},
        {"lblDetailedAnalysis", "https://www.kalvora.example/analysis"},
    };
    ShowPageNamed(QStringLiteral("picMuhurthaResult"));
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(2);
    for (const auto& link : links) {
        messages.clear();
        urls.clear();
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(link.control))) {
            action->trigger();
        } else {
            Click(QString::fromLatin1(link.control));
        }
        ASSERT_EQ(urls.size(), 1u) << link.control;
        ASSERT_EQ(messages.size(), 1u) << link.control;
        EXPECT_EQ(messages[0].icon, QMessageBox::Information);
        EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("No web browser could be opened")));
        EXPECT_TRUE(messages[0].text.endsWith(QString::fromLatin1(link.url))) << messages[0].text.toStdString();
    }
}

TEST_F(WindowTest, AboutBoxIsModalAndExitCloses) {
    auto* about = window->findChild<QAction*>(QStringLiteral("mnuAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), QStringLiteral("&About Software"));
    QString name, title, description, credits;
    WhenModalShows([&](QWidget* modal) {
        name = modal->objectName();
        title = modal->windowTitle();
        if (auto* label = modal->findChild<QLabel*>(QStringLiteral("lblAboutDescription"))) description = label->text();
        if (auto* label = modal->findChild<QLabel*>(QStringLiteral("lblAboutCredits"))) credits = label->text();
        auto* ok = modal->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    about->trigger();
    EXPECT_EQ(name, QStringLiteral("frmAbout"));
    EXPECT_EQ(title, QStringLiteral("Kalvora v1.75"));
    EXPECT_FALSE(description.isEmpty());
    // The data and libraries behind places, zones and planets, each with its licence.
    for (const char* credit : {"GeoNames", "CC-BY-4.0", "tzdata", "Swiss Ephemeris", "AGPL-3.0",
                               "GNU General Public License, version 3 or later"}) {
        EXPECT_TRUE(credits.contains(QString::fromLatin1(credit))) << credit;
    }

    auto* exit = window->findChild<QAction*>(QStringLiteral("mnuExit"));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), QStringLiteral("E&xit"));
    exit->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST(SingleInstance, OneCopyHoldsTheLockAndACrashedCopysLockIsTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kalvora.lock"));
    {
        SingleInstance first(path);
        SingleInstance second(path);
        EXPECT_TRUE(first.Acquire());
        EXPECT_TRUE(first.Acquire()) << "asking again keeps the lock";
        EXPECT_FALSE(second.Acquire()) << "a second copy is refused while the first runs";
    }
    {
        SingleInstance afterExit(path);
        EXPECT_TRUE(afterExit.Acquire()) << "the lock is released when the copy ends";
    }
    // A lock left behind by a process that no longer runs on this host.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147483646\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance afterCrash(path);
    EXPECT_TRUE(afterCrash.Acquire());
}

}  // namespace
}  // namespace kalvora::test
