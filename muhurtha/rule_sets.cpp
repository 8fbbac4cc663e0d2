// The rule sets of the 34 undertakings, factor by factor, and the dispatch from subject to rule set.
// Each factor lists its cases in the order they are tried; the last is the fall-back.
// Fav, Neu and Unf are the common outcomes (+1 counted, 0 counted, -1 not counted); every other outcome is
// written out as {word, points, counted} or with its whole heading.

#include <algorithm>

#include "muhurtha/rule_set.h"

namespace kalvora::rules {
namespace {

using enum Field;
using Kind = FactorKind;

// --- Named sets ------------------------------------------------------------------------------------------------

// Inauspicious nitya yogas.
constexpr Test InauspiciousYogas = In(Yoga, {"Vishkambha", "Atiganda", "Soola", "Ganda", "Vyaghata", "Vajra",
                                             "Vyatipata", "Parigha", "Vaidhruthi"});
// The tithis tonsuring and marriage count against (by name, so in either fortnight).
constexpr Test TithisAgainstTonsuringAndMarriage =
    In(TithiName, {"Dwitiya", "Tritiya", "Panchami", "Saptami", "Dashami", "Ekadashi", "Triyodashi"});
// The weekdays most undertakings favour.
constexpr Test GoodWeekdays = In(Weekday, {"Monday", "Wednesday", "Thursday", "Friday"});
// The tithis learning counts for and against, by number (1 to 15 the bright fortnight, 16 to 30 the dark): for it
// the bright fortnight's 2nd, 3rd, 5th, 6th, 10th, 11th and 12th; against it its 4th, 8th, 9th and 14th, Purnima
// and Amavashya.
constexpr Test TithisForLearning = In(TithiNumber, {2, 3, 5, 6, 10, 11, 12});
constexpr Test TithisAgainstLearning = In(TithiNumber, {4, 8, 9, 14, 15, 30});

constexpr Test TuesdayOrSaturday = In(Weekday, {"Tuesday", "Saturday"});
constexpr Test Ashtami = Is(TithiName, "Ashtami");
constexpr Test DarkFortnight = Is(Paksha, "Krishna Paksha");
constexpr Test BrightFortnight = Is(Paksha, "Shukla Paksha");
constexpr Test Wednesday = Is(Weekday, "Wednesday");
constexpr Test Hasta = Is(Nakshatra, "Hasta");

// --- Outcomes other than Fav, Neu and Unf that several factors give ---------------------------------------------

constexpr Outcome Unavourable{Word::Unavourable, -1, false};
constexpr Outcome NeuNotCounted{Word::Neutral, 0, false};
constexpr Outcome Absent{Word::Absent, 0, false};  // an inauspicious yoga that does not hold

// --- Standard blocks ------------------------------------------------------------------------------------------

// "Stength" in both headings is the program's established text, as shown and reported: do not correct.
constexpr Factor TaraBlock{Kind::Tara, "Tara Stength", {
    {Is(Tara, "Unfavourable"), Unf},
    {Is(Tara, "Favourable"), Fav},
    {Otherwise, {Word::VeryFavourable, 2, true}}}};

constexpr Factor MoonBlock{Kind::Moon, "Moon Stength", {
    {Is(Moon, "Unfavourable"), Unf},
    {Otherwise, Fav}}};

constexpr Factor YogaBlock(Outcome unfavourable = Unf) {
    return {Kind::Yoga, "Yoga", {{InauspiciousYogas, unfavourable}, {Otherwise, Neu}}};
}

constexpr Factor KaranaBlock{Kind::Karana, "Karana", {
    {Is(Karana, "Visti"), Unf},
    {Otherwise, Neu}}};

// A special yoga: present Fav, absent the given outcome.
constexpr Factor YogaCheck(Kind kind, std::string_view label, Field present, Outcome absent = Neu) {
    return {kind, label, {{Is(present), Fav}, {Otherwise, absent}}};
}

constexpr Factor SiddhiYoga = YogaCheck(Kind::Siddha, "Siddhi Yoga", SiddhaYoga);
constexpr Factor SarvarthaSiddhaYogaFactor =
    YogaCheck(Kind::Sarvartha, "Sarvartha Siddha Yoga", SarvarthaSiddhaYoga);
constexpr Factor AmritaSiddhiYogaFactor = YogaCheck(Kind::Amrita, "Amrita Siddhi Yoga", AmritaSiddhiYoga);
constexpr Factor TripushkarYogaFactor = YogaCheck(Kind::Tripushkar, "Tripushkar Yoga", TripushkarYoga);

// --- Child ceremonies and marriage ----------------------------------------------------------------------------

constexpr Factor NamingFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Anuradha", "Punarvasu", "Magha", "Rohini", "Uttara Ashadha", "Uttara Bhadrapada",
                        "Shatabhisha", "Swati", "Dhanistha", "Shravana", "Ashwini", "Mrigasira", "Revati", "Hasta",
                        "Pushya", "Uttara Phalguni"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiName, {"Chaturthi", "Navami", "Chaturdashi"}), Unavourable},
        {Ashtami, DarkFortnight, Unavourable},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    YogaBlock(Unavourable),
    KaranaBlock,
};
// Ten to twelve days old, or sixteen.
constexpr AgeWindow NamingAge{.spans = {{{AgeUnit::Days, 10, 12}, {AgeUnit::Days, 16, 16}}}, .points = 5};
constexpr RuleSet NamingRules{.subject = MuhurthaSubject::Naming, .threshold = 3, .factors = NamingFactors,
                              .ageWindow = NamingAge};

