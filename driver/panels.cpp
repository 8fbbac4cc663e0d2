#include "driver/panels.h"

#include <cmath>

#include "astro/calendar.h"
#include "astro/tables.h"
#include "driver/season.h"
#include "planets/reckoner.h"
#include "muhurtha/names.h"

namespace kalvora {

std::string PanelDateText(int month, int day, int year) {
    return std::string(MonthName(month)) + " " + std::to_string(day) + " " + std::to_string(year) + " MM:DD:YYYY";
}

std::string PanelTimeText(int hour, int minute) {
    return std::to_string(hour) + " " + std::to_string(minute) + " HH:MM";
}

std::string PanelPlaceText(const PlaceText& place) {
    return place.city + " " + place.state + " " + place.country;
}

std::array<PlanetRow, BodyNames.size()> PlanetRows(const Sky& sky) {
    std::array<PlanetRow, BodyNames.size()> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BodyPosition& p = sky.bodies[i];
        rows[i] = {BodyNames[i].name, SignNames[static_cast<std::size_t>(p.signIndex)].name,
                   DegreesInSign(p.longitudeDeg), NakshatraNames[static_cast<std::size_t>(p.nakshatraIndex)].name,
                   p.retrograde};
    }
    return rows;
}

std::string PlanetRowText(const PlanetRow& row) {
    // The widest body name is "Mercury", the widest sign "Vrischika".
    const auto padded = [](std::string_view text, std::size_t width) {
        std::string out(text);
        if (out.size() < width) out.append(width - out.size(), ' ');
        return out;
    };
    std::string text = padded(row.body, 8) + padded(row.sign, 10) + row.degrees + "  " + std::string(row.nakshatra);
    if (row.retrograde) text += " R";
    return text;
}

std::array<std::string, PanelRowCount> PanelValues(const std::string& name, const MomentInput& moment,
                                                   const PlaceText& place, const MomentDetails& details) {
    std::array<std::string, PanelRowCount> values;
    values[0] = name;
    values[1] = PanelDateText(moment.month, moment.day, moment.year);
    values[2] = PanelTimeText(moment.hour, moment.minute);
    values[3] = PanelPlaceText(place);
    for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) {
        values[static_cast<std::size_t>(4 + slot)] = details.Slot(slot);
    }
    return values;
}

std::string ShortClockText(ClockMinute minute, const LocalDate& reference) {
    std::string clock = ClockText(MinuteOfDay(minute));
    const LocalDate date = DateOfClockMinute(minute);
    if (date == reference) return clock;
    return std::to_string(date.day) + " " + std::string(MonthName(date.month).substr(0, 3)) + " " + clock;
}

std::string UntilText(const LimbSpan& span, ClockMinute moment) {
    return "until " + ShortClockText(span.end, DateOfClockMinute(moment));
}

std::array<std::string, PanelRowCount> PanelUntilTexts(const std::array<LimbSpan, LimbCount>& limbs,
                                                       const MomentInput& moment) {
    std::array<std::string, PanelRowCount> texts;
    const ClockMinute minute = ClockMinuteOf(moment);
    for (std::size_t i = 0; i < LimbCount; ++i) texts[LimbPanelRows[i]] = UntilText(limbs[i], minute);
    return texts;
}

std::vector<std::pair<InauspiciousPeriod, TimeSpan>> AvoidedSpans(const DayPeriods& periods) {
    std::vector<std::pair<InauspiciousPeriod, TimeSpan>> spans = {
        {InauspiciousPeriod::RahuKalam, periods.rahuKalam},
        {InauspiciousPeriod::Yamaganda, periods.yamaganda},
        {InauspiciousPeriod::Gulika, periods.gulika},
    };
    for (const TimeSpan& span : periods.durmuhurtas) spans.emplace_back(InauspiciousPeriod::Durmuhurta, span);
    return spans;
}

