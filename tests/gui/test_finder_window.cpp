// "Find Best Times...": opening the finder, the messages of missing input, a search compared with the finder run
// directly, Cancel and closing during a search, a double-clicked time shown as the main window's result, and the
// season's vetoes ticked from the undertaking's.

#include <algorithm>
#include <functional>
#include <set>

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/pages/input_checks.h"
#include "app/gui/pages/moment_form.h"
#include "atlas/atlas.h"
#include "finder/window_events.h"
#include "astro/tables.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// Lets the event loop run until the condition holds; false when it still fails after the timeout. (QtTest's
// QTRY_ macros report to QtTest's own log, which these GoogleTest tests do not read.)
bool Eventually(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }

class FinderTest : public WindowTest {
public:
    // A subject whose rating changes over a day, so that the list holds windows of several ratings.
    static constexpr const char* Subject = "Religious Journey";

    void SetUp() override {
        WindowTest::SetUp();
        TickSubject(QString::fromLatin1(Subject));
        FillMuhurthaPage({"March", 14, 2026, 9, 30, 0, "12", "58", false, "77", "35", false, 34, false, "Bengaluru",
                          "Karnataka", "India"});
        FillBirthPage(QStringLiteral("Kavya"), true,
                      {"October", 2, 1990, 4, 10, 0, "22", "34", false, "88", "22", false, 34, false, "Kolkata",
                       "West Bengal", "India"});
    }

    // The query the pages and the finder's options stand for, built here from the pages' readers.
    FinderQuery ExpectedQuery(LocalDate from, LocalDate to, DailyWindow between) const {
        const CalculationInput pages = window->ReadCalculationInput();
        FinderQuery query;
        query.input = pages;
        query.input.subject = Subject;
        query.input.personName = "Kavya";
        query.input.personSex = "Female";
        query.from = from;
        query.to = to;
        query.between = between;
        return query;
    }

    void SetSpan(LocalDate from, LocalDate to) {
        Find<QDateEdit>(QStringLiteral("dtpFindFrom"))->setDate(QDate(from.year, from.month, from.day));
        Find<QDateEdit>(QStringLiteral("dtpFindTo"))->setDate(QDate(to.year, to.month, to.day));
    }

    void SetBetween(DailyWindow between) {
        Find<QCheckBox>(QStringLiteral("chkFindBetween"))->setChecked(true);
        Find<QTimeEdit>(QStringLiteral("timFindFrom"))
            ->setTime(QTime(between.firstMinute / 60, between.firstMinute % 60));
        Find<QTimeEdit>(QStringLiteral("timFindTo"))->setTime(QTime(between.lastMinute / 60, between.lastMinute % 60));
    }

    QTreeWidget* List() const { return Find<QTreeWidget>(QStringLiteral("lstFoundWindows")); }

    static constexpr LocalDate ShortFrom{2026, 3, 14};
    static constexpr LocalDate ShortTo{2026, 3, 16};
    static constexpr DailyWindow Daytime{6 * 60, 20 * 60};
};

