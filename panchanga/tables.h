#pragma once
// The almanac engine's constant data: the name tables of the almanac limbs, the table of Delta T by decade and
// the periodic terms of its lunar theory. Everything here is fixed data; the engine computes with indexes into it.

#include <array>
#include <cstdint>
#include <string_view>

namespace kalvora {

// One tithi: the name shown to the user and the form the rule sets compare.
struct TithiName {
    std::string_view display;
    std::string_view rule;
};

// The two lunar fortnights: the bright half (tithi index 0..14) and the dark half (15..29).
inline constexpr auto PakshaNames = std::to_array<std::string_view>({"Shukla Paksha", "Krishna Paksha"});
static_assert(PakshaNames.size() == 2);

// Tithi names by tithi index 0..29 (0..14 the bright half, 15..29 the dark half; 15..28 repeat 0..13).
inline constexpr auto TithiNames = std::to_array<TithiName>({
    {"Pratipad", "Pratipada"},     {"Dwithiai", "Dwitiya"},      {"Trithiai", "Tritiya"},
    {"Chathurthi", "Chaturthi"},   {"Panchami", "Panchami"},     {"Shashti", "Shasthi"},
    {"Saptami", "Saptami"},        {"Ashtami", "Ashtami"},       {"Navami", "Navami"},
    {"Dasami", "Dashami"},         {"Ekadasi", "Ekadashi"},      {"Dwadasi", "Dwadashi"},
    {"Triodasi", "Triyodashi"},    {"Chaturdasi", "Chaturdashi"}, {"Poornami", "Purnima"},
    {"Pratipad", "Pratipada"},     {"Dwithiai", "Dwitiya"},      {"Trithiai", "Tritiya"},
    {"Chathurthi", "Chaturthi"},   {"Panchami", "Panchami"},     {"Shashti", "Shasthi"},
    {"Saptami", "Saptami"},        {"Ashtami", "Ashtami"},       {"Navami", "Navami"},
    {"Dasami", "Dashami"},         {"Ekadasi", "Ekadashi"},      {"Dwadasi", "Dwadashi"},
    {"Triodasi", "Triyodashi"},    {"Chaturdasi", "Chaturdashi"}, {"Ammavasai", "Amavashya"},
});
static_assert(TithiNames.size() == 30);

// The five tithi classes; the class of a tithi is entry (tithi index mod 5).
inline constexpr auto TithiClasses = std::to_array<std::string_view>({"Nanda", "Bhadra", "Jaya", "Rikta", "Poorna"});
static_assert(TithiClasses.size() == 5);

// The 27 yogas of 13 deg 20' each, by yoga index.
inline constexpr auto YogaNames = std::to_array<std::string_view>({
    "Vishkambha", "Prithi",    "Ayushman", "Saubhagya", "Sobhana",   "Atiganda", "Sukarman",
    "Dhrithi",    "Soola",     "Ganda",    "Vridhi",    "Dhruva",    "Vyaghata", "Harshana",
    "Vajra",      "Siddhi",    "Vyatipata", "Variyan",  "Parigha",   "Siva",     "Siddha",
    "Sadhya",     "Subha",     "Sukla",    "Bramha",    "Indra",     "Vaidhruthi",
});
static_assert(YogaNames.size() == 27);

// The 11 karanas: the seven movable ones (0..6) and the four fixed ones (7..10).
inline constexpr auto KaranaNames = std::to_array<std::string_view>({
    "Bava", "Balava", "Kaulava", "Taitula", "Garija", "Vanija", "Visti",
    "Sakuna", "Chatuspada", "Naga", "Kimstughna",
});
static_assert(KaranaNames.size() == 11);

// Delta T (TT - UT) in seconds of time at the start of each decade, 40 entries for the years 1620 + 10 i
// (i = 0..39, 1620 to 2010).
inline constexpr int DeltaTFirstYear = 1620;
inline constexpr auto DeltaTTable = std::to_array<double>({
    124,  85,   62,   48,   37,   26,   16,   10,   9,    10,    // 1620..1710
    11,   11,   12,   13,   15,   16,   17,   17,   13.7, 12.5,  // 1720..1810
    12,   7.5,  5.7,  7.1,  7.9,  1.6,  -5.4, -5.9, -2.7, 10.5,  // 1820..1910
    21.2, 24,   24.3, 29.2, 33.2, 40.2, 50.5, 56.9, 65.7, 75.5,  // 1920..2010
});
static_assert(DeltaTTable.size() == 40);

// One periodic term of the Moon's longitude: coefficient (arcseconds) x sin(l l* + m M* + f F* + d D*), with
// l the Moon's mean anomaly, M the Sun's mean anomaly, F the Moon's argument of latitude and D the mean
// elongation.
struct MoonSeriesTerm {
    std::int8_t l, m, f, d;
    double coefficientArcsec;
};

// Main series of the Moon's longitude: 93 terms, arcseconds, evaluated in this order. Terms with an M multiplier
// are scaled by the eccentricity factor (twice for |M| = 2), terms with an F multiplier by the node factor.
inline constexpr auto MoonLongitudeSeries = std::to_array<MoonSeriesTerm>({
    { 0,  0,  0,  4, 13.902},  // 0
    { 0,  0,  0,  2, 2369.912},  // 1
    { 1,  0,  0,  4, 1.979},  // 2
    { 1,  0,  0,  2, 191.953},  // 3
    { 1,  0,  0,  0, 22639.5},  // 4
    { 1,  0,  0, -2, -4586.465},  // 5
    { 1,  0,  0, -4, -38.428},  // 6
    { 1,  0,  0, -6, -0.393},  // 7
    { 0,  1,  0,  4, -0.289},  // 8
    { 0,  1,  0,  2, -24.42},  // 9
    { 0,  1,  0,  0, -668.146},  // 10
    { 0,  1,  0, -2, -165.145},  // 11
    { 0,  1,  0, -4, -1.877},  // 12
    { 0,  0,  0,  3, 0.403},  // 13
    { 0,  0,  0,  1, -125.154},  // 14
    { 2,  0,  0,  4, 0.213},  // 15
    { 2,  0,  0,  2, 14.387},  // 16
    { 2,  0,  0,  0, 769.016},  // 17
    { 2,  0,  0, -2, -211.656},  // 18
    { 2,  0,  0, -4, -30.773},  // 19
    { 2,  0,  0, -6, -0.57},  // 20
    { 1,  1,  0,  2, -2.921},  // 21
    { 1,  1,  0,  0, -109.673},  // 22
    { 1,  1,  0, -2, -205.962},  // 23
    { 1,  1,  0, -4, -4.391},  // 24
    { 1, -1,  0,  4, 0.283},  // 25
    { 1, -1,  0,  2, 14.577},  // 26
    { 1, -1,  0,  0, 147.687},  // 27
    { 1, -1,  0, -2, 28.475},  // 28
    { 1, -1,  0, -4, 0.636},  // 29
    { 0,  2,  0,  2, -0.189},  // 30
    { 0,  2,  0,  0, -7.486},  // 31
    { 0,  2,  0, -2, -8.096},  // 32
    { 0,  0,  2,  2, -5.741},  // 33
    { 0,  0,  2,  0, -411.608},  // 34
    { 0,  0,  2, -2, -55.173},  // 35
    { 0,  0,  2, -4, 0.025},  // 36
    { 1,  0,  0,  1, -8.466},  // 37
    { 1,  0,  0, -1, 18.609},  // 38
    { 1,  0,  0, -3, 3.215},  // 39
    { 0,  1,  0,  1, 18.023},  // 40
    { 0,  1,  0, -1, 0.56},  // 41
    { 3,  0,  0,  2, 1.06},  // 42
    { 3,  0,  0,  0, 36.124},  // 43
    { 3,  0,  0, -2, -13.193},  // 44
    { 3,  0,  0, -4, -1.187},  // 45
    { 3,  0,  0, -6, -0.293},  // 46
    { 2,  1,  0,  2, -0.29},  // 47
    { 2,  1,  0,  0, -7.649},  // 48
    { 2,  1,  0, -2, -8.627},  // 49
    { 2,  1,  0, -4, -2.74},  // 50
    { 2, -1,  0,  2, 1.181},  // 51
    { 2, -1,  0,  0, 9.703},  // 52
    { 2, -1,  0, -2, -2.494},  // 53
    { 2, -1,  0, -4, 0.36},  // 54
    { 1,  2,  0,  0, -1.167},  // 55
    { 1,  2,  0, -2, -7.412},  // 56
    { 1,  2,  0, -4, -0.311},  // 57
    { 1, -2,  0,  2, 0.757},  // 58
    { 1, -2,  0,  0, 2.58},  // 59
    { 1, -2,  0, -2, 2.533},  // 60
    { 0,  3,  0, -2, -0.344},  // 61
    { 1,  0,  2,  2, -0.992},  // 62
    { 1,  0,  2,  0, -45.099},  // 63
    { 1,  0,  2, -2, -0.179},  // 64
    { 1,  0, -2,  2, -6.382},  // 65
    { 1,  0, -2,  0, 39.528},  // 66
    { 1,  0, -2, -2, 9.366},  // 67
    { 0,  1,  2,  0, 0.415},  // 68
    { 0,  1,  2, -2, -2.152},  // 69
    { 0,  1, -2,  2, -1.44},  // 70
    { 0,  1, -2, -2, 0.384},  // 71
    { 2,  0,  0,  1, -0.586},  // 72
    { 2,  0,  0, -1, 1.75},  // 73
    { 2,  0,  0, -3, 1.225},  // 74
    { 1,  1,  0,  1, 1.267},  // 75
    { 1, -1,  0, -1, -1.089},  // 76
    { 0,  0,  2, -1, 0.584},  // 77
    { 4,  0,  0,  0, 1.938},  // 78
    { 4,  0,  0, -2, -0.952},  // 79
    { 3,  1,  0,  0, -0.551},  // 80
    { 3,  1,  0, -2, -0.482},  // 81
    { 3, -1,  0,  0, 0.681},  // 82
    { 2,  0,  2,  0, -3.996},  // 83
    { 2,  0,  2, -2, 0.557},  // 84
    { 2,  0, -2,  2, -0.459},  // 85
    { 2,  0, -2,  0, -1.298},  // 86
    { 2,  0, -2, -2, 0.538},  // 87
    { 1,  1, -2, -2, 0.426},  // 88
    { 1, -1,  2,  0, -0.304},  // 89
    { 1, -1, -2,  2, -0.372},  // 90
    { 0,  0,  4,  0, 0.418},  // 91
    { 2, -1,  0, -1, -0.352},  // 92
});
static_assert(MoonLongitudeSeries.size() == 93);

// Minor series of the Moon's longitude: 27 small terms, arcseconds, without eccentricity or node factors.
inline constexpr auto MoonMinorSeries = std::to_array<MoonSeriesTerm>({
    { 0,  0,  0,  6, 0.127},  // 0
    { 0,  2,  0, -4, -0.151},  // 1
    { 0,  0,  2,  4, -0.085},  // 2
    { 0,  1,  0,  3, 0.15},  // 3
    { 2,  1,  1, -6, -0.091},  // 4
    { 0,  3,  0,  0, -0.103},  // 5
    { 1,  0,  2, -4, -0.301},  // 6
    { 1,  0, -2, -4, 0.202},  // 7
    { 1,  1,  0, -1, 0.137},  // 8
    { 1,  1,  0, -3, 0.233},  // 9
    { 1, -1,  0,  1, -0.122},  // 10
    { 1, -1,  0, -3, -0.276},  // 11
    { 0,  0,  2,  1, 0.255},  // 12
    { 0,  0,  2, -3, 0.254},  // 13
    { 3,  1,  0, -4, -0.1},  // 14
    { 3, -1,  0, -2, -0.183},  // 15
    { 2,  2,  0, -2, -0.297},  // 16
    { 2,  2,  0, -4, -0.161},  // 17
    { 2, -2,  0,  0, 0.197},  // 18
    { 2, -2,  0, -2, 0.254},  // 19
    { 1,  3,  0, -2, -0.25},  // 20
    { 2,  0,  2,  2, -0.123},  // 21
    { 2,  0, -2, -4, 0.173},  // 22
    { 1,  1,  2,  0, 0.263},  // 23
    { 3,  0,  0, -1, 0.13},  // 24
    { 5,  0,  0,  0, 0.113},  // 25
    { 3,  0,  2, -2, 0.092},  // 26
});
static_assert(MoonMinorSeries.size() == 27);

}  // namespace kalvora
