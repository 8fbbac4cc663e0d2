// The appendix is composed here, in the program's words, so that the builder only lays out labels and values.

#include "appendix/calculation_appendix.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "astro/conventions.h"
#include "astro/tables.h"
#include "day/period_tables.h"
#include "driver/panels.h"
#include "planets/sky.h"
#include "report/appendix_texts.h"
#include "report/report_builder.h"

namespace kalvora {
namespace {

using T = AppendixText;

std::string Text(AppendixText key) { return std::string(TextOf(key)); }

// Rows whose value is empty are left out: the appendix never shows a label without its value.
class PartWriter {
public:
    explicit PartWriter(AppendixText heading) { part_.heading = Text(heading); }

    void Add(AppendixText label, std::string value) { Add(Text(label), std::move(value)); }
    void Add(std::string label, std::string value) {
        if (!value.empty()) part_.rows.push_back({std::move(label), std::move(value)});
    }
    // A row of a table or a sentence: the value alone.
    void Line(std::string value) { Add(std::string(), std::move(value)); }

    // The part, if it has any row.
    void AppendTo(ReportAppendix& appendix) {
        if (!part_.rows.empty()) appendix.parts.push_back(std::move(part_));
    }

private:
    AppendixPart part_;
};

// "December 11, 2026".
std::string LongDateText(LocalDate date) { return ReportDateText(date.day, date.month, date.year); }

std::string WeekdayText(int weekday) { return std::string(WeekdayNames[static_cast<std::size_t>(weekday - 1)]); }

// The names of one moment, with the minute each limb ends beside it.
void AddMoment(ReportAppendix& appendix, AppendixText heading, const MomentInput& moment,
               const MomentResult& result, const std::array<LimbSpan, LimbCount>& limbs) {
    const LocalDate day = DateOf(moment);
    const auto until = [&](const std::string& name, Limb limb) {
        if (name.empty()) return name;
        const LimbSpan& span = limbs[static_cast<std::size_t>(limb)];
        return name + " " + Text(T::Until) + " " + ClockMinuteOnDay(span.end, day);
    };
    const MomentDetails& d = result.details;
    PartWriter part(heading);
    part.Add(T::Lagna, d.lagna);
    part.Add(T::Rashi, d.rashi);
    part.Add(T::RashiLord, d.rashiLord);
    part.Add(T::Nakshatra, until(d.nakshatra, Limb::Nakshatra));
    part.Add(T::NakshatraLord, d.nakshatraLord);
    part.Add(T::Weekday, d.vaar);
    part.Add(T::Paksha, std::string(result.panchanga.paksha));
    part.Add(T::Tithi, until(d.tithi, Limb::Tithi));
    part.Add(T::Yoga, until(d.yoga, Limb::Yoga));
    part.Add(T::Karana, until(d.karana, Limb::Karana));
    part.AppendTo(appendix);
}

void AddPlanets(ReportAppendix& appendix, AppendixText heading, const MomentResult& result) {
    if (!result.sky) return;
    PartWriter part(heading);
    for (const PlanetRow& row : PlanetRows(*result.sky)) part.Line(PlanetRowText(row));
    part.AppendTo(appendix);
}

// Points right-aligned in a column three characters wide, so that "-1" stands under " 1".
std::string PointsText(int points) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d", points);
    return text;
}

// Under the amanta or purnimanta convention, the true month the "Hindu Lunar Month" factor read, and why a leap
// month is never Favourable.
void AddLunarMonthRead(PartWriter& part, LunarMonthRule rule, const TrueLunarMonth& month) {
    std::string read = month.adhika ? "Adhika " + month.name : month.name;
    part.Add(T::LunarMonthRead, read + " (" + std::string(WordOf(rule, LunarMonthWords).word) + ")");
    if (month.adhika) part.Line(Text(T::LeapMonthNeverFavourable));
}

void AddFactors(ReportAppendix& appendix, const CalculationInput& input, const Calculation& calculation) {
    const auto& evaluation = calculation.evaluation;
    if (!evaluation || evaluation->stopped) return;
    PartWriter part(T::Factors);
    const std::optional<TrueLunarMonth>& trueMonth = calculation.evaluationInput.trueLunarMonth;
    for (const FactorVerdict& factor : evaluation->factors) {
        if (!factor.written) continue;
        part.Add(factor.heading, PointsText(factor.points));
        if (trueMonth && factor.heading.starts_with(LunarMonthFactorLabel)) {
            AddLunarMonthRead(part, input.conventions.lunarMonth, *trueMonth);
        }
    }
    part.Add(T::TotalScore, PointsText(evaluation->totalScore));
    part.Add(T::Muhurtha, std::string(RatingWord(evaluation->rating)));
    part.AppendTo(appendix);
}

void AddDay(ReportAppendix& appendix, const CalculationInput& input, const DayView& day) {
    const int offset = day.place.zoneOffsetSeconds;
    const LocalDate date = day.sun.date;
    const auto clock = [&](double jdUt) { return ClockMinuteOnDay(ClockMinuteOfRoundedSecond(jdUt, offset), date); };
    const auto span = [&](const TimeSpan& s) {
        return clock(s.startJdUt) + " " + Text(T::To) + " " + clock(s.endJdUt);
    };

    PartWriter part(T::Day);
    part.Add(T::Date, LongDateText(date) + " (" + WeekdayText(day.sun.weekday) + ")");
    if (day.sun.sunriseJdUt) part.Add(T::Sunrise, clock(*day.sun.sunriseJdUt));
    if (day.sun.sunsetJdUt) part.Add(T::Sunset, clock(*day.sun.sunsetJdUt));
    if (day.sun.nextSunriseJdUt) part.Add(T::NextSunrise, clock(*day.sun.nextSunriseJdUt));
    if (!day.periods) {
        part.Line(Text(day.sun.course == SunCourse::MidnightSun ? T::SunDoesNotSet : T::SunDoesNotRise));
        part.AppendTo(appendix);
        return;
    }
    const DayPeriods& p = *day.periods;
    part.Add(std::string(NameOf(InauspiciousPeriod::RahuKalam)), span(p.rahuKalam));
    part.Add(std::string(NameOf(InauspiciousPeriod::Yamaganda)), span(p.yamaganda));
    part.Add(std::string(NameOf(InauspiciousPeriod::Gulika)), span(p.gulika));
    part.Add(T::Abhijit, p.abhijit ? span(*p.abhijit) : Text(T::NoAbhijitOnWednesday));
    for (const TimeSpan& s : p.durmuhurtas) part.Add(std::string(NameOf(InauspiciousPeriod::Durmuhurta)), span(s));

    // Whether the chosen minute falls in one of the periods a beginning avoids.
    const MomentInput& m = input.muhurtha;
    const double chosenJdUt = JdUtOfClockMinute(ClockMinuteOf(m), m.zone);
    std::string periods;
    for (const InauspiciousPeriod period : InauspiciousPeriodsAt(p, chosenJdUt)) {
        periods += (periods.empty() ? "" : ", ") + std::string(NameOf(period));
    }
    part.Add(T::ChosenTime, ClockText(m.hour, m.minute) + ", " +
                                (periods.empty() ? Text(T::NoAvoidedPeriod) : Text(T::In) + " " + periods));
    part.AppendTo(appendix);
}

// The day's lunar month and samvat years, the vetoes in force during it with their whole spans, the warning for
// the undertaking at the chosen minute, and how combustion is dated where a combustion span is listed.
void AddSeason(ReportAppendix& appendix, const CalculationTimes& times) {
    const SeasonTexts texts = SeasonTextsOf(times.muhurthaSeason);
    const auto minute = [](ClockMinute m) { return LongDateText(DateOfClockMinute(m)) + " " + ClockText(MinuteOfDay(m)); };
    PartWriter part(T::Season);
    part.Add(T::LunarMonth, texts.months);
    part.Add(T::Samvat, texts.years);
    for (const SeasonTexts::VetoLine& v : texts.vetoes) {
        part.Add(v.name, minute(v.start) + " " + Text(T::To) + " " + minute(v.end));
    }
    if (texts.vetoes.empty()) part.Line(Text(T::NoVeto));
    part.Add(T::ForTheUndertaking, times.seasonWarning);
    part.Line(texts.note);
    part.AppendTo(appendix);
}

// Each sign of the ascendant during the day, then Varjyam, Amrit kalam, Bhadra and Panchaka (or "none"), each span
// whole with its date where it is not the day's.
void AddDayTable(ReportAppendix& appendix, const DayView& day) {
    const int offset = day.place.zoneOffsetSeconds;
    const auto clock = [&](double jdUt) {
        return ClockMinuteOnDay(ClockMinuteOfRoundedSecond(jdUt, offset), day.sun.date);
    };
    const auto span = [&](const TimeSpan& s) { return clock(s.startJdUt) + " " + Text(T::To) + " " + clock(s.endJdUt); };
    PartWriter part(T::DayTable);
    for (const LagnaPart& lagna : day.table.lagnas) part.Add(T::Lagna, std::string(lagna.name) + ", " + span(lagna.span));
    for (const auto& [label, spans] :
         {std::pair{T::Varjyam, &day.table.varjyam}, std::pair{T::AmritKalam, &day.table.amritKalam},
          std::pair{T::Bhadra, &day.table.bhadra}, std::pair{T::Panchaka, &day.table.panchaka}}) {
        if (spans->empty()) part.Add(label, Text(T::None));
        for (const TimeSpan& s : *spans) part.Add(label, span(s));
    }
    part.AppendTo(appendix);
}

struct WhenAndWhereLabels {
    AppendixText date, time, place;
};

// A moment's date and time as typed, its place, coordinates and zone.
void AddWhenAndWhere(PartWriter& part, const WhenAndWhereLabels& labels, const MomentInput& moment,
                     const MomentOrigin& origin, std::string place) {
    part.Add(labels.date, LongDateText(DateOf(moment)));
    part.Add(labels.time, ClockText(moment.hour, moment.minute));
    part.Add(labels.place, std::move(place));
    part.Add(T::Coordinates, CoordinatesText(moment.place));
    part.Add(T::Zone, MomentZoneText(moment.zone, origin));
}

// A convention named by its name for people, where it is not the program's default.
template <auto Member, std::size_t N>
void AddWhenChosen(PartWriter& part, T text, const Conventions& conventions,
                   const std::array<ConventionWord, N>& words) {
    if (conventions.*Member != Conventions{}.*Member) {
        part.Add(text, std::string(WordOf(conventions.*Member, words).name));
    }
}

}  // namespace

