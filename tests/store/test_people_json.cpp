#include <gtest/gtest.h>

#include "store/people_json.h"
#include "store/people_store.h"
#include "tests/support/store_folder.h"

namespace kalvora {
namespace {

using testing::Bytes;
using testing::Sample;

class PeopleJsonTest : public testing::StoreFolder {};

// People whose every kind of field differs: scripts beyond ASCII, no place, typed zones west and with seconds.
std::vector<Person> Varied() {
    Person devanagari = Sample("अनिल कुमार शर्मा");
    devanagari.place = BirthPlace{"वाराणसी", "उत्तर प्रदेश", "भारत"};
    devanagari.note = "जन्म समय: प्रातः";
    Person tamil = Sample("கார்த்திகேயன்");
    tamil.sex = "Male";
    tamil.place.reset();
    tamil.zone = BirthZone{std::nullopt, 5 * 3600 + 21 * 60 + 10, false};
    tamil.latitude = 13.0 + 4.0 / 60.0;
    Person west = Sample("O'Brien \"Ned\"");
    west.zone = BirthZone{std::nullopt, -(3 * 3600 + 30 * 60), true};
    west.latitude = -(47.0 + 34.0 / 60.0);
    west.longitude = -(52.0 + 43.0 / 60.0);
    west.note = "tab\there, backslash \\,\nand a second line";
    return {Sample(), devanagari, tamil, west, Sample()};  // the same person twice is kept twice
}

TEST_F(PeopleJsonTest, ABackupReadsBackExactly) {
    std::string exported;
    std::vector<StoredPerson> saved;
    {
        PeopleStore store(File("first.sqlite"));
        for (const Person& p : Varied()) store.Add(p);
        saved = store.List();
        exported = PeopleJson(saved, true);
    }
    const std::vector<StoredPerson> read = ReadPeopleJson(exported);
    ASSERT_EQ(read.size(), saved.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].person, saved[i].person) << i;
        EXPECT_EQ(read[i].created, saved[i].created);
        EXPECT_EQ(read[i].changed, saved[i].changed);
    }
    PeopleStore second(File("second.sqlite"));
    EXPECT_EQ(second.AddAll(read), read.size() - 1) << "the person given twice is one person";
    EXPECT_EQ(second.AddAll(read), 0u) << "reading a backup in again adds nobody";
    // In name order the two entries of one person come first; the second read adds only the first of them.
    ASSERT_EQ(saved[0].person, saved[1].person);
    std::vector<StoredPerson> distinct = saved;
    distinct.erase(distinct.begin() + 1);
    EXPECT_EQ(PeopleJson(second.List(), true), PeopleJson(distinct, true));
}

TEST_F(PeopleJsonTest, TheShapeOfOnePerson) {
    Person p = Sample("Ravi");
    p.place.reset();
    p.zone = BirthZone{std::nullopt, -5 * 3600, true};
    p.latitude = 40.75;
    p.longitude = -73.5;
    p.note = "";
    const std::string json = PeopleJson({StoredPerson{3, p, "2026-01-02T03:04:05Z", "2026-01-02T03:04:05Z", ""}}, false);
    EXPECT_EQ(json,
              R"({"people":[{"born":"1984-07-21T05:42","changed":"2026-01-02T03:04:05Z",)"
              R"("created":"2026-01-02T03:04:05Z","latitude":40.75,"longitude":-73.5,"name":"Ravi","note":"",)"
              R"("place":null,"sex":"Female","zone":{"dst":true,"id":null,"offset":"-05:00"}}]})");
}

