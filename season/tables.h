#pragma once
// The season's tables: the sixty years of the samvatsara cycle, the vetoes families check before a date (with the
// orbs of combustion), and the undertakings each veto applies to.

#include <array>
#include <optional>
#include <string_view>

#include "muhurtha/subjects.h"

namespace kalvora {

// The sixty samvatsaras of the cycle counted from Ugadi, in order from Prabhava (Shaka 1909 is Prabhava, so
// Shaka 1942 is Sharvari). Source: R. Sewell and S. B. Dikshit, The Indian Calendar (1896), Table I, the
// "Brihaspati cycle, southern reckoning" column, in the spellings of the Telugu and Kannada almanacs.
inline constexpr auto SamvatsaraNames = std::to_array<std::string_view>({
    "Prabhava", "Vibhava", "Shukla", "Pramoda", "Prajapati", "Angirasa", "Shrimukha", "Bhava", "Yuva", "Dhatri",
    "Ishvara", "Bahudhanya", "Pramathi", "Vikrama", "Vrisha", "Chitrabhanu", "Subhanu", "Tarana", "Parthiva",
    "Vyaya", "Sarvajit", "Sarvadhari", "Virodhi", "Vikriti", "Khara", "Nandana", "Vijaya", "Jaya", "Manmatha",
    "Durmukhi", "Hevilambi", "Vilambi", "Vikari", "Sharvari", "Plava", "Shubhakrit", "Shobhakrit", "Krodhi",
    "Vishvavasu", "Parabhava", "Plavanga", "Kilaka", "Saumya", "Sadharana", "Virodhikrit", "Paridhavi", "Pramadi",
    "Ananda", "Rakshasa", "Nala", "Pingala", "Kalayukti", "Siddharthi", "Raudri", "Durmati", "Dundubhi",
    "Rudhirodgari", "Raktakshi", "Krodhana", "Akshaya"});
static_assert(SamvatsaraNames.size() == 60);
// The Shaka year that is Prabhava, the first of the cycle.
inline constexpr int PrabhavaShakaYear = 1909;

// The six vetoes, in the order they are listed.
enum class Veto { GuruAsta, ShukraAsta, Adhika, Chaturmas, Kharmas, PitruPaksha };

struct VetoRow {
    Veto veto;
    std::string_view id;    // the word of the command line's --veto and of the JSON's "id"
    std::string_view name;  // as the texts people read name it
    std::string_view what;  // what it is, in one clause
    std::string_view source;
};

inline constexpr auto VetoTable = std::to_array<VetoRow>({
    {Veto::GuruAsta, "guru-asta", "Guru asta", "Jupiter is combust",
     "Surya Siddhanta 9.6-9.9 (the orbs); Muhurta Chintamani, Vivaha prakarana"},
    {Veto::ShukraAsta, "shukra-asta", "Shukra asta", "Venus is combust",
     "Surya Siddhanta 9.6-9.9 (the orbs); Muhurta Chintamani, Vivaha prakarana"},
    {Veto::Adhika, "adhika", "Adhika masa", "the leap month runs",
     "Muhurta Chintamani, Shubhashubha prakarana (malamasa)"},
    {Veto::Chaturmas, "chaturmas", "Chaturmas", "Chaturmas runs",
     "Dharmasindhu, Asadha and Kartika (Devshayani to Prabodhini Ekadashi)"},
    {Veto::Kharmas, "kharmas", "Kharmas", "the Sun is in Dhanu or Meena (Kharmas)",
     "Muhurta Chintamani, Shubhashubha prakarana (the Sun in Jupiter's signs)"},
    {Veto::PitruPaksha, "pitru-paksha", "Pitru paksha", "Pitru paksha runs",
     "Dharmasindhu, Bhadrapada (the dark fortnight of the ancestors)"},
});
inline constexpr std::size_t VetoCount = VetoTable.size();
static_assert(VetoCount == 6);

constexpr const VetoRow& RowOf(Veto veto) { return VetoTable[static_cast<std::size_t>(veto)]; }
// The veto of an id ("guru-asta"), exactly as written; none for another word.
constexpr std::optional<Veto> FindVeto(std::string_view id) {
    for (const VetoRow& row : VetoTable) {
        if (row.id == id) return row.veto;
    }
    return std::nullopt;
}

// Combustion: a planet is combust while its longitude is within the orb of the Sun's, in degrees, the smaller orb
// while it moves backward. Source: Surya Siddhanta 9.6-9.9 (kalamsha of Jupiter 11; of Venus 10, 8 when
// retrograde).
struct CombustionOrb {
    double direct = 0.0;
    double retrograde = 0.0;
};
inline constexpr CombustionOrb JupiterOrb{11.0, 11.0};
inline constexpr CombustionOrb VenusOrb{10.0, 8.0};

// The undertakings each veto applies to, veto by veto in the order of VetoTable; an undertaking not listed has
// none (medical treatment, journeys, loans, legal matters, trade, learning, buying and selling go on in any season).
// Sources: Muhurta Chintamani, the Vivaha, Upanayana, Chaula and Vastu prakaranas (marriage, engagement, the
// bride's entrance, the thread ceremony, tonsuring, the foundation, construction and entering a new house are not
// begun while Jupiter or Venus is combust, in a leap month or in Kharmas); Dharmasindhu for Chaturmas and Pitru
// paksha (no marriage, thread ceremony, tonsuring or house-building in them).
struct SeasonalSubject {
    MuhurthaSubject subject;
    std::array<bool, VetoCount> vetoes;  // by Veto
    std::string_view advice;             // what most almanacs say of the undertaking in a vetoed season
};
inline constexpr std::array<bool, VetoCount> EveryVeto{true, true, true, true, true, true};
inline constexpr auto SeasonalSubjects = std::to_array<SeasonalSubject>({
    {MuhurthaSubject::Tonsuring, EveryVeto,
     "tonsuring is not done in this season by most almanacs"},
    {MuhurthaSubject::ThreadCeremony, EveryVeto,
     "the thread ceremony is not held in this season by most almanacs"},
    {MuhurthaSubject::Engagement, EveryVeto,
     "engagements are not held in this season by most almanacs"},
    {MuhurthaSubject::Marriage, EveryVeto,
     "marriages are not held in this season by most almanacs"},
    {MuhurthaSubject::BrideEntrance, EveryVeto,
     "a bride's first entrance is not held in this season by most almanacs"},
    {MuhurthaSubject::NewHouse, EveryVeto,
     "a new house is not entered in this season by most almanacs"},
    {MuhurthaSubject::Foundation, EveryVeto,
     "foundations are not laid in this season by most almanacs"},
    {MuhurthaSubject::Construction, EveryVeto,
     "the building of a house is not begun in this season by most almanacs"},
});

// The row of an undertaking the vetoes apply to; none for the others.
constexpr const SeasonalSubject* SeasonalRowOf(MuhurthaSubject subject) {
    for (const SeasonalSubject& row : SeasonalSubjects) {
        if (row.subject == subject) return &row;
    }
    return nullptr;
}
// The vetoes that apply to an undertaking, by Veto.
constexpr std::array<bool, VetoCount> VetoesOf(MuhurthaSubject subject) {
    const SeasonalSubject* row = SeasonalRowOf(subject);
    return row ? row->vetoes : std::array<bool, VetoCount>{};
}

}  // namespace kalvora
