#pragma once
// The season of a date: the true lunar months, the samvat years, and the spans of the six vetoes (combust Jupiter
// and Venus, the leap month, Chaturmas, Kharmas, Pitru paksha).
//
// Instants are Julian days of universal time. The months rest on the almanac's Sun and Moon, those that give the
// tithis (on the ephemeris the conventions choose): a month begins at the new moon, the instant the elongation
// passes 0 degrees, exactly where the tithi Shukla Pratipada begins; the Sun's sidereal longitude is the almanac's
// apparent Sun with the chosen ayanamsa. Combustion
// compares the Sun and the planet of the ephemeris (the sky's positions), by the difference of their longitudes.
//
// Each instant found is the first one (to a hundred-thousandth of a second) at which the new state holds, so a
// clock minute is inside a span exactly when its start is at or after the span's start and before its end.
//
// Naming (amanta): a month is named by the sidereal sign of the Sun at its opening new moon (Sun in Meena:
// Chaitra, ... Kumbha: Falguna). A month with no sankranti between its new moons is adhika and bears the name of
// the month after it. A month with two sankrantis is kshaya: it is named for the month its second sankranti would
// have opened (the lost month), and the latest sankranti-less month before it (within a few months) is not
// counted adhika; the months from there to the kshaya month take the next name, so the year keeps its twelve
// names in order. A purnimanta month takes the name of the next amanta month in the Krishna paksha.
//
// The year turns (Vikram and Shaka samvat, samvatsara) at the first new moon after the Sun enters Meena, which
// opens the month named Chaitra. Where Chaitra repeats (2029, 2048, 2067) that is the adhika Chaitra: the leap
// month opens the year whose months it precedes, as the first new moon with the Sun in Meena, and the year's count
// of months begins with it.

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "astro/conventions.h"
#include "planets/reckoner.h"
#include "season/tables.h"

namespace kalvora {

// One amanta month.
struct LunarMonth {
    int nameIndex = 0;  // into LunarMonths: 0 = Chaitra .. 11 = Falguna
    bool adhika = false;
    bool kshaya = false;
    double startJdUt = 0.0;  // its opening new moon
    double endJdUt = 0.0;    // the next new moon
    friend bool operator==(const LunarMonth&, const LunarMonth&) = default;
};

// The samvat years current at a moment.
struct Samvat {
    int vikram = 0;
    int shaka = 0;
    int samvatsaraIndex = 0;  // into SamvatsaraNames
    friend bool operator==(const Samvat&, const Samvat&) = default;
};

// What the season says of one moment.
struct SeasonAt {
    LunarMonth month;             // the amanta month holding the moment
    int purnimantaNameIndex = 0;  // the purnimanta month's name: the next amanta month's in the Krishna paksha
    Samvat samvat;
};

// One span of a veto: in force from start (included) to end (excluded).
struct VetoSpan {
    Veto veto = Veto::GuruAsta;
    double startJdUt = 0.0;
    double endJdUt = 0.0;
    friend bool operator==(const VetoSpan&, const VetoSpan&) = default;
};

// The lunar calendar over a stretch of time, computed once and asked many times (a month view asks thirty days).
// Holds the months from a few months before `fromJdUt` to a few months after `toJdUt` (a kshaya year's months are
// named from the months around them); moments outside fromJdUt..toJdUt are answered too, by computing the calendar
// around them again.
class LunarCalendar {
public:
    // The new moons, the tithis and the Sun's sidereal signs (the months' names, the sankrantis, Kharmas) are read
    // as `reckoning` places the Sun and the Moon.
    LunarCalendar(double fromJdUt, double toJdUt, Reckoning reckoning = {});

    // Every month overlapping [fromJdUt, toJdUt), in order.
    std::vector<LunarMonth> MonthsBetween(double fromJdUt, double toJdUt) const;
    SeasonAt At(double jdUt) const;
    // The months of At without the samvat years: for a caller asking many moments of the same few months.
    SeasonAt MonthsAt(double jdUt) const;
    // The amanta month holding an instant and the month after it, with nothing read of the Sun or the Moon: for a
    // caller that knows on which side of the full moon it asks.
    std::pair<LunarMonth, LunarMonth> AmantaAt(double jdUt) const;

    // The spans of the vetoes in `which` (by Veto) that overlap [fromJdUt, toJdUt), each whole, in order of their
    // start.
    std::vector<VetoSpan> VetoSpans(double fromJdUt, double toJdUt,
                                    const std::array<bool, VetoCount>& which = EveryVeto) const;

private:
    std::vector<LunarMonth> months_;
    Reckoning reckoning_;

    // The index of the month holding jdUt (the calendar covers it).
    std::size_t IndexHolding(double jdUt) const;
    bool Covers(double fromJdUt, double toJdUt) const;
    // This calendar when it covers from..to, else one computed around them into `wider`.
    const LunarCalendar& Around(double fromJdUt, double toJdUt, std::optional<LunarCalendar>& wider) const;
};

// Each of these reads the Sun and the Moon through `reckoner` (planets/reckoner.h), which remembers what it read.
// The instant after `fromJdUt` at which the elongation of the Moon from the Sun next reaches `degrees` (0..<360).
double NextElongation(double fromJdUt, double degrees, Reckoner& reckoner);
// The instant after `fromJdUt` at which the Sun's sidereal longitude next reaches `degrees` (a multiple of 30).
double NextSankranti(double fromJdUt, double degrees, Reckoner& reckoner);
// The new moon after the one at `newMoonJdUt`.
double NextNewMoon(double newMoonJdUt, Reckoner& reckoner);
// The new moon that opens the samvat year beginning in a Gregorian year: the first after the Sun enters Meena.
double YearOpening(int year, Reckoner& reckoner);
// The samvat years current at an instant.
Samvat SamvatAt(double jdUt, Reckoner& reckoner);

// The spans in which a planet (Jupiter or Venus) is combust that overlap [fromJdUt, toJdUt), each whole.
std::vector<VetoSpan> CombustionSpans(Veto veto, double fromJdUt, double toJdUt);
// Whether the planet of a combustion veto is combust at an instant (the rule the spans follow).
bool IsCombust(Veto veto, double jdUt);

}  // namespace kalvora
