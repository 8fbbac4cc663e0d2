#pragma once
// kalvora-cli season: the lunar months and the veto spans that begin in a year, on the clock of a place or zone,
// as text or as one JSON object.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/places.h"
#include "driver/season_year.h"

namespace kalvora {

struct SeasonOptions {
    bool help = false;
    bool json = false;
    int year = 0;
    MomentInput place;      // the typed coordinates and zone
    MomentSources sources;  // the place and zone options, resolved once all are read
    std::optional<TimeZone> zone;  // the zone id followed; none for a typed offset
    Conventions conventions;       // the ayanamsa of the Sun's signs: the months' names, sankrantis, Kharmas
    Conventions& ConventionsChosen() { return conventions; }
};

SeasonOptions ParseSeasonArguments(const std::vector<std::string>& args);
std::string SeasonUsageText();

// The clock the options name: the zone's history over the year and the next, or the typed offset.
SeasonClock SeasonClockOf(const SeasonOptions& options);

// {"year": N, "months": [{"name", "adhika", "kshaya", "start", "end"}], "vetoes": [{"id", "start", "end"}]},
// times "YYYY-MM-DDTHH:MM" on the clock, then "conventions".
std::string SeasonJson(const SeasonYear& season, const Conventions& conventions = {});
// The months and spans as readable lines; `clockName` says whose clock the times are on.
std::string SeasonText(const SeasonYear& season, const std::string& clockName);

// Runs "season" (arguments after it). Exit status: 0 success, 2 bad arguments, 1 a failure while writing output.
int RunSeason(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
