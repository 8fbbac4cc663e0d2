// The calculation for several people: each person as the one-person calculation has them, the balas from the
// muhurtha's own sky, and a combined verdict that does not depend on the people's order.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "driver/people_calculation.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Delhi;

PeopleInput Couple() {
    PeopleInput input;
    input.first.birth = Delhi(1995, 8, 15, 6, 45);
    input.first.muhurtha = Delhi(2026, 12, 10, 10, 30);
    input.first.subject = "Marriage";
    input.first.personName = "Asha";
    input.first.personSex = "Female";
    input.first.muhurthaWeekdayBox = "Thursday";
    input.others.push_back({"Ravi", "Male", Delhi(1993, 2, 3, 21, 10), {}});
    return input;
}

// The same people with the first and the second exchanged.
PeopleInput Swapped(const PeopleInput& input) {
    PeopleInput swapped = input;
    const OtherPerson& second = input.others.front();
    swapped.first = InputFor(input.first, second);
    swapped.others.front() = {input.first.personName, input.first.personSex, input.first.birth, input.first.birthOrigin};
    return swapped;
}

TEST(CalculatePeople, EachPersonIsTheOnePersonCalculationAndTheBalasReadTheMuhurthasSky) {
    const PeopleInput input = Couple();
    const PeopleCalculation result = CalculatePeople(input);
    ASSERT_EQ(result.people.size(), 2u);
    const std::array<CalculationInput, 2> alone = {input.first, InputFor(input.first, input.others.front())};
    const std::array<Role, 2> roles = {Role::Bride, Role::Groom};
    const Sky& sky = *result.First().muhurtha.sky;
    for (std::size_t i = 0; i < 2; ++i) {
        const PersonResult& person = result.people[i];
        const Calculation expected = Calculate(alone[i]);
        EXPECT_EQ(person.calculation.evaluation, expected.evaluation) << person.name;
        EXPECT_EQ(person.calculation.birth.details, expected.birth.details) << person.name;
        EXPECT_EQ(person.role, roles[i]);
        EXPECT_EQ(person.bala, ReadBala(roles[i], expected.birth.chart.rashiIndex, sky.at(Body::Sun).signIndex,
                                        sky.at(Body::Jupiter).signIndex));
    }
    ASSERT_TRUE(result.combined);

    // Swapping the two people changes nothing in the combined verdict.
    const PeopleCalculation swapped = CalculatePeople(Swapped(input));
    EXPECT_EQ(swapped.combined, result.combined);
    EXPECT_EQ(swapped.people[0].bala, result.people[1].bala);
}

TEST(CalculatePeople, RolesOnlyWhereTheUndertakingHasThemAndNoBalaWithoutPlanets) {
    PeopleInput input = Couple();
    input.roles = {Role::Groom, Role::None};
    PeopleCalculation result = CalculatePeople(input);
    EXPECT_EQ(result.people[0].role, Role::Groom);
    EXPECT_EQ(result.people[0].bala->bala, TransitBala::Surya);
    EXPECT_FALSE(result.people[1].bala);

    input.first.subject = "Entering a New House";
    result = CalculatePeople(input);
    for (const PersonResult& person : result.people) {
        EXPECT_EQ(person.role, Role::None);
        EXPECT_FALSE(person.bala);
    }

    input = Couple();
    input.first.planets = PlanetsMode::None;
    result = CalculatePeople(input);
    EXPECT_FALSE(result.people[0].bala);
    EXPECT_FALSE(result.people[1].bala);
}

TEST(CalculatePeople, OnePersonsStoppedEvaluationStopsTheCombinedOneNamingThem) {
    PeopleInput input = Couple();
    input.others.front().birth = Delhi(2027, 1, 1, 9, 0);  // born after the muhurtha
    for (const PeopleInput& order : {input, Swapped(input)}) {
        const PeopleCalculation result = CalculatePeople(order);
        ASSERT_TRUE(result.combined);
        EXPECT_TRUE(result.combined->stopped);
        EXPECT_EQ(result.combined->rating, Rating::NotRated);
        EXPECT_EQ(result.combined->decidedBy, std::vector<std::string>{"Ravi"});
        EXPECT_EQ(result.combined->reason, "The evaluation for Ravi stopped: " + std::string(DateOrderMessage));
    }

    input.first.subject = "no such undertaking";
    EXPECT_FALSE(CalculatePeople(input).combined);
}

}  // namespace
}  // namespace kalvora
