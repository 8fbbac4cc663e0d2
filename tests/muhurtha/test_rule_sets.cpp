// Every rule set through a whole evaluation, and the particular outcomes of single factors.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "input_builder.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/rule_set.h"

namespace kalvora {
namespace {

using testing::Evaluate;
using testing::InputBuilder;
using testing::Jupiter;
using testing::ResultLines;

constexpr auto Unfav = TaraVerdict::Unfavourable;
constexpr auto Fav = TaraVerdict::Favourable;
constexpr auto VeryFav = TaraVerdict::VeryFavourable;
constexpr auto MoonUnfav = MoonVerdict::Unfavourable;

struct FullCase {
    std::string_view name;
    InputBuilder input;
    std::string text;
};

void PrintTo(const FullCase& c, std::ostream* os) { *os << c.name; }

class WholeEvaluation : public ::testing::TestWithParam<FullCase> {};

TEST_P(WholeEvaluation, ResultText) {
    const FullCase& c = GetParam();
    const Evaluation e = Evaluate(c.input);
    EXPECT_EQ(e.resultText, c.text);
    EXPECT_FALSE(e.stopped);
}

// The birth defaults of the builder: "Bharani", Moon "Mesha", lagna "Simha", 15 January 2000; the muhurtha on
// 10 April 2024 at 10:30 (table lagna "Mithuna", lunar month "Vaisakha").
const FullCase FullCases[] = {
    {"Naming", InputBuilder("Naming of The Child or Namakarana").Born(2024, 3, 1).On(2024, 3, 20).Tara(VeryFav)
         .Nakshatra("Pushya").Tithi(23).Weekday("Tuesday").Yoga("Vyatipata").Karana("Visti"),
     ResultLines({"Tara Stength - Very Favourable - 2 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unavourable - -1 Point",
                  "Day of Week - Neutral - 0 Point", "Yoga - Unavourable - -1 Point",
                  "Karana - Unfavourable - -1 Point", "Total Score - 1 Points", "Muhurtha: Good"})},
    {"NamingWindow", InputBuilder("Naming of The Child or Namakarana").Born(2024, 2, 25).On(2024, 3, 6),
     ResultLines({"Favourable - 5 Point", "Total Score - 5 Points", "Muhurtha: Good"})},
    {"Tonsuring", InputBuilder("Tonsuring of Head").Tara(Unfav).Moon(MoonUnfav).Nakshatra("Jyeshtha").Tithi(7)
         .Weekday("Friday").Yoga("Ganda"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unavourable - -1 Point",
                  "Day of Week - Favourable - 1 Point", "Yoga - Unavourable - -1 Point",
                  "Karana - Neutral - 0 Point", "Total Score - -2 Points", "Muhurtha: Average"})},
    {"EarPiercing", InputBuilder("Piercing of the Ear or Karnavedha").Nakshatra("Chitra").Tithi(30)
         .Weekday("Wednesday").Rashi("Simha").Karana("Visti"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Neutral - 0 Point",
                  "Day of Week - Favourable - 1 Point", "Yoga - Neutral - 0 Point",
                  "Rashi - Unfavourable - -1 Point", "Karana - Unfavourable - -1 Point",
                  "Total Score - 2 Points", "Muhurtha: Good"})},
    {"ThreadCeremony", InputBuilder("Thread Ceremony Or Upanayana").Born(2014, 6, 1).Tara(Unfav).Nakshatra("Magha")
         .Tithi(17).Weekday("Tuesday").Rashi("Kumbha"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Favourable - 1 Point",
                  "Day of Week - Unfavourable - -1 Point", "Rashi - Favourable - 1 Point",
                  "Total Score - 1 Points", "Muhurtha: Good"})},
    {"FirstFeeding", InputBuilder("First feeding of Solid Food (Annaprasan)").Sex("Female").Born(2023, 8, 5)
         .Moon(MoonUnfav).Nakshatra("Bharani").Tithi(15).Weekday("Thursday").Yoga("Vajra").Karana("Balava")
         .Rashi("Meena"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Unfavourable - -1 Point", "Tithi - Unfavourable - -1 Point",
                  "Day of Week - Favourable - 1 Point", "Month - Favourable - 1 Point",
                  "Yoga - Unfavourable - -1 Point", "Karana - Neutral - 0 Point", "Rashi - Unfavourable - -1 Point",
                  "Total Score - -2 Points", "Muhurtha: Average"})},
    {"EducationStart", InputBuilder("Starting of Education (Aksharabhyasa)").Tara(VeryFav).Nakshatra("Hasta")
         .Tithi(9).Weekday("Monday"),
     ResultLines({"Tara Stength - Very Favourable - 2 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Day of Week - Favourable - 1 Point", "Total Score - 4 Points", "Muhurtha: Good"})},
    {"Adoption", InputBuilder("Adoption of a Child").Tara(Unfav).Moon(MoonUnfav).Tithi(4).Weekday("Saturday"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point", "Day of Week - Neutral - 0 Point",
                  "Total Score - -2 Points", "Muhurtha: Average"})},
    {"Engagement", InputBuilder("Engagement").Nakshatra("Krittika").Tithi(4).Weekday("Saturday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Neutral - 0 Point",
                  "Weekday - Unfavourable - -1 Point", "Total Score - 2 Points", "Muhurtha: Good"})},
    {"Marriage", InputBuilder("Marriage").Nakshatra("Pushya").Tithi(2).Weekday("Thursday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Favourable - 1 Point", "Yoga - Neutral - 0 Point", "Karana - Neutral - 0 Point",
                  "Siddha Yoga - Neutral - 0 Point", "Sarvartha Yoga - Favourable - 1 Point",
                  "Amrita Yoga - Favourable - 1 Point", "Not Favourable for Marriage", "Total Score - 4 Points",
                  "Muhurtha: Good"})},
    {"BrideEntrance", InputBuilder("First Entrance of the Bride").Moon(MoonUnfav).Nakshatra("Moola").Tithi(14),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Unfavourable - -1 Point", "Total Score - -1 Points", "Muhurtha: Average"})},
    {"TradeLearning", InputBuilder("Learning of a Trade").Tithi(6).Weekday("Monday").Planet(3, "Pis")
         .Planet(6, "Pis").Planet(Jupiter, "Gem"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Tithi - Favourable - 1 Point", "Weekday - Favourable - 0 Point",
                  "Saraswati Yoga - Neutral - 0 Point", "Total Score - 3 Points", "Muhurtha: Good",
                  "Planet in the 10th House from the position of Asc \r\nVenus\r\nSaturn\r\n\r\n"})},
    {"ScienceLearning", InputBuilder("Learning of any Science").Tara(Unfav).Tithi(8).Weekday("Wednesday")
         .Nakshatra("Hasta"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Favourable - 1 Point",
                  "Tithi - Unfavourable - -1 Point", "Weekday - Neutral - 0 Point",
                  "Saraswati Yoga - Favourable - 1 Point", "Learning of any Science - Favourable - 1 Point",
                  "Total Score - 1 Points", "Muhurtha: Good"})},
    {"DanceMusic", InputBuilder("Learning Dance Or Music").Moon(MoonUnfav).Nakshatra("Ashwini"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point", "Weekday - Neutral - 0 Point",
                  "Saraswati Yoga - Neutral - 0 Point", "Total Score - 0 Points", "Muhurtha: Good"})},
    {"AstrologyLearning", InputBuilder("Learning Astrology Or Astronomy").Tara(Unfav).Moon(MoonUnfav)
         .Nakshatra("Moola").Tithi(30).Weekday("Saturday"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Unfavourable - -1 Point", "Saraswati Yoga - Neutral - 0 Point",
                  "Total Score - -3 Points", "Muhurtha: Bad"})},
    {"MedicineLearning", InputBuilder("Learning Medicine").Tara(Unfav).Moon(MoonUnfav).Nakshatra("Bharani")
         .Tithi(5).Weekday("Saturday"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Favourable - 1 Point", "Weekday - Neutral - 0 Point",
                  "Saraswati Yoga - Neutral - 0 Point", "Total Score - -1 Points", "Muhurtha: Average"})},
    {"GrammarLogic", InputBuilder("Learning Grammar, Logic Or Philosophy").Tithi(12).Weekday("Thursday")
         .Nakshatra("Revati"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Tithi - Favourable - 1 Point", "Weekday - Neutral - 0 Point", "Saraswati Yoga - Neutral - 0 Point",
                  "Nakshatra of Grammar - Favourable - 1 Point",
                  "Nakshatra of Logic And and Philosophy - Favourable - 1 Point",
                  "Weekday of Grammar - Favourable - 1 Point",
                  "Weekday of Logic And and Philosophy - Favourable - 1 Point", "Total Score - 7 Points",
                  "Muhurtha: Good"})},
    {"NewHouse", InputBuilder("Entering a New House").Tara(VeryFav).Nakshatra("Ashwini").Tithi(30)
         .Weekday("Tuesday"),
     ResultLines({"Tara Stength - Very Favourable - 2 Point", "Moon Stength - Favourable - 1 Point",
                  "Very Bad Nakshatra - Unfavourable - -1 Point", "Tithi - Unfavourable - -1 Point",
                  "Very Bad Weekday - Unfavourable - -1 Point", "Hindu Lunar Month - Favourable - 1 Point",
                  "Siddhi Yoga - Neutral - 0 Point", "Sarvartha Siddha Yoga - Favourable - 1 Point",
                  "Amrita Siddhi Yoga - Favourable - 1 Point", "Not Favourable for Griha Pravesha",
                  "Total Score - 3 Points", "Muhurtha: Good"})},
    {"RentedHouse", InputBuilder("Entering a Rented House").Tara(VeryFav).Tithi(9).Weekday("Sunday"),
     ResultLines({"Tara Strength - Neutral - 0 Point", "Moon Strength - Favourable - 1 Point",
                  "Tithi - Unfavourable - -1 Point", "Weekday - Neutral - 0 Point", "Total Score - 0 Points",
                  "Muhurtha: Good"})},
    {"NewJob", InputBuilder("Start On A New Job").Tara(Unfav).Moon(MoonUnfav).Nakshatra("Swati").Tithi(15)
         .Weekday("Saturday"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Favourable - 1 Point", "Weekday - Neutral - 0 Point",
                  "Siddhi Yoga - Neutral - 0 Point", "Sarvartha Siddha Yoga - Favourable - 1 Point",
                  "Amrita Siddhi Yoga - Neutral - 0 Point", "", "Total Score - 0 Points", "Muhurtha: Good"})},
    {"NewBusiness", InputBuilder("Start A New Business").Nakshatra("Revati").Tithi(26).Weekday("Friday")
         .Yoga("Vaidhruthi").Karana("Visti"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Favourable - 1 Point", "Siddhi Yoga - Favourable - 1 Point",
                  "Sarvartha Siddha Yoga - Favourable - 1 Point", "Amrita Siddhi Yoga - Favourable - 1 Point",
                  "Yoga - Unfavourable - -1 Point", "Karana - Unfavourable - -1 Point", "",
                  "Total Score - 4 Points", "Muhurtha: Good"})},
    {"DomesticJourney", InputBuilder("Domestic Journey").Nakshatra("Krittika").Tithi(30).Weekday("Thursday")
         .Rashi("Simha").Lagna("Makara").BirthRashi("Mithuna"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Least Favourable - -1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Favourable - 1 Point", "Rashi - Favourable - 1 Point",
                  "Muhurtha Lagna from Birth Lagna - Unfavourable - -1 Point",
                  "Muhurtha Lagna with Birth Rashi and Lagna - Favourable - 1 Point",
                  "Siddhi Yoga - Favourable - 1 Point", "Sarvartha Siddha Yoga - Neutral - 0 Point",
                  "Tripushkar Yoga - Neutral - 0 Point", "Amrita Siddhi Yoga - Neutral - 0 Point",
                  "Mrityu Yoga - Absent - 0 Point", "Dagdha Yoga - Absent - 0 Point",
                  "Yamaghata Yoga - Unfavourable - -1 Point", "Total Score - 2 Points", "Muhurtha: Good"})},
    {"ReligiousJourney", InputBuilder("Religious Journey").Tara(Unfav).Nakshatra("Ardra").Tithi(11)
         .Weekday("Tuesday").Rashi("Meena").Lagna("Thula").Planet(Jupiter, "Gem"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Favourable - 1 Point",
                  "Weekday - Least Favourable - -1 Point", "Rashi - Neutral - 0 Point",
                  "Muhurtha Lagna from Birth Lagna - Favourable - 1 Point",
                  "Muhurtha Lagna with Birth Rashi and Lagna - Neutral - 0 Point",
                  "Jupiter in Rising Sign - Favourable - 1 Point", "Jupiter in 9th House - Neutral - 0 Point",
                  "Siddhi Yoga - Neutral - 0 Point", "Sarvartha Siddha Yoga - Neutral - 0 Point",
                  "Tripushkar Yoga - Neutral - 0 Point", "Amrita Siddhi Yoga - Neutral - 0 Point",
                  "Mrityu Yoga - Unfavourable - -1 Point", "Dagdha Yoga - Absent - 0 Point",
                  "Yamaghata Yoga - Unfavourable - -1 Point", "Total Score - 0 Points", "Muhurtha: Good"})},
    {"ForeignJourney", InputBuilder("Foreign Journey").Tara(VeryFav).Moon(MoonUnfav).Nakshatra("Swati")
         .BirthNakshatra("Swati").Tithi(9).Weekday("Monday").Rashi("Kataka").Lagna("Meena"),
     ResultLines({"Tara Stength - Very Favourable - 2 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point", "Weekday - Favourable - 1 Point",
                  "Rashi - Favourable - 1 Point", "Muhurtha Lagna from Birth Lagna - Unfavourable - -1 Point",
                  "Muhurtha Lagna with Birth Rashi and Lagna - Neutral - 0 Point",
                  "Siddhi Yoga - Neutral - 0 Point", "Sarvartha Siddha Yoga - Neutral - 0 Point",
                  "Tripushkar Yoga - Neutral - 0 Point", "Amrita Siddhi Yoga - Neutral - 0 Point",
                  "Mrityu Yoga - Absent - 0 Point", "Dagdha Yoga - Absent - 0 Point",
                  "Yamaghata Yoga - Absent - 0 Point", "Total Score - 2 Points", "Muhurtha: Good"})},
    {"Foundation", InputBuilder("Laying the Foundation").On(2024, 8, 24).Nakshatra("Shravana").Tithi(6),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Unfavourable - -1 Point", "Tithi - Favourable - 1 Point",
                  "Weekday - Neutral - 0 Point", "Hindu Lunar Month - Neutral - 0 Point", "Total Score - 2 Points",
                  "Muhurtha: Good"})},
    {"Construction", InputBuilder("Starting the Construction of a House").On(2024, 12, 23).Tara(Unfav)
         .Moon(MoonUnfav).Nakshatra("Hasta").Tithi(15).Weekday("Tuesday").Rashi("Kanya"),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Unfavourable - -1 Point", "Hindu Lunar Month - Neutral - 0 Point",
                  "Rashi - Favourable - 1 Point", "Total Score - -2 Points", "Muhurtha: Average"})},
    {"Lending", InputBuilder("Lending Money").Tithi(15).Weekday("Friday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point", "Weekday - Unfavourable - -1 Point",
                  "Total Score - 1 Points", "Muhurtha: Good"})},
    {"Borrowing", InputBuilder("Borrowing Money").Tara(Unfav).Nakshatra("Dhanistha").Tithi(19),
     ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Unfavourable - -1 Point", "Tithi - Neutral - 0 Point", "Total Score - -1 Points",
                  "Muhurtha: Average"})},
    {"Legal", InputBuilder("Legal").Moon(MoonUnfav).Nakshatra("Chitra").Tithi(14).Weekday("Saturday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Unfavourable - -1 Point", "Total Score - -1 Points", "Muhurtha: Average"})},
    {"ChronicTreatment",
     InputBuilder("Starting medical treatment for chronic disease or recurring illness").Weekday("Tuesday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Weekday - Neutral - 0 Point", "Total Score - 2 Points", "Muhurtha: Good"})},
    {"ChronicTreatmentW4",
     InputBuilder("Starting medical treatment for chronic disease or recurring illness").Moon(MoonUnfav)
         .Weekday("Wednesday").Nakshatra("Bharani"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Neutral - 0 Point", "Weekday - Favourable - 1 Point", "Total Score - 1 Points",
                  "Muhurtha: Good"})},
    {"Operation", InputBuilder("Date for operations").Nakshatra("Moola").Tithi(30).Weekday("Wednesday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Uafvourable - -1 Point",
                  "Weekday - Favourable - 1 Point", "Total Score - 3 Points", "Muhurtha: Good"})},
    {"BuyingLand", InputBuilder("Buying Land").Nakshatra("Chitra").Tithi(7),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point", "Weekday - Neutral - 0 Point",
                  "Dvipushkar Yoga - Favourable - 1 Point", "Tripushkar Yoga - Neutral - 0 Point",
                  "Total Score - 3 Points", "Muhurtha: Good"})},
    {"SellingLand", InputBuilder("Selling Land").Tara(VeryFav).Moon(MoonUnfav).Nakshatra("Hasta")
         .BirthNakshatra("Hasta").Tithi(9).Weekday("Saturday"),
     ResultLines({"Tara Stength - Very Favourable - 2 Point", "Moon Stength - Unfavourable - -1 Point",
                  "Nakshatra - Unfavourable - -1 Point", "Tithi - Unfavourable - -1 Point",
                  "Weekday - Favourable - 1 Point", "Total Score - 0 Points", "Muhurtha: Average"})},
    {"BuyingItem", InputBuilder("Buying Item").Nakshatra("Uttara Phalguni").Tithi(17).Weekday("Saturday"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Neutral - 0 Point", "Tithi - Neutral - 0 Point",
                  "Tripushkar Yoga - Favourable - 1 Point", "Total Score - 3 Points", "Muhurtha: Good"})},
    {"SellingItem", InputBuilder("Sell Item").Nakshatra("Vishakha").Tithi(30).Lagna("Kumbha").BirthRashi("Kumbha"),
     ResultLines({"Tara Stength - Favourable - 1 Point", "Moon Stength - Favourable - 1 Point",
                  "Nakshatra - Favourable - 1 Point", "Tithi - Unfavourable - -1 Point",
                  "Lagna - Unfavourable - -1 Point", "Sale time Lagna - Favourable - 1 Point",
                  "Total Score - 2 Points", "Muhurtha: Good"})},
};

