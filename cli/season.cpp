#include "cli/season.h"

#include <ostream>

#include "cli/birth_options.h"
#include "cli/command.h"
#include "cli/conventions_options.h"
#include "cli/json.h"
#include "cli/options.h"
#include "muhurtha/names.h"

namespace kalvora {
namespace {

using Row = Option<SeasonOptions>;

MomentInput& PlaceOf(SeasonOptions& o) { return o.place; }
MomentSources& SourcesOf(SeasonOptions& o) { return o.sources; }

void ReadYear(SeasonOptions& o, std::string_view option, std::string_view text) { o.year = ParseYear(option, text); }
void ReadJson(SeasonOptions& o, std::string_view, std::string_view) { o.json = true; }

constexpr auto SeasonOptionTable = JoinRows(std::to_array<Row>({{"--year", OptionKind::Required, ReadYear}}),
                                            PlaceAndZoneRows<SeasonOptions, PlaceOf, SourcesOf>(DayOptionNames),
                                            std::to_array<Row>({{"--json", OptionKind::Flag, ReadJson}}),
                                            ConventionRows<SeasonOptions>());
static_assert(WellFormed(SeasonOptionTable));

}  // namespace

std::string SeasonUsageText() {
    return "usage: kalvora-cli season --year YYYY [--place TEXT] [--lat DD:MM(N|S) --lon DDD:MM(E|W)]\n"
           "                 [--zone (+|-)HH:MM[:SS] [--dst] | --tz AREA/CITY] [--json]\n"
           "                 " + ConventionsUsage(17) + "\n"
           "Prints the lunar months (amanta, from new moon to new moon, with the leap month and the lost month\n"
           "marked) and the spans of the vetoes (Guru asta, Shukra asta, Adhika masa, Chaturmas, Kharmas, Pitru\n"
           "paksha) that begin in the year, each from its first minute to the first minute after it; a span that\n"
           "runs into the next year is given whole. The year is " + std::to_string(FirstYear) + " to " +
           std::to_string(LastYear) + ".\n"
           "The place and zone are taken as by the day command: the zone from --zone, --tz or the place (its\n"
           "coordinates are not needed: the season is the same everywhere, only the clock differs). With a zone id\n"
           "each time is on the offset in force at it. --ayanamsa as for the calculation places the Sun's signs: the\n"
           "months' names, the sankrantis and Kharmas.\n";
}

SeasonOptions ParseSeasonArguments(const std::vector<std::string>& args) {
    SeasonOptions options = ReadOptions(args, SeasonOptionTable, "season --help");
    if (options.help) return options;
    // The months and spans are instants: only the clock they are read on depends on the place.
    if (!options.sources.place) options.sources.latitude = options.sources.longitude = true;
    AtlasOnDemand atlas;
    options.zone = ResolveSearchedPlace("-", options.sources, options.place, atlas, "season --help");
    return options;
}

SeasonClock SeasonClockOf(const SeasonOptions& options) {
    if (!options.zone) return FixedClock(options.place.zone);
    const auto [from, to] = SeasonClockDates(options.year);
    return ClockOfZone(*options.zone, from, to);
}

std::string SeasonJson(const SeasonYear& season, const Conventions& conventions) {
    JsonWriter json;
    json.BeginObject().Field("year", season.year);
    json.Key("months").BeginArray();
    for (const SeasonYearMonth& m : season.months) {
        json.BeginObject()
            .Field("name", names::LunarMonths[static_cast<std::size_t>(m.month.nameIndex)])
            .Field("adhika", m.month.adhika)
            .Field("kshaya", m.month.kshaya)
            .Field("start", DateTimeText(m.start.minute))
            .Field("end", DateTimeText(m.end.minute))
            .EndObject();
    }
    json.EndArray();
    json.Key("vetoes").BeginArray();
    for (const SeasonYearVeto& v : season.vetoes) {
        json.BeginObject()
            .Field("id", RowOf(v.veto).id)
            .Field("start", DateTimeText(v.start.minute))
            .Field("end", DateTimeText(v.end.minute))
            .EndObject();
    }
    json.EndArray();
    WriteConventionsJson(json, conventions);
    json.EndObject();
    return json.Text();
}

std::string SeasonText(const SeasonYear& season, const std::string& clockName) {
    const bool offsets = season.clockChanges;
    std::string out = "Season of " + std::to_string(season.year) + ", times on " + clockName;
    out += offsets ? ", each on the offset in force then\n" : "\n";
    out += "  Lunar months beginning in the year:\n";
    for (const SeasonYearMonth& m : season.months) {
        out += "    " + LunarMonthText(m.month) + "  " + SeasonEdgeText(m.start, offsets) + " to " +
               SeasonEdgeText(m.end, offsets) + "\n";
    }
    out += "  Veto spans beginning in the year:\n";
    for (const SeasonYearVeto& v : season.vetoes) {
        out += "    " + std::string(RowOf(v.veto).name) + "  " + SeasonEdgeText(v.start, offsets) + " to " +
               SeasonEdgeText(v.end, offsets) + ": " + std::string(RowOf(v.veto).what) + "\n";
    }
    out += "  " + std::string(CombustionNote) + "\n";
    return out;
}

int RunSeason(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<SeasonOptions>(args, out, err, ParseSeasonArguments, SeasonUsageText,
                                     [](const SeasonOptions& options, std::ostream& output) {
        const SeasonYear season = SeasonOfYear(options.year, SeasonClockOf(options), ReckoningOf(options.conventions));
        if (options.json) {
            output << SeasonJson(season, options.conventions) << "\n";
            return;
        }
        const std::string clockName = options.zone ? options.zone->id() + "'s clock"
                                                   : "UTC" + OffsetText(ZoneOffsetSeconds(options.place.zone));
        output << SeasonText(season, clockName);
    });
}

}  // namespace kalvora
