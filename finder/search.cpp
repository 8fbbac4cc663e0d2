// The finder's search, date by date: each date's clock stretches and searched minutes, the change minutes of every
// quantity over them, one evaluation per stretch between changes (one a person when several are searched), and
// windows joined where nothing shown changes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "astro/ephemeris.h"
#include "driver/almanac_weekday.h"
#include "finder/clock.h"
#include "finder/finder.h"
#include "finder/date_changes.h"
#include "finder/searched_minutes.h"
#include "muhurtha/combined_verdict.h"
#include "muhurtha/rule_set.h"
#include "planets/sky.h"
#include "season/season.h"

namespace kalvora {

namespace finding {

namespace {

// Room kept for a date's windows; see FindWindows.
constexpr std::size_t ReservedWindowsPerDate = 32;

// The longest gap between two searched ranges of a date over which the changes are found once for both: reading
// every quantity again at the start of the second range costs more than finding the changes across the gap.
constexpr int LongestSharedGapMinutes = 180;

WindowNames NamesOf(const MomentResult& m) {
    return {m.chart.nakshatra,    m.chart.rashi,          m.chart.lagnaSign,        m.panchanga.tithiName,
            m.panchanga.yogaName, m.panchanga.karanaName, m.panchanga.weekdayName};
}

// The planets' signs matter only to a rule set that runs the planet check; for any other they are not searched
// (and the evaluation, which reads nothing of them, is the same).
bool ReadsPlanets(const FinderQuery& query) {
    const auto subject = FindSubject(query.input.subject);
    return query.input.planets == PlanetsMode::Sky && subject &&
           rules::Runs(rules::RuleSetOf(*subject), rules::Check::PlanetPlacement);
}

// Whether the Sun's and Jupiter's signs are needed for the Surya and Guru balas: several people, an undertaking
// with roles and the planets placed (as the calculation for several people reads them).
bool ReadsBalas(const FinderQuery& query) {
    const auto subject = FindSubject(query.input.subject);
    return !query.others.empty() && query.input.planets == PlanetsMode::Sky && subject && HasRoles(*subject);
}

// The lunar calendar over the search's dates in every zone, when the "Hindu Lunar Month" factor reads the true month.
std::optional<LunarCalendar> CalendarFor(const FinderQuery& query) {
    if (query.input.conventions.lunarMonth == LunarMonthRule::Table) return std::nullopt;
    const double fromJdUt = LocalMidnightJdUt(AddDays(query.from, -1), 0);
    const double toJdUt = LocalMidnightJdUt(AddDays(query.to, 2), 0);
    return LunarCalendar(fromJdUt, toJdUt, ReckoningOf(query.input.conventions));
}

// What a stretch shows of the people after the first: each one's evaluation, and everyone's bala (the first
// person's first). Empty when one person is searched.
struct OthersShown {
    std::vector<Evaluation> evaluations;
    std::vector<std::optional<BalaReading>> balas;
    friend bool operator==(const OthersShown&, const OthersShown&) = default;
};

// The windows of a run of stretches: a stretch with the evaluations and names of the open window lengthens it,
// any other closes it and opens the next. With `allGood` a window that is not Good (RankedRating) is dropped.
class WindowRun {
public:
    WindowRun(bool keepEvaluations, bool allGood) : keepEvaluations_(keepEvaluations), allGood_(allGood) {}

    // Lengthens the open window up to `lastMinute` when the stretch shows what it shows; false when it does not.
    bool Lengthen(const WindowNames& names, const Evaluation& evaluation, const OthersShown& others, int lastMinute) {
        if (!open_ || names != window_.names || !(evaluation == evaluation_) || !(others == others_)) return false;
        window_.lastMinute = window_.bestLastMinute = lastMinute;
        return true;
    }

    void Open(FoundWindow window, Evaluation evaluation, OthersShown others, std::vector<FoundWindow>& windows) {
        Close(windows);
        window_ = std::move(window);
        evaluation_ = std::move(evaluation);
        others_ = std::move(others);
        open_ = true;
    }