INSTANTIATE_TEST_SUITE_P(EveryRuleSet, WholeEvaluation, ::testing::ValuesIn(FullCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WholeEvaluation, EverySubjectIsCovered) {
    std::vector<bool> seen(SubjectCount, false);
    for (const FullCase& c : FullCases) {
        const std::optional<MuhurthaSubject> s = FindSubject(c.input.Input().subject);
        ASSERT_TRUE(s.has_value()) << c.name;
        seen[static_cast<std::size_t>(*s)] = true;
    }
    for (std::size_t i = 0; i < SubjectCount; ++i) EXPECT_TRUE(seen[i]) << SubjectTexts[i];
}

// A heading written out whole must end in the verdict word that decides its report code.
TEST(RuleSetTables, WrittenOutHeadingsEndInTheirWord) {
    for (std::size_t s = 0; s < SubjectCount; ++s) {
        const rules::RuleSet& rules = rules::RuleSetOf(static_cast<MuhurthaSubject>(s));
        EXPECT_EQ(rules.subject, static_cast<MuhurthaSubject>(s));
        for (const rules::Factor& factor : rules.factors) {
            EXPECT_FALSE(factor.label.empty()) << SubjectTexts[s];
            for (const rules::Case& c : factor.Cases()) {
                if (c.outcome.heading.empty()) continue;
                EXPECT_TRUE(c.outcome.heading.ends_with(rules::WordText(c.outcome.word))) << c.outcome.heading;
            }
        }
    }
}

// --- Single factors ------------------------------------------------------------------------------------------

struct FactorCase {
    std::string_view name;
    InputBuilder input;
    std::size_t index;
    std::string_view heading;  // "" with points 0: the factor is not written
    int points;
    bool counted;
};

void PrintTo(const FactorCase& c, std::ostream* os) { *os << c.name; }

class SingleFactor : public ::testing::TestWithParam<FactorCase> {};

TEST_P(SingleFactor, Outcome) {
    const FactorCase& c = GetParam();
    const Evaluation e = Evaluate(c.input);
    ASSERT_LT(c.index, e.factors.size());
    const FactorVerdict& f = e.factors[c.index];
    EXPECT_EQ(f.heading, c.heading);
    EXPECT_EQ(f.points, c.points);
    EXPECT_EQ(f.counted, c.counted);
    EXPECT_EQ(f.written, !c.heading.empty());
}

const FactorCase FactorCases[] = {
    // Child ceremonies and marriage
    {"MarriageDwitiya", InputBuilder("Marriage").Tithi(2), 3, "Tithi - Unfavourable", -1, false},
    {"MarriageChaturthi", InputBuilder("Marriage").Tithi(4), 3, "Tithi - Neutral", 0, true},
    {"NamingKrishnaAshtami", InputBuilder("Naming of The Child or Namakarana").Tithi(23), 3, "Tithi - Unavourable",
     -1, false},
    {"NamingShuklaAshtami", InputBuilder("Naming of The Child or Namakarana").Tithi(8), 3, "Tithi - Neutral", 0, true},
    {"NamingNavami", InputBuilder("Naming of The Child or Namakarana").Tithi(24), 3, "Tithi - Unavourable", -1, false},
    {"EngagementFourthTithi", InputBuilder("Engagement").Tithi(4), 3, "Tithi - Neutral", 0, false},
    {"AdoptionSunday", InputBuilder("Adoption of a Child").Weekday("Sunday"), 4, "Day of Week - Favourable", 1, true},
    {"AdoptionOtherNakshatra", InputBuilder("Adoption of a Child").Nakshatra("Rohini"), 2, "Nakshatra - Neutral", 0,
     false},
    {"ThreadSecondDarkTithi", InputBuilder("Thread Ceremony Or Upanayana").Born(2014, 1, 1).Tithi(17), 3,
     "Tithi - Favourable", 1, true},
    {"ThreadEleventhTithi", InputBuilder("Thread Ceremony Or Upanayana").Born(2014, 1, 1).Tithi(11), 3,
     "Tithi - Unfavourable", -1, false},
    {"FirstFeedingBoyEightMonths", InputBuilder("First feeding of Solid Food (Annaprasan)").Born(2023, 8, 20), 5,
     "Month - Neutral", 0, true},
    {"FirstFeedingGirlEightMonths",
     InputBuilder("First feeding of Solid Food (Annaprasan)").Sex("Female").Born(2023, 8, 20), 5,
     "Month - Favourable", 1, true},
    {"FirstFeedingBoySevenMonths", InputBuilder("First feeding of Solid Food (Annaprasan)").Born(2023, 9, 1), 5,
     "Month - Favourable", 1, true},
    {"EarPiercingShasthi", InputBuilder("Piercing of the Ear or Karnavedha").Tithi(6), 3, "Tithi - Favourable", 1,
     true},
    {"EarPiercingDarkChaturdashi", InputBuilder("Piercing of the Ear or Karnavedha").Tithi(29), 3, "Tithi - Neutral",
     0, true},
    {"EducationSunday", InputBuilder("Starting of Education (Aksharabhyasa)").Weekday("Sunday"), 4,
     "Day of Week - Neutral", 0, true},
    {"EducationW4OtherNakshatra", InputBuilder("Starting of Education (Aksharabhyasa)").Weekday("Friday"), 4,
     "Day of Week - Neutral", 0, true},
    {"EducationSaturday", InputBuilder("Starting of Education (Aksharabhyasa)").Weekday("Saturday"), 4,
     "Day of Week - Unfavourable", -1, false},
    // Learning, house and work
    {"TradeMonday", InputBuilder("Learning of a Trade").Weekday("Monday"), 3, "Weekday - Favourable", 0, true},
    {"MedicineDhanisthaNakshatra", InputBuilder("Learning Medicine").Nakshatra("Dhanistha").Weekday("Saturday"), 2,
     "Nakshatra - Favourable", 1, true},
    {"MedicineDhanisthaWeekday", InputBuilder("Learning Medicine").Nakshatra("Dhanistha").Weekday("Saturday"), 4,
     "Weekday - Unfavourable", -1, false},
    {"MedicineBharaniSaturday", InputBuilder("Learning Medicine").Nakshatra("Bharani").Weekday("Saturday"), 4,
     "Weekday - Neutral", 0, false},
    {"MedicineBharaniMonday", InputBuilder("Learning Medicine").Nakshatra("Bharani").Weekday("Monday"), 4,
     "Weekday - Favourable", 1, true},
    {"MedicineHastaSunday", InputBuilder("Learning Medicine").Nakshatra("Hasta").Weekday("Sunday"), 4,
     "Weekday - Neutral", 0, true},
    {"GrammarNeutralNakshatra", InputBuilder("Learning Grammar, Logic Or Philosophy").Nakshatra("Ashwini"), 5,
     "Nakshatra of Grammar- Neutral", 0, true},
    {"GrammarTuesdayNoWeekdayOfGrammar", InputBuilder("Learning Grammar, Logic Or Philosophy").Weekday("Tuesday"), 7,
     "", 0, false},
    {"GrammarTuesdayNoWeekdayOfLogic", InputBuilder("Learning Grammar, Logic Or Philosophy").Weekday("Tuesday"), 8,
     "", 0, false},
    {"GrammarSundayWeekdayOfLogic", InputBuilder("Learning Grammar, Logic Or Philosophy").Weekday("Sunday"), 8,
     "Weekday of Logic And and Philosophy - Neutral", 0, true},
    {"NewHouseAshwini", InputBuilder("Entering a New House").Nakshatra("Ashwini"), 2,
     "Very Bad Nakshatra - Unfavourable", -1, false},
    {"NewHouseBadNakshatra", InputBuilder("Entering a New House").Nakshatra("Jyeshtha"), 2,
     "Bad Nakshatra - Unfavourable", -1, false},
    {"NewHouseOtherNakshatra", InputBuilder("Entering a New House").Nakshatra("Magha"), 2, "Nakshatra - Neutral", 0,
     true},
    {"NewHouseAmavashya", InputBuilder("Entering a New House").Tithi(30), 3, "Tithi - Unfavourable", -1, false},
    {"NewHouseFirstDarkTithi", InputBuilder("Entering a New House").Tithi(16), 3, "Tithi - Favourable", 1, true},
    {"NewHouseSecondDarkTithi", InputBuilder("Entering a New House").Tithi(17), 3, "Tithi - Neutral", 0, true},
    {"NewHouseSunday", InputBuilder("Entering a New House").Weekday("Sunday"), 4, "Weekday - Neutral", 0, true},
    {"RentedVeryFavourableTara", InputBuilder("Entering a Rented House").Tara(VeryFav), 0,
     "Tara Strength - Neutral", 0, true},
    {"RentedUnfavourableTara", InputBuilder("Entering a Rented House").Tara(Unfav), 0, "Tara Strength - Neutral", 0,
     true},
    {"FoundationShravana", InputBuilder("Laying the Foundation").Nakshatra("Shravana"), 2,
     "Nakshatra - Unfavourable", -1, false},
    {"FoundationJyeshtha", InputBuilder("Laying the Foundation").Nakshatra("Jyeshtha"), 2, "Nakshatra - Favourable",
     1, true},
    {"FoundationTwelfthTithi", InputBuilder("Laying the Foundation").Tithi(12), 3, "Tithi - Neutral", 0, true},
    {"FoundationSixthTithi", InputBuilder("Laying the Foundation").Tithi(6), 3, "Tithi - Favourable", 1, true},
    {"FoundationNinthTithi", InputBuilder("Laying the Foundation").Tithi(9), 3, "Tithi - Unfavourable", -1, false},
    {"FoundationVaisakha", InputBuilder("Laying the Foundation").On(2024, 4, 21), 5,
     "Hindu Lunar Month - Favourable", 1, true},
    {"ConstructionPausa", InputBuilder("Starting the Construction of a House").On(2024, 11, 23), 5,
     "Hindu Lunar Month - Favourable", 1, true},
    // Journeys, money, medical and trade
    {"DomesticKrittika", InputBuilder("Domestic Journey").Nakshatra("Krittika"), 2,
     "Nakshatra - Least Favourable", -1, false},
    {"DomesticKrittikaMoon", InputBuilder("Domestic Journey").Nakshatra("Krittika").Moon(MoonUnfav), 1,
     "Moon Stength - Unfavourable", -1, false},
    {"DomesticRohini", InputBuilder("Domestic Journey").Nakshatra("Rohini"), 2, "Nakshatra - Neutral", 1, true},
    {"DomesticTuesday", InputBuilder("Domestic Journey").Weekday("Tuesday"), 4, "Weekday - Least Favourable", -1,
     true},
    {"ReligiousTuesday", InputBuilder("Religious Journey").Weekday("Tuesday"), 4, "Weekday - Least Favourable", -1,
     true},
    {"ReligiousBharani", InputBuilder("Religious Journey").Nakshatra("Bharani"), 2, "Nakshatra - Least Favourable",
     -1, true},
    {"ReligiousSarvarthaAbsent", InputBuilder("Religious Journey").Weekday("Monday").Nakshatra("Hasta"), 11,
     "Sarvartha Siddha Yoga - Neutral", 0, false},
    {"ReligiousJupiterNinth", InputBuilder("Religious Journey").At(6, 54).Planet(Jupiter, "Cpr"), 9,
     "Jupiter in 9th House - Favourable", 1, true},
    {"ForeignBirthNakshatra", InputBuilder("Foreign Journey").Nakshatra("Krittika").BirthNakshatra("Krittika"), 2,
     "Nakshatra - Neutral", 0, true},
    {"ForeignBharani", InputBuilder("Foreign Journey").Nakshatra("Bharani").BirthNakshatra("Rohini"), 2,
     "Nakshatra - Least Favourable", -1, true},
    {"ForeignShatabhisha", InputBuilder("Foreign Journey").Nakshatra("Shatabhisha"), 2, "Nakshatra - Favourable", 1,
     true},
    {"JourneyLagnaSevenSigns", InputBuilder("Foreign Journey").BirthLagna("Mesha").Lagna("Vrischika"), 6,
     "Muhurtha Lagna from Birth Lagna - Unfavourable", -1, false},
    {"JourneyLagnaSameSign", InputBuilder("Religious Journey").BirthLagna("Mesha").Lagna("Mesha"), 6,
     "Muhurtha Lagna from Birth Lagna - Favourable", 1, true},
    {"JourneyBirthRashiAndLagnaBothOnTableLagna",
     InputBuilder("Domestic Journey").BirthRashi("Mithuna").BirthLagna("Mithuna"), 7,
     "Muhurtha Lagna with Birth Rashi and Lagna - Neutral", 0, true},
    {"JourneyMrityuPurnimaSaturday", InputBuilder("Domestic Journey").Tithi(15).Weekday("Saturday"), 12,
     "Mrityu Yoga - Unfavourable", -1, false},
    {"JourneyDagdhaSundayBharani", InputBuilder("Foreign Journey").Nakshatra("Bharani"), 13,
     "Dagdha Yoga - Unfavourable", -1, false},
    {"LendingPurnimaFriday", InputBuilder("Lending Money").Tithi(15).Weekday("Friday"), 3, "Tithi - Neutral", 0,
     true},
    {"LendingAmavashyaSaturday", InputBuilder("Lending Money").Tithi(30).Weekday("Saturday"), 3,
     "Tithi - Unfavourable", -1, false},
    {"LendingBirthNakshatra", InputBuilder("Lending Money").Nakshatra("Bharani"), 2, "Nakshatra - Unfavourable", -1,
     false},
    {"ChronicTuesdayNakshatra",
     InputBuilder("Starting medical treatment for chronic disease or recurring illness").Weekday("Tuesday"), 2, "", 0,
     false},
    {"ChronicMondayRohini",
     InputBuilder("Starting medical treatment for chronic disease or recurring illness").Weekday("Monday"), 2,
     "Nakshatra - Favourable", 1, true},
    {"OperationBrightTithi", InputBuilder("Date for operations").Tithi(9), 3, "Tithi - Unfavourable", -1, false},
    {"OperationDarkFourth", InputBuilder("Date for operations").Tithi(19), 3, "Tithi - Favourable", 1, true},
    {"OperationDarkFifth", InputBuilder("Date for operations").Tithi(20), 3, "Tithi - Neutral", 0, true},
    {"OperationBirthNakshatra", InputBuilder("Date for operations").Nakshatra("Bharani"), 2,
     "Nakshatra - Unfavourable", -1, false},
    {"SellingItemLagnaIsBirthLagna", InputBuilder("Sell Item").Lagna("Simha"), 5, "Sale time Lagna - Favourable", 1,
     true},
    {"SellingItemOtherLagna", InputBuilder("Sell Item"), 5, "Sale time Lagna - Neutral", 0, true},
    {"SellingItemKumbha", InputBuilder("Sell Item").Lagna("Kumbha"), 4, "Lagna - Unfavourable", -1, false},
};

INSTANTIATE_TEST_SUITE_P(Factors, SingleFactor, ::testing::ValuesIn(FactorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Age windows ---------------------------------------------------------------------------------------------

struct WindowCase {
    std::string_view name;
    InputBuilder input;
    bool inWindow;
    int points;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class AgeWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(AgeWindow, SingleFavourableFactorRatesGood) {
    const WindowCase& c = GetParam();
    const Evaluation e = Evaluate(c.input);
    if (!c.inWindow) {
        EXPECT_GT(e.factors.size(), 1u);
        return;
    }
    ASSERT_EQ(e.factors.size(), 1u);
    EXPECT_EQ(e.factors[0].heading, "Favourable");
    EXPECT_EQ(e.factors[0].points, c.points);
    EXPECT_EQ(e.count, 1);
    EXPECT_EQ(e.rating, Rating::Good);
    EXPECT_EQ(e.codes, FactorCodes{});  // the window factor writes no report code
    EXPECT_EQ(e.resultText, ResultLines({"Favourable - " + std::to_string(c.points) + " Point",
                                         "Total Score - " + std::to_string(c.points) + " Points",
                                         "Muhurtha: Good"}));
}

InputBuilder Naming(int by, int bm, int bd, int my, int mm, int md) {
    return InputBuilder("Naming of The Child or Namakarana").Born(by, bm, bd).On(my, mm, md);
}
InputBuilder EarPiercing(int by, int bm, int bd, int my, int mm, int md) {
    return InputBuilder("Piercing of the Ear or Karnavedha").Born(by, bm, bd).On(my, mm, md);
}
InputBuilder Thread(int by, int my) {
    return InputBuilder("Thread Ceremony Or Upanayana").Born(by, 6, 1).On(my, 6, 1);
}

const WindowCase WindowCases[] = {
    {"NamingNineDays", Naming(2024, 3, 1, 2024, 3, 10), false, 0},
    {"NamingTenDays", Naming(2024, 3, 1, 2024, 3, 11), true, 5},
    {"NamingTwelveDays", Naming(2024, 3, 1, 2024, 3, 13), true, 5},
    {"NamingThirteenDays", Naming(2024, 3, 1, 2024, 3, 14), false, 0},
    {"NamingSixteenDays", Naming(2024, 3, 1, 2024, 3, 17), true, 5},
    {"NamingSeventeenDays", Naming(2024, 3, 1, 2024, 3, 18), false, 0},
    {"NamingElevenDaysOverTheMonthEnd", Naming(2024, 1, 25, 2024, 2, 5), true, 5},
    {"NamingSameDayOfMonthTenYearsOn", Naming(2000, 1, 15, 2010, 2, 25), false, 0},
    {"EarSixteenthAndSixth", EarPiercing(2024, 3, 6, 2024, 3, 16), true, 6},
    {"EarElevenDays", EarPiercing(2024, 3, 6, 2024, 3, 17), false, 0},
    {"EarSevenMonths", EarPiercing(2024, 1, 6, 2024, 8, 1), true, 6},
    {"EarNineMonths", EarPiercing(2024, 1, 6, 2024, 10, 1), false, 0},
    {"EarOddYears", EarPiercing(2019, 4, 1, 2024, 4, 10), true, 6},
    {"EarEvenYears", EarPiercing(2018, 4, 1, 2024, 4, 10), false, 0},
    {"EarFiveMonths", EarPiercing(2024, 1, 6, 2024, 6, 1), false, 0},
    {"EarSixMonths", EarPiercing(2024, 1, 6, 2024, 7, 1), true, 6},
    {"EarEightMonths", EarPiercing(2024, 1, 6, 2024, 9, 1), true, 6},
    {"ThreadFiveYears", Thread(2019, 2024), true, 4},
    {"ThreadEightYears", Thread(2016, 2024), true, 4},
    {"ThreadTwentyYears", Thread(2004, 2024), false, 0},
    {"ThreadTwentyOneYears", Thread(2003, 2024), true, 4},
    {"ThreadHundredYears", Thread(1910, 2024), true, 4},
    {"ThreadFourYears", Thread(2020, 2024), false, 0},
    {"EducationAshwini", InputBuilder("Starting of Education (Aksharabhyasa)").Nakshatra("Ashwini"), true, 3},
    {"EducationBharani", InputBuilder("Starting of Education (Aksharabhyasa)").Nakshatra("Bharani"), false, 0},
};

INSTANTIATE_TEST_SUITE_P(ChildCeremonies, AgeWindow, ::testing::ValuesIn(WindowCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Counts, report codes and flags --------------------------------------------------------------------------

TEST(Counting, DhanisthaCountsTwiceInLearningMedicine) {
    const Evaluation dhanistha =
        Evaluate(InputBuilder("Learning Medicine").Tara(Unfav).Moon(MoonUnfav).Nakshatra("Dhanistha").Tithi(1)
                     .Weekday("Saturday"));
    // Nakshatra twice, tithi (neutral), Saraswati: 4 against 3.
    EXPECT_EQ(dhanistha.count, 4);
    EXPECT_EQ(dhanistha.rating, Rating::Good);
    EXPECT_EQ(dhanistha.codes[FactorKind::Weekday], 1);

    const Evaluation bharani =
        Evaluate(InputBuilder("Learning Medicine").Nakshatra("Bharani").Tithi(1).Weekday("Saturday"));
    EXPECT_EQ(bharani.count, 5);  // the rewritten weekday keeps the first outcome's share (none)
    EXPECT_EQ(bharani.codes[FactorKind::Weekday], 2);
    EXPECT_EQ(bharani.totalScore, 2);
}

TEST(Counting, UnwrittenFactorsScoreNothing) {
    const Evaluation e = Evaluate(InputBuilder("Learning Grammar, Logic Or Philosophy").Weekday("Saturday"));
    ASSERT_EQ(e.factors.size(), 9u);
    EXPECT_FALSE(e.factors[7].written);
    EXPECT_FALSE(e.factors[8].written);
    // Tara, Moon, tithi 1 (neutral), Saraswati, grammar and logic nakshatras ("Rohini": favourable, neutral).
    EXPECT_EQ(e.count, 6);
    EXPECT_EQ(e.totalScore, 2);
    EXPECT_EQ(e.codes[FactorKind::Weekday], 1);
    EXPECT_EQ(e.resultText.find("Weekday of"), std::string::npos);
}

struct CodeCase {
    std::string_view name;
    InputBuilder input;
    FactorCodes codes;  // the journey flags among them
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

class ReportCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ReportCodes, CodesAndFlags) {
    const CodeCase& c = GetParam();
    const Evaluation e = Evaluate(c.input);
    EXPECT_EQ(e.codes, c.codes);
}

FactorCodes Codes(std::initializer_list<std::pair<FactorKind, std::int16_t>> set) {
    FactorCodes codes;
    for (const auto& [kind, value] : set) codes[kind] = value;
    return codes;
}

using K = FactorKind;

const CodeCase CodeCases[] = {
    {"Marriage", InputBuilder("Marriage").Moon(MoonUnfav).Tithi(2).Weekday("Thursday").Karana("Visti"),
     Codes({{K::Tara, 2}, {K::Moon, 1}, {K::Nakshatra, 2}, {K::Tithi, 1}, {K::Weekday, 2}, {K::Yoga, 2},
            {K::Karana, 1}, {K::Siddha, 2}, {K::Sarvartha, 2}, {K::Amrita, 2}})},
    {"NewHouse", InputBuilder("Entering a New House").Tara(Unfav).Nakshatra("Ashwini").Weekday("Tuesday"),
     Codes({{K::Tara, 1}, {K::Moon, 2}, {K::Nakshatra, 1}, {K::Tithi, 2}, {K::Weekday, 1}, {K::LunarMonth, 2},
            {K::Siddha, 2}, {K::Sarvartha, 2}, {K::Amrita, 2}})},
    {"GrammarSaturday", InputBuilder("Learning Grammar, Logic Or Philosophy").Weekday("Saturday"),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Tithi, 2}, {K::Weekday, 1}, {K::Saraswati, 2}, {K::Nakshatra, 2}})},
    {"ReligiousJourney", InputBuilder("Religious Journey").Nakshatra("Ardra").Tithi(11).Weekday("Tuesday"),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Weekday, 2}, {K::Rashi, 2},
            {K::Siddha, 2}, {K::Sarvartha, 2}, {K::Tripushkar, 2}, {K::Amrita, 2},
            {K::Mrityu, 1}, {K::Yamaghata, 1}})},
    {"DomesticJourneyNoInauspiciousYoga", InputBuilder("Domestic Journey").Tithi(2),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Weekday, 2}, {K::Rashi, 2},
            {K::Siddha, 2}, {K::Sarvartha, 2}, {K::Tripushkar, 2}, {K::Amrita, 2}})},
    {"BuyingLand", InputBuilder("Buying Land").Tithi(4),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 1}, {K::Weekday, 2}, {K::Dvipushkar, 2},
            {K::Tripushkar, 2}})},
    {"SellingItemKumbha", InputBuilder("Sell Item").Lagna("Kumbha"),  // the sale-time lagna writes the lagna code last
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Lagna, 2}})},
    {"OperationAmavashya", InputBuilder("Date for operations").Tithi(30),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 1}, {K::Weekday, 2}})},
    {"FirstFeeding", InputBuilder("First feeding of Solid Food (Annaprasan)").Rashi("Meena"),  // month: no code
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Nakshatra, 2}, {K::Tithi, 2}, {K::Weekday, 2}, {K::Yoga, 2},
            {K::Karana, 2}, {K::Rashi, 1}})},
    {"ChronicTuesday",
     InputBuilder("Starting medical treatment for chronic disease or recurring illness").Weekday("Tuesday"),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Weekday, 2}})},
    {"TradeLearning", InputBuilder("Learning of a Trade").Weekday("Saturday"),
     Codes({{K::Tara, 2}, {K::Moon, 2}, {K::Tithi, 2}, {K::Weekday, 1}, {K::Saraswati, 2}})},
};

