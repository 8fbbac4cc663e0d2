// Running a rule set: the facts of the muhurtha, the factors in index order, the rating and the result text.

#include <string>
#include <tuple>

#include "muhurtha/checks.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/rule_set.h"

namespace kalvora {
namespace rules {

bool Holds(const Test& test, const Facts& facts) {
    if (test.field == Field::Always) return !test.negated;
    return names::InMask(test.mask, facts[test.field]) != test.negated;
}

const Outcome& Decide(const Factor& factor, const Facts& facts) {
    for (const Case& c : factor.Cases()) {
        if (Holds(c.first, facts) && Holds(c.second, facts)) return c.outcome;
    }
    return factor.Cases().back().outcome;  // the fall-back holds always; never reached
}

namespace {

std::string HeadingOf(const Factor& factor, const Outcome& outcome) {
    if (!outcome.heading.empty()) return std::string(outcome.heading);
    return std::string(factor.label) + " - " + std::string(WordText(outcome.word));
}

// Writes the report code of the factor's kind: 1 for the unfavourable words, 2 for every other. A journey flag
// tells the report only of an inauspicious yoga shown as unfavourable.
void WriteCode(FactorCodes& codes, const Factor& factor, Word word) {
    if (!factor.kind) return;
    const bool unfavourable = IsUnfavourable(word);
    if (!NameOf(*factor.kind).journeyFlag) {
        codes[*factor.kind] = unfavourable ? UnfavourableCode : FavourableCode;
    } else if (unfavourable) {
        codes[*factor.kind] = UnfavourableCode;
    }
}

}  // namespace

void Tally::Record(std::size_t index, const Factor& factor, const Outcome& outcome) {
    FactorVerdict& verdict = factors.at(index);
    verdict.heading = HeadingOf(factor, outcome);
    verdict.points = outcome.points;
    verdict.counted = outcome.counted;
    verdict.written = true;
    if (outcome.counted) ++count;
    WriteCode(codes, factor, outcome.word);
}

void Tally::Rewrite(std::size_t index, const Factor& factor, const Outcome& outcome) {
    FactorVerdict& verdict = factors.at(index);
    verdict.heading = HeadingOf(factor, outcome);
    verdict.points = outcome.points;
    verdict.written = true;
    WriteCode(codes, factor, outcome.word);
}

}  // namespace rules

namespace {

using rules::Field;

constexpr std::string_view LineBreak = "\r\n";

bool MuhurthaBeforeBirth(const EvaluationInput& in) {
    return std::tie(in.muhurthaYear, in.muhurthaMonth, in.muhurthaDay) <
           std::tie(in.birthYear, in.birthMonth, in.birthDay);
}

// What the shared checks found for the muhurtha, and the facts the factors test.
struct Findings {
    rules::Facts facts;
    AmritaSiddhi amrita;
    std::optional<std::string> lunarMonth;
    PlanetPlacement placement;
};

Findings Find(const EvaluationInput& in, const ChildAge& age) {
    Findings found;
    found.amrita = AmritaSiddhiYogaCheck(in.muhurtha.nakshatra, in.muhurtha.vaar);
    found.lunarMonth = in.trueLunarMonth ? std::optional(in.trueLunarMonth->name)
                                         : LunarMonthCheck(MonthName(in.muhurthaMonth), in.muhurthaDay);
    found.placement = PlanetPlacementCheck(in.muhurthaMonth, in.muhurthaDay, in.muhurthaHour, in.muhurthaMinute,
                                           in.planetTexts);

    rules::Facts& f = found.facts;
    const auto name = [&f](Field field, std::string_view value) {
        f[field] = names::IndexOf(rules::Vocabulary(field), value);
    };
    name(Field::Nakshatra, in.muhurtha.nakshatra);
    name(Field::Rashi, in.muhurtha.rashi);
    name(Field::Lagna, in.muhurtha.lagna);
    name(Field::Weekday, in.weekdayBox);
    name(Field::TithiName, in.tithiRuleName);
    name(Field::TithiClass, in.tithiClass);
    name(Field::Paksha, in.paksha);
    name(Field::Yoga, in.muhurtha.yoga);
    name(Field::Karana, in.muhurtha.karana);
    // The leap month names no month to the factors: no list of good months holds, so the factor is never
    // Favourable in it.
    const bool leapMonth = in.trueLunarMonth && in.trueLunarMonth->adhika;
    name(Field::LunarMonth, leapMonth ? "" : found.lunarMonth.value_or(""));
    name(Field::Sex, in.sex);
    name(Field::Tara, VerdictText(in.tara));
    name(Field::Moon, VerdictText(in.moon));

    f[Field::TithiNumber] = in.tithiNumber;
    f[Field::LagnaCount] = LagnaHouseCount(in.birth.lagna, in.muhurtha.lagna);
    f[Field::MonthsOld] = age.months;

    const std::string_view table = found.placement.lagnaName;
    f[Field::SameNakshatraAsBirth] = in.muhurtha.nakshatra == in.birth.nakshatra;
    // Siddha and Sarvartha Siddha read the weekday box; the other yogas the computed weekday.
    f[Field::SiddhaYoga] = SiddhaYogaCheck(in.tithiClass, in.weekdayBox);
    f[Field::SarvarthaSiddhaYoga] = SarvarthaSiddhaYogaCheck(in.muhurtha.nakshatra, in.weekdayBox);
    f[Field::AmritaSiddhiYoga] = found.amrita.present;
    f[Field::DvipushkarYoga] = DvipushkarYogaCheck(in.muhurtha.nakshatra, in.tithiRuleName, in.muhurtha.vaar);
    f[Field::TripushkarYoga] = TripushkarYogaCheck(in.muhurtha.nakshatra, in.tithiRuleName, in.muhurtha.vaar);
    f[Field::MrityuYoga] = MrityuYogaCheck(in.tithiRuleName, in.muhurtha.vaar);
    f[Field::DagdhaYoga] = DagdhaYogaCheck(in.muhurtha.nakshatra, in.muhurtha.vaar);
    f[Field::YamaghataYoga] = YamaghataYogaCheck(in.muhurtha.nakshatra, in.muhurtha.vaar);
    f[Field::BirthRashiOnTableLagna] = in.birth.rashi == table && in.birth.lagna != table;
    f[Field::JupiterInLagna] = found.placement.jupiterInLagna;
    f[Field::JupiterInNinth] =
        JupiterNinthCheck(in.planetTexts[names::JupiterSlot], found.placement.lagnaPosition);
    f[Field::LagnaIsBirthRashi] = in.muhurtha.lagna == in.birth.rashi;
    f[Field::LagnaIsBirthLagna] = in.muhurtha.lagna == in.birth.lagna;
    return found;
}

std::int32_t AgeIn(rules::AgeUnit unit, const ChildAge& age) {
    switch (unit) {
        case rules::AgeUnit::Days: return age.days;
        case rules::AgeUnit::Months: return age.months;
        case rules::AgeUnit::Years: return age.years;
    }
    return 0;
}

bool InAgeWindow(const rules::AgeWindow& window, const ChildAge& age, const rules::Facts& facts) {
    for (const rules::AgeSpan& span : window.spans) {
        const std::int32_t value = AgeIn(span.unit, age);
        if (value >= span.first && value <= span.last) return true;
    }
    return (window.oddYears && age.years % 2 != 0) || rules::Holds(window.muhurtha, facts);
}

void AppendFactorLine(std::string& text, const FactorVerdict& verdict) {
    text += verdict.heading;
    text += " - ";
    text += std::to_string(verdict.points);
    text += " Point";
    text += LineBreak;
    text += LineBreak;
}

std::string ResultText(const Evaluation& e, const rules::RuleSet& rules) {
    std::string text;
    for (const FactorVerdict& verdict : e.factors) {
        if (verdict.written) AppendFactorLine(text, verdict);
    }
    if (rules.showsAmritaNote) {
        text += e.amritaNote;
        text += LineBreak;
        text += LineBreak;
    }
    text += "Total Score - " + std::to_string(e.totalScore) + " Points";
    text += LineBreak;
    text += LineBreak;
    text += "Muhurtha: ";
    text += RatingWord(e.rating);
    if (rules.listsTenthHousePlanets) {
        text += LineBreak;
        text += LineBreak;
        text += "Planet in the 10th House from the position of Asc ";
        text += LineBreak;
        for (const std::string& planet : e.tenthHousePlanets) {
            text += planet;
            text += LineBreak;
        }
        text += LineBreak;
    }
    return text;
}

}  // namespace

Rating RateMuhurtha(int count, int threshold) {
    if (count == threshold) return Rating::Average;
    if (count < threshold) return Rating::Bad;
    return Rating::Good;
}

RuleSetShape ShapeOf(MuhurthaSubject subject) {
    const rules::RuleSet& rules = rules::RuleSetOf(subject);
    return {static_cast<std::int16_t>(rules.factors.size()), rules.threshold};
}

std::optional<Evaluation> EvaluateMuhurtha(const EvaluationInput& input) {
    const std::optional<MuhurthaSubject> subject = FindSubject(input.subject);
    if (!subject) return std::nullopt;
    const rules::RuleSet& rules = rules::RuleSetOf(*subject);

    Evaluation e;
    e.subject = *subject;
    e.threshold = rules.threshold;
    if (MuhurthaBeforeBirth(input)) {
        e.stopped = true;
        e.message = DateOrderMessage;
        return e;
    }

    const ChildAge age = AgeAt(input.birthYear, input.birthMonth, input.birthDay, input.muhurthaYear,
                               input.muhurthaMonth, input.muhurthaDay);
    const Findings found = Find(input, age);
    rules::Tally tally;
    if (rules.ageWindow && InAgeWindow(*rules.ageWindow, age, found.facts)) {
        // A child in the ceremony's age window: one favourable factor stands for the whole muhurtha.
        tally.factors.push_back({"Favourable", rules.ageWindow->points, true, true});
        tally.count = 1;
        e.rating = Rating::Good;
    } else {
        tally.factors.resize(rules.factors.size());
        for (std::size_t i = 0; i < rules.factors.size(); ++i) {
            const rules::Factor& factor = rules.factors[i];
            if (rules::Holds(factor.guard, found.facts)) tally.Record(i, factor, rules::Decide(factor, found.facts));
        }
        if (rules.revise != nullptr) rules.revise(tally, found.facts);
        e.rating = RateMuhurtha(tally.count, rules.threshold);

        // What the checks the rule set ran leave for the report.
        if (rules::Runs(rules, rules::Check::AmritaSiddhi)) e.amritaNote = found.amrita.note;
        if (rules::Runs(rules, rules::Check::LunarMonth)) e.lunarMonth = found.lunarMonth.value_or("");
        if (rules::Runs(rules, rules::Check::PlanetPlacement)) e.tenthHousePlanets = found.placement.tenthHousePlanets;
    }

    e.factors = std::move(tally.factors);
    e.count = tally.count;
    e.codes = tally.codes;
    for (const FactorVerdict& verdict : e.factors) {
        e.totalScore = static_cast<std::int16_t>(e.totalScore + verdict.points);
    }
    e.resultText = ResultText(e, rules);
    return e;
}

}  // namespace kalvora