TEST_F(PeopleJsonTest, AMalformedFileNamesTheFirstBadEntryAndChangesNothing) {
    const std::string good = R"({"name":"Good","sex":"Male","born":"1970-01-01T00:00","place":null,)"
                             R"("latitude":1,"longitude":2,)"
                             R"("zone":{"id":null,"offset":"+01:00","dst":false},"note":""})";
    const auto withSecond = [&](const std::string& second) {
        return R"({"people":[)" + good + "," + second + "," + good + "]}";
    };
    const auto spoilt = [&](const std::string& from, const std::string& to) {
        std::string entry = good;
        entry.replace(entry.find(from), from.size(), to);
        return withSecond(entry);
    };
    struct Case { std::string text; std::string message; };
    const std::vector<Case> cases = {
        {"{\"people\": [", "not a JSON file"},
        {"[]", "a list \"people\""},
        {R"({"persons":[]})", "a list \"people\""},
        {withSecond("7"), "person 2: it is not an object"},
        {spoilt(R"("name":"Good",)", ""), "person 2: \"name\" is missing"},
        {spoilt("1970-01-01T00:00", "1970-02-30T00:00"), "person 2 (\"Good\"): \"born\""},
        {spoilt("1970-01-01T00:00", "1970-01-01 00:00"), "person 2 (\"Good\"): \"born\""},
        {spoilt(R"("sex":"Male")", R"("sex":"M")"), "person 2 (\"Good\"): the sex"},
        {spoilt(R"("latitude":1)", R"("latitude":"1")"), "\"latitude\" must be a number"},
        {spoilt(R"("latitude":1)", R"("latitude":91)"), "the latitude must be between"},
        {spoilt(R"("place":null)", R"("place":"Pune")"), "\"place\" must be an object or null"},
        {spoilt(R"("place":null)", R"("place":{"name":"Pune"})"), "\"state\" is missing"},
        {spoilt(R"("id":null)", R"("id":"Europe/Paris")"), "either a zone id or a typed offset"},
        {spoilt(R"("offset":"+01:00")", R"("offset":null)"), "either a zone id or a typed offset"},
        {spoilt(R"("offset":"+01:00")", R"("offset":"+1:00")"), "the zone's \"offset\""},
        {spoilt(R"("offset":"+01:00")", R"("offset":"+15:00")"), "the zone's \"offset\""},
        {spoilt(R"("dst":false)", R"("dst":0)"), "\"dst\" must be true or false"},
        {spoilt(R"("note":"")", R"("note":null)"), "\"note\" must be a text"},
        {spoilt(R"("note":"")", R"("note":"","created":"yesterday")"), "\"created\" must be a time"},
        // What people add would refuse is refused here too, naming the entry.
        {spoilt(R"("id":null,"offset":"+01:00")", R"("id":"Not/AZone","offset":null)"), "no zone 'Not/AZone'"},
        {spoilt(R"("id":null,"offset":"+01:00")", R"("id":"../../etc/passwd","offset":null)"), "no zone"},
        {spoilt(R"("name":"Good")", R"("name":" \u00a0\u3000\u200b")"), "the name is blank"},
        {spoilt(R"("name":"Good")", R"("name":"Go\u0000od")"), "the name holds a control character"},
        {spoilt(R"("name":"Good")", R"("name":"Go\nod")"), "the name holds a control character"},
        {spoilt(R"("name":"Good")", R"("name":"Go\ud800od")"), "\"name\" holds a lone surrogate"},
        {spoilt(R"("place":null)", R"("place":{"name":"","state":"","country":"India"})"),
         "the place's name is empty"},
        {spoilt(R"("note":"")", R"("note":"\udc00")"), "\"note\" holds a lone surrogate"},
        {spoilt(R"("note":"")", "\"note\":\"\xff\""), "not a UTF-8 text file (byte"},
    };
    PeopleStore store;
    store.Add(Sample());
    const std::string before = Bytes(File());
    for (const Case& c : cases) {
        try {
            store.AddAll(ReadPeopleJson(c.text));
            ADD_FAILURE() << "read without complaint: " << c.text;
        } catch (const StoreFailure& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what() << "\n  in " << c.text;
        }
    }
    EXPECT_EQ(Bytes(File()), before);
    EXPECT_EQ(ReadPeopleJson(withSecond(good)).size(), 3u);
}

// Groups go into a backup after the people and come back with the same members, parts and times; a second read
// adds nothing, and a store without groups writes its backup as before.
TEST_F(PeopleJsonTest, GroupsReadBackWithTheirMembers) {
    std::string exported;
    std::vector<StoredGroup> groups;
    {
        PeopleStore store(File("first.sqlite"));
        std::vector<std::int64_t> keys;
        for (const Person& p : Varied()) keys.push_back(store.Add(p));
        EXPECT_EQ(PeopleBackupJson(store.List(), store.Groups(), true), PeopleJson(store.List(), true));
        store.SaveGroup({"Asha and Ravi", {{keys[2], "groom"}, {keys[0], "bride"}}});
        store.SaveGroup({"परिवार \"ghar\"", {{keys[3], ""}, {keys[1], ""}, {keys[2], ""}}});
        groups = store.Groups();
        exported = PeopleBackupJson(store.List(), groups, true);
        EXPECT_LT(exported.find("\"people\""), exported.find("\"groups\"")) << exported;
        EXPECT_EQ(ReadPeopleBackup(PeopleBackupJson(store.List(), groups, false)).groups,
                  ReadPeopleBackup(exported).groups);
    }
    PeopleStore second(File("second.sqlite"));
    const PeopleBackup backup = ReadPeopleBackup(exported);
    ASSERT_EQ(backup.groups.size(), 2u);
    const PeopleStore::AddedCounts added = second.AddAll(backup);
    EXPECT_EQ(added.people, 4u);
    EXPECT_EQ(added.groups, 2u);
    const std::vector<StoredGroup> read = second.Groups();
    ASSERT_EQ(read.size(), groups.size());
    for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(EntryOfGroup(read[i]), EntryOfGroup(groups[i])) << i;
    const PeopleStore::AddedCounts again = second.AddAll(backup);
    EXPECT_EQ(again.people + again.groups, 0u) << "reading a backup in again adds nothing";
    EXPECT_EQ(GroupsJson(second.Groups(), true, true), GroupsJson(groups, true, true));

    // A group may name a person the store has and the file has not.
    const std::string onlyGroup = R"({"people": [], "groups": [{"name": "Just Asha", "members":)"
                                  R"( [{"name": "Asha Rao", "born": "1984-07-21T05:42", "role": ""}]}]})";
    EXPECT_EQ(second.AddAll(ReadPeopleBackup(onlyGroup)).groups, 1u);
}

