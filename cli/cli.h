#pragma once
// kalvora-cli: one calculation from the command line, printed as the program's texts or as one JSON object.

#include <iosfwd>
#include <string>
#include <vector>

#include "driver/calculation.h"
#include "driver/day_view.h"
#include "driver/people_calculation.h"

namespace kalvora {

// Runs the command line (arguments after the program name). Exit status: 0 success, 2 bad arguments,
// 1 a failure while writing output.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The JSON object of one calculation; each moment ends with where its place and zone came from and its limb
// times, the object with the muhurtha's day (and its season), and "seasonVetoes": the vetoes in force at the chosen
// minute that apply to the undertaking.
std::string CalculationJson(const CalculationInput& input, const Calculation& calculation,
                            const CalculationTimes& times);

// The on-screen texts of one calculation: both details panels, the two comparisons and the result text, with the
// season's warning under it where a veto of the undertaking is in force.
std::string CalculationText(const CalculationInput& input, const Calculation& calculation,
                            const std::string& seasonWarning);

// The JSON of several people: the first person's calculation as CalculationJson writes it, then "people" (each
// person's name, role, rating, count, totalScore, factors, and "suryaBala" or "guruBala" with its house and
// verdict where they have one) and "combined" (rating, decidedBy, reason; null without an undertaking).
std::string PeopleJson(const PeopleInput& input, const PeopleCalculation& people, const CalculationTimes& times);

// The texts of several people: the muhurtha's panel, then each person's name and role, birth panel, comparisons,
// bala and result text, then the combined verdict, whose rating decided it and why, with the season's warning.
std::string PeopleText(const PeopleInput& input, const PeopleCalculation& people, const std::string& seasonWarning);

}  // namespace kalvora
