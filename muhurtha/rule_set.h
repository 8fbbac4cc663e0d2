#pragma once
// How a rule set is written down. A rule set is an ordered list of factors; a factor has a label, the factor kind
// whose report code it writes and an ordered list of cases, each a test (or two that must both hold) and the
// outcome it gives. The first case that holds decides; the last case is the fall-back. Tests read the facts of the
// muhurtha: names (nakshatra, weekday, tithi ...), numbers (tithi number, lagna count ...) and the results of the
// shared checks.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "muhurtha/evaluation.h"
#include "muhurtha/names.h"

namespace kalvora::rules {

// What a test reads. Names are looked up in their table; numbers are taken as they are; facts are true or false.
enum class Field : std::uint8_t {
    Always,  // the fall-back: holds whatever the muhurtha
    // names
    Nakshatra,   // muhurtha nakshatra
    Rashi,       // muhurtha Moon sign
    Lagna,       // muhurtha lagna
    Weekday,     // the muhurtha page's weekday box
    TithiName,   // rule form of the tithi name
    TithiClass,
    Paksha,
    Yoga,
    Karana,
    LunarMonth,  // result of the lunar-month check
    Sex,
    Tara,        // Tara verdict word
    Moon,        // Moon verdict word
    // numbers (tests cover 0..31)
    TithiNumber,
    LagnaCount,  // result of the lagna house count
    MonthsOld,   // the child's age in months
    // facts
    SameNakshatraAsBirth,
    SiddhaYoga,
    SarvarthaSiddhaYoga,
    AmritaSiddhiYoga,
    DvipushkarYoga,
    TripushkarYoga,
    MrityuYoga,
    DagdhaYoga,
    YamaghataYoga,
    BirthRashiOnTableLagna,  // birth Moon sign is the table lagna and the birth lagna is not
    JupiterInLagna,
    JupiterInNinth,
    LagnaIsBirthRashi,  // muhurtha lagna equals the birth Moon sign
    LagnaIsBirthLagna,  // muhurtha lagna equals the birth lagna
};
inline constexpr std::size_t FieldCount = static_cast<std::size_t>(Field::LagnaIsBirthLagna) + 1;

constexpr bool IsNumberField(Field f) { return f >= Field::TithiNumber && f <= Field::MonthsOld; }
constexpr bool IsFactField(Field f) { return f >= Field::SameNakshatraAsBirth; }

inline constexpr auto TaraWords = std::to_array<std::string_view>({"Unfavourable", "Favourable", "Very Favourable"});
static_assert(TaraWords.size() == 3);
inline constexpr auto MoonWords = std::to_array<std::string_view>({"Unfavourable", "Favourable"});
static_assert(MoonWords.size() == 2);

// The table a name field is looked up in.
constexpr std::span<const std::string_view> Vocabulary(Field f) {
    switch (f) {
        case Field::Nakshatra: return names::Nakshatras;
        case Field::Rashi:
        case Field::Lagna: return names::Signs;
        case Field::Weekday: return names::Weekdays;
        case Field::TithiName: return names::TithiRuleNames;
        case Field::TithiClass: return names::TithiClasses;
        case Field::Paksha: return names::Pakshas;
        case Field::Yoga: return names::Yogas;
        case Field::Karana: return names::Karanas;
        case Field::LunarMonth: return names::LunarMonths;
        case Field::Sex: return names::Sexes;
        case Field::Tara: return TaraWords;
        case Field::Moon: return MoonWords;
        default: return {};
    }
}

struct Test {
    Field field = Field::Always;
    names::Mask mask = 0;  // the values (name indexes, numbers, or 1 for a true fact) for which the test holds
    bool negated = false;
};

inline constexpr Test Otherwise{};

// The name field is one of the names.
constexpr Test In(Field f, std::initializer_list<std::string_view> members) {
    if (Vocabulary(f).empty()) throw "not a name field";
    return {f, names::MaskOf(Vocabulary(f), members)};
}
constexpr Test Is(Field f, std::string_view name) { return In(f, {name}); }

// The number field is one of the numbers.
constexpr Test In(Field f, std::initializer_list<int> members) {
    if (!IsNumberField(f)) throw "not a number field";
    names::Mask mask = 0;
    for (int n : members) {
        if (n < 0 || n >= 32) throw "number out of range";
        mask |= names::Mask{1} << n;
    }
    return {f, mask};
}

// The fact holds.
constexpr Test Is(Field fact) {
    if (!IsFactField(fact)) throw "not a fact";
    return {fact, names::Mask{1} << 1};
}

constexpr Test Not(Test t) {
    t.negated = !t.negated;
    return t;
}

// Holds for no muhurtha.
inline constexpr Test Never = Not(Otherwise);

// Verdict words of the headings.
enum class Word : std::uint8_t {
    Favourable, VeryFavourable, LeastFavourable, Neutral, Unfavourable, Unavourable, Uafvourable, Absent,
};
constexpr std::string_view WordText(Word w) {
    switch (w) {
        case Word::Favourable: return "Favourable";
        case Word::VeryFavourable: return "Very Favourable";
        case Word::LeastFavourable: return "Least Favourable";
        case Word::Neutral: return "Neutral";
        case Word::Unfavourable: return "Unfavourable";
        // "Unavourable" and "Uafvourable" are the program's established texts, as shown and reported: do not correct.
        case Word::Unavourable: return "Unavourable";
        case Word::Uafvourable: return "Uafvourable";
        case Word::Absent: return "Absent";
    }
    return "";
}
// The words that give report code 1; every other word gives 2.
constexpr bool IsUnfavourable(Word w) {
    return w == Word::Unfavourable || w == Word::Unavourable || w == Word::Uafvourable;
}

struct Outcome {
    Word word = Word::Neutral;
    std::int16_t points = 0;
    bool counted = true;
    std::string_view heading{};  // the whole heading, when it is not the factor's label, " - " and the word
};

// The three common outcomes.
inline constexpr Outcome Fav{Word::Favourable, 1, true};
inline constexpr Outcome Neu{Word::Neutral, 0, true};
inline constexpr Outcome Unf{Word::Unfavourable, -1, false};

struct Case {
    Test first{};
    Test second{};
    Outcome outcome{};

