#pragma once
// The rating of a muhurtha and the word and code it is shown as in the result text, the report, the command
// line's JSON and the finder's list.

#include <array>
#include <cstdint>
#include <string_view>

#include "astro/enum_table.h"

namespace kalvora {

// A count of good factors against the rule set's threshold: below Bad, equal Average, above Good; an evaluation
// that stopped before its factors is not rated.
enum class Rating : std::uint8_t { NotRated, Bad, Good, Average };

struct RatingName {
    Rating rating;
    std::string_view word;  // "" when not rated
    std::int16_t code;      // the rating's number in the JSON and the finder's colours
};

// The ratings in enumerator order.
inline constexpr auto RatingNames = std::to_array<RatingName>({
    {Rating::NotRated, "", 0},
    {Rating::Bad, "Bad", 1},
    {Rating::Good, "Good", 2},
    {Rating::Average, "Average", 3},
});

static_assert(InEnumeratorOrder(RatingNames, &RatingName::rating), "each rating sits at its enumerator's place");
static_assert(static_cast<std::size_t>(Rating::Average) + 1 == RatingNames.size(), "every rating has its row");

constexpr std::string_view RatingWord(Rating rating) { return RatingNames[static_cast<std::size_t>(rating)].word; }
constexpr std::int16_t RatingCode(Rating rating) { return RatingNames[static_cast<std::size_t>(rating)].code; }

}  // namespace kalvora
