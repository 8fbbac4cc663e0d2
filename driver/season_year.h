#pragma once
// The season of a year at a glance: the lunar months and the veto spans that begin in a local year, as whole
// minutes of a zone's clock. The command line's season command and the desktop program's year strip both show it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "astro/moment.h"
#include "driver/season.h"

namespace kalvora {

// A zone's clock: the stretches over which it keeps one offset, in time order, the first in force from before the
// year (as ClockOfZone gives them for a zone id); a typed offset is one stretch (FixedClock).
using SeasonClock = std::vector<ClockPeriod>;
SeasonClock FixedClock(const TypedZone& zone);
// The offset in force on a clock at an instant (the first stretch's before the clock begins).
int OffsetOnClock(const SeasonClock& clock, double jdUt);

// One edge of a month or span on the clock: the first whole minute at or after the instant, on the offset in
// force at that instant.
struct SeasonEdge {
    ClockMinute minute = 0;
    int offsetSeconds = 0;
    friend bool operator==(const SeasonEdge&, const SeasonEdge&) = default;
};

// "2026-07-14T18:04", with " (UTC-04:00)" after it when `withOffset` (where the clock changes within the year).
std::string SeasonEdgeText(const SeasonEdge& edge, bool withOffset);

struct SeasonYearMonth {
    LunarMonth month;
    SeasonEdge start;
    SeasonEdge end;  // the next month's start
};
struct SeasonYearVeto {
    Veto veto = Veto::GuruAsta;
    SeasonEdge start;  // the first minute in force
    SeasonEdge end;    // the first minute no longer in force
};

struct SeasonYear {
    int year = 0;
    std::vector<SeasonYearMonth> months;  // those whose first minute is in the year, in order
    std::vector<SeasonYearVeto> vetoes;   // the spans of every veto whose first minute is in the year, whole, by start
    bool clockChanges = false;            // whether the edges of months and vetoes are on more than one offset
    // What began in the year before and still runs at the year's first minute: the lists leave it out, a drawing
    // of the whole year shows it.
    std::optional<SeasonYearMonth> monthRunning;
    std::vector<SeasonYearVeto> vetoesRunning;
};

// The months and veto spans that begin in a local year (FirstYear..LastYear) on a clock, and those running into
// it; a span that runs into the next year is given whole.
SeasonYear SeasonOfYear(int year, const SeasonClock& clock, Reckoning reckoning = {});
// The local dates a year's clock must cover: from the eve of the year to the end of the next one, where every
// span begun in the year has ended.
std::pair<LocalDate, LocalDate> SeasonClockDates(int year);

}  // namespace kalvora