constexpr Factor TonsuringFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Punarvasu", "Swati", "Shravana", "Dhanistha", "Shatabhisha", "Ashwini", "Pushya", "Hasta",
                        "Mrigasira", "Revati", "Chitra", "Jyeshtha"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{TithisAgainstTonsuringAndMarriage, Unavourable}, {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    YogaBlock(Unavourable),
    KaranaBlock,
};
constexpr RuleSet TonsuringRules{.subject = MuhurthaSubject::Tonsuring, .threshold = 3,
                                 .factors = TonsuringFactors};

constexpr Factor EarPiercingFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Mrigasira", "Chitra", "Anuradha", "Revati", "Ashwini", "Pushya", "Hasta", "Shravana",
                        "Dhanistha", "Punarvasu"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiName, {"Chaturthi", "Navami", "Chaturdashi", "Amavashya"}), Neu},
        {Ashtami, DarkFortnight, Unavourable},
        {Otherwise, Fav}}},
    {Kind::Weekday, "Day of Week", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    YogaBlock(Unavourable),
    {Kind::Rashi, "Rashi", {{In(Rashi, {"Kumbha", "Simha", "Vrischika"}), Unf}, {Otherwise, Neu}}},
    KaranaBlock,
};
// Ten, twelve or sixteen days old, six to eight months old, or an odd number of years.
constexpr AgeWindow EarPiercingAge{.spans = {{{AgeUnit::Days, 10, 10}, {AgeUnit::Days, 12, 12},
                                             {AgeUnit::Days, 16, 16}, {AgeUnit::Months, 6, 8}}},
                                   .oddYears = true, .points = 6};
constexpr RuleSet EarPiercingRules{.subject = MuhurthaSubject::EarPiercing, .threshold = 3,
                                   .factors = EarPiercingFactors, .ageWindow = EarPiercingAge};

constexpr Factor ThreadCeremonyFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Anuradha", "Hasta", "Chitra", "Swati", "Shravana", "Dhanistha", "Shatabhisha",
                        "Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada", "Revati", "Rohini", "Mrigasira",
                        "Ashwini", "Punarvasu", "Pushya"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {BrightFortnight, In(TithiNumber, {2, 3, 5, 7, 10, 13}), Fav},
        {DarkFortnight, In(TithiNumber, {16, 17, 18}), Fav},  // the first three of the dark fortnight
        {In(TithiNumber, {4, 8, 9, 11, 12, 14}), Unf},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {{GoodWeekdays, Fav}, {Is(Weekday, "Tuesday"), Unf}, {Otherwise, Neu}}},
    {Kind::Rashi, "Rashi", {
        {In(Rashi, {"Mesha", "Vrishabha", "Mithuna", "Kataka", "Kanya", "Thula", "Kumbha"}), Fav},
        {Otherwise, Neu}}},
};
// Five or eight years, or more than twenty.
constexpr AgeWindow ThreadCeremonyAge{.spans = {{{AgeUnit::Years, 5, 5}, {AgeUnit::Years, 8, 8},
                                                {AgeUnit::Years, 21, AnyOlder}}},
                                      .points = 4};
constexpr RuleSet ThreadCeremonyRules{.subject = MuhurthaSubject::ThreadCeremony, .threshold = 2,
                                      .factors = ThreadCeremonyFactors, .ageWindow = ThreadCeremonyAge};