INSTANTIATE_TEST_SUITE_P(RuleSets, ReportCodes, ::testing::ValuesIn(CodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- What the checks leave for the report --------------------------------------------------------------------

TEST(CheckResults, LunarMonthAmritaNoteAndTenthHouse) {
    const Evaluation foundation = Evaluate(InputBuilder("Laying the Foundation").On(2024, 8, 24));
    EXPECT_EQ(foundation.lunarMonth, "Asvina");
    const Evaluation marriage = Evaluate(InputBuilder("Marriage").On(2024, 8, 24));
    EXPECT_EQ(marriage.lunarMonth, "");  // marriage does not ask for the lunar month

    const Evaluation travel = Evaluate(InputBuilder("Domestic Journey").Nakshatra("Rohini").Weekday("Saturday"));
    EXPECT_EQ(travel.amritaNote, "Not Favourable for Travel");
    const Evaluation engagement = Evaluate(InputBuilder("Engagement").Nakshatra("Rohini").Weekday("Saturday"));
    EXPECT_EQ(engagement.amritaNote, "");  // no Amrita factor, no note

    const Evaluation trade = Evaluate(InputBuilder("Learning of a Trade"));
    EXPECT_TRUE(trade.tenthHousePlanets.empty());
    EXPECT_TRUE(trade.resultText.ends_with(
        "Muhurtha: Good\r\n\r\nPlanet in the 10th House from the position of Asc \r\n\r\n"));
}

// The checks whose findings reach the report, as the rule sets' factors (and the tenth-house list) ask for them.
TEST(CheckResults, WhichRuleSetsRunEachCheck) {
    using S = MuhurthaSubject;
    struct Case {
        rules::Check check;
        std::vector<S> subjects;
    };
    const Case cases[] = {
        {rules::Check::AmritaSiddhi, {S::Marriage, S::NewHouse, S::NewJob, S::NewBusiness, S::DomesticJourney,
                                      S::ReligiousJourney, S::ForeignJourney}},
        {rules::Check::LunarMonth, {S::NewHouse, S::Foundation, S::Construction}},
        {rules::Check::PlanetPlacement,
         {S::TradeLearning, S::DomesticJourney, S::ReligiousJourney, S::ForeignJourney}},
    };
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < SubjectCount; ++i) {
            const auto subject = static_cast<S>(i);
            const bool expected = std::find(c.subjects.begin(), c.subjects.end(), subject) != c.subjects.end();
            EXPECT_EQ(rules::Runs(rules::RuleSetOf(subject), c.check), expected)
                << SubjectTexts[i] << ", check " << static_cast<int>(c.check);
        }
    }
}

// The special yogas read the weekday of the page's box (Siddha, Sarvartha Siddha) or the computed weekday (the rest).
TEST(CheckResults, WhichWeekdayEachYogaReads) {
    InputBuilder input("Start A New Business");
    input.Nakshatra("Revati").Tithi(1).Weekday("Friday");
    EvaluationInput boxOnly = input.Input();
    boxOnly.muhurtha.vaar = "Monday";
    const Evaluation e = EvaluateMuhurtha(boxOnly).value();
    EXPECT_EQ(e.factors[5].heading, "Siddhi Yoga - Favourable");            // "Nanda" with the box's Friday
    EXPECT_EQ(e.factors[6].heading, "Sarvartha Siddha Yoga - Favourable");  // "Revati" with the box's Friday
    EXPECT_EQ(e.factors[7].heading, "Amrita Siddhi Yoga - Neutral");        // "Revati" needs a computed Friday
}

}  // namespace
}  // namespace kalvora