// A wrong group, or a member that is neither in the file nor saved, refuses the whole backup naming the entry.
TEST_F(PeopleJsonTest, AWrongGroupRefusesTheBackup) {
    const std::string person = R"({"name":"Asha","sex":"Female","born":"1990-01-01T00:00","place":null,)"
                               R"("latitude":1,"longitude":2,"zone":{"id":null,"offset":"+05:30","dst":false},)"
                               R"("note":""})";
    const std::string asha = R"({"name":"Asha","born":"1990-01-01T00:00","role":"bride"})";
    const auto file = [&](const std::string& groups) {
        return R"({"people":[)" + person + R"(],"groups":[{"name":"Ours","members":[)" + asha + "]}," + groups +
               "]}";
    };
    struct Case { std::string text; std::string message; };
    const std::vector<Case> cases = {
        {R"({"people":[],"groups":{}})", "\"groups\" must be a list"},
        {file("7"), "group 2: it is not an object"},
        {file(R"({"name":" ","members":[)" + asha + "]}"), "group 2 (\" \"): the group's name is blank"},
        {file(R"({"name":"Ours","members":[)" + asha + "]}"), "group 2 (\"Ours\"): group 1 has this name already"},
        {file(R"({"name":"G","members":[]})"), "group 2 (\"G\"): \"members\" must be a list of at least one"},
        {file(R"({"name":"G"})"), "group 2 (\"G\"): \"members\" is missing"},
        {file(R"({"name":"G","members":[{"name":"Asha","born":"1990-01-01","role":""}]})"),
         "group 2 (\"G\"): member 1: \"born\" must be a date and time"},
        {file(R"({"name":"G","members":[{"name":"Asha","born":"1990-01-01T00:00","role":"priest"}]})"),
         "group 2 (\"G\"): member 1: the role must be bride, groom or none, got 'priest'"},
        {file(R"({"name":"G","members":[)" + asha + "," + asha + "]}"), "group 2 (\"G\"): member 2: it is member 1 again"},
        // Found only when read into the store: nothing of the file is saved.
        {file(R"({"name":"G","members":[)" + asha + R"(,{"name":"Ravi","born":"1990-01-01T00:00","role":""}]})"),
         "group 2 (\"G\"): member 2 ('Ravi', born 1990-01-01T00:00) is neither in the file nor saved"},
        {file(R"({"name":"Stored","members":[)" + asha + "]}"),
         "group 2 (\"Stored\"): a different group of this name is saved"},
    };
    PeopleStore store;
    store.SaveGroup({"Stored", {{store.Add(Sample()), ""}}});
    const std::string before = Bytes(File());
    for (const Case& c : cases) {
        try {
            store.AddAll(ReadPeopleBackup(c.text));
            ADD_FAILURE() << "read without complaint: " << c.text;
        } catch (const StoreFailure& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what() << "\n  in " << c.text;
        }
    }
    EXPECT_EQ(Bytes(File()), before);
}

TEST(PersonTexts, OffsetsAndBirthTimesReadBackAsWritten) {
    struct Case { int seconds; const char* text; };
    const auto cases = std::to_array<Case>({
        {0, "+00:00"}, {19800, "+05:30"}, {19270, "+05:21:10"}, {-12600, "-03:30"}, {-43200, "-12:00"},
        {50400, "+14:00"}, {-1, "-00:00:01"},
    });
    for (const Case& c : cases) {
        EXPECT_EQ(OffsetText(c.seconds), c.text);
        EXPECT_EQ(ReadOffsetText(c.text), c.seconds) << c.text;
    }
    for (const char* bad : {"05:30", "+5:30", "+05:60", "+14:00:01", "+05:30:", "+05:30:1", ""}) {
        EXPECT_FALSE(ReadOffsetText(bad)) << bad;
    }
    for (const char* bad : {"2000-02-30T00:00", "2000-01-01T24:00", "2000-01-01T00:60", "2000-1-01T00:00",
                            "2000-01-01T00:00:00"}) {
        EXPECT_FALSE(ReadBornText(bad)) << bad;
    }
    EXPECT_EQ(BornText(*ReadBornText("2000-02-29T23:59")), "2000-02-29T23:59");
}

}  // namespace
}  // namespace kalvora