constexpr Factor FirstFeedingFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Ashwini", "Mrigasira", "Punarvasu", "Dhanistha", "Pushya", "Hasta", "Swati", "Anuradha",
                        "Shravana", "Shatabhisha", "Uttara Phalguni", "Chitra"}), Fav},
        {In(Nakshatra, {"Ardra", "Krittika", "Jyeshtha", "Bharani", "Ashlesha", "Purva Ashadha",
                        "Poorva Bhadrapada"}), Unf},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiName, {"Dwitiya", "Tritiya", "Panchami", "Saptami", "Dashami", "Triyodashi", "Purnima"}), Unf},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    {Unreported, "Month", {  // the child's age in months
        {Is(Sex, "Male"), In(MonthsOld, {7, 9, 11}), Fav},
        {Is(Sex, "Male"), Neu},
        {In(MonthsOld, {6, 8, 10, 12}), Fav},
        {Otherwise, Neu}}},
    YogaBlock(),
    KaranaBlock,
    {Kind::Rashi, "Rashi", {{In(Rashi, {"Mesha", "Vrischika", "Meena"}), Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet FirstFeedingRules{.subject = MuhurthaSubject::FirstFeeding, .threshold = 4,
                                    .factors = FirstFeedingFactors};

constexpr Factor EducationStartFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Mrigasira", "Ardra", "Punarvasu", "Pushya", "Hasta", "Chitra", "Swati", "Shravana",
                        "Dhanistha", "Shatabhisha", "Rohini", "Uttara Phalguni", "Vishakha", "Revati"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{TithisAgainstLearning, Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {
        {TuesdayOrSaturday, Unf},
        {GoodWeekdays, In(Nakshatra, {"Punarvasu", "Ardra", "Hasta", "Chitra", "Shravana", "Revati"}), Fav},
        {Otherwise, Neu}}},  // the other good weekdays, and Sunday
};
// Whatever the age, a muhurtha in Ashwini.
constexpr AgeWindow EducationStartAge{.muhurtha = Is(Nakshatra, "Ashwini"), .points = 3};
constexpr RuleSet EducationStartRules{.subject = MuhurthaSubject::EducationStart, .threshold = 2,
                                      .factors = EducationStartFactors, .ageWindow = EducationStartAge};

constexpr Factor AdoptionFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Hasta", "Swati", "Anuradha", "Shravana", "Dhanistha", "Ashwini", "Pushya", "Chitra",
                        "Vishakha"}), Fav},
        {Otherwise, NeuNotCounted}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {1, 2, 3, 5, 7, 10, 11, 13}), Fav}, {Otherwise, Neu}}},
    {Kind::Weekday, "Day of Week", {
        {In(Weekday, {"Sunday", "Tuesday", "Thursday", "Friday"}), Fav},
        {Otherwise, Neu}}},
};
constexpr RuleSet AdoptionRules{.subject = MuhurthaSubject::Adoption, .threshold = 2, .factors = AdoptionFactors};

constexpr Factor EngagementFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada", "Krittika", "Poorva Bhadrapada",
                        "Poorva Phalguni", "Purva Ashadha"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {2, 3, 5, 7, 10}), Fav}, {Otherwise, NeuNotCounted}}},
    {Kind::Weekday, "Weekday", {{Is(Weekday, "Saturday"), Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet EngagementRules{.subject = MuhurthaSubject::Engagement, .threshold = 2,
                                  .factors = EngagementFactors};

constexpr Factor MarriageFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Rohini", "Uttara Ashadha", "Uttara Bhadrapada", "Mrigasira", "Revati", "Anuradha", "Moola",
                        "Swati", "Magha", "Ashwini", "Chitra", "Shravana", "Dhanistha", "Uttara Phalguni",
                        "Hasta"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{TithisAgainstTonsuringAndMarriage, Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    YogaBlock(),
    KaranaBlock,
    YogaCheck(Kind::Siddha, "Siddha Yoga", SiddhaYoga),
    YogaCheck(Kind::Sarvartha, "Sarvartha Yoga", SarvarthaSiddhaYoga),
    YogaCheck(Kind::Amrita, "Amrita Yoga", AmritaSiddhiYoga),
};
constexpr RuleSet MarriageRules{.subject = MuhurthaSubject::Marriage, .threshold = 5, .factors = MarriageFactors,
                                .showsAmritaNote = true};

constexpr Factor BrideEntranceFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Uttara Phalguni", "Uttara Bhadrapada", "Uttara Ashadha", "Mrigasira", "Revati", "Chitra",
                        "Anuradha", "Hasta", "Ashwini", "Pushya", "Shravana", "Dhanistha", "Moola", "Magha",
                        "Swati"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {4, 9, 14}), Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{In(Weekday, {"Tuesday", "Sunday"}), Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet BrideEntranceRules{.subject = MuhurthaSubject::BrideEntrance, .threshold = 2,
                                     .factors = BrideEntranceFactors};

// --- Learning -------------------------------------------------------------------------------------------------

constexpr Factor LearningTithi{Kind::Tithi, "Tithi", {
    {TithisForLearning, Fav},
    {TithisAgainstLearning, Unf},
    {Otherwise, Neu}}};
constexpr Factor LearningWeekday{Kind::Weekday, "Weekday", {{TuesdayOrSaturday, Unf}, {Otherwise, Neu}}};
constexpr Factor SaraswatiYoga{Kind::Saraswati, "Saraswati Yoga", {
    {Wednesday, Hasta, Fav},
    {Otherwise, Neu}}};

constexpr Factor TradeLearningFactors[] = {
    TaraBlock,
    MoonBlock,
    LearningTithi,
    {Kind::Weekday, "Weekday", {{TuesdayOrSaturday, Unf}, {Otherwise, {Word::Favourable, 0, true}}}},
    SaraswatiYoga,
};
constexpr RuleSet TradeLearningRules{.subject = MuhurthaSubject::TradeLearning, .threshold = 2,
                                     .factors = TradeLearningFactors, .listsTenthHousePlanets = true};

constexpr Factor ScienceLearningFactors[] = {
    TaraBlock,
    MoonBlock,
    LearningTithi,
    LearningWeekday,
    SaraswatiYoga,
    {Unreported, "Learning of any Science", {{Wednesday, Hasta, Fav}, {Otherwise, Neu}}},
};
constexpr RuleSet ScienceLearningRules{.subject = MuhurthaSubject::ScienceLearning, .threshold = 3,
                                       .factors = ScienceLearningFactors};

constexpr Factor DanceMusicFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Revati", "Anuradha", "Dhanistha", "Shatabhisha", "Hasta", "Rohini", "Mrigasira", "Pushya",
                        "Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada"}), Fav},
        {Otherwise, Neu}}},
    LearningTithi,
    {Kind::Weekday, "Weekday", {{TuesdayOrSaturday, Unf}, {GoodWeekdays, Fav}, {Otherwise, Neu}}},
    SaraswatiYoga,
};
constexpr RuleSet DanceMusicRules{.subject = MuhurthaSubject::DanceMusic, .threshold = 3,
                                  .factors = DanceMusicFactors};

