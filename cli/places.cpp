#include "cli/places.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "cli/command.h"
#include "cli/json.h"
#include "cli/options.h"

namespace kalvora {
namespace {

// "Chennai, Tamil Nadu, India": the parts a place has.
std::string PlaceTitle(const Place& place) {
    std::string title = place.name;
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty()) title += ", " + *part;
    }
    return title;
}

// The name the query matched: the place's own, a former one ("Bombay") or one in another language ("München").
std::string_view MatchedName(const Place& place, const PlaceMatch& match) {
    if (!match.formerName.empty()) return match.formerName;
    if (!match.otherName.empty()) return match.otherName;
    return place.name;
}

std::string NoPlaceMatches(const Atlas& atlas, std::string_view query) {
    std::string message = "no place matches " + Quoted(query);
    const std::vector<std::size_t> nearest = NearestNames(atlas, query, 3);
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        message += i == 0 ? "; nearest: " : "; ";
        message += PlaceTitle(atlas.places()[nearest[i]]);
    }
    return message;
}

std::string Name(std::string_view prefix, std::string_view suffix) { return std::string(prefix) + std::string(suffix); }

// The best atlas match of --*-place, or a failure naming the nearest names.
const Place* FindPlace(std::string_view prefix, const MomentSources& sources, AtlasOnDemand& atlas) {
    if (sources.saved) return &*sources.saved;
    if (!sources.place) return nullptr;
    const Atlas& all = atlas.Get();
    const std::vector<PlaceMatch> matches = SearchPlaces(all, *sources.place, 1);
    if (matches.empty()) Fail(Name(prefix, "-place"), NoPlaceMatches(all, *sources.place));
    return &all.places()[matches.front().index];
}

// The coordinates not typed come from the place; without a place both must be typed.
std::optional<PlaceOfMoment> PlaceCoordinates(std::string_view prefix, const MomentSources& sources,
                                              const Place* place, MomentInput& moment, std::string_view seeHelp) {
    if (!place) {
        if (!sources.latitude) options_detail::Missing(Name(prefix, "-lat"), seeHelp);
        if (!sources.longitude) options_detail::Missing(Name(prefix, "-lon"), seeHelp);
        return std::nullopt;
    }
    if (!sources.latitude) SetLatitude(moment.place, place->latitudeDeg);
    if (!sources.longitude) SetLongitude(moment.place, place->longitudeDeg);
    return PlaceOfMoment{place->name, place->state, place->country, SignedLatitude(moment.place), SignedLongitude(moment.place)};
}

// The zone id the moment follows: --*-tz, else the place's unless a zone was typed; none for a typed zone.
std::optional<std::string> ZoneIdOf(std::string_view prefix, const MomentSources& sources, const Place* place,
                                    std::string_view seeHelp) {
    if (sources.zoneId && (sources.zone || sources.dst)) {
        Fail(Name(prefix, "-tz"), "not taken with " + Name(prefix, "-zone") + " or " + Name(prefix, "-dst"));
    }
    if (sources.zoneId) return sources.zoneId;
    if (sources.dst && !sources.zone) {
        Fail(Name(prefix, "-dst"), "taken only with " + Name(prefix, "-zone") + ", which it adds an hour to");
    }
    if (!sources.zone && place) return place->timeZone;
    if (!sources.zone) options_detail::Missing(Name(prefix, "-zone"), seeHelp);
    if (sources.fold) Fail(Name(prefix, "-fold"), "taken only with a zone id (" + Name(prefix, "-tz") + " or " +
                                                      Name(prefix, "-place") + ")");
    return std::nullopt;
}

TimeZone OpenZone(std::string_view prefix, const MomentSources& sources, const std::string& id) {
    std::optional<TimeZone> zone = OpenTimeZone(id);
    if (!zone) Fail(Name(prefix, sources.zoneId ? "-tz" : "-place"), "unknown time zone " + Quoted(id));
    return *zone;
}

}  // namespace

const Atlas& AtlasOnDemand::Get() {
    static const Atlas loaded = LoadAtlas();
    return loaded;
}

Fold ParseFold(std::string_view option, std::string_view text) {
    return ParseChoice(option, text, {"earlier", "later"}) == 0 ? Fold::Earlier : Fold::Later;
}

MomentOrigin ResolveMoment(std::string_view prefix, const MomentSources& sources, MomentInput& moment,
                           AtlasOnDemand& atlas, std::string_view seeHelp) {
    const Place* place = FindPlace(prefix, sources, atlas);
    MomentOrigin origin;
    origin.place = PlaceCoordinates(prefix, sources, place, moment, seeHelp);
    const std::optional<std::string> id = ZoneIdOf(prefix, sources, place, seeHelp);
    if (!id) {
        origin.zone = ZoneOfTyped(moment.zone);
        return origin;
    }
    const TimeZone zone = OpenZone(prefix, sources, *id);
    // The calculation runs on whole minutes, so the offset is the one in force at the minute's start.
    const LocalDateTime local{moment.year, moment.month, moment.day, moment.hour, moment.minute, 0};
    const LocalTimeInZone found = LookUpLocalTime(zone, local);
    if (found.kind == LocalTimeKind::Repeated && !sources.fold) {
        Fail(prefix, DescribeLocalTime(*id, local, found) + "; choose one with " + Name(prefix, "-fold") +
                         " earlier or later");
    }
    const std::optional<ZoneOffset> offset = ChosenOffset(found, sources.fold.value_or(Fold::Earlier));
    if (!offset) Fail(prefix, DescribeLocalTime(*id, local, found));
    moment.zone = TypedZoneOf(*offset);
    origin.zone = ZoneOfMoment{*id, offset->abbreviation, offset->offsetSeconds, offset->daylight};
    return origin;
}

