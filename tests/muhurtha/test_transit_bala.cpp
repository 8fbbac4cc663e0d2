// Surya and Guru bala at the edges of their tables and the combined verdict of several people.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "muhurtha/combined_verdict.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/transit_bala.h"

namespace kalvora {
namespace {

constexpr BalaVerdict G = BalaVerdict::Good, R = BalaVerdict::Remedy, B = BalaVerdict::Bad;

// Each row counts the body's sign from a birth Moon sign; the signs are 0 = Mesha .. 11 = Meena.
struct BalaCase {
    Role role;
    int moonSign;
    int bodySign;
    int house;
    BalaVerdict verdict;
    TransitBala bala;
};

TEST(TransitBala, HousesCountFromTheMoonSignAndReadTheirTable) {
    const auto cases = std::to_array<BalaCase>({
        // The groom's Sun: houses 1 (the Moon sign itself), 3, 4, 11, 12 and the wrap past Meena.
        {Role::Groom, 0, 0, 1, R, TransitBala::Surya},
        {Role::Groom, 0, 1, 2, R, TransitBala::Surya},
        {Role::Groom, 0, 2, 3, G, TransitBala::Surya},
        {Role::Groom, 0, 3, 4, B, TransitBala::Surya},
        {Role::Groom, 0, 7, 8, B, TransitBala::Surya},
        {Role::Groom, 0, 9, 10, G, TransitBala::Surya},
        {Role::Groom, 0, 10, 11, G, TransitBala::Surya},
        {Role::Groom, 0, 11, 12, B, TransitBala::Surya},
        {Role::Groom, 11, 1, 3, G, TransitBala::Surya},
        {Role::Groom, 5, 4, 12, B, TransitBala::Surya},
        // The bride's Jupiter: houses 1, 2, 3, 4, 10, 11, 12, and the wrap.
        {Role::Bride, 4, 4, 1, R, TransitBala::Guru},
        {Role::Bride, 4, 5, 2, G, TransitBala::Guru},
        {Role::Bride, 4, 6, 3, R, TransitBala::Guru},
        {Role::Bride, 4, 7, 4, B, TransitBala::Guru},
        {Role::Bride, 4, 11, 8, B, TransitBala::Guru},
        {Role::Bride, 4, 1, 10, R, TransitBala::Guru},
        {Role::Bride, 4, 2, 11, G, TransitBala::Guru},
        {Role::Bride, 4, 3, 12, B, TransitBala::Guru},
        {Role::Bride, 10, 0, 3, R, TransitBala::Guru},
    });
    for (const BalaCase& c : cases) {
        // The body not read for the role sits in a house of the other verdict, so a mix-up shows.
        const int other = (c.bodySign + 1) % 12;
        const int sun = c.role == Role::Groom ? c.bodySign : other;
        const int jupiter = c.role == Role::Bride ? c.bodySign : other;
        const std::optional<BalaReading> reading = ReadBala(c.role, c.moonSign, sun, jupiter);
        ASSERT_TRUE(reading) << RoleWord(c.role);
        EXPECT_EQ(*reading, (BalaReading{c.bala, c.house, c.verdict}))
            << RoleWord(c.role) << " moon " << c.moonSign << " body " << c.bodySign;
    }
    EXPECT_FALSE(ReadBala(Role::None, 0, 3, 7));
}

PersonVerdict Rated(std::string name, std::string sex, Rating rating, std::optional<BalaReading> bala = {}) {
    return {std::move(name), std::move(sex), rating, false, "", bala};
}

struct CombinedCase {
    const char* what;
    std::vector<PersonVerdict> people;
    CombinedVerdict expected;
};

TEST(CombinedVerdict, WorstRatingDecidesAndABadBalaHoldsItAtAverage) {
    const BalaReading badGuru{TransitBala::Guru, 8, B};
    const BalaReading badSurya{TransitBala::Surya, 12, B};
    const BalaReading remedyGuru{TransitBala::Guru, 1, R};
    const std::string meeraGuru =
        "Guru bala is bad for Meera (Jupiter in the 8th house from her Moon sign), so the verdict is at most Average.";
    const std::vector<CombinedCase> cases = {
        {"both good",
         {Rated("Ravi", "Male", Rating::Good), Rated("Meera", "Female", Rating::Good, remedyGuru)},
         {Rating::Good, false, {"Meera", "Ravi"}, "Everyone is rated Good."}},
        {"the worst decides",
         {Rated("Ravi", "Male", Rating::Bad), Rated("Meera", "Female", Rating::Average),
          Rated("Asha", "Female", Rating::Good)},
         {Rating::Bad, false, {"Ravi"}, "Ravi is rated Bad, the lowest rating among the people."}},
        {"a bad bala lowers Good to Average",
         {Rated("Ravi", "Male", Rating::Good), Rated("Meera", "Female", Rating::Good, badGuru)},
         {Rating::Average, false, {"Meera"}, "Everyone is rated Good. " + meeraGuru}},
        {"a bad bala beside an Average rating names both",
         {Rated("Ravi", "Male", Rating::Average, badSurya), Rated("Meera", "Female", Rating::Good, badGuru)},
         {Rating::Average, false, {"Meera", "Ravi"},
          "Ravi is rated Average, the lowest rating among the people. " + meeraGuru +
              " Surya bala is bad for Ravi (Sun in the 12th house from his Moon sign), so the verdict is at most "
              "Average."}},
        {"a bad bala does not raise a Bad",
         {Rated("Ravi", "Male", Rating::Bad), Rated("Meera", "Female", Rating::Good, badGuru)},
         {Rating::Bad, false, {"Ravi"}, "Ravi is rated Bad, the lowest rating among the people. " + meeraGuru}},
        {"one stopped evaluation stops it",
         {Rated("Ravi", "Male", Rating::Good),
          {"Meera", "Female", Rating::NotRated, true, std::string(DateOrderMessage), badGuru}},
         {Rating::NotRated, true, {"Meera"},
          "The evaluation for Meera stopped: " + std::string(DateOrderMessage)}},
    };
    for (const CombinedCase& c : cases) {
        std::vector<PersonVerdict> people = c.people;
        EXPECT_EQ(CombineVerdicts(people), c.expected) << c.what;
        // The order the people are given in changes nothing.
        std::reverse(people.begin(), people.end());
        EXPECT_EQ(CombineVerdicts(people), c.expected) << c.what << ", reversed";
        std::rotate(people.begin(), people.begin() + 1, people.end());
        EXPECT_EQ(CombineVerdicts(people), c.expected) << c.what << ", rotated";
    }
}

}  // namespace
}  // namespace kalvora