constexpr Factor AstrologyLearningFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Ashwini", "Punarvasu", "Pushya", "Hasta", "Swati", "Moola", "Revati"}), Fav},
        {Otherwise, Neu}}},
    LearningTithi,
    LearningWeekday,
    SaraswatiYoga,
};
constexpr RuleSet AstrologyLearningRules{.subject = MuhurthaSubject::AstrologyLearning, .threshold = 3,
                                         .factors = AstrologyLearningFactors};

constexpr Factor MedicineLearningFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Hasta", "Chitra", "Swati", "Anuradha", "Punarvasu", "Shravana", "Dhanistha", "Shatabhisha",
                        "Moola", "Revati", "Pushya", "Jyeshtha", "Ashlesha", "Ardra", "Mrigasira", "Ashwini"}), Fav},
        {Otherwise, Neu}}},
    LearningTithi,
    {Kind::Weekday, "Weekday", {{Is(Weekday, "Saturday"), Unf}, {Otherwise, Neu}}},
    SaraswatiYoga,
};

constexpr Test Dhanistha = Is(Nakshatra, "Dhanistha");
constexpr Test MedicineWeekdays = In(Weekday, {"Sunday", "Tuesday", "Monday"});

// Learning medicine looks again at the nakshatra once the weekday is known: a "Dhanistha" muhurtha is recorded
// as favourable a second time and counted again; otherwise a neutral nakshatra turns the weekday favourable on
// Sunday, Tuesday or Monday and neutral on any other day, with the count left as the first weekday outcome left
// it. A favourable nakshatra other than "Dhanistha" changes nothing.
void MedicineSecondPass(Tally& tally, const Facts& facts) {
    constexpr std::size_t nakshatra = PositionOf(MedicineLearningFactors, Kind::Nakshatra);
    constexpr std::size_t weekday = PositionOf(MedicineLearningFactors, Kind::Weekday);
    if (Holds(Dhanistha, facts)) {
        tally.Record(nakshatra, MedicineLearningFactors[nakshatra], Fav);
    } else if (tally.factors[nakshatra].points == 0) {
        tally.Rewrite(weekday, MedicineLearningFactors[weekday], Holds(MedicineWeekdays, facts) ? Fav : Neu);
    }
}

constexpr RuleSet MedicineLearningRules{.subject = MuhurthaSubject::MedicineLearning, .threshold = 3,
                                        .factors = MedicineLearningFactors, .revise = MedicineSecondPass};

// The weekday factors of grammar and logic follow the general weekday: they are read only when that is not
// unfavourable.
constexpr Test GeneralWeekdayNotUnfavourable = Not(TuesdayOrSaturday);

constexpr Factor GrammarLogicFactors[] = {
    TaraBlock,
    MoonBlock,
    LearningTithi,
    LearningWeekday,
    SaraswatiYoga,
    {Kind::Nakshatra, "Nakshatra of Grammar", {
        {In(Nakshatra, {"Rohini", "Mrigasira", "Punarvasu", "Pushya", "Hasta", "Dhanistha", "Revati"}), Fav},
        {Otherwise, {Word::Neutral, 0, true, "Nakshatra of Grammar- Neutral"}}}},
    {Kind::Nakshatra, "Nakshatra of Logic And and Philosophy", {
        {In(Nakshatra, {"Shravana", "Shatabhisha", "Hasta", "Uttara Phalguni", "Moola", "Revati"}), Fav},
        {Otherwise, Neu}}},
    OnlyWhen(GeneralWeekdayNotUnfavourable, {Kind::Weekday, "Weekday of Grammar", {
        {In(Weekday, {"Wednesday", "Thursday", "Friday"}), Fav},
        {Otherwise, Neu}}}),
    OnlyWhen(GeneralWeekdayNotUnfavourable, {Kind::Weekday, "Weekday of Logic And and Philosophy", {
        {In(Weekday, {"Monday", "Thursday", "Wednesday"}), Fav},
        {Otherwise, Neu}}}),
};
constexpr RuleSet GrammarLogicRules{.subject = MuhurthaSubject::GrammarLogic, .threshold = 4,
                                    .factors = GrammarLogicFactors};

// --- House, work and construction -----------------------------------------------------------------------------

