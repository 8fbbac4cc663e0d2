#pragma once
// Where in each nakshatra its Varjyam (the poisoned ghatis, tyajyam) and its Amrit kalam (the nectar ghatis) begin,
// in ghatis of 60 to the nakshatra. Each lasts four ghatis, and both are scaled to the nakshatra's actual length:
// a Varjyam starting at 50 of a nakshatra lasting 25 hours begins 50/60 of the way in and lasts 4/60 of 25 hours.
//
// Sources: the table "nakshatra tyajyam and amrita kalam" of the Telugu almanac guide at teluguone.com
// (toneastrology, catid 481), which gives both columns; the Varjyam column agrees with the visha ghati list of
// jyotishkishore.blogspot.com (2018/01), and the Amrit kalam column with the Prashna Marga column of Radhakrishnan,
// "Significance of the Moon in Ancient Civilizations" (2017), table 5.6. For Moola the Telugu table gives two
// Varjyam starts, 20 and 56; the Hindi list and most almanacs give 56, which is the one used here.

#include <array>

namespace kalvora {

// How long a Varjyam or an Amrit kalam lasts, in ghatis of the nakshatra.
inline constexpr double KalamGhatis = 4.0;
// Ghatis to a nakshatra.
inline constexpr double GhatisPerNakshatra = 60.0;

// By nakshatra index, Ashwini (0) to Revati (26).
inline constexpr auto VarjyamStartGhatis = std::to_array<double>({
    50, 24, 30, 40, 14, 21, 30, 20, 32,  // Ashwini .. Ashlesha
    30, 20, 18, 21, 20, 14, 14, 10, 14,  // Magha .. Jyeshtha
    56, 24, 20, 10, 10, 18, 16, 24, 30,  // Moola .. Revati
});
inline constexpr auto AmritKalamStartGhatis = std::to_array<double>({
    42, 48, 54, 52, 38, 35, 54, 44, 56,  // Ashwini .. Ashlesha
    54, 44, 42, 45, 44, 38, 38, 34, 38,  // Magha .. Jyeshtha
    44, 48, 44, 34, 34, 42, 40, 48, 54,  // Moola .. Revati
});
static_assert(VarjyamStartGhatis.size() == 27 && AmritKalamStartGhatis.size() == 27);

}  // namespace kalvora
