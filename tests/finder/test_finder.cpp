// The muhurtha finder against a minute-by-minute run of the normal calculation, and its ranking, merging, time
// window, left-out weekdays, vetoes, midnight rule, span limit and progress hooks.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "finder/finder.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "cli/places.h"
#include "day/periods.h"
#include "driver/day_table.h"
#include "driver/day_view.h"
#include "season/season.h"
#include "tests/support/moments.h"
#include "zone/zone.h"

namespace kalvora {
namespace {

using testing::Delhi;
using testing::Moment;

// Places (date and time fields are ignored by the finder).
const MomentInput DelhiPlace = Delhi(2000, 1, 1, 0, 0);
const MomentInput SydneySummer = Moment().ZoneEast(10).DaylightSaving().East(151, 12).South(33, 52);
const MomentInput NewYork = Moment().ZoneWest(5).West(74, 0).North(40, 43);
const MomentInput BuenosAires = Moment().ZoneWest(3).West(58, 22).South(34, 36);
const MomentInput Reykjavik = Moment().West(21, 56).North(64, 9);
const MomentInput Tromso = Moment().ZoneEast(1).DaylightSaving().East(18, 57).North(69, 39);  // beyond the polar circle
const MomentInput Longyearbyen = Moment().ZoneEast(1).East(15, 38).North(78, 13);  // far beyond it
const MomentInput Honolulu = Moment().ZoneWest(10).West(157, 51).North(21, 18);
const MomentInput Dhaka = Moment().ZoneEast(6).East(90, 25).North(23, 43);
const MomentInput McMurdo = Moment().ZoneEast(12).East(166, 40).South(77, 51);     // far south

FinderQuery Query(const std::string& subject, const MomentInput& place, LocalDate from, LocalDate to) {
    FinderQuery q;
    q.input.subject = subject;
    q.input.birth = Delhi(1990, 5, 17, 6, 45);
    q.input.personName = "Asha";
    q.input.personSex = "Female";
    q.input.muhurtha = place;
    q.from = from;
    q.to = to;
    q.keepEvaluations = true;
    return q;
}

// --- The reference: the normal calculation at every minute ------------------------------------------------------

struct MinuteResult {
    WindowNames names;
    Evaluation evaluation;
};

// With `zone`, the muhurtha takes its zone fields.
MinuteResult NormalCalculation(const FinderQuery& q, LocalDate date, int minute, const TypedZone* zone = nullptr) {
    CalculationInput in = q.input;
    if (zone) in.muhurtha.zone = *zone;
    in.muhurtha.year = static_cast<std::int16_t>(date.year);
    in.muhurtha.month = static_cast<std::int16_t>(date.month);
    in.muhurtha.day = static_cast<std::int16_t>(date.day);
    in.muhurtha.hour = static_cast<std::int16_t>(minute / 60);
    in.muhurtha.minute = static_cast<std::int16_t>(minute % 60);
    in.muhurthaWeekdayBox = WeekdayNames[static_cast<std::size_t>(WeekdayOf(date) - 1)];
    Calculation c = Calculate(in);
    const MomentResult& m = c.muhurtha;
    MinuteResult r;
    r.names = {m.chart.nakshatra,      m.chart.rashi,          m.chart.lagnaSign,        m.panchanga.tithiName,
               m.panchanga.yogaName,   m.panchanga.karanaName, m.panchanga.weekdayName};
    r.evaluation = std::move(*c.evaluation);
    return r;
}

struct ReferenceWindow {
    LocalDate date;
    int first = 0;
    int last = 0;
    WindowNames names;
    Evaluation evaluation;
};

// Whether a minute's start lies in one of the query's avoided periods, from the day (sunrise to the next
// sunrise) that holds it: the day of the minute's local date, or of the date before when the minute comes before
// the date's sunrise (as SunDayOfMoment takes it; the days are kept per date, as the Sun's risings are slow to find
// near the poles).
bool InAvoidedPeriod(const FinderQuery& q, LocalDate date, int minute, std::map<long, SunDay>& days) {
    const MomentInput& place = q.input.muhurtha;
    const auto dayOf = [&](LocalDate d) {
        auto at = days.find(DayNumber(d));
        if (at == days.end()) {
            const SunDay sun = ComputeSunDay(d, DayPlaceOf(place.place, place.zone), q.input.conventions.sunrise);
            at = days.emplace(DayNumber(d), sun).first;
        }
        return at->second;
    };
    const double jdUt = JdUtOfClockMinute(static_cast<ClockMinute>(DayNumber(date)) * MinutesPerDay + minute, place.zone);
    SunDay day = dayOf(date);
    if (day.sunriseJdUt && jdUt < *day.sunriseJdUt) day = dayOf(AddDays(date, -1));
    const auto frame = FrameOf(day);
    if (!frame) return false;
    for (const InauspiciousPeriod period : InauspiciousPeriodsAt(PeriodsOfDay(*frame), jdUt)) {
        if (q.avoidedPeriods[static_cast<std::size_t>(period)]) return true;
    }
    return false;
}

// The spans of the query's vetoes over its dates and a few days each side.
std::vector<VetoSpan> VetoSpansOf(const FinderQuery& q) {
    const double from = LocalMidnightJdUt(AddDays(q.from, -3), 0);
    const double to = LocalMidnightJdUt(AddDays(q.to, 3), 0);
    return LunarCalendar(from, to, q.input.conventions.ayanamsa).VetoSpans(from, to, q.vetoes);
}

// Whether a local minute's start, on a zone offset, lies in one of the spans.
bool InVeto(const std::vector<VetoSpan>& spans, LocalDate date, int minute, int offsetSeconds) {
    const double jdUt = JdUtOfClockMinute(ClockMinuteOf(date, minute), offsetSeconds);
    return std::any_of(spans.begin(), spans.end(),
                       [jdUt](const VetoSpan& s) { return s.startJdUt <= jdUt && jdUt < s.endJdUt; });
}

// The spans of the query's avoided marks as the day's table of each date lists them, from the day before the first
// date to the day after the last.
std::vector<TimeSpan> MarkSpansOf(const FinderQuery& q) {
    std::vector<TimeSpan> spans;
    const MomentInput& m = q.input.muhurtha;
    for (LocalDate date = AddDays(q.from, -1); date <= AddDays(q.to, 1); date = AddDays(date, 1)) {
        const DayTable table = ComputeDayView(m.place, m.zone, date, q.input.conventions).table;
        const std::array<const std::vector<TimeSpan>*, 3> byMark = {&table.varjyam, &table.bhadra, &table.panchaka};
        for (std::size_t i = 0; i < byMark.size(); ++i) {
            if (q.avoidedMarks[i]) spans.insert(spans.end(), byMark[i]->begin(), byMark[i]->end());
        }
    }
    return spans;
}

// Maximal runs of minutes of one date, inside the daily window, outside the avoided periods and the vetoes, and on
// searched weekdays, over which the names and the whole evaluation stay the same.
std::vector<ReferenceWindow> MinuteByMinute(const FinderQuery& q) {
    bool avoiding = false;
    for (const bool avoided : q.avoidedPeriods) avoiding = avoiding || avoided;
    std::map<long, SunDay> days;  // the query's days by day number
    const std::vector<VetoSpan> vetoes = VetoSpansOf(q);
    const std::vector<TimeSpan> marks = MarkSpansOf(q);
    const int offset = ZoneOffsetSeconds(q.input.muhurtha.zone);
    const auto inside = [&q, avoiding, &days, &vetoes, &marks, offset](LocalDate date, int minute) {
        const int a = q.between.firstMinute, b = q.between.lastMinute;
        const bool inWindow = a <= b ? (minute >= a && minute <= b) : (minute >= a || minute <= b);
        const double jdUt = JdUtOfClockMinute(ClockMinuteOf(date, minute), offset);
        const bool marked = std::any_of(marks.begin(), marks.end(), [jdUt](const TimeSpan& s) { return s.Contains(jdUt); });
        return inWindow && !marked && !(avoiding && InAvoidedPeriod(q, date, minute, days)) &&
               !InVeto(vetoes, date, minute, offset);
    };
    std::vector<ReferenceWindow> windows;
    for (LocalDate date = q.from; date <= q.to; date = AddDays(date, 1)) {
        if (q.leftOutWeekdays[static_cast<std::size_t>(WeekdayOf(date) - 1)]) continue;
        bool continues = false;  // the minute before was searched too, so a window may run on
        for (int minute = 0; minute < MinutesPerDay; ++minute) {
            if (!inside(date, minute)) {
                continues = false;
                continue;
            }
            MinuteResult r = NormalCalculation(q, date, minute);
            if (continues && r.names == windows.back().names && r.evaluation == windows.back().evaluation) {
                windows.back().last = minute;
            } else {
                windows.push_back({date, minute, minute, r.names, std::move(r.evaluation)});
            }
            continues = true;
        }
    }
    return windows;
}

struct BruteForceCase {
    const char* what;
    const char* subject;
    MomentInput place;
    LocalDate from;
    LocalDate to;
    DailyWindow between;
    int leftOutWeekday;  // 1 = Sunday .. 7 = Saturday, 0 for none
    MomentInput birth;
    bool avoidEveryPeriod = false;  // Rahu kalam, Yamaganda, Gulika and the Durmuhurtas left out
    bool avoidYamagandaAlone = false;
    bool undertakingVetoes = false;  // the vetoes of the undertaking left out
    bool avoidMarks = false;  // Varjyam, Bhadra and Panchaka left out
    Conventions conventions = {};
};

const DailyWindow WholeDay{};

void PrintTo(const BruteForceCase& c, std::ostream* os) { *os << c.what; }

// The case's words run together as its test name: "Delhi marriage" is DelhiMarriage.
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    bool wordStart = true;
    for (const char* p = info.param.what; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (!std::isalnum(c)) {
            wordStart = true;
            continue;
        }
        name += static_cast<char>(wordStart ? std::toupper(c) : c);
        wordStart = false;
    }
    return name;
}

class FinderAgainstMinuteByMinute : public ::testing::TestWithParam<BruteForceCase> {};

TEST_P(FinderAgainstMinuteByMinute, SameWindowsAndResults) {
    const BruteForceCase& c = GetParam();
    FinderQuery q = Query(c.subject, c.place, c.from, c.to);
    q.between = c.between;
    q.input.birth = c.birth;
    if (c.leftOutWeekday > 0) q.leftOutWeekdays[static_cast<std::size_t>(c.leftOutWeekday - 1)] = true;
    if (c.avoidEveryPeriod) q.avoidedPeriods.fill(true);
    if (c.avoidYamagandaAlone) q.avoidedPeriods[static_cast<std::size_t>(InauspiciousPeriod::Yamaganda)] = true;
    if (c.undertakingVetoes) q.vetoes = VetoesOf(*FindSubject(c.subject));
    if (c.avoidMarks) q.avoidedMarks.fill(true);
    q.input.conventions = c.conventions;

    const FinderResult found = FindWindows(q);
    const std::vector<ReferenceWindow> expected = MinuteByMinute(q);
    ASSERT_FALSE(expected.empty()) << c.what;
    ASSERT_EQ(found.windows.size(), expected.size()) << c.what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FoundWindow& w = found.windows[i];
        const ReferenceWindow& e = expected[i];
        SCOPED_TRACE(std::string(c.what) + ", window " + std::to_string(i) + " at " + DateText(e.date) + " " +
                     ClockText(e.first));
        EXPECT_EQ(w.date, e.date);
        EXPECT_EQ(w.firstMinute, e.first);
        EXPECT_EQ(w.lastMinute, e.last);
        EXPECT_EQ(w.names, e.names);
        EXPECT_EQ(w.rating, e.evaluation.rating);
        EXPECT_EQ(w.count, e.evaluation.count);
        EXPECT_EQ(w.threshold, e.evaluation.threshold);
        EXPECT_EQ(w.totalScore, e.evaluation.totalScore);
        ASSERT_TRUE(w.evaluation);
        EXPECT_TRUE(*w.evaluation == e.evaluation) << "found:\n" << w.evaluation->resultText << "\nexpected:\n"
                                                   << e.evaluation.resultText;
        if (::testing::Test::HasFailure()) return;
    }
}

