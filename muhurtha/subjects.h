#pragma once
// The 34 undertakings, identified by their exact display texts, in the order the dispatch tests them.

#include <array>
#include <optional>
#include <string_view>

namespace kalvora {

enum class MuhurthaSubject {
    Naming, Tonsuring, EarPiercing, ThreadCeremony, FirstFeeding, EducationStart, Adoption,
    Engagement, Marriage, BrideEntrance,
    TradeLearning, ScienceLearning, DanceMusic, AstrologyLearning, MedicineLearning, GrammarLogic,
    NewHouse, RentedHouse, NewJob, NewBusiness,
    DomesticJourney, ReligiousJourney, ForeignJourney,
    Foundation, Construction,
    Lending, Borrowing, Legal, ChronicTreatment, Operation,
    BuyingLand, SellingLand, BuyingItem, SellingItem,
};

inline constexpr std::size_t SubjectCount = 34;

// Subject texts by MuhurthaSubject value (dispatch order).
inline constexpr auto SubjectTexts = std::to_array<std::string_view>({
    "Naming of The Child or Namakarana",
    "Tonsuring of Head",
    "Piercing of the Ear or Karnavedha",
    "Thread Ceremony Or Upanayana",
    "First feeding of Solid Food (Annaprasan)",
    "Starting of Education (Aksharabhyasa)",
    "Adoption of a Child",
    "Engagement",
    "Marriage",
    "First Entrance of the Bride",
    "Learning of a Trade",
    "Learning of any Science",
    "Learning Dance Or Music",
    "Learning Astrology Or Astronomy",
    "Learning Medicine",
    "Learning Grammar, Logic Or Philosophy",
    "Entering a New House",
    "Entering a Rented House",
    "Start On A New Job",
    "Start A New Business",
    "Domestic Journey",
    "Religious Journey",
    "Foreign Journey",
    "Laying the Foundation",
    "Starting the Construction of a House",
    "Lending Money",
    "Borrowing Money",
    "Legal",
    "Starting medical treatment for chronic disease or recurring illness",
    "Date for operations",
    "Buying Land",
    "Selling Land",
    "Buying Item",
    "Sell Item",
});
static_assert(SubjectTexts.size() == SubjectCount);

inline constexpr std::string_view SubjectText(MuhurthaSubject s) {
    return SubjectTexts[static_cast<std::size_t>(s)];
}

// The subject whose text equals the given text exactly (case-sensitive, no trimming), the first in dispatch order.
inline constexpr std::optional<MuhurthaSubject> FindSubject(std::string_view text) {
    for (std::size_t i = 0; i < SubjectCount; ++i) {
        if (SubjectTexts[i] == text) return static_cast<MuhurthaSubject>(i);
    }
    return std::nullopt;
}

// The twelve categories of the first page and the subjects each lists, in list order.
struct SubjectCategory {
    std::string_view caption;
    std::array<MuhurthaSubject, 7> subjects;
    std::size_t size;
};

inline constexpr auto SubjectCategories = std::to_array<SubjectCategory>({
    {"Child Ceremonies",
     {MuhurthaSubject::Naming, MuhurthaSubject::Tonsuring, MuhurthaSubject::EarPiercing, MuhurthaSubject::ThreadCeremony,
      MuhurthaSubject::FirstFeeding, MuhurthaSubject::EducationStart, MuhurthaSubject::Adoption},
     7},
    {"Marriage", {MuhurthaSubject::Engagement, MuhurthaSubject::Marriage, MuhurthaSubject::BrideEntrance}, 3},
    {"Education",
     {MuhurthaSubject::TradeLearning, MuhurthaSubject::ScienceLearning, MuhurthaSubject::DanceMusic,
      MuhurthaSubject::AstrologyLearning, MuhurthaSubject::MedicineLearning, MuhurthaSubject::GrammarLogic},
     6},
    {"Moving Into New Home", {MuhurthaSubject::NewHouse, MuhurthaSubject::RentedHouse}, 2},
    {"Start On A New Job", {MuhurthaSubject::NewJob}, 1},
    {"Start A New Business", {MuhurthaSubject::NewBusiness}, 1},
    {"Travel", {MuhurthaSubject::DomesticJourney, MuhurthaSubject::ReligiousJourney, MuhurthaSubject::ForeignJourney}, 3},
    {"Construction", {MuhurthaSubject::Foundation, MuhurthaSubject::Construction}, 2},
    {"Financial Transactions", {MuhurthaSubject::Lending, MuhurthaSubject::Borrowing}, 2},
    {"Legal", {MuhurthaSubject::Legal}, 1},
    {"Medical Treatment", {MuhurthaSubject::ChronicTreatment, MuhurthaSubject::Operation}, 2},
    {"Buying and Selling",
     {MuhurthaSubject::BuyingLand, MuhurthaSubject::SellingLand, MuhurthaSubject::BuyingItem, MuhurthaSubject::SellingItem},
     4},
});
static_assert(SubjectCategories.size() == 12);

}  // namespace kalvora