constexpr Factor NewHouseFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(Nakshatra, "Ashwini"), {Word::Unfavourable, -1, false, "Very Bad Nakshatra - Unfavourable"}},
        {In(Nakshatra, {"Mrigasira", "Revati", "Chitra", "Anuradha", "Swati", "Shatabhisha", "Hasta", "Pushya",
                        "Dhanistha", "Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada", "Rohini"}),
         {Word::Favourable, 1, true, "Good Nakshatra - Favourable"}},
        {In(Nakshatra, {"Bharani", "Krittika", "Ardra", "Ashlesha", "Poorva Phalguni", "Vishakha", "Jyeshtha",
                        "Purva Ashadha", "Poorva Bhadrapada"}),
         {Word::Unfavourable, -1, false, "Bad Nakshatra - Unfavourable"}},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {Is(TithiClass, "Rikta"), Unf},
        {In(TithiNumber, {4, 9, 14}), Unf},
        {Is(TithiName, "Amavashya"), Unf},
        {BrightFortnight, In(TithiNumber, {2, 3, 5, 7, 10, 11, 13, 15}), Fav},
        {DarkFortnight, In(TithiNumber, {16}), Fav},  // the first of the dark fortnight
        {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {
        {GoodWeekdays, Fav},
        {Is(Weekday, "Tuesday"), {Word::Unfavourable, -1, false, "Very Bad Weekday - Unfavourable"}},
        {Otherwise, Neu}}},
    {Kind::LunarMonth, LunarMonthFactorLabel, {
        {In(LunarMonth, {"Vaisakha", "Pausa", "Falguna", "Shravana", "Agrahayana", "Jyaistha", "Kartika",
                         "Magha"}), Fav},
        {Otherwise, Neu}}},
    SiddhiYoga,
    SarvarthaSiddhaYogaFactor,
    AmritaSiddhiYogaFactor,
};
constexpr RuleSet NewHouseRules{.subject = MuhurthaSubject::NewHouse, .threshold = 4, .factors = NewHouseFactors,
                                .showsAmritaNote = true};

constexpr Factor RentedHouseFactors[] = {
    {Kind::Tara, "Tara Strength", {{Is(Tara, "Favourable"), {Word::Favourable, 2, true}}, {Otherwise, Neu}}},
    {Kind::Moon, "Moon Strength", {{Is(Moon, "Favourable"), Fav}, {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{Is(TithiClass, "Rikta"), Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
};
constexpr RuleSet RentedHouseRules{.subject = MuhurthaSubject::RentedHouse, .threshold = 2,
                                   .factors = RentedHouseFactors};

constexpr Factor NewJobFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Hasta", "Ashwini", "Pushya", "Mrigasira", "Chitra", "Revati", "Anuradha",
                        "Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada", "Rohini"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {2, 3, 5, 7, 10, 11, 13, 15}), Fav}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {
        {In(Weekday, {"Monday", "Wednesday", "Thursday", "Friday", "Sunday"}), Fav},
        {Otherwise, Neu}}},
    SiddhiYoga,
    SarvarthaSiddhaYogaFactor,
    AmritaSiddhiYogaFactor,
};
constexpr RuleSet NewJobRules{.subject = MuhurthaSubject::NewJob, .threshold = 4, .factors = NewJobFactors,
                              .showsAmritaNote = true};

constexpr Factor NewBusinessFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Mrigasira", "Chitra", "Anuradha", "Revati", "Ashwini", "Pushya", "Hasta"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiName, {"Dwitiya", "Purnima", "Tritiya", "Panchami", "Saptami", "Dashami", "Ekadashi",
                        "Triyodashi"}), Unf},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    SiddhiYoga,
    SarvarthaSiddhaYogaFactor,
    AmritaSiddhiYogaFactor,
    YogaBlock(),
    KaranaBlock,
};
constexpr RuleSet NewBusinessRules{.subject = MuhurthaSubject::NewBusiness, .threshold = 4,
                                   .factors = NewBusinessFactors, .showsAmritaNote = true};

constexpr Factor FoundationFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Bharani", "Krittika", "Ardra", "Punarvasu", "Ashlesha", "Magha", "Poorva Phalguni",
                        "Vishakha", "Moola", "Purva Ashadha", "Shravana", "Shatabhisha", "Uttara Bhadrapada"}), Unf},
        {In(Nakshatra, {"Rohini", "Mrigasira", "Chitra", "Hasta", "Jyeshtha", "Uttara Phalguni", "Uttara Ashadha",
                        "Shravana"}), Fav},  // "Shravana" has already been taken as unfavourable
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiNumber, {9}), Unf},          // the only unfavourable odd number
        {In(TithiNumber, {2, 6, 10}), Fav},   // the favourable even numbers
        {Otherwise, Neu}}},                   // every other number, odd or even
    {Kind::Weekday, "Weekday", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
    {Kind::LunarMonth, LunarMonthFactorLabel, {
        {In(LunarMonth, {"Chaitra", "Vaisakha", "Shravana", "Kartika", "Magha"}), Fav},
        {Otherwise, Neu}}},
};
constexpr RuleSet FoundationRules{.subject = MuhurthaSubject::Foundation, .threshold = 3,
                                  .factors = FoundationFactors};