const MomentInput BirthDelhi = Delhi(1990, 5, 17, 6, 45);
const MomentInput BirthNewYork = Moment().On(1985, 11, 2).At(23, 10).ZoneWest(5).West(74, 0).North(40, 43);
// A child born a few days before the searched dates: the naming age window opens and closes with the date.
const MomentInput BirthOfChild = Moment().On(2026, 3, 1).At(4, 20).ZoneWest(3).West(58, 22).South(34, 36);
// Born after the searched dates: the rule set stops and nothing is rated.
const MomentInput BirthLater = Delhi(2027, 1, 1, 12, 0);

INSTANTIATE_TEST_SUITE_P(
    Spans, FinderAgainstMinuteByMinute,
    ::testing::Values(
        BruteForceCase{"Delhi marriage", "Marriage", DelhiPlace, {2026, 3, 10}, {2026, 3, 12}, WholeDay, 0, BirthDelhi},
        BruteForceCase{"Sydney in summer time, domestic journey", "Domestic Journey", SydneySummer, {2026, 1, 30},
                       {2026, 2, 1}, WholeDay, 0, BirthDelhi},
        BruteForceCase{"New York, trade learning", "Learning of a Trade", NewYork, {2025, 6, 28}, {2025, 7, 1},
                       WholeDay, 0, BirthNewYork},
        BruteForceCase{"Buenos Aires, naming a child", "Naming of The Child or Namakarana", BuenosAires,
                       {2026, 3, 9}, {2026, 3, 12}, WholeDay, 0, BirthOfChild},
        BruteForceCase{"Reykjavik, religious journey", "Religious Journey", Reykjavik, {2024, 12, 20}, {2024, 12, 22},
                       WholeDay, 0, BirthNewYork},
        BruteForceCase{"Tromso in June, selling", "Sell Item", Tromso, {2026, 6, 20}, {2026, 6, 22}, WholeDay, 0,
                       BirthDelhi},
        BruteForceCase{"Longyearbyen in December, foreign journey", "Foreign Journey", Longyearbyen, {2026, 12, 1},
                       {2026, 12, 3}, WholeDay, 0, BirthDelhi},
        BruteForceCase{"McMurdo, trade learning", "Learning of a Trade", McMurdo, {2026, 9, 14}, {2026, 9, 15},
                       WholeDay, 0, BirthDelhi},
        BruteForceCase{"Delhi evenings into mornings, Sundays left out", "Start A New Business", DelhiPlace,
                       {2026, 5, 1}, {2026, 5, 4}, DailyWindow{22 * 60, 2 * 60 + 30}, 1, BirthDelhi},
        BruteForceCase{"New York working hours, born after the span", "Entering a New House", NewYork, {2026, 8, 3},
                       {2026, 8, 4}, DailyWindow{9 * 60, 17 * 60}, 0, BirthLater},
        // Every avoided period left out: a window ends where a period begins. Tuesday 2026-03-10 has the night's
        // Durmuhurta; the New York window runs past midnight through the hours before sunrise; Tromso turns to
        // days without sunset.
        BruteForceCase{"Delhi marriage, every period avoided", "Marriage", DelhiPlace, {2026, 3, 9}, {2026, 3, 12},
                       WholeDay, 0, BirthDelhi, true},
        BruteForceCase{"New York evenings into mornings, every period avoided", "Start A New Business", NewYork,
                       {2025, 6, 28}, {2025, 7, 1}, DailyWindow{20 * 60, 9 * 60}, 0, BirthNewYork, true},
        BruteForceCase{"Tromso in May, every period avoided", "Sell Item", Tromso, {2026, 5, 17}, {2026, 5, 19},
                       WholeDay, 0, BirthDelhi, true},
        // Varjyam, Bhadra and Panchaka left out, as the day's table lists them: Panchaka from 2026-12-14 22:38,
        // Bhadra from 2026-12-16 22:46 in Delhi, a Varjyam each day; in Sydney on its summer clock (+11:00).
        BruteForceCase{"Delhi marriage, Varjyam Bhadra and Panchaka avoided", "Marriage", DelhiPlace, {2026, 12, 14},
                       {2026, 12, 17}, WholeDay, 0, BirthDelhi, false, false, false, true},
        BruteForceCase{"Sydney, Varjyam Bhadra and Panchaka avoided", "Domestic Journey", SydneySummer,
                       {2026, 12, 15}, {2026, 12, 16}, WholeDay, 0, BirthDelhi, false, false, false, true},
        // The Raman ayanamsa, 1.45 degrees short of Lahiri: the Sun enters Dhanu (Kharmas) about a day and a half
        // earlier, the Moon's marks and the lagnas move; and Mars enters Simha some three days earlier.
        BruteForceCase{"Delhi marriage, Raman ayanamsa, vetoes and marks", "Marriage", DelhiPlace, {2026, 12, 13},
                       {2026, 12, 15}, WholeDay, 0, BirthDelhi, false, false, true, true, {.ayanamsa = Ayanamsa::Raman}},
        BruteForceCase{"Honolulu, Raman ayanamsa, trade learning", "Learning of a Trade", Honolulu, {2026, 11, 8},
                       {2026, 11, 10}, WholeDay, 0, BirthNewYork, false, false, false, false,
                       {.ayanamsa = Ayanamsa::Raman}},
        // The precise ephemeris: the library's Moon runs up to a minute of arc from the series, so the marks, the
        // limbs and Kharmas move by minutes. With True Pushya over the Sun's passage of its star (about
        // 2026-08-01 00:00 UT), whose light-bending moves that ayanamsa by seconds of arc within hours.
        BruteForceCase{"Delhi marriage, precise ephemeris, vetoes and marks", "Marriage", DelhiPlace, {2026, 12, 14},
                       {2026, 12, 16}, WholeDay, 0, BirthDelhi, false, false, true, true,
                       {.ephemeris = EphemerisChoice::Precise}},
        BruteForceCase{"New York, precise True Pushya over its star's passage, weekday from sunrise", "Marriage",
                       NewYork, {2026, 7, 31}, {2026, 7, 31}, WholeDay, 0, BirthNewYork, false,
                       false, false, false,
                       {.ayanamsa = Ayanamsa::TruePushya, .weekday = WeekdayRule::Sunrise,
                        .ephemeris = EphemerisChoice::Precise}},
        // The weekday from sunrise: each date's minutes before its sunrise read the day before, in Delhi; in New
        // York also with the standard sunrise and every period avoided.
        BruteForceCase{"Delhi marriage, weekday from sunrise", "Marriage", DelhiPlace, {2026, 12, 13}, {2026, 12, 14},
                       WholeDay, 0, BirthDelhi, false, false, false, false, {.weekday = WeekdayRule::Sunrise}},
        BruteForceCase{"New York, weekday from the standard sunrise, every period avoided", "Start A New Business",
                       NewYork, {2026, 6, 9}, {2026, 6, 10}, WholeDay, 0, BirthNewYork, true, false, false, false,
                       {.weekday = WeekdayRule::Sunrise, .sunrise = SunriseDefinition::Standard}},
        // The true lunar month: amanta Chaitra turns Vaisakha at the new moon of 2026-04-17 (about 17:22 in Delhi),
        // purnimanta Vaisakha turns Jyaistha at the full moon of 2026-05-01 (about 22:53); the construction's factor
        // turns Favourable, then Neutral. Inside Adhika Jyaistha (2026-05-17 to 06-15) the new house's Jyaistha is
        // never Favourable.
        BruteForceCase{"Delhi construction, amanta month change", "Starting the Construction of a House", DelhiPlace,
                       {2026, 4, 16}, {2026, 4, 18}, WholeDay, 0, BirthDelhi, false, false, false, false,
                       {.lunarMonth = LunarMonthRule::Amanta}},
        BruteForceCase{"Delhi construction, purnimanta month change", "Starting the Construction of a House",
                       DelhiPlace, {2026, 4, 30}, {2026, 5, 2}, WholeDay, 0, BirthDelhi, false, false, false, false,
                       {.lunarMonth = LunarMonthRule::Purnimanta}},
        BruteForceCase{"New York new house, amanta leap month", "Entering a New House", NewYork, {2026, 5, 18},
                       {2026, 5, 19}, WholeDay, 0, BirthNewYork, false, false, false, false,
                       {.lunarMonth = LunarMonthRule::Amanta}},
        // Planets changing sign and turning back (times UT from the ephemeris): the subjects that read planets.
        // Mars enters Simha 2026-11-12 14:48 (04:48 in Honolulu, where Mars then leaves the tenth place of the
        // trade's planet list).
        BruteForceCase{"Honolulu, Mars enters Simha, trade learning", "Learning of a Trade", Honolulu,
                       {2026, 11, 12}, {2026, 11, 12}, WholeDay, 0, BirthDelhi},
        // Mercury enters Makara ("Cpr" in the planet texts) 2026-01-17 04:54 (15:54 in Sydney).
        BruteForceCase{"Sydney, Mercury enters Makara, religious journey", "Religious Journey", SydneySummer,
                       {2026, 1, 17}, {2026, 1, 17}, WholeDay, 0, BirthDelhi},
        // Mercury turns retrograde 2026-06-29 17:34 at 2°01' Kataka (23:04 in Delhi), two degrees from the
        // boundary it goes back over on 2026-07-07 05:16 (10:46 in Delhi).
        BruteForceCase{"Delhi, Mercury turns back in Kataka, trade learning", "Learning of a Trade", DelhiPlace,
                       {2026, 6, 29}, {2026, 6, 30}, WholeDay, 0, BirthDelhi},
        BruteForceCase{"Delhi, Mercury back into Mithuna, religious journey", "Religious Journey", DelhiPlace,
                       {2026, 7, 7}, {2026, 7, 7}, WholeDay, 0, BirthDelhi},
        BruteForceCase{"Dhaka, Mercury back into Mithuna, trade learning", "Learning of a Trade", Dhaka, {2026, 7, 7},
                       {2026, 7, 7}, WholeDay, 0, BirthDelhi},
        // Venus turns direct 2026-11-14 00:29 (19:29 on the 13th in New York) in Kanya, which it re-entered
        // backward 2026-11-05 19:34 (14:34 in New York).
        BruteForceCase{"New York, Venus turns direct, domestic journey", "Domestic Journey", NewYork, {2026, 11, 13},
                       {2026, 11, 13}, WholeDay, 0, BirthNewYork},
        BruteForceCase{"New York, Venus back into Kanya, foreign journey", "Foreign Journey", NewYork,
                       {2026, 11, 5}, {2026, 11, 5}, WholeDay, 0, BirthNewYork},
        BruteForceCase{"Honolulu, Venus back into Kanya, trade learning", "Learning of a Trade", Honolulu,
                       {2026, 11, 5}, {2026, 11, 5}, WholeDay, 0, BirthNewYork},
        BruteForceCase{"New York, Venus turns direct, trade learning", "Learning of a Trade", NewYork, {2026, 11, 13},
                       {2026, 11, 13}, WholeDay, 0, BirthNewYork},
        // Mercury turns direct 2022-10-02 about 10:00 UT two minutes of arc into Kanya, close enough to the boundary
        // for its direction to be read at both ends of the date; the span's later dates start from the readings
        // that ended the dates before.
        BruteForceCase{"Delhi, Mercury turns direct beside a boundary, trade learning", "Learning of a Trade",
                       DelhiPlace, {2022, 10, 1}, {2022, 10, 3}, WholeDay, 0, BirthDelhi},
        // Yamaganda alone left out, over a Tuesday (whose night Durmuhurta is not avoided) and the days around it.
        BruteForceCase{"Delhi marriage, Yamaganda avoided", "Marriage", DelhiPlace, {2026, 3, 9}, {2026, 3, 11},
                       WholeDay, 0, BirthDelhi, false, true},
        // A planet's change of sign inside a day cut up by the avoided periods (a Tuesday, so with the night's
        // Durmuhurta too).
        BruteForceCase{"Delhi, Mercury back into Mithuna, every period avoided", "Learning of a Trade", DelhiPlace,
                       {2026, 7, 7}, {2026, 7, 7}, WholeDay, 0, BirthDelhi, true},
        // The marriage's vetoes: Kharmas ends with the Sun entering Mesha on 2026-04-14 (09:33 in Delhi), a day
        // also cut by the avoided periods; Jupiter's combustion begins 2026-07-14 (18:04), searched from the
        // evening before into that morning.
        BruteForceCase{"Delhi marriage, Kharmas ends, every period avoided", "Marriage", DelhiPlace, {2026, 4, 14},
                       {2026, 4, 14}, WholeDay, 0, BirthDelhi, true, false, true},
        BruteForceCase{"Delhi marriage, Jupiter becomes combust", "Marriage", DelhiPlace, {2026, 7, 13},
                       {2026, 7, 14}, DailyWindow{17 * 60, 19 * 60}, 0, BirthDelhi, false, false, true}),
    CaseName<BruteForceCase>);

