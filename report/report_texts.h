#pragma once
// The fixed texts of the analysis report: one section per factor kind the report describes, in report order, each
// with its heading and its two explanatory paragraphs, and the overall effect of each rating.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "muhurtha/factor_kind.h"
#include "muhurtha/moment_details.h"
#include "muhurtha/rating.h"

namespace kalvora {

struct ReportSectionText {
    FactorKind kind;
    std::string_view heading;                 // ends in ": " where a muhurtha name follows
    const std::string MomentDetails::*name;   // the muhurtha name appended to the heading, or nullptr
    std::string_view unfavourable;            // paragraph for an unfavourable factor ("" shows nothing)
    std::string_view favourable;              // paragraph for a favourable or neutral factor
};

// The sections in report order, one for each factor kind.
std::span<const ReportSectionText> ReportSectionTexts();

struct RatingText {
    Rating rating;
    std::string_view paragraph;  // the overall effect of the muhurtha
};

// The three ratings a muhurtha can be given: Bad, Good, Average.
std::span<const RatingText> RatingTexts();

// Texts of a rating; a muhurtha not rated has no overall effect and gets the Average texts.
const RatingText& RatingTextOf(Rating rating);

}  // namespace kalvora
