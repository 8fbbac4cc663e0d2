#pragma once
// The verdict of a muhurtha for several people: the worst of their ratings (Bad below Average below Good), held
// at Average by a bad Surya or Guru bala, with the names that decided it and the reason in words. It does not
// depend on the order the people are given in.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "muhurtha/rating.h"
#include "muhurtha/transit_bala.h"

namespace kalvora {

// What the combined verdict reads of one person.
struct PersonVerdict {
    std::string name;
    std::string sex;  // "Male" or "Female": the reason's "his" or "her"
    Rating rating = Rating::NotRated;
    bool stopped = false;  // the person's evaluation stopped with `message`
    std::string message;
    std::optional<BalaReading> bala;  // where the person has a role and the planets are placed
};

struct CombinedVerdict {
    Rating rating = Rating::NotRated;  // not rated when an evaluation stopped
    bool stopped = false;
    std::vector<std::string> decidedBy;  // in the order of their names
    std::string reason;
    friend bool operator==(const CombinedVerdict&, const CombinedVerdict&) = default;
};

// The combined verdict. A stopped evaluation stops it, naming whose; otherwise the worst rating decides, and a
// bad bala lowers a Good to Average. decidedBy names the people rated as the verdict is, and those whose bad bala
// holds it at Average.
CombinedVerdict CombineVerdicts(std::span<const PersonVerdict> people);

// "Bad" ranks lowest, then "Average", then "Good"; not rated ranks below all.
int RatingRank(Rating rating);

}  // namespace kalvora