    void Close(std::vector<FoundWindow>& windows) {
        if (!open_) return;
        open_ = false;
        if (allGood_ && RankedRating(window_) != Rating::Good) return;
        if (keepEvaluations_) window_.evaluation = std::make_shared<const Evaluation>(std::move(evaluation_));
        windows.push_back(std::move(window_));
    }

private:
    const bool keepEvaluations_;
    const bool allGood_;
    bool open_ = false;
    FoundWindow window_;
    Evaluation evaluation_;
    OthersShown others_;
};

// A person after the first as the search evaluates them: their own input (the muhurtha's fields kept in step with
// the first person's) and birth.
struct OtherSearched {
    CalculationInput input;
    MomentResult birth;
};

// The people of a window: everyone's rating and bala, and the combined verdict as the calculation for several
// people gives it.
std::shared_ptr<const WindowPeople> PeopleOf(const FinderQuery& query, const std::vector<Role>& roles,
                                             const Evaluation& first, const OthersShown& others) {
    auto people = std::make_shared<WindowPeople>();
    std::vector<PersonVerdict> verdicts;
    for (std::size_t i = 0; i < roles.size(); ++i) {
        const Evaluation& e = i == 0 ? first : others.evaluations[i - 1];
        const std::string& name = i == 0 ? query.input.personName : query.others[i - 1].name;
        const std::string& sex = i == 0 ? query.input.personSex : query.others[i - 1].sex;
        const std::optional<BalaReading>& bala = others.balas[i];
        people->people.push_back({name, roles[i], e.rating, e.count, e.totalScore, bala});
        people->count += e.count;
        people->totalScore += e.totalScore;
        verdicts.push_back({name, sex, e.rating, e.stopped, e.message, bala});
    }
    people->combined = CombineVerdicts(verdicts);
    return people;
}

// A window of the minutes first..last of a date on the given offset, with an evaluation's rating and counts.
FoundWindow WindowOf(LocalDate date, int first, int last, std::int32_t offsetSeconds, const Evaluation& evaluation,
                     const WindowNames& names) {
    FoundWindow w;
    w.date = date;
    w.firstMinute = w.bestFirstMinute = first;
    w.lastMinute = w.bestLastMinute = last;
    w.rating = evaluation.rating;
    w.count = evaluation.count;
    w.threshold = evaluation.threshold;
    w.totalScore = evaluation.totalScore;
    w.names = names;
    w.offsetSeconds = offsetSeconds;
    return w;
}

// The search of one query, date by date.
class Search {
public:
    explicit Search(const FinderQuery& query)
        : query_(query),
          birth_(ComputeMoment(query.input.birth, query.input.planets, query.input.conventions)),
          readsPlanets_(ReadsPlanets(query)),
          readsBalas_(ReadsBalas(query)),
          roles_(RolesOf({query.input, query.others, query.roles})),
          changes_(query.input.muhurtha.place, readsPlanets_ || readsBalas_, ReckoningOf(query.input.conventions)),
          avoided_(query),
          vetoed_(query.vetoes, query.from, query.to, ReckoningOf(query.input.conventions)),
          covering_(vetoed_.Spans().size(), false),
          calendar_(CalendarFor(query)) {
        for (const OtherPerson& person : query.others) {
            CalculationInput input = InputFor(query.input, person);
            const MomentResult birth = ComputeMoment(input.birth, input.planets, input.conventions);
            others_.push_back({std::move(input), birth});
        }
    }

    // Whether any minute was searched.
    bool SearchedAny() const { return searchedAny_; }

