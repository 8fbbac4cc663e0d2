#pragma once
// The fixed texts of the analysis report: one section per factor kind the report describes, in report order, each
// with its heading and its two explanatory paragraphs, and the overall effect of each rating.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "muhurtha/moment_details.h"

namespace kalvora {

// The factor kinds that have a report section, in report order.
enum class ReportFactor : std::uint8_t {
    Tara, Moon, Nakshatra, Tithi, Weekday, LunarMonth, Lagna, Rashi, Karana, NityaYoga,
    SiddhaYoga, SarvarthaYoga, MrityuYoga, DagdhaYoga, YamaghataYoga, TripushkarYoga, DvipushkarYoga,
    SaraswatiYoga, AmritaYoga,
};

inline constexpr std::size_t ReportSectionCount = 19;

struct ReportSectionText {
    ReportFactor factor;
    std::string_view heading;                 // ends in ": " where a muhurtha name follows
    const std::string MomentDetails::*name;   // the muhurtha name appended to the heading, or nullptr
    std::string_view unfavourable;            // paragraph for an unfavourable factor ("" shows nothing)
    std::string_view favourable;              // paragraph for a favourable or neutral factor
};

// The sections in report order (ReportSectionCount entries, the i-th for ReportFactor i).
std::span<const ReportSectionText> ReportSectionTexts();

struct RatingText {
    std::int16_t code;           // 1 Bad, 2 Good, 3 Average
    std::string_view word;
    std::string_view paragraph;  // the overall effect of the muhurtha
};

// The three ratings, in code order.
std::span<const RatingText> RatingTexts();

// Texts of a rating code: 1 Bad, 2 Good, every other code Average.
const RatingText& RatingTextOf(std::int16_t code);

}  // namespace kalvora
