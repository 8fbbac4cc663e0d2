#include "app/gui/input_checks.h"

#include <array>

namespace kalvora {

namespace {

constexpr int February = 1;
constexpr std::array<int, 4> ThirtyDayMonths = {3, 5, 8, 10};  // April, June, September, November

}  // namespace

std::optional<std::string_view> CheckDate(int year, int monthPosition, int dayPosition) {
    if (monthPosition == February) {
        const int lastDayPosition = (year % 4 == 0) ? 28 : 27;
        if (dayPosition > lastDayPosition) return MsgFebruaryDate;
    }
    for (int m : ThirtyDayMonths) {
        if (monthPosition == m && dayPosition == 30) return MsgThirtyDayMonth;
    }
    return std::nullopt;
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