    void SearchDate(LocalDate date, std::vector<FoundWindow>& windows) {
        changes_.SetDate(date);
        input_ = MinuteInput(query_, date, 0);
        for (OtherSearched& other : others_) {
            other.input.muhurtha = input_.muhurtha;
            other.input.muhurthaWeekdayBox = input_.muhurthaWeekdayBox;
        }
        date_ = date;
        for (const ClockStretch& stretch : ClockStretches(query_, date)) {
            SetClock(stretch.zone);
            // With the weekday from sunrise, the minutes before the date's sunrise on this clock read the day before.
            sunriseMinute_.reset();
            if (query_.input.conventions.weekday == WeekdayRule::Sunrise) {
                sunriseMinute_ = SunriseMinuteOfDate(date, query_.input.muhurtha.place, stretch.zone,
                                                     query_.input.conventions.sunrise);
            }
            const std::vector<MinuteRange> ranges = RangesOn(date, stretch, vetoed_, &covering_);
            // Ranges a short gap apart (the avoided periods cut a day into several) share one search for the
            // changes, which then reads each quantity once at the start of the first of them.
            for (std::size_t i = 0; i < ranges.size();) {
                std::size_t j = i + 1;
                while (j < ranges.size() && ranges[j].first - ranges[j - 1].second <= LongestSharedGapMinutes) ++j;
                changes_.FindAll(ranges[i].first, ranges[j - 1].second);
                for (; i < j; ++i) SearchRange(date, ranges[i].first, ranges[i].second, windows);
            }
        }
    }

    // Why the search found nothing when it did because of the vetoes: the spans that left out the minutes it would
    // have searched, and the next date with a minute outside them. None when the vetoes left out nothing.
    std::optional<VetoedSpan> Vetoed() {
        if (std::find(covering_.begin(), covering_.end(), true) == covering_.end()) return std::nullopt;
        VetoedSpan vetoed;
        for (std::size_t i = 0; i < covering_.size(); ++i) {
            if (!covering_[i]) continue;
            const VetoSpan& span = vetoed_.Spans()[i];
            vetoed.spans.push_back(VetoMinutesOf(span, OffsetAt(span.startJdUt)));
        }
        const LocalDate first = AddDays(query_.to, 1);
        const LocalDate last = vetoed.lastLookedAt = LastDateLookedAhead(query_.to);
        if (last < first) return vetoed;
        const VetoedMinutes ahead(query_.vetoes, first, last, ReckoningOf(query_.input.conventions));
        for (LocalDate date = first; date <= last; date = AddDays(date, 1)) {
            if (query_.leftOutWeekdays[static_cast<std::size_t>(WeekdayOf(date) - 1)]) continue;
            for (const ClockStretch& stretch : ClockStretches(query_, date)) {
                if (!RangesOn(date, stretch, ahead).empty()) {
                    vetoed.nextAllowed = date;
                    return vetoed;
                }
            }
        }
        return vetoed;
    }

private:
    // The offset of the query's clock in force at an instant.
    std::int32_t OffsetAt(double jdUt) const {
        if (query_.clock.empty()) return ZoneOffsetSeconds(query_.input.muhurtha.zone);
        const std::int64_t utSeconds = UtSecondHolding(jdUt);
        std::size_t i = 0;
        while (i + 1 < query_.clock.size() && query_.clock[i + 1].fromUtSeconds <= utSeconds) ++i;
        return ZoneOffsetSeconds(query_.clock[i].zone);
    }

    // Puts the quantities and the evaluation's input on a zone's clock.
    void SetClock(const TypedZone& zone) {
        changes_.SetZone(zone);
        input_.muhurtha.zone = zone;
        for (OtherSearched& other : others_) other.input.muhurtha.zone = zone;
        offsetSeconds_ = ZoneOffsetSeconds(zone);
    }

    // The searched minutes of the date that lie in a clock stretch, outside the vetoes' spans; each span that
    // holds some of the minutes otherwise searched is marked in `covering` when given.
    std::vector<MinuteRange> RangesOn(LocalDate date, const ClockStretch& stretch, const VetoedMinutes& vetoed,
                                      std::vector<bool>* covering = nullptr) {
        std::vector<MinuteRange> ranges;
        for (const auto& [first, last] : SearchedRanges(query_.between, avoided_, date, stretch.zone)) {
            const int from = std::max(first, stretch.firstMinute);
            const int to = std::min(last, stretch.lastMinute);
            if (from <= to) ranges.emplace_back(from, to);
        }
        if (!vetoed.Any() || ranges.empty()) return ranges;
        std::vector<MinuteRange> cut;
        for (const VetoedMinutes::Range& v : vetoed.Ranges(date, stretch.zone)) {
            cut.push_back(v.minutes);
            if (covering && Without(ranges, {v.minutes}) != ranges) (*covering)[v.span] = true;
        }
        return Without(ranges, cut);
    }

