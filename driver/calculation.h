#pragma once
// The headless calculation: both moments through the engines, birth first, then the evaluation.

#include <optional>
#include <string>

#include "astro/moment.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/moment_details.h"
#include "panchanga/panchanga.h"

namespace kalvora {

// Everything one moment's computation produces.
struct MomentResult {
    MomentTime time;  // with the clock the almanac ran on
    ChartPositions chart;
    PanchangaInfo panchanga;
    MomentDetails details;
};

// One moment converted once, then the ascendant, the Moon and the almanac of it, in that order, and its nine
// names.
MomentResult ComputeMoment(const MomentInput& input);

// The nine display names of a computed moment.
MomentDetails DetailsOf(const ChartPositions& chart, const PanchangaInfo& panchanga);

// What the pages hold for one calculation.
struct CalculationInput {
    MomentInput birth;
    MomentInput muhurtha;
    std::string subject;             // chosen subject text ("" when none)
    std::string personName;
    std::string personSex = "Male";  // "Male" or "Female"
    std::string muhurthaWeekdayBox;  // weekday box of the muhurtha page
};

struct Calculation {
    MomentResult birth;
    MomentResult muhurtha;
    TaraVerdict tara = TaraVerdict::Unfavourable;
    MoonVerdict moon = MoonVerdict::Unfavourable;
    EvaluationInput evaluationInput;       // what the rule set read
    std::optional<Evaluation> evaluation;  // none when the subject matches no subject text
};

// The evaluation's inputs from a calculation's pages and computed moments.
EvaluationInput MakeEvaluationInput(const CalculationInput& input, const MomentResult& birth,
                                    const MomentResult& muhurtha);

// Birth moment, muhurtha moment, Tara and Chandra bala, then the rule set of the chosen subject.
Calculation Calculate(const CalculationInput& input);

}  // namespace kalvora
