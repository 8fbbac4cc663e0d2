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

#include "driver/day_view.h"

namespace kalvora {

// The table of a day already computed at a typed place and zone (the day's limbs give the nakshatras and karanas).
DayTable ComputeDayTable(const TypedPlace& place, const TypedZone& zone, const DayView& day);

// The span of a nakshatra (start..end, Julian days) at which a kalam starting `startGhati` of 60 in lies, lasting
// KalamGhatis.
TimeSpan KalamOf(const TimeSpan& nakshatra, double startGhati);

}  // namespace kalvora
