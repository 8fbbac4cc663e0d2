// The headless calculation: each moment through the ascendant, the Moon and the almanac, birth first,
// then the two comparisons and the rule set of the chosen undertaking.

#include "driver/calculation.h"

#include <utility>

#include "astro/ephemeris.h"
#include "driver/almanac_weekday.h"
#include "planets/reckoner.h"
#include "muhurtha/names.h"
#include "season/season.h"

namespace kalvora {

MomentDetails DetailsOf(const ChartPositions& chart, const PanchangaInfo& panchanga) {
    MomentDetails d;
    d.rashi = chart.rashi;
    d.rashiLord = chart.rashiLord;
    d.nakshatra = chart.nakshatra;
    d.nakshatraLord = chart.nakshatraLord;
    d.lagna = chart.lagnaSign;
    d.tithi = panchanga.tithiName;
    d.yoga = panchanga.yogaName;
    d.karana = panchanga.karanaName;
    d.vaar = panchanga.weekdayName;
    return d;
}

ZoneOfMoment ZoneOfTyped(const TypedZone& zone) {
    return {std::nullopt, "", ZoneOffsetSeconds(zone), zone.isDst};
}

Sky SkyOf(const MomentTime& time, const ChartPositions& chart, Ayanamsa ayanamsa) {
    return ComputeSky(JulianDayUt(time), chart.moonLongitude, ayanamsa);
}

MomentResult ComputeMoment(const MomentInput& input, PlanetsMode planets, const Conventions& conventions) {
    MomentResult r;
    r.time = ConvertMoment(input);
    // The conventions' ayanamsa and ephemeris place the Sun, the Moon and the ascendant. The order of the engines
    // is fixed: ascendant, Moon, then the almanac on the converted moment's clock.
    Reckoner reckoner(ReckoningOf(conventions));
    reckoner.Lagna(r.time, r.chart);
    reckoner.Moon(r.time, r.chart);
    r.panchanga = reckoner.Almanac(r.time);
    if (conventions.weekday == WeekdayRule::Sunrise) {
        const LocalDate date = DateOf(input);
        const std::optional<int> sunrise = SunriseMinuteOfDate(date, input.place, input.zone, conventions.sunrise);
        SetAlmanacWeekday(r.panchanga, RuleWeekday(date, input.hour * MinutesPerHour + input.minute, sunrise,
                                                   WeekdayRule::Sunrise));
    }
    r.details = DetailsOf(r.chart, r.panchanga);
    if (planets == PlanetsMode::Sky) r.sky = SkyOf(r.time, r.chart, conventions.ayanamsa);
    return r;
}

std::optional<TrueLunarMonth> TrueLunarMonthAt(LunarMonthRule rule, const LunarCalendar& calendar, double jdUt,
                                               int tithiNumber) {
    if (rule == LunarMonthRule::Table) return std::nullopt;
    // The month is read half a day from the moment, towards the middle of its paksha, where no new or full moon
    // lies within reach: the month then turns exactly where the moment's tithi turns 30 to 1 (amanta) or 15 to 16
    // (purnimanta), whatever fraction of a second the calendar's new moon differs from the tithi's boundary.
    constexpr double HalfDay = 0.5;
    const bool shukla = tithiNumber <= 15;
    const LunarMonth amanta = calendar.AmantaAt(shukla ? jdUt + HalfDay : jdUt - HalfDay).first;
    int index = amanta.nameIndex;
    if (rule == LunarMonthRule::Purnimanta && !shukla) {
        // In the Krishna paksha the purnimanta month bears the next amanta month's name. Half a day towards the
        // paksha's middle lies well past the full moon (five degrees of elongation at the least).
        index = calendar.AmantaAt(tithiNumber <= 22 ? jdUt + HalfDay : jdUt - HalfDay).second.nameIndex;
    }
    // The leap month is the amanta month marked adhika, on either reckoning of the name.
    return TrueLunarMonth{std::string(names::LunarMonths[static_cast<std::size_t>(index)]), amanta.adhika};
}

EvaluationInput MakeEvaluationInput(const CalculationInput& input, const MomentResult& birth,
                                    const MomentResult& muhurtha, const LunarCalendar* calendar) {
    EvaluationInput e;
    e.subject = input.subject;
    e.tara = TaraBalaCheck(birth.details.nakshatra, muhurtha.details.nakshatra);
    e.moon = ChandraBalaCheck(birth.details.rashi, muhurtha.details.rashi);
    e.birth = birth.details;
    e.muhurtha = muhurtha.details;
    e.tithiNumber = muhurtha.panchanga.tithiNumber;
    e.tithiRuleName = muhurtha.panchanga.tithiRuleName;
    e.tithiClass = muhurtha.panchanga.tithiClass;
    e.paksha = muhurtha.panchanga.paksha;
    // With the weekday from sunrise, the rules that read the weekday box read the almanac's weekday too.
    e.weekdayBox = input.conventions.weekday == WeekdayRule::Sunrise ? std::string(muhurtha.panchanga.weekdayName)
                                                                      : input.muhurthaWeekdayBox;
    e.birthDay = input.birth.day;
    e.birthMonth = input.birth.month;
    e.birthYear = input.birth.year;
    e.muhurthaDay = input.muhurtha.day;
    e.muhurthaMonth = input.muhurtha.month;
    e.muhurthaYear = input.muhurtha.year;
    e.muhurthaHour = input.muhurtha.hour;
    e.muhurthaMinute = input.muhurtha.minute;
    e.sex = input.personSex;
    // The checks read the muhurtha's planets; without a sky their texts stay empty.
    if (muhurtha.sky) e.planetTexts = PlanetTexts(*muhurtha.sky);
    if (input.conventions.lunarMonth != LunarMonthRule::Table) {
        const double jdUt = JulianDayUt(muhurtha.time);
        const int tithi = muhurtha.panchanga.tithiNumber;
        if (calendar != nullptr) {
            e.trueLunarMonth = TrueLunarMonthAt(input.conventions.lunarMonth, *calendar, jdUt, tithi);
        } else {
            const LunarCalendar around(jdUt - 1.0, jdUt + 1.0, ReckoningOf(input.conventions));
            e.trueLunarMonth = TrueLunarMonthAt(input.conventions.lunarMonth, around, jdUt, tithi);
        }
    }
    return e;
}

Calculation Calculate(const CalculationInput& input) {
    return CalculateAt(input, ComputeMoment(input.muhurtha, input.planets, input.conventions));
}

Calculation CalculateAt(const CalculationInput& input, MomentResult muhurtha) {
    Calculation c;
    c.birth = ComputeMoment(input.birth, input.planets, input.conventions);
    c.muhurtha = std::move(muhurtha);
    c.evaluationInput = MakeEvaluationInput(input, c.birth, c.muhurtha);
    c.tara = c.evaluationInput.tara;
    c.moon = c.evaluationInput.moon;
    c.evaluation = EvaluateMuhurtha(c.evaluationInput);
    return c;
}

}  // namespace kalvora
