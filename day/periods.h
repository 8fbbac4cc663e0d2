#pragma once
// The periods of the day, pure functions of its sunrise, sunset, next sunrise and weekday: Rahu kalam, Yamaganda
// and Gulika (an eighth of the daytime each), Abhijit and the Durmuhurtas (muhurtas, fifteenths of the daytime or
// the night), the sixteen choghadiyas and the twenty-four horas.

#include <array>
#include <optional>
#include <vector>

#include "day/period_tables.h"
#include "day/sun_day.h"

namespace kalvora {

// A span of time from start (included) to end (excluded), Julian days of universal time.
struct TimeSpan {
    double startJdUt = 0.0;
    double endJdUt = 0.0;
    bool Contains(double jdUt) const { return startJdUt <= jdUt && jdUt < endJdUt; }
    bool operator==(const TimeSpan&) const = default;
};

// What the periods are computed from: one whole day from sunrise to the next sunrise.
struct DayFrame {
    double sunriseJdUt = 0.0;
    double sunsetJdUt = 0.0;
    double nextSunriseJdUt = 0.0;
    int weekday = 1;  // 1 = Sunday .. 7 = Saturday, the weekday the day belongs to
    bool operator==(const DayFrame&) const = default;
};

struct ChoghadiyaPart {
    Choghadiya choghadiya = Choghadiya::Udveg;
    bool good = false;
    TimeSpan span;
    bool operator==(const ChoghadiyaPart&) const = default;
};

struct HoraPart {
    Body lord = Body::Sun;
    TimeSpan span;
    bool operator==(const HoraPart&) const = default;
};

// The periods a search can leave out.
struct AvoidablePeriods {
    TimeSpan rahuKalam;
    TimeSpan yamaganda;
    TimeSpan gulika;
    std::vector<TimeSpan> durmuhurtas;  // in time order; adjacent muhurtas joined into one span
    bool operator==(const AvoidablePeriods&) const = default;
};

struct DayPeriods {
    TimeSpan rahuKalam;
    TimeSpan yamaganda;
    TimeSpan gulika;
    std::optional<TimeSpan> abhijit;          // none on Wednesday
    std::vector<TimeSpan> durmuhurtas;        // in time order; adjacent muhurtas joined into one span
    std::array<ChoghadiyaPart, 16> choghadiyas{};  // 8 of the daytime from sunrise, then 8 of the night from sunset
    std::array<HoraPart, 24> horas{};         // 12 of the daytime from sunrise, then 12 of the night from sunset
    bool operator==(const DayPeriods&) const = default;
};

// The frame of a day whose Sun rose, set and rose again; nothing for a polar day or night.
std::optional<DayFrame> FrameOf(const SunDay& day);

// The part (1-based) of count equal parts of a span.
TimeSpan PartOf(double startJdUt, double endJdUt, int count, int part);

DayPeriods PeriodsOfDay(const DayFrame& frame);

// Whether a weekday's avoidable periods reach into the night, so that the next sunrise places one of them: only a
// weekday with a Durmuhurta of the night.
bool AvoidablePeriodsReachTheNight(int weekday);

// A day's avoidable periods, as PeriodsOfDay gives them, from its sunrise and sunset and, where they reach into the
// night, its next sunrise (not read otherwise); nothing when that is needed and not given.
std::optional<AvoidablePeriods> AvoidablePeriodsOf(double sunriseJdUt, double sunsetJdUt,
                                                   std::optional<double> nextSunriseJdUt, int weekday);

// The avoided periods (Rahu kalam, Yamaganda, Gulika, a Durmuhurta) that hold a moment, in that order.
std::vector<InauspiciousPeriod> InauspiciousPeriodsAt(const DayPeriods& periods, double jdUt);

}  // namespace kalvora