std::optional<TimeZone> ResolveSearchedPlace(std::string_view prefix, const MomentSources& sources,
                                             MomentInput& moment, AtlasOnDemand& atlas, std::string_view seeHelp) {
    const Place* place = FindPlace(prefix, sources, atlas);
    PlaceCoordinates(prefix, sources, place, moment, seeHelp);
    const std::optional<std::string> id = ZoneIdOf(prefix, sources, place, seeHelp);
    if (!id) return std::nullopt;
    return OpenZone(prefix, sources, *id);
}

// --- The places command ----------------------------------------------------------------------------------------

namespace {

using Row = Option<PlacesOptions>;

// More matches than this are never useful on a terminal; the bound keeps the number in range.
constexpr long LargestTop = 1000;

void ReadTop(PlacesOptions& o, std::string_view option, std::string_view text) {
    o.top = ParseCount(option, text, LargestTop, "places");
}
void ReadJson(PlacesOptions& o, std::string_view, std::string_view) { o.json = true; }

constexpr auto PlacesOptionTable = std::to_array<Row>({
    {"--top", OptionKind::Value, ReadTop},
    {"--json", OptionKind::Flag, ReadJson},
});
static_assert(WellFormed(PlacesOptionTable));

}  // namespace

std::string PlacesUsageText() {
    return "usage: kalvora-cli places QUERY [--top N] [--json]\n"
           "Lists the places of the atlas matching QUERY (\"City\", \"City, State\", \"City, Country\" or\n"
           "\"City, State, Country\"; case and accents do not matter, former names such as Bombay are known, and\n"
           "cities and countries may be named in the languages of libgeonames' translations, as München or दिल्ली),\n"
           "the best first, at most N (10 unless given).\n"
           "Place data: GeoNames (geonames.org), CC-BY-4.0.\n";
}

PlacesOptions ParsePlacesArguments(const std::vector<std::string>& args) {
    // The query is the one argument that is neither an option nor the value of --top.
    std::vector<std::string> rest;
    std::optional<std::string> query;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--top" && i + 1 < args.size()) {
            rest.push_back(args[i]);
            rest.push_back(args[++i]);
        } else if (!args[i].empty() && args[i][0] == '-') {
            rest.push_back(args[i]);
        } else if (!query) {
            query = args[i];
        } else {
            throw ArgumentError("places takes one QUERY, got " + Quoted(*query) + " and " + Quoted(args[i]) +
                                " (quote a query of several words)");
        }
    }
    PlacesOptions options = ReadOptions(rest, PlacesOptionTable, "places --help");
    if (options.help) return options;
    if (!query) throw ArgumentError("places: the QUERY is missing (see places --help)");
    options.query = *query;
    return options;
}

std::string PlacesJson(const Atlas& atlas, const std::vector<PlaceMatch>& matches) {
    JsonWriter json;
    json.BeginObject().Key("places").BeginArray();
    for (const PlaceMatch& match : matches) {
        const Place& p = atlas.places()[match.index];
        json.BeginObject()
            .Field("name", p.name)
            .Field("state", p.state)
            .Field("country", p.country)
            .Field("countryCode", p.countryCode)
            .Field("latitude", p.latitudeDeg)
            .Field("longitude", p.longitudeDeg)
            .Field("timeZone", p.timeZone)
            .Key("population").Number(static_cast<double>(p.population))
            .Field("matchedName", MatchedName(p, match))
            .EndObject();
    }
    json.EndArray().EndObject();
    return json.Text();
}

std::string PlacesText(const Atlas& atlas, const std::vector<PlaceMatch>& matches) {
    std::string out;
    for (const PlaceMatch& match : matches) {
        const Place& p = atlas.places()[match.index];
        out += PlaceTitle(p);
        if (!p.countryCode.empty()) out += " (" + p.countryCode + ")";
        if (!match.formerName.empty()) out += ", formerly " + std::string(match.formerName);
        if (!match.otherName.empty()) out += ", also called " + std::string(match.otherName);
        out += "  " + OptionAngleText(p.latitudeDeg, 2, 'N', 'S') + " " + OptionAngleText(p.longitudeDeg, 3, 'E', 'W');
        out += "  " + p.timeZone + "  population " + std::to_string(p.population) + "\n";
    }
    return out;
}

int RunPlaces(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<PlacesOptions>(args, out, err, ParsePlacesArguments, PlacesUsageText,
                                     [](const PlacesOptions& options, std::ostream& output) {
        AtlasOnDemand atlas;
        const Atlas& all = atlas.Get();
        const std::vector<PlaceMatch> matches =
            SearchPlaces(all, options.query, static_cast<std::size_t>(options.top));
        if (options.json) {
            output << PlacesJson(all, matches) << '\n';
        } else if (matches.empty()) {
            output << NoPlaceMatches(all, options.query) << '\n';
        } else {
            output << PlacesText(all, matches);
        }
    });
}

}  // namespace kalvora