    constexpr Case() = default;
    constexpr Case(Test test, Outcome result) : first(test), outcome(result) {}
    constexpr Case(Test test, Test andTest, Outcome result) : first(test), second(andTest), outcome(result) {}
};

// A factor that writes no report code.
inline constexpr std::optional<FactorKind> Unreported = std::nullopt;

struct Factor {
    static constexpr std::size_t MaxCases = 6;

    std::optional<FactorKind> kind{};  // the kind whose report code (or journey flag) the factor writes
    std::string_view label;
    std::array<Case, MaxCases> cases{};
    std::size_t caseCount = 0;
    Test guard{};  // the factor is evaluated only when this holds; otherwise it stays unwritten

    constexpr Factor() = default;
    constexpr Factor(std::optional<FactorKind> writes, std::string_view factorLabel, std::initializer_list<Case> list)
        : kind(writes), label(factorLabel) {
        if (list.size() == 0 || list.size() > MaxCases) throw "too many cases";
        for (const Case& c : list) cases[caseCount++] = c;
        const Case& last = cases[caseCount - 1];
        if (last.first.field != Field::Always || last.second.field != Field::Always) {
            throw "a factor ends with its fall-back";
        }
    }

    constexpr std::span<const Case> Cases() const { return {cases.data(), caseCount}; }
};

// The factor, evaluated only when the guard holds.
constexpr Factor OnlyWhen(Test guard, Factor factor) {
    factor.guard = guard;
    return factor;
}

// The facts of one muhurtha, one value per field: a name's table index (-1 when not in the table), a number,
// or 1/0 for a fact.
struct Facts {
    std::array<int, FieldCount> values{};
    int operator[](Field f) const { return values[static_cast<std::size_t>(f)]; }
    int& operator[](Field f) { return values[static_cast<std::size_t>(f)]; }
};

bool Holds(const Test& test, const Facts& facts);

// The outcome of the first case that holds.
const Outcome& Decide(const Factor& factor, const Facts& facts);

// The factor lines, count, codes and flags of an evaluation as the factors are recorded.
struct Tally {
    std::vector<FactorVerdict> factors;
    std::int16_t count = 0;
    FactorCodes codes;

    // Writes the outcome at index, adds it to the count when counted, and writes the factor's code.
    void Record(std::size_t index, const Factor& factor, const Outcome& outcome);
    // Replaces the heading and points at index and writes the code; the count keeps the earlier outcome's share.
    void Rewrite(std::size_t index, const Factor& factor, const Outcome& outcome);
};

// The position of the first factor of the kind in the list; refused at compile time when none has it.
constexpr std::size_t PositionOf(std::span<const Factor> factors, FactorKind kind) {
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (factors[i].kind == kind) return i;
    }
    throw "no factor of that kind";
}

// A span of a child's age counted in one unit, first to last inclusive.
enum class AgeUnit : std::uint8_t { Days, Months, Years };
struct AgeSpan {
    AgeUnit unit = AgeUnit::Days;
    std::int32_t first = 1, last = 0;  // the default span holds no age
};
inline constexpr std::int32_t AnyOlder = std::numeric_limits<std::int32_t>::max();

// The age window of a child ceremony: when it holds, the single factor "Favourable" worth the window's points
// stands for the whole muhurtha. It holds when the age lies in one of the spans, when the year difference is odd
// and oddYears is set, or when the muhurtha test holds.
struct AgeWindow {
    static constexpr std::size_t MaxSpans = 4;

    std::array<AgeSpan, MaxSpans> spans{};
    bool oddYears = false;
    Test muhurtha = Never;
    std::int16_t points = 0;
};

// The shared checks that leave something for the report besides the factor values: the Amrita note, the lunar
// month and the tenth-house planets.
enum class Check : std::uint8_t { AmritaSiddhi, LunarMonth, PlanetPlacement };

// The check whose finding a field reads, for the fields behind one of those checks.
constexpr std::optional<Check> CheckBehind(Field f) {
    switch (f) {
        case Field::AmritaSiddhiYoga: return Check::AmritaSiddhi;
        case Field::LunarMonth: return Check::LunarMonth;
        case Field::BirthRashiOnTableLagna:
        case Field::JupiterInLagna:
        case Field::JupiterInNinth: return Check::PlanetPlacement;
        default: return std::nullopt;
    }
}

struct RuleSet {
    MuhurthaSubject subject = MuhurthaSubject::Naming;
    std::int16_t threshold = 0;
    std::span<const Factor> factors;
    std::optional<AgeWindow> ageWindow{};
    bool showsAmritaNote = false;         // the Amrita note follows the last factor line
    bool listsTenthHousePlanets = false;  // runs the planet check and lists the tenth-house planets at the end
    void (*revise)(Tally&, const Facts&) = nullptr;  // a second look at factors already recorded
};

// The rule set of a subject.
const RuleSet& RuleSetOf(MuhurthaSubject subject);

// Whether any factor of the rule set reads the field.
bool Reads(const RuleSet& rules, Field field);

// Whether the rule set runs the check: a factor reads a field behind it, or (for the planet check) the rule set
// lists the tenth-house planets.
bool Runs(const RuleSet& rules, Check check);

}  // namespace kalvora::rules
