#include "store/save_decision.h"

namespace kalvora {

SaveDecision DecideSave(const Person& page, const std::optional<StoredPerson>& loaded,
                        const std::vector<StoredPerson>& sameName) {
    using Kind = SaveDecision::Kind;
    if (loaded && loaded->person.name == page.name) {
        if (loaded->person.born == page.born) return {Kind::Update, {*loaded}};
        return {Kind::Ask, {*loaded}};
    }
    if (!sameName.empty()) return {Kind::Ask, sameName};
    return {Kind::AddNew, {}};
}

std::optional<StoredPerson> PersonToUpdate(const SaveDecision& decision, std::size_t answer) {
    switch (decision.kind) {
    case SaveDecision::Kind::Update: return decision.candidates.front();
    case SaveDecision::Kind::AddNew: return std::nullopt;
    case SaveDecision::Kind::Ask: break;
    }
    if (answer < decision.candidates.size()) return decision.candidates[answer];
    return std::nullopt;
}

std::int64_t WritePagePerson(PeopleStore& store, Person person, const std::optional<StoredPerson>& target) {
    if (!target) return store.Add(person);
    person.note = target->person.note;
    store.Update(target->key, person);
    return target->key;
}

}  // namespace kalvora