// --- On a zone's clock ------------------------------------------------------------------------------------------

// The reference on a zone's clock: every local minute looked up in the zone on its own (none for a minute the
// clocks jumped over, two for one they passed twice), the normal calculation on each offset, and windows as
// maximal runs, in the order of universal time, of consecutive minutes of one date on one offset.
struct ZoneReferenceWindow {
    ReferenceWindow window;
    std::int32_t offsetSeconds = 0;
};

std::vector<ZoneReferenceWindow> MinuteByMinuteOnZone(const FinderQuery& q, const TimeZone& zone) {
    const std::vector<VetoSpan> vetoes = VetoSpansOf(q);
    struct Entry {
        std::int64_t utSeconds;
        LocalDate date;
        int minute;
        ZoneOffset offset;
    };
    std::vector<Entry> entries;
    for (LocalDate date = q.from; date <= q.to; date = AddDays(date, 1)) {
        for (int minute = 0; minute < MinutesPerDay; ++minute) {
            const int a = q.between.firstMinute, b = q.between.lastMinute;
            if (!(a <= b ? (minute >= a && minute <= b) : (minute >= a || minute <= b))) continue;
            const LocalDateTime local{date.year, date.month, date.day, minute / 60, minute % 60, 0};
            const LocalTimeInZone found = LookUpLocalTime(zone, local);
            std::vector<ZoneOffset> offsets;
            if (found.kind == LocalTimeKind::Unique) offsets = {found.offset};
            if (found.kind == LocalTimeKind::Repeated) offsets = {found.offset, found.later};
            for (const ZoneOffset& offset : offsets) {
                if (InVeto(vetoes, date, minute, offset.offsetSeconds)) continue;
                entries.push_back({SecondsSinceEpoch(local) - offset.offsetSeconds, date, minute, offset});
            }
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) { return x.utSeconds < y.utSeconds; });
    std::vector<ZoneReferenceWindow> windows;
    for (const Entry& e : entries) {
        const TypedZone zone = TypedZoneOf(e.offset);
        MinuteResult r = NormalCalculation(q, e.date, e.minute, &zone);
        if (!windows.empty()) {
            ZoneReferenceWindow& open = windows.back();
            if (open.window.date == e.date && open.window.last + 1 == e.minute &&
                open.offsetSeconds == e.offset.offsetSeconds && open.window.names == r.names &&
                open.window.evaluation == r.evaluation) {
                open.window.last = e.minute;
                continue;
            }
        }
        windows.push_back({{e.date, e.minute, e.minute, r.names, std::move(r.evaluation)}, e.offset.offsetSeconds});
    }
    return windows;
}