std::string ClockMinuteOnDay(ClockMinute minute, LocalDate day) {
    std::string text = ClockText(MinuteOfDay(minute));
    const LocalDate date = DateOfClockMinute(minute);
    if (date != day) text += " " + Text(T::On) + " " + LongDateText(date);
    return text;
}

std::string UtcOffsetText(int offsetSeconds) { return "UTC" + OffsetText(offsetSeconds); }

std::string MomentZoneText(const TypedZone& zone, const MomentOrigin& origin) {
    const int offset = ZoneOffsetSeconds(zone);
    if (origin.zone && origin.zone->id) {
        std::string text = *origin.zone->id;
        if (!origin.zone->abbreviation.empty()) text += " (" + origin.zone->abbreviation + ")";
        text += ", " + UtcOffsetText(offset);
        if (zone.isDst) text += ", " + Text(T::DaylightSaving);
        return text;
    }
    if (!zone.isDst) return UtcOffsetText(offset) + " " + Text(T::AsTyped);
    return UtcOffsetText(offset - 3600) + " " + Text(T::AsTyped) + ", " + Text(T::DaylightSaving) + ": " +
           Text(T::ClockAt) + " " + UtcOffsetText(offset);
}

namespace {

std::string JoinedNames(std::initializer_list<const std::string*> names) {
    std::string text;
    for (const std::string* name : names) {
        if (!name->empty()) text += (text.empty() ? "" : ", ") + *name;
    }
    return text;
}

// A page's City, State and Country boxes as the atlas place is written, the empty ones left out.
std::string BoxesPlaceText(const PlaceText& boxes) { return JoinedNames({&boxes.city, &boxes.state, &boxes.country}); }

}  // namespace

