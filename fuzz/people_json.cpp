// Fuzz target: the reader of a people backup (`people import FILE.json`). The input is the file's text.
//
// What is checked: a file is either read or refused with StoreFailure and a message; the people read are whole
// (PersonProblem finds nothing wrong), and follow the import's way on: written out again they read back exactly,
// saved into a people file they are found there unchanged, their `people list` line can be made, and as a
// --person they become a birth moment or a refusal naming an argument. The groups read are either saved with the
// members the file names, or refused whole with a message; saved, they are written out and read back the same.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/people.h"
#include "cli/person_option.h"
#include "cli/places.h"
#include "fuzz/fuzz_support.h"
#include "store/people_json.h"
#include "store/people_store.h"

namespace kalvora {
namespace {

// A stamp for entries whose file left "created" or "changed" out, as the store would set it.
constexpr const char* Stamp = "2026-01-02T03:04:05Z";

PeopleStore& Store() {
    static PeopleStore store((fuzz::ScratchFolder("people") / "people.sqlite").string());
    fuzz::Check(store.State() == StoreState::Ready, "the people file cannot be made: " + store.Problem());
    return store;
}

void ReadsBackExactly(std::vector<StoredPerson> people, bool indented) {
    for (StoredPerson& entry : people) {
        if (entry.created.empty()) entry.created = Stamp;
        if (entry.changed.empty()) entry.changed = Stamp;
    }
    const std::string written = PeopleJson(people, indented);
    std::vector<StoredPerson> again;
    try {
        again = ReadPeopleJson(written);
    } catch (const StoreFailure& e) {
        fuzz::Broken(std::string("people written out are refused when read back: ") + e.what() + "\n" + written);
    }
    fuzz::Check(again == people, "people written out read back otherwise:\n" + written);
}

// As `people import` saves them: each is then in the file with the same data, each group with the members the
// file names; the file is emptied again after.
void SavedUnchanged(const PeopleBackup& backup) {
    PeopleStore& store = Store();
    try {
        store.AddAll(backup);
    } catch (const StoreFailure& e) {
        // Only a group may refuse a backup whose people were read, and then nothing is saved.
        fuzz::Check(!backup.groups.empty() && *e.what() != '\0', std::string("a backup was refused: ") + e.what());
        fuzz::Check(store.List().empty(), "a refused backup left people in the file");
        return;
    }
    const std::vector<StoredPerson> listed = store.List();
    for (const StoredPerson& entry : backup.people) {
        bool found = false;
        for (const StoredPerson& kept : listed) found = found || kept.person == entry.person;
        fuzz::Check(found, "an imported person is not in the people file as read: '" + entry.person.name + "'");
    }
    const std::vector<StoredGroup> groups = store.Groups();
    fuzz::Check(groups.size() == backup.groups.size(), "the groups saved are not the groups read");
    for (const GroupEntry& entry : backup.groups) {
        const std::optional<StoredGroup> kept = store.GroupNamed(entry.name);
        fuzz::Check(kept && kept->damage.empty() && EntryOfGroup(*kept).members == entry.members,
                    "an imported group is not in the people file as read: '" + entry.name + "'");
    }
    const std::string written = PeopleBackupJson(listed, groups, backup.people.size() % 2 == 0);
    std::vector<GroupEntry> again;
    try {
        again = ReadPeopleBackup(written).groups;
    } catch (const StoreFailure& e) {
        fuzz::Broken(std::string("groups written out are refused when read back: ") + e.what() + "\n" + written);
    }
    std::vector<GroupEntry> saved;
    for (const StoredGroup& g : groups) saved.push_back(EntryOfGroup(g));
    fuzz::Check(again == saved, "groups written out read back otherwise:\n" + written);
    for (const StoredGroup& g : groups) store.RemoveGroup(g.key);
    for (const StoredPerson& kept : listed) store.Remove(kept.key);
}

// As --person takes a saved person into a calculation's birth.
void AsBirthMoment(const Person& person) {
    MomentInput birth;
    MomentSources sources;
    PersonIntoMoment(person, birth, sources);
    AtlasOnDemand atlas;  // never loaded: a saved person's place is given whole
    try {
        ResolveMoment("--birth", sources, birth, atlas, "--help");
    } catch (const ArgumentError& e) {
        fuzz::Check(*e.what() != '\0', "a saved person was refused without a message");
        return;
    }
    fuzz::Check(birth.place.latitudeDegrees >= 0 && birth.place.latitudeDegrees <= 90 && birth.place.latitudeMinutes >= 0 &&
                    birth.place.latitudeMinutes <= 59 && birth.place.longitudeDegrees >= 0 && birth.place.longitudeDegrees <= 180 &&
                    birth.place.longitudeMinutes >= 0 && birth.place.longitudeMinutes <= 59,
                "a saved person's coordinates came out of range for '" + person.name + "'");
}

}  // namespace
}  // namespace kalvora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    const std::string text(reinterpret_cast<const char*>(data), size);
    PeopleBackup backup;
    try {
        backup = ReadPeopleBackup(text);
    } catch (const StoreFailure& e) {
        fuzz::Check(*e.what() != '\0', "a file was refused without a message");
        return 0;
    }
    const std::vector<StoredPerson>& people = backup.people;
    for (const StoredPerson& entry : people) {
        fuzz::Check(PersonProblem(entry.person).empty(),
                    "a person was read with a problem: " + PersonProblem(entry.person));
        fuzz::Check(entry.key == 0, "a key was taken from the file");
        PersonLine(entry.person);
        AsBirthMoment(entry.person);
    }
    ReadsBackExactly(people, size % 2 == 0);
    SavedUnchanged(backup);
    return 0;
}
