// The calculation for several people: one muhurtha, each person's own evaluation, their balas and the combined
// verdict.

#include "driver/people_calculation.h"

namespace kalvora {

CalculationInput InputFor(const CalculationInput& first, const OtherPerson& person) {
    CalculationInput input = first;
    input.birth = person.birth;
    input.birthOrigin = person.birthOrigin;
    input.personName = person.name;
    input.personSex = person.sex;
    return input;
}

std::vector<Role> RolesOf(const PeopleInput& input) {
    const std::size_t count = input.others.size() + 1;
    std::vector<Role> roles(count, Role::None);
    const std::optional<MuhurthaSubject> subject = FindSubject(input.first.subject);
    if (!subject || !HasRoles(*subject)) return roles;
    for (std::size_t i = 0; i < count; ++i) {
        if (i < input.roles.size()) {
            roles[i] = input.roles[i];
        } else {
            roles[i] = RoleOfSex(i == 0 ? input.first.personSex : input.others[i - 1].sex);
        }
    }
    return roles;
}

PeopleCalculation CalculatePeople(const PeopleInput& input) {
    PeopleCalculation result;
    const MomentResult muhurtha = ComputeMoment(input.first.muhurtha, input.first.planets, input.first.conventions);
    const std::vector<Role> roles = RolesOf(input);
    std::vector<PersonVerdict> verdicts;
    for (std::size_t i = 0; i < roles.size(); ++i) {
        const CalculationInput personInput = i == 0 ? input.first : InputFor(input.first, input.others[i - 1]);
        PersonResult person;
        person.name = personInput.personName;
        person.sex = personInput.personSex;
        person.role = roles[i];
        person.calculation = CalculateAt(personInput, muhurtha);
        if (muhurtha.sky) {
            person.bala = ReadBala(person.role, person.calculation.birth.chart.rashiIndex,
                                   muhurtha.sky->at(Body::Sun).signIndex, muhurtha.sky->at(Body::Jupiter).signIndex);
        }
        if (const std::optional<Evaluation>& e = person.calculation.evaluation) {
            verdicts.push_back({person.name, person.sex, e->rating, e->stopped, e->message, person.bala});
        }
        result.people.push_back(std::move(person));
    }
    if (verdicts.size() == result.people.size()) result.combined = CombineVerdicts(verdicts);
    return result;
}

}  // namespace kalvora
