#include "app/gui/pages/input_checks.h"

#include <array>

#include "astro/calendar.h"

namespace kalvora {

std::optional<std::string_view> CheckDate(int year, int monthPosition, int dayPosition) {
    const int month = monthPosition + 1;
    if (month < 1 || month > 12 || dayPosition + 1 <= DaysInMonth(year, month)) return std::nullopt;
    return month == 2 ? MsgFebruaryDate : MsgThirtyDayMonth;  // the other short months have 30 days
}

std::optional<CoordinateProblem> CheckCoordinateRanges(int degreeLat, int minuteLat, int degreeLong, int minuteLong) {
    struct Axis {
        int degrees, minutes, maxDegrees;
        CoordinateBox degreeBox, minuteBox;
        std::string_view degreeMessage, minuteMessage, extremeMessage;
    };
    const std::array<Axis, 2> axes = {{
        {degreeLat, minuteLat, 90, CoordinateBox::DegreeLat, CoordinateBox::MinuteLat, MsgDegreeLatRange,
         MsgMinuteLatRange, MsgPoleMinutes},
        {degreeLong, minuteLong, 180, CoordinateBox::DegreeLong, CoordinateBox::MinuteLong, MsgDegreeLongRange,
         MsgMinuteLongRange, MsgDateLineMinutes},
    }};
    for (const Axis& a : axes) {
        if (a.degrees < 0 || a.degrees > a.maxDegrees) return CoordinateProblem{a.degreeBox, a.degreeMessage};
        if (a.minutes < 0 || a.minutes > 59) return CoordinateProblem{a.minuteBox, a.minuteMessage};
        if (a.degrees == a.maxDegrees && a.minutes != 0) return CoordinateProblem{a.minuteBox, a.extremeMessage};
    }
    return std::nullopt;
}

}  // namespace kalvora
