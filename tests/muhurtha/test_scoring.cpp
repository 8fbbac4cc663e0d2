// Rating, total score, result text, the date-order stop and the dispatch from subject text to rule set.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "input_builder.h"
#include "muhurtha/evaluation.h"

namespace kalvora {
namespace {

using testing::Evaluate;
using testing::InputBuilder;
using testing::ResultLines;

TEST(Rating, CountAgainstThreshold) {
    struct Case {
        int count, threshold;
        std::string_view word;
        int code;
    };
    const Case cases[] = {
        {2, 2, "Average", 3}, {3, 2, "Good", 2}, {1, 2, "Bad", 1},
        {8, 8, "Average", 3}, {9, 8, "Good", 2}, {0, 8, "Bad", 1},
    };
    for (const Case& c : cases) {
        const Rating r = RateMuhurtha(c.count, c.threshold);
        EXPECT_EQ(RatingWord(r), c.word) << c.count << " against " << c.threshold;
        EXPECT_EQ(RatingCode(r), c.code) << c.count << " against " << c.threshold;
    }
}

// Four factors favourable, neutral, unfavourable, favourable: the rented-house rule set with Tara "Favourable",
// Moon "Unfavourable", a Rikta tithi and a Monday.
TEST(ResultText, WorkedExampleOfFourFactors) {
    const Evaluation e = Evaluate(InputBuilder("Entering a Rented House")
                                      .Tara(TaraVerdict::Favourable)
                                      .Moon(MoonVerdict::Unfavourable)
                                      .Tithi(4)
                                      .Weekday("Monday"));
    EXPECT_EQ(e.resultText, "Tara Strength - Favourable - 2 Point\r\n\r\n"
                            "Moon Strength - Neutral - 0 Point\r\n\r\n"
                            "Tithi - Unfavourable - -1 Point\r\n\r\n"
                            "Weekday - Favourable - 1 Point\r\n\r\n"
                            "Total Score - 2 Points\r\n\r\n"
                            "Muhurtha: Good");
    EXPECT_EQ(e.count, 3);
    EXPECT_EQ(e.threshold, 2);
    EXPECT_EQ(e.totalScore, 2);
    EXPECT_EQ(e.rating, Rating::Good);
    ASSERT_EQ(e.factors.size(), 4u);  // no line for anything past the last factor
}

// Borrowing with Tara and Moon unfavourable in the birth nakshatra: every factor unfavourable on the fourth
// tithi, one neutral factor on the fifth.
TEST(ResultText, UnfavourableFactorsAndNegativeTotals) {
    struct Case {
        int tithi;
        std::string text;
        int count, total;
    };
    const Case cases[] = {
        {4,
         ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                      "Nakshatra - Unfavourable - -1 Point", "Tithi - Unfavourable - -1 Point",
                      "Total Score - -4 Points", "Muhurtha: Bad"}),
         0, -4},
        {5,
         ResultLines({"Tara Stength - Unfavourable - -1 Point", "Moon Stength - Unfavourable - -1 Point",
                      "Nakshatra - Unfavourable - -1 Point", "Tithi - Neutral - 0 Point",
                      "Total Score - -3 Points", "Muhurtha: Bad"}),
         1, -3},
    };
    for (const Case& c : cases) {
        const Evaluation e = Evaluate(InputBuilder("Borrowing Money")
                                          .Tara(TaraVerdict::Unfavourable)
                                          .Moon(MoonVerdict::Unfavourable)
                                          .Nakshatra("Bharani")
                                          .Tithi(c.tithi));
        EXPECT_EQ(e.resultText, c.text);
        EXPECT_EQ(e.count, c.count);
        EXPECT_EQ(e.totalScore, c.total);
    }
}

TEST(Rating, OneCountedFactorMoreOrLess) {
    // Borrowing (threshold 2): Tara and Moon counted, then the nakshatra decides.
    const auto borrowing = [](std::string nakshatra) {
        return Evaluate(InputBuilder("Borrowing Money").Nakshatra(std::move(nakshatra)).Tithi(4));
    };
    EXPECT_EQ(borrowing("Bharani").rating, Rating::Average);  // count 2
    EXPECT_EQ(borrowing("Rohini").rating, Rating::Good);      // count 3
    const Evaluation fewer = Evaluate(
        InputBuilder("Borrowing Money").Moon(MoonVerdict::Unfavourable).Nakshatra("Bharani").Tithi(4));
    EXPECT_EQ(fewer.count, 1);
    EXPECT_EQ(fewer.rating, Rating::Bad);
}

