#pragma once
// What Save Person does with the birth page's person: update the person who was loaded on the page, save a new
// one, or ask. A save never replaces a stored person whose name or birth the user changed without asking.

#include <optional>
#include <vector>

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

}  // namespace kalvora