TEST_F(FinderTest, OpensFromTheMenuAndTheButtonWithTheMuhurthaDate) {
    const struct {
        const char* month;
        int day, year;
        QDate from, to;  // the span the window opens with
    } cases[] = {
        {"March", 14, 2026, {2026, 3, 14}, {2026, 4, 13}},
        {"April", 31, 2026, {2026, 4, 30}, {2026, 5, 30}},       // an impossible day: the month's last
        {"December", 20, 2050, {2050, 12, 20}, {2050, 12, 31}},  // the span ends with the years offered
    };
    bool byMenu = true;
    for (const auto& c : cases) {
        ShowPageNamed(QStringLiteral("picSearchMode"));
        Pick(QStringLiteral("cboMuhurthaYear"), QString::number(c.year));
        Pick(QStringLiteral("cboMuhurthaMonth"), QString::fromLatin1(c.month));
        Pick(QStringLiteral("cboMuhurthaDate"), QString::number(c.day));
        FinderWindow* finder = nullptr;
        if (byMenu) {
            finder = OpenFinder();
        } else {
            Click(QStringLiteral("cmdFindBestTimes"));
            finder = Find<FinderWindow>(QStringLiteral("frmFindBestTimes"));
        }
        byMenu = !byMenu;
        EXPECT_TRUE(finder->isVisible()) << c.month;
        EXPECT_EQ(Find<QDateEdit>(QStringLiteral("dtpFindFrom"))->date(), c.from) << c.month;
        EXPECT_EQ(Find<QDateEdit>(QStringLiteral("dtpFindTo"))->date(), c.to) << c.month;

        // Opening it again brings the same window forward; Close ends it.
        Click(QStringLiteral("cmdFindBestTimes"));
        EXPECT_EQ(window->findChildren<FinderWindow*>().size(), 1);
        QPointer<FinderWindow> closed(finder);
        QTest::mouseClick(finder->findChild<QPushButton*>(QStringLiteral("cmdFindClose")), Qt::LeftButton);
        EXPECT_TRUE(Eventually([&] { return closed.isNull(); })) << c.month;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinderTest, MissingInputIsNamedAndNoSearchStarts) {
    const struct {
        const char* label;
        std::function<void(FinderTest&)> spoil;
        QString message;
    } cases[] = {
        {"NoSubject",
         [](FinderTest& t) {
             auto* list = t.Find<QTreeWidget>(QStringLiteral("lstOptions"));
             for (int i = 0; i < list->topLevelItemCount(); ++i) list->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
         },
         Q(MsgSelectSubject)},
        {"NoBirthName", [](FinderTest& t) { t.ClearAndType(QStringLiteral("txtBirthName"), QStringLiteral(" ")); },
         Q(MsgEnterName)},
        {"NoMuhurthaLongitude", [](FinderTest& t) { t.ClearAndType(QStringLiteral("txtDegreeLong"), QString()); },
         Q(MsgDegreeLong)},
        {"BirthLatitudeTooLarge",
         [](FinderTest& t) { t.ClearAndType(QStringLiteral("txtBirthDegreeLat"), QStringLiteral("95")); },
         Q(MsgDegreeLatRange)},
        {"ImpossibleBirthDate",
         [](FinderTest& t) {
             t.Pick(QStringLiteral("cboMonth"), QStringLiteral("November"));
             t.Pick(QStringLiteral("cboDate"), QStringLiteral("31"));
         },
         Q(MsgThirtyDayMonth)},
        {"SpanBackwards",
         [](FinderTest& t) {
             t.SetSpan({2026, 3, 20}, {2026, 3, 19});
         },
         QStringLiteral("The last date 2026-03-19 comes before the first date 2026-03-20.")},
        {"SpanPastTenYears", [](FinderTest& t) { t.SetSpan({2026, 3, 20}, {2036, 3, 20}); },
         QStringLiteral("The span may cover at most 10 years: from 2026-03-20 the last date may be 2036-03-19 at the "
                        "latest, got 2036-03-20.")},
    };
    for (const auto& c : cases) {
        if (&c != cases) SetUp();  // a fresh window for each case
        FinderWindow* finder = OpenFinder();
        c.spoil(*this);
        messages.clear();
        Click(QStringLiteral("cmdFindSearch"));
        EXPECT_FALSE(finder->Searching()) << c.label;
        EXPECT_FALSE(finder->LastQuery().has_value()) << c.label;
        ASSERT_EQ(messages.size(), 1u) << c.label;
        EXPECT_EQ(messages.front().text, c.message) << c.label;
        if (std::string(c.label).starts_with("Span")) {
            EXPECT_EQ(Text(QStringLiteral("lblFindStatus")), QStringLiteral("Not searched: ") + c.message) << c.label;
        }
    }
}

// The texts of one listed row: date, weekday, from, to, best at, rating, count, score, nakshatra, tithi, lagna.
QStringList RowTexts(const FoundWindow& w) {
    return {Q(DateText(w.date)),
            Q(w.names.weekday),
            Q(ClockText(w.firstMinute)),
            Q(ClockText(w.lastMinute)),
            Q(ClockText(w.bestFirstMinute)),
            w.rating == Rating::NotRated ? QStringLiteral("Not rated") : Q(RatingWord(w.rating)),
            QStringLiteral("%1/%2").arg(w.count).arg(w.threshold),
            QString::number(w.totalScore),
            Q(w.names.nakshatra),
            Q(w.names.tithi),
            Q(w.names.lagna),
            QString()};  // everyone's ratings: only for several people
}

QStringList RowTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c) texts << item->text(c);
    return texts;
}

