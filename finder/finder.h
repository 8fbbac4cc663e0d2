#pragma once
// The muhurtha finder: searches a span of local dates for the times at which the chosen undertaking rates best.
//
// Over one local date the evaluation can change only where one of a few quantities changes: the nakshatra and
// the sign of the Moon, the sign of the ascendant, the tithi, yoga, karana and paksha of the almanac, the table
// lagna of the planet check (a function of month, day and typed time), and the signs of the planets the planet
// check reads (which may also move backward). The weekday and the lunar month follow the date. The finder finds
// each change minute of each quantity directly (predicted from the quantity's rate, then pinned down on whole
// minutes) and evaluates once per stretch between changes, so a year takes a small fraction of a second, and its
// windows are exactly what a minute-by-minute run of the normal calculation gives.
//
// For several people (a bride and a groom, a family) each person is evaluated at each stretch against the same
// muhurtha, as the calculation for several people does: their evaluations read the same quantities, so the change
// minutes are the same, and where the undertaking has roles the Surya and Guru balas add the Sun's and Jupiter's
// changes of sign. Each window then carries everyone's rating and the combined verdict, and is ranked by it.
//
// The finder by job: dates.cpp checks a query's dates and writes their texts; quantities.h and planet_quantity.h
// read the quantities, and date_changes.h finds their change minutes with driver/change_search.h; clock.h puts
// each minute on the offset of the zone's history in force at it; searched_minutes.h leaves out the minutes outside
// the daily window, in the avoided periods and in the chosen vetoes; search.cpp runs the search date by date and
// says why a span the vetoes cover gave nothing; listing.cpp ranks, merges and cuts the windows found.

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "astro/local_time.h"
#include "day/period_tables.h"
#include "driver/calculation.h"
#include "driver/day_table.h"
#include "driver/people_calculation.h"
#include "driver/season.h"
#include "season/tables.h"