struct ZoneCase {
    const char* what;
    const char* zoneId;
    MomentInput place;  // its zone fields are replaced by the zone's clock
    LocalDate from;
    LocalDate to;
    DailyWindow between;
    const char* subject = "Sell Item";
    std::optional<Veto> veto = std::nullopt;  // left out of the search
};

void PrintTo(const ZoneCase& c, std::ostream* os) { *os << c.what; }

class FinderOnZoneClock : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(FinderOnZoneClock, SameWindowsAndOffsetsAsEachMinuteLookedUp) {
    const ZoneCase& c = GetParam();
    const std::optional<TimeZone> zone = OpenTimeZone(c.zoneId);
    ASSERT_TRUE(zone) << c.zoneId;
    FinderQuery q = Query(c.subject, c.place, c.from, c.to);
    q.between = c.between;
    q.clock = ClockOfZone(*zone, c.from, c.to);
    if (c.veto) q.vetoes[static_cast<std::size_t>(*c.veto)] = true;

    const FinderResult found = FindWindows(q);
    const std::vector<ZoneReferenceWindow> expected = MinuteByMinuteOnZone(q, *zone);
    ASSERT_FALSE(expected.empty()) << c.what;
    ASSERT_EQ(found.windows.size(), expected.size()) << c.what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FoundWindow& w = found.windows[i];
        const ReferenceWindow& e = expected[i].window;
        SCOPED_TRACE(std::string(c.what) + ", window " + std::to_string(i) + " at " + DateText(e.date) + " " +
                     ClockText(e.first) + " " + OffsetText(expected[i].offsetSeconds));
        EXPECT_EQ(w.date, e.date);
        EXPECT_EQ(w.firstMinute, e.first);
        EXPECT_EQ(w.lastMinute, e.last);
        EXPECT_EQ(w.offsetSeconds, expected[i].offsetSeconds);
        EXPECT_EQ(w.names, e.names);
        EXPECT_EQ(w.rating, e.evaluation.rating);
        ASSERT_TRUE(w.evaluation);
        EXPECT_TRUE(*w.evaluation == e.evaluation);
        // The window opened as the pages' input gives the window's moment.
        const CalculationInput start = WindowStartInput(q, w);
        EXPECT_EQ(ZoneOffsetSeconds(start.muhurtha.zone), w.offsetSeconds);
        EXPECT_EQ(Calculate(start).muhurtha.details.lagna, w.names.lagna);
        if (::testing::Test::HasFailure()) return;
    }
}