constexpr Factor ConstructionFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada", "Rohini", "Mrigasira", "Revati",
                        "Chitra", "Anuradha", "Swati", "Shatabhisha", "Hasta", "Pushya", "Dhanistha"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {4, 8, 9, 14, 15}), Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{Is(Weekday, "Tuesday"), Unf}, {Otherwise, Neu}}},
    {Kind::LunarMonth, LunarMonthFactorLabel, {
        {In(LunarMonth, {"Falguna", "Shravana", "Agrahayana", "Pausa", "Vaisakha"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Rashi, "Rashi", {{In(Rashi, {"Mithuna", "Kanya", "Dhanus", "Meena"}), Fav}, {Otherwise, Neu}}},
};
constexpr RuleSet ConstructionRules{.subject = MuhurthaSubject::Construction, .threshold = 3,
                                    .factors = ConstructionFactors};

// --- Journeys -------------------------------------------------------------------------------------------------

constexpr Test InauspiciousJourneyNakshatras =
    In(Nakshatra, {"Ashlesha", "Vishakha", "Poorva Phalguni", "Poorva Bhadrapada", "Ardra"});
constexpr Test KrittikaOrBharani = In(Nakshatra, {"Krittika", "Bharani"});

constexpr Factor JourneyTithi{Kind::Tithi, "Tithi", {
    {In(TithiNumber, {14, 15, 30}), Unf},
    {In(TithiNumber, {2, 3, 5, 7, 10, 11, 13}), Fav},
    {Otherwise, Neu}}};

constexpr Factor JourneyRashi{Kind::Rashi, "Rashi", {
    {In(Rashi, {"Mesha", "Vrishabha", "Kataka", "Simha", "Thula", "Dhanus"}), Fav},
    {Otherwise, Neu}}};

// Counts 5, 7 and 9 from the birth lagna are unfavourable; the other counts give the rule set's outcome.
constexpr Factor LagnaFromBirth(Outcome otherCounts) {
    return {Unreported, "Muhurtha Lagna from Birth Lagna", {
        {In(LagnaCount, {5, 7, 9}), Unf},
        {Otherwise, otherCounts}}};
}

constexpr Factor LagnaWithBirth(Outcome neutral) {
    return {Unreported, "Muhurtha Lagna with Birth Rashi and Lagna", {
        {Is(BirthRashiOnTableLagna), Fav},
        {Otherwise, neutral}}};
}

constexpr Factor TuesdayLeastFavourable{Kind::Weekday, "Weekday", {
    {Is(Weekday, "Tuesday"), {Word::LeastFavourable, -1, true}},
    {Otherwise, Fav}}};

// The inauspicious yogas: present Unf (and the journey flag set), absent "Absent", 0 points, not counted.
constexpr Factor InauspiciousYoga(Kind flag, std::string_view label, Field present) {
    return {flag, label, {{Is(present), Unf}, {Otherwise, Absent}}};
}
constexpr Factor MrityuYogaFactor = InauspiciousYoga(Kind::Mrityu, "Mrityu Yoga", MrityuYoga);
constexpr Factor DagdhaYogaFactor = InauspiciousYoga(Kind::Dagdha, "Dagdha Yoga", DagdhaYoga);
constexpr Factor YamaghataYogaFactor = InauspiciousYoga(Kind::Yamaghata, "Yamaghata Yoga", YamaghataYoga);

constexpr Factor DomesticJourneyFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {KrittikaOrBharani, {Word::LeastFavourable, -1, false}},
        {InauspiciousJourneyNakshatras, Unf},
        {Otherwise, {Word::Neutral, 1, true}}}},
    JourneyTithi,
    TuesdayLeastFavourable,
    JourneyRashi,
    LagnaFromBirth(Neu),
    LagnaWithBirth(Neu),
    SiddhiYoga,
    SarvarthaSiddhaYogaFactor,
    TripushkarYogaFactor,
    AmritaSiddhiYogaFactor,
    MrityuYogaFactor,
    DagdhaYogaFactor,
    YamaghataYogaFactor,
};
constexpr RuleSet DomesticJourneyRules{.subject = MuhurthaSubject::DomesticJourney, .threshold = 7,
                                       .factors = DomesticJourneyFactors};

constexpr Factor ReligiousJourneyFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {KrittikaOrBharani, {Word::LeastFavourable, -1, true}},
        {InauspiciousJourneyNakshatras, Neu},
        {Otherwise, Fav}}},
    JourneyTithi,
    TuesdayLeastFavourable,
    JourneyRashi,
    LagnaFromBirth(Fav),
    LagnaWithBirth(NeuNotCounted),
    {Unreported, "Jupiter in Rising Sign", {{Is(JupiterInLagna), Fav}, {Otherwise, Neu}}},
    {Unreported, "Jupiter in 9th House", {{Is(JupiterInNinth), Fav}, {Otherwise, Neu}}},
    SiddhiYoga,
    YogaCheck(Kind::Sarvartha, "Sarvartha Siddha Yoga", SarvarthaSiddhaYoga, NeuNotCounted),
    YogaCheck(Kind::Tripushkar, "Tripushkar Yoga", TripushkarYoga, NeuNotCounted),
    YogaCheck(Kind::Amrita, "Amrita Siddhi Yoga", AmritaSiddhiYoga, NeuNotCounted),
    MrityuYogaFactor,
    DagdhaYogaFactor,
    YamaghataYogaFactor,
};
constexpr RuleSet ReligiousJourneyRules{.subject = MuhurthaSubject::ReligiousJourney, .threshold = 8,
                                        .factors = ReligiousJourneyFactors};

