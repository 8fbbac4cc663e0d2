// The day around a muhurtha: what it holds where the Sun rises and sets, and where it does not.

#include <gtest/gtest.h>

#include <cmath>

#include "driver/day_view.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Moment;

struct DayCase {
    const char* what;
    MomentInput placeAndZone;
    LocalDate date;
    bool sunRisesAndSets;
};

TEST(DayView, LimbsCoverTheDayAndPeriodsNeedTheSun) {
    const auto cases = std::to_array<DayCase>({
        {"Chennai", Moment().ZoneEast(5, 30).East(80, 17).North(13, 5), {2026, 12, 8}, true},
        {"New York, daylight saving", Moment().ZoneWest(5).DaylightSaving().West(74, 0).North(40, 43),
         {2025, 7, 10}, true},
        {"Tromso in June", Moment().ZoneEast(2).East(18, 57).North(69, 39), {2026, 6, 21}, false},
        {"Tromso in December", Moment().ZoneEast(1).East(18, 57).North(69, 39), {2026, 12, 21}, false},
    });
    for (const DayCase& c : cases) {
        SCOPED_TRACE(c.what);
        const DayView view = ComputeDayView(c.placeAndZone, c.date);
        EXPECT_EQ(view.sun.date, c.date);
        EXPECT_EQ(view.sun.weekday, WeekdayOf(c.date));
        EXPECT_EQ(view.periods.has_value(), c.sunRisesAndSets);
        EXPECT_EQ(view.sun.sunriseJdUt.has_value() && view.sun.nextSunriseJdUt.has_value(), c.sunRisesAndSets);

        // The day's span in clock minutes: sunrise to the next sunrise, or the civil date.
        const ClockMinute midnight = static_cast<ClockMinute>(DayNumber(c.date)) * 1440;
        ClockMinute first = midnight;
        ClockMinute end = midnight + 1440;
        if (c.sunRisesAndSets) {
            const double offsetDays = view.place.zoneOffsetSeconds / 86400.0;
            first = static_cast<ClockMinute>(std::floor((*view.sun.sunriseJdUt + 0.5 + offsetDays) * 1440.0 + 1e-3));
            end = static_cast<ClockMinute>(std::floor((*view.sun.nextSunriseJdUt + 0.5 + offsetDays) * 1440.0 + 1e-3));
        }
        for (std::size_t i = 0; i < LimbCount; ++i) {
            const auto& spans = view.limbs[i];
            ASSERT_FALSE(spans.empty());
            EXPECT_LE(spans.front().start, first);
            EXPECT_GT(spans.front().end, first);
            EXPECT_GE(spans.back().end, end);
            EXPECT_LT(spans.back().start, end);
            for (std::size_t s = 1; s < spans.size(); ++s) EXPECT_EQ(spans[s].start, spans[s - 1].end);
        }
    }
}

}  // namespace
}  // namespace kalvora
