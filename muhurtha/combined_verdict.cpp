// The combined verdict of several people and its reason.

#include "muhurtha/combined_verdict.h"

#include <algorithm>
#include <tuple>

namespace kalvora {
namespace {

// "Asha", "Asha and Ravi", "Asha, Meera and Ravi".
std::string NamesText(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

// The people in the order of their names (then of their other fields), so that the verdict does not depend on
// the order they were given in.
std::vector<const PersonVerdict*> ByName(std::span<const PersonVerdict> people) {
    std::vector<const PersonVerdict*> sorted;
    for (const PersonVerdict& p : people) sorted.push_back(&p);
    std::stable_sort(sorted.begin(), sorted.end(), [](const PersonVerdict* a, const PersonVerdict* b) {
        return std::tie(a->name, a->message) < std::tie(b->name, b->message);
    });
    return sorted;
}

bool BadBala(const PersonVerdict& p) { return p.bala && p.bala->verdict == BalaVerdict::Bad; }

// "Guru bala is bad for Meera (Jupiter in the 8th house from her Moon sign), so the verdict is at most Average."
std::string BadBalaSentence(const PersonVerdict& p) {
    const TransitBalaTable& table = TableOf(p.bala->bala);
    const std::string_view body = BodyNames[static_cast<std::size_t>(table.body)].name;
    return std::string(table.name) + " is bad for " + p.name + " (" + std::string(body) + " in the " +
           HouseOrdinal(p.bala->house) + " house from " + (p.sex == "Female" ? "her" : "his") +
           " Moon sign), so the verdict is at most Average.";
}

}  // namespace

int RatingRank(Rating rating) {
    switch (rating) {
        case Rating::NotRated: return 0;
        case Rating::Bad: return 1;
        case Rating::Average: return 2;
        case Rating::Good: return 3;
    }
    return 0;
}

CombinedVerdict CombineVerdicts(std::span<const PersonVerdict> people) {
    CombinedVerdict verdict;
    const std::vector<const PersonVerdict*> sorted = ByName(people);
    for (const PersonVerdict* p : sorted) {
        if (!p->stopped) continue;
        verdict.stopped = true;
        verdict.decidedBy.push_back(p->name);
        if (!verdict.reason.empty()) verdict.reason += ' ';
        verdict.reason += "The evaluation for " + p->name + " stopped: " + p->message;
    }
    if (verdict.stopped || sorted.empty()) return verdict;

    Rating worst = Rating::Good;
    for (const PersonVerdict* p : sorted) {
        if (RatingRank(p->rating) < RatingRank(worst)) worst = p->rating;
    }
    const bool capped = std::any_of(sorted.begin(), sorted.end(), [](const PersonVerdict* p) { return BadBala(*p); });
    verdict.rating = capped && worst == Rating::Good ? Rating::Average : worst;

    std::vector<std::string> worstNames;
    for (const PersonVerdict* p : sorted) {
        if (p->rating == worst) worstNames.push_back(p->name);
    }
    const std::string word(RatingWord(worst));
    if (worstNames.size() == sorted.size()) {
        verdict.reason = sorted.size() == 1 ? worstNames.front() + " is rated " + word + "."
                                            : "Everyone is rated " + word + ".";
    } else {
        verdict.reason = NamesText(worstNames) + (worstNames.size() == 1 ? " is" : " are") + " rated " + word +
                         ", the lowest rating among the people.";
    }
    for (const PersonVerdict* p : sorted) {
        const bool rated = p->rating == verdict.rating;
        const bool holds = BadBala(*p) && verdict.rating == Rating::Average;
        if (rated || holds) verdict.decidedBy.push_back(p->name);
        if (BadBala(*p)) verdict.reason += " " + BadBalaSentence(*p);
    }
    return verdict;
}

}  // namespace kalvora