// Spans across the clock changes of 2021 (tzdata: America/New_York, Europe/London; Asia/Kolkata's change of
// 1942 from +05:30 to +06:30 at 00:00 on 1 September).
INSTANTIATE_TEST_SUITE_P(
    Changes, FinderOnZoneClock,
    ::testing::Values(
        ZoneCase{"New York spring forward", "America/New_York", NewYork, {2021, 3, 13}, {2021, 3, 14}, WholeDay},
        ZoneCase{"New York fall back", "America/New_York", NewYork, {2021, 11, 7}, {2021, 11, 8}, WholeDay},
        ZoneCase{"London spring nights", "Europe/London", Moment().West(0, 8).North(51, 30),
                 {2021, 3, 27}, {2021, 3, 29}, DailyWindow{22 * 60, 3 * 60}},
        ZoneCase{"London autumn", "Europe/London", Moment().West(0, 8).North(51, 30), {2021, 10, 31},
                 {2021, 10, 31}, WholeDay},
        ZoneCase{"Kolkata war time begins", "Asia/Kolkata", DelhiPlace, {1942, 8, 31}, {1942, 9, 1}, WholeDay},
        // Planets changing sign on the day the clocks change: the Sun enters Meena on 2021-03-14, Venus enters
        // Thula on 2025-11-02 (New York, after the hour passed twice).
        ZoneCase{"New York spring forward, Sun enters Meena", "America/New_York", NewYork, {2021, 3, 14},
                 {2021, 3, 14}, WholeDay, "Learning of a Trade"},
        ZoneCase{"New York fall back, Venus enters Thula", "America/New_York", NewYork, {2025, 11, 2},
                 {2025, 11, 2}, WholeDay, "Learning of a Trade"},
        // Kharmas begins with the Sun entering Meena at 08:37 on the clocks of the morning they went forward.
        ZoneCase{"New York spring forward, Kharmas begins, marriage", "America/New_York", NewYork, {2021, 3, 14},
                 {2021, 3, 14}, WholeDay, "Marriage", Veto::Kharmas}),
    CaseName<ZoneCase>);