TEST_F(FinderTest, ListsTheWindowsOfTheFinderBestFirst) {
    FinderWindow* finder = OpenFinder();
    SetSpan(ShortFrom, ShortTo);
    SetBetween(Daytime);
    Find<QSpinBox>(QStringLiteral("spnFindTop"))->setValue(5);
    SearchAndWait(finder);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();

    const FinderQuery query = ExpectedQuery(ShortFrom, ShortTo, Daytime);
    const std::vector<FoundWindow> all = ListWindows(FindWindows(query).windows, WindowListing{});
    ASSERT_GT(all.size(), 5u);
    const std::vector<FoundWindow> expected(all.begin(), all.begin() + 5);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(List()->topLevelItemCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < List()->topLevelItemCount(); ++row) {
        EXPECT_EQ(RowTexts(List()->topLevelItem(row)), RowTexts(expected[static_cast<std::size_t>(row)])) << row;
    }
    EXPECT_EQ(Text(QStringLiteral("lblFindStatus")),
              QStringLiteral("3 dates searched; %1 times found, the best 5 listed.").arg(all.size()));
}

// "Export to Calendar..." waits for a list, then writes the windows listed, one event each in the order listed,
// with the UIDs of the finder's events; a cancelled dialog writes nothing, and a file that cannot be written is
// said in a message.
TEST_F(FinderTest, ExportToCalendarWritesTheListedWindows) {
    FinderWindow* finder = OpenFinder();
    auto* exportIcs = Find<QPushButton>(QStringLiteral("cmdFindExportIcs"));
    EXPECT_FALSE(exportIcs->isEnabled());
    SetSpan(ShortFrom, ShortTo);
    SetBetween(Daytime);
    Find<QSpinBox>(QStringLiteral("spnFindTop"))->setValue(4);
    SearchAndWait(finder);
    ASSERT_EQ(finder->ListedWindows().size(), 4u);
    ASSERT_TRUE(exportIcs->isEnabled());

    const QString path = dataFolder->filePath(QStringLiteral("times.ics"));
    calendarPath.clear();
    QTest::mouseClick(exportIcs, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path));

    calendarPath = path;
    QTest::mouseClick(exportIcs, Qt::LeftButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    QStringList uids, summaries;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("UID:"))) uids << line.mid(4);
        if (line.startsWith(QStringLiteral("SUMMARY:"))) summaries << line.mid(8);
    }
    QStringList expectedUids;
    for (const CalendarEvent& event : WindowEvents(*finder->LastQuery(), finder->ListedWindows())) {
        expectedUids << Q(event.uid);
    }
    EXPECT_EQ(uids, expectedUids);
    ASSERT_FALSE(summaries.isEmpty());
    EXPECT_EQ(summaries.front(), QStringLiteral("%1: %2 (Kavya)")
                                     .arg(QString::fromLatin1(Subject), Q(RatingWord(finder->ListedWindows()[0].rating))));
    EXPECT_TRUE(messages.empty());

    calendarPath = dataFolder->filePath(QStringLiteral("no such folder/times.ics"));
    QTest::mouseClick(exportIcs, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().icon, QMessageBox::Critical);
    EXPECT_TRUE(messages.front().text.startsWith(QStringLiteral("Cannot write the calendar to \"") + calendarPath))
        << messages.front().text.toStdString();
}

