// What Save Person does with the page: a stored person whose name or birth the user changed is never replaced
// without asking.

#include <gtest/gtest.h>

#include "store/save_decision.h"
#include "tests/support/store_folder.h"

namespace kalvora {
namespace {

StoredPerson Stored(std::int64_t key, const char* name, BirthClock born = {1984, 7, 21, 5, 42}) {
    StoredPerson p;
    p.key = key;
    p.person = testing::Sample(name);
    p.person.born = born;
    return p;
}

TEST(DecideSave, NeverReplacesAnotherPersonWithoutAsking) {
    using Kind = SaveDecision::Kind;
    const StoredPerson asha = Stored(1, "Asha");
    const StoredPerson otherAsha = Stored(2, "Asha", {2001, 8, 15, 9, 0});
    const StoredPerson ravi = Stored(3, "Ravi");
    struct Case {
        const char* what;
        Person page;
        std::optional<StoredPerson> loaded;
        std::vector<StoredPerson> sameName;
        SaveDecision expected;
    };
    Person movedAsha = asha.person;
    movedAsha.place = BirthPlace{"Pune", "Maharashtra", "India"};
    Person bornLater = asha.person;
    bornLater.born.hour = 6;
    const std::vector<Case> cases = {
        {"the loaded person with another place", movedAsha, asha, {asha, otherAsha}, {Kind::Update, {asha}}},
        {"the loaded person's birth changed", bornLater, asha, {asha}, {Kind::Ask, {asha}}},
        {"another name typed over the loaded person", Stored(0, "Meera").person, asha, {}, {Kind::AddNew, {}}},
        {"the name of someone else typed over", ravi.person, asha, {ravi}, {Kind::Ask, {ravi}}},
        {"nobody loaded, the name is new", Stored(0, "Meera").person, std::nullopt, {}, {Kind::AddNew, {}}},
        {"nobody loaded, the name is saved", asha.person, std::nullopt, {asha, otherAsha},
         {Kind::Ask, {asha, otherAsha}}},
    };
    for (const Case& c : cases) EXPECT_EQ(DecideSave(c.page, c.loaded, c.sameName), c.expected) << c.what;
}

TEST(PersonToUpdate, TheAnswerPastTheCandidatesSavesANewPerson) {
    using Kind = SaveDecision::Kind;
    const StoredPerson asha = Stored(1, "Asha");
    const StoredPerson otherAsha = Stored(2, "Asha", {2001, 8, 15, 9, 0});
    struct Case {
        const char* what;
        SaveDecision decision;
        std::size_t answer;
        std::optional<std::int64_t> expectedKey;
    };
    const std::vector<Case> cases = {
        {"update, no question asked", {Kind::Update, {asha}}, 0, 1},
        {"a new name, no question asked", {Kind::AddNew, {}}, 0, std::nullopt},
        {"asked, the first offered", {Kind::Ask, {asha, otherAsha}}, 0, 1},
        {"asked, the second offered", {Kind::Ask, {asha, otherAsha}}, 1, 2},
        {"asked, a new person", {Kind::Ask, {asha, otherAsha}}, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<StoredPerson> target = PersonToUpdate(c.decision, c.answer);
        EXPECT_EQ(target ? std::optional(target->key) : std::nullopt, c.expectedKey) << c.what;
    }
}

class WritePagePersonTest : public testing::StoreFolder {};

// The page shows no note: writing it over a stored person keeps that person's note.
TEST_F(WritePagePersonTest, KeepsTheStoredNote) {
    PeopleStore store(File());
    const std::int64_t key = store.Add(testing::Sample("Asha"));
    Person page = testing::Sample("Asha");
    page.note.clear();
    page.born.hour = 6;
    EXPECT_EQ(WritePagePerson(store, page, store.List().front()), key);
    ASSERT_EQ(store.List().size(), 1u);
    EXPECT_EQ(store.List().front().person.born.hour, 6);
    EXPECT_EQ(store.List().front().person.note, testing::Sample().note);
    EXPECT_NE(WritePagePerson(store, page, std::nullopt), key);
    EXPECT_EQ(store.List().size(), 2u);
}

}  // namespace
}  // namespace kalvora
