#include "season/season.h"

#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "panchanga/panchanga.h"
#include "planets/reckoner.h"
#include "planets/sky.h"

namespace kalvora {

namespace {

// How finely an instant is pinned down, in days (about a ten-thousandth of a second).
constexpr double InstantResolutionDays = 1e-9;
// Mean motions that guess where a crossing lies (degrees a day); the search then measures the true rate.
constexpr double MeanElongationRate = 12.19075;
constexpr double MeanSunRate = 0.98565;
constexpr double SynodicMonthDays = 29.530589;
// The calendar holds this much beyond what it was asked for: the months of a kshaya year are named from the
// months around them (up to six months either way).
constexpr double NamingMarginDays = 200.0;
// Combustion: the fastest the Sun and a planet draw apart (degrees a day, above Venus' greatest relative speed of
// about 1.7), and the longest span in which a planet stays combust (Venus about its superior conjunction: under
// 100 days). The shortest span (Venus about its inferior conjunction: 16 degrees at under 1.7 a day) lasts over
// nine days, so a scan in steps of four days cannot step over a whole span, nor over the gap between two.
constexpr double LargestSeparationRate = 2.0;
constexpr double LongestCombustionDays = 120.0;
constexpr double ScanStepDays = 4.0;

// Into (-180, 180].
double Wrap180(double degrees) {
    const double d = WrapDegrees(degrees);
    return d > 180.0 ? d - 360.0 : d;
}

double ElongationAt(double jdUt, Reckoner& reckoner) {
    const PanchangaLongitudes l = reckoner.LongitudesAt(jdUt);
    return ElongationDegrees(l.sun.reduced, l.moon.reduced);
}

// The first instant of the bracket a..b (the state at a differs from the state at b, the state being value >= 0)
// at which the state is b's, to InstantResolutionDays: regula falsi, with the Illinois step against a stuck end.
template <class F>
double Boundary(const F& value, double a, double fa, double b, double fb) {
    const bool target = fb >= 0.0;
    int kept = 0;  // which end was kept last: -1 a, +1 b
    for (int i = 0; i < 200 && b - a > InstantResolutionDays; ++i) {
        double c = (fa * b - fb * a) / (fa - fb);
        if (!(c > a && c < b)) c = 0.5 * (a + b);
        if (!(c > a && c < b)) break;  // a and b are neighbouring numbers
        const double fc = value(c);
        if ((fc >= 0.0) == target) {
            b = c;
            fb = fc;
            if (kept == -1) fa *= 0.5;
            kept = -1;
        } else {
            a = c;
            fa = fc;
            if (kept == 1) fb *= 0.5;
            kept = 1;
        }
    }
    return b;
}

// The instant near `guess` at which the signed angle value(t) (degrees, increasing at about `rate` a day through
// 0) reaches 0: secant steps from the guess, then the bracket pinned down.
template <class F>
double Crossing(const F& value, double guess, double rate) {
    double t0 = guess;
    double f0 = value(t0);
    double t1 = t0 - f0 / rate;
    double f1 = value(t1);
    for (int i = 0; i < 40 && std::abs(t1 - t0) > 1e-7 && f1 != f0; ++i) {
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        if (!std::isfinite(t2)) break;
        t0 = t1;
        f0 = f1;
        t1 = t2;
        f1 = value(t1);
    }
    double step = 1e-6;
    double a = t1 - step, b = t1 + step;
    double fa = value(a), fb = value(b);
    for (int i = 0; i < 60 && fa >= 0.0; ++i) {
        step *= 2.0;
        a = t1 - step;
        fa = value(a);
    }
    for (int i = 0; i < 60 && fb < 0.0; ++i) {
        step *= 2.0;
        b = t1 + step;
        fb = value(b);
    }
    return Boundary(value, a, fa, b, fb);
}

// The month names of a run of new moons from the Sun's sign at each (see the naming rules in season.h).
std::vector<LunarMonth> NameMonths(const std::vector<double>& newMoons, Reckoner& reckoner) {
    std::vector<LunarMonth> months;
    if (newMoons.size() < 2) return months;
    std::vector<int> sign(newMoons.size());
    for (std::size_t i = 0; i < newMoons.size(); ++i) {
        sign[i] = std::min(static_cast<int>(reckoner.SiderealSunDeg(newMoons[i]) / 30.0), 11);
    }
    for (std::size_t i = 0; i + 1 < newMoons.size(); ++i) {
        LunarMonth m;
        m.startJdUt = newMoons[i];
        m.endJdUt = newMoons[i + 1];
        m.nameIndex = (sign[i] + 1) % 12;
        const int sankrantis = (sign[i + 1] - sign[i] + 12) % 12;
        m.adhika = sankrantis == 0;
        m.kshaya = sankrantis >= 2;
        months.push_back(m);
    }
    // Around a kshaya month: the latest sankranti-less month before it is counted as its own month, and the names
    // from there on move up by one, so that the kshaya month bears the lost month's name.
    constexpr std::size_t LookBackMonths = 6;
    for (std::size_t k = 0; k < months.size(); ++k) {
        if (!months[k].kshaya) continue;
        for (std::size_t j = k; j-- > 0 && k - j <= LookBackMonths;) {
            if (months[j].kshaya) break;
            if (!months[j].adhika) continue;
            months[j].adhika = false;
            for (std::size_t i = j + 1; i <= k; ++i) months[i].nameIndex = (months[i].nameIndex + 1) % 12;
            break;
        }
    }
    return months;
}

bool Overlaps(double start, double end, double from, double to) { return start < to && end > from; }

// The span of a veto from `startJdUt` to `endJdUt`, kept when it overlaps from..to.
void AddSpan(std::vector<VetoSpan>& spans, Veto veto, double start, double end, double from, double to) {
    if (Overlaps(start, end, from, to)) spans.push_back({veto, start, end});
}

struct CombustPlanet {
    Body body;
    CombustionOrb orb;
};

CombustPlanet PlanetOf(Veto veto) {
    return veto == Veto::GuruAsta ? CombustPlanet{Body::Jupiter, JupiterOrb} : CombustPlanet{Body::Venus, VenusOrb};
}

// The planet's distance from the Sun in longitude, 0..180 degrees.
double DistanceFromSun(Body body, double jdUt) {
    const double planet = ComputeBodyPlace(jdUt, body).longitudeDeg;
    return std::abs(Wrap180(planet - ComputeBodyPlace(jdUt, Body::Sun).longitudeDeg));
}

// The orb in force minus the planet's distance from the Sun at an instant: >= 0 while the planet is combust. The
// speed is asked for only where the two orbs give different answers.
double CombustionMargin(const CombustPlanet& p, double jdUt, double distance) {
    if (p.orb.direct == p.orb.retrograde || distance <= p.orb.retrograde || distance > p.orb.direct) {
        const double orb = distance <= p.orb.retrograde ? p.orb.retrograde : p.orb.direct;
        return orb - distance;
    }
    return (ComputeBody(jdUt, p.body).retrograde ? p.orb.retrograde : p.orb.direct) - distance;
}
double CombustionMargin(const CombustPlanet& p, double jdUt) {
    return CombustionMargin(p, jdUt, DistanceFromSun(p.body, jdUt));
}

}  // namespace

double NextElongation(double fromJdUt, double degrees, Reckoner& reckoner) {
    const double ahead = WrapDegrees(degrees - ElongationAt(fromJdUt, reckoner));
    const auto value = [degrees, &reckoner](double t) { return Wrap180(ElongationAt(t, reckoner) - degrees); };
    return Crossing(value, fromJdUt + ahead / MeanElongationRate, MeanElongationRate);
}

double NextSankranti(double fromJdUt, double degrees, Reckoner& reckoner) {
    const double ahead = WrapDegrees(degrees - reckoner.SiderealSunDeg(fromJdUt));
    const auto value = [degrees, &reckoner](double t) { return Wrap180(reckoner.SiderealSunDeg(t) - degrees); };
    return Crossing(value, fromJdUt + ahead / MeanSunRate, MeanSunRate);
}

double NextNewMoon(double newMoonJdUt, Reckoner& reckoner) {
    const auto value = [&reckoner](double t) { return Wrap180(ElongationAt(t, reckoner)); };
    return Crossing(value, newMoonJdUt + SynodicMonthDays, MeanElongationRate);
}

double YearOpening(int year, Reckoner& reckoner) {
    const double january = static_cast<double>(DayNumber({year, 1, 1})) - 0.5;
    return NextElongation(NextSankranti(january, 330.0, reckoner), 0.0, reckoner);
}

bool IsCombust(Veto veto, double jdUt) { return CombustionMargin(PlanetOf(veto), jdUt) >= 0.0; }

std::vector<VetoSpan> CombustionSpans(Veto veto, double fromJdUt, double toJdUt) {
    const CombustPlanet planet = PlanetOf(veto);
    const auto margin = [&planet](double t) { return CombustionMargin(planet, t); };
    std::vector<VetoSpan> spans;
    // Start far enough back that a span overlapping from..to is seen from its beginning.
    double t = fromJdUt - LongestCombustionDays;
    double distance = DistanceFromSun(planet.body, t);
    double m = CombustionMargin(planet, t, distance);
    double start = 0.0;
    bool inside = m >= 0.0;  // a span begun before the scan is not kept: none lasts that long
    bool started = false;
    while (t < toJdUt || started) {
        // No boundary can be nearer than the distance to the nearer orb allows at the fastest separation.
        const double nearest =
            std::min(std::abs(distance - planet.orb.direct), std::abs(distance - planet.orb.retrograde));
        const double next = t + std::max(nearest / LargestSeparationRate, ScanStepDays);
        distance = DistanceFromSun(planet.body, next);
        const double mNext = CombustionMargin(planet, next, distance);
        if ((m >= 0.0) != (mNext >= 0.0)) {
            const double boundary = Boundary(margin, t, m, next, mNext);
            inside = mNext >= 0.0;
            if (inside) {
                start = boundary;
            } else if (started) {
                AddSpan(spans, veto, start, boundary, fromJdUt, toJdUt);
            }
            started = inside;
        }
        t = next;
        m = mNext;
    }
    return spans;
}

LunarCalendar::LunarCalendar(double fromJdUt, double toJdUt, Reckoning reckoning) : reckoning_(reckoning) {
    Reckoner reckoner(reckoning);
    std::vector<double> newMoons;
    double t = NextElongation(fromJdUt - NamingMarginDays - SynodicMonthDays, 0.0, reckoner);
    const double last = toJdUt + NamingMarginDays;
    newMoons.push_back(t);
    while (t < last) {
        t = NextNewMoon(t, reckoner);
        newMoons.push_back(t);
    }
    months_ = NameMonths(newMoons, reckoner);
}

bool LunarCalendar::Covers(double fromJdUt, double toJdUt) const {
    return !months_.empty() && fromJdUt >= months_.front().startJdUt + NamingMarginDays &&
           toJdUt <= months_.back().endJdUt - NamingMarginDays;
}

const LunarCalendar& LunarCalendar::Around(double fromJdUt, double toJdUt, std::optional<LunarCalendar>& wider) const {
    if (Covers(fromJdUt, toJdUt)) return *this;
    wider.emplace(fromJdUt, toJdUt, reckoning_);
    return *wider;
}

std::size_t LunarCalendar::IndexHolding(double jdUt) const {
    const auto after = std::upper_bound(months_.begin(), months_.end(), jdUt,
                                        [](double t, const LunarMonth& m) { return t < m.startJdUt; });
    return after == months_.begin() ? 0 : static_cast<std::size_t>(after - months_.begin()) - 1;
}

Samvat SamvatAt(double jdUt, Reckoner& reckoner) {
    int year = DateOfDayNumber(static_cast<long>(std::floor(jdUt + 0.5))).year;
    if (jdUt < YearOpening(year, reckoner)) --year;
    Samvat s;
    s.shaka = year - 78;
    s.vikram = year + 57;
    const int cycle = static_cast<int>(SamvatsaraNames.size());
    s.samvatsaraIndex = s.shaka - PrabhavaShakaYear - cycle * static_cast<int>(FloorDiv(s.shaka - PrabhavaShakaYear, cycle));
    return s;
}

std::vector<LunarMonth> LunarCalendar::MonthsBetween(double fromJdUt, double toJdUt) const {
    std::optional<LunarCalendar> wider;
    std::vector<LunarMonth> out;
    for (const LunarMonth& m : Around(fromJdUt, toJdUt, wider).months_) {
        if (Overlaps(m.startJdUt, m.endJdUt, fromJdUt, toJdUt)) out.push_back(m);
    }
    return out;
}

SeasonAt LunarCalendar::At(double jdUt) const {
    SeasonAt s = MonthsAt(jdUt);
    Reckoner reckoner(reckoning_);
    s.samvat = SamvatAt(jdUt, reckoner);
    return s;
}

std::pair<LunarMonth, LunarMonth> LunarCalendar::AmantaAt(double jdUt) const {
    std::optional<LunarCalendar> wider;
    const LunarCalendar& c = Around(jdUt, jdUt, wider);
    const std::size_t i = c.IndexHolding(jdUt);
    return {c.months_[i], c.months_[i + 1]};
}

SeasonAt LunarCalendar::MonthsAt(double jdUt) const {
    std::optional<LunarCalendar> wider;
    const LunarCalendar& c = Around(jdUt, jdUt, wider);
    const std::size_t i = c.IndexHolding(jdUt);
    SeasonAt s;
    s.month = c.months_[i];
    Reckoner reckoner(reckoning_);
    s.purnimantaNameIndex = ElongationAt(jdUt, reckoner) >= 180.0 ? c.months_[i + 1].nameIndex : s.month.nameIndex;
    return s;
}

std::vector<VetoSpan> LunarCalendar::VetoSpans(double fromJdUt, double toJdUt,
                                               const std::array<bool, VetoCount>& which) const {
    std::optional<LunarCalendar> wider;
    const std::vector<LunarMonth>& months = Around(fromJdUt, toJdUt, wider).months_;
    Reckoner reckoner(reckoning_);
    const auto wanted = [&which](Veto v) { return which[static_cast<std::size_t>(v)]; };
    std::vector<VetoSpan> spans;
    for (const Veto v : {Veto::GuruAsta, Veto::ShukraAsta}) {
        if (!wanted(v)) continue;
        const std::vector<VetoSpan> found = CombustionSpans(v, fromJdUt, toJdUt);
        spans.insert(spans.end(), found.begin(), found.end());
    }
    // The months' vetoes: the leap month whole; Chaturmas from Shukla Ekadashi (120 degrees) of the nija Asadha to
    // that of the next nija Kartika; Pitru paksha from the full moon (180 degrees) of the nija Bhadra to its end.
    constexpr int Asadha = 3, Bhadra = 5, Kartika = 7;
    constexpr double ShuklaEkadashi = 120.0, FullMoon = 180.0;
    for (std::size_t i = 0; i < months.size(); ++i) {
        const LunarMonth& m = months[i];
        if (m.adhika) {
            if (wanted(Veto::Adhika)) AddSpan(spans, Veto::Adhika, m.startJdUt, m.endJdUt, fromJdUt, toJdUt);
            continue;
        }
        if (m.nameIndex == Asadha && wanted(Veto::Chaturmas) && m.startJdUt < toJdUt) {
            for (std::size_t k = i + 1; k < months.size(); ++k) {
                if (months[k].nameIndex != Kartika || months[k].adhika) continue;
                if (months[k].endJdUt <= fromJdUt) break;  // over before the stretch asked about
                AddSpan(spans, Veto::Chaturmas, NextElongation(m.startJdUt, ShuklaEkadashi, reckoner),
                        NextElongation(months[k].startJdUt, ShuklaEkadashi, reckoner), fromJdUt, toJdUt);
                break;
            }
        }
        if (m.nameIndex == Bhadra && wanted(Veto::PitruPaksha) && Overlaps(m.startJdUt, m.endJdUt, fromJdUt, toJdUt)) {
            AddSpan(spans, Veto::PitruPaksha, NextElongation(m.startJdUt, FullMoon, reckoner), m.endJdUt, fromJdUt, toJdUt);
        }
    }
    // Kharmas: the Sun from its entry into Dhanu to its entry into Makara, and from Meena to Mesha.
    if (wanted(Veto::Kharmas)) {
        for (const auto& [enters, leaves] : {std::pair{240.0, 270.0}, std::pair{330.0, 0.0}}) {
            for (double t = fromJdUt - 2.0 * SynodicMonthDays;;) {
                const double start = NextSankranti(t, enters, reckoner);
                if (start >= toJdUt) break;
                const double end = NextSankranti(start + 1.0, leaves, reckoner);
                AddSpan(spans, Veto::Kharmas, start, end, fromJdUt, toJdUt);
                t = start + 1.0;
            }
        }
    }
    std::sort(spans.begin(), spans.end(), [](const VetoSpan& a, const VetoSpan& b) {
        return a.startJdUt != b.startJdUt ? a.startJdUt < b.startJdUt : a.veto < b.veto;
    });
    return spans;
}

}  // namespace kalvora
