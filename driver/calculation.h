#pragma once
// The headless calculation: both moments through the engines, birth first, then the evaluation.

#include <cstdint>
#include <optional>
#include <string>

#include "astro/conventions.h"
#include "astro/moment.h"
#include "muhurtha/evaluation.h"
#include "muhurtha/moment_details.h"
#include "panchanga/panchanga.h"
#include "planets/sky.h"

namespace kalvora {

class LunarCalendar;

// Whether a calculation places the planets: Sky computes them from the ephemeris; None leaves the planet texts
// empty, so that the planet checks read no planet at all (the rules as evaluated without positions).
enum class PlanetsMode { Sky, None };

// Everything one moment's computation produces.
struct MomentResult {
    MomentTime time;  // with the clock the almanac ran on
    ChartPositions chart;
    PanchangaInfo panchanga;
    MomentDetails details;
    std::optional<Sky> sky;  // the bodies at the moment's universal time with the system's own Moon; none with
                             // PlanetsMode::None
};

// One moment converted once, then the ascendant, the Moon and the almanac of it, in that order, its nine names,
// and (unless the mode is None) its sky.
// The conventions' ayanamsa places every sidereal longitude (Lahiri's closed forms by default).
MomentResult ComputeMoment(const MomentInput& input, PlanetsMode planets = PlanetsMode::Sky,
                           const Conventions& conventions = {});

// The sky of a computed moment: the ephemeris at its universal time, with the Moon of its chart.
Sky SkyOf(const MomentTime& time, const ChartPositions& chart, Ayanamsa ayanamsa = Ayanamsa::Lahiri);

// The nine display names of a computed moment.
MomentDetails DetailsOf(const ChartPositions& chart, const PanchangaInfo& panchanga);

// The atlas place a moment's coordinates came from, with the coordinates as used (rounded to whole minutes of
// arc, or as typed where they were given explicitly).
struct PlaceOfMoment {
    std::string name;     // "Chennai"
    std::string state;    // "Tamil Nadu"
    std::string country;  // "India"
    double latitudeDeg = 0.0;   // north positive
    double longitudeDeg = 0.0;  // east positive
    friend bool operator==(const PlaceOfMoment&, const PlaceOfMoment&) = default;
};

// The zone a moment's offset came from: a zone id of the zone database, or an offset typed by hand.
struct ZoneOfMoment {
    std::optional<std::string> id;  // "Asia/Kolkata"; none when the offset was typed
    std::string abbreviation;       // "IST"; "" when typed or where the zone has none
    std::int32_t offsetSeconds = 0; // east of UT, the whole offset used, daylight saving included
    bool daylight = false;
    friend bool operator==(const ZoneOfMoment&, const ZoneOfMoment&) = default;
};

// Where a moment's place and zone came from; none for what was typed.
struct MomentOrigin {
    std::optional<PlaceOfMoment> place;
    std::optional<ZoneOfMoment> zone;
    friend bool operator==(const MomentOrigin&, const MomentOrigin&) = default;
};

// The zone of a moment whose offset was typed: no id and no abbreviation.
ZoneOfMoment ZoneOfTyped(const TypedZone& zone);

// What the pages hold for one calculation.
struct CalculationInput {
    MomentInput birth;
    MomentInput muhurtha;
    MomentOrigin birthOrigin;     // where the birth's place and zone came from
    MomentOrigin muhurthaOrigin;  // the same for the muhurtha
    std::string subject;             // chosen subject text ("" when none)
    std::string personName;
    std::string personSex = "Male";  // "Male" or "Female"
    std::string muhurthaWeekdayBox;  // weekday box of the muhurtha page
    PlanetsMode planets = PlanetsMode::Sky;
    Conventions conventions;  // the tradition's choices; the defaults are the program's own
};

struct Calculation {
    MomentResult birth;
    MomentResult muhurtha;
    TaraVerdict tara = TaraVerdict::Unfavourable;
    MoonVerdict moon = MoonVerdict::Unfavourable;
    EvaluationInput evaluationInput;       // what the rule set read
    std::optional<Evaluation> evaluation;  // none when the subject matches no subject text
};

// The evaluation's inputs from a calculation's pages and computed moments. With the amanta or purnimanta lunar
// month convention the true month is read from `calendar` when given (a search asking many moments keeps one),
// else from a calendar made around the muhurtha.
EvaluationInput MakeEvaluationInput(const CalculationInput& input, const MomentResult& birth,
                                    const MomentResult& muhurtha, const LunarCalendar* calendar = nullptr);

// The true lunar month the "Hindu Lunar Month" factor reads at an instant whose tithi is `tithiNumber` (1..30),
// under a lunar month convention; none under the table. It changes only where the tithi changes.
std::optional<TrueLunarMonth> TrueLunarMonthAt(LunarMonthRule rule, const LunarCalendar& calendar, double jdUt,
                                               int tithiNumber);

// Birth moment, muhurtha moment, Tara and Chandra bala, then the rule set of the chosen subject.
Calculation Calculate(const CalculationInput& input);

// The same with the muhurtha moment already computed from input.muhurtha (several people share one muhurtha).
Calculation CalculateAt(const CalculationInput& input, MomentResult muhurtha);

}  // namespace kalvora
