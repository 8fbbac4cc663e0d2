// Saved groups of people, and the file of the previous layout brought up to date.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <filesystem>
#include <string>
#include <vector>

#include "store/people_json.h"
#include "store/people_store.h"
#include "tests/support/sql.h"
#include "tests/support/store_folder.h"

namespace kalvora {
namespace {

using testing::Bytes;
using testing::RunSql;
using testing::Sample;

class GroupTest : public testing::StoreFolder {};

int UserVersion(const std::string& file) {
    const QString name = QUuid::createUuid().toString();
    int version = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(QString::fromStdString(file));
        if (db.open()) {
            QSqlQuery q("PRAGMA user_version", db);
            if (q.next()) version = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}

// The fixture is a people file of layout 2 written by kalvora-cli people add before groups existed (eight people:
// scripts beyond ASCII, places from the atlas, typed offsets west, with seconds and daylight saving, a zone id
// beside typed coordinates, a note of two lines, two people of one name), and the backup the same build exported
// from it. Brought up to date, the file holds every person as the backup has them, under the same keys.
TEST_F(GroupTest, AFileOfTheLayoutBeforeGroupsIsUpgradedWithEveryPersonIntact) {
    const std::filesystem::path fixtures = STORE_FIXTURES;
    std::filesystem::copy_file(fixtures / "people-v2.sqlite", File());
    ASSERT_EQ(UserVersion(File()), 2);
    // A row another program spoilt is kept as it is, still damaged.
    RunSql(File(), {"UPDATE people SET latitude = 999 WHERE name = 'Lata'"});
    const std::vector<StoredPerson> backup = ReadPeopleJson(Bytes((fixtures / "people-v2.json").string()));
    ASSERT_EQ(backup.size(), 8u);

    PeopleStore store;
    ASSERT_EQ(store.State(), StoreState::Ready) << store.Problem();
    EXPECT_EQ(UserVersion(File()), PeopleSchemaVersion);
    const std::vector<StoredPerson> people = store.List();
    ASSERT_EQ(people.size(), backup.size());
    for (std::size_t i = 0; i < people.size(); ++i) {
        const bool spoilt = backup[i].person.name == "Lata";
        if (spoilt) {
            EXPECT_NE(people[i].damage.find("latitude"), std::string::npos) << people[i].damage;
            continue;
        }
        EXPECT_EQ(people[i].damage, "") << backup[i].person.name;
        EXPECT_EQ(people[i].person, backup[i].person) << backup[i].person.name;
        EXPECT_EQ(people[i].created, backup[i].created) << backup[i].person.name;
        EXPECT_EQ(people[i].changed, backup[i].changed) << backup[i].person.name;
    }
    // The keys are kept, in the order the people were saved.
    std::vector<std::string> byKey(people.size());
    for (const StoredPerson& p : people) byKey.at(static_cast<std::size_t>(p.key - 1)) = BornText(p.person.born);
    EXPECT_EQ(byKey, (std::vector<std::string>{"1995-08-15T06:45", "1990-03-04T10:00", "1961-12-30T23:59",
                                               "1972-01-26T04:10", "1958-06-30T21:15", "1901-01-01T00:00",
                                               "2004-02-29T12:00", "2050-12-31T23:59"}));

    // The file now keeps groups, and reads the same in another store object (as another program).
    const std::vector<StoredPerson> ravis = store.Named("Ravi");
    store.SaveGroup({"Asha and Ravi", {{store.Named("Asha Rao").at(0).key, "bride"}, {ravis.at(1).key, "groom"}}});
    PeopleStore again;
    ASSERT_EQ(again.State(), StoreState::Ready) << again.Problem();
    EXPECT_EQ(again.List(), store.List());
    EXPECT_EQ(again.Groups(), store.Groups());
}

// An update that cannot be made leaves the file as it was and says so.
TEST_F(GroupTest, AFailedUpgradeLeavesTheFileAsItWas) {
    std::filesystem::copy_file(std::filesystem::path(STORE_FIXTURES) / "people-v2.sqlite", File());
    RunSql(File(), {"CREATE TABLE people_groups (x TEXT)"});  // in the way of the new table
    const std::string before = Bytes(File());
    {
        PeopleStore store;
        EXPECT_EQ(store.State(), StoreState::Unavailable);
        EXPECT_NE(store.Problem().find("cannot bring the people file up to date"), std::string::npos) << store.Problem();
        EXPECT_NE(store.Problem().find("nothing was changed"), std::string::npos) << store.Problem();
        EXPECT_THROW(store.List(), StoreFailure);
    }
    EXPECT_EQ(Bytes(File()), before);
    EXPECT_EQ(UserVersion(File()), 2);
}

TEST_F(GroupTest, AGroupIsSavedReadRenamedAndRemoved) {
    PeopleStore store;
    const std::int64_t asha = store.Add(Sample("Asha"));
    const std::int64_t ravi = store.Add(Sample("Ravi"));
    const std::int64_t meera = store.Add(Sample("Meera"));
    const Group couple{"Asha and Ravi", {{ravi, "groom"}, {asha, "bride"}}};
    const Group family{"शर्मा परिवार", {{meera, ""}, {asha, ""}, {ravi, ""}}};
    const std::int64_t key = store.SaveGroup(couple);
    store.SaveGroup(family);

    const std::optional<StoredGroup> read = store.GroupNamed("Asha and Ravi");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->key, key);
    EXPECT_EQ(read->group, couple) << "the members in the order given";
    EXPECT_EQ(read->damage, "");
    ASSERT_EQ(read->people.size(), 2u);
    EXPECT_EQ(read->people[0].person.name, "Ravi");
    EXPECT_EQ(GroupPeople(store, "Asha and Ravi"),
              (std::vector<GroupPerson>{{read->people[0], "groom"}, {read->people[1], "bride"}}));
    EXPECT_EQ(store.GroupsOf(asha), (std::vector<std::string>{"Asha and Ravi", "शर्मा परिवार"}));
    EXPECT_FALSE(store.GroupNamed("asha and ravi")) << "names are exact";

    // Saved again under its name, the group is replaced in place.
    const Group reordered{"Asha and Ravi", {{asha, "bride"}, {ravi, "groom"}}};
    EXPECT_EQ(store.SaveGroup(reordered), key);
    EXPECT_EQ(store.GroupNamed("Asha and Ravi")->group, reordered);
    EXPECT_EQ(store.GroupNamed("Asha and Ravi")->created, read->created);
    EXPECT_EQ(store.Groups().size(), 2u);

    store.RenameGroup("Asha and Ravi", "The wedding");
    EXPECT_FALSE(store.GroupNamed("Asha and Ravi"));
    EXPECT_EQ(store.GroupNamed("The wedding")->group.members, reordered.members);
    EXPECT_THROW(store.RenameGroup("The wedding", "शर्मा परिवार"), StoreFailure) << "the name is taken";
    EXPECT_THROW(store.RenameGroup("Nobody's", "Other"), StoreFailure);
    EXPECT_THROW(store.RenameGroup("The wedding", " "), StoreFailure);

    store.RemoveGroup(store.GroupNamed("The wedding")->key);
    EXPECT_EQ(store.Groups().size(), 1u);
    EXPECT_EQ(store.List().size(), 3u) << "the people stay";
    EXPECT_THROW(GroupPeople(store, "The wedding"), StoreFailure);
}

TEST_F(GroupTest, AWrongGroupIsRefusedAndNothingIsSaved) {
    PeopleStore store;
    const std::int64_t asha = store.Add(Sample("Asha"));
    const std::int64_t spoilt = store.Add(Sample("Spoilt"));
    RunSql(File(), {"UPDATE people SET born = 'yesterday' WHERE name = 'Spoilt'"});
    struct Case { Group group; const char* message; };
    const std::vector<Case> cases = {
        {{"", {{asha, ""}}}, "the group's name is empty"},
        {{"Two\nlines", {{asha, ""}}}, "the group's name holds a control character"},
        {{"No one", {}}, "has no members"},
        {{"Bad role", {{asha, "Bride"}}}, "member 1: the role must be bride, groom or none, got 'Bride'"},
        {{"Twice", {{asha, "bride"}, {asha, "groom"}}}, "member 2 is member 1 again"},
        {{"Missing", {{asha, ""}, {asha + 100, ""}}}, "member 2 (row 101) is not a saved person"},
        {{"Damaged", {{spoilt, ""}}}, "member 1 ('Spoilt') cannot be used: the birth time 'yesterday'"},
    };
    for (const Case& c : cases) {
        try {
            store.SaveGroup(c.group);
            ADD_FAILURE() << "saved: " << c.message;
        } catch (const StoreFailure& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(store.Groups().empty());
}

// A person in a group is not removed: the refusal names the groups, and nothing changes. Once out of every group,
// the person is removed. A member another program took away (or spoilt) makes the group damaged, never a group
// of fewer people.
TEST_F(GroupTest, APersonInAGroupIsNotRemoved) {
    PeopleStore store;
    const std::int64_t asha = store.Add(Sample("Asha"));
    const std::int64_t ravi = store.Add(Sample("Ravi"));
    store.SaveGroup({"Couple", {{asha, "bride"}, {ravi, "groom"}}});
    store.SaveGroup({"Asha alone", {{asha, ""}}});
    try {
        store.Remove(asha);
        ADD_FAILURE() << "a grouped person was removed";
    } catch (const StoreFailure& e) {
        EXPECT_NE(std::string(e.what()).find("belongs to the groups 'Asha alone' and 'Couple'"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("nothing was changed"), std::string::npos) << e.what();
    }
    EXPECT_EQ(store.List().size(), 2u);
    store.RemoveGroup(store.GroupNamed("Asha alone")->key);
    store.SaveGroup({"Couple", {{ravi, "groom"}}});
    store.Remove(asha);
    EXPECT_EQ(store.List().size(), 1u);

    RunSql(File(), {"DELETE FROM people WHERE name = 'Ravi'"});
    const std::optional<StoredGroup> orphaned = store.GroupNamed("Couple");
    ASSERT_TRUE(orphaned);
    EXPECT_EQ(orphaned->damage, "member 1 (row 2) is no longer saved");
    try {
        GroupPeople(store, "Couple");
        ADD_FAILURE() << "a damaged group was handed out";
    } catch (const StoreFailure& e) {
        EXPECT_EQ(std::string(e.what()), "the saved group 'Couple' cannot be used: member 1 (row 2) is no longer saved");
    }
    EXPECT_TRUE(store.SetAsideHelps());
    EXPECT_EQ(PeopleBackupJson(store.List(), store.Groups(), false), R"({"people":[]})") << "never exported";
}

}  // namespace
}  // namespace kalvora
