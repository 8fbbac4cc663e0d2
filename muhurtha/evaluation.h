#pragma once
// The muhurtha evaluation: Tara bala and Chandra bala, the rule set of the chosen undertaking, its factor lines,
// count, rating, report codes and the text of the result label.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "muhurtha/factor_kind.h"
#include "muhurtha/moment_details.h"
#include "muhurtha/rating.h"
#include "muhurtha/subjects.h"

namespace kalvora {

enum class TaraVerdict { Unfavourable, Favourable, VeryFavourable };
enum class MoonVerdict { Unfavourable, Favourable };

std::string_view VerdictText(TaraVerdict v);  // "Unfavourable", "Favourable", "Very Favourable"
std::string_view VerdictText(MoonVerdict v);  // "Unfavourable", "Favourable"

// Relation of the muhurtha nakshatra to the birth nakshatra (names compared exactly).
TaraVerdict TaraBalaCheck(std::string_view birthNakshatra, std::string_view muhurthaNakshatra);
// Relation of the muhurtha Moon sign to the birth Moon sign (names compared exactly).
MoonVerdict ChandraBalaCheck(std::string_view birthRashi, std::string_view muhurthaRashi);

// The label of the factor of the lunar month in the rule sets that read it.
inline constexpr std::string_view LunarMonthFactorLabel = "Hindu Lunar Month";

// A lunar month of the season as the "Hindu Lunar Month" factor reads it: its name and whether it is the leap
// month (adhika), which is never Favourable for a beginning.
struct TrueLunarMonth {
    std::string name;  // "Chaitra" .. "Falguna"
    bool adhika = false;
    friend bool operator==(const TrueLunarMonth&, const TrueLunarMonth&) = default;
};

// Everything a rule set reads, filled by the caller from the pages and the computed moments.
struct EvaluationInput {
    std::string subject;  // the chosen subject text

    TaraVerdict tara = TaraVerdict::Unfavourable;
    MoonVerdict moon = MoonVerdict::Unfavourable;

    MomentDetails birth;
    MomentDetails muhurtha;

    // Almanac values of the muhurtha moment.
    std::int16_t tithiNumber = 1;  // 1..30
    std::string tithiRuleName;     // "Pratipada" .. "Purnima", "Amavashya"
    std::string tithiClass;        // "Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"
    std::string paksha;            // "Shukla Paksha" or "Krishna Paksha"

    std::string weekdayBox;  // text of the muhurtha page's weekday box, "Sunday" .. "Saturday"

    // Date boxes of both pages (months 1..12) and the muhurtha time as typed.
    std::int16_t birthDay = 1, birthMonth = 1, birthYear = 1901;
    std::int16_t muhurthaDay = 1, muhurthaMonth = 1, muhurthaYear = 1901;
    std::int16_t muhurthaHour = 0, muhurthaMinute = 0;

    std::string sex;  // "Male" or "Female"

    // Texts of the seven planets (Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn) whose characters 4 to 6 hold
    // the abbreviation of the sign occupied; empty when the calculation places no planets.
    std::array<std::string, 7> planetTexts;

    // The true lunar month of the season the "Hindu Lunar Month" factor reads instead of the table of change-over
    // days (the amanta or purnimanta month chosen in the conventions); none reads the table.
    std::optional<TrueLunarMonth> trueLunarMonth;
};

// One evaluated factor. A factor that no outcome wrote has written == false, an empty heading and 0 points.
struct FactorVerdict {
    std::string heading;  // label, " - ", verdict word (or the bare "Favourable" of an age window)
    std::int16_t points = 0;
    bool counted = false;
    bool written = false;
    friend bool operator==(const FactorVerdict&, const FactorVerdict&) = default;
};

struct Evaluation {
    MuhurthaSubject subject = MuhurthaSubject::Naming;
    bool stopped = false;  // the date-order check stopped the rule set
    std::string message;   // its message when stopped
    std::vector<FactorVerdict> factors;  // index order; unwritten factors kept with written == false
    std::int16_t count = 0;
    std::int16_t threshold = 0;
    std::int16_t totalScore = 0;
    Rating rating = Rating::NotRated;
    FactorCodes codes;
    std::string amritaNote;
    std::string lunarMonth;  // last lunar-month result, "" if the rule set did not ask for it
    std::vector<std::string> tenthHousePlanets;
    std::string resultText;  // the result label's text, CR LF line breaks
    friend bool operator==(const Evaluation&, const Evaluation&) = default;
};

// Runs the rule set of input.subject; std::nullopt when the text matches none of the 34 subjects.
std::optional<Evaluation> EvaluateMuhurtha(const EvaluationInput& input);

// The message of an evaluation stopped because the muhurtha date lies before the birth date.
inline constexpr std::string_view DateOrderMessage = "Your Muhurtha Date is more than Your Birth Date. Please check.";

// The rating of a count of good factors against a rule set's threshold: equal Average, below Bad, above Good.
Rating RateMuhurtha(int count, int threshold);

// Number of factors and threshold of a subject's rule set.
struct RuleSetShape {
    std::int16_t factorCount = 0;
    std::int16_t threshold = 0;
};
RuleSetShape ShapeOf(MuhurthaSubject subject);

}  // namespace kalvora
