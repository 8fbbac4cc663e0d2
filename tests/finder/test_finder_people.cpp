// The finder for several people against the calculation for several people run at every minute, its filter of
// the minutes good for everyone, and its independence of the order the people are given in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "astro/tables.h"
#include "cli/places.h"
#include "driver/people_calculation.h"
#include "finder/finder.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Delhi;

// The groom's Moon is in Vrischika: in early March the Sun in Kumbha is in his 4th house, so his Surya bala is bad
// and a minute Good for both is held at Average; on 14 April the Sun leaves his 5th house (with a remedy) for his
// 6th (good). The bride's Guru bala is acceptable with a remedy all through.
FinderQuery CoupleQuery(const std::string& subject, LocalDate from, LocalDate to) {
    FinderQuery q;
    q.input.subject = subject;
    q.input.birth = Delhi(1990, 5, 17, 6, 45);
    q.input.personName = "Asha";
    q.input.personSex = "Female";
    q.input.muhurtha = Delhi(2000, 1, 1, 0, 0);
    q.others.push_back({"Ravi", "Male", Delhi(1988, 3, 9, 21, 10), {}});
    q.from = from;
    q.to = to;
    return q;
}

// What one minute shows: the names and, for each person, the evaluation and the bala.
struct MinuteShown {
    WindowNames names;
    std::vector<Evaluation> evaluations;
    std::vector<std::optional<BalaReading>> balas;
    bool operator==(const MinuteShown&) const = default;
};

struct ReferenceWindow {
    LocalDate date;
    int first = 0;
    int last = 0;
    MinuteShown shown;
    CombinedVerdict combined;
};

// The calculation for several people at every minute of the query's dates, joined into maximal runs of minutes
// that show the same.
std::vector<ReferenceWindow> MinuteByMinute(const FinderQuery& q) {
    std::vector<ReferenceWindow> windows;
    for (LocalDate date = q.from; date <= q.to; date = AddDays(date, 1)) {
        for (int minute = 0; minute < MinutesPerDay; ++minute) {
            const PeopleCalculation c = CalculatePeople({MinuteInput(q, date, minute), q.others, q.roles});
            const MomentResult& m = c.First().muhurtha;
            MinuteShown shown{{m.chart.nakshatra, m.chart.rashi, m.chart.lagnaSign, m.panchanga.tithiName,
                               m.panchanga.yogaName, m.panchanga.karanaName, m.panchanga.weekdayName},
                              {},
                              {}};
            for (const PersonResult& p : c.people) {
                shown.evaluations.push_back(*p.calculation.evaluation);
                shown.balas.push_back(p.bala);
            }
            if (minute > 0 && windows.back().shown == shown) {
                windows.back().last = minute;
            } else {
                windows.push_back({date, minute, minute, std::move(shown), *c.combined});
            }
        }
    }
    return windows;
}

struct PeopleCase {
    const char* what;
    const char* subject;
    LocalDate from, to;
    std::vector<Role> roles;
};

class FinderForPeopleAgainstMinuteByMinute : public ::testing::TestWithParam<PeopleCase> {};

TEST_P(FinderForPeopleAgainstMinuteByMinute, SameWindowsRatingsBalasAndVerdicts) {
    const PeopleCase& c = GetParam();
    FinderQuery q = CoupleQuery(c.subject, c.from, c.to);
    q.roles = c.roles;
    const std::vector<FoundWindow> found = FindWindows(q).windows;
    const std::vector<ReferenceWindow> expected = MinuteByMinute(q);
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FoundWindow& w = found[i];
        const ReferenceWindow& e = expected[i];
        SCOPED_TRACE("window " + std::to_string(i) + " at " + DateText(e.date) + " " + ClockText(e.first));
        EXPECT_EQ(std::tie(w.date, w.firstMinute, w.lastMinute), std::tie(e.date, e.first, e.last));
        EXPECT_EQ(w.names, e.shown.names);
        EXPECT_EQ(w.rating, e.shown.evaluations[0].rating);
        ASSERT_TRUE(w.people);
        ASSERT_EQ(w.people->people.size(), 2u);
        for (std::size_t p = 0; p < 2; ++p) {
            EXPECT_EQ(w.people->people[p].rating, e.shown.evaluations[p].rating);
            EXPECT_EQ(w.people->people[p].count, e.shown.evaluations[p].count);
            EXPECT_EQ(w.people->people[p].bala, e.shown.balas[p]);
        }
        EXPECT_EQ(w.people->combined, e.combined);
        if (::testing::Test::HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Couple, FinderForPeopleAgainstMinuteByMinute,
    ::testing::Values(
        // The groom's Surya bala is bad all through.
        PeopleCase{"marriage", "Marriage", {2026, 3, 10}, {2026, 3, 11}, {}},
        // The Sun enters Mesha at 09:33 in Delhi: the groom's Surya bala changes house there.
        PeopleCase{"marriage, the Sun enters Mesha", "Marriage", {2026, 4, 14}, {2026, 4, 14}, {}},
        // Roles the other way round: each reads the other's transit.
        PeopleCase{"engagement, roles swapped", "Engagement", {2026, 4, 14}, {2026, 4, 14}, {Role::Groom, Role::Bride}},
        // No roles: no bala, the worst rating alone.
        PeopleCase{"entering a house", "Entering a New House", {2026, 3, 10}, {2026, 3, 10}, {}}),
    [](const ::testing::TestParamInfo<PeopleCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p != '\0'; ++p) {
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        }
        return name;
    });