constexpr Factor ForeignJourneyFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(SameNakshatraAsBirth), Neu},
        {KrittikaOrBharani, {Word::LeastFavourable, -1, true}},
        {InauspiciousJourneyNakshatras, Unf},
        {In(Nakshatra, {"Swati", "Punarvasu", "Shravana", "Dhanistha", "Shatabhisha"}), Fav},
        {Otherwise, Neu}}},
    JourneyTithi,
    {Kind::Weekday, "Weekday", {
        {Is(Weekday, "Tuesday"), {Word::LeastFavourable, -1, true}},
        {Is(Weekday, "Monday"), Fav},
        {Otherwise, Neu}}},
    JourneyRashi,
    LagnaFromBirth(Neu),
    LagnaWithBirth(Neu),
    SiddhiYoga,
    SarvarthaSiddhaYogaFactor,
    TripushkarYogaFactor,
    AmritaSiddhiYogaFactor,
    MrityuYogaFactor,
    DagdhaYogaFactor,
    YamaghataYogaFactor,
};
constexpr RuleSet ForeignJourneyRules{.subject = MuhurthaSubject::ForeignJourney, .threshold = 7,
                                      .factors = ForeignJourneyFactors};

// --- Money, legal, medical ------------------------------------------------------------------------------------

constexpr Factor LendingFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(SameNakshatraAsBirth), Unf},
        {In(Nakshatra, {"Krittika", "Magha", "Moola", "Shatabhisha", "Uttara Phalguni", "Punarvasu"}), Unf},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {In(TithiName, {"Purnima", "Amavashya"}), Is(Weekday, "Saturday"), Unf},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{In(Weekday, {"Tuesday", "Friday"}), Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet LendingRules{.subject = MuhurthaSubject::Lending, .threshold = 2, .factors = LendingFactors};

constexpr Factor BorrowingFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(SameNakshatraAsBirth), Unf},
        {In(Nakshatra, {"Krittika", "Moola", "Punarvasu", "Dhanistha"}), Unf},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {4, 9, 14}), Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet BorrowingRules{.subject = MuhurthaSubject::Borrowing, .threshold = 2,
                                 .factors = BorrowingFactors};

constexpr Factor LegalFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Ashwini", "Rohini", "Mrigasira", "Pushya", "Uttara Phalguni", "Hasta", "Chitra",
                        "Anuradha", "Dhanistha", "Revati"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{In(TithiNumber, {4, 9, 14}), Unf}, {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{TuesdayOrSaturday, Unf}, {Otherwise, Neu}}},
};
constexpr RuleSet LegalRules{.subject = MuhurthaSubject::Legal, .threshold = 2, .factors = LegalFactors};

// The weekday decides whether the nakshatra is read at all: only on a good weekday.
constexpr Factor ChronicTreatmentFactors[] = {
    TaraBlock,
    MoonBlock,
    OnlyWhen(GoodWeekdays, {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Ashwini", "Hasta", "Chitra", "Punarvasu"}), Fav},
        {In(Nakshatra, {"Rohini", "Mrigasira", "Pushya", "Uttara Phalguni", "Uttara Ashadha", "Uttara Bhadrapada",
                        "Swati", "Anuradha", "Shravana", "Dhanistha", "Shatabhisha", "Revati"}), Fav},
        {Otherwise, Neu}}}),
    {Kind::Weekday, "Weekday", {{GoodWeekdays, Fav}, {Otherwise, Neu}}},
};
constexpr RuleSet ChronicTreatmentRules{.subject = MuhurthaSubject::ChronicTreatment, .threshold = 2,
                                        .factors = ChronicTreatmentFactors};