namespace {

// "06:58": the clock minute of a moment of the day, without its date.
std::string DayClock(double jdUt, const DayView& day) {
    return ClockText(MinuteOfDay(ClockMinuteHolding(jdUt, day.place.zoneOffsetSeconds)));
}

std::string DaySpanText(const TimeSpan& span, const DayView& day) {
    return DayClock(span.startJdUt, day) + " \u2013 " + DayClock(span.endJdUt, day);
}

std::string SunTime(const std::optional<double>& jdUt, const DayView& day) {
    if (!jdUt) return "none";
    return ShortClockText(ClockMinuteHolding(*jdUt, day.place.zoneOffsetSeconds), day.sun.date);
}

std::string WeekdayText(int weekday) { return std::string(WeekdayNames[static_cast<std::size_t>(weekday - 1)]); }

// Why a day has no periods: the Sun stays up, or stays down.
std::string SunNote(const SunDay& sun) {
    std::string note;
    if (sun.course == SunCourse::MidnightSun) {
        note = "The Sun does not set on this day at this place.";
    } else if (sun.sunriseJdUt) {
        note = "The Sun does not rise again after it sets on this day at this place.";
    } else {
        note = "The Sun does not rise on this day at this place.";
    }
    return note + " The day is shown from midnight to midnight, without its periods.";
}

// Where the chosen minute stands within the day's periods.
std::string ChosenText(const DayView& day, const MomentInput& chosen, bool& avoided) {
    avoided = false;
    if (!day.periods || !day.sun.sunriseJdUt) return "";
    const std::string opening = "The chosen time " + ClockText(chosen.hour, chosen.minute);
    const double jdUt = JdUtOfClockMinute(ClockMinuteOf(chosen), chosen.zone);
    if (jdUt < *day.sun.sunriseJdUt) {
        return opening + " comes before this day's sunrise (" + DayClock(*day.sun.sunriseJdUt, day) +
               ") and belongs to the day before.";
    }
    std::string found;
    for (const auto& [period, span] : AvoidedSpans(*day.periods)) {
        if (!span.Contains(jdUt)) continue;
        if (!found.empty()) found += " and ";
        found += std::string(NameOf(period)) + " (" + DaySpanText(span, day) + ")";
    }
    avoided = !found.empty();
    if (avoided) return opening + " falls in " + found + ".";
    return opening + " falls in none of Rahu kalam, Yamaganda, Gulika and the Durmuhurtas.";
}

}  // namespace

DayPanelTexts DayPanelTextsOf(const DayView& day, const MomentInput& chosen) {
    DayPanelTexts texts;
    const LocalDate& date = day.sun.date;
    texts.title = WeekdayText(day.sun.weekday) + ", " + std::to_string(date.day) + " " +
                  std::string(MonthName(date.month)) + " " + std::to_string(date.year);
    texts.span = day.sun.sunriseJdUt && day.sun.nextSunriseJdUt
                     ? "From sunrise to the next sunrise, at the place of the muhurtha"
                     : "From midnight to midnight, at the place of the muhurtha";
    if (!day.periods) texts.sunNote = SunNote(day.sun);
    texts.chosen = ChosenText(day, chosen, texts.chosenAvoided);
    texts.sun = {{"Sunrise", SunTime(day.sun.sunriseJdUt, day)},
                 {"Sunset", SunTime(day.sun.sunsetJdUt, day)},
                 {"Next sunrise", SunTime(day.sun.nextSunriseJdUt, day)},
                 {"Weekday", WeekdayText(day.sun.weekday)}};
    const ClockMinute chosenMinute = ClockMinuteOf(chosen);
    const double chosenJdUt = JdUtOfClockMinute(chosenMinute, chosen.zone);
    for (std::size_t i = 0; i < LimbCount; ++i) {
        for (const LimbSpan& span : day.limbs[i]) {
            texts.limbs.push_back({std::string(span.value.name), std::string(LimbHeadings[i]),
                                   ShortClockText(span.start, date), ShortClockText(span.end, date), false,
                                   span.start <= chosenMinute && chosenMinute < span.end});
        }
    }
    // The table's spans may begin on the day before or end days later (Panchaka), so their dates are shown.
    const auto minuteText = [&](double jdUt) {
        return ShortClockText(ClockMinuteHolding(jdUt, day.place.zoneOffsetSeconds), date);
    };
    for (const LagnaPart& part : day.table.lagnas) {
        texts.lagnas.push_back({std::string(part.name), "", minuteText(part.span.startJdUt),
                                minuteText(part.span.endJdUt), false, part.span.Contains(chosenJdUt)});
    }
    for (const auto& [heading, spans] :
         {std::pair{"Varjyam", &day.table.varjyam}, std::pair{"Amrit kalam", &day.table.amritKalam},
          std::pair{"Bhadra", &day.table.bhadra}, std::pair{"Panchaka", &day.table.panchaka}}) {
        if (spans->empty()) texts.marked.push_back({heading, "none", false});
        for (const TimeSpan& span : *spans) {
            texts.marked.push_back({heading, minuteText(span.startJdUt) + " \u2013 " + minuteText(span.endJdUt),
                                    span.Contains(chosenJdUt)});
        }
    }
    if (!day.periods) return texts;
    const DayPeriods& p = *day.periods;
    // Rahu kalam, Yamaganda and Gulika, then Abhijit, then the Durmuhurtas.
    const auto avoided = AvoidedSpans(p);
    for (const bool durmuhurtas : {false, true}) {
        if (durmuhurtas) {
            texts.periods.push_back({"Abhijit", p.abhijit ? DaySpanText(*p.abhijit, day) : "none on Wednesday",
                                     p.abhijit && p.abhijit->Contains(chosenJdUt)});
        }
        for (const auto& [period, span] : avoided) {
            if ((period == InauspiciousPeriod::Durmuhurta) != durmuhurtas) continue;
            texts.periods.push_back({std::string(NameOf(period)), DaySpanText(span, day), span.Contains(chosenJdUt)});
        }
    }
    for (const ChoghadiyaPart& part : p.choghadiyas) {
        texts.choghadiyas.push_back({std::string(RowOf(part.choghadiya).name), part.good ? "good" : "bad",
                                     DayClock(part.span.startJdUt, day), DayClock(part.span.endJdUt, day), part.good,
                                     part.span.Contains(chosenJdUt)});
    }
    for (const HoraPart& part : p.horas) {
        texts.horas.push_back({std::string(NameOf(part.lord).name), "", DayClock(part.span.startJdUt, day),
                               DayClock(part.span.endJdUt, day), false, part.span.Contains(chosenJdUt)});
    }
    return texts;
}