    // Windows of one range of minutes of the date, inside the minutes the changes were last found over: one
    // evaluation per stretch between changes.
    void SearchRange(LocalDate date, int first, int last, std::vector<FoundWindow>& windows) {
        ChangeCursor at;
        // The planet texts of the current Moon and planet readings, made again when either moves on.
        std::pair<std::size_t, std::size_t> textsOf{SIZE_MAX, SIZE_MAX};
        WindowRun run(query_.keepEvaluations, query_.allGood);
        if (first <= last) searchedAny_ = true;
        for (int start = first; start <= last;) {
            int end = changes_.StretchEnd(start, last, at);
            // With the weekday from sunrise, no stretch runs over the sunrise, where the weekday turns.
            if (sunriseMinute_ && start < *sunriseMinute_) end = std::min(end, *sunriseMinute_ - 1);
            const MomentResult muhurtha = MomentAt(start, at);
            if (readsPlanets_ && textsOf != std::pair{at.moon, at.planets}) {
                textsOf = {at.moon, at.planets};
                Sky sky = changes_.Planets(at);
                sky.bodies[static_cast<std::size_t>(Body::Moon)] = OwnMoonPosition(muhurtha.chart.moonLongitude);
                planetTexts_ = PlanetTexts(sky);
            }
            Evaluation evaluation = Evaluate(start, muhurtha);
            OthersShown others;
            if (!others_.empty()) others = EvaluateOthers(start, muhurtha, at);
            const WindowNames names = NamesOf(muhurtha);
            if (!run.Lengthen(names, evaluation, others, end)) {
                FoundWindow window = WindowOf(date, start, end, offsetSeconds_, evaluation, names);
                if (!others_.empty()) window.people = PeopleOf(query_, roles_, evaluation, others);
                run.Open(std::move(window), std::move(evaluation), std::move(others), windows);
            }
            start = end + 1;
        }
        run.Close(windows);
    }

    // The muhurtha of the stretch starting at `minute`, computed as the calculation computes it, except that the
    // Moon and the almanac are the quantities' readings: what the evaluation reads of them is the same at every
    // minute of the stretch. The ascendant is cheap, so it is computed at the minute itself. Its planets are not
    // placed here: the evaluation gets their texts from the planet readings (see Evaluate).
    MomentResult MomentAt(int minute, const ChangeCursor& at) {
        MomentResult r;
        r.time = changes_.TimeAt(minute);
        r.chart = changes_.Moon(at);
        changes_.Reckon().Lagna(r.time, r.chart);
        r.panchanga = changes_.Almanac(at);
        if (query_.input.conventions.weekday == WeekdayRule::Sunrise) {
            SetAlmanacWeekday(r.panchanga, RuleWeekday(date_, minute, sunriseMinute_, WeekdayRule::Sunrise));
        }
        r.details = DetailsOf(r.chart, r.panchanga);
        return r;
    }

    // The evaluation with the planet texts of the stretch: made from the planet readings with the chart's Moon,
    // as the calculation places it; their signs, all the checks read of them, hold over the stretch.
    Evaluation Evaluate(int minute, const MomentResult& muhurtha) {
        input_.muhurtha.hour = Short(minute / 60);
        input_.muhurtha.minute = Short(minute % 60);
        EvaluationInput in = MakeEvaluationInput(input_, birth_, muhurtha, calendar_ ? &*calendar_ : nullptr);
        if (readsPlanets_) in.planetTexts = planetTexts_;
        return *EvaluateMuhurtha(in);
    }

