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

}  // namespace kalvora