std::string DayDescriptionOf(const DayPanelTexts& texts) {
    std::string text = texts.title + ". " + texts.span + ".";
    if (!texts.sunNote.empty()) text += " " + texts.sunNote;
    const auto lines = [&](const std::vector<DayLine>& from) {
        for (const DayLine& line : from) text += " " + line.heading + ": " + line.text + ".";
    };
    // A row's kind is its detail (the limb) unless named; a choghadiya's detail is its quality.
    const auto rows = [&](const std::vector<DayRow>& from, std::string_view kind) {
        for (const DayRow& row : from) {
            const bool choghadiya = kind == "Choghadiya";
            text += " " + (kind.empty() ? row.detail : std::string(kind)) + " " + row.name + ", " + row.start + " to " +
                    row.end + (choghadiya ? ", " + row.detail + "." : ".");
        }
    };
    lines(texts.sun);
    lines(texts.periods);
    rows(texts.limbs, "");
    rows(texts.lagnas, "Lagna");
    lines(texts.marked);
    rows(texts.choghadiyas, "Choghadiya");
    return text;
}

SeasonTexts SeasonTextsOf(const DaySeason& season) {
    const SeasonAt& at = season.atSunrise;
    SeasonTexts texts;
    texts.months = LunarMonthText(at.month) + " (amanta), " +
                   std::string(names::LunarMonths[static_cast<std::size_t>(at.purnimantaNameIndex)]) + " (purnimanta)";
    texts.years = "Vikram " + std::to_string(at.samvat.vikram) + ", Shaka " + std::to_string(at.samvat.shaka) + ", " +
                  std::string(SamvatsaraNames[static_cast<std::size_t>(at.samvat.samvatsaraIndex)]);
    for (const VetoMinutes& v : season.vetoes) {
        texts.vetoes.push_back({std::string(RowOf(v.veto).name), std::string(RowOf(v.veto).what), v.start, v.end});
        if (v.veto == Veto::GuruAsta || v.veto == Veto::ShukraAsta) texts.note = CombustionNote;
    }
    return texts;
}

std::string AyanamsaText(Reckoning reckoning, double jdUt) {
    if (IsOwnReckoning(reckoning)) return {};
    const long seconds = std::lround(Reckoner(reckoning).AyanamsaDeg(jdUt) * 3600.0);
    return std::string(WordOf(reckoning.ayanamsa, AyanamsaWords).name) + ", " + std::to_string(seconds / 3600) + "\u00b0" +
           std::to_string(seconds / 60 % 60) + "'" + std::to_string(seconds % 60) + "\"";
}

}  // namespace kalvora