TEST(DateOrder, MuhurthaBeforeBirthStops) {
    struct Case {
        int by, bm, bd, my, mm, md;
        bool stops;
    };
    const Case cases[] = {
        {2010, 5, 1, 2009, 5, 1, true},
        {2010, 12, 31, 2010, 1, 1, true},    // the whole date counts, not only the year
        {2010, 12, 31, 2010, 12, 30, true},
        {2010, 12, 31, 2010, 12, 31, false},  // the same date passes
        {2010, 12, 31, 2011, 1, 1, false},
    };
    for (const Case& c : cases) {
        const Evaluation e = Evaluate(InputBuilder("Marriage").Born(c.by, c.bm, c.bd).On(c.my, c.mm, c.md));
        EXPECT_EQ(e.stopped, c.stops) << c.my << "-" << c.mm << "-" << c.md;
        if (!c.stops) {
            EXPECT_EQ(e.factors.size(), 10u);
            continue;
        }
        EXPECT_EQ(e.message, "Your Muhurtha Date is more than Your Birth Date. Please check.");
        EXPECT_TRUE(e.factors.empty());
        EXPECT_EQ(e.rating, Rating::NotRated);
        EXPECT_EQ(e.codes, FactorCodes{});
        EXPECT_EQ(e.resultText, "");
        EXPECT_EQ(e.totalScore, 0);
    }
}

TEST(Dispatch, SubjectTextsChooseTheirRuleSet) {
    EXPECT_EQ(EvaluateMuhurtha(InputBuilder("").Input()), std::nullopt);
    EXPECT_EQ(EvaluateMuhurtha(InputBuilder("sell item").Input()), std::nullopt);
    EXPECT_EQ(EvaluateMuhurtha(InputBuilder("Sell Item ").Input()), std::nullopt);
    const Evaluation sell = Evaluate(InputBuilder("Sell Item"));
    EXPECT_EQ(sell.subject, MuhurthaSubject::SellingItem);
    EXPECT_EQ(sell.factors.size(), 6u);
}

// Factors and threshold of every rule set, in dispatch order.
TEST(Dispatch, FactorCountAndThresholdOfEveryRuleSet) {
    struct Shape {
        std::string_view subject;
        int factors, threshold;
    };
    const Shape shapes[] = {
        {"Naming of The Child or Namakarana", 7, 3},
        {"Tonsuring of Head", 7, 3},
        {"Piercing of the Ear or Karnavedha", 8, 3},
        {"Thread Ceremony Or Upanayana", 6, 2},
        {"First feeding of Solid Food (Annaprasan)", 9, 4},
        {"Starting of Education (Aksharabhyasa)", 5, 2},
        {"Adoption of a Child", 5, 2},
        {"Engagement", 5, 2},
        {"Marriage", 10, 5},
        {"First Entrance of the Bride", 5, 2},
        {"Learning of a Trade", 5, 2},
        {"Learning of any Science", 6, 3},
        {"Learning Dance Or Music", 6, 3},
        {"Learning Astrology Or Astronomy", 6, 3},
        {"Learning Medicine", 6, 3},
        {"Learning Grammar, Logic Or Philosophy", 9, 4},
        {"Entering a New House", 9, 4},
        {"Entering a Rented House", 4, 2},
        {"Start On A New Job", 8, 4},
        {"Start A New Business", 10, 4},
        {"Domestic Journey", 15, 7},
        {"Religious Journey", 17, 8},
        {"Foreign Journey", 15, 7},
        {"Laying the Foundation", 6, 3},
        {"Starting the Construction of a House", 7, 3},
        {"Lending Money", 5, 2},
        {"Borrowing Money", 4, 2},
        {"Legal", 5, 2},
        {"Starting medical treatment for chronic disease or recurring illness", 4, 2},
        {"Date for operations", 5, 2},
        {"Buying Land", 7, 3},
        {"Selling Land", 5, 2},
        {"Buying Item", 5, 2},
        {"Sell Item", 6, 3},
    };
    ASSERT_EQ(std::size(shapes), SubjectCount);
    for (std::size_t i = 0; i < SubjectCount; ++i) {
        const std::optional<MuhurthaSubject> subject = FindSubject(shapes[i].subject);
        ASSERT_TRUE(subject.has_value()) << shapes[i].subject;
        EXPECT_EQ(static_cast<std::size_t>(*subject), i);
        EXPECT_EQ(ShapeOf(*subject).factorCount, shapes[i].factors) << shapes[i].subject;
        EXPECT_EQ(ShapeOf(*subject).threshold, shapes[i].threshold) << shapes[i].subject;
    }
}

// With identical inputs an evaluation gives the same result twice; nothing carries over between evaluations.
TEST(Evaluation, RepeatsExactly) {
    const InputBuilder tuesdayInAshwini = InputBuilder("Entering a New House").Nakshatra("Ashwini").Weekday("Tuesday");
    const Evaluation first = Evaluate(tuesdayInAshwini);
    const Evaluation other = Evaluate(InputBuilder("Entering a New House").Nakshatra("Pushya").Weekday("Thursday"));
    const Evaluation again = Evaluate(tuesdayInAshwini);
    EXPECT_EQ(first.resultText, again.resultText);
    EXPECT_EQ(first.amritaNote, "Not Favourable for Griha Pravesha");
    EXPECT_EQ(other.amritaNote, "Not Favourable for Marriage");
    EXPECT_EQ(again.amritaNote, first.amritaNote);
}

}  // namespace
}  // namespace kalvora
