// The day around a muhurtha: the day library gives sunrise, sunset and the periods; the limbs come from the
// engines minute by minute (driver/limbs.h).

#include "driver/day_view.h"

#include "driver/day_table.h"
#include "driver/season.h"

namespace kalvora {

DayPlace DayPlaceOf(const TypedPlace& place, const TypedZone& zone) {
    DayPlace day;
    day.latitudeDeg = SignedLatitude(place);
    day.longitudeDeg = SignedLongitude(place);
    day.zoneOffsetSeconds = ZoneOffsetSeconds(zone);
    return day;
}

DayView ComputeDayView(const TypedPlace& place, const TypedZone& zone, LocalDate date, const Conventions& conventions) {
    const SunriseDefinition definition = conventions.sunrise;
    const Reckoning reckoning = ReckoningOf(conventions);
    DayView view;
    view.conventions = conventions;
    view.place = DayPlaceOf(place, zone);
    view.sun = ComputeSunDay(date, view.place, definition);
    if (const auto frame = FrameOf(view.sun)) view.periods = PeriodsOfDay(*frame);

    // A limb shows at a whole minute the value it has at that minute's start, and holds it until the minute of
    // the next value: the values current at some moment from sunrise to the next sunrise are those shown at the
    // minutes from the one holding the sunrise to the one holding the next sunrise, both included. The value shown
    // at the next sunrise's minute is so listed both as this day's last and as the next day's first.
    ClockMinute first = ClockMinuteOf(date, 0);
    ClockMinute last = ClockMinuteOf(date, MinutesPerDay - 1);
    if (view.sun.sunriseJdUt && view.sun.nextSunriseJdUt) {
        first = ClockMinuteHolding(*view.sun.sunriseJdUt, view.place.zoneOffsetSeconds);
        last = ClockMinuteHolding(*view.sun.nextSunriseJdUt, view.place.zoneOffsetSeconds);
    }
    for (std::size_t i = 0; i < LimbCount; ++i) {
        view.limbs[i] = LimbSpansBetween(Limbs[i], place, zone, first, last, reckoning);
    }
    view.table = ComputeDayTable(place, zone, view);
    return view;
}

CalculationTimes ComputeCalculationTimes(const CalculationInput& input) {
    CalculationTimes times;
    const Reckoning reckoning = ReckoningOf(input.conventions);
    times.birthLimbs = LimbsAt(input.birth, reckoning);
    times.muhurthaLimbs = LimbsAt(input.muhurtha, reckoning);
    times.muhurthaDay =
        ComputeDayView(input.muhurtha.place, input.muhurtha.zone, DateOf(input.muhurtha), input.conventions);

    // One calendar for the day's season and the chosen minute. The day's vetoes are those in force at some minute
    // from the one holding its sunrise (or its midnight); a minute before that is looked up on its own, since a veto
    // may end between it and the sunrise.
    const ClockMinute chosen = ClockMinuteOf(input.muhurtha);
    const DayView& day = times.muhurthaDay;
    const int offset = day.place.zoneOffsetSeconds;
    const double chosenJdUt = JdUtOfClockMinute(chosen, offset);
    const LunarCalendar calendar(chosenJdUt - 1.0, chosenJdUt + 2.0, reckoning);
    times.muhurthaSeason = SeasonOfDay(day, &calendar);
    const std::optional<MuhurthaSubject> subject = FindSubject(input.subject);
    if (!subject) return times;
    const bool inDay = !day.sun.sunriseJdUt || !day.sun.nextSunriseJdUt ||
                       chosen >= ClockMinuteHolding(*day.sun.sunriseJdUt, offset);
    DaySeason beforeSunrise;
    if (!inDay) {
        for (const VetoSpan& span : calendar.VetoSpans(chosenJdUt, chosenJdUt + 1.0 / MinutesPerDay)) {
            beforeSunrise.vetoes.push_back(VetoMinutesOf(span, offset));
        }
    }
    times.seasonVetoes = VetoesAtMinute(inDay ? times.muhurthaSeason : beforeSunrise, chosen, *subject);
    times.seasonWarning = SeasonWarning(times.seasonVetoes, *subject);
    return times;
}

}  // namespace kalvora
