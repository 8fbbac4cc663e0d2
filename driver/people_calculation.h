#pragma once
// The calculation for one or more people at one muhurtha: each person evaluated exactly as the one-person
// calculation evaluates them, the Surya or Guru bala of each where the undertaking has roles, and the combined
// verdict. The first person is the one-person calculation's input, unchanged.

#include <optional>
#include <string>
#include <vector>

#include "driver/calculation.h"
#include "muhurtha/combined_verdict.h"
#include "muhurtha/transit_bala.h"

namespace kalvora {

// A person after the first: name, sex and birth, the muhurtha being the first person's.
struct OtherPerson {
    std::string name;
    std::string sex = "Male";  // "Male" or "Female"
    MomentInput birth;
    MomentOrigin birthOrigin;
};

struct PeopleInput {
    CalculationInput first;
    std::vector<OtherPerson> others;
    // One role a person, the first person's first; empty for the roles of their sexes. Read only where the
    // undertaking has roles.
    std::vector<Role> roles;
};

// One person's part of the result.
struct PersonResult {
    std::string name;
    std::string sex;
    Role role = Role::None;  // None where the undertaking has no roles
    Calculation calculation; // as the one-person calculation gives it for this person
    std::optional<BalaReading> bala;  // where the person has a role and the planets are placed
};

struct PeopleCalculation {
    std::vector<PersonResult> people;          // the first person first, then the others in their order
    std::optional<CombinedVerdict> combined;   // none when the subject matches no undertaking
    const Calculation& First() const { return people.front().calculation; }
};

// The input of a further person's one-person calculation: the first's with the person's birth, name and sex.
CalculationInput InputFor(const CalculationInput& first, const OtherPerson& person);

// The roles of the people where the undertaking has roles (as given, or by sex), all None where it has none.
std::vector<Role> RolesOf(const PeopleInput& input);

// Every person's calculation (the muhurtha computed once), their balas and the combined verdict.
PeopleCalculation CalculatePeople(const PeopleInput& input);

}  // namespace kalvora
