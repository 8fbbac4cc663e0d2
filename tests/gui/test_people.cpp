// Saved people in the desktop program: a person saved from the birth page and chosen again gives the same
// calculation as the typed page; the same name twice asks; the people window edits and deletes (asking first);
// an unreadable people file is named on the page, left as it is, and the page still calculates.

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest/QTest>

#include "app/gui/pages/atlas_source.h"
#include "app/gui/pages/moment_form.h"
#include "app/gui/people/people_window.h"
#include "cli/cli.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/sql.h"
#include "tests/support/store_folder.h"

namespace kalvora::test {
namespace {

const MomentEntry NewDelhi = {"December", 10, 2026, 10, 30, 0, "28", "39", false, "77", "13", false, 34, false,
                              "New Delhi", "Delhi", "India"};

class PeopleTest : public WindowTest {
protected:
    // The calculation of the pages as the command line writes it, with the birth moment as read from the page.
    std::string CalculationText() const {
        const CalculationInput input = window->ReadCalculationInput();
        return CalculationJson(input, Calculate(input), ComputeCalculationTimes(input));
    }

    void ChooseBirthPlace(const char* query) {
        SharedAtlas()->Wait();
        ClearAndType(QStringLiteral("txtBirthCity"), QString::fromUtf8(query));
        QAbstractItemView* list = Find<QCompleter>(QStringLiteral("cmpPlaces_Birth"))->popup();
        ASSERT_TRUE(list->isVisible()) << query;
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    // Chooses a person from the birth page's list as the list's own activation does.
    void ChoosePerson(const QString& label) {
        auto* list = Find<QComboBox>(QStringLiteral("cboPeople"));
        const int row = list->findText(label);
        ASSERT_GE(row, 0) << label.toStdString();
        list->setCurrentIndex(row);
        Q_EMIT list->activated(row);
    }

    QStringList ListedPeople() {
        auto* list = Find<QComboBox>(QStringLiteral("cboPeople"));
        QStringList labels;
        for (int i = 0; i < list->count(); ++i) labels << list->itemText(i);
        return labels;
    }

    std::vector<StoredPerson> Stored() { return window->People().List(); }

    MomentForm* MuhurthaForm() const {
        for (QWidget* w = Find<QLineEdit>(QStringLiteral("txtCity")); w != nullptr; w = w->parentWidget()) {
            if (auto* form = qobject_cast<MomentForm*>(w)) return form;
        }
        throw std::runtime_error("no muhurtha form");
    }
};

// One way of entering the birth: the entry typed, then (optionally) a place chosen from the atlas.
struct BirthCase {
    MomentEntry entry;
    const char* atlasQuery;  // nullptr: the coordinates and zone stay typed
    const char* what;
};

TEST_F(PeopleTest, AChosenPersonCalculatesAsTheTypedPage) {
    const BirthCase cases[] = {
        {{"August", 15, 1995, 6, 45, 0, "0", "0", false, "0", "0", false, -1, false, "", "", ""}, "Mumbai",
         "a place from the atlas, its zone id"},
        {{"March", 29, 1981, 2, 30, 0, "51", "30", false, "0", "7", true, 21, true, "London", "", "UK"}, nullptr,
         "typed coordinates west of Greenwich, a typed zone with DST"},
        {{"May", 1, 1943, 6, 10, 0, "0", "0", false, "0", "0", false, -1, false, "", "", ""}, "Chennai",
         "a zone id whose offset differs from today's (war time)"},
        {{"January", 2, 1950, 23, 5, 0, "33", "52", true, "151", "12", false, 7, false, "Sydney", "NSW", "Australia"},
         nullptr, "the southern hemisphere, a zone east of Greenwich typed"},
    };
    int n = 0;
    for (const BirthCase& c : cases) {
        const QString name = QStringLiteral("Person %1").arg(++n);
        MakeWindow(0);
        TickSubject(QStringLiteral("Marriage"));
        FillMuhurthaPage(NewDelhi);
        ShowPageNamed(QStringLiteral("picBirthDetails"));
        FillBirthPage(name, n % 2 == 0, c.entry);
        if (c.atlasQuery != nullptr) ChooseBirthPlace(c.atlasQuery);
        const CalculationInput typedInput = window->ReadCalculationInput();
        const std::string typed = CalculationText();
        Click(QStringLiteral("cmdSavePerson"));
        ASSERT_TRUE(messages.empty()) << c.what << ": " << messages.front().text.toStdString();

        // A new window, its birth page filled from the people file only.
        MakeWindow(0);
        TickSubject(QStringLiteral("Marriage"));
        FillMuhurthaPage(NewDelhi);
        ChoosePerson(name);
        const CalculationInput chosenInput = window->ReadCalculationInput();
        EXPECT_EQ(chosenInput.birth, typedInput.birth) << c.what;
        EXPECT_EQ(chosenInput.birthOrigin, typedInput.birthOrigin) << c.what;
        EXPECT_EQ(Text(QStringLiteral("txtBirthName")), name) << c.what;
        EXPECT_EQ(Find<QRadioButton>(QStringLiteral("optSex1"))->isChecked(), n % 2 == 0) << c.what;
        EXPECT_EQ(CalculationText(), typed) << c.what;
        EXPECT_EQ(Text(QStringLiteral("txtBirthCity")).isEmpty(), QString::fromUtf8(c.entry.city).isEmpty() &&
                                                                      c.atlasQuery == nullptr)
            << c.what;
    }
    EXPECT_EQ(Stored().size(), std::size(cases));
}

TEST_F(PeopleTest, TheSameNameTwiceAsks) {
    MomentEntry birth = {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "Mumbai",
                         "Maharashtra", "India"};
    FillBirthPage(QStringLiteral("Asha"), true, birth);
    Click(QStringLiteral("cmdSavePerson"));
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_TRUE(choices.empty());

    // Another birth under the same name, not chosen from the list: the user is asked.
    MakeWindow(0);
    birth.year = 1990;
    FillBirthPage(QStringLiteral("Asha"), true, birth);
    choiceAnswer = -1;
    Click(QStringLiteral("cmdSavePerson"));
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].answers, (QStringList{QStringLiteral("Update Asha, born 1995-08-15 06:45"),
                                               QStringLiteral("Save as a new person")}));
    EXPECT_EQ(Stored().size(), 1u) << "cancelled: nothing saved";