constexpr Factor OperationFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(SameNakshatraAsBirth), Unf},
        {In(Nakshatra, {"Ardra", "Jyeshtha", "Ashlesha", "Moola"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {
        {BrightFortnight, Unf},
        {In(TithiNumber, {19, 24, 29}), Fav},  // the 4th, 9th and 14th of the dark fortnight
        {Is(TithiName, "Amavashya"), {Word::Uafvourable, -1, false}},
        {Otherwise, Neu}}},
    {Kind::Weekday, "Weekday", {{In(Weekday, {"Monday", "Wednesday"}), Fav}, {Otherwise, Neu}}},
};
constexpr RuleSet OperationRules{.subject = MuhurthaSubject::Operation, .threshold = 2,
                                 .factors = OperationFactors};

// --- Buying and selling ---------------------------------------------------------------------------------------

constexpr Factor LandNakshatra{Kind::Nakshatra, "Nakshatra", {
    {Is(SameNakshatraAsBirth), Unf},
    {In(Nakshatra, {"Ashwini", "Rohini", "Mrigasira", "Punarvasu", "Pushya", "Uttara Phalguni", "Hasta", "Swati",
                    "Anuradha", "Uttara Ashadha", "Shravana", "Dhanistha", "Shatabhisha", "Uttara Bhadrapada"}), Fav},
    {Otherwise, Neu}}};
constexpr Factor LandTithi{Kind::Tithi, "Tithi", {{In(TithiNumber, {4, 9, 14}), Unf}, {Otherwise, Neu}}};
constexpr Factor LandWeekday{Kind::Weekday, "Weekday", {
    {In(Weekday, {"Monday", "Wednesday", "Thursday", "Saturday"}), Fav},
    {Otherwise, Neu}}};

constexpr Factor BuyingLandFactors[] = {
    TaraBlock,
    MoonBlock,
    LandNakshatra,
    LandTithi,
    LandWeekday,
    YogaCheck(Kind::Dvipushkar, "Dvipushkar Yoga", DvipushkarYoga),
    TripushkarYogaFactor,
};
constexpr RuleSet BuyingLandRules{.subject = MuhurthaSubject::BuyingLand, .threshold = 3,
                                  .factors = BuyingLandFactors};

constexpr Factor SellingLandFactors[] = {
    TaraBlock,
    MoonBlock,
    LandNakshatra,
    LandTithi,
    LandWeekday,
};
constexpr RuleSet SellingLandRules{.subject = MuhurthaSubject::SellingLand, .threshold = 2,
                                   .factors = SellingLandFactors};

constexpr Factor BuyingItemFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {Is(SameNakshatraAsBirth), Unf},
        {In(Nakshatra, {"Ashwini", "Chitra", "Swati", "Shravana", "Shatabhisha", "Revati"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{Is(TithiName, "Amavashya"), Unf}, {Otherwise, Neu}}},
    TripushkarYogaFactor,
};
constexpr RuleSet BuyingItemRules{.subject = MuhurthaSubject::BuyingItem, .threshold = 2,
                                  .factors = BuyingItemFactors};

constexpr Factor SellingItemFactors[] = {
    TaraBlock,
    MoonBlock,
    {Kind::Nakshatra, "Nakshatra", {
        {In(Nakshatra, {"Bharani", "Krittika", "Ashlesha", "Poorva Phalguni", "Vishakha", "Purva Ashadha",
                        "Poorva Bhadrapada"}), Fav},
        {Otherwise, Neu}}},
    {Kind::Tithi, "Tithi", {{Is(TithiName, "Amavashya"), Unf}, {Otherwise, Neu}}},
    {Kind::Lagna, "Lagna", {{Is(Lagna, "Kumbha"), Unf}, {Otherwise, Neu}}},
    {Kind::Lagna, "Sale time Lagna", {
        {Is(LagnaIsBirthRashi), Fav},
        {Is(LagnaIsBirthLagna), Fav},
        {Otherwise, Neu}}},
};
constexpr RuleSet SellingItemRules{.subject = MuhurthaSubject::SellingItem, .threshold = 3,
                                   .factors = SellingItemFactors};

// --- Dispatch -------------------------------------------------------------------------------------------------

// Rule sets in the order of the subjects (34 entries).
constexpr auto Dispatch = std::to_array<const RuleSet*>({
    &NamingRules, &TonsuringRules, &EarPiercingRules, &ThreadCeremonyRules, &FirstFeedingRules,
    &EducationStartRules, &AdoptionRules, &EngagementRules, &MarriageRules, &BrideEntranceRules,
    &TradeLearningRules, &ScienceLearningRules, &DanceMusicRules, &AstrologyLearningRules, &MedicineLearningRules,
    &GrammarLogicRules, &NewHouseRules, &RentedHouseRules, &NewJobRules, &NewBusinessRules,
    &DomesticJourneyRules, &ReligiousJourneyRules, &ForeignJourneyRules, &FoundationRules, &ConstructionRules,
    &LendingRules, &BorrowingRules, &LegalRules, &ChronicTreatmentRules, &OperationRules,
    &BuyingLandRules, &SellingLandRules, &BuyingItemRules, &SellingItemRules,
});
static_assert(Dispatch.size() == SubjectCount);
static_assert([] {
    for (std::size_t i = 0; i < Dispatch.size(); ++i) {
        if (Dispatch[i]->subject != static_cast<MuhurthaSubject>(i)) return false;
    }
    return true;
}(), "each rule set sits at its subject's place");

}  // namespace

const RuleSet& RuleSetOf(MuhurthaSubject subject) {
    return *Dispatch[static_cast<std::size_t>(subject)];
}

namespace {

// Whether any test of the rule set's factors (guards included) satisfies the predicate on its field.
template <typename Predicate>
bool AnyTestReads(const RuleSet& rules, Predicate reads) {
    return std::any_of(rules.factors.begin(), rules.factors.end(), [&reads](const Factor& factor) {
        if (reads(factor.guard.field)) return true;
        return std::any_of(factor.Cases().begin(), factor.Cases().end(), [&reads](const Case& c) {
            return reads(c.first.field) || reads(c.second.field);
        });
    });
}

}  // namespace

bool Reads(const RuleSet& rules, Field field) {
    return AnyTestReads(rules, [field](Field read) { return read == field; });
}

bool Runs(const RuleSet& rules, Check check) {
    if (check == Check::PlanetPlacement && rules.listsTenthHousePlanets) return true;
    return AnyTestReads(rules, [check](Field read) { return CheckBehind(read) == check; });
}

}  // namespace kalvora::rules