namespace kalvora {

inline constexpr int MaximumSpanYears = 10;

// A daily time window, both minutes inclusive (07:00 to 21:00 is 420 to 1260). When firstMinute is after
// lastMinute the window runs past midnight: each date's minutes from firstMinute on and up to lastMinute.
struct DailyWindow {
    int firstMinute = 0;
    int lastMinute = MinutesPerDay - 1;
};

struct FinderQuery {
    // The pages' input: subject (one of the 34 subject texts), person, birth moment, and the muhurtha's place,
    // zone and daylight-saving flag. The muhurtha's date and time and the weekday box are ignored: the search
    // fills them in for each minute (see MinuteInput).
    CalculationInput input;
    LocalDate from;       // first date searched
    LocalDate to;         // last date searched (inclusive), less than MaximumSpanYears after `from`
    DailyWindow between;  // the whole day unless narrowed
    std::array<bool, 7> leftOutWeekdays{};  // by weekday number - 1: [0] Sunday .. [6] Saturday
    bool keepEvaluations = false;           // keep each window's whole evaluation (factor lines and all)
    // The muhurtha's clock when it follows a zone's history, in time order, the first in force from before the
    // span. Each local minute is searched on the offset in force at it: a minute the clocks jumped over is not
    // searched, and a minute the clocks passed twice is searched once on each offset. Empty: the muhurtha's own
    // zone fields hold all through.
    std::vector<ClockPeriod> clock;
    // Periods left out of the search, by InauspiciousPeriod: a minute whose start lies in one of them (in the
    // day from sunrise to the next sunrise that holds it, Hindu sunrise at the muhurtha's place) is not searched.
    std::array<bool, InauspiciousPeriodNames.size()> avoidedPeriods{};
    // Spans of the day's table left out of the search, by MoonMark (Varjyam, Bhadra, Panchaka): a minute whose start
    // lies in one of them (the spans the day's table lists, on the zone's clock) is not searched.
    std::array<bool, MoonMarkNames.size()> avoidedMarks{};
    // Vetoes left out of the search, by Veto: a minute whose start lies in a span of one of them is not searched.
    // None here; the command line and the finder window start from the undertaking's (VetoesOf).
    std::array<bool, VetoCount> vetoes{};
    // The people after the first (input's person), each evaluated at every minute as the calculation for several
    // people evaluates them (CalculatePeople), and their roles (as PeopleInput::roles: empty for the roles of
    // their sexes). With none, the search is the one person's and its windows carry no WindowPeople.
    std::vector<OtherPerson> others;
    std::vector<Role> roles;
    // Keep only the minutes that are Good: the combined verdict of several people (so no bad Surya or Guru bala
    // held it at Average), the one person's rating otherwise.
    bool allGood = false;
};

// How many dates past a span the next allowed date is looked for: a year.
inline constexpr int LookAheadDays = 366;
// The last date looked at for the next allowed date after a span ending on `to` (never past LastYear): a clock
// read from a zone should reach it.
LocalDate LastDateLookedAhead(LocalDate to);

// A query the finder refuses; the message is one line naming what is wrong.
struct FinderError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// "" for a date the finder can search (a real calendar date in FirstYear..LastYear), else why not.
std::string DateProblem(LocalDate date);
// "" when from..to can be searched: both dates good, from not after to, and to less than MaximumSpanYears
// after from (a span from 2026-03-01 may end on 2036-02-29 at the latest); else why not.
std::string SpanProblem(LocalDate from, LocalDate to);
// "" when the whole query can be searched (subject, dates, span, daily window), else the first problem.
std::string QueryProblem(const FinderQuery& query);

// Number of dates from..to, both inclusive (0 when to is before from).
int DatesInSpan(LocalDate from, LocalDate to);

// The pages' input for one local minute of the query: the place with the date and time filled in, and the
// weekday box showing the weekday of the date. The normal calculation of this input is what the finder's
// windows report.
CalculationInput MinuteInput(const FinderQuery& query, LocalDate date, int minute);

struct FoundWindow;
// The pages' input for the first minute of a found window, its zone fields those of the clock's offset over the
// window (on a zone's clock; the typed zone otherwise).
CalculationInput WindowStartInput(const FinderQuery& query, const FoundWindow& window);

// The names of the muhurtha over a window. They point into the engines' constant name tables.
struct WindowNames {
    std::string_view nakshatra, rashi, lagna, tithi, yoga, karana, weekday;
    friend bool operator==(const WindowNames&, const WindowNames&) = default;
};

// One person's part of a window searched for several people.
struct WindowPerson {
    std::string name;
    Role role = Role::None;
    Rating rating = Rating::NotRated;  // not rated when the person's evaluation stopped
    std::int16_t count = 0;
    std::int16_t totalScore = 0;
    std::optional<BalaReading> bala;  // where the person has a role and the planets are placed
    friend bool operator==(const WindowPerson&, const WindowPerson&) = default;
};

// The people of a window searched for several people, the first person first, and their combined verdict.
struct WindowPeople {
    std::vector<WindowPerson> people;
    CombinedVerdict combined;
    // The people's counts and total scores added up: what ranks windows of one combined rating.
    int count = 0;
    int totalScore = 0;
    friend bool operator==(const WindowPeople&, const WindowPeople&) = default;
};

// A run of consecutive minutes of one local date over which the evaluation (factor lines, rating, count, total
// score and the rest) and the names are all unchanged; a window never spans local midnight nor a change of the
// clock's offset. Searched for several people, every person's evaluation and Surya or Guru bala is unchanged too;
// the window's own fields are then the first person's, and `people` holds everyone's ratings and the combined
// verdict, which is what the window is ranked and merged by (RankedRating).
//
// A merged window (pieces > 1, see MergeAdjacentWindows) joins consecutive windows of one date with the same
// rating: firstMinute and lastMinute span all its pieces, and every other field (rating, count, threshold, total
// score, names, evaluation) is that of its best piece by RanksBefore, which lies at bestFirstMinute..bestLastMinute.
struct FoundWindow {
    LocalDate date;
    int firstMinute = 0;  // minute of the date, 0..1439
    int lastMinute = 0;   // the last minute inside
    Rating rating = Rating::NotRated;  // not rated when the evaluation stopped
    std::int16_t count = 0;
    std::int16_t threshold = 0;
    std::int16_t totalScore = 0;
    WindowNames names;
    std::shared_ptr<const Evaluation> evaluation;  // the first person's, only when the query keeps evaluations
    std::int32_t offsetSeconds = 0;  // the clock's offset over the window, east of UT, daylight saving included
    int pieces = 1;
    int bestFirstMinute = 0;
    int bestLastMinute = 0;
    std::shared_ptr<const WindowPeople> people;  // only when several people are searched
    // Equal when every field is; a kept evaluation and the people count as equal only when each is the same record.
    friend bool operator==(const FoundWindow&, const FoundWindow&) = default;
};

// The rating a window is ranked, merged and kept by --all-good by: the combined verdict's with several people
// (not rated when an evaluation stopped), the window's own otherwise.
inline Rating RankedRating(const FoundWindow& w) { return w.people ? w.people->combined.rating : w.rating; }

// "Average: Asha Good, Ravi Good; Surya bala bad for Ravi": the combined rating, everyone's, and each bad bala.
std::string WindowPeopleText(const WindowPeople& people);

// Hooks for running the search away from the interface thread. Both are looked at once per date.
struct FinderControl {
    std::function<void(int datesDone, int datesTotal)> progress;  // after each date
    const std::atomic<bool>* cancel = nullptr;                    // set it to stop the search early
};

// Why a search found nothing when the chosen vetoes covered it.
struct VetoedSpan {
    // The spans of the chosen vetoes that hold minutes the search would otherwise have searched, each whole, by
    // start, on the clock in force at its start.
    std::vector<VetoMinutes> spans;
    // The first date after the span with a minute the search would take (in the daily window, on a weekday
    // searched, outside the avoided periods) that lies in none of the chosen vetoes; none up to lastLookedAt.
    std::optional<LocalDate> nextAllowed;
    LocalDate lastLookedAt;  // LastDateLookedAhead of the span's last date
};

struct FinderResult {
    std::vector<FoundWindow> windows;  // in time order
    int datesSearched = 0;
    int datesTotal = 0;
    bool cancelled = false;  // stopped by the cancel flag; the windows of the dates searched are kept
    // Set only when a search that ran to its end found nothing because the chosen vetoes left out every minute it
    // would otherwise have searched.
    std::optional<VetoedSpan> vetoed;
};

// "No times found: the vetoes left out cover every minute of the span (Guru asta, 14 July to 13 August 2026;
// Chaturmas, 24 July to 20 November 2026). The next allowed date is 20 November 2026." and, where a combustion
// span is named, how combustion is dated (CombustionNote).
std::string VetoedSpanText(const VetoedSpan& vetoed);

// Searches the query's dates; throws FinderError when QueryProblem finds a problem.
FinderResult FindWindows(const FinderQuery& query, const FinderControl& control = {});

// Best first: rating Good, then Average, then Bad, then not rated; then the higher count, then the higher total
// score, then the earlier window. With several people: the combined rating (RankedRating), then the people's
// counts added up, then their total scores added up, then the earlier window, so that the order does not depend
// on the order the people are given in.
bool RanksBefore(const FoundWindow& a, const FoundWindow& b);
// Sorts best first (RanksBefore).
void RankWindows(std::vector<FoundWindow>& windows);
// Joins, in a time-ordered list, each run of windows that follow one another minute to minute on one date and
// one offset with the same rating (RankedRating) into one merged window (see FoundWindow for the fields a merged
// window reports).
std::vector<FoundWindow> MergeAdjacentWindows(const std::vector<FoundWindow>& timeOrdered);

enum class WindowOrder { Rank, Time };

struct WindowListing {
    WindowOrder order = WindowOrder::Rank;
    bool mergeEqualRatings = true;
    std::size_t top = 0;  // at most this many windows, the first of the order; 0 for all of them
};

// The windows of a search (in time order) arranged for showing: merged if asked, ordered, cut to the top N.
std::vector<FoundWindow> ListWindows(const std::vector<FoundWindow>& timeOrdered, const WindowListing& listing);

}  // namespace kalvora