// --- Windows of a search ---------------------------------------------------------------------------------------

TEST(FindWindows, WindowsCoverTheDailyWindowAndNeverPassMidnight) {
    struct Case {
        DailyWindow between;
        std::vector<std::pair<int, int>> ranges;  // the minutes each date must be covered by, without gaps
    };
    const Case cases[] = {
        {WholeDay, {{0, 1439}}},
        {{7 * 60, 21 * 60}, {{420, 1260}}},
        {{22 * 60, 6 * 60}, {{0, 360}, {1320, 1439}}},
        {{12 * 60, 12 * 60 - 1}, {{0, 1439}}},  // from noon round to the minute before: the whole day in one range
        {{600, 600}, {{600, 600}}},
    };
    for (const Case& c : cases) {
        FinderQuery q = Query("Sell Item", DelhiPlace, {2026, 4, 1}, {2026, 4, 3});
        q.keepEvaluations = false;
        q.between = c.between;
        const FinderResult r = FindWindows(q);
        SCOPED_TRACE(ClockText(c.between.firstMinute) + "-" + ClockText(c.between.lastMinute));
        for (LocalDate date = q.from; date <= q.to; date = AddDays(date, 1)) {
            std::vector<std::pair<int, int>> covered;
            for (const FoundWindow& w : r.windows) {
                if (w.date != date) continue;
                EXPECT_LE(w.firstMinute, w.lastMinute);
                if (!covered.empty() && covered.back().second + 1 == w.firstMinute) {
                    covered.back().second = w.lastMinute;
                } else {
                    covered.emplace_back(w.firstMinute, w.lastMinute);
                }
            }
            EXPECT_EQ(covered, c.ranges) << DateText(date);
        }
    }
}

TEST(FindWindows, MidnightEndsEveryWindow) {
    // The Moon, the ascendant and the almanac move on across midnight, but the date (and the weekday box with
    // it) changes there, so the last window of a date ends at 23:59 and the next date's first begins at 00:00.
    FinderQuery q = Query("Marriage", DelhiPlace, {2026, 7, 30}, {2026, 8, 2});
    const FinderResult r = FindWindows(q);
    for (std::size_t i = 0; i + 1 < r.windows.size(); ++i) {
        const FoundWindow& a = r.windows[i];
        const FoundWindow& b = r.windows[i + 1];
        if (a.date == b.date) {
            EXPECT_EQ(a.lastMinute + 1, b.firstMinute);
        } else {
            EXPECT_EQ(a.lastMinute, MinutesPerDay - 1);
            EXPECT_EQ(b.firstMinute, 0);
            EXPECT_EQ(AddDays(a.date, 1), b.date);
            EXPECT_NE(a.names.weekday, b.names.weekday);
        }
    }
}

TEST(FindWindows, LeftOutWeekdaysAreNotSearched) {
    FinderQuery q = Query("Legal", DelhiPlace, {2026, 11, 1}, {2026, 11, 14});  // 1 November 2026 is a Sunday
    q.keepEvaluations = false;
    q.leftOutWeekdays[0] = q.leftOutWeekdays[6] = true;  // Sunday and Saturday
    const FinderResult r = FindWindows(q);
    std::vector<LocalDate> dates;
    for (const FoundWindow& w : r.windows) {
        EXPECT_NE(w.names.weekday, "Sunday");
        EXPECT_NE(w.names.weekday, "Saturday");
        if (dates.empty() || dates.back() != w.date) dates.push_back(w.date);
    }
    EXPECT_EQ(dates.size(), 10u);
    EXPECT_EQ(r.datesSearched, 14);
}

TEST(FindWindows, ProgressPerDateAndCancel) {
    FinderQuery q = Query("Sell Item", DelhiPlace, {2026, 1, 1}, {2026, 1, 10});
    q.keepEvaluations = false;
    std::atomic<bool> cancel{false};
    std::vector<std::pair<int, int>> calls;
    FinderControl control;
    control.cancel = &cancel;
    control.progress = [&](int done, int total) {
        calls.emplace_back(done, total);
        if (done == 3) cancel = true;
    };
    const FinderResult r = FindWindows(q, control);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.datesSearched, 3);
    EXPECT_EQ(r.datesTotal, 10);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 10}, {2, 10}, {3, 10}}));
    ASSERT_FALSE(r.windows.empty());
    EXPECT_EQ(r.windows.back().date, (LocalDate{2026, 1, 3}));

    control = {};
    const FinderResult whole = FindWindows(q, control);
    EXPECT_FALSE(whole.cancelled);
    EXPECT_EQ(whole.datesSearched, 10);
    // The windows kept from a cancelled search are those the whole search finds on the same dates.
    ASSERT_LT(r.windows.size(), whole.windows.size());
    EXPECT_TRUE(r.windows == std::vector<FoundWindow>(whole.windows.begin(), whole.windows.begin() +
                                                                                static_cast<long>(r.windows.size())));
}

