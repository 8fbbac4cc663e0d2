// The page checks with their messages and icons, the range checks, the coordinate boxes' key filter and the
// coordinates look-up.

#include <functional>
#include <optional>

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/input_checks.h"
#include "tests/gui/window_fixture.h"

namespace kalvora::test {
namespace {

// ------------------------------------------------------------------------------------------------ plain checks

TEST(CheckDate, ImpossibleDaysAndTheirMessages) {
    const struct {
        int year, month, day;  // month 1..12, day 1..31 as the lists show them
        std::optional<std::string_view> message;
    } cases[] = {
        {2000, 2, 29, std::nullopt},      {1999, 2, 29, MsgFebruaryDate},   {2000, 2, 30, MsgFebruaryDate},
        {2000, 2, 31, MsgFebruaryDate},   {1901, 2, 28, std::nullopt},      {1904, 2, 29, std::nullopt},
        {2050, 2, 29, MsgFebruaryDate},   {2024, 4, 31, MsgThirtyDayMonth}, {2024, 4, 30, std::nullopt},
        {2024, 6, 31, MsgThirtyDayMonth}, {2024, 9, 31, MsgThirtyDayMonth}, {2024, 11, 31, MsgThirtyDayMonth},
        {2024, 1, 31, std::nullopt},      {2024, 7, 31, std::nullopt},      {2024, 12, 31, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckDate(c.year, c.month - 1, c.day - 1), c.message) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(CheckCoordinateRanges, LimitsOfDegreesAndMinutes) {
    using B = CoordinateBox;
    const struct {
        int degLat, minLat, degLong, minLong;
        std::optional<B> box;
        std::string_view message;
    } cases[] = {
        {0, 0, 0, 0, std::nullopt, ""},
        {90, 0, 180, 0, std::nullopt, ""},
        {89, 59, 179, 59, std::nullopt, ""},
        {91, 0, 0, 0, B::DegreeLat, MsgDegreeLatRange},
        {999, 0, 0, 0, B::DegreeLat, MsgDegreeLatRange},
        {10, 60, 0, 0, B::MinuteLat, MsgMinuteLatRange},
        {90, 1, 0, 0, B::MinuteLat, MsgPoleMinutes},
        {10, 0, 181, 0, B::DegreeLong, MsgDegreeLongRange},
        {10, 0, 20, 60, B::MinuteLong, MsgMinuteLongRange},
        {10, 0, 180, 30, B::MinuteLong, MsgDateLineMinutes},
        {91, 60, 181, 60, B::DegreeLat, MsgDegreeLatRange},  // latitude is checked first
    };
    for (const auto& c : cases) {
        const auto problem = CheckCoordinateRanges(c.degLat, c.minLat, c.degLong, c.minLong);
        ASSERT_EQ(problem.has_value(), c.box.has_value()) << c.degLat << " " << c.minLat << " " << c.degLong;
        if (!problem) continue;
        EXPECT_EQ(problem->box, *c.box);
        EXPECT_EQ(problem->message, c.message);
    }
}

// ------------------------------------------------------------------------------------------------ page checks

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct PageCheckCase {
    const char* label;
    int page;  // 0, 1 or 2: the page whose Next is pressed
    std::function<void(WindowTest&)> prepare;
    std::string_view message;
    QMessageBox::Icon icon;
    const char* focus;  // the box that gets the focus back, or nullptr
};

// A window with valid entries on both moment pages; each case then spoils one thing.
class PageCheckTest : public WindowTest, public ::testing::WithParamInterface<PageCheckCase> {
public:
    void FillValidPages() {
        FillMuhurthaPage({"March", 14, 2026, 9, 30, 0, "12", "58", false, "77", "35", false, -1, false, "Bengaluru",
                          "Karnataka", "India"});
        FillBirthPage(QStringLiteral("Kavya"), true,
                      {"October", 2, 1990, 4, 10, 0, "22", "34", false, "88", "22", false, -1, false, "Kolkata",
                       "West Bengal", "India"});
    }
};

const PageCheckCase PageCases[] = {
    {"NoSubject", 0, [](WindowTest&) {}, MsgSelectSubject, QMessageBox::Critical, nullptr},
    {"BirthDateOnSubjectPage", 0,
     [](WindowTest& t) {
         t.TickSubject(QStringLiteral("Marriage"));
         t.Pick(QStringLiteral("cboMonth"), QStringLiteral("February"));
         t.Pick(QStringLiteral("cboDate"), QStringLiteral("30"));
     },
     MsgFebruaryDate, QMessageBox::Information, nullptr},
    {"MuhurthaDateOnSubjectPage", 0,
     [](WindowTest& t) {
         t.TickSubject(QStringLiteral("Marriage"));
         t.Pick(QStringLiteral("cboMuhurthaMonth"), QStringLiteral("April"));
         t.Pick(QStringLiteral("cboMuhurthaDate"), QStringLiteral("31"));
     },
     MsgThirtyDayMonth, QMessageBox::Information, nullptr},
    {"NoDegreeLat", 1, [](WindowTest& t) { t.ClearAndType("txtDegreeLat", ""); },
     MsgDegreeLat, QMessageBox::Critical, "txtDegreeLat"},
    {"NoMinuteLat", 1, [](WindowTest& t) { t.ClearAndType("txtMinuteLat", ""); },
     MsgMinuteLat, QMessageBox::Critical, "txtMinuteLat"},
    {"NoDegreeLong", 1, [](WindowTest& t) { t.ClearAndType("txtDegreeLong", ""); },
     MsgDegreeLong, QMessageBox::Critical, "txtDegreeLong"},
    {"NoMinuteLong", 1, [](WindowTest& t) { t.ClearAndType("txtMinuteLong", ""); },
     MsgMinuteLong, QMessageBox::Critical, "txtMinuteLong"},
    {"LatitudeTooLarge", 1, [](WindowTest& t) { t.ClearAndType("txtDegreeLat", "91"); },
     MsgDegreeLatRange, QMessageBox::Critical, "txtDegreeLat"},
    {"LatitudeMinutes60", 1, [](WindowTest& t) { t.ClearAndType("txtMinuteLat", "60"); },
     MsgMinuteLatRange, QMessageBox::Critical, "txtMinuteLat"},
    {"PoleWithMinutes", 1,
     [](WindowTest& t) {
         t.ClearAndType("txtDegreeLat", "90");
         t.ClearAndType("txtMinuteLat", "1");
     },
     MsgPoleMinutes, QMessageBox::Critical, "txtMinuteLat"},
    {"LongitudeTooLarge", 1, [](WindowTest& t) { t.ClearAndType("txtDegreeLong", "181"); },
     MsgDegreeLongRange, QMessageBox::Critical, "txtDegreeLong"},
    {"LongitudeMinutes99", 1,
     [](WindowTest& t) { t.ClearAndType("txtMinuteLong", "99"); }, MsgMinuteLongRange,
     QMessageBox::Critical, "txtMinuteLong"},
    {"DateLineWithMinutes", 1,
     [](WindowTest& t) {
         t.ClearAndType("txtDegreeLong", "180");
         t.ClearAndType("txtMinuteLong", "5");
     },
     MsgDateLineMinutes, QMessageBox::Critical, "txtMinuteLong"},
    {"MuhurthaFebruary29InCommonYear", 1,
     [](WindowTest& t) {
         t.Pick("cboMuhurthaYear", "1999");
         t.Pick("cboMuhurthaMonth", "February");
         t.Pick("cboMuhurthaDate", "29");
     },
     MsgFebruaryDate, QMessageBox::Information, nullptr},
    {"NameOfSpaces", 2, [](WindowTest& t) { t.ClearAndType("txtBirthName", "   "); },
     MsgEnterName, QMessageBox::Critical, "txtBirthName"},
    {"NoBirthDegreeLat", 2,
     [](WindowTest& t) { t.ClearAndType("txtBirthDegreeLat", ""); }, MsgDegreeLat,
     QMessageBox::Critical, "txtBirthDegreeLat"},
    {"NoBirthMinuteLat", 2,
     [](WindowTest& t) { t.ClearAndType("txtBirthMinuteLat", ""); }, MsgMinuteLat,
     QMessageBox::Critical, "txtBirthMinuteLat"},
    {"NoBirthDegreeLong", 2,
     [](WindowTest& t) { t.ClearAndType("txtBirthDegreeLong", ""); }, MsgDegreeLong,
     QMessageBox::Critical, "txtBirthDegreeLong"},
    {"NoBirthMinuteLong", 2,
     [](WindowTest& t) { t.ClearAndType("txtBirthMinuteLong", ""); }, MsgMinuteLong,
     QMessageBox::Critical, "txtBirthMinuteLong"},
    {"BirthLatitudeTooLarge", 2,
     [](WindowTest& t) { t.ClearAndType("txtBirthDegreeLat", "100"); },
     MsgDegreeLatRange, QMessageBox::Critical, "txtBirthDegreeLat"},
    {"BirthApril31", 2,
     [](WindowTest& t) {
         t.Pick("cboMonth", "April");
         t.Pick("cboDate", "31");
     },
     MsgThirtyDayMonth, QMessageBox::Information, nullptr},
};

void PrintTo(const PageCheckCase& c, std::ostream* os) { *os << c.label; }

TEST_P(PageCheckTest, ShowsItsMessageAndKeepsThePage) {
    const PageCheckCase& c = GetParam();
    FillValidPages();
    // Bring the page of the case to the front through the earlier pages' Next buttons (they must pass), then
    // spoil the one entry.
    if (c.page > 0) TickSubject(QStringLiteral("Marriage"));
    const char* pages[] = {"picMainScreen", "picSearchMode", "picBirthDetails"};
    for (int p = 0; p < c.page; ++p) Click(QStringLiteral("cmdNext%1").arg(p));
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    ASSERT_EQ(CurrentPageName(), QString::fromLatin1(pages[c.page]));
    c.prepare(*this);

    Click(QStringLiteral("cmdNext%1").arg(c.page));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Q(c.message));
    EXPECT_EQ(messages[0].icon, c.icon);
    EXPECT_EQ(CurrentPageName(), QString::fromLatin1(pages[c.page]));
    if (c.focus != nullptr) {
        EXPECT_TRUE(Find<QLineEdit>(QString::fromLatin1(c.focus))->hasFocus()) << c.focus;
    }
}

INSTANTIATE_TEST_SUITE_P(Messages, PageCheckTest, ::testing::ValuesIn(PageCases),
                         [](const ::testing::TestParamInfo<PageCheckCase>& info) { return std::string(info.param.label); });

TEST_F(PageCheckTest, ValidPagesPassAndAnEarlierMuhurthaDateIsLeftToTheRules) {
    FillValidPages();
    Pick(QStringLiteral("cboMuhurthaYear"), QStringLiteral("1950"));
    Pick(QStringLiteral("cboMonth"), QStringLiteral("February"));
    Pick(QStringLiteral("cboDate"), QStringLiteral("29"));
    Pick(QStringLiteral("cboYear"), QStringLiteral("2000"));
    TickSubject(QStringLiteral("Marriage"));
    for (const char* next : {"cmdNext0", "cmdNext1", "cmdNext2"}) Click(QString::fromLatin1(next));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
}

// ------------------------------------------------------------------------------------------------ key filter

TEST_F(WindowTest, CoordinateBoxesTakeOnlyDigitsWhenTyped) {
    const struct {
        const char* typed;
        const char* shown;
        int messages;
    } cases[] = {
        {"12", "12", 0}, {"1234", "123", 0}, {"a", "", 1},   {"4x5", "45", 1},  {"-3", "3", 1},
        {" 7", "7", 1},  {"1.5", "15", 1},   {"+", "", 1},   {"\u0663", "", 1},  // ARABIC-INDIC DIGIT THREE
    };
    const char* boxes[] = {"txtDegreeLat",      "txtMinuteLat",       "txtDegreeLong",      "txtMinuteLong",
                           "txtBirthDegreeLat", "txtBirthMinuteLat",  "txtBirthDegreeLong", "txtBirthMinuteLong"};
    for (const char* boxName : boxes) {
        const bool birthPage = QString::fromLatin1(boxName).startsWith(QStringLiteral("txtBirth"));
        ShowPageNamed(birthPage ? QStringLiteral("picBirthDetails") : QStringLiteral("picSearchMode"));
        for (const auto& c : cases) {
            messages.clear();
            ClearAndType(QString::fromLatin1(boxName), QString::fromUtf8(c.typed));
            EXPECT_EQ(Text(QString::fromLatin1(boxName)), QString::fromLatin1(c.shown)) << boxName << " " << c.typed;
            ASSERT_EQ(static_cast<int>(messages.size()), c.messages) << boxName << " " << c.typed;
            if (c.messages > 0) {
                EXPECT_EQ(messages[0].text, Q(MsgOnlyDigits));
                EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
                EXPECT_TRUE(Find<QLineEdit>(QString::fromLatin1(boxName))->hasFocus());
            }
        }
    }
}

TEST_F(WindowTest, PastedTextMustBeDigitsToo) {
    ShowPageNamed(QStringLiteral("picSearchMode"));
    auto* box = Find<QLineEdit>(QStringLiteral("txtDegreeLat"));
    const struct {
        const char* before;
        const char* pasted;
        const char* after;
        bool refused;
    } cases[] = {
        {"", "45", "45", false}, {"1", "2", "12", false},  {"", "4a", "", true},
        {"7", "x", "7", true},   {"", "-10", "", true},    {"", "1 2", "", true},
        {"", "\u0661\u0662", "", true},
    };
    for (const auto& c : cases) {
        for (bool byShortcut : {true, false}) {
            messages.clear();
            box->setText(QString::fromLatin1(c.before));
            box->setFocus();
            box->end(false);
            QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
            if (byShortcut) QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            else box->paste();  // the context menu's Paste
            QCoreApplication::processEvents();
            EXPECT_EQ(box->text(), QString::fromLatin1(c.after)) << c.pasted;
            ASSERT_EQ(messages.size(), c.refused ? 1u : 0u) << c.pasted << (byShortcut ? " (Ctrl+V)" : " (menu)");
            if (c.refused) {
                EXPECT_EQ(messages[0].text, Q(MsgOnlyDigits));
            }
        }
    }
}

// ------------------------------------------------------------------------------------------------ look-up

TEST_F(WindowTest, CoordinatesLookUpAsksForTheCityAndSearchesTheAtlasForWhatIsTyped) {
    const struct {
        const char *city, *state, *country;
        const char* query;  // what the atlas search starts with; none: the message and the City box instead
    } cases[] = {
        {"", "Kerala", "India", nullptr},
        {"  ", "Kerala", "India", nullptr},
        {"Kochi", "", "India", "Kochi, India"},
        {"Kochi", "Kerala", "", "Kochi, Kerala"},
        {"Kochi", " Kerala ", "India", "Kochi, Kerala, India"},
    };
    ShowPageNamed(QStringLiteral("picBirthDetails"));
    for (const auto& c : cases) {
        messages.clear();
        ClearAndType(QStringLiteral("txtBirthCity"), QString::fromLatin1(c.city));
        ClearAndType(QStringLiteral("txtBirthState"), QString::fromLatin1(c.state));
        ClearAndType(QStringLiteral("txtBirthCountry"), QString::fromLatin1(c.country));
        QString searched;
        if (c.query != nullptr) {
            WhenModalShows([&](QWidget* modal) {
                EXPECT_EQ(modal->objectName(), QStringLiteral("frmPlaceSearch"));
                searched = modal->findChild<QLineEdit*>(QStringLiteral("txtPlaceSearch"))->text();
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdCancelPlace")), Qt::LeftButton);
            });
        }
        Click(QStringLiteral("cmdSearch1"));
        if (c.query == nullptr) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, Q(MsgEnterCity));
            EXPECT_EQ(messages[0].icon, QMessageBox::Information);
            EXPECT_TRUE(Find<QLineEdit>(QStringLiteral("txtBirthCity"))->hasFocus());
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(searched, QString::fromLatin1(c.query));
            EXPECT_EQ(Text(QStringLiteral("txtBirthState")), QString::fromLatin1(c.state)) << "cancel changes nothing";
        }
    }
    EXPECT_TRUE(urls.empty()) << "nothing is looked up on the web";
}

TEST_F(WindowTest, CoordinatesLookUpFillsThePageFromTheChosenAtlasPlace) {
    SharedAtlas()->Wait();
    const struct {
        const char *city, *country;
        const char* status;  // the start of the search window's line about the matches
    } cases[] = {
        {"Bombay", "India", "1 place"},
        {"Mumbaii", "", "No place matches \"Mumbaii\"; the nearest names:"},
        {"Mumbai", "Atlantis", "No place matches \"Mumbai, Atlantis\"; the places named \"Mumbai\":"},
    };
    for (const auto& c : cases) {
        ShowPageNamed(QStringLiteral("picSearchMode"));
        ClearAndType(QStringLiteral("txtCity"), QString::fromLatin1(c.city));
        ClearAndType(QStringLiteral("txtState"), QString());
        ClearAndType(QStringLiteral("txtCountry"), QString::fromLatin1(c.country));
        Find<QCompleter>(QStringLiteral("cmpPlaces_Muhurtha"))->popup()->hide();
        QString status, firstRow;
        WhenModalShows([&](QWidget* modal) {
            status = modal->findChild<QLabel*>(QStringLiteral("lblPlaceSearchStatus"))->text();
            auto* list = modal->findChild<QTreeWidget*>(QStringLiteral("lstPlaceMatches"));
            ASSERT_GT(list->topLevelItemCount(), 0);
            const QTreeWidgetItem* first = list->topLevelItem(0);
            for (int column = 0; column < list->columnCount(); ++column) firstRow += first->text(column) + QLatin1Char('|');
            // Return in the search field takes the place listed first.
            QTest::keyClick(modal->findChild<QLineEdit*>(QStringLiteral("txtPlaceSearch")), Qt::Key_Return);
        });
        Click(QStringLiteral("cmdSearch0"));
        EXPECT_TRUE(status.startsWith(QString::fromLatin1(c.status))) << status.toStdString();
        EXPECT_EQ(firstRow, QStringLiteral("Mumbai|Maharashtra|India|19\u00B004'N|72\u00B053'E|Asia/Kolkata|")) << c.city;
        // The page as choosing Mumbai from the City box's list leaves it.
        EXPECT_EQ(Text(QStringLiteral("txtCity")), QStringLiteral("Mumbai"));
        EXPECT_EQ(Text(QStringLiteral("txtState")), QStringLiteral("Maharashtra"));
        EXPECT_EQ(Text(QStringLiteral("txtCountry")), QStringLiteral("India"));
        EXPECT_EQ(Text(QStringLiteral("txtDegreeLat")) + QLatin1Char(':') + Text(QStringLiteral("txtMinuteLat")),
                  QStringLiteral("19:4"));
        EXPECT_EQ(Text(QStringLiteral("txtDegreeLong")) + QLatin1Char(':') + Text(QStringLiteral("txtMinuteLong")),
                  QStringLiteral("72:53"));
        EXPECT_TRUE(Text(QStringLiteral("lblZoneLine_Muhurtha")).startsWith(QStringLiteral("Asia/Kolkata")));
        const MomentOrigin origin = window->ReadCalculationInput().muhurthaOrigin;
        ASSERT_TRUE(origin.place);
        EXPECT_EQ(origin.place->name, "Mumbai");
    }
    EXPECT_TRUE(urls.empty());
}

}  // namespace
}  // namespace kalvora::test
