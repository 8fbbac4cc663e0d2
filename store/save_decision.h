#pragma once
// What Save Person does with the birth page's person: update the person who was loaded on the page, save a new
// one, or ask. A save never replaces a stored person whose name or birth the user changed without asking.

#include <optional>
#include <vector>

#include "store/people_store.h"
#include "store/person.h"

namespace kalvora {

struct SaveDecision {
    enum class Kind {
        Update,  // the loaded person, under the same name and birth: `candidates` holds just that person
        AddNew,  // nobody stored is this person
        Ask,     // one of `candidates` may be this person: the user says which, or a new one
    };
    Kind kind = Kind::AddNew;
    std::vector<StoredPerson> candidates;
    friend bool operator==(const SaveDecision&, const SaveDecision&) = default;
};

// `loaded` is the stored person chosen on the page (if any); `sameName` the stored people of the page's name.
// - The loaded person under the same name and birth: update it (the place, zone and sex may change).
// - The loaded person's birth changed under the same name: ask (the loaded one, or a new person).
// - Otherwise the loaded person is left alone: people of the page's name are offered (ask), or a new one saved.
SaveDecision DecideSave(const Person& page, const std::optional<StoredPerson>& loaded,
                        const std::vector<StoredPerson>& sameName);

// The stored person the save writes over once `decision` is made and, where it asks, the user has answered:
// `answer` indexes the candidates, and one past them is "save as a new person" (it is not read for Update or
// AddNew). None: the page is added as a new person.
std::optional<StoredPerson> PersonToUpdate(const SaveDecision& decision, std::size_t answer);

// Writes the page's person over `target`, keeping the target's note (the page shows none), or adds it as a new
// person when there is no target. Returns the key of the person written; throws StoreFailure as the store does.
std::int64_t WritePagePerson(PeopleStore& store, Person person, const std::optional<StoredPerson>& target);

}  // namespace kalvora