// Marriage in New Delhi from 1 to 5 August 2026 lies in Jupiter's combustion (14 July 18:04 to 13 August 15:54)
// and in Chaturmas (Asadha Shukla Ekadashi, 24 July 09:14, to Kartika Shukla Ekadashi, 20 November 07:16, the
// almanacs' Devshayani and Prabodhini Ekadashi of 25 July and 20 November).
TEST(FindWindows, AWhollyVetoedSpanSaysWhichVetoesAndTheNextAllowedDate) {
    FinderQuery q = Query("Marriage", DelhiPlace, {2026, 8, 1}, {2026, 8, 5});
    q.vetoes = VetoesOf(MuhurthaSubject::Marriage);
    const FinderResult r = FindWindows(q);
    EXPECT_TRUE(r.windows.empty());
    ASSERT_TRUE(r.vetoed);
    EXPECT_EQ(r.vetoed->nextAllowed, (LocalDate{2026, 11, 20}));
    EXPECT_EQ(VetoedSpanText(*r.vetoed),
              "No times found: the vetoes left out cover every minute of the span (Guru asta, 14 July to 13 August "
              "2026; Chaturmas, 24 July to 20 November 2026). The next allowed date is 20 November 2026. " +
                  std::string(CombustionNote));
    ASSERT_EQ(r.vetoed->spans.size(), 2u);
    EXPECT_EQ(DateTimeText(r.vetoed->spans[1].end), "2026-11-20T07:16");

    // The next allowed date is where a searched minute first lies outside them: 20 November from 07:16, and
    // with the mornings alone searched the day after; only the spans over the minutes searched are named.
    q.from = q.to = {2026, 11, 20};
    const FinderResult allowed = FindWindows(q);
    ASSERT_FALSE(allowed.windows.empty());
    EXPECT_EQ(allowed.windows.front().firstMinute, 7 * 60 + 16);
    EXPECT_FALSE(allowed.vetoed);
    q.between = {0, 6 * 60};
    const FinderResult mornings = FindWindows(q);
    ASSERT_TRUE(mornings.vetoed);
    EXPECT_EQ(mornings.vetoed->nextAllowed, (LocalDate{2026, 11, 21}));
    ASSERT_EQ(mornings.vetoed->spans.size(), 1u);
    EXPECT_EQ(mornings.vetoed->spans[0].veto, Veto::Chaturmas);

    // With the vetoes off the span is searched as before; with every weekday left out it is not the vetoes.
    q.vetoes = {};
    EXPECT_FALSE(FindWindows(q).windows.empty());
    q.vetoes = VetoesOf(MuhurthaSubject::Marriage);
    q.from = {2026, 4, 13};
    q.to = {2026, 4, 19};
    q.leftOutWeekdays.fill(true);
    EXPECT_FALSE(FindWindows(q).vetoed);
}

TEST(FindWindows, KeepingEvaluationsChangesNoWindow) {
    FinderQuery q = Query("Domestic Journey", SydneySummer, {2026, 1, 30}, {2026, 2, 1});
    std::vector<FoundWindow> kept = FindWindows(q).windows;
    for (FoundWindow& w : kept) {
        ASSERT_TRUE(w.evaluation);
        EXPECT_EQ(w.rating, w.evaluation->rating);
        w.evaluation.reset();
    }
    q.keepEvaluations = false;
    EXPECT_TRUE(FindWindows(q).windows == kept);
}

// --- Refused queries -------------------------------------------------------------------------------------------

TEST(QueryProblem, SpanAndDates) {
    struct Case {
        LocalDate from, to;
        const char* mentions;  // "" for a span the finder searches
    };
    const Case cases[] = {
        {{2026, 1, 1}, {2026, 1, 1}, ""},
        {{2026, 1, 1}, {2035, 12, 31}, ""},                 // ten years less a day
        {{2026, 1, 1}, {2036, 1, 1}, "at most 10 years"},   // ten years
        {{2026, 3, 1}, {2036, 2, 29}, ""},
        {{2026, 3, 1}, {2036, 3, 1}, "2036-02-29 at the latest"},
        {{2028, 2, 29}, {2038, 2, 28}, ""},                 // from a leap day: ten years on is 1 March
        {{2028, 2, 29}, {2038, 3, 1}, "2038-02-28 at the latest"},
        {{2026, 5, 2}, {2026, 5, 1}, "comes before"},
        {{2026, 2, 29}, {2026, 3, 1}, "2026-02-29 is not a date"},
        {{2026, 4, 1}, {2026, 4, 31}, "2026-04-31 is not a date"},
        {{2026, 13, 1}, {2026, 12, 1}, "not a date"},
        {{1900, 12, 31}, {1901, 1, 2}, "outside the years 1901 to 2050"},
        {{2050, 12, 30}, {2051, 1, 1}, "outside the years"},
    };
    for (const Case& c : cases) {
        const std::string problem = QueryProblem(Query("Legal", DelhiPlace, c.from, c.to));
        SCOPED_TRACE(DateText(c.from) + " to " + DateText(c.to) + ": " + problem);
        if (*c.mentions == '\0') {
            EXPECT_EQ(problem, "");
        } else {
            EXPECT_NE(problem.find(c.mentions), std::string::npos);
        }
    }
}

TEST(QueryProblem, SubjectAndDailyWindowAndTheSearchRefuses) {
    FinderQuery q = Query("marriage", DelhiPlace, {2026, 1, 1}, {2026, 1, 2});
    EXPECT_NE(QueryProblem(q).find("'marriage' is not one of the undertakings"), std::string::npos);
    EXPECT_THROW(FindWindows(q), FinderError);
    q.input.subject = "Marriage";
    q.between = {0, MinutesPerDay};
    EXPECT_NE(QueryProblem(q).find("1439 (23:59), got 1440"), std::string::npos);
    q.between = {-1, 10};
    EXPECT_NE(QueryProblem(q), "");
    q.between = {};
    q.to = {2036, 1, 1};
    EXPECT_THROW(FindWindows(q), FinderError);
}

