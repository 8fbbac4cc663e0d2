// Tara bala and Chandra bala over their whole tables, and the exact comparison of names.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "muhurtha/evaluation.h"
#include "muhurtha/names.h"

namespace kalvora {
namespace {

// The Tara table: the distances between the two nakshatra numbers that give each verdict.
struct TaraRow {
    std::array<int, 3> distances;
    TaraVerdict verdict;
};
constexpr std::array<TaraRow, 9> TaraTable = {{
    {{0, 9, 18}, TaraVerdict::VeryFavourable},
    {{1, 10, 19}, TaraVerdict::Unfavourable},
    {{2, 11, 20}, TaraVerdict::Favourable},
    {{3, 12, 21}, TaraVerdict::Unfavourable},
    {{4, 13, 22}, TaraVerdict::Favourable},
    {{5, 14, 23}, TaraVerdict::Unfavourable},
    {{6, 15, 24}, TaraVerdict::Favourable},
    {{7, 16, 25}, TaraVerdict::Unfavourable},
    {{8, 17, 26}, TaraVerdict::Favourable},
}};

TEST(TaraBala, EveryPairOfNakshatrasFollowsTheTable) {
    for (int b = 0; b < 27; ++b) {
        for (int m = 0; m < 27; ++m) {
            const int distance = std::abs(b - m);
            for (const TaraRow& row : TaraTable) {
                for (int d : row.distances) {
                    if (d != distance) continue;
                    EXPECT_EQ(TaraBalaCheck(names::Nakshatras[b], names::Nakshatras[m]), row.verdict)
                        << names::Nakshatras[b] << " / " << names::Nakshatras[m];
                }
            }
        }
    }
}

TEST(TaraBala, NamedCases) {
    struct Case {
        std::string_view birth, muhurtha;
        TaraVerdict expected;
    };
    const Case cases[] = {
        {"Ashwini", "Ashwini", TaraVerdict::VeryFavourable},
        {"Ashwini", "Bharani", TaraVerdict::Unfavourable},
        {"Bharani", "Ashwini", TaraVerdict::Unfavourable},
        {"Ashwini", "Revati", TaraVerdict::Favourable},  // 26 apart: t = 8
        {"Rohini", "", TaraVerdict::Favourable},         // a missing name counts as 0: |4 - 0| = 4
        {"Rohini", "rohini", TaraVerdict::Favourable},   // names are compared exactly
        {"Ashwini", "Ashwini ", TaraVerdict::Unfavourable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TaraBalaCheck(c.birth, c.muhurtha), c.expected) << c.birth << " / " << c.muhurtha;
    }
}

// Chandra bala for every pair of signs: row = birth sign, column = muhurtha sign, Mesha .. Meena;
// U = "Unfavourable", F = "Favourable".
constexpr std::array<std::string_view, 12> ChandraTable = {
    "FFFFFUFUFFFU",
    "FFFFFFUFUFFF",
    "FFFFFFFUFUFF",
    "FFFFFFFFUFUF",
    "FFFFFFFFFUFU",
    "UFFFFFFFFFUF",
    "FUFFFFFFFFFU",
    "UFUFFFFFFFFF",
    "FUFUFFFFFFFF",
    "FFUFUFFFFFFF",
    "FFFUFUFFFFFF",
    "UFFFUFUFFFFF",
};

TEST(ChandraBala, EveryPairOfSignsFollowsTheTable) {
    for (std::size_t b = 0; b < 12; ++b) {
        for (std::size_t m = 0; m < 12; ++m) {
            const MoonVerdict expected =
                ChandraTable[b][m] == 'U' ? MoonVerdict::Unfavourable : MoonVerdict::Favourable;
            EXPECT_EQ(ChandraBalaCheck(names::Signs[b], names::Signs[m]), expected)
                << names::Signs[b] << " / " << names::Signs[m];
        }
    }
}

TEST(ChandraBala, NamedCases) {
    struct Case {
        std::string_view birth, muhurtha;
        MoonVerdict expected;
    };
    const Case cases[] = {
        {"Mesha", "Vrishabha", MoonVerdict::Favourable},  // c = 2
        {"Mesha", "Kanya", MoonVerdict::Unfavourable},    // c = 6
        {"Kanya", "Mesha", MoonVerdict::Unfavourable},
        {"Thula", "Mesha", MoonVerdict::Favourable},      // c = 7
        {"Meena", "Meena", MoonVerdict::Favourable},      // c = 1
        {"Meena", "Mesha", MoonVerdict::Unfavourable},    // c = 12
        {"mesha", "Kanya", MoonVerdict::Favourable},      // "mesha" counts as 0: c = 7
        {"Mesha ", "Kanya", MoonVerdict::Favourable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChandraBalaCheck(c.birth, c.muhurtha), c.expected) << c.birth << " / " << c.muhurtha;
    }
}

TEST(Bala, VerdictWords) {
    EXPECT_EQ(VerdictText(TaraVerdict::Unfavourable), "Unfavourable");
    EXPECT_EQ(VerdictText(TaraVerdict::Favourable), "Favourable");
    EXPECT_EQ(VerdictText(TaraVerdict::VeryFavourable), "Very Favourable");
    EXPECT_EQ(VerdictText(MoonVerdict::Unfavourable), "Unfavourable");
    EXPECT_EQ(VerdictText(MoonVerdict::Favourable), "Favourable");
}

}  // namespace
}  // namespace kalvora