    choiceAnswer = 1;
    Click(QStringLiteral("cmdSavePerson"));
    ASSERT_EQ(Stored().size(), 2u);
    EXPECT_EQ(ListedPeople(), (QStringList{QStringLiteral("Asha (1990-08-15)"), QStringLiteral("Asha (1995-08-15)")}));

    // The chosen person's birth changed: the user is asked before it is replaced; the other one stays.
    ChoosePerson(QStringLiteral("Asha (1995-08-15)"));
    Pick(QStringLiteral("cboBirthHour"), QStringLiteral("7"));
    choiceAnswer = 0;
    Click(QStringLiteral("cmdSavePerson"));
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[2].answers, (QStringList{QStringLiteral("Update Asha, born 1995-08-15 06:45"),
                                               QStringLiteral("Save as a new person")}));
    const std::vector<StoredPerson> after = Stored();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1].person.born, (BirthClock{1995, 8, 15, 7, 45}));
    EXPECT_EQ(after[0].person.born, (BirthClock{1990, 8, 15, 6, 45}));

    // Another person typed over a chosen one is saved as a new person; the chosen one is kept.
    ChoosePerson(QStringLiteral("Asha (1990-08-15)"));
    ClearAndType(QStringLiteral("txtBirthName"), QStringLiteral("Meera"));
    Click(QStringLiteral("cmdSavePerson"));
    EXPECT_EQ(choices.size(), 3u) << "a new name is saved without a question";
    EXPECT_EQ(ListedPeople(), (QStringList{QStringLiteral("Asha (1990-08-15)"), QStringLiteral("Asha (1995-08-15)"),
                                           QStringLiteral("Meera")}));
    window->People().Remove(Stored().back().key);

    // Answering "update" for an unchosen page replaces that person's birth data.
    MakeWindow(0);
    birth.year = 2001;
    FillBirthPage(QStringLiteral("Asha"), true, birth);
    choiceAnswer = 0;
    Click(QStringLiteral("cmdSavePerson"));
    EXPECT_EQ(ListedPeople(), (QStringList{QStringLiteral("Asha (1995-08-15)"), QStringLiteral("Asha (2001-08-15)")}));
}