TEST_F(FinderTest, DoubleClickShowsThatMinuteAsTheResult) {
    FinderWindow* finder = OpenFinder();
    SetSpan(ShortFrom, ShortTo);
    SetBetween(Daytime);
    SearchAndWait(finder);
    const FinderQuery query = ExpectedQuery(ShortFrom, ShortTo, Daytime);

    // The first row whose best minute is not its first, then (after Back on the results unticked the subject)
    // the first row.
    const std::vector<FoundWindow>& listed = finder->ListedWindows();
    const auto later = std::find_if(listed.begin(), listed.end(),
                                    [](const FoundWindow& w) { return w.bestFirstMinute != w.firstMinute; });
    ASSERT_NE(later, listed.end());
    EXPECT_TRUE(Text(QStringLiteral("lblFindSearched")).startsWith(Q(query.input.subject)))
        << Text(QStringLiteral("lblFindSearched")).toStdString();

    // The pages hold another time: the user is asked first, and a cancel leaves them as they are.
    const QString pageHour = Text(QStringLiteral("cboHourFrom"));
    choiceAnswer = -1;
    DoubleClickItem(List(), List()->topLevelItem(0));
    ASSERT_TRUE(Eventually([&] { return !choices.empty(); }));
    EXPECT_TRUE(choices.back().question.startsWith(QStringLiteral("Show "))) << choices.back().question.toStdString();
    EXPECT_EQ(Text(QStringLiteral("cboHourFrom")), pageHour);
    EXPECT_NE(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    choiceAnswer = 0;

    for (const int row : {static_cast<int>(later - listed.begin()), 0}) {
        const FoundWindow& found = finder->ListedWindows().at(static_cast<std::size_t>(row));
        DoubleClickItem(List(), List()->topLevelItem(row));
        ASSERT_TRUE(Eventually([&] { return CurrentPageName() == QStringLiteral("picMuhurthaResult"); })) << row;
        ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();

        const Calculation expected = Calculate(MinuteInput(query, found.date, found.bestFirstMinute));
        EXPECT_EQ(Text(QStringLiteral("cboMuhurthaYear")), QString::number(found.date.year));
        EXPECT_EQ(Text(QStringLiteral("cboMuhurthaMonth")), Q(MonthNames.at(static_cast<std::size_t>(found.date.month - 1))));
        EXPECT_EQ(Text(QStringLiteral("cboMuhurthaDate")), QString::number(found.date.day));
        EXPECT_EQ(Text(QStringLiteral("cboHourFrom")), QString::number(found.bestFirstMinute / 60));
        EXPECT_EQ(Text(QStringLiteral("cboMinuteFrom")), QString::number(found.bestFirstMinute % 60));
        EXPECT_EQ(Text(QStringLiteral("cboSecondFrom")), QStringLiteral("0"));
        EXPECT_EQ(Text(QStringLiteral("cboMuhurthaWeekday")), Q(found.names.weekday));
        ASSERT_TRUE(window->LastCalculation() && window->LastCalculation()->evaluation && expected.evaluation);
        EXPECT_EQ(window->LastCalculation()->evaluation->resultText, expected.evaluation->resultText);
        EXPECT_EQ(window->LastCalculation()->evaluation->rating, found.rating);
        EXPECT_EQ(window->LastCalculation()->evaluation->count, found.count);
        EXPECT_EQ(Text(QStringLiteral("lblResult")),
                  Q(expected.evaluation->resultText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        Click(QStringLiteral("cmdBack3"));
        ASSERT_TRUE(window->ChosenSubject().isEmpty());
    }
}

TEST_F(FinderTest, CancelKeepsWhatWasFoundAndTheWindowGoesOn) {
    FinderWindow* finder = OpenFinder();
    SetSpan({2026, 1, 1}, {2035, 12, 31});
    QSignalSpy finished(finder, &FinderWindow::searchFinished);
    Click(QStringLiteral("cmdFindSearch"));
    ASSERT_TRUE(finder->Searching());
    EXPECT_FALSE(Find<QPushButton>(QStringLiteral("cmdFindSearch"))->isEnabled());  // no second search meanwhile
    Click(QStringLiteral("cmdFindCancel"));
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finder->Searching());
    EXPECT_TRUE(Text(QStringLiteral("lblFindStatus")).startsWith(QStringLiteral("Search cancelled")))
        << Text(QStringLiteral("lblFindStatus")).toStdString();
    for (const FoundWindow& w : finder->ListedWindows()) EXPECT_LT(w.date, (LocalDate{2035, 12, 31}));
    EXPECT_TRUE(Find<QPushButton>(QStringLiteral("cmdFindSearch"))->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(QStringLiteral("cmdFindCancel"))->isEnabled());

    // The window searches again; then closing it during a search stops the worker at once.
    SetSpan(ShortFrom, ShortTo);
    SearchAndWait(finder);
    EXPECT_GT(List()->topLevelItemCount(), 0);
    SetSpan({2026, 1, 1}, {2035, 12, 31});
    Click(QStringLiteral("cmdFindSearch"));
    ASSERT_TRUE(finder->Searching());
    QPointer<FinderWindow> closing(finder);
    Click(QStringLiteral("cmdFindClose"));
    EXPECT_FALSE(finder->Searching());
    EXPECT_TRUE(Eventually([&] { return closing.isNull(); }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FinderTest, EveryWeekdayLeftOutSaysSo) {
    FinderWindow* finder = OpenFinder();
    SetSpan(ShortFrom, ShortTo);
    for (int d = 0; d < 7; ++d) Find<QCheckBox>(QStringLiteral("chkFindLeaveOut%1").arg(d))->setChecked(true);
    SearchAndWait(finder);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblNoWindows"))->isVisible());
    EXPECT_EQ(Text(QStringLiteral("lblNoWindows")),
              QStringLiteral("No times found: every date from 2026-03-14 to 2026-03-16 falls on a weekday left out."));
}

TEST_F(FinderTest, AvoidedPeriodsGoIntoTheQuery) {
    FinderWindow* finder = OpenFinder();
    SetSpan(ShortFrom, ShortTo);
    Find<QCheckBox>(QStringLiteral("chkAvoidRahu"))->setChecked(true);
    Find<QCheckBox>(QStringLiteral("chkAvoidDurmuhurta"))->setChecked(true);
    Find<QCheckBox>(QStringLiteral("chkAvoidBhadra"))->setChecked(true);
    Find<QSpinBox>(QStringLiteral("spnFindTop"))->setValue(0);
    SearchAndWait(finder);
    ASSERT_TRUE(finder->LastQuery());
    EXPECT_EQ(finder->LastQuery()->avoidedPeriods, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(finder->LastQuery()->avoidedMarks, (std::array<bool, 3>{false, true, false}));
    // The windows listed are those of the finder with the same periods avoided.
    const auto spans = [](const std::vector<FoundWindow>& windows) {
        std::vector<std::tuple<LocalDate, int, int>> out;
        for (const FoundWindow& w : windows) out.emplace_back(w.date, w.firstMinute, w.lastMinute);
        return out;
    };
    EXPECT_EQ(spans(finder->ListedWindows()), spans(ListWindows(FindWindows(*finder->LastQuery()).windows, {})));
    for (const char* name : {"chkAvoidYamaganda", "chkAvoidGulika"}) {
        EXPECT_FALSE(Find<QCheckBox>(QString::fromLatin1(name))->isChecked());
    }
}

TEST_F(FinderTest, VetoesFollowTheUndertakingAndAWhollyVetoedSpanSaysSo) {
    FinderWindow* finder = OpenFinder();
    const auto ticked = [this] {
        std::array<bool, VetoCount> boxes{};
        const auto names = std::to_array<const char*>({"chkVetoGuruAsta", "chkVetoShukraAsta", "chkVetoAdhika",
                                                       "chkVetoChaturmas", "chkVetoKharmas", "chkVetoPitruPaksha"});
        for (std::size_t i = 0; i < VetoCount; ++i) {
            boxes[i] = Find<QCheckBox>(QString::fromLatin1(names[i]))->isChecked();
        }
        return boxes;
    };
    EXPECT_EQ(ticked(), VetoesOf(MuhurthaSubject::ReligiousJourney));  // none
    TickSubject(QStringLiteral("Marriage"));
    EXPECT_EQ(ticked(), VetoesOf(MuhurthaSubject::Marriage));
    // The boxes as left go into the query: Venus's combustion unticked.
    Find<QCheckBox>(QStringLiteral("chkVetoShukraAsta"))->setChecked(false);
    SetSpan({2026, 8, 1}, {2026, 8, 5});
    SearchAndWait(finder);
    ASSERT_TRUE(finder->LastQuery());
    EXPECT_EQ(finder->LastQuery()->vetoes, (std::array<bool, VetoCount>{true, false, true, true, true, true}));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblNoWindows"))->isVisible());
    const std::optional<VetoedSpan> vetoed = FindWindows(*finder->LastQuery()).vetoed;
    ASSERT_TRUE(vetoed);
    EXPECT_EQ(Text(QStringLiteral("lblNoWindows")), Q(VetoedSpanText(*vetoed)));
    TickSubject(QString::fromLatin1(Subject));
    EXPECT_EQ(ticked(), VetoesOf(MuhurthaSubject::ReligiousJourney));
}

TEST_F(FinderTest, APlaceFromTheAtlasSearchesOnItsZonesClock) {
    // New York: the clocks went forward on 2026-03-08, so the span holds windows on both offsets.
    MomentForm* form = nullptr;
    for (QWidget* w = Find<QLineEdit>(QStringLiteral("txtCity")); w != nullptr && !form; w = w->parentWidget()) {
        form = qobject_cast<MomentForm*>(w);
    }
    ASSERT_NE(form, nullptr);
    form->ChoosePlace(Place{"New York City", "New York", "United States", "US", "America/New_York", 40.71, -74.01, 0});
    FinderWindow* finder = OpenFinder();
    SetSpan({2026, 3, 7}, {2026, 3, 9});
    Find<QSpinBox>(QStringLiteral("spnFindTop"))->setValue(0);
    SearchAndWait(finder);
    ASSERT_TRUE(finder->LastQuery());
    EXPECT_GE(finder->LastQuery()->clock.size(), 2u);
    std::set<int> offsets;
    for (const FoundWindow& w : finder->ListedWindows()) offsets.insert(w.offsetSeconds);
    EXPECT_EQ(offsets, (std::set<int>{-5 * 3600, -4 * 3600}));
}

}  // namespace
}  // namespace kalvora::test
