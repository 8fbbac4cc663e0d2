// Running a rule set: the facts of the muhurtha, the factors in index order, the rating and the result text.

#include <string>
#include <tuple>

#include "muhurtha/checks.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/rule_set.h"

namespace kalvora {
namespace rules {

bool Holds(const Test& test, const Facts& facts) {
    if (test.field == Field::Always) return true;
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

// Report code of a verdict word: 1 for the unfavourable words, 2 for every other.
std::int16_t CodeOf(Word word) { return IsUnfavourable(word) ? 1 : 2; }

void WriteCode(VerdictCodes& codes, YogaFlags& flags, Code code, Word word) {
    const std::int16_t value = CodeOf(word);
    switch (code) {
        case Code::None: return;
        case Code::Tara: codes.tara = value; return;
        case Code::Moon: codes.moon = value; return;
        case Code::Nakshatra: codes.nakshatra = value; return;
        case Code::Tithi: codes.tithi = value; return;
        case Code::Weekday: codes.weekday = value; return;
        case Code::Rashi: codes.rashi = value; return;
        case Code::Karana: codes.karana = value; return;
        case Code::Yoga: codes.yoga = value; return;
        case Code::Siddha: codes.siddha = value; return;
        case Code::Sarvartha: codes.sarvartha = value; return;
        case Code::Tripushkar: codes.tripushkar = value; return;
        case Code::Amrita: codes.amrita = value; return;
        case Code::LunarMonth: codes.lunarMonth = value; return;
        case Code::Lagna: codes.lagna = value; return;
        case Code::Dvipushkar: codes.dvipushkar = value; return;
        case Code::Saraswati: codes.saraswati = value; return;
        // The journey flags tell the report only of inauspicious yogas shown as unfavourable.
        case Code::MrityuFlag: if (IsUnfavourable(word)) flags.mrityu = 1; return;
        case Code::DagdhaFlag: if (IsUnfavourable(word)) flags.dagdha = 1; return;
        case Code::YamaghataFlag: if (IsUnfavourable(word)) flags.yamaghata = 1; return;
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
    WriteCode(codes, flags, factor.code, outcome.word);
}

void Tally::Rewrite(std::size_t index, const Factor& factor, const Outcome& outcome) {
    FactorVerdict& verdict = factors.at(index);
    verdict.heading = HeadingOf(factor, outcome);
    verdict.points = outcome.points;
    verdict.written = true;
    WriteCode(codes, flags, factor.code, outcome.word);
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
    found.lunarMonth = LunarMonthCheck(MonthName(in.muhurthaMonth), in.muhurthaDay);
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
    name(Field::LunarMonth, found.lunarMonth.value_or(""));
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

bool InAgeWindow(rules::AgeWindow window, const ChildAge& age, const EvaluationInput& in) {
    switch (window) {
        case rules::AgeWindow::None: return false;
        case rules::AgeWindow::Naming: return (age.days >= 10 && age.days <= 12) || age.days == 16;
        case rules::AgeWindow::EarPiercing:
            return age.days == 10 || age.days == 12 || age.days == 16 || (age.months >= 6 && age.months <= 8) ||
                   age.years % 2 != 0;
        case rules::AgeWindow::ThreadCeremony: return age.years == 5 || age.years == 8 || age.years > 20;
        case rules::AgeWindow::EducationStart: return in.muhurtha.nakshatra == "Ashwini";
    }
    return false;
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
    text += "Muhurtha: " + e.rating.word;
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

MuhurthaRating RateMuhurtha(int count, int threshold) {
    if (count == threshold) return {"Average", 3};
    if (count < threshold) return {"Bad", 1};
    return {"Good", 2};
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
    rules::Tally tally;
    if (InAgeWindow(rules.ageWindow, age, input)) {
        // A child in the ceremony's age window: one favourable factor stands for the whole muhurtha.
        tally.factors.push_back({"Favourable", rules.windowPoints, true, true});
        tally.count = 1;
        e.rating = {"Good", 2};
    } else {
        const Findings found = Find(input, age);
        tally.factors.resize(rules.factors.size());
        for (std::size_t i = 0; i < rules.factors.size(); ++i) {
            const rules::Factor& factor = rules.factors[i];
            if (rules::Holds(factor.guard, found.facts)) tally.Record(i, factor, rules::Decide(factor, found.facts));
        }
        if (rules.revise != nullptr) rules.revise(tally, found.facts);
        e.rating = RateMuhurtha(tally.count, rules.threshold);

        // What the checks the rule set ran leave for the report.
        if (rules::Reads(rules, Field::AmritaSiddhiYoga)) e.amritaNote = found.amrita.note;
        if (rules::Reads(rules, Field::LunarMonth)) e.lunarMonth = found.lunarMonth.value_or("");
        const bool placed = rules.listsTenthHousePlanets || rules::Reads(rules, Field::BirthRashiOnTableLagna) ||
                            rules::Reads(rules, Field::JupiterInLagna) || rules::Reads(rules, Field::JupiterInNinth);
        if (placed) e.tenthHousePlanets = found.placement.tenthHousePlanets;
    }

    e.factors = std::move(tally.factors);
    e.count = tally.count;
    e.codes = tally.codes;
    e.flags = tally.flags;
    for (const FactorVerdict& verdict : e.factors) {
        e.totalScore = static_cast<std::int16_t>(e.totalScore + verdict.points);
    }
    e.resultText = ResultText(e, rules);
    return e;
}

}  // namespace kalvora
