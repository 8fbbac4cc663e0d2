#include "cli/find.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

#include "astro/tables.h"
#include "cli/birth_options.h"
#include "cli/calendar_file.h"
#include "cli/command.h"
#include "cli/conventions_options.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/people_options.h"
#include "finder/window_events.h"

namespace kalvora {
namespace {

using Row = Option<FindOptions>;
constexpr OptionKind Flag = OptionKind::Flag;
constexpr OptionKind Value = OptionKind::Value;
constexpr OptionKind Required = OptionKind::Required;
constexpr OptionKind NotTaken = OptionKind::NotTaken;

// Larger values of --top list every window anyway; the bound only keeps the number in range.
constexpr long LargestTop = 10000000;

// The searched place: its typed fields go into the query's muhurtha, its place and zone id wait in placeSources.
MomentInput& SearchedOf(FindOptions& o) { return o.query.input.muhurtha; }
MomentSources& SearchedSourcesOf(FindOptions& o) { return o.placeSources; }

void ReadSubject(FindOptions& o, std::string_view option, std::string_view text) {
    if (!FindSubject(text)) {
        Fail(option, "expected one of the undertakings' texts (for example 'Marriage'), got " + Quoted(text));
    }
    o.query.input.subject = text;
    o.query.vetoes = VetoesOf(*FindSubject(text));  // unless --veto, read after it, says otherwise
}

void ReadFrom(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.from = ParseDate(option, text);
}

// Read after --from, so the span can be checked.
void ReadTo(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.to = ParseDate(option, text);
    if (const std::string problem = SpanProblem(o.query.from, o.query.to); !problem.empty()) Fail(option, problem);
}

void ReadBetween(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.between = ParseBetween(option, text);
}

void ReadSkipWeekdays(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.leftOutWeekdays = ParseLeftOutWeekdays(option, text);
}

// The words --avoid takes, by InauspiciousPeriod, then by MoonMark.
constexpr auto AvoidWords = std::to_array<std::string_view>(
    {"rahu", "yamaganda", "gulika", "durmuhurta", "varjyam", "bhadra", "panchaka"});
static_assert(AvoidWords.size() == InauspiciousPeriodNames.size() + MoonMarkNames.size());

// The words of a comma-separated list, empty ones included.
std::vector<std::string_view> CommaWords(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t from = 0;;) {
        const std::size_t comma = text.find(',', from);
        words.push_back(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
        if (comma == std::string_view::npos) return words;
        from = comma + 1;
    }
}

void ReadAvoid(FindOptions& o, std::string_view option, std::string_view text) {
    for (const std::string_view word : CommaWords(text)) {
        const auto at = std::find(AvoidWords.begin(), AvoidWords.end(), word);
        if (at == AvoidWords.end()) {
            Fail(option,
                 "expected periods from rahu, yamaganda, gulika, durmuhurta, varjyam, bhadra and panchaka, separated "
                 "by commas, got " + Quoted(word));
        }
        const auto index = static_cast<std::size_t>(at - AvoidWords.begin());
        if (index < InauspiciousPeriodNames.size()) {
            o.query.avoidedPeriods[index] = true;
        } else {
            o.query.avoidedMarks[index - InauspiciousPeriodNames.size()] = true;
        }
    }
}

// Read after --subject, whose vetoes it replaces.
void ReadVeto(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.vetoes = {};
    if (text == "none") return;
    for (const std::string_view word : CommaWords(text)) {
        const std::optional<Veto> veto = FindVeto(word);
        if (!veto) {
            std::string ids;
            for (const VetoRow& row : VetoTable) ids += std::string(ids.empty() ? "" : ", ") + std::string(row.id);
            Fail(option, "expected vetoes from " + ids + ", separated by commas, or none, got " + Quoted(word));
        }
        o.query.vetoes[static_cast<std::size_t>(*veto)] = true;
    }
}

void ReadName(FindOptions& o, std::string_view, std::string_view text) { o.query.input.personName = text; }
void ReadSex(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.input.personSex = ParseSex(option, text);
}
void ReadJson(FindOptions& o, std::string_view, std::string_view) { o.json = true; }
void ReadIcs(FindOptions& o, std::string_view option, std::string_view text) {
    if (text.empty()) Fail(option, "expected the name of the calendar file to write");
    o.icsPath = std::string(text);
}
void ReadAllGood(FindOptions& o, std::string_view, std::string_view) { o.query.allGood = true; }
void ReadPlanets(FindOptions& o, std::string_view option, std::string_view text) {
    o.query.input.planets = ParsePlanetsMode(option, text);
}

// In time order every window is listed as found; in rank order neighbours of one rating are joined.
void ReadOrder(FindOptions& o, std::string_view option, std::string_view text) {
    o.listing.order = ParseChoice(option, text, {"rank", "time"}) == 0 ? WindowOrder::Rank : WindowOrder::Time;
    o.listing.mergeEqualRatings = o.listing.order == WindowOrder::Rank;
}

// Read after --order.
void ReadTop(FindOptions& o, std::string_view option, std::string_view text) {
    if (o.listing.order == WindowOrder::Time) Fail(option, "not taken with --order time, which lists every window");
    o.listing.top = static_cast<std::size_t>(ParseCount(option, text, LargestTop, "windows"));
}

// The required ones are looked for in this order, and the values read in it.
constexpr auto FindOptionTable = JoinRows(
    std::to_array<Row>({
        {"--muhurtha", NotTaken, nullptr, "not taken by find, which searches --from to --to"},
        {"--subject", Required, ReadSubject},
        {"--from", Required, ReadFrom},
        {"--to", Required, ReadTo},
        {"--between", Value, ReadBetween},
        {"--skip-weekdays", Value, ReadSkipWeekdays},
        {"--avoid", Value, ReadAvoid},
        {"--veto", Value, ReadVeto},
    }),
    PlaceAndZoneRows<FindOptions, SearchedOf, SearchedSourcesOf>(MuhurthaOptionNames),
    std::to_array<Row>({
        {"--muhurtha-fold", NotTaken, nullptr, "not taken by find, which searches a repeated hour once on each offset"},
    }),
    birth_options::Rows<FindOptions, Value>(), PeopleRows<FindOptions>(), PartnerRows<FindOptions>(),
    std::to_array<Row>({
        {"--name", Value, ReadName},
        {"--sex", Value, ReadSex},
        {"--json", Flag, ReadJson},
        {"--ics", Value, ReadIcs},
        {"--planets", Value, ReadPlanets},
        {"--order", Value, ReadOrder},
        {"--top", Value, ReadTop},
        {"--all-good", Flag, ReadAllGood},
    }),
    RolesAndGroupRows<FindOptions>(), ConventionRows<FindOptions>());
static_assert(WellFormed(FindOptionTable));

}  // namespace

std::string FindUsageText() {
    return "usage: kalvora-cli find --subject TEXT --from YYYY-MM-DD --to YYYY-MM-DD\n"
           "                  [--between HH:MM-HH:MM] [--skip-weekdays NAME[,NAME...]]\n"
           "                  [--avoid rahu,yamaganda,gulika,durmuhurta,varjyam,bhadra,panchaka]\n"
           "                  [--veto guru-asta,shukra-asta,adhika,chaturmas,kharmas,pitru-paksha | none]\n"
           "                  [--top N] [--order rank|time] [--json] [--ics FILE] [--planets sky|none]\n"
           "                  [--muhurtha-place TEXT] [--muhurtha-lat DD:MM(N|S) --muhurtha-lon DDD:MM(E|W)]\n"
           "                  [--muhurtha-zone (+|-)HH:MM[:SS] [--muhurtha-dst] | --muhurtha-tz AREA/CITY]\n"
           "                  --birth YYYY-MM-DDTHH:MM[:SS] [--birth-place TEXT]\n"
           "                  [--birth-lat DD:MM(N|S) --birth-lon DDD:MM(E|W)]\n"
           "                  [--birth-zone (+|-)HH:MM[:SS] [--birth-dst] | --birth-tz AREA/CITY]\n"
           "                  [--birth-fold earlier|later] [--name TEXT] [--sex Male|Female]\n"
           "                  (or --person NAME [--born YYYY-MM-DD] in place of the birth, name and sex)\n"
           "                  [--person NAME[@YYYY-MM-DD]]... [--partner YYYY-MM-DDTHH:MM[:SS] --partner-name TEXT\n"
           "                   [--partner-sex Male|Female] [--partner-place ... --partner-fold ...]]\n"
           "                  [--roles ROLE,ROLE...] [--group NAME] [--all-good]\n"
           "                  " + ConventionsUsage(18) + "\n"
           "Searches every minute of the dates --from to --to (both included, at most ten years) and lists the\n"
           "windows over which the evaluation and the names stay the same. --order rank (the default) lists the\n"
           "best first and joins neighbouring windows of one rating (a joined window shows the count, score and\n"
           "names of its best part); --order time lists every window in time order. --between keeps the minutes\n"
           "of each date from the first time to the second, both included (22:00-02:00 runs past midnight).\n"
           "Places and zones are taken as by the calculation (see --help). With a zone id (--muhurtha-tz, or the\n"
           "zone of --muhurtha-place) every local minute is searched on the offset in force at it: minutes the\n"
           "clocks jumped over are left out, an hour they passed twice is searched once on each offset, and no\n"
           "window spans a change of offset. Each window shows its offset.\n"
           "--avoid leaves out the minutes in the periods named (Rahu kalam, Yamaganda, Gulika, the Durmuhurtas)\n"
           "of the day from sunrise to the next sunrise that holds them, sunrise as --sunrise takes it, and\n"
           "the spans named of the day's table (Varjyam, Bhadra, Panchaka) as the day command lists them.\n"
           "--veto leaves out the minutes in the spans of the vetoes named (Jupiter or Venus combust, the leap\n"
           "month, Chaturmas, Kharmas, Pitru paksha); by default those of the undertaking, none for some (journeys,\n"
           "treatment, trade); --veto none searches every season. When the vetoes cover the whole span, the\n"
           "vetoes and the next allowed date are said in place of the list.\n"
           "--ics FILE also writes the windows listed to FILE as calendar events (iCalendar), in UTC, each with a\n"
           "UID that stays the same when the same window is found again, so that importing the file again updates\n"
           "the events. The file is replaced whole, or left as it was when it cannot be written.\n"
           "--planets none evaluates with no planet placed, as the normal calculation does with it.\n"
           "Several people are taken as by the calculation (--person again, --partner, --roles, --group NAME for a\n"
           "saved group): a window then ends wherever any person's evaluation or a Surya or Guru bala changes,\n"
           "ranks by the combined verdict (then the people's counts and scores added up) and names everyone's rating.\n"
           "--all-good keeps only the minutes Good for everyone (no bad bala holding them at Average).\n"
           "--ayanamsa, --weekday and --sunrise as for the calculation; the search stays exact to the minute under\n"
           "any of them.\n";
}

FindOptions ParseFindArguments(const std::vector<std::string>& args) {
    FindOptions options = ReadOptions(args, FindOptionTable, "find --help");
    if (options.help) return options;
    TakeFirstPerson(options, "find --help");
    AtlasOnDemand atlas;
    const std::optional<TimeZone> zone =
        ResolveSearchedPlace("--muhurtha", options.placeSources, options.query.input.muhurtha, atlas, "find --help");
    if (zone) {
        options.zoneId = zone->id();
        // Past the span too, for the next allowed date when the vetoes cover it.
        options.query.clock = ClockOfZone(*zone, options.query.from, LastDateLookedAhead(options.query.to));
    }
    ResolveMoment("--birth", options.birthSources, options.query.input.birth, atlas, "find --help");
    TakeMorePeople(options, atlas, "find --help");
    options.query.others = options.others;
    options.query.roles = options.roles;
    return options;
}

std::string WindowsJson(const std::vector<FoundWindow>& windows, const std::optional<VetoedSpan>& vetoed,
                        const Conventions& conventions) {
    JsonWriter json;
    json.BeginObject().Key("windows").BeginArray();
    for (const FoundWindow& w : windows) {
        json.BeginObject()
            .Field("start", DateTimeText(w.date, w.firstMinute))
            .Field("end", DateTimeText(w.date, w.lastMinute))
            .Field("rating", RatingWord(w.rating))
            .Field("ratingCode", static_cast<int>(RatingCode(w.rating)))
            .Field("count", static_cast<int>(w.count))
            .Field("threshold", static_cast<int>(w.threshold))
            .Field("totalScore", static_cast<int>(w.totalScore))
            .Field("nakshatra", w.names.nakshatra)
            .Field("rashi", w.names.rashi)
            .Field("lagna", w.names.lagna)
            .Field("tithi", w.names.tithi)
            .Field("yoga", w.names.yoga)
            .Field("karana", w.names.karana)
            .Field("weekday", w.names.weekday)
            .Field("offset", OffsetText(w.offsetSeconds));
        if (w.people) {
            json.Key("people").BeginArray();
            for (const WindowPerson& p : w.people->people) {
                json.BeginObject().Field("name", p.name).Field("rating", RatingWord(p.rating)).EndObject();
            }
            const CombinedVerdict& combined = w.people->combined;
            json.EndArray().Key("combined").BeginObject().Field("rating", RatingWord(combined.rating));
            json.Key("decidedBy").BeginArray();
            for (const std::string& name : combined.decidedBy) json.String(name);
            json.EndArray().Field("reason", combined.reason).EndObject();
        }
        json.EndObject();
    }
    json.EndArray();
    if (vetoed) {
        json.Key("vetoedBy").BeginArray();
        for (const VetoMinutes& span : vetoed->spans) {
            json.BeginObject()
                .Field("id", RowOf(span.veto).id)
                .Field("start", DateTimeText(span.start))
                .Field("end", DateTimeText(span.end))
                .EndObject();
        }
        json.EndArray().Key("nextAllowed");
        if (vetoed->nextAllowed) {
            json.String(DateText(*vetoed->nextAllowed));
        } else {
            json.Null();
        }
    }
    WriteConventionsJson(json, conventions);
    json.EndObject();
    return json.Text();
}

std::string WindowsText(const std::vector<FoundWindow>& windows, bool showOffsets) {
    std::string out;
    for (const FoundWindow& w : windows) {
        out += DateText(w.date) + " " + ClockText(w.firstMinute) + "-" + ClockText(w.lastMinute) + "  ";
        out += w.rating == Rating::NotRated ? std::string_view("Not rated") : RatingWord(w.rating);
        out += " (count " + std::to_string(w.count) + " of " + std::to_string(w.threshold) + ", score " +
               std::to_string(w.totalScore) + ")  ";
        out += std::string(w.names.weekday) + ", nakshatra " + std::string(w.names.nakshatra) + ", rashi " +
               std::string(w.names.rashi) + ", lagna " + std::string(w.names.lagna) + ", tithi " +
               std::string(w.names.tithi) + ", yoga " + std::string(w.names.yoga) + ", karana " +
               std::string(w.names.karana);
        if (w.pieces > 1) {
            out += "  [" + std::to_string(w.pieces) + " windows joined; best " + ClockText(w.bestFirstMinute) + "-" +
                   ClockText(w.bestLastMinute) + "]";
        }
        if (showOffsets) out += "  UTC" + OffsetText(w.offsetSeconds);
        if (w.people) out += "  combined " + WindowPeopleText(*w.people);
        out += '\n';
    }
    return out;
}

int RunFind(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<FindOptions>(args, out, err, ParseFindArguments, FindUsageText,
                                   [](const FindOptions& options, std::ostream& output) {
        FinderResult result;
        try {
            result = FindWindows(options.query);
        } catch (const FinderError& e) {
            throw CommandError(e.what(), 2);  // a query the finder refuses is a bad argument
        }
        const std::vector<FoundWindow> windows = ListWindows(result.windows, options.listing);
        if (options.icsPath) WriteCalendarFile(*options.icsPath, WindowEvents(options.query, windows));
        if (options.json) {
            output << WindowsJson(windows, result.vetoed, options.query.input.conventions) << "\n";
        } else {
            output << WindowsText(windows, options.zoneId.has_value());
            if (result.vetoed) output << VetoedSpanText(*result.vetoed) << "\n";
            if (windows.empty() && !result.vetoed && options.query.allGood) {
                output << "No times found: no minute of the span is Good"
                       << (options.query.others.empty() ? "" : " for everyone") << ".\n";
            }
        }
    });
}

}  // namespace kalvora
