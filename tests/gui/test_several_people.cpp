// Several people on the birth page: the PeopleInput read from two forms and from a saved group (roles by sex, and
// changed by hand), and the results and report of two people.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QTreeWidget>
#include <QLabel>
#include <QTabWidget>
#include <QtTest/QTest>

#include "app/gui/finder/finder_window.h"
#include "app/gui/pages/moment_form.h"
#include "app/gui/pages/people_tabs.h"
#include "report/document.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/store_folder.h"

namespace kalvora::test {
namespace {

Person Groom() {
    Person ravi = kalvora::testing::Sample("Ravi Menon");
    ravi.sex = "Male";
    ravi.born = {1992, 2, 3, 9, 15};
    return ravi;
}

class SeveralPeopleTest : public WindowTest {
protected:
    // The pages up to the birth page, with Asha on the first form and Ravi on a second one.
    void TwoPeopleOnTheBirthPage(const QString& subject) {
        TickSubject(subject);
        Click(QStringLiteral("cmdNext0"));
        FillMuhurthaPage(DelhiMuhurtha);
        Click(QStringLiteral("cmdNext1"));
        FillBirthPage(QStringLiteral("Asha Menon"), true, MumbaiBirth);
        Click(QStringLiteral("cmdAddPerson"));
        window->BirthPeople()->Forms().at(1)->ShowPerson(Groom());
    }
};

TEST_F(SeveralPeopleTest, TheBirthPageReadsEveryPersonWithTheirRole) {
    struct Case {
        const char* subject;
        bool changeRole;  // the second person made a bride by hand
        std::vector<Role> roles;
    };
    for (const Case& c : {Case{"Marriage", false, {Role::Bride, Role::Groom}},
                          Case{"Marriage", true, {Role::Bride, Role::Bride}},
                          Case{"Entering a New House", false, {}}}) {
        SCOPED_TRACE(c.subject);
        MakeWindow(0);
        TwoPeopleOnTheBirthPage(QString::fromLatin1(c.subject));
        PeopleTabs* tabs = window->BirthPeople();
        if (c.changeRole) tabs->SetRole(1, Role::Bride);
        const PeopleInput input = window->ReadPeopleInput();
        EXPECT_EQ(input.first.personName, "Asha Menon");
        ASSERT_EQ(input.others.size(), 1u);
        EXPECT_EQ(input.others[0].name, "Ravi Menon");
        EXPECT_EQ(input.others[0].sex, "Male");
        EXPECT_EQ(input.others[0].birth.year, 1992);
        EXPECT_EQ(input.others[0].birth.hour, 9);
        ASSERT_TRUE(input.others[0].birthOrigin.zone.has_value());
        EXPECT_EQ(input.roles, c.roles);
    }
}

TEST_F(SeveralPeopleTest, ASavedGroupFillsThePeopleAndTheirRolesInOneStep) {
    PeopleStore& store = window->People();
    const std::int64_t asha = store.Add(kalvora::testing::Sample("Asha Menon"));
    const std::int64_t ravi = store.Add(Groom());
    // The group names the roles against the sexes, so that they cannot come from the sexes.
    store.SaveGroup(Group{"Asha and Ravi", {{ravi, "bride"}, {asha, "groom"}}});
    TickSubject(QStringLiteral("Marriage"));
    Click(QStringLiteral("cmdNext0"));
    FillMuhurthaPage(DelhiMuhurtha);
    Click(QStringLiteral("cmdNext1"));
    PeopleTabs* tabs = window->BirthPeople();
    tabs->AddPerson();
    tabs->AddPerson();  // the group replaces the people on the page
    auto* groups = Find<QComboBox>(QStringLiteral("cboGroups"));
    const int row = groups->findText(QStringLiteral("Asha and Ravi"));
    ASSERT_GT(row, 0);
    groups->activated(row);
    ASSERT_EQ(tabs->Count(), 2);
    const PeopleInput input = window->ReadPeopleInput();
    EXPECT_EQ(Text(QStringLiteral("txtBirthName")), QStringLiteral("Ravi Menon"));
    EXPECT_EQ(input.first.personName, "Ravi Menon");
    ASSERT_EQ(input.others.size(), 1u);
    EXPECT_EQ(input.others[0].name, "Asha Menon");
    EXPECT_EQ(input.roles, (std::vector<Role>{Role::Bride, Role::Groom}));
}

TEST_F(SeveralPeopleTest, TheResultsAndTheReportHaveEveryPersonAndTheCombinedVerdict) {
    TwoPeopleOnTheBirthPage(QStringLiteral("Marriage"));
    Click(QStringLiteral("cmdNext2"));
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(2);
    QCoreApplication::processEvents();

    ASSERT_TRUE(window->LastPeople().has_value());
    const CombinedVerdict& combined = *window->LastPeople()->combined;
    auto* verdict = Find<QLabel>(QStringLiteral("lblCombined"));
    EXPECT_TRUE(verdict->isVisible());
    EXPECT_TRUE(verdict->text().startsWith(QStringLiteral("Combined Verdict: ") +
                                           QString::fromLatin1(RatingWord(combined.rating))));
    EXPECT_TRUE(verdict->text().contains(QString::fromStdString(combined.reason)));
    EXPECT_FALSE(Find<QLabel>(QStringLiteral("lblResult"))->isVisible());
    EXPECT_EQ(Text(QStringLiteral("lblPersonName1")), QStringLiteral("Asha Menon (bride)"));
    EXPECT_EQ(Text(QStringLiteral("lblPersonName2")), QStringLiteral("Ravi Menon (groom)"));
    EXPECT_TRUE(Text(QStringLiteral("lblPerson1")).contains(QStringLiteral("Muhurtha: ")));
    EXPECT_TRUE(Text(QStringLiteral("lblPerson2")).contains(QStringLiteral("Surya bala: ")));

    // The report: a section per person, in the page's order, then the combined verdict.
    ASSERT_TRUE(window->LastReport().has_value());
    const std::string report = PlainText(*window->LastReport());
    const auto asha = report.find("Asha Menon (bride)");
    const auto ravi = report.find("Ravi Menon (groom)");
    const auto verdictAt = report.find("Combined Verdict");
    ASSERT_NE(asha, std::string::npos);
    ASSERT_NE(ravi, std::string::npos);
    ASSERT_NE(verdictAt, std::string::npos);
    EXPECT_LT(asha, ravi);
    EXPECT_LT(ravi, verdictAt);

    // Back to one person: the tab is as it always was.
    Click(QStringLiteral("cmdBack4"));
    window->BirthPeople()->RemovePerson(1);
    TickSubject(QStringLiteral("Marriage"));
    Click(QStringLiteral("cmdNext0"));
    Click(QStringLiteral("cmdNext1"));
    Click(QStringLiteral("cmdNext2"));
    ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    Find<QTabWidget>(QStringLiteral("TS"))->setCurrentIndex(2);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->LastPeople().has_value());
    EXPECT_FALSE(Find<QLabel>(QStringLiteral("lblCombined"))->isVisible());
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblResult"))->isVisible());
    EXPECT_EQ(PlainText(*window->LastReport()).find("Combined Verdict"), std::string::npos);
}

// The finder searches for everyone on the pages: the combined verdict ranks the windows, everyone's rating is
// listed, and "only Good times" keeps the windows whose combined verdict is Good.
TEST_F(SeveralPeopleTest, TheFinderSearchesForEveryoneOnThePages) {
    TwoPeopleOnTheBirthPage(QStringLiteral("Marriage"));
    FinderWindow* finder = OpenFinder();
    Find<QDateEdit>(QStringLiteral("dtpFindFrom"))->setDate(QDate(2026, 12, 10));
    Find<QDateEdit>(QStringLiteral("dtpFindTo"))->setDate(QDate(2026, 12, 16));
    for (const bool allGood : {false, true}) {
        SCOPED_TRACE(allGood);
        Find<QCheckBox>(QStringLiteral("chkFindAllGood"))->setChecked(allGood);
        SearchAndWait(finder);
        ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
        ASSERT_TRUE(finder->LastQuery().has_value());
        ASSERT_EQ(finder->LastQuery()->others.size(), 1u);
        EXPECT_EQ(finder->LastQuery()->others.front().name, "Ravi Menon");
        EXPECT_EQ(finder->LastQuery()->allGood, allGood);
        const auto* list = Find<QTreeWidget>(QStringLiteral("lstFoundWindows"));
        ASSERT_FALSE(finder->ListedWindows().empty());
        EXPECT_FALSE(list->isColumnHidden(list->columnCount() - 1));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const FoundWindow& w = finder->ListedWindows()[static_cast<std::size_t>(i)];
            ASSERT_TRUE(w.people != nullptr);
            if (allGood) {
                EXPECT_EQ(RankedRating(w), Rating::Good);
            }
            const QString everyone = list->topLevelItem(i)->text(list->columnCount() - 1);
            EXPECT_TRUE(everyone.contains(QStringLiteral("Asha Menon")) && everyone.contains(QStringLiteral("Ravi Menon")))
                << everyone.toStdString();
        }
    }
}

}  // namespace
}  // namespace kalvora::test
