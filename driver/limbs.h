#pragma once
// When the tithi, nakshatra, yoga and karana of a moment began and when they end, in whole minutes of the
// moment's own clock, read from the same engines the calculation runs at each minute.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astro/conventions.h"
#include "astro/local_time.h"
#include "astro/moment.h"
#include "driver/calculation.h"

namespace kalvora {

// The four limbs of the almanac whose times are shown.
enum class Limb : std::uint8_t { Tithi, Nakshatra, Yoga, Karana };
inline constexpr auto Limbs = std::to_array<Limb>({Limb::Tithi, Limb::Nakshatra, Limb::Yoga, Limb::Karana});
// Their keys in the JSON texts, in enum order.
inline constexpr auto LimbKeys = std::to_array<std::string_view>({"tithi", "nakshatra", "yoga", "karana"});
inline constexpr std::size_t LimbCount = Limbs.size();
// Their headings in the texts people read, in enum order.
inline constexpr auto LimbHeadings = std::to_array<std::string_view>({"Tithi", "Nakshatra", "Yoga", "Karana"});
static_assert(LimbHeadings.size() == LimbCount);
constexpr std::string_view KeyOf(Limb limb) { return LimbKeys[static_cast<std::size_t>(limb)]; }

// The clock minute of a typed moment, and the typed moment of a clock minute at a place and zone.
ClockMinute ClockMinuteOf(const MomentInput& moment);
MomentInput AtClockMinute(const TypedPlace& place, const TypedZone& zone, ClockMinute minute);
// The Julian day of universal time of a clock minute on a typed zone.
double JdUtOfClockMinute(ClockMinute minute, const TypedZone& zone);

// What one limb shows at one moment: its index in its name table and its name.
struct LimbValue {
    int index = 0;
    std::string_view name;
    bool operator==(const LimbValue&) const = default;
};
// The limb as the calculation shows it at a typed moment (the almanac for tithi, yoga and karana, the Moon for the
// nakshatra, on the converted moment, both as the reckoning places them).
LimbValue LimbAt(Limb limb, const MomentInput& moment, Reckoning reckoning = {});

// One value of a limb and the minutes it holds: start is the first whole minute showing it, end the first whole
// minute showing the next value.
struct LimbSpan {
    Limb limb = Limb::Tithi;
    LimbValue value;
    ClockMinute start = 0;
    ClockMinute end = 0;
    bool operator==(const LimbSpan&) const = default;
};

// The span of the value a limb shows at a clock minute of the given place and zone. The limbs are read on the
// reckoning's ephemeris, the nakshatra and the yoga with its ayanamsa (as every function here that takes one).
LimbSpan LimbSpanAt(Limb limb, const TypedPlace& place, const TypedZone& zone, ClockMinute minute,
                    Reckoning reckoning = {});
// The spans of the four limbs at a typed moment, in the order of Limbs.
std::array<LimbSpan, LimbCount> LimbsAt(const MomentInput& moment, Reckoning reckoning = {});
// The spans of a limb current at any minute from first up to last (both included), in time order.
std::vector<LimbSpan> LimbSpansBetween(Limb limb, const TypedPlace& place, const TypedZone& zone,
                                       ClockMinute first, ClockMinute last, Reckoning reckoning = {});

}  // namespace kalvora
