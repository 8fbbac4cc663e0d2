#pragma once
// The headless calculation: both moments through the engines, birth first, then the evaluation.

#include <optional>
#include <string>

#include "astro/moment.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/moment_details.h"
#include "panchanga/panchanga.h"
#include "planets/sky.h"

namespace kalvora {

// Whether a calculation places the planets: Sky computes them from the ephemeris; None leaves the planet texts
// empty, so that the planet checks read no planet at all (the rules as evaluated without positions).
enum class PlanetsMode { Sky, None };

// Everything one moment's computation produces.
struct MomentResult {
    MomentTime time;  // with the clock the almanac ran on
    ChartPositions chart;
    PanchangaInfo panchanga;
    MomentDetails details;
    std::optional<Sky> sky;  // the bodies at the moment's universal time with the system's own Moon; none with
                             // PlanetsMode::None
};

// One moment converted once, then the ascendant, the Moon and the almanac of it, in that order, its nine names,
// and (unless the mode is None) its sky.
MomentResult ComputeMoment(const MomentInput& input, PlanetsMode planets = PlanetsMode::Sky);

// The sky of a computed moment: the ephemeris at its universal time, with the Moon of its chart.
Sky SkyOf(const MomentTime& time, const ChartPositions& chart);

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
    PlanetsMode planets = PlanetsMode::Sky;
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