std::string MomentPlaceText(const MomentOrigin& origin) {
    if (!origin.place) return "";
    return JoinedNames({&origin.place->name, &origin.place->state, &origin.place->country});
}

ReportAppendix MakeReportAppendix(const CalculationInput& input, const Calculation& calculation,
                                  const CalculationTimes& times, const PlaceText& muhurthaPlaceBoxes) {
    ReportAppendix appendix;

    const MomentInput& b = input.birth;
    PartWriter whom(T::ForWhom);
    whom.Add(T::Name, input.personName);
    whom.Add(T::Sex, input.personSex);
    AddWhenAndWhere(whom, {T::BirthDate, T::BirthTime, T::BirthPlace}, b, input.birthOrigin,
                    MomentPlaceText(input.birthOrigin));
    whom.AppendTo(appendix);

    const MomentInput& m = input.muhurtha;
    PartWriter chosen(T::ChosenMuhurtha);
    chosen.Add(T::Undertaking, input.subject);
    std::string place = MomentPlaceText(input.muhurthaOrigin);
    if (place.empty()) place = BoxesPlaceText(muhurthaPlaceBoxes);
    AddWhenAndWhere(chosen, {T::Date, T::Time, T::Place}, m, input.muhurthaOrigin, std::move(place));
    // Another ayanamsa than the program's own Lahiri, or one from the precise ephemeris, is named with its value at
    // the muhurtha.
    if (const std::string ayanamsa = AyanamsaText(ReckoningOf(input.conventions), JulianDayUt(calculation.muhurtha.time));
        !ayanamsa.empty()) {
        chosen.Add(T::Ayanamsa, ayanamsa);
    }
    // So are the other conventions where they are not the program's defaults, by their names for people.
    AddWhenChosen<&Conventions::weekday>(chosen, T::Weekday, input.conventions, WeekdayWords);
    AddWhenChosen<&Conventions::sunrise>(chosen, T::Sunrise, input.conventions, SunriseWords);
    AddWhenChosen<&Conventions::ephemeris>(chosen, T::Ephemeris, input.conventions, EphemerisWords);
    chosen.AppendTo(appendix);

    AddMoment(appendix, T::BirthMoment, b, calculation.birth, times.birthLimbs);
    AddMoment(appendix, T::MuhurthaMoment, m, calculation.muhurtha, times.muhurthaLimbs);
    AddPlanets(appendix, T::BirthPlanets, calculation.birth);
    AddPlanets(appendix, T::MuhurthaPlanets, calculation.muhurtha);
    AddFactors(appendix, input, calculation);
    AddDay(appendix, input, times.muhurthaDay);
    AddSeason(appendix, times);
    AddDayTable(appendix, times.muhurthaDay);
    return appendix;
}

ReportInput MakePeopleReportInput(const PeopleCalculation& people) {
    const Calculation& first = people.First();
    ReportInput report = MakeReportInput(*first.evaluation, first.evaluationInput);
    for (const PersonResult& person : people.people) {
        if (!person.calculation.evaluation) continue;
        report.people.push_back(MakeReportPerson(person.name, person.role, *person.calculation.evaluation, person.bala));
    }
    report.combined = people.combined;
    return report;
}

}  // namespace kalvora
