// The muhurtha finder: change minutes of the quantities the evaluation reads, one evaluation per stretch between
// them, windows joined where nothing shown changes, and the ranking of the windows found.

#include "finder/finder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <tuple>

#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "day/periods.h"
#include "driver/day_view.h"
#include "muhurtha/checks.h"
#include "muhurtha/rule_set.h"
#include "panchanga/panchanga.h"
#include "planets/sky.h"

namespace kalvora {

// --- Dates -----------------------------------------------------------------------------------------------------

namespace {

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

int DatesInSpan(LocalDate from, LocalDate to) {
    return static_cast<int>(std::max(0L, DayNumber(to) - DayNumber(from) + 1));
}

std::string DateProblem(LocalDate date) {
    if (!IsRealDate(date)) return DateText(date) + " is not a date of the calendar";
    if (date.year < FirstYear || date.year > LastYear) {
        return DateText(date) + " lies outside the years " + std::to_string(FirstYear) + " to " +
               std::to_string(LastYear);
    }
    return {};
}

std::string SpanProblem(LocalDate from, LocalDate to) {
    for (const LocalDate date : {from, to}) {
        if (std::string problem = DateProblem(date); !problem.empty()) return problem;
    }
    if (to < from) return "the last date " + DateText(to) + " comes before the first date " + DateText(from);
    // The same day of the month MaximumSpanYears later (29 February becomes 1 March) is the first date too far.
    const long limit = DayNumber({from.year + MaximumSpanYears, from.month, from.day});
    if (DayNumber(to) >= limit) {
        return "the span may cover at most " + std::to_string(MaximumSpanYears) + " years: from " + DateText(from) +
               " the last date may be " + DateText(DateOfDayNumber(limit - 1)) + " at the latest, got " +
               DateText(to);
    }
    return {};
}

std::string QueryProblem(const FinderQuery& query) {
    const std::string& subject = query.input.subject;
    if (!FindSubject(subject)) return "'" + subject + "' is not one of the undertakings";
    if (std::string problem = SpanProblem(query.from, query.to); !problem.empty()) return problem;
    for (const int minute : {query.between.firstMinute, query.between.lastMinute}) {
        if (minute < 0 || minute >= MinutesPerDay) {
            return "the minutes of the daily window must lie between 0 (00:00) and 1439 (23:59), got " +
                   std::to_string(minute);
        }
    }
    return {};
}

CalculationInput MinuteInput(const FinderQuery& query, LocalDate date, int minute) {
    CalculationInput in = query.input;
    in.muhurtha.year = Short(date.year);
    in.muhurtha.month = Short(date.month);
    in.muhurtha.day = Short(date.day);
    in.muhurtha.hour = Short(minute / 60);
    in.muhurtha.minute = Short(minute % 60);
    in.muhurthaWeekdayBox = WeekdayNames[static_cast<std::size_t>(WeekdayOf(date) - 1)];
    return in;
}

// --- Change minutes --------------------------------------------------------------------------------------------

namespace {

// Each quantity the evaluation reads is read through the engine routine the normal calculation uses, at whole
// minutes of the date. Its key (what the evaluation sees of it) only moves forward, so equal keys at two minutes
// mean no change in between; the search for the next change predicts it from one or two guide phases (angles in
// degrees that move forward, the key changing each time one passes a multiple of its period) and their rates,
// then closes in on the minute where the key differs from the minute before.
constexpr int MaxPhases = 2;

template <class Value>
struct Reading {
    int minute = 0;
    Value value;
    std::array<double, MaxPhases> phase{};
};

// How far an angle has moved forward from `from` to `to`, 0..<360 degrees.
double Forward(double from, double to) {
    const double d = std::fmod(to - from, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

// Degrees still to go from `phase` to the next multiple of `period`.
double ToNextMultiple(double phase, double period) { return period - (phase - period * std::floor(phase / period)); }

// The guide of one quantity: its phases' periods, their rates as last measured, and how far one probe may reach.
struct Guide {
    int phases = 0;
    std::array<double, MaxPhases> period{};
    std::array<double, MaxPhases> ratePerMinute{};
    int maxStep = 60;
    bool everyMinute = false;  // read every minute: the key may move back, so no minute can be skipped

    // Minutes until the next change as the phases' rates predict it.
    double Predict(const std::array<double, MaxPhases>& phase) const {
        double minutes = maxStep;
        for (int i = 0; i < phases; ++i) {
            const auto at = static_cast<std::size_t>(i);
            minutes = std::min(minutes, ToNextMultiple(phase[at], period[at]) / ratePerMinute[at]);
        }
        return minutes;
    }

    // Where, between a reading before the change and one after it, the first phase to pass a multiple does so
    // on a straight line through the two. A phase whose multiple seems not quite reached yet still counts: the
    // key may change a little before the guide's multiple (the yoga's), and the estimate then falls at the end.
    std::optional<double> Crossing(int loMinute, const std::array<double, MaxPhases>& lo, int hiMinute,
                                   const std::array<double, MaxPhases>& hi) const {
        std::optional<double> first;
        for (int i = 0; i < phases; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const double moved = Forward(lo[at], hi[at]);
            if (moved <= 0.0) continue;
            const double minute = loMinute + (hiMinute - loMinute) * ToNextMultiple(lo[at], period[at]) / moved;
            if (!first || minute < *first) first = minute;
        }
        return first;
    }

    void Learn(int loMinute, const std::array<double, MaxPhases>& lo, int minute,
               const std::array<double, MaxPhases>& at) {
        if (minute <= loMinute) return;
        for (int i = 0; i < phases; ++i) {
            const auto p = static_cast<std::size_t>(i);
            const double moved = Forward(lo[p], at[p]);
            if (moved > 0.0) ratePerMinute[p] = moved / (minute - loMinute);
        }
    }
};

// Guided probes into one bracket before it is halved instead.
constexpr int MaxGuidedProbes = 6;

int Clamp(double minute, int low, int high) {
    if (!(minute > low)) return low;  // also for a prediction that is not a number
    if (minute >= high) return high;
    return static_cast<int>(std::ceil(minute));
}

// The readings of one quantity at the start of a range of minutes and at each minute of the range where its key
// changes, in time order. Quantity provides Value, Read(minute) -> Reading<Value>, Same(a, b) and a Guide.
template <class Quantity>
void FindChanges(Quantity& quantity, int first, int last, std::vector<Reading<typename Quantity::Value>>& out) {
    using R = Reading<typename Quantity::Value>;
    Guide& guide = quantity.guide;
    out.clear();
    R lo = quantity.Read(first);
    out.push_back(lo);
    while (lo.minute < last) {
        std::optional<R> hi;  // the earliest reading known to differ from lo
        // Once the change is bracketed, probes go where the phases put it. When the guide misses on one side
        // twice running, each further probe reaches twice as far past its estimate, and after a few the bracket
        // is halved, so that a poor guide costs only a few probes more.
        int bracketProbes = 0;
        int reachBack = 1;  // a probe at or after the change: the next one lands at least this far before hi
        int reachOn = 1;    // a probe before the change: the next one lands at least this far after lo
        bool lastBefore = false;  // the last guided probe fell before the change
        bool lastAfter = false;   // ... at or after it
        const auto nextProbe = [&]() {
            const int low = lo.minute + 1;
            if (!hi) {
                if (guide.everyMinute) return low;
                return Clamp(lo.minute + guide.Predict(lo.phase), low, std::min(last, lo.minute + guide.maxStep));
            }
            const int high = hi->minute - 1;
            if (bracketProbes++ < MaxGuidedProbes) {
                if (const auto crossing = guide.Crossing(lo.minute, lo.phase, hi->minute, hi->phase)) {
                    const int guided = std::max(std::min(Clamp(*crossing, low, high), hi->minute - reachBack),
                                                lo.minute + reachOn);
                    return std::clamp(guided, low, high);
                }
            }
            return lo.minute + (hi->minute - lo.minute) / 2;
        };
        for (;;) {
            const bool bracketed = hi.has_value();
            R r = quantity.Read(nextProbe());
            guide.Learn(lo.minute, lo.phase, r.minute, r.phase);
            if (Quantity::Same(r.value, lo.value)) {
                lo = std::move(r);  // nothing changed up to here: the key only moves forward
                if (!hi && lo.minute == last) break;
                if (bracketed && lastBefore) reachOn *= 2;
                reachBack = 1;
                lastBefore = bracketed;
                lastAfter = false;
            } else {
                hi = std::move(r);
                if (bracketed && lastAfter) reachBack *= 2;
                reachOn = 1;
                lastAfter = bracketed;
                lastBefore = false;
            }
            if (hi && hi->minute == lo.minute + 1) break;
        }
        if (!hi) break;
        out.push_back(*hi);
        lo = std::move(*hi);
    }
}

void CopyZoneFields(const MomentInput& from, MomentInput& to) {
    to.zoneHours = from.zoneHours;
    to.zoneMinutes = from.zoneMinutes;
    to.zoneSeconds = from.zoneSeconds;
    to.zoneIsEast = from.zoneIsEast;
    to.isDst = from.isDst;
}

// One local date of the query: its minutes as typed moments, converted the way the calculation converts them.
class DateMoments {
public:
    explicit DateMoments(const MomentInput& place) : input_(place) {}
    void SetDate(LocalDate date) {
        input_.year = Short(date.year);
        input_.month = Short(date.month);
        input_.day = Short(date.day);
    }
    // Puts the moments on a clock: the zone fields of `zone`.
    void SetZone(const MomentInput& zone) { CopyZoneFields(zone, input_); }
    const MomentInput& At(int minute) {
        input_.hour = Short(minute / 60);
        input_.minute = Short(minute % 60);
        return input_;
    }
    MomentTime TimeAt(int minute) { return ConvertMoment(At(minute)); }

private:
    MomentInput input_;
};

// Mean daily motions, the first guesses of the rates before any are measured (degrees per minute).
constexpr double MoonRate = 13.18 / MinutesPerDay;
constexpr double ElongationRate = 12.19 / MinutesPerDay;
constexpr double SumRate = 14.17 / MinutesPerDay;  // Moon plus Sun, for the yoga
constexpr double AscendantRate = 360.0 / MinutesPerDay;
constexpr double NakshatraArc = 40.0 / 3.0;  // 13 deg 20'

// The Moon's nakshatra and sign.
struct MoonQuantity {
    using Value = ChartPositions;
    DateMoments& moments;
    Guide guide{2, {NakshatraArc, 30.0}, {MoonRate, MoonRate}, 720};

    Reading<Value> Read(int minute) {
        Reading<Value> r{minute, {}, {}};
        MoonFromTime(moments.TimeAt(minute), r.value);
        r.phase = {r.value.moonLongitude, r.value.moonLongitude};
        return r;
    }
    static bool Same(const Value& a, const Value& b) {
        return a.nakshatraIndex == b.nakshatraIndex && a.rashiIndex == b.rashiIndex;
    }
};

// Beyond this latitude (north or south) the ascendant turns back for part of the day, as the ecliptic no longer
// rises and sets whole (about 66.5 degrees, less a margin): there its sign is read at every minute.
constexpr double ForwardAscendantLatitude = 66.0;

// The ascendant's sign.
struct AscendantQuantity {
    using Value = ChartPositions;
    DateMoments& moments;
    Guide guide{1, {30.0, 0.0}, {AscendantRate, 0.0}, 120};

    Reading<Value> Read(int minute) {
        Reading<Value> r{minute, {}, {}};
        LagnaFromTime(moments.TimeAt(minute), r.value);
        r.phase = {r.value.lagnaLongitude, 0.0};
        return r;
    }
    static bool Same(const Value& a, const Value& b) { return a.lagnaSignIndex == b.lagnaSignIndex; }
};

// The almanac's tithi, yoga, karana and paksha (its weekday follows the date).
struct AlmanacQuantity {
    using Value = PanchangaInfo;
    DateMoments& moments;
    // Karanas change every 6 degrees of elongation (tithis every 12); yogas every 13 deg 20' of the sidereal sum
    // of Sun and Moon (the almanac's own yoga origin lies a hundredth of a degree off; the search allows for it).
    Guide guide{2, {6.0, NakshatraArc}, {ElongationRate, SumRate}, 720};

    Reading<Value> Read(int minute) {
        Reading<Value> r{minute, ComputePanchanga(moments.TimeAt(minute).clock), {}};
        const PanchangaInfo& p = r.value;
        r.phase = {ElongationDegrees(p.sunTropical, p.moonTropical),
                   ReduceDegrees(p.moonTropicalUnreduced + p.sunTropicalUnreduced + 2.0 * p.ayanamsaCorrection)};
        return r;
    }
    static bool Same(const Value& a, const Value& b) {
        return a.tithiIndex == b.tithiIndex && a.yogaIndex == b.yogaIndex && a.karanaIndex == b.karanaIndex &&
               a.paksha == b.paksha;
    }
};

// The signs of the Sun, Mercury, Venus, Mars, Jupiter and Saturn, which the planet texts carry to the planet
// check (the Moon's sign is the Moon quantity's). A planet can turn back into the sign it left, so forward motion
// is not assumed. Planets are read without their speeds, which halves the cost of a reading. Between two readings
// at most a date apart a planet moves less than a sign and turns at most once (two stations of one planet lie
// weeks apart), so:
// - readings in two signs: it crossed the boundary between them exactly once, and a search on whole minutes,
//   guided by a straight line through the longitudes to the boundary, finds the first minute of the new sign;
// - readings in one sign, farther from its boundaries than the planet could go and come back: no change;
// - readings in one sign closer to a boundary: the directions at both ends decide (speeds read there). One
//   direction means it moved one way only and stayed in the sign; two put a station in between, which is found
//   first (the first minute moving the other way) and splits the range into two one-way pieces.
// A planet farther from a sign boundary than its largest motion can carry it is not read again until then, and the
// reading that ends a range is the start of the next one when that begins the minute after.
constexpr auto SignPlanets = std::to_array<Body>({Body::Sun, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter,
                                                  Body::Saturn});

// Closer than this to a sign boundary, a reading without speed may put the planet on the other side of it than
// the calculation's reading does (they differ by about 1e-13 degrees): the planet is read in full there.
constexpr double BoundaryHairDeg = 1e-9;
// Guided probes in one sign-change search before the bracket is halved instead.
constexpr int MaxGuidedPlanetProbes = 4;

class PlanetQuantity {
public:
    explicit PlanetQuantity(DateMoments& moments) : moments_(moments) {
        quietUntilJd_.fill(-std::numeric_limits<double>::infinity());
    }

    // The readings at `first` and at each minute of first..last where a planet's sign changes, in time order.
    // Their skies hold each planet where its current sign was read: only the signs are meant to be used.
    void FindChanges(int first, int last, std::vector<Reading<Sky>>& out) {
        changes_.clear();
        Sky start = known_;
        const double firstJd = JdAt(first);
        const double lastJd = JdAt(last);
        for (std::size_t i = 0; i < SignPlanets.size(); ++i) {
            if (lastJd <= quietUntilJd_[i]) continue;  // no boundary within reach: the sign holds over the range
            const Body body = SignPlanets[i];
            const Placed hi = Read(body, last, lastJd);
            // The last reading, when it was taken the minute before `first`, stands in for a reading at `first`: a
            // change found at `first` then sets the starting sign. An older one in the same sign as `last`, too far
            // from the boundaries for the planet to have left the sign and come back since, shows no change at all.
            Placed lo = ended_[i];
            if (std::abs(firstJd - OneMinuteJd - lo.jdUt) < SameMomentJd) {
                lo.minute = first - 1;
                start.bodies[Index(body)] = lo.position;
                Changes(body, lo, hi);
            } else if (lo.jdUt < firstJd && lo.position.signIndex == hi.position.signIndex &&
                       !MayLeaveAndReturn(body, lo, hi)) {
                start.bodies[Index(body)] = hi.position;
            } else {
                lo = Read(body, first, firstJd);
                start.bodies[Index(body)] = lo.position;
                Changes(body, lo, hi);
            }
            ended_[i] = hi;
            known_.bodies[Index(body)] = hi.position;
            const double inSign = InSign(hi);
            quietUntilJd_[i] = lastJd + std::min(inSign, 30.0 - inSign) / LargestDailyMotionDeg(body);
        }
        std::stable_sort(changes_.begin(), changes_.end(),
                         [](const Change& x, const Change& y) { return x.minute < y.minute; });
        out.clear();
        out.push_back({first, start, {}});
        for (const Change& c : changes_) {
            if (out.back().minute != c.minute) out.push_back({c.minute, out.back().value, {}});
            out.back().value.bodies[Index(c.body)] = c.position;
        }
    }

private:
    // One planet read at a minute.
    struct Placed {
        int minute = 0;
        double jdUt = -std::numeric_limits<double>::infinity();
        BodyPosition position;
    };
    struct Change {
        int minute;
        Body body;
        BodyPosition position;
    };

    static constexpr double OneMinuteJd = 1.0 / MinutesPerDay;
    static constexpr double SameMomentJd = 1e-3 / SecondsPerDay;  // a millisecond

    static std::size_t Index(Body body) { return static_cast<std::size_t>(body); }
    static double InSign(const Placed& p) { return p.position.longitudeDeg - 30.0 * p.position.signIndex; }
    double JdAt(int minute) { return JulianDayUt(moments_.TimeAt(minute)); }

    // A planet at a minute, in the sign the calculation's full reading gives it.
    static Placed Read(Body body, int minute, double jdUt) {
        Placed p{minute, jdUt, ComputeBodyPlace(jdUt, body)};
        const double inSign = InSign(p);
        if (inSign < BoundaryHairDeg || inSign > 30.0 - BoundaryHairDeg) p.position = ComputeBody(jdUt, body);
        return p;
    }

    // Whether a planet read in one sign at two moments can have left it in between: out and back over a boundary
    // takes at least the way there and the way back, at no more than its largest motion.
    static bool MayLeaveAndReturn(Body body, const Placed& lo, const Placed& hi) {
        const double reach = LargestDailyMotionDeg(body) * (hi.jdUt - lo.jdUt);
        const double inLo = InSign(lo);
        const double inHi = InSign(hi);
        return inLo + inHi <= reach || (30.0 - inLo) + (30.0 - inHi) <= reach;
    }

    // The changes between two readings of a planet.
    void Changes(Body body, const Placed& lo, const Placed& hi) {
        if (lo.position.signIndex != hi.position.signIndex) {
            Crossing(body, lo, hi);
            return;
        }
        if (!MayLeaveAndReturn(body, lo, hi)) return;

        const BodyPosition loMoving = ComputeBody(lo.jdUt, body);
        const BodyPosition hiMoving = ComputeBody(hi.jdUt, body);
        if (loMoving.retrograde == hiMoving.retrograde) return;  // one way only: it stayed in the sign
        // The station: the last minute moving as at lo, then the first moving the other way.
        Placed before{lo.minute, lo.jdUt, loMoving};
        Placed after{hi.minute, hi.jdUt, hiMoving};
        while (after.minute - before.minute > 1) {
            const int mid = before.minute + (after.minute - before.minute) / 2;
            const Placed m{mid, JdAt(mid), ComputeBody(JdAt(mid), body)};
            (m.position.retrograde == loMoving.retrograde ? before : after) = m;
        }
        for (const auto& [from, to] : {std::pair{lo, before}, std::pair{before, after}, std::pair{after, hi}}) {
            if (from.position.signIndex != to.position.signIndex) Crossing(body, from, to);
        }
    }

    // The first minute of the new sign between two readings in two signs, over which the planet crossed the boundary
    // between them once.
    void Crossing(Body body, Placed lo, Placed hi) {
        const int sign = lo.position.signIndex;
        const int upper = (sign + 1) % 12;
        const double boundary = 30.0 * (hi.position.signIndex == upper ? upper : sign);
        for (int probes = 0; hi.minute - lo.minute > 1; ++probes) {
            int probe = lo.minute + (hi.minute - lo.minute) / 2;
            // Where a straight line through the two readings meets the boundary (degrees past it, either way).
            const double a = std::remainder(lo.position.longitudeDeg - boundary, 360.0);
            const double b = std::remainder(hi.position.longitudeDeg - boundary, 360.0);
            if (probes < MaxGuidedPlanetProbes && (a < 0.0) != (b < 0.0)) {
                const double crossing = lo.minute + (hi.minute - lo.minute) * a / (a - b);
                probe = std::clamp(static_cast<int>(std::ceil(crossing)), lo.minute + 1, hi.minute - 1);
            }
            const Placed m = Read(body, probe, JdAt(probe));
            (m.position.signIndex == sign ? lo : hi) = m;
        }
        changes_.push_back({hi.minute, body, hi.position});
    }

    DateMoments& moments_;
    Sky known_;  // each planet where it was last read
    std::array<double, SignPlanets.size()> quietUntilJd_{};  // until when its sign cannot change from there
    std::array<Placed, SignPlanets.size()> ended_{};         // each planet's reading at the end of the last range
    std::vector<Change> changes_;
};

// The table lagna of the planet check, from the check itself (month, day and typed time; it steps forward
// through its table as the minutes pass). It has no phase, so the search steps and halves.
struct TableLagnaQuantity {
    using Value = PlanetPlacement;
    DateMoments& moments;
    const std::array<std::string, 7>& planetTexts;
    Guide guide{0, {}, {}, 64};

    Reading<Value> Read(int minute) {
        const MomentInput& in = moments.At(minute);
        return {minute, PlanetPlacementCheck(in.month, in.day, in.hour, in.minute, planetTexts), {}};
    }
    static bool Same(const Value& a, const Value& b) {
        return a.lagnaPosition == b.lagnaPosition && a.lagnaName == b.lagnaName &&
               a.lagnaAbbreviation == b.lagnaAbbreviation && a.tenthAbbreviation == b.tenthAbbreviation &&
               a.jupiterInLagna == b.jupiterInLagna && a.tenthHousePlanets == b.tenthHousePlanets;
    }
};

// --- Windows ---------------------------------------------------------------------------------------------------

WindowNames NamesOf(const MomentResult& m) {
    return {m.chart.nakshatra,    m.chart.rashi,          m.chart.lagnaSign,        m.panchanga.tithiName,
            m.panchanga.yogaName, m.panchanga.karanaName, m.panchanga.weekdayName};
}

// The minutes of a date inside the daily window, as one or two ranges.
std::vector<std::pair<int, int>> DailyRanges(const DailyWindow& window) {
    const int first = window.firstMinute;
    const int last = window.lastMinute;
    if (first <= last) return {{first, last}};
    if (first == last + 1) return {{0, MinutesPerDay - 1}};
    return {{0, last}, {first, MinutesPerDay - 1}};
}

// --- The clock ---------------------------------------------------------------------------------------------------

// The minutes of a local date that one offset of the clock covers.
struct ClockStretch {
    MomentInput zone;  // its zone fields
    int firstMinute = 0;
    int lastMinute = MinutesPerDay - 1;
};

// a / b rounded up, for any sign of a and b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a / b + ((a % b != 0 && a > 0) ? 1 : 0); }


// The stretches of a date's minutes by the offset in force at each minute's start, in time order: the minutes
// the clocks jumped over lie in none, those they passed twice in two. Without a clock the typed zone holds.
std::vector<ClockStretch> ClockStretches(const FinderQuery& query, LocalDate date) {
    if (query.clock.empty()) return {{query.input.muhurtha, 0, MinutesPerDay - 1}};
    const std::int64_t dayStart = (DayNumber(date) - EpochDayNumber) * SecondsPerDay;  // local seconds
    std::vector<ClockStretch> stretches;
    for (std::size_t i = 0; i < query.clock.size(); ++i) {
        const ClockPeriod& period = query.clock[i];
        const std::int64_t offset = ZoneOffsetSeconds(period.zone);
        // The local seconds [low, high) this offset covers; the first period reaches back without end.
        int first = 0;
        if (i > 0) first = static_cast<int>(std::clamp<std::int64_t>(
                       CeilDiv(period.fromUtSeconds + offset - dayStart, 60), 0, MinutesPerDay));
        int last = MinutesPerDay - 1;
        if (i + 1 < query.clock.size()) {
            last = static_cast<int>(std::clamp<std::int64_t>(
                       CeilDiv(query.clock[i + 1].fromUtSeconds + offset - dayStart, 60), 0, MinutesPerDay)) - 1;
        }
        if (first <= last) stretches.push_back({period.zone, first, last});
    }
    return stretches;
}

constexpr std::size_t ReservedWindowsPerDate = 32;

// The longest gap between two searched ranges of a date over which the changes are found once for both: reading
// every quantity again at the start of the second range costs more than finding the changes across the gap.
constexpr int LongestSharedGapMinutes = 180;

// The search of one query, date by date.
class Search {
public:
    explicit Search(const FinderQuery& query)
        : query_(query),
          birth_(ComputeMoment(query.input.birth, query.input.planets)),
          moments_(query.input.muhurtha),
          moon_{moments_},
          ascendant_{moments_},
          almanac_{moments_},
          tableLagna_{moments_, noPlanetTexts_},
          planets_{moments_},
          readsPlanets_(ReadsPlanets(query)) {
        const MomentInput& place = query.input.muhurtha;
        const double latitude = place.latitudeDegrees + place.latitudeMinutes / 60.0;
        ascendant_.guide.everyMinute = latitude >= ForwardAscendantLatitude;
        for (const bool avoided : query.avoidedPeriods) avoiding_ = avoiding_ || avoided;
    }

    void SearchDate(LocalDate date, std::vector<FoundWindow>& windows) {
        moments_.SetDate(date);
        input_ = MinuteInput(query_, date, 0);
        for (const ClockStretch& stretch : ClockStretches(query_, date)) {
            moments_.SetZone(stretch.zone);
            CopyZoneFields(stretch.zone, input_.muhurtha);
            offsetSeconds_ = ZoneOffsetSeconds(stretch.zone);
            std::vector<std::pair<int, int>> ranges;
            for (const auto& [first, last] : SearchedRanges(date, stretch.zone)) {
                const int from = std::max(first, stretch.firstMinute);
                const int to = std::min(last, stretch.lastMinute);
                if (from <= to) ranges.emplace_back(from, to);
            }
            // Ranges a short gap apart (the avoided periods cut a day into several) share one search for the
            // changes, which then reads each quantity once at the start of the first of them.
            for (std::size_t i = 0; i < ranges.size();) {
                std::size_t j = i + 1;
                while (j < ranges.size() && ranges[j].first - ranges[j - 1].second <= LongestSharedGapMinutes) ++j;
                FindAllChanges(ranges[i].first, ranges[j - 1].second);
                for (; i < j; ++i) SearchRange(date, ranges[i].first, ranges[i].second, windows);
            }
        }
    }

private:
    // The minutes of the date inside the daily window and outside every avoided period, as ranges, on the clock of
    // the given zone fields.
    std::vector<std::pair<int, int>> SearchedRanges(LocalDate date, const MomentInput& zone) {
        std::vector<std::pair<int, int>> ranges = DailyRanges(query_.between);
        if (!avoiding_) return ranges;
        for (const auto& [first, last] : AvoidedRanges(date, zone)) {
            std::vector<std::pair<int, int>> kept;
            for (const auto& [a, b] : ranges) {
                if (last < a || first > b) {
                    kept.emplace_back(a, b);
                    continue;
                }
                if (a < first) kept.emplace_back(a, first - 1);
                if (last < b) kept.emplace_back(last + 1, b);
            }
            ranges = std::move(kept);
        }
        return ranges;
    }

    // The day of a local date at the muhurtha's place on a zone's clock, its next sunrise found only where it is
    // needed. The last two are kept: a date's early minutes belong to the day of the date before, which was the
    // date searched before it.
    SunDay DayOf(LocalDate date, const MomentInput& zone) {
        DayPlace place = dayPlace_;
        place.zoneOffsetSeconds = ZoneOffsetSeconds(zone);
        for (const auto& kept : days_) {
            if (kept && kept->first == place.zoneOffsetSeconds && kept->second.date == date) return kept->second;
        }
        SunDay day = ComputeSunriseAndSunset(date, place);
        if (NeedsNextSunrise(day.weekday)) AddNextSunrise(day, place);
        days_[0] = std::move(days_[1]);
        days_[1] = {place.zoneOffsetSeconds, day};
        return days_[1]->second;
    }

    // The next sunrise is found only where the day's periods reach into the night, or far enough from the
    // equator that it may not come (a polar night then begins, and the day has no periods).
    bool NeedsNextSunrise(int weekday) const {
        return std::abs(dayPlace_.latitudeDeg) >= EveryDayRiseAndSetLatitudeDeg ||
               AvoidablePeriodsReachTheNight(weekday);
    }

    // The minutes of the date (0..1439) whose start lies in an avoided period, as ranges. A minute before the
    // date's sunrise lies in the day of the date before; from the sunrise on (or all day where the Sun does not
    // rise) in the date's own day.
    std::vector<std::pair<int, int>> AvoidedRanges(LocalDate date, const MomentInput& zone) {
        const SunDay yesterday = DayOf(AddDays(date, -1), zone);
        const SunDay today = DayOf(date, zone);
        const ClockMinute midnight = static_cast<ClockMinute>(DayNumber(date)) * MinutesPerDay;
        const auto jdOf = [&](int minute) { return JdUtOfClockMinute(zone, midnight + minute); };
        // The first minute of the date whose start is at or after a moment (MinutesPerDay when none is).
        const auto firstFrom = [&](double jdUt) {
            int m = static_cast<int>(std::clamp(std::ceil((jdUt - jdOf(0)) * MinutesPerDay), -1.0,
                                                static_cast<double>(MinutesPerDay)));
            m = std::clamp(m, 0, MinutesPerDay);
            while (m > 0 && jdOf(m - 1) >= jdUt) --m;
            while (m < MinutesPerDay && jdOf(m) < jdUt) ++m;
            return m;
        };
        const int sunriseMinute = today.sunriseJdUt ? firstFrom(*today.sunriseJdUt) : 0;

        std::vector<std::pair<int, int>> ranges;
        const auto add = [&](const SunDay& day, int from, int to) {  // the day's periods over minutes from..to-1
            if (day.course != SunCourse::RisesAndSets || !day.sunriseJdUt || !day.sunsetJdUt || from >= to) return;
            const auto periods =
                AvoidablePeriodsOf(*day.sunriseJdUt, *day.sunsetJdUt, day.nextSunriseJdUt, day.weekday);
            if (!periods) return;
            const auto take = [&](InauspiciousPeriod period, const TimeSpan& span) {
                if (!query_.avoidedPeriods[static_cast<std::size_t>(period)]) return;
                const int first = std::max(from, firstFrom(span.startJdUt));
                const int end = std::min(to, firstFrom(span.endJdUt));
                if (first < end) ranges.emplace_back(first, end - 1);
            };
            take(InauspiciousPeriod::RahuKalam, periods->rahuKalam);
            take(InauspiciousPeriod::Yamaganda, periods->yamaganda);
            take(InauspiciousPeriod::Gulika, periods->gulika);
            for (const TimeSpan& span : periods->durmuhurtas) take(InauspiciousPeriod::Durmuhurta, span);
        };
        add(yesterday, 0, sunriseMinute);
        add(today, sunriseMinute, MinutesPerDay);
        return ranges;
    }

    // The change minutes of every quantity over minutes first..last of the date.
    void FindAllChanges(int first, int last) {
        FindChanges(moon_, first, last, moonChanges_);
        FindChanges(ascendant_, first, last, ascendantChanges_);
        FindChanges(almanac_, first, last, almanacChanges_);
        FindChanges(tableLagna_, first, last, tableChanges_);
        if (readsPlanets_) {
            planets_.FindChanges(first, last, planetChanges_);
        } else {
            planetChanges_.assign(1, {first, {}, {}});
        }
    }

    // Windows of one range of minutes of the date, inside the minutes the changes were last found over.
    void SearchRange(LocalDate date, int first, int last, std::vector<FoundWindow>& windows) {
        // The planet texts of the current Moon and planet readings, made again when either moves on.
        std::pair<std::size_t, std::size_t> textsOf{moonChanges_.size(), planetChanges_.size()};

        std::size_t m = 0, a = 0, p = 0, t = 0, s = 0;
        bool open = false;
        FoundWindow window;
        Evaluation openEvaluation;
        for (int start = first; start <= last;) {
            // The stretch from `start` up to the next change of any quantity.
            const auto next = [start, last](const auto& changes, std::size_t& i) {
                while (i + 1 < changes.size() && changes[i + 1].minute <= start) ++i;
                return i + 1 < changes.size() ? changes[i + 1].minute : last + 1;
            };
            const int end = std::min({next(moonChanges_, m), next(ascendantChanges_, a), next(almanacChanges_, p),
                                      next(tableChanges_, t), next(planetChanges_, s), last + 1}) - 1;
            const MomentResult muhurtha = MomentAt(start, moonChanges_[m].value, almanacChanges_[p].value);
            if (readsPlanets_ && textsOf != std::pair{m, s}) {
                textsOf = {m, s};
                Sky sky = planetChanges_[s].value;
                sky.bodies[static_cast<std::size_t>(Body::Moon)] = OwnMoonPosition(muhurtha.chart.moonLongitude);
                planetTexts_ = PlanetTexts(sky);
            }
            Evaluation evaluation = Evaluate(start, muhurtha);
            const WindowNames names = NamesOf(muhurtha);
            if (open && names == window.names && evaluation == openEvaluation) {
                window.lastMinute = window.bestLastMinute = end;
            } else {
                if (open) Close(window, openEvaluation, windows);
                window = Open(date, start, end, evaluation, names);
                openEvaluation = std::move(evaluation);
                open = true;
            }
            start = end + 1;
        }
        if (open) Close(window, openEvaluation, windows);
    }

    // The planets' signs matter only to a rule set that runs the planet check; for any other they are not
    // searched (and the evaluation, which reads nothing of them, is the same).
    static bool ReadsPlanets(const FinderQuery& query) {
        const auto subject = FindSubject(query.input.subject);
        return query.input.planets == PlanetsMode::Sky && subject &&
               rules::Runs(rules::RuleSetOf(*subject), rules::Check::PlanetPlacement);
    }

    // The muhurtha of the stretch starting at `minute`, computed as the calculation computes it, except that the
    // Moon and the almanac are the quantities' readings: what the evaluation reads of them is the same at every
    // minute of the stretch. The ascendant is cheap, so it is computed at the minute itself. Its planets are not
    // placed here: the evaluation gets their texts from the planet readings (see Evaluate).
    MomentResult MomentAt(int minute, const ChartPositions& moon, const PanchangaInfo& almanac) {
        MomentResult r;
        r.time = moments_.TimeAt(minute);
        r.chart = moon;
        LagnaFromTime(r.time, r.chart);
        r.panchanga = almanac;
        r.details = DetailsOf(r.chart, r.panchanga);
        return r;
    }

    // The evaluation with the planet texts of the stretch: made from the planet readings with the chart's Moon,
    // as the calculation places it; their signs, all the checks read of them, hold over the stretch.
    Evaluation Evaluate(int minute, const MomentResult& muhurtha) {
        input_.muhurtha.hour = Short(minute / 60);
        input_.muhurtha.minute = Short(minute % 60);
        EvaluationInput in = MakeEvaluationInput(input_, birth_, muhurtha);
        if (readsPlanets_) in.planetTexts = planetTexts_;
        return *EvaluateMuhurtha(in);
    }

    FoundWindow Open(LocalDate date, int first, int last, const Evaluation& evaluation, const WindowNames& names) {
        FoundWindow w;
        w.date = date;
        w.firstMinute = w.bestFirstMinute = first;
        w.lastMinute = w.bestLastMinute = last;
        w.rating = evaluation.rating;
        w.count = evaluation.count;
        w.threshold = evaluation.threshold;
        w.totalScore = evaluation.totalScore;
        w.names = names;
        w.offsetSeconds = offsetSeconds_;
        return w;
    }

    void Close(FoundWindow& window, Evaluation& evaluation, std::vector<FoundWindow>& windows) {
        if (query_.keepEvaluations) window.evaluation = std::make_shared<const Evaluation>(std::move(evaluation));
        windows.push_back(std::move(window));
    }

    const FinderQuery& query_;
    const MomentResult birth_;
    // The table lagna is read with no planet placed: the planets' signs are a quantity of their own.
    const std::array<std::string, 7> noPlanetTexts_{};
    CalculationInput input_;
    std::int32_t offsetSeconds_ = 0;  // the clock's offset over the range being searched
    DateMoments moments_;
    MoonQuantity moon_;
    AscendantQuantity ascendant_;
    AlmanacQuantity almanac_;
    TableLagnaQuantity tableLagna_;
    PlanetQuantity planets_;
    const bool readsPlanets_;
    std::array<std::string, 7> planetTexts_;
    std::vector<Reading<ChartPositions>> moonChanges_, ascendantChanges_;
    std::vector<Reading<PanchangaInfo>> almanacChanges_;
    std::vector<Reading<PlanetPlacement>> tableChanges_;
    std::vector<Reading<Sky>> planetChanges_;
    // The avoided periods: the muhurtha's place for sunrise and the days of the last two dates searched.
    bool avoiding_ = false;
    const DayPlace dayPlace_ = DayPlaceOf(query_.input.muhurtha);
    std::array<std::optional<std::pair<std::int32_t, SunDay>>, 2> days_;  // by the zone offset they were found on
};

}  // namespace

CalculationInput WindowStartInput(const FinderQuery& query, const FoundWindow& window) {
    CalculationInput in = MinuteInput(query, window.date, window.firstMinute);
    for (const ClockStretch& stretch : ClockStretches(query, window.date)) {
        if (stretch.firstMinute <= window.firstMinute && window.firstMinute <= stretch.lastMinute &&
            ZoneOffsetSeconds(stretch.zone) == window.offsetSeconds) {
            CopyZoneFields(stretch.zone, in.muhurtha);
            break;
        }
    }
    return in;
}

FinderResult FindWindows(const FinderQuery& query, const FinderControl& control) {
    if (std::string problem = QueryProblem(query); !problem.empty()) throw FinderError(problem);
    FinderResult result;
    result.datesTotal = DatesInSpan(query.from, query.to);
    // Room for the windows of a usual search (twenty to thirty a date) from the start: growing the list copies it
    // and touches fresh memory at each step, which costs more than the search of many dates. Room never used is
    // never touched.
    result.windows.reserve(static_cast<std::size_t>(result.datesTotal) * ReservedWindowsPerDate);
    Search search(query);
    for (int i = 0; i < result.datesTotal; ++i) {
        if (control.cancel && control.cancel->load()) {
            result.cancelled = true;
            break;
        }
        const LocalDate date = AddDays(query.from, i);
        const int weekday = WeekdayOf(date);
        if (!query.leftOutWeekdays[static_cast<std::size_t>(weekday - 1)]) search.SearchDate(date, result.windows);
        result.datesSearched = i + 1;
        if (control.progress) control.progress(result.datesSearched, result.datesTotal);
    }
    return result;
}

// --- Ranking ---------------------------------------------------------------------------------------------------

namespace {

// Good above Average above Bad above not rated.
int RatingRank(Rating rating) {
    switch (rating) {
        case Rating::Good: return 3;
        case Rating::Average: return 2;
        case Rating::Bad: return 1;
        case Rating::NotRated: return 0;
    }
    return 0;
}

}  // namespace

bool RanksBefore(const FoundWindow& a, const FoundWindow& b) {
    const auto key = [](const FoundWindow& w) {
        return std::make_tuple(-RatingRank(w.rating), -w.count, -w.totalScore, w.date, w.firstMinute);
    };
    return key(a) < key(b);
}

void RankWindows(std::vector<FoundWindow>& windows) { std::stable_sort(windows.begin(), windows.end(), RanksBefore); }

std::vector<FoundWindow> MergeAdjacentWindows(const std::vector<FoundWindow>& timeOrdered) {
    std::vector<FoundWindow> merged;
    for (const FoundWindow& w : timeOrdered) {
        if (!merged.empty()) {
            FoundWindow& last = merged.back();
            if (last.date == w.date && last.lastMinute + 1 == w.firstMinute && last.offsetSeconds == w.offsetSeconds &&
                last.rating == w.rating) {
                const int first = last.firstMinute;
                const int pieces = last.pieces + w.pieces;
                if (RanksBefore(w, last)) last = w;  // the best piece's fields
                last.firstMinute = first;
                last.lastMinute = w.lastMinute;
                last.pieces = pieces;
                continue;
            }
        }
        merged.push_back(w);
    }
    return merged;
}

std::vector<FoundWindow> ListWindows(const std::vector<FoundWindow>& timeOrdered, const WindowListing& listing) {
    std::vector<FoundWindow> list = listing.mergeEqualRatings ? MergeAdjacentWindows(timeOrdered) : timeOrdered;
    if (listing.order == WindowOrder::Rank) RankWindows(list);
    if (listing.top > 0 && list.size() > listing.top) list.resize(listing.top);
    return list;
}

}  // namespace kalvora
