#include "cli/arguments.h"

#include <cctype>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/tables.h"
#include "cli/birth_options.h"
#include "cli/conventions_options.h"
#include "cli/people_options.h"

namespace kalvora {
namespace {

using Row = Option<CliOptions>;
constexpr OptionKind Flag = OptionKind::Flag;
constexpr OptionKind Value = OptionKind::Value;
constexpr OptionKind Required = OptionKind::Required;

// The muhurtha's date sets the weekday box to its weekday; --muhurtha-weekday, read after it, may change that.
void ReadMuhurtha(CliOptions& o, std::string_view option, std::string_view text) {
    MomentInput& m = o.input.muhurtha;
    ParseDateTime(option, text, m);
    o.input.muhurthaWeekdayBox =
        std::string(WeekdayNames[static_cast<std::size_t>(WeekdayOf(DateOf(m)) - 1)]);
}

bool EndsWithCaseless(std::string_view text, std::string_view suffix) {
    if (text.size() <= suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const auto at = static_cast<unsigned char>(text[text.size() - suffix.size() + i]);
        const char c = static_cast<char>(std::tolower(at));
        if (c != suffix[i]) return false;
    }
    return true;
}

// Read after --subject: a report is made for one of the undertakings only.
void ReadReport(CliOptions& o, std::string_view option, std::string_view path) {
    if (!EndsWithCaseless(path, ".rtf") && !EndsWithCaseless(path, ".pdf")) {
        Fail(option, "the file name must end in .rtf or .pdf, got " + Quoted(path));
    }
    if (!FindSubject(o.input.subject)) Fail(option, "a report needs a --subject naming one of the undertakings");
    o.reportPath = std::string(path);
}

void ReadReportAppendix(CliOptions& o, std::string_view option, std::string_view text) {
    o.reportAppendix = ParseChoice(option, text, {"details", "none"}) == 0;
}

MomentInput& MuhurthaOf(CliOptions& o) { return o.input.muhurtha; }
MomentSources& MuhurthaSourcesOf(CliOptions& o) { return o.muhurthaSources; }

void ReadSubject(CliOptions& o, std::string_view, std::string_view text) { o.input.subject = text; }
void ReadName(CliOptions& o, std::string_view, std::string_view text) { o.input.personName = text; }
void ReadSex(CliOptions& o, std::string_view option, std::string_view text) {
    o.input.personSex = ParseSex(option, text);
}
void ReadJson(CliOptions& o, std::string_view, std::string_view) { o.json = true; }
void ReadPlanets(CliOptions& o, std::string_view option, std::string_view text) {
    o.input.planets = ParsePlanetsMode(option, text);
}

void ReadMuhurthaWeekday(CliOptions& o, std::string_view option, std::string_view text) {
    o.input.muhurthaWeekdayBox = ParseWeekday(option, text);
}

// The birth weekday box is shown on the birth page only; it is checked but plays no part in the rules.
void ReadBirthWeekday(CliOptions&, std::string_view option, std::string_view text) { ParseWeekday(option, text); }

// In the order of the usage: the required ones are looked for in this order, and the values read in it.
constexpr auto CalculationOptions = JoinRows(
    std::to_array<Row>({{"--muhurtha", Required, ReadMuhurtha}}),
    PlaceAndZoneRows<CliOptions, MuhurthaOf, MuhurthaSourcesOf>(MuhurthaOptionNames),
    FoldRow<CliOptions, MuhurthaOf, MuhurthaSourcesOf>(MuhurthaOptionNames),
    std::to_array<Row>({{"--muhurtha-weekday", Value, ReadMuhurthaWeekday}}),
    birth_options::Rows<CliOptions, Value>(),
    PeopleRows<CliOptions>(),
    PartnerRows<CliOptions>(),
    std::to_array<Row>({
        {"--birth-weekday", Value, ReadBirthWeekday},
        {"--subject", Value, ReadSubject},
        {"--name", Value, ReadName},
        {"--sex", Value, ReadSex},
        {"--json", Flag, ReadJson},
        {"--planets", Value, ReadPlanets},
        {"--report", Value, ReadReport},
        {"--report-appendix", Value, ReadReportAppendix},
    }),
    RolesAndGroupRows<CliOptions>(), ConventionRows<CliOptions>());
static_assert(WellFormed(CalculationOptions));

}  // namespace

std::string UsageText() {
    return "usage: kalvora-cli --muhurtha YYYY-MM-DDTHH:MM[:SS] [--muhurtha-place TEXT]\n"
           "                  [--muhurtha-lat DD:MM(N|S) --muhurtha-lon DDD:MM(E|W)]\n"
           "                  [--muhurtha-zone (+|-)HH:MM[:SS] [--muhurtha-dst] | --muhurtha-tz AREA/CITY]\n"
           "                  [--muhurtha-fold earlier|later] [--muhurtha-weekday NAME]\n"
           "                  (--birth YYYY-MM-DDTHH:MM[:SS] [--birth-place TEXT]\n"
           "                   [--birth-lat DD:MM(N|S) --birth-lon DDD:MM(E|W)]\n"
           "                   [--birth-zone (+|-)HH:MM[:SS] [--birth-dst] | --birth-tz AREA/CITY]\n"
           "                   [--birth-weekday NAME] [--name TEXT] [--sex Male|Female]\n"
           "                   | --person NAME [--born YYYY-MM-DD]) [--birth-fold earlier|later]\n"
           "                  [--person NAME[@YYYY-MM-DD]]... [--partner YYYY-MM-DDTHH:MM[:SS] --partner-name TEXT\n"
           "                   [--partner-sex Male|Female] [--partner-place TEXT] [--partner-lat ... --partner-lon ...]\n"
           "                   [--partner-zone ... [--partner-dst] | --partner-tz ...] [--partner-fold ...]]\n"
           "                  [--roles ROLE,ROLE...] [--group NAME] [--subject TEXT] [--json]\n"
           "                  [--report FILE.rtf|FILE.pdf]\n"
           "                  [--planets sky|none] [--report-appendix details|none]\n"
           "                  " + ConventionsUsage(18) + "\n"
           "       kalvora-cli places QUERY [--top N] [--json]\n"
           "       kalvora-cli find ... (see find --help)\n"
           "       kalvora-cli day ... (see day --help)\n"
           "       kalvora-cli season --year YYYY ... (see season --help)\n"
           "       kalvora-cli month --year YYYY --month MM ... (see month --help)\n"
           "       kalvora-cli people list|add|remove|export|import|set-aside ... (see people --help)\n"
           "       kalvora-cli --version\n"
           "Each moment needs coordinates (--*-lat and --*-lon, or a --*-place) and a zone (--*-zone, --*-tz, or\n"
           "a --*-place). A place is the best match of the atlas (\"City\", \"City, State\", \"City, Country\"): its\n"
           "coordinates, rounded to whole minutes of arc, and its zone; --*-lat, --*-lon, --*-zone or --*-tz given\n"
           "beside it take their place. Zones typed with --*-zone are offsets from UT, east positive (+05:30 for\n"
           "India, -05:00 for New York in winter). --*-tz takes the offset in force at the moment's local date and\n"
           "time from the zone database (Asia/Kolkata gives +06:30 in 1943); a local time the clocks passed twice\n"
           "needs --*-fold earlier or later, and one they jumped over is refused.\n"
           "--person takes the birth data, name and sex of a person saved with people add or the desktop program\n"
           "(its zone as entered); --born YYYY-MM-DD says which when several people have the name.\n"
           "Several people: --person given again adds a saved person (NAME@YYYY-MM-DD telling apart people of one\n"
           "name), and --partner with its place, zone, name and sex options (twins of the birth ones) a typed one; each\n"
           "needs a name. Each is evaluated as alone; the combined verdict is the worst rating, and for Engagement, Marriage\n"
           "and First Entrance of the Bride a bad Surya bala (the groom's) or Guru bala (the bride's) holds it at\n"
           "Average. Roles come from the sex (Female bride, Male groom); --roles groom,bride,none sets them in the\n"
           "order the people are given (the first person, each further --person, then the partner). The report stays\n"
           "the first person's.\n"
           "--group NAME takes the people of a saved group (people group add) in place of all the people's options:\n"
           "the members in their saved order with their saved roles (none: by sex).\n"
           "--planets sky (the default) places the planets from the ephemeris for the planet checks and shows them;\n"
           "--planets none evaluates with no planet placed and shows none.\n"
           "--report-appendix details (the default) ends the report with the details of the calculation; none\n"
           "leaves them out, for the report as it was before they were added.\n"
           "--ayanamsa chooses the ayanamsa of every sidereal longitude (the Moon, its rashi and nakshatra, the yoga,\n"
           "the lagna, the planets); lahiri, the default, is the program's own closed form, the others come from the\n"
           "Swiss Ephemeris and move each longitude by their difference from its Lahiri. The tithi and karana do\n"
           "not move. --weekday sunrise has the rules read the almanac's weekday, the day from sunrise to the next\n"
           "sunrise at the muhurtha's place (05:00 before sunrise on a Tuesday is still Monday), for both moments;\n"
           "civil, the default, the weekday of the date. --sunrise hindu (the centre of the Sun on the horizon\n"
           "without refraction, the default) or standard (its upper edge with refraction) sets the sunrise of the\n"
           "day, the periods, the finder's avoided periods and the weekday from sunrise. Every command takes these;\n"
           "the JSON says the conventions used as \"conventions\".\n"
           "--lunar-month chooses the lunar month the \"Hindu Lunar Month\" factor reads: table (the default), the\n"
           "rule sets' table of change-over days; amanta or purnimanta, the true month of the season at the minute,\n"
           "which in a leap month (adhika) is never Favourable. Every command takes it.\n"
           "--ephemeris precise takes the Sun, the Moon, the ascendant and the ayanamsa from the Swiss Ephemeris\n"
           "(Moshier, apparent positions) in place of the closed-form series (specified, the default), whose Moon\n"
           "trails it by up to a minute of arc. Every command takes it.\n"
           "Place data: GeoNames (geonames.org), CC-BY-4.0.\n";
}

CliOptions ParseArguments(const std::vector<std::string>& args) {
    CliOptions defaults;
    defaults.input.personSex = "Male";
    CliOptions options = ReadOptions(args, CalculationOptions, "--help", defaults);
    if (options.help) return options;
    TakeFirstPerson(options, "--help");
    AtlasOnDemand atlas;
    options.input.muhurthaOrigin =
        ResolveMoment("--muhurtha", options.muhurthaSources, options.input.muhurtha, atlas, "--help");
    options.input.birthOrigin = ResolveMoment("--birth", options.birthSources, options.input.birth, atlas, "--help");
    TakeMorePeople(options, atlas, "--help");
    return options;
}

}  // namespace kalvora