TEST(Dates, CountsAndSteps) {
    EXPECT_EQ(DatesInSpan({2026, 1, 1}, {2026, 12, 31}), 365);
    EXPECT_EQ(DatesInSpan({2028, 1, 1}, {2028, 12, 31}), 366);
    EXPECT_EQ(DatesInSpan({2026, 1, 2}, {2026, 1, 1}), 0);
    EXPECT_EQ(AddDays({2028, 2, 28}, 1), (LocalDate{2028, 2, 29}));
    EXPECT_EQ(AddDays({2026, 12, 31}, 1), (LocalDate{2027, 1, 1}));
    EXPECT_EQ(AddDays({2026, 3, 1}, -1), (LocalDate{2026, 2, 28}));
    EXPECT_EQ(DateText({2026, 3, 1}) + "T" + ClockText(605), "2026-03-01T10:05");
}

// --- Ranking, top N and merging --------------------------------------------------------------------------------

FoundWindow Window(LocalDate date, int first, int last, Rating rating, int count, int score) {
    FoundWindow w;
    w.date = date;
    w.firstMinute = w.bestFirstMinute = first;
    w.lastMinute = w.bestLastMinute = last;
    w.rating = rating;
    w.count = static_cast<std::int16_t>(count);
    w.totalScore = static_cast<std::int16_t>(score);
    return w;
}

// A label per window, so that orders read at a glance.
std::vector<std::string> Labels(const std::vector<FoundWindow>& windows) {
    std::vector<std::string> labels;
    for (const FoundWindow& w : windows) {
        const std::string rating = w.rating == Rating::NotRated ? "-" : std::string(RatingWord(w.rating));
        labels.push_back(DateText(w.date).substr(8) + " " + ClockText(w.firstMinute) + "-" +
                         ClockText(w.lastMinute) + " " + rating + " " + std::to_string(w.count) + "/" +
                         std::to_string(w.totalScore));
    }
    return labels;
}

std::vector<FoundWindow> Sample() {
    const LocalDate d1{2026, 5, 1}, d2{2026, 5, 2};
    return {
        Window(d1, 0, 99, Rating::Bad, 5, 3),
        Window(d1, 100, 199, Rating::Good, 5, 2),
        Window(d1, 200, 299, Rating::Good, 6, 1),  // higher count
        Window(d1, 300, 399, Rating::Average, 4, 9),
        Window(d1, 400, 1439, Rating::NotRated, 0, 0),
        Window(d2, 0, 49, Rating::Good, 5, 2),  // same count and score as 01 01:40, later
        Window(d2, 50, 99, Rating::Good, 5, 4),  // higher score
    };
}

TEST(RankWindows, RatingThenCountThenScoreThenEarliest) {
    std::vector<FoundWindow> windows = Sample();
    RankWindows(windows);
    EXPECT_EQ(Labels(windows), (std::vector<std::string>{
                                   "01 03:20-04:59 Good 6/1", "02 00:50-01:39 Good 5/4", "01 01:40-03:19 Good 5/2",
                                   "02 00:00-00:49 Good 5/2", "01 05:00-06:39 Average 4/9", "01 00:00-01:39 Bad 5/3",
                                   "01 06:40-23:59 - 0/0"}));
}

TEST(MergeAdjacentWindows, ConsecutiveSameDateSameRating) {
    const std::vector<FoundWindow> merged = MergeAdjacentWindows(Sample());
    // 01:40-04:59 joins two Good windows (the best is the one of count 6); the Good run of the 2nd joins too, but
    // not across midnight, and not across a change of rating.
    EXPECT_EQ(Labels(merged), (std::vector<std::string>{"01 00:00-01:39 Bad 5/3", "01 01:40-04:59 Good 6/1",
                                                        "01 05:00-06:39 Average 4/9", "01 06:40-23:59 - 0/0",
                                                        "02 00:00-01:39 Good 5/4"}));
    EXPECT_EQ(merged[1].pieces, 2);
    EXPECT_EQ(merged[1].bestFirstMinute, 200);
    EXPECT_EQ(merged[1].bestLastMinute, 299);
    EXPECT_EQ(merged[4].pieces, 2);
    EXPECT_EQ(merged[4].bestFirstMinute, 50);
    EXPECT_EQ(merged[0].pieces, 1);

    // A gap (a minute outside the daily window) keeps windows apart.
    const std::vector<FoundWindow> apart = {Window({2026, 5, 1}, 0, 10, Rating::Good, 3, 3),
                                            Window({2026, 5, 1}, 12, 20, Rating::Good, 3, 3)};
    EXPECT_EQ(MergeAdjacentWindows(apart).size(), 2u);
}

TEST(ListWindows, OrderMergeAndTop) {
    struct Case {
        WindowListing listing;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {{WindowOrder::Rank, true, 2}, {"01 01:40-04:59 Good 6/1", "02 00:00-01:39 Good 5/4"}},
        {{WindowOrder::Rank, false, 3},
         {"01 03:20-04:59 Good 6/1", "02 00:50-01:39 Good 5/4", "01 01:40-03:19 Good 5/2"}},
        {{WindowOrder::Time, false, 0}, Labels(Sample())},
        {{WindowOrder::Rank, true, 100},
         {"01 01:40-04:59 Good 6/1", "02 00:00-01:39 Good 5/4", "01 05:00-06:39 Average 4/9",
          "01 00:00-01:39 Bad 5/3", "01 06:40-23:59 - 0/0"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Labels(ListWindows(Sample(), c.listing)), c.labels);
}

TEST(ListWindows, FoundWindowsRankedAndMerged) {
    // On found windows: the ranked list is best first, and merging keeps every minute exactly once.
    const FinderResult r = FindWindows(Query("Marriage", DelhiPlace, {2026, 2, 1}, {2026, 2, 5}));
    const std::vector<FoundWindow> ranked = ListWindows(r.windows, {});
    for (std::size_t i = 0; i + 1 < ranked.size(); ++i) EXPECT_FALSE(RanksBefore(ranked[i + 1], ranked[i]));
    int minutes = 0;
    for (const FoundWindow& w : ranked) {
        minutes += w.lastMinute - w.firstMinute + 1;
        EXPECT_GE(w.bestFirstMinute, w.firstMinute);
        EXPECT_LE(w.bestLastMinute, w.lastMinute);
    }
    EXPECT_EQ(minutes, 5 * MinutesPerDay);
    EXPECT_LT(ranked.size(), r.windows.size());
}

}  // namespace
}  // namespace kalvora