    // The people after the first at the stretch starting at `minute`, evaluated as the first is, and everyone's
    // bala from the Sun's and Jupiter's signs of the planet readings (whose changes end the stretches).
    OthersShown EvaluateOthers(int minute, const MomentResult& muhurtha, const ChangeCursor& at) {
        OthersShown shown;
        for (OtherSearched& other : others_) {
            other.input.muhurtha.hour = Short(minute / 60);
            other.input.muhurtha.minute = Short(minute % 60);
            EvaluationInput in =
                MakeEvaluationInput(other.input, other.birth, muhurtha, calendar_ ? &*calendar_ : nullptr);
            if (readsPlanets_) in.planetTexts = planetTexts_;
            shown.evaluations.push_back(*EvaluateMuhurtha(in));
        }
        shown.balas.assign(roles_.size(), std::nullopt);
        if (readsBalas_) {
            const Sky& sky = changes_.Planets(at);
            const int sunSign = sky.at(Body::Sun).signIndex;
            const int jupiterSign = sky.at(Body::Jupiter).signIndex;
            for (std::size_t i = 0; i < roles_.size(); ++i) {
                const MomentResult& birth = i == 0 ? birth_ : others_[i - 1].birth;
                shown.balas[i] = ReadBala(roles_[i], birth.chart.rashiIndex, sunSign, jupiterSign);
            }
        }
        return shown;
    }

    const FinderQuery& query_;
    const MomentResult birth_;
    const bool readsPlanets_;
    const bool readsBalas_;
    const std::vector<Role> roles_;  // everyone's, the first person's first
    std::vector<OtherSearched> others_;
    bool searchedAny_ = false;
    DateChanges changes_;
    CalculationInput input_;
    std::int32_t offsetSeconds_ = 0;  // the clock's offset over the range being searched
    LocalDate date_;                   // the date being searched
    std::optional<int> sunriseMinute_;  // its first minute of the new weekday, with the weekday from sunrise
    std::array<std::string, 7> planetTexts_;
    AvoidedPeriods avoided_;
    const VetoedMinutes vetoed_;
    std::vector<bool> covering_;  // by span of vetoed_: it left out minutes otherwise searched
    // The lunar calendar of the whole search when the factor reads the true month, none under the table. The month
    // is read by the stretch's tithi (TrueLunarMonthAt), so it changes only where a stretch ends.
    const std::optional<LunarCalendar> calendar_;
};

}  // namespace

}  // namespace finding

FinderResult FindWindows(const FinderQuery& query, const FinderControl& control) {
    if (std::string problem = QueryProblem(query); !problem.empty()) throw FinderError(problem);
    FinderResult result;
    result.datesTotal = DatesInSpan(query.from, query.to);
    // Room for the windows of a usual search (twenty to thirty a date) from the start: growing the list copies it
    // and touches fresh memory at each step, which costs more than the search of many dates. Room never used is
    // never touched.
    result.windows.reserve(static_cast<std::size_t>(result.datesTotal) * finding::ReservedWindowsPerDate);
    finding::Search search(query);
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
    if (!search.SearchedAny() && !result.cancelled) result.vetoed = search.Vetoed();
    return result;
}

std::string VetoedSpanText(const VetoedSpan& vetoed) {
    std::string text = "No times found: the vetoes left out cover every minute of the span (";
    for (std::size_t i = 0; i < vetoed.spans.size(); ++i) {
        if (i > 0) text += "; ";
        text += std::string(RowOf(vetoed.spans[i].veto).name) + ", " + SpanDatesText(vetoed.spans[i]);
    }
    text += "). ";
    const auto dateText = [](LocalDate date) {
        return std::to_string(date.day) + " " + std::string(MonthName(date.month)) + " " + std::to_string(date.year);
    };
    text += vetoed.nextAllowed ? "The next allowed date is " + dateText(*vetoed.nextAllowed) + "."
                               : "No date up to " + dateText(vetoed.lastLookedAt) + " is free of them.";
    for (const VetoMinutes& span : vetoed.spans) {
        if (span.veto == Veto::GuruAsta || span.veto == Veto::ShukraAsta) {
            return text + " " + std::string(CombustionNote);
        }
    }
    return text;
}

}  // namespace kalvora