TEST_F(PeopleTest, ThePeopleWindowEditsAndDeletesWhatTheFileHolds) {
    for (const char* name : {"Ravi", "Asha", "Meera"}) window->People().Add(kalvora::testing::Sample(name));
    // The birth page's list offers the names that hold the typed letters.
    MakeWindow(0);
    ShowPageNamed(QStringLiteral("picBirthDetails"));
    auto* chooser = Find<QComboBox>(QStringLiteral("cboPeople"));
    chooser->setFocus();
    QTest::keyClicks(chooser->lineEdit(), QStringLiteral("ee"));
    QAbstractItemView* offered = chooser->completer()->popup();
    ASSERT_TRUE(offered->isVisible());
    ASSERT_EQ(offered->model()->rowCount(), 1);
    offered->setCurrentIndex(offered->model()->index(0, 0));
    QTest::keyClick(offered, Qt::Key_Return);
    EXPECT_EQ(Text(QStringLiteral("txtBirthName")), QStringLiteral("Meera"));
    EXPECT_EQ(Text(QStringLiteral("txtBirthCity")), QStringLiteral("Chennai"));

    window->findChild<QAction*>(QStringLiteral("mnuPeople"))->trigger();
    auto* people = window->findChild<PeopleWindow*>(QStringLiteral("dlgPeople"));
    ASSERT_NE(people, nullptr);
    auto* list = people->findChild<QTableWidget*>(QStringLiteral("lstPeople"));
    const auto names = [&] {
        QStringList shown;
        for (int row = 0; row < list->rowCount(); ++row) shown << list->item(row, 0)->text();
        return shown;
    };
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Asha"), QStringLiteral("Meera"), QStringLiteral("Ravi")}));
    people->findChild<QLineEdit*>(QStringLiteral("txtPeopleSearch"))->setText(QStringLiteral("av"));
    ASSERT_EQ(names(), QStringList{QStringLiteral("Ravi")});

    // Name and note edited in the window.
    list->selectRow(0);
    people->findChild<QLineEdit*>(QStringLiteral("txtPeopleName"))->setText(QStringLiteral("Ravi Kumar"));
    people->findChild<QLineEdit*>(QStringLiteral("txtPeopleNote"))->setText(QStringLiteral("uncle"));
    QTest::mouseClick(people->findChild<QPushButton*>(QStringLiteral("cmdPeopleSave")), Qt::LeftButton);
    ASSERT_EQ(window->People().Named("Ravi Kumar").size(), 1u);
    EXPECT_EQ(window->People().Named("Ravi Kumar")[0].person.note, "uncle");
    EXPECT_EQ(names(), QStringList{QStringLiteral("Ravi Kumar")});
    EXPECT_EQ(ListedPeople(),
              (QStringList{QStringLiteral("Asha"), QStringLiteral("Meera"), QStringLiteral("Ravi Kumar")}));

    // Delete asks; "Keep" keeps, "Delete" removes from the file, the window and the birth page.
    people->findChild<QLineEdit*>(QStringLiteral("txtPeopleSearch"))->clear();
    list->selectRow(1);
    auto* remove = people->findChild<QPushButton*>(QStringLiteral("cmdPeopleDelete"));
    choiceAnswer = 1;
    QTest::mouseClick(remove, Qt::LeftButton);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_TRUE(choices[0].question.startsWith(QStringLiteral("Delete Meera, born 1984-07-21 05:42?")))
        << choices[0].question.toStdString();
    EXPECT_EQ(Stored().size(), 3u);
    choiceAnswer = 0;
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(Stored().size(), 2u);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Asha"), QStringLiteral("Ravi Kumar")}));
    EXPECT_EQ(ListedPeople(), (QStringList{QStringLiteral("Asha"), QStringLiteral("Ravi Kumar")}));

    // "Use on Birth Page" fills the page and makes the person the one Save Person updates.
    list->selectRow(0);
    QTest::mouseClick(people->findChild<QPushButton*>(QStringLiteral("cmdPeopleUse")), Qt::LeftButton);
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picBirthDetails"));
    EXPECT_EQ(Text(QStringLiteral("txtBirthName")), QStringLiteral("Asha"));
    EXPECT_EQ(Text(QStringLiteral("txtBirthCity")), QStringLiteral("Chennai"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PeopleTest, AnUnreadableFileIsNamedAndLeftWhileThePageCalculates) {
    const QString file = QDir(dataFolder->path()).filePath(QStringLiteral("people.sqlite"));
    const std::string damaged = "not a database, but someone's data all the same";
    kalvora::testing::WriteBytes(file.toStdString(), damaged);
    MakeWindow(0);
    auto* line = Find<QLabel>(QStringLiteral("lblPeopleLine"));
    EXPECT_FALSE(line->isHidden());
    EXPECT_TRUE(line->text().startsWith(QStringLiteral("Saved people are not available: "))) << line->text().toStdString();
    EXPECT_FALSE(Find<QPushButton>(QStringLiteral("cmdSavePerson"))->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(QStringLiteral("cmdSetAsidePeople"))->isHidden());

    RunToResults(QStringLiteral("Marriage"), QStringLiteral("Asha"), true, NewDelhi,
                 {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "Mumbai", "", ""});
    EXPECT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
    EXPECT_EQ(kalvora::testing::Bytes(file.toStdString()), damaged);

    // Moved aside on request: a dated copy keeps the old bytes, and people can be saved again.
    Click(QStringLiteral("cmdSetAsidePeople"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("The old people file was moved to ")));
    EXPECT_TRUE(line->isHidden());
    EXPECT_TRUE(Find<QPushButton>(QStringLiteral("cmdSavePerson"))->isEnabled());
    const QStringList aside = QDir(dataFolder->path()).entryList({QStringLiteral("people-set-aside-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(kalvora::testing::Bytes(QDir(dataFolder->path()).filePath(aside[0]).toStdString()), damaged);
}

// A row another program spoilt is not offered on the birth page; the People window shows it as damaged, will not
// use or edit it, and deletes it.
TEST_F(PeopleTest, ADamagedRowIsShownButNeverOffered) {
    for (const char* name : {"Ravi", "Asha"}) window->People().Add(kalvora::testing::Sample(name));
    kalvora::testing::RunSql(QDir(dataFolder->path()).filePath(QStringLiteral("people.sqlite")).toStdString(),
                             {"UPDATE people SET latitude = 999 WHERE name = 'Asha'"});
    MakeWindow(0);
    EXPECT_EQ(ListedPeople(), QStringList{QStringLiteral("Ravi")});
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblPeopleLine"))->text().startsWith(QStringLiteral("1 saved person is damaged")));

    window->findChild<QAction*>(QStringLiteral("mnuPeople"))->trigger();
    auto* people = window->findChild<PeopleWindow*>(QStringLiteral("dlgPeople"));
    auto* list = people->findChild<QTableWidget*>(QStringLiteral("lstPeople"));
    ASSERT_EQ(list->rowCount(), 2);
    list->selectRow(0);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("damaged"));
    EXPECT_TRUE(list->item(0, 3)->text().contains(QStringLiteral("latitude")));
    EXPECT_FALSE(people->findChild<QPushButton*>(QStringLiteral("cmdPeopleUse"))->isEnabled());
    EXPECT_FALSE(people->findChild<QPushButton*>(QStringLiteral("cmdPeopleSave"))->isEnabled());
    choiceAnswer = 0;
    QTest::mouseClick(people->findChild<QPushButton*>(QStringLiteral("cmdPeopleDelete")), Qt::LeftButton);
    EXPECT_EQ(Stored().size(), 1u);
    EXPECT_TRUE(Find<QLabel>(QStringLiteral("lblPeopleLine"))->isHidden());
}

TEST_F(PeopleTest, TheMuhurthaPageRemembersThePlacesUsed) {
    SharedAtlas()->Wait();
    auto* recent = Find<QComboBox>(QStringLiteral("cboRecentPlaces"));
    EXPECT_FALSE(recent->isEnabled());
    const MomentEntry birth = {"August", 15, 1995, 6, 45, 0, "19", "4", false, "72", "52", false, 34, false, "", "", ""};
    for (const char* place : {"Kolkata", "Pune", "Kolkata"}) {
        TickSubject(QStringLiteral("Marriage"));
        FillMuhurthaPage(NewDelhi);
        const Atlas& atlas = *SharedAtlas()->IfReady();
        MuhurthaForm()->ChoosePlace(atlas.places()[SearchPlaces(atlas, place, 1).at(0).index]);
        ShowPageNamed(QStringLiteral("picBirthDetails"));
        FillBirthPage(QStringLiteral("Asha"), true, birth);
        Click(QStringLiteral("cmdNext2"));
        ASSERT_EQ(CurrentPageName(), QStringLiteral("picMuhurthaResult"));
        Click(QStringLiteral("cmdBack3"));
    }
    // Most recent first, each once; a new window offers them too.
    MakeWindow(0);
    recent = Find<QComboBox>(QStringLiteral("cboRecentPlaces"));
    ASSERT_EQ(recent->count(), 3);
    EXPECT_TRUE(recent->itemText(1).startsWith(QStringLiteral("Kolkata"))) << recent->itemText(1).toStdString();
    EXPECT_TRUE(recent->itemText(2).startsWith(QStringLiteral("Pune"))) << recent->itemText(2).toStdString();
    Q_EMIT recent->activated(2);
    EXPECT_EQ(Text(QStringLiteral("txtCity")), QStringLiteral("Pune"));
    EXPECT_EQ(recent->currentIndex(), 0);
}

}  // namespace
}  // namespace kalvora::test