// A window as the combined search shows it, whoever is first.
std::tuple<LocalDate, int, int, CombinedVerdict, std::vector<std::string>> Combined(const FoundWindow& w) {
    std::vector<std::string> ratings;
    for (const WindowPerson& p : w.people->people) ratings.push_back(p.name + " " + std::string(RatingWord(p.rating)));
    std::sort(ratings.begin(), ratings.end());
    return {w.date, w.firstMinute, w.lastMinute, w.people->combined, ratings};
}

TEST(FindWindowsForPeople, SwappingThePeopleGivesTheSameCombinedWindowsAndRanking) {
    const FinderQuery q = CoupleQuery("Marriage", {2026, 3, 10}, {2026, 3, 11});
    FinderQuery swapped = q;
    swapped.input.birth = q.others[0].birth;
    swapped.input.personName = q.others[0].name;
    swapped.input.personSex = q.others[0].sex;
    swapped.others[0] = {q.input.personName, q.input.personSex, q.input.birth, {}};
    const std::vector<FoundWindow> a = FindWindows(q).windows;
    const std::vector<FoundWindow> b = FindWindows(swapped).windows;
    ASSERT_EQ(a.size(), b.size());
    for (const WindowListing listing : {WindowListing{WindowOrder::Time, false, 0}, WindowListing{}}) {
        const std::vector<FoundWindow> listedA = ListWindows(a, listing);
        const std::vector<FoundWindow> listedB = ListWindows(b, listing);
        ASSERT_EQ(listedA.size(), listedB.size());
        for (std::size_t i = 0; i < listedA.size(); ++i) EXPECT_EQ(Combined(listedA[i]), Combined(listedB[i])) << i;
    }
}

TEST(FindWindowsForPeople, AllGoodKeepsExactlyTheWindowsGoodForEveryone) {
    FinderQuery q = CoupleQuery("Marriage", {2026, 3, 10}, {2026, 4, 15});
    const std::vector<FoundWindow> all = FindWindows(q).windows;
    std::vector<FoundWindow> good;
    std::copy_if(all.begin(), all.end(), std::back_inserter(good),
                 [](const FoundWindow& w) { return w.people->combined.rating == Rating::Good; });
    // The span holds minutes Good for everyone, and minutes both are rated Good at that the groom's bad Surya bala
    // holds at Average.
    ASSERT_FALSE(good.empty());
    ASSERT_TRUE(std::any_of(all.begin(), all.end(), [](const FoundWindow& w) {
        const auto& people = w.people->people;
        const auto good = [](const WindowPerson& p) { return p.rating == Rating::Good; };
        return w.people->combined.rating == Rating::Average && std::all_of(people.begin(), people.end(), good);
    }));
    q.allGood = true;
    const FinderResult kept = FindWindows(q);
    ASSERT_EQ(kept.windows.size(), good.size());
    for (std::size_t i = 0; i < good.size(); ++i) EXPECT_EQ(Combined(kept.windows[i]), Combined(good[i])) << i;
    EXPECT_FALSE(kept.vetoed);  // minutes were searched, none left out by a veto
}

}  // namespace
}  // namespace kalvora
