#include "cli/month.h"

#include <ostream>

#include "astro/tables.h"
#include "cli/birth_options.h"
#include "cli/calendar_file.h"
#include "cli/command.h"
#include "cli/conventions_options.h"
#include "cli/day.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/people_options.h"
#include "cli/report_output.h"
#include "driver/season.h"
#include "month/month_events.h"

namespace kalvora {
namespace {

using Row = Option<MonthOptions>;
constexpr OptionKind Flag = OptionKind::Flag;
constexpr OptionKind Value = OptionKind::Value;
constexpr OptionKind Required = OptionKind::Required;

void ReadYear(MonthOptions& o, std::string_view option, std::string_view text) { o.year = ParseYear(option, text); }
void ReadMonth(MonthOptions& o, std::string_view option, std::string_view text) {
    o.month = ParseMonthNumber(option, text);
}
void ReadSubject(MonthOptions& o, std::string_view option, std::string_view text) {
    const std::optional<MuhurthaSubject> subject = FindSubject(text);
    if (!subject) Fail(option, "expected one of the undertakings' texts (for example 'Marriage'), got " + Quoted(text));
    o.query.input.subject = text;
    o.query.vetoes = VetoesOf(*subject);  // as find searches by default
}
void ReadName(MonthOptions& o, std::string_view, std::string_view text) { o.query.input.personName = text; }
void ReadSex(MonthOptions& o, std::string_view option, std::string_view text) {
    o.query.input.personSex = ParseSex(option, text);
}
void ReadJson(MonthOptions& o, std::string_view, std::string_view) { o.json = true; }
void ReadIcs(MonthOptions& o, std::string_view option, std::string_view text) {
    if (text.empty()) Fail(option, "expected the name of the calendar file to write");
    o.icsPath = std::string(text);
}
void ReadPdf(MonthOptions& o, std::string_view option, std::string_view text) {
    if (text.empty()) Fail(option, "expected the name of the PDF file to write");
    o.pdfPath = std::string(text);
}
void ReadPaper(MonthOptions& o, std::string_view option, std::string_view text) {
    if (text == "a4") {
        o.paper = Paper::A4;
    } else if (text == "letter") {
        o.paper = Paper::Letter;
    } else {
        Fail(option, "expected a4 or letter, got " + Quoted(text));
    }
}

constexpr auto MonthOptionTable = JoinRows(
    std::to_array<Row>({
        {"--year", Required, ReadYear},
        {"--month", Required, ReadMonth},
    }),
    DayPlaceRows<MonthOptions>(),
    std::to_array<Row>({{"--subject", Value, ReadSubject}}),
    birth_options::Rows<MonthOptions, Value>(), PeopleRows<MonthOptions>(), PartnerRows<MonthOptions>(),
    std::to_array<Row>({
        {"--name", Value, ReadName},
        {"--sex", Value, ReadSex},
        {"--json", Flag, ReadJson},
        {"--ics", Value, ReadIcs},
        {"--pdf", Value, ReadPdf},
        {"--paper", Value, ReadPaper},
    }),
    RolesAndGroupRows<MonthOptions>(), ConventionRows<MonthOptions>());
static_assert(WellFormed(MonthOptionTable));

constexpr std::string_view SeeHelp = "month --help";

// The options that name a person: taken only with an undertaking to weigh them against.
bool PersonOption(std::string_view name) {
    const auto among = [name](const auto& rows) {
        return std::ranges::any_of(rows, [&](const Row& row) { return row.name == name; });
    };
    return name != "--year" && name != "--month" && name != "--subject" && name != "--json" && name != "--ics" &&
           name != "--pdf" && name != "--paper" && !among(DayPlaceRows<MonthOptions>()) &&
           !among(ConventionRows<MonthOptions>());
}

}  // namespace

int ParseMonthNumber(std::string_view option, std::string_view text) {
    const bool digits = (text.size() == 1 || text.size() == 2) &&
                        std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
    const int month = digits ? std::stoi(std::string(text)) : 0;
    if (month < 1 || month > 12) Fail(option, "expected a month from 1 to 12 (or 01 to 12), got " + Quoted(text));
    return month;
}

std::string MonthUsageText() {
    return "usage: kalvora-cli month --year YYYY --month MM [--place TEXT] [--lat DD:MM(N|S) --lon DDD:MM(E|W)]\n"
           "                 [--zone (+|-)HH:MM[:SS] [--dst] | --tz AREA/CITY] [--json]\n"
           "                 [--ics FILE] [--pdf FILE [--paper a4|letter]]\n"
           "                 " + ConventionsUsage(17) + "\n"
           "                 [--subject TEXT (--birth ... | --person NAME ...) [--name TEXT] [--sex Male|Female]\n"
           "                  [--person NAME[@YYYY-MM-DD]]... [--partner ... --partner-name TEXT] [--roles ...]\n"
           "                  [--group NAME]]\n"
           "Prints every date of the month (1 to 12, 01 to 12) at the place: a line a date with its weekday, the\n"
           "tithi and nakshatra current at sunrise with their ends, the lunar month and the vetoes in force during\n"
           "the day. --json gives {\"year\", \"month\", \"days\"}, each day the day command's object.\n"
           "The place, zone and --sunrise are taken as by the day command; a zone id puts each date on the offset\n"
           "in force at its sunrise, and a date the zone's clocks skipped is left out.\n"
           "With --subject and the people as the calculation takes them (the birth options, --person, --partner,\n"
           "--roles, --group), each date also shows its best window: the first that find ranks on that date\n"
           "(searching the whole date with the undertaking's vetoes; for several people by the combined verdict),\n"
           "or none when the date has no rated window; in the JSON as \"best\": {\"start\", \"end\", \"rating\"} or null.\n"
           "--ics FILE also writes the month to FILE as calendar events (iCalendar): an all-day event a date with\n"
           "the tithi and nakshatra at sunrise, and with --subject an event for each window rated Good, as find\n"
           "lists them joined; importing the file again updates the events instead of adding more.\n"
           "--pdf FILE also writes the month to FILE as one landscape page (A4 unless --paper letter): a week a row\n"
           "starting on the locale's first day, each date with what the line above gives; every mark is a symbol,\n"
           "so the page reads in black and white.\n";
}

MonthOptions ParseMonthArguments(const std::vector<std::string>& args) {
    MonthOptions options = ReadOptions(args, MonthOptionTable, SeeHelp);
    if (options.help) return options;
    if (options.given.contains("--paper") && !options.pdfPath) Fail("--paper", "taken only with --pdf");
    if (const std::string problem = MonthProblem(options.year, options.month); !problem.empty()) {
        Fail("--year", problem);
    }
    AtlasOnDemand atlas;
    options.zone = ResolveSearchedPlace("-", options.sources, options.place, atlas, SeeHelp);
    if (!options.given.contains("--subject")) {
        for (const std::string_view name : options.given) {
            if (PersonOption(name)) Fail(name, "taken only with --subject, the undertaking the people are weighed for");
        }
        return options;
    }
    TakeFirstPerson(options, SeeHelp);
    ResolveMoment("--birth", options.birthSources, options.query.input.birth, atlas, SeeHelp);
    TakeMorePeople(options, atlas, SeeHelp);
    options.query.others = options.others;
    options.query.roles = options.roles;
    options.query.input.muhurtha = options.place;
    return options;
}

MonthQuery MonthQueryOf(const MonthOptions& options) {
    MonthQuery query;
    query.year = options.year;
    query.month = options.month;
    query.place = options.place.place;
    query.zone = options.place.zone;
    query.timeZone = options.zone;
    query.conventions = options.query.input.conventions;
    if (options.given.contains("--subject")) query.undertaking = options.query;
    return query;
}

std::vector<std::string> MonthNotes(const MonthOptions& options) {
    const std::string coordinates = CoordinatesText(options.place.place);
    const std::string place = options.sources.place ? *options.sources.place + " (" + coordinates + ")" : coordinates;
    const std::string clock = options.zone ? options.zone->id() : "UTC" + OffsetText(ZoneOffsetSeconds(options.place.zone));
    std::vector<std::string> notes = {MonthClockNote(place, clock)};
    if (options.given.contains("--subject")) notes.push_back(MonthSearchNote(options.query));
    return notes;
}

std::string MonthJson(const MonthView& month, const Conventions& conventions) {
    JsonWriter json;
    json.BeginObject().Field("year", month.year).Field("month", month.month);
    json.Key("days").BeginArray();
    for (const MonthDay& day : month.days) {
        json.BeginObject();
        WriteDayFields(json, day.view, day.season);
        if (month.searched) {
            json.Key("best");
            if (day.best) {
                json.BeginObject()
                    .Field("start", DateTimeText(day.best->date, day.best->firstMinute))
                    .Field("end", DateTimeText(day.best->date, day.best->lastMinute))
                    .Field("rating", RatingWord(RankedRating(*day.best)))
                    .EndObject();
            } else {
                json.Null();
            }
        }
        json.EndObject();
    }
    json.EndArray();
    WriteConventionsJson(json, conventions);
    json.EndObject();
    return json.Text();
}

namespace {

// "Pratipada until 14:32", "Dwithiai until 12-11 06:34": the limb current at the day's first minute and its end,
// its date only when that is another.
std::string LimbAtSunrise(const DayView& day, Limb limb) {
    const std::vector<LimbSpan>& spans = day.limbs[static_cast<std::size_t>(limb)];
    if (spans.empty()) return "none";
    std::string end = DateTimeText(spans.front().end);  // "YYYY-MM-DDTHH:MM"
    end = end.starts_with(DateText(day.sun.date)) ? end.substr(11) : end.substr(5, 5) + " " + end.substr(11);
    return std::string(spans.front().value.name) + " until " + end;
}

}  // namespace

std::string MonthText(const MonthView& month) {
    std::string out;
    for (const MonthDay& day : month.days) {
        const DayView& v = day.view;
        out += DateText(v.sun.date) + " " + std::string(WeekdayNames[static_cast<std::size_t>(v.sun.weekday - 1)]).substr(0, 3);
        out += "  tithi " + LimbAtSunrise(v, Limb::Tithi) + ", nakshatra " + LimbAtSunrise(v, Limb::Nakshatra);
        out += "  " + LunarMonthText(day.season.atSunrise.month);
        if (!day.season.vetoes.empty()) {
            out += "  vetoes";
            for (const VetoMinutes& veto : day.season.vetoes) {
                out += (&veto == &day.season.vetoes.front() ? " " : ",") + std::string(RowOf(veto.veto).id);
            }
        }
        if (month.searched) {
            out += "  best ";
            out += day.best ? ClockText(day.best->firstMinute) + "-" + ClockText(day.best->lastMinute) + " " +
                                  std::string(RatingWord(RankedRating(*day.best)))
                            : std::string("none");
        }
        out += '\n';
    }
    return out;
}

int RunMonth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<MonthOptions>(args, out, err, ParseMonthArguments, MonthUsageText,
                                    [](const MonthOptions& options, std::ostream& output) {
        MonthView month;
        try {
            month = ComputeMonth(MonthQueryOf(options));
        } catch (const FinderError& e) {
            throw CommandError(e.what(), 2);  // a search the finder refuses is a bad argument
        }
        if (options.icsPath) WriteCalendarFile(*options.icsPath, MonthEvents(month));
        if (options.pdfPath) {
            std::string error;
            if (!WriteMonthPdf(month, MonthNotes(options), options.paper, *options.pdfPath, &error)) {
                throw CommandError(error, 1);
            }
        }
        output << (options.json ? MonthJson(month, options.query.input.conventions) + "\n" : MonthText(month));
    });
}

}  // namespace kalvora
