#pragma once
// Places and zones by name on the command line: a moment's --*-place, --*-tz and --*-fold options, resolved
// against the atlas and the zone database once all the options are read, and the places command.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/atlas.h"
#include "driver/calculation.h"
#include "zone/zone.h"

namespace kalvora {

// What was given for one moment besides the fields it typed into its MomentInput.
struct MomentSources {
    bool latitude = false;  // --*-lat given
    bool longitude = false;
    bool zone = false;      // --*-zone given
    bool dst = false;       // --*-dst given
    std::optional<std::string> place;   // --*-place TEXT
    std::optional<std::string> zoneId;  // --*-tz AREA/CITY
    std::optional<Fold> fold;           // --*-fold earlier|later
    std::optional<Place> saved;         // a place given whole (a saved person's), taken as --*-place's match
};

// The atlas, loaded the first time it is asked for (only a place option or the places command needs it) and then
// kept for the rest of the process, so that a process running many commands (the tests, the fuzz targets) reads
// the gazetteer once.
class AtlasOnDemand {
public:
    const Atlas& Get();
};

// Reads "earlier" or "later".
Fold ParseFold(std::string_view option, std::string_view text);

// A coordinate in degrees rounded to the nearest whole minute of arc, into a moment's fields.
void SetLatitude(MomentInput& moment, double latitudeDeg);
void SetLongitude(MomentInput& moment, double longitudeDeg);

// The moment's place and zone from its options (`prefix` is "--birth" or "--muhurtha"): the best atlas match
// of --*-place gives the coordinates not typed and, unless --*-zone or --*-tz is given, its zone; a zone id
// gives the offset in force at the moment's local date and time. Throws ArgumentError for a missing
// coordinate or zone, an unknown place or zone id, a local time that does not exist, or a repeated one without
// --*-fold.
// `seeHelp` is how a message points to the usage ("--help", "find --help").
MomentOrigin ResolveMoment(std::string_view prefix, const MomentSources& sources, MomentInput& moment,
                           AtlasOnDemand& atlas, std::string_view seeHelp);

// The same for the searched place of find, whose dates vary: the zone id to follow, if any (none when the
// offset was typed). The fold is not taken there.
std::optional<TimeZone> ResolveSearchedPlace(std::string_view prefix, const MomentSources& sources,
                                             MomentInput& moment, AtlasOnDemand& atlas, std::string_view seeHelp);


// kalvora-cli places QUERY [--top N] [--json].
struct PlacesOptions {
    bool help = false;
    bool json = false;
    std::string query;
    long top = 10;
};
PlacesOptions ParsePlacesArguments(const std::vector<std::string>& args);
std::string PlacesUsageText();
// {"places": [{"name", "state", "country", "countryCode", "latitude", "longitude", "timeZone", "population",
// "matchedName"}]}; matchedName is the name the query matched: the place's own, a former or another language's.
std::string PlacesJson(const Atlas& atlas, const std::vector<PlaceMatch>& matches);
// One line per place: name, state, country, coordinates as the options take them, zone and population.
std::string PlacesText(const Atlas& atlas, const std::vector<PlaceMatch>& matches);
int RunPlaces(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora
