// Limb times against a minute-by-minute run of the engines, and the clock minutes they are counted in.

#include <gtest/gtest.h>

#include "driver/day_view.h"
#include "driver/limbs.h"
#include "tests/support/moments.h"

namespace kalvora {
namespace {

using testing::Moment;

struct LimbRunCase {
    const char* what;
    MomentInput placeAndZone;  // the date and time give the first minute of the run
    int minutes;               // length of the run
};

// Every minute of the run read through the engines; each change of index must be a span edge found by the search,
// and each span's value must be what the engines show at its start and just before its end.
TEST(LimbTimes, MatchAMinuteByMinuteRun) {
    const auto cases = std::to_array<LimbRunCase>({
        {"New Delhi, two days", Moment().On(2026, 3, 1).At(0, 0).ZoneEast(5, 30).East(77, 13).North(28, 39), 2880},
        {"New York with daylight saving",
         Moment().On(2025, 7, 10).At(12, 0).ZoneWest(5).DaylightSaving().West(74, 0).North(40, 43), 1800},
        {"across a year's end, Sydney",
         Moment().On(1999, 12, 31).At(6, 0).ZoneEast(10).East(151, 12).South(33, 52), 1500},
    });
    for (const LimbRunCase& c : cases) {
        const ClockMinute first = ClockMinuteOf(c.placeAndZone);
        const ClockMinute last = first + c.minutes - 1;
        for (const Limb limb : Limbs) {
            SCOPED_TRACE(std::string(c.what) + ", " + std::string(KeyOf(limb)));
            std::vector<ClockMinute> changes;  // minutes whose index differs from the minute before
            std::vector<LimbValue> values{LimbAt(limb, AtClockMinute(c.placeAndZone.place, c.placeAndZone.zone, first))};
            for (ClockMinute m = first + 1; m <= last; ++m) {
                const LimbValue v = LimbAt(limb, AtClockMinute(c.placeAndZone.place, c.placeAndZone.zone, m));
                if (v.index != values.back().index) {
                    changes.push_back(m);
                    values.push_back(v);
                }
            }
            const std::vector<LimbSpan> spans = LimbSpansBetween(limb, c.placeAndZone.place, c.placeAndZone.zone, first, last);
            ASSERT_EQ(spans.size(), values.size());
            for (std::size_t i = 0; i < spans.size(); ++i) {
                EXPECT_EQ(spans[i].limb, limb);
                EXPECT_EQ(spans[i].value, values[i]);
                if (i > 0) {
                    EXPECT_EQ(spans[i].start, changes[i - 1]) << DateTimeText(spans[i].start);
                }
                if (i + 1 < spans.size()) {
                    EXPECT_EQ(spans[i].end, changes[i]) << DateTimeText(spans[i].end);
                }
            }
            // The edges outside the run: the first span began where the value first shows, the last one ends
            // where the next value shows.
            const auto indexAt = [&](ClockMinute m) { return LimbAt(limb, AtClockMinute(c.placeAndZone.place, c.placeAndZone.zone, m)).index; };
            EXPECT_EQ(indexAt(spans.front().start), values.front().index);
            EXPECT_NE(indexAt(spans.front().start - 1), values.front().index);
            EXPECT_EQ(indexAt(spans.back().end - 1), values.back().index);
            EXPECT_NE(indexAt(spans.back().end), values.back().index);
        }
    }
}

TEST(LimbTimes, AtAMomentHoldTheMoment) {
    const MomentInput moment = Moment().On(2026, 12, 8).At(7, 15).ZoneEast(5, 30).East(80, 17).North(13, 5);
    const auto spans = LimbsAt(moment);
    const ClockMinute minute = ClockMinuteOf(moment);
    for (std::size_t i = 0; i < LimbCount; ++i) {
        EXPECT_EQ(spans[i].limb, Limbs[i]);
        EXPECT_LE(spans[i].start, minute);
        EXPECT_GT(spans[i].end, minute);
        EXPECT_EQ(spans[i].value, LimbAt(Limbs[i], moment));
    }
}

TEST(ClockMinutes, TextsOffsetsAndUniversalTime) {
    const MomentInput delhi = Moment().On(2026, 1, 1).At(0, 0).ZoneEast(5, 30).East(77, 13).North(28, 39);
    MomentInput madras = delhi;
    madras.zone.hours = 5;
    madras.zone.minutes = 21;
    madras.zone.seconds = 10;
    const MomentInput newYork = Moment().On(2026, 7, 1).ZoneWest(5).DaylightSaving();
    EXPECT_EQ(ZoneOffsetSeconds(delhi.zone), 19800);
    EXPECT_EQ(ZoneOffsetSeconds(madras.zone), 19270);
    EXPECT_EQ(ZoneOffsetSeconds(newYork.zone), -14400);

    const ClockMinute midnight = ClockMinuteOf(delhi);
    EXPECT_EQ(DateTimeText(midnight), "2026-01-01T00:00");
    EXPECT_EQ(DateTimeText(midnight - 1), "2025-12-31T23:59");
    EXPECT_EQ(ClockMinuteOf(AtClockMinute(delhi.place, delhi.zone, midnight + 1439)), midnight + 1439);
    // 2026-01-01 00:00 at +05:30 is 2025-12-31 18:30 UT.
    EXPECT_NEAR(JdUtOfClockMinute(midnight, delhi.zone), 2461041.5 - 5.5 / 24.0, 1e-9);
    const MomentInput saoPaulo = Moment().ZoneWest(3).West(46, 30).South(23, 30);
    const DayPlace place = DayPlaceOf(saoPaulo.place, saoPaulo.zone);
    EXPECT_DOUBLE_EQ(place.latitudeDeg, -23.5);
    EXPECT_DOUBLE_EQ(place.longitudeDeg, -46.5);
    EXPECT_EQ(place.zoneOffsetSeconds, -10800);
}

}  // namespace
}  // namespace kalvora
