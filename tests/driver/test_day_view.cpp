// The day around a muhurtha: what it holds where the Sun rises and sets, and where it does not.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

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
        const DayView view = ComputeDayView(c.placeAndZone.place, c.placeAndZone.zone, c.date);
        EXPECT_EQ(view.sun.date, c.date);
        EXPECT_EQ(view.sun.weekday, WeekdayOf(c.date));
        EXPECT_EQ(view.periods.has_value(), c.sunRisesAndSets);
        EXPECT_EQ(view.sun.sunriseJdUt.has_value() && view.sun.nextSunriseJdUt.has_value(), c.sunRisesAndSets);

        // The day's span in clock minutes: the minutes holding the sunrise and the next sunrise, or the civil date
        // (its last minute the one before the next midnight).
        const ClockMinute midnight = static_cast<ClockMinute>(DayNumber(c.date)) * 1440;
        ClockMinute first = midnight;
        ClockMinute last = midnight + 1439;
        if (c.sunRisesAndSets) {
            const double offsetDays = view.place.zoneOffsetSeconds / 86400.0;
            first = static_cast<ClockMinute>(std::floor((*view.sun.sunriseJdUt + 0.5 + offsetDays) * 1440.0 + 1e-3));
            last = static_cast<ClockMinute>(std::floor((*view.sun.nextSunriseJdUt + 0.5 + offsetDays) * 1440.0 + 1e-3));
        }
        for (std::size_t i = 0; i < LimbCount; ++i) {
            const auto& spans = view.limbs[i];
            ASSERT_FALSE(spans.empty());
            EXPECT_LE(spans.front().start, first);
            EXPECT_GT(spans.front().end, first);
            EXPECT_GT(spans.back().end, last);
            EXPECT_LE(spans.back().start, last);
            for (std::size_t s = 1; s < spans.size(); ++s) EXPECT_EQ(spans[s].start, spans[s - 1].end);
        }
    }
}

// The yoga Dhrithi gives way to Soola at 05:55 on 25 August 2021 on India's clock. At 28:39N the sunrise falls
// in that minute as far east as 77:22E and in the minute before from 77:23E on (each minute of arc east is four
// seconds earlier): so the day of the 24th ends, and the day of the 25th begins, on one side or the other of the
// change.
TEST(DayView, AValueShownAtTheMinuteOfEitherSunriseBelongsToTheDay) {
    struct Case {
        const char* what;
        int longitudeMinutes;  // east of 77 degrees
        int day;               // of August 2021: the 24th ends at the sunrise near the change, the 25th begins there
        ClockMinute sunriseFromChange;  // the minute holding that sunrise, counted from the change's
        std::vector<std::string_view> yogas;
    };
    const auto cases = std::to_array<Case>({
        {"next sunrise 05:55:39, in the minute Soola is first shown", 13, 24, 0, {"Sukarman", "Dhrithi", "Soola"}},
        {"next sunrise 05:55:03, just inside that minute", 22, 24, 0, {"Sukarman", "Dhrithi", "Soola"}},
        {"next sunrise 05:54:59, in the minute before", 23, 24, -1, {"Sukarman", "Dhrithi"}},
        {"sunrise 05:55:03, in the minute Soola is first shown", 22, 25, 0, {"Soola", "Ganda"}},
        {"sunrise 05:54:59, in the minute before", 23, 25, -1, {"Dhrithi", "Soola", "Ganda"}},
    });
    constexpr ClockMinute Change = (static_cast<ClockMinute>(DayNumber({2021, 8, 25})) * 1440) + (5 * 60) + 55;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MomentInput place = Moment().ZoneEast(5, 30).East(77, c.longitudeMinutes).North(28, 39);
        const DayView view =
            ComputeDayView(place.place, place.zone, {2021, 8, c.day}, {.sunrise = SunriseDefinition::Standard});
        const std::optional<double> sunrise = c.day == 24 ? view.sun.nextSunriseJdUt : view.sun.sunriseJdUt;
        ASSERT_TRUE(sunrise.has_value());
        EXPECT_EQ(ClockMinuteHolding(*sunrise, view.place.zoneOffsetSeconds), Change + c.sunriseFromChange);
        const auto& spans = view.limbs[static_cast<std::size_t>(Limb::Yoga)];
        std::vector<std::string_view> names;
        for (const LimbSpan& span : spans) names.push_back(span.value.name);
        EXPECT_EQ(names, c.yogas);
        // Soola is first shown at the change in every case: the cases differ only in where the sunrise falls.
        for (const LimbSpan& span : spans) {
            if (span.value.name == "Soola") {
                EXPECT_EQ(span.start, Change);
            }
        }
    }
}

}  // namespace
}  // namespace kalvora
