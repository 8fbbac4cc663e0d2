#pragma once
// The rest of the day's table, beside its limbs and periods: the lagna of each part of the day, Varjyam and Amrit
// kalam, Bhadra and Panchaka. Each list holds the whole spans that overlap the day from its sunrise to the next
// sunrise (from midnight to midnight where the Sun does not rise or set), so a span may begin before the sunrise
// or end after the next one.
//
// All of them follow the engines the calculation runs at whole minutes, as the limbs do: a lagna begins at the
// first whole minute showing its sign; Bhadra is the Visti karana of the karana list; Panchaka runs from the first
// minute the Moon shows Kumbha (the third pada of Dhanistha) to the first it shows Mesha (the end of Revati, where
// the nakshatra list starts Ashwini); Varjyam and Amrit kalam lie at their table's ghatis of the nakshatra's span as
// the nakshatra list gives it, so they fall to the second rather than the minute.

#include <array>
#include <cstdint>
#include <string_view>

#include "driver/day_view.h"

namespace kalvora {

// The spans of the day's table that a search can leave out, beside the periods of the day.
enum class MoonMark : std::uint8_t { Varjyam, Bhadra, Panchaka };
inline constexpr auto MoonMarkNames = std::to_array<std::string_view>({"Varjyam", "Bhadra", "Panchaka"});
constexpr std::string_view NameOf(MoonMark mark) { return MoonMarkNames[static_cast<std::size_t>(mark)]; }

// Every span of a mark that holds the start of some clock minute first..last on a place's zone, whole, by start:
// the spans the day's table lists, found over any run of minutes (the Moon read with `reckoning`).
std::vector<TimeSpan> MarkSpansBetween(MoonMark mark, const TypedPlace& place, const TypedZone& zone, ClockMinute first,
                                       ClockMinute last, Reckoning reckoning = {});

// The table of a day already computed at a typed place and zone (the day's limbs give the nakshatras and karanas).
DayTable ComputeDayTable(const TypedPlace& place, const TypedZone& zone, const DayView& day);

// The span of a nakshatra (start..end, Julian days) at which a kalam starting `startGhati` of 60 in lies, lasting
// KalamGhatis.
TimeSpan KalamOf(const TimeSpan& nakshatra, double startGhati);

}  // namespace kalvora
