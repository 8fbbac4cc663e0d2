// The headless calculation: each moment through the ascendant, the Moon and the almanac, birth first,
// then the two comparisons and the rule set of the chosen undertaking.

#include "driver/calculation.h"

#include <utility>

#include "astro/ephemeris.h"

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

Sky SkyOf(const MomentTime& time, const ChartPositions& chart) {
    return ComputeSky(JulianDayUt(time), chart.moonLongitude);
}

MomentResult ComputeMoment(const MomentInput& input, PlanetsMode planets) {
    MomentResult r;
    r.time = ConvertMoment(input);
    // The order of the engines is fixed: ascendant, Moon, then the almanac on the converted moment's clock.
    LagnaFromTime(r.time, r.chart);
    MoonFromTime(r.time, r.chart);
    r.panchanga = ComputePanchanga(r.time.clock);
    r.details = DetailsOf(r.chart, r.panchanga);
    if (planets == PlanetsMode::Sky) r.sky = SkyOf(r.time, r.chart);
    return r;
}

EvaluationInput MakeEvaluationInput(const CalculationInput& input, const MomentResult& birth,
                                    const MomentResult& muhurtha) {
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
    e.weekdayBox = input.muhurthaWeekdayBox;
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
    return e;
}

Calculation Calculate(const CalculationInput& input) {
    return CalculateAt(input, ComputeMoment(input.muhurtha, input.planets));
}

Calculation CalculateAt(const CalculationInput& input, MomentResult muhurtha) {
    Calculation c;
    c.birth = ComputeMoment(input.birth, input.planets);
    c.muhurtha = std::move(muhurtha);
    c.evaluationInput = MakeEvaluationInput(input, c.birth, c.muhurtha);
    c.tara = c.evaluationInput.tara;
    c.moon = c.evaluationInput.moon;
    c.evaluation = EvaluateMuhurtha(c.evaluationInput);
    return c;
}

}  // namespace kalvora
