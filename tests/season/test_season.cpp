// The season: the lunar months and samvat years of dates against published almanacs, the leap and lost months,
// and the veto spans against almanac dates and an independent scan of the ephemeris.

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro/local_time.h"
#include "muhurtha/names.h"
#include "panchanga/panchanga.h"
#include "driver/limbs.h"
#include "driver/season.h"
#include "season/season.h"

namespace kalvora {
namespace {

constexpr int IndiaSeconds = 19800;  // +05:30

double IndiaJd(int y, int m, int d, int hour = 6, int minute = 0) {
    return JdUtOfClockMinute(ClockMinuteOf({y, m, d}, hour * 60 + minute), IndiaSeconds);
}
std::string IndiaText(double jdUt) { return DateTimeText(ClockMinuteHolding(jdUt, IndiaSeconds)); }
std::string NameOf(int index) { return std::string(names::LunarMonths[static_cast<std::size_t>(index)]); }
std::string MonthText(const LunarMonth& m) {
    return (m.adhika ? "Adhika " : "") + NameOf(m.nameIndex) + (m.kshaya ? " (kshaya)" : "");
}

// Dates at 06:00 in India. Sources: the month lists and year headings of the published almanacs (Rashtriya
// Panchang of the Positional Astronomy Centre, Kolkata, for 2020, 2023 and 2026; the Ugadi pages of the Telugu and
// Kannada almanacs for the samvatsaras of 2010, 2020 and 2026).
TEST(Season, MonthsAndYearsOfDatesMatchPublishedAlmanacs) {
    struct Row {
        LocalDate date;
        std::string amanta, purnimanta;
        int vikram, shaka;
        std::string samvatsara;
    };
    const Row rows[] = {
        {{2026, 6, 1}, "Adhika Jyaistha", "Jyaistha", 2083, 1948, "Parabhava"},
        {{2026, 10, 1}, "Bhadra", "Asvina", 2083, 1948, "Parabhava"},
        {{2026, 12, 10}, "Agrahayana", "Agrahayana", 2083, 1948, "Parabhava"},
        {{2026, 3, 18}, "Falguna", "Chaitra", 2082, 1947, "Vishvavasu"},
        {{2026, 3, 20}, "Chaitra", "Chaitra", 2083, 1948, "Parabhava"},
        {{2023, 8, 1}, "Adhika Shravana", "Shravana", 2080, 1945, "Shobhakrit"},
        {{2020, 4, 1}, "Chaitra", "Chaitra", 2077, 1942, "Sharvari"},
        {{2010, 3, 17}, "Chaitra", "Chaitra", 2067, 1932, "Vikriti"},
        // Chaitra repeats: the leap Chaitra opens the year.
        {{2029, 3, 20}, "Adhika Chaitra", "Chaitra", 2086, 1951, "Saumya"},
    };
    const LunarCalendar calendar(IndiaJd(2010, 1, 1), IndiaJd(2027, 1, 1));
    for (const Row& row : rows) {
        SCOPED_TRACE(DateText(row.date));
        const SeasonAt s = calendar.At(IndiaJd(row.date.year, row.date.month, row.date.day));
        EXPECT_EQ(MonthText(s.month), row.amanta);
        EXPECT_EQ(NameOf(s.purnimantaNameIndex), row.purnimanta);
        EXPECT_EQ(s.samvat.vikram, row.vikram);
        EXPECT_EQ(s.samvat.shaka, row.shaka);
        EXPECT_EQ(SamvatsaraNames[static_cast<std::size_t>(s.samvat.samvatsaraIndex)], row.samvatsara);
    }
}

// The leap months of 2023 (Shravana, 18 July to 16 August) and 2026 (Jyaistha, 17 May to 15 June), as the
// almanacs publish them, and the month beginning exactly where the tithi Shukla Pratipada begins.
TEST(Season, LeapMonthsBeginWithTheTithiPratipada) {
    struct Row {
        int year;
        std::string first, last;
    };
    for (const Row& row : {Row{2023, "2023-07-18", "2023-08-16"}, Row{2026, "2026-05-17", "2026-06-15"}}) {
        const LunarCalendar calendar(IndiaJd(row.year, 1, 1), IndiaJd(row.year + 1, 1, 1));
        std::vector<LunarMonth> leap;
        for (const LunarMonth& m : calendar.MonthsBetween(IndiaJd(row.year, 1, 1), IndiaJd(row.year + 1, 1, 1))) {
            if (m.adhika) leap.push_back(m);
            const auto tithiAt = [](double jdUt) {
                return PanchangaElements(PanchangaLongitudesAt(jdUt + DeltaTHours(jdUt) / 24.0)).tithiNumber;
            };
            EXPECT_EQ(tithiAt(m.startJdUt), 1) << IndiaText(m.startJdUt);
            EXPECT_EQ(tithiAt(m.startJdUt - 2e-9), 30) << IndiaText(m.startJdUt);
        }
        ASSERT_EQ(leap.size(), 1u) << row.year;
        EXPECT_EQ(IndiaText(leap[0].startJdUt).substr(0, 10), row.first);
        EXPECT_EQ(IndiaText(leap[0].endJdUt).substr(0, 10), row.last);
    }
}

// 1963-64 has a month with two sankrantis. On the system's Sun the Dhanu sankranti falls 46 minutes before the new
// moon of 16 December 1963, so the lost month is Agrahayana (almanacs on other ephemerides lose Pausa). The
// sankranti-less month before it (the nija Bhadra) is not counted adhika; the one after it (Chaitra 1964) is, and
// opens Vikram 2021.
TEST(Season, KshayaYearKeepsTwelveNamesInOrder) {
    const double from = IndiaJd(1963, 8, 1), to = IndiaJd(1964, 5, 1);
    std::vector<std::string> names;
    for (const LunarMonth& m : LunarCalendar(from, to).MonthsBetween(from, to)) names.push_back(MonthText(m));
    const std::vector<std::string> expected = {
        "Shravana", "Bhadra", "Asvina", "Kartika", "Agrahayana (kshaya)", "Pausa",
        "Magha",    "Falguna", "Adhika Chaitra", "Chaitra"};
    EXPECT_EQ(names, expected);
    const LunarCalendar calendar(from, to);
    EXPECT_EQ(calendar.At(IndiaJd(1964, 3, 13)).samvat.vikram, 2020);
    EXPECT_EQ(calendar.At(IndiaJd(1964, 3, 15)).samvat.vikram, 2021);
}

std::string VetoText(const VetoSpan& v) {
    return std::string(RowOf(v.veto).id) + " " + IndiaText(v.startJdUt) + " " + IndiaText(v.endJdUt);
}

// 2026's vetoes. Almanac dates: Devshayani Ekadashi 25 July and Prabodhini Ekadashi 20 November (the tithi
// begins the day before), Pitru paksha 26 September to Sarva Pitru Amavasya 10 October, Jupiter's conjunction
// with the Sun about 29 July, the Sun entering Dhanu on 16 December and Meena on 15 March.
TEST(Season, VetoSpansOf2026) {
    const double from = IndiaJd(2026, 1, 1, 0), to = IndiaJd(2027, 1, 1, 0);
    std::vector<std::string> spans;
    for (const VetoSpan& v : LunarCalendar(from, to).VetoSpans(from, to)) spans.push_back(VetoText(v));
    const std::vector<std::string> expected = {
        "shukra-asta 2025-11-26T11:51 2026-02-17T15:08", "kharmas 2025-12-16T04:20 2026-01-14T15:07",
        "kharmas 2026-03-15T01:03 2026-04-14T09:32",     "adhika 2026-05-17T01:30 2026-06-15T08:24",
        "guru-asta 2026-07-14T18:03 2026-08-13T15:53",   "chaturmas 2026-07-24T09:13 2026-11-20T07:15",
        "pitru-paksha 2026-09-26T22:18 2026-10-10T21:19", "shukra-asta 2026-10-19T08:15 2026-10-29T09:39",
        "kharmas 2026-12-16T10:26 2027-01-14T21:11"};
    EXPECT_EQ(spans, expected);
}

// The combustion spans against an independent scan: the ephemeris asked directly for tropical positions and
// speeds every three hours, the orb rule applied to them. Every span is found, its ends within the three hours the
// scan sees it change in, and the rule holds just inside and just outside each end.
TEST(Season, CombustionSpansMatchAnHourlyScanOfTheEphemeris) {
    constexpr double Step = 3.0 / 24.0;
    const double from = swe_julday(2024, 1, 1, 0.0, SE_GREG_CAL), to = swe_julday(2030, 1, 1, 0.0, SE_GREG_CAL);
    for (const Veto veto : {Veto::GuruAsta, Veto::ShukraAsta}) {
        const int planet = veto == Veto::GuruAsta ? SE_JUPITER : SE_VENUS;
        const CombustionOrb orb = veto == Veto::GuruAsta ? JupiterOrb : VenusOrb;
        const auto combust = [&](double jd) {
            double sun[6], body[6];
            char error[256];
            swe_calc_ut(jd, SE_SUN, SEFLG_MOSEPH | SEFLG_SPEED, sun, error);
            swe_calc_ut(jd, planet, SEFLG_MOSEPH | SEFLG_SPEED, body, error);
            const double distance = std::abs(std::remainder(body[0] - sun[0], 360.0));
            return distance <= (body[3] < 0.0 ? orb.retrograde : orb.direct);
        };
        std::vector<std::pair<double, double>> scanned;
        bool inside = combust(from);
        for (double jd = from + Step; jd < to; jd += Step) {
            const bool now = combust(jd);
            if (now && !inside) scanned.push_back({jd, to});
            if (!now && inside && !scanned.empty()) scanned.back().second = jd;
            inside = now;
        }
        std::vector<VetoSpan> found = CombustionSpans(veto, from, to);
        if (!found.empty() && found.front().startJdUt < from) found.erase(found.begin());  // begun before the scan
        if (!found.empty() && found.back().endJdUt > to) found.pop_back();
        if (!scanned.empty() && scanned.back().second >= to) scanned.pop_back();
        ASSERT_EQ(found.size(), scanned.size()) << RowOf(veto).id;
        for (std::size_t i = 0; i < found.size(); ++i) {
            SCOPED_TRACE(VetoText(found[i]));
            EXPECT_GT(found[i].startJdUt, scanned[i].first - Step);
            EXPECT_LE(found[i].startJdUt, scanned[i].first);
            EXPECT_GT(found[i].endJdUt, scanned[i].second - Step);
            EXPECT_LE(found[i].endJdUt, scanned[i].second);
            EXPECT_TRUE(IsCombust(veto, found[i].startJdUt));
            EXPECT_FALSE(IsCombust(veto, found[i].startJdUt - 1e-6));
            EXPECT_FALSE(IsCombust(veto, found[i].endJdUt));
            EXPECT_TRUE(IsCombust(veto, found[i].endJdUt - 1e-6));
        }
    }
}

TEST(Season, TablesAreWhole) {
    EXPECT_EQ(SamvatsaraNames[1942 - PrabhavaShakaYear], "Sharvari");
    for (std::size_t i = 0; i < VetoCount; ++i) EXPECT_EQ(static_cast<std::size_t>(VetoTable[i].veto), i);
    EXPECT_EQ(VetoesOf(MuhurthaSubject::Marriage), EveryVeto);
    for (const MuhurthaSubject free : {MuhurthaSubject::ChronicTreatment, MuhurthaSubject::Operation,
                                       MuhurthaSubject::DomesticJourney, MuhurthaSubject::ForeignJourney,
                                       MuhurthaSubject::Lending, MuhurthaSubject::Borrowing, MuhurthaSubject::Legal}) {
        EXPECT_EQ(VetoesOf(free), (std::array<bool, VetoCount>{}));
    }
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

// On a clock, a month's first minute is the very minute the day's limbs first show Shukla Pratipada, on a zone of
// whole minutes and on one with seconds (Madras time, +05:21:10).
TEST(Season, MonthsBeginInTheMinuteTheTithiPratipadaIsFirstShown) {
    TypedPlace chennai;
    SetLatitude(chennai, 13.08);
    SetLongitude(chennai, 80.27);
    for (const TypedZone zone : {TypedZone{5, 30, 0, true, false}, TypedZone{5, 21, 10, true, false}}) {
        const int offset = ZoneOffsetSeconds(zone);
        const double from = IndiaJd(2025, 1, 1), to = IndiaJd(2027, 1, 1);
        for (const LunarMonth& m : LunarCalendar(from, to).MonthsBetween(from, to)) {
            const ClockMinute first = MonthMinutes(m, offset).first;
            const LimbSpan tithi = LimbSpanAt(Limb::Tithi, chennai, zone, first);
            EXPECT_EQ(tithi.value.index, 0) << DateTimeText(first);
            EXPECT_EQ(tithi.start, first) << DateTimeText(first);
        }
    }
}

}  // namespace
}  // namespace kalvora
